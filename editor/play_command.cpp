// The Play command and the editor's side of a show.

#include "editor/board_document.h"
#include "editor/live_follow.h"
#include "editor/mainform.h"
#include "editor/popup_rules.h"

#include "persistence/text_file.h"
#include "platform/system_info.h"
#include "show/play_screen.h"
#include "show/show_rules.h"
#include "show/show_startup.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>
#include <QToolButton>

QStringList Tmainform::textObjectLines(const QPlainTextEdit* memo) const {
    return splitTextLines(memo->toPlainText());
}

void Tmainform::setTextObjectLines(QPlainTextEdit* memo, const QStringList& lines) {
    memo->setPlainText(textObjectText(lines));
}

void Tmainform::Mode1Click() {
    using platform::Answer;
    using platform::Button;
    using platform::MessageKind;

    if (showIsOn()) {
        playIntoRunningShow();
        return;
    }

    // An empty text object 1 is offered a file first; then every element
    // takes part by its text.
    if (textObjectLines(Memo1).isEmpty()) {
        const Answer load = platform::dialogs().message(
            MessageKind::Confirm,
            QStringLiteral("Would you like to load a text file into text object One?"),
            Button::Yes | Button::No);
        if (load == Answer::Yes) {
            const std::optional<QStringList> chosen = platform::dialogs().openFile(OpenDialog1);
            if (chosen && !chosen->isEmpty()) {
                // A file that cannot be read stops the command; nothing changes.
                if (!loadTextObjectFile(Memo1, chosen->first())) {
                    return;
                }
                OpenDialog1.fileName.clear();
                board.Box1Width = box1WidthAfterLoad(platform::systemInfo().playScreenWidth(),
                                                     showState.ImageAreaWidth);
            }
        }
    }
    playAsItStands();
}

void Tmainform::playUnattended() {
    // The alignment panel would open the show frozen, waiting for the
    // operator.
    board.AlignScreen = false;
    // Nobody may be there to start it again: the show waits for a screen
    // that goes and comes back.
    if (playScreen_) {
        playScreen_->setUnattended(true);
    }
    playAsItStands();
}

void Tmainform::playAsItStands() {
    decideElementFlags();
    if (PROJECTISVALID(showState, board.ClockOn)) {
        StartTheShow();
    } else {
        platform::dialogs().message(platform::MessageKind::Confirm,
                                    QStringLiteral("Nothing To Play (no text)"),
                                    platform::Button::OK);
    }
}

void Tmainform::StartTheShow() {
    Q_ASSERT(playScreen_);
    // The crawl line's live source gives its items before the show starts.
    live_->follow();
    ShowContext ctx{board, showState, playScreen_->surface(), *this};
    ::StartTheShow(ctx, *playScreen_);
}

bool Tmainform::showIsOn() const {
    return playScreen_ && (playScreen_->isVisible() || playScreen_->waitingForScreen());
}

QString Tmainform::playWithoutQuestions() {
    if (showIsOn()) {
        live_->follow();
        const LiveOutcome outcome = takeIntoShow(showTexts());
        return outcome == LiveOutcome::NothingToPlay ? liveOutcomeText(outcome) : QString();
    }
    decideElementFlags();
    if (!PROJECTISVALID(showState, board.ClockOn)) {
        return QStringLiteral("Nothing To Play (no text)");
    }
    StartTheShow();
    return {};
}

void Tmainform::playIntoRunningShow() {
    live_->follow();
    takeIntoShow(showTexts());
}

ShowTexts Tmainform::showTexts() const {
    ShowTexts t;
    t.MainTitle = edit1->text();
    t.SecondTitle = edit2->text();
    t.LiveCrawl = hasLiveCrawl(board);
    t.CrawlLine = live_->crawlText().value_or(Edit3->text());
    t.Text1Lines = textObjectLines(Memo1);
    t.Text2Lines = textObjectLines(Memo2);
    t.ImageList = imageListEntries();
    t.PlayTime = PlayTime->value();
    return t;
}

void Tmainform::setMemoWidthsForShow(int box1Width, int box2Width) {
    Memo1->resize(memoWidthDuringShow(box1Width, width()), Memo1->height());
    Memo2->resize(memoWidthDuringShow(box2Width, width()), Memo2->height());
}

bool Tmainform::imageStretch() const {
    return ImageStretch->isChecked();
}

bool Tmainform::syncWithRetrace() const {
    return Sync->isChecked();
}

void Tmainform::hideEditorForShow() {
    // A show on another screen leaves the editor beside it.
    const QScreen* showScreen = playScreen_ ? playScreen_->playingOn() : nullptr;
    if (isVisible() && showScreen && showScreen != screen()) {
        return;
    }
    repaint();
    hide();
}

void Tmainform::showEditorAfterShow() {
    // Coming back from a show refreshes the clock sample; the board is no
    // more changed than it was before the show, so a quit right after an
    // untouched show asks nothing.
    live_->stop();
    const bool changed = document_->isChanged();
    show();
    catchUpEditor();
    document_->setChanged(changed);
    raise();
    activateWindow();
}

bool Tmainform::clockButtonDown() const {
    return ToggleClockOn->isChecked();
}

void Tmainform::setClockSwitch(bool on) {
    // As if the switch were clicked: the board follows.
    ToggleClockOn->setChecked(on);
    ToggleClockOnClick();
}

std::optional<std::uint32_t> Tmainform::choosePlayBackColor() {
    const std::optional<std::uint32_t> chosen = platform::dialogs().chooseColor(ColorDialog1);
    if (chosen) {
        ColorDialog1.color = *chosen;
    }
    return chosen;
}
