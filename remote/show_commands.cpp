#include "remote/show_commands.h"

#include "editor/board_document.h"
#include "editor/mainform.h"
#include "persistence/board_file.h"
#include "persistence/text_file.h"
#include "show/control_panel.h"
#include "show/engine_thread.h"
#include "show/live_show.h"
#include "show/movie_engine.h"
#include "show/play_screen.h"
#include "show/show_startup.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

namespace {

const QString kNoShow = QStringLiteral("No show is playing.");

QString lineProblem(const QString& text, const QString& what) {
    if (text.size() > kMaxRemoteTitleChars) {
        return QStringLiteral("%1 is longer than %2 characters.")
            .arg(what)
            .arg(kMaxRemoteTitleChars);
    }
    if (holdsLineBreak(text)) {
        return QStringLiteral("%1 holds a line break.").arg(what);
    }
    return {};
}

} // namespace

ShowCommands::ShowCommands(Tmainform& editor, TPlayScreen& screen, TAlignCntrlBox& panel,
                           QObject* parent)
    : QObject(parent), editor_(editor), screen_(screen), panel_(panel) {
    connect(&screen_, &TPlayScreen::showStarting, this, &ShowCommands::changed);
    connect(&screen_, &TPlayScreen::showEnded, this, &ShowCommands::changed);
    connect(&screen_, &TPlayScreen::screenWaited, this, &ShowCommands::changed);
    connect(&screen_, &TPlayScreen::screenReturned, this, &ShowCommands::changed);
    connect(editor_.document(), &BoardDocument::changedChanged, this, &ShowCommands::changed);
}

ShowCommands::State ShowCommands::state() const {
    if (!editor_.showIsOn()) {
        return State::Stopped;
    }
    return panel_.isVisible() || !editor_.showState.ShowRunning ? State::Frozen : State::Playing;
}

QString ShowCommands::stateName() const {
    switch (state()) {
    case State::Playing:
        return QStringLiteral("playing");
    case State::Frozen:
        return QStringLiteral("frozen");
    case State::Stopped:
        break;
    }
    return QStringLiteral("stopped");
}

QString ShowCommands::board() const {
    return editor_.document()->fileName();
}

QString ShowCommands::screenName() const {
    const QScreen* target = screen_.playingOn();
    return target ? target->name() : QString();
}

QString ShowCommands::play(const QString& board) {
    if (!board.isEmpty()) {
        // A board played from afar never replaces work the operator has
        // not saved.
        if (editor_.document()->isChanged()) {
            return QStringLiteral("The editor holds changes that are not saved: the board %1 "
                                  "is not loaded.")
                .arg(board);
        }
        const QString path = boardFilePath(board);
        const Tmainform::BoardLoad load = editor_.readBoardIntoEditor(path);
        if (!load.error.isEmpty()) {
            return load.error;
        }
        editor_.document()->setFileName(path);
        if (!load.imageListError.isEmpty()) {
            editor_.noteLive(load.imageListError);
        }
    }
    const QString refused = editor_.playWithoutQuestions();
    emit changed();
    return refused;
}

QString ShowCommands::stop() {
    if (!editor_.showIsOn()) {
        return kNoShow;
    }
    screen_.ClosePlayScreen();
    return {};
}

QString ShowCommands::freeze() {
    switch (state()) {
    case State::Stopped:
        return kNoShow;
    case State::Frozen:
        return {};
    case State::Playing:
        screen_.showControlPanel();
        emit changed();
        return {};
    }
    return {};
}

QString ShowCommands::resume() {
    if (state() == State::Stopped) {
        return kNoShow;
    }
    if (state() == State::Frozen) {
        panel_.ReFresh1Click();
        emit changed();
    }
    return {};
}

QString ShowCommands::refresh() {
    switch (state()) {
    case State::Stopped:
        return kNoShow;
    case State::Frozen:
        panel_.ReFresh1Click();
        emit changed();
        return {};
    case State::Playing: {
        ShowContext ctx{editor_.board, editor_.showState, screen_.surface(), editor_};
        stopShow(editor_.showState);
        RestartTheShow(ctx, screen_);
        return {};
    }
    }
    return {};
}

QString ShowCommands::setCrawlLine(const QString& text) {
    if (const QString problem = lineProblem(text, QStringLiteral("The crawl line"));
        !problem.isEmpty()) {
        return problem;
    }
    editor_.setLoadedLineText(editor_.Edit3, text, Tmainform::kLineTypingLimit);
    if (editor_.showIsOn()) {
        ShowTexts texts = editor_.showState.Texts;
        texts.CrawlLine = text;
        editor_.takeIntoShow(texts);
    }
    return {};
}

QString ShowCommands::setTitle(int which, const QString& text) {
    if (which != 1 && which != 2) {
        return QStringLiteral("There is a main title (1) and a second title (2), no title %1.")
            .arg(which);
    }
    if (const QString problem = lineProblem(text, QStringLiteral("The title"));
        !problem.isEmpty()) {
        return problem;
    }
    editor_.setLoadedLineText(which == 1 ? editor_.edit1 : editor_.edit2, text,
                              which == 1 ? Tmainform::kMainTitleTypingLimit
                                         : Tmainform::kLineTypingLimit);
    if (editor_.showIsOn()) {
        ShowTexts texts = editor_.showState.Texts;
        (which == 1 ? texts.MainTitle : texts.SecondTitle) = text;
        editor_.takeIntoShow(texts);
    }
    return {};
}

QString ShowCommands::setTextObject(int which, const QStringList& lines) {
    if (which != 1 && which != 2) {
        return QStringLiteral("There are text objects 1 and 2, no text object %1.").arg(which);
    }
    if (lines.size() > kMaxRemoteLines) {
        return QStringLiteral("A text object holds at most %1 lines.").arg(kMaxRemoteLines);
    }
    for (const QString& line : lines) {
        if (line.size() > kMaxRemoteLineChars || holdsLineBreak(line)) {
            return QStringLiteral("A line of a text object is longer than %1 characters or "
                                  "holds a line break.")
                .arg(kMaxRemoteLineChars);
        }
    }
    editor_.setTextObjectLines(which == 1 ? editor_.Memo1 : editor_.Memo2, lines);
    if (editor_.showIsOn()) {
        ShowTexts texts = editor_.showState.Texts;
        (which == 1 ? texts.Text1Lines : texts.Text2Lines) = lines;
        editor_.takeIntoShow(texts);
    }
    return {};
}

QString ShowCommands::slideshowProblem() const {
    const ShowState& show = editor_.showState;
    if (state() != State::Playing || show.MarkerMode || show.ImageEntries.isEmpty() ||
        !MovieThreadHandle.thread()) {
        return QStringLiteral("No slideshow is playing.");
    }
    return {};
}

QString ShowCommands::nextSlide() {
    if (QString problem = slideshowProblem(); !problem.isEmpty()) {
        return problem;
    }
    // The next entry shows now; the slideshow keeps its own pace.
    ShowContext ctx{editor_.board, editor_.showState, screen_.surface(), editor_};
    SlideStep(ctx);
    return {};
}

QString ShowCommands::previousSlide() {
    if (QString problem = slideshowProblem(); !problem.isEmpty()) {
        return problem;
    }
    ShowState& show = editor_.showState;
    const auto count = static_cast<std::int32_t>(show.ImageEntries.size());
    // Two back, so that the step shows the one before the current.
    show.SlideIndex = ((show.SlideIndex - 2) % count + count) % count;
    return nextSlide();
}

void ShowCommands::open(const QString& board) {
    QTimer::singleShot(0, this, [this, board] {
        raiseEditor();
        editor_.loadConfiguration(board);
        emit changed();
    });
}

void ShowCommands::raiseEditor() {
    if (!editor_.showIsOn() || editor_.isVisible()) {
        editor_.show();
        editor_.raise();
        editor_.activateWindow();
    }
}
