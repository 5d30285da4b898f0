#include "show/control_panel.h"

#include "platform/system_info.h"
#include "show/control_panel_rules.h"
#include "show/engine_thread.h"
#include "show/play_screen.h"
#include "show/show_host.h"

#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

namespace {

// Restores `flag` to false when a closing action ends, however it ends.
struct ActionScope {
    bool& flag;
    ~ActionScope() { flag = false; }
};

} // namespace

void TAlignCntrlBox::setBarsFromBoard() {
    const BoardState& board = ctx_.board;
    setPositionQuietly(TrackBar5, board.Box1Delay);
    setPositionQuietly(TrackBar4, board.Box1Height);
    setPositionQuietly(TrackBar1, board.Box2Height);
    setPositionQuietly(TrackBar3, board.BorderWidth);
    setPositionQuietly(TrackBar2, board.Box1Width);
    setPositionQuietly(TrackBar6, board.Box2Width);
}

void TAlignCntrlBox::FormCreate() {
    emit lastBoardWanted();
}

void TAlignCntrlBox::setPositionQuietly(QSlider* bar, int position) {
    const QSignalBlocker quiet(bar);
    bar->setValue(position); // a position outside the range shows at its nearest end
}

void TAlignCntrlBox::setMinimumQuietly(QSlider* bar, int minimum) {
    const QSignalBlocker quiet(bar);
    bar->setMinimum(minimum);
}

void TAlignCntrlBox::setMaximumQuietly(QSlider* bar, int maximum) {
    const QSignalBlocker quiet(bar);
    bar->setMaximum(maximum);
}

void TAlignCntrlBox::FormShow() {
    BoardState& board = ctx_.board;
    ShowState& show = ctx_.show;

    // The show stops before anything else is touched.
    stopShow(show);
    ctx_.surface.EraseAllowed = true;

    struct Row {
        QSlider* bar;
        int position;
        QLabel* label;
    };
    auto load = [](bool on, std::initializer_list<Row> rows) {
        for (const Row& r : rows) {
            r.bar->setEnabled(on);
            if (on) {
                setPositionQuietly(r.bar, r.position);
                r.label->setText(QString::number(r.bar->value()));
            } else {
                r.label->clear();
            }
        }
    };
    load(show.Box1On, {{TrackBar4, board.Box1Height, Label1},
                       {TrackBar5, board.Box1Delay, Label5},
                       {TrackBar2, board.Box1Width, Label4}});
    load(show.Box2On, {{TrackBar1, board.Box2Height, Label2},
                       {TrackBar6, board.Box2Width, Label6},
                       {TrackBar7, board.Box2Delay, Label10}});
    if (show.CrawlOn) {
        setPositionQuietly(TrackBar8, board.CrawlDelay);
        TrackBar8->setVisible(true);
        Label11->setText(QString::number(TrackBar8->value()));
    } else {
        TrackBar8->setVisible(false);
        Label11->clear();
    }
    setPositionQuietly(TrackBar3, board.BorderWidth);

    // The width bars reach across the screen less the borders. Their range
    // follows their positions: a width is shown within the range the bar had
    // until now (its first range on the first showing), and the new range
    // holds from here on, for the operator's moves and the next showing.
    const int widthMax =
        widthBarMaximum(platform::systemInfo().playScreenWidth(), board.BorderWidth);
    setMaximumQuietly(TrackBar2, widthMax);
    setMaximumQuietly(TrackBar6, widthMax);
    // A range that shrank below a position has moved the bar; its label
    // follows it.
    if (show.Box1On) {
        Label4->setText(QString::number(TrackBar2->value()));
    }
    if (show.Box2On) {
        Label6->setText(QString::number(TrackBar6->value()));
    }

    const bool clockDown = ctx_.host.clockButtonDown();
    ToolButton4->setChecked(clockDown);
    ClocK1->setChecked(clockDown);
    Label3->setText(QString::number(TrackBar3->value()));

    // The slots are empty now; they remember the ids of the threads they
    // held. An element that is not in the show had no thread in it.
    Label7->setText(threadIdText(show.Box1On ? Box1ThreadHandle.lastHandleNumber() : 0));
    Label8->setText(threadIdText(show.Box2On ? Box2ThreadHandle.lastHandleNumber() : 0));
    Label9->setText(threadIdText(show.CrawlOn ? CrawlThreadHandle.lastHandleNumber() : 0));
}

void TAlignCntrlBox::SetLimits() {
    setMinimumQuietly(
        TrackBar4, heightBarMinimum(titleFontPoints(screen_.Panel3->font()), TrackBar4->maximum()));
    setMinimumQuietly(
        TrackBar1, heightBarMinimum(titleFontPoints(screen_.Panel4->font()), TrackBar1->maximum()));
}

void TAlignCntrlBox::TrackBar2Change() {
    ctx_.board.Box1Width = TrackBar2->value();
    Label4->setText(QString::number(TrackBar2->value()));
}

void TAlignCntrlBox::TrackBar4Change() {
    ctx_.board.Box1Height = TrackBar4->value();
    Label1->setText(QString::number(TrackBar4->value()));
    SetLimits();
}

void TAlignCntrlBox::TrackBar5Change() {
    ctx_.board.Box1Delay = TrackBar5->value();
    Label5->setText(QString::number(TrackBar5->value()));
}

void TAlignCntrlBox::TrackBar6Change() {
    ctx_.board.Box2Width = TrackBar6->value();
    Label6->setText(QString::number(TrackBar6->value()));
}

void TAlignCntrlBox::TrackBar1Change() {
    ctx_.board.Box2Height = TrackBar1->value();
    Label2->setText(QString::number(TrackBar1->value()));
    SetLimits();
}

void TAlignCntrlBox::TrackBar7Change() {
    ctx_.board.Box2Delay = TrackBar7->value();
}

void TAlignCntrlBox::TrackBar8Change() {
    ctx_.board.CrawlDelay = TrackBar8->value();
}

void TAlignCntrlBox::TrackBar3Change() {
    ctx_.board.BorderWidth = TrackBar3->value();
    Label3->setText(QString::number(TrackBar3->value()));
    SetLimits();
}

bool TAlignCntrlBox::beginAction() {
    if (acting_) {
        return false;
    }
    acting_ = true;
    return true;
}

void TAlignCntrlBox::restart() {
    ctx_.surface.EraseAllowed = true;
    repaint();
    hide();
    ctx_.surface.EraseAllowed = false;
    RestartTheShow(ctx_, screen_);
}

void TAlignCntrlBox::chooseColour() {
    if (!beginAction()) {
        return;
    }
    const ActionScope scope{acting_};
    if (const std::optional<std::uint32_t> chosen = ctx_.host.choosePlayBackColor()) {
        ctx_.board.PlayBackColor = *chosen;
    }
    // The restart gives the play screen PlayBackColor, chosen or kept.
    restart();
}

void TAlignCntrlBox::clock() {
    if (!beginAction()) {
        return;
    }
    const ActionScope scope{acting_};
    ctx_.show.ShowRunning = false;
    const bool on = ToolButton4->isChecked();
    ctx_.board.ClockOn = on;
    // The editor's clock button and menu check follow the board.
    emit clockSwitched(on);
    ClocK1->setChecked(on);
    if (on) {
        screen_.Timer1->start();
    } else {
        screen_.Timer1->stop();
    }
    restart();
}

void TAlignCntrlBox::leaveShow() {
    if (!beginAction()) {
        return;
    }
    const ActionScope scope{acting_};
    screen_.ClosePlayScreen();
}

void TAlignCntrlBox::ToolButton1Click() {
    chooseColour();
}

void TAlignCntrlBox::Color1Click() {
    chooseColour();
}

void TAlignCntrlBox::ToolButton3Click() {
    ReFresh1Click();
}

void TAlignCntrlBox::ReFresh1Click() {
    if (!beginAction()) {
        return;
    }
    const ActionScope scope{acting_};
    restart();
}

void TAlignCntrlBox::ToolButton4Click() {
    // The button has already changed its down state.
    clock();
}

void TAlignCntrlBox::ClocK1Click() {
    // The menu leaves the button as it is: the clock takes the button's state.
    clock();
}

void TAlignCntrlBox::ToolButton5Click() {
    leaveShow();
}

void TAlignCntrlBox::Exit1Click() {
    leaveShow();
}

void TAlignCntrlBox::SpeedButton1Click() {
    if (!beginAction()) {
        return;
    }
    const ActionScope scope{acting_};
    // The show stays stopped until a restart.
    ctx_.surface.EraseAllowed = true;
    hide();
    ctx_.surface.EraseAllowed = false;
}

void TAlignCntrlBox::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Only when the program shows the panel; the window system's own show
    // events (a window restored, say) do not stop the show again.
    if (!event->spontaneous()) {
        FormShow();
        takeKeyboard();
    }
}

void TAlignCntrlBox::takeKeyboard() {
    // The panel comes up over a play screen that had the keyboard. Without
    // a window manager no one else moves the focus; with one, a tool window
    // is not always given it.
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void TAlignCntrlBox::keyPressEvent(QKeyEvent* event) {
    // No message interrupts a live show here; Escape restarts it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        ReFresh1Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TAlignCntrlBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ToolButton3 && event->type() == QEvent::ToolTip) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
