#pragma once

// What remote control can do to the program, in one place: the session
// bus, the desktop's media keys and the HTTP interface all call these, and
// these call the same functions the menus, the keys and the control panel
// call. Changes to a running show go through the show's one way in
// (takeLiveChange), never around it. Nothing here asks the operator: what
// fails comes back as a readable message.

#include <QObject>
#include <QString>
#include <QStringList>

class Tmainform;
class TPlayScreen;
class TAlignCntrlBox;

// The bounds of what a remote caller may send: those of the files the
// texts would otherwise come from.
inline constexpr int kMaxRemoteTitleChars = 32767;
inline constexpr int kMaxRemoteLines = 250000;
inline constexpr int kMaxRemoteLineChars = 65536;

class ShowCommands : public QObject {
    Q_OBJECT
public:
    ShowCommands(Tmainform& editor, TPlayScreen& screen, TAlignCntrlBox& panel,
                 QObject* parent = nullptr);

    enum class State { Stopped, Playing, Frozen };
    State state() const;
    // "stopped", "playing" or "frozen".
    QString stateName() const;
    // The path of the board in the editor, empty when it has none.
    QString board() const;
    // The name of the screen the show plays on (or would play on).
    QString screenName() const;

    // Each returns an empty text when it was done, else why not.
    // Plays the board file `board` (loaded into the editor first), or the
    // editor's board when `board` is empty; a running show takes it as Play
    // beside the show does. Nothing is asked.
    QString play(const QString& board);
    QString stop();
    // As space does: the show freezes and the control panel opens.
    QString freeze();
    // As the control panel's Refresh does: a frozen show goes on.
    QString resume();
    // The show starts again with what it plays, as Refresh does.
    QString refresh();
    // The editor's crawl line, titles (1 the main title, 2 the second) and
    // text objects (1 or 2) are set, and a running show takes them.
    QString setCrawlLine(const QString& text);
    QString setTitle(int which, const QString& text);
    QString setTextObject(int which, const QStringList& lines);
    // The slideshow moves on or back by one entry, when one plays.
    QString nextSlide();
    QString previousSlide();
    // What a second start of the program hands over: the board loaded into
    // the editor as Load Configuration loads it (its messages included,
    // once the caller has its answer), and the editor brought to the front.
    void open(const QString& board);
    void raiseEditor();

signals:
    // The state, the board or the screen changed.
    void changed();

private:
    QString slideshowProblem() const;

    Tmainform& editor_;
    TPlayScreen& screen_;
    TAlignCntrlBox& panel_;
};
