#include "platform/help.h"

#include "platform/dialogs.h"
#include "platform/system_info.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QStyle>
#include <QTextBrowser>
#include <QThread>
#include <QToolBar>
#include <QVBoxLayout>

namespace platform {

namespace {

struct HelpFile {
    QMutex mutex;
    QString path;
};

HelpFile& helpFileState() {
    static HelpFile state;
    return state;
}

// The one help window; it goes with the window that owns it.
QPointer<HelpWindow>& theHelpWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

} // namespace

void setHelpFile(const QString& path) {
    HelpFile& state = helpFileState();
    const QMutexLocker lock(&state.mutex);
    state.path = path;
}

QString helpFile() {
    HelpFile& state = helpFileState();
    const QMutexLocker lock(&state.mutex);
    return state.path;
}

QString locateHelpFile(const QString& programDir) {
    const QDir dir(programDir);
    const QString beside = dir.absoluteFilePath(QStringLiteral("Plakora Help Files/Plakora.html"));
    if (QFileInfo(beside).isFile()) {
        return beside;
    }
    const QString installed =
        QDir::cleanPath(dir.absoluteFilePath(QStringLiteral("../share/plakora/help/Plakora.html")));
    if (QFileInfo(installed).isFile()) {
        return installed;
    }
    return beside;
}

QString helpWindowTitle(const QString& pageTitle) {
    const QString program = QStringLiteral("Plakora Help");
    return pageTitle.trimmed().isEmpty() ? program : program + QStringLiteral(" - ") + pageTitle;
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(helpWindowTitle(QString()));

    toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("HelpToolBar"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    contentsAction = toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon),
                                        QStringLiteral("Contents"));
    backAction =
        toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"));
    forwardAction = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                       QStringLiteral("Forward"));
    backAction->setEnabled(false);
    forwardAction->setEnabled(false);

    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("HelpBrowser"));
    // Every page is one of ours; a link never leaves the help.
    browser->setOpenExternalLinks(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(browser);

    connect(contentsAction, &QAction::triggered, this, [this] {
        if (contents_.isValid()) {
            browser->setSource(contents_);
        }
    });
    connect(backAction, &QAction::triggered, browser, &QTextBrowser::backward);
    connect(forwardAction, &QAction::triggered, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, backAction, &QAction::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forwardAction, &QAction::setEnabled);
    connect(browser, &QTextBrowser::sourceChanged, this, &HelpWindow::updateTitle);

    resize(640, 560);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // Esc puts the window away; the next Help brings it back.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWindow::showContents(const QString& path) {
    contents_ = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    browser->setSource(contents_);
}

void HelpWindow::updateTitle() {
    setWindowTitle(helpWindowTitle(browser->documentTitle()));
}

bool showHelpContents(QWidget* owner) {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    const QString path = helpFile();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable()) {
        dialogs().message(MessageKind::Error,
                          QStringLiteral("Cannot open the help file ") +
                              QDir::toNativeSeparators(path),
                          Button::OK);
        return false;
    }
    QPointer<HelpWindow>& window = theHelpWindow();
    if (!window) {
        window = new HelpWindow(owner);
        // Centred on the screen, and never larger than it.
        const SystemInfo& sys = systemInfo();
        const QSize screen(sys.screenWidth(), sys.screenHeight());
        window->resize(window->size().boundedTo(screen));
        window->move((screen.width() - window->width()) / 2,
                     (screen.height() - window->height()) / 2);
    }
    window->showContents(path);
    if (window->isMinimized()) {
        window->showNormal();
    }
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

HelpWindow* helpWindow() {
    return theHelpWindow().data();
}

} // namespace platform
