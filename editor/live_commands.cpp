// The editor's side of a running show's changes: the board read again from
// its files goes into the record and the controls, and the texts into the
// show.

#include "editor/board_document.h"
#include "editor/image_list_rules.h"
#include "editor/live_follow.h"
#include "editor/mainform.h"
#include "editor/text_object_box.h"

#include "persistence/text_file.h"
#include "show/control_panel.h"
#include "show/live_show.h"
#include "show/play_screen.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>
#include <QStatusBar>

#include <algorithm>
#include <cstdio>

void Tmainform::putLiveBoard(const LiveBoard& live) {
    // The record takes what the board file holds; what the program keeps of
    // its own (the file's name, the change flag, folders) stays.
    BoardState next = live.board;
    next.StartDirectory = board.StartDirectory;
    next.ConfigChanged = board.ConfigChanged;
    next.BoardFileName = board.BoardFileName;
    next.VersionString = board.VersionString;
    next.SettingsLoaded = board.SettingsLoaded;
    next.WindowsDirectory = board.WindowsDirectory;
    board = next;
    // The boxes follow once the show has what it needs (catchUpEditor).
    unshownLive_ = live;
}

void Tmainform::catchUpEditor() {
    // A hidden editor is brought up to date when it comes back: filling its
    // boxes would hold the show for nothing now.
    if (unshownLive_ && isVisible()) {
        putLiveBoardIntoControls(*unshownLive_);
        unshownLive_.reset();
    }
}

void Tmainform::putLiveBoardIntoControls(const LiveBoard& live) {
    if (live.fields) {
        const BoardFileFields& fields = *live.fields;
        setLoadedLineText(edit1, fields.MainTitle, kMainTitleTypingLimit);
        setLoadedLineText(edit2, fields.SecondTitle, kLineTypingLimit);
        setLoadedLineText(Edit3, fields.CrawlLine, kLineTypingLimit);
        PlayTime->setValue(std::clamp(fields.PlayTime, PlayTime->minimum(), PlayTime->maximum()));
        ImageStretch->setChecked(fields.ImageStretch);
    }
    const std::pair<QPlainTextEdit*, const std::optional<QStringList>*> texts[] = {
        {Memo1, &live.text1Lines}, {Memo2, &live.text2Lines}};
    for (const auto& [memo, lines] : texts) {
        if (*lines) {
            memo->setPlainText(textObjectText(**lines));
            textObjectBox(memo)->showPath(memo == Memo1 ? board.TextFile1 : board.TextFile2);
        }
    }
    if (live.imageList) {
        ListBox1->clear();
        ListBox1->addItems(*live.imageList);
        Label4->setText(imageCountText(ListBox1->count()));
    }
    Label1->setText(QString::number(PlayTime->value()));
    PagePause->setChecked(board.PagePause1);
    ToggleClockOn->setChecked(board.ClockOn);
    if (controlPanel_) {
        controlPanel_->setBarsFromBoard();
    }
    // Read from the board's files, as a load: nothing to save.
    document_->setChanged(false);
    Memo1->document()->setModified(false);
    Memo2->document()->setModified(false);
}

QString Tmainform::boardCrawlLine() const {
    if (unshownLive_ && unshownLive_->fields) {
        return unshownLive_->fields->CrawlLine;
    }
    return Edit3->text();
}

ShowTexts Tmainform::liveTexts(const LiveBoard& live) const {
    ShowTexts t = showState.Texts;
    if (live.fields) {
        t.MainTitle = live.fields->MainTitle;
        t.SecondTitle = live.fields->SecondTitle;
        t.PlayTime = std::clamp(live.fields->PlayTime, PlayTime->minimum(), PlayTime->maximum());
    }
    if (live.text1Lines) {
        t.Text1Lines = *live.text1Lines;
    }
    if (live.text2Lines) {
        t.Text2Lines = *live.text2Lines;
    }
    if (live.imageList) {
        t.ImageList = *live.imageList;
    }
    t.LiveCrawl = hasLiveCrawl(board);
    t.CrawlLine = live_->crawlText().value_or(boardCrawlLine());
    return t;
}

LiveOutcome Tmainform::takeIntoShow(const ShowTexts& texts) {
    if (!playScreen_) {
        return LiveOutcome::NoShow;
    }
    ShowContext ctx{board, showState, playScreen_->surface(), *this};
    const LiveOutcome outcome = takeLiveChange(ctx, *playScreen_, texts);
    if (outcome == LiveOutcome::NothingToPlay) {
        noteLive(liveOutcomeText(outcome));
    }
    return outcome;
}

void Tmainform::noteLive(const QString& note) {
    StatusBar1->showMessage(note);
    if (playScreen_ && playScreen_->unattended()) {
        std::fprintf(stderr, "plakora: %s\n", qPrintable(note));
    }
}
