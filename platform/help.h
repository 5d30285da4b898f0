#pragma once

// The program's help: the help file named at start, and the small help
// window that shows its pages. The window needs nothing but the pages
// themselves, so help works where no web browser is installed.

#include <QString>
#include <QUrl>
#include <QWidget>

class QAction;
class QTextBrowser;
class QToolBar;

namespace platform {

// The help file named at program start; the Help command opens it.
void setHelpFile(const QString& path);
QString helpFile();

// Where the help file is for a program that runs from `programDir`: beside
// the program, where the build puts the pages ("Plakora Help Files"), or
// else where an installation puts them (../share/plakora/help). When
// neither place holds it, the place beside the program is named.
QString locateHelpFile(const QString& programDir);

// A window of help pages: the page with its links, Back, Forward and a
// button back to the contents page. Its title names the page shown.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the contents page and makes it the page the Contents button returns to.
    void showContents(const QString& path);
    QUrl contentsPage() const { return contents_; }

    QToolBar* toolBar = nullptr;
    QAction* contentsAction = nullptr;
    QAction* backAction = nullptr;
    QAction* forwardAction = nullptr;
    QTextBrowser* browser = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateTitle();

    QUrl contents_;
};

// The caption of the help window over a page of this title.
QString helpWindowTitle(const QString& pageTitle);

// Opens the help file at its contents page in the help window, which
// belongs to `owner` and is reused (and raised) while it lives. A help file
// that cannot be read is reported to the operator; the result then is false.
bool showHelpContents(QWidget* owner);

// The help window, once one has been opened and while it lives.
HelpWindow* helpWindow();

} // namespace platform
