#include "show/play_screen.h"

#include "platform/colors.h"
#include "platform/screen_saver.h"
#include "platform/screens.h"
#include "show/engine_thread.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTransform>
#include <QWindow>

#include <algorithm>
#include <cmath>

TPlayScreen::TPlayScreen(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("PlayScreen"));
    setWindowTitle(QStringLiteral("PlayScreen"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);

    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(27);
    f.setBold(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    Panel3 = new TitlePanel(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel4 = new TitlePanel(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Bevel3 = new BevelFrame(this);
    Bevel3->setObjectName(QStringLiteral("Bevel3"));
    Bevel4 = new BevelFrame(this);
    Bevel4->setObjectName(QStringLiteral("Bevel4"));
    for (QWidget* w : {static_cast<QWidget*>(Panel3), static_cast<QWidget*>(Panel4),
                       static_cast<QWidget*>(Bevel3), static_cast<QWidget*>(Bevel4)}) {
        w->hide();
    }

    surface_ = new ShowSurface(this);
    connect(surface_, &ShowSurface::repaintNeeded, this, qOverload<>(&QWidget::update));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TPlayScreen::Timer1Timer);

    // Changed parts of the surface reach the window once per display frame,
    // however many steps ran in between. The timer runs only while the
    // screen is up.
    frameTimer_ = new QTimer(this);
    frameTimer_->setObjectName(QStringLiteral("FrameTimer"));
    frameTimer_->setTimerType(Qt::PreciseTimer);
    setFramePace(QGuiApplication::primaryScreen());
    connect(frameTimer_, &QTimer::timeout, this, &TPlayScreen::flushDirty);

    connect(qApp, &QGuiApplication::screenRemoved, this, &TPlayScreen::screenRemoved);
    connect(qApp, &QGuiApplication::screenAdded, this, &TPlayScreen::screenAdded);
    connect(Panel3, &TitlePanel::pressed, this, &TPlayScreen::handlePress);
    connect(Panel4, &TitlePanel::pressed, this, &TPlayScreen::handlePress);
}

TPlayScreen::~TPlayScreen() {
    // The program may end while a show runs.
    releaseScreen();
}

void TPlayScreen::attach(BoardState* board, ShowState* show, QWidget* controlPanel) {
    board_ = board;
    show_ = show;
    controlPanel_ = controlPanel;
}

void TPlayScreen::setFramePace(const QScreen* target) {
    const double rate = (target && target->refreshRate() > 1.0) ? target->refreshRate() : 60.0;
    // Rounded up, so that there are never more paints than frames.
    frameTimer_->setInterval(static_cast<int>(std::ceil(1000.0 / rate)));
}

void TPlayScreen::playOn(QScreen* target) {
    surface_->setScreen(target);
    setFramePace(target);
    if (target && screen() != target) {
        setScreen(target);
    }
}

QRect TPlayScreen::windowGeometryFor(const QSize& pixels) const {
    const QScreen* target = surface_->screen();
    const qreal ratio = surface_->pixelRatio();
    const QPoint origin = target ? target->geometry().topLeft() : QPoint(0, 0);
    return QRect(origin, QSize(static_cast<int>(std::ceil(pixels.width() / ratio)),
                               static_cast<int>(std::ceil(pixels.height() / ratio))));
}

void TPlayScreen::screenRemoved(QScreen* gone) {
    if (gone && gone == surface_->screen() && isVisible()) {
        if (unattended_) {
            waitForScreen(gone);
        } else {
            ClosePlayScreen();
        }
    }
}

void TPlayScreen::waitForScreen(QScreen* gone) {
    waitingFor_ = ScreenIdentity{gone->name(), gone->manufacturer(), gone->model(),
                                 gone->serialNumber(), gone->geometry()};
    waiting_ = true;
    // Nothing plays and nothing is drawn elsewhere meanwhile; the desktop
    // may sleep.
    Timer1->stop();
    if (show_) {
        stopShow(*show_);
    }
    hide();
    frameTimer_->stop();
    releaseScreen();
    if (controlPanel_) {
        controlPanel_->hide();
    }
    emit screenWaited(waitingFor_.name);
}

void TPlayScreen::screenAdded() {
    if (!unattended_) {
        return;
    }
    const QList<platform::ScreenEntry> screens = platform::connectedScreens();
    if (waiting_) {
        const qsizetype back = platform::matchScreen(screens, waitingFor_);
        if (back < 0) {
            return;
        }
        waiting_ = false;
        // The show goes where it was, also when it had to play there for
        // want of the chosen screen.
        if (platform::matchScreen(screens, platform::chosenPlayScreenIdentity()) != back) {
            platform::choosePlayScreen(platform::identityOf(screens[back]));
        }
        emit screenReturned(screens[back].name);
        return;
    }
    const qsizetype chosen = platform::matchScreen(screens, platform::chosenPlayScreenIdentity());
    if (fellBack_ && isVisible() && chosen >= 0) {
        emit screenReturned(screens[chosen].name);
    }
}

QRegion TPlayScreen::toWindow(const QRegion& pixels) const {
    return scaledCover(pixels, 1.0 / devicePixelRatioF());
}

QRegion TPlayScreen::toPixels(const QRegion& window) const {
    return scaledCover(window, devicePixelRatioF()) & QRect(QPoint(0, 0), surface_->size());
}

void TPlayScreen::flushDirty() {
    const QRegion region = surface_->takeDirty();
    if (region.isEmpty()) {
        return;
    }
    // Painted now, before another step moves a strip again: what the region
    // leaves out is the same in the window and in the band only until then.
    repaint(toWindow(region));
}

void TPlayScreen::setBackground(Colour colour) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::toQColor(colour));
    setPalette(pal);
    surface_->setBackground(colour);
}

void TPlayScreen::setupplayscreen() {
    setEnabled(true);
    if (controlPanel_) {
        belongPanelToScreen();
        // At the top right corner of the screen the show plays on, where the
        // platform lets the program place it.
        controlPanel_->move(x() + width() - controlPanel_->width(), y() + 4);
        controlPanel_->setEnabled(true);
    }
    surface_->EraseAllowed = true;
    if (board_) {
        if (board_->ClockOn) {
            Timer1->start();
        } else {
            Timer1->stop();
        }
        if (board_->AlignScreen) {
            if (controlPanel_) {
                controlPanel_->show();
            }
            setCursor(Qt::ArrowCursor);
        } else {
            setCursor(Qt::BlankCursor);
            if (controlPanel_) {
                controlPanel_->hide();
            }
        }
    }
    QApplication::processEvents();
    if (board_) {
        setBackground(board_->PlayBackColor);
        Panel3->setBackColor(board_->MainTitleBackColor);
        Panel4->setBackColor(board_->SecondTitleBackColor);
    }
    surface_->EraseAllowed = false;
    // The four picture holders only hold bitmaps and are never shown.
}

void TPlayScreen::belongPanelToScreen() {
    // The panel is a window of the play screen's: a desktop keeps it above
    // the full-screen show and on its output, also where it places windows
    // itself and knows no "stay on top" (Wayland).
    controlPanel_->winId();
    winId();
    QWindow* panel = controlPanel_->windowHandle();
    if (panel && panel->transientParent() != windowHandle()) {
        panel->setTransientParent(windowHandle());
    }
    if (panel && panel->screen() != surface_->screen() && surface_->screen()) {
        panel->setScreen(surface_->screen());
    }
}

void TPlayScreen::holdScreenOn() {
    if (screenHeld_) {
        return;
    }
    screenHeld_ = true;
    platform::screenSaver().inhibit(QStringLiteral("A show is playing"));
}

void TPlayScreen::releaseScreen() {
    if (!screenHeld_) {
        return;
    }
    screenHeld_ = false;
    platform::screenSaver().release();
}

void TPlayScreen::ClosePlayScreen() {
    if (closing_) {
        return;
    }
    closing_ = true;
    Timer1->stop();
    if (show_) {
        stopShow(*show_);
    }
    if (board_) {
        board_->AlignScreen = false;
    }
    hide();
    frameTimer_->stop();
    setEnabled(false);
    releaseScreen();
    if (controlPanel_) {
        controlPanel_->hide();
        controlPanel_->setEnabled(false);
    }
    emit showEnded();
    closing_ = false;
}

void TPlayScreen::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    // Painted in the surface's own pixels, one to one on the screen's,
    // whatever the desktop's scale.
    const qreal ratio = devicePixelRatioF();
    if (!qFuzzyCompare(ratio, 1.0)) {
        p.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio));
    }
    const QRegion need = toPixels(event->region());
    pixelsPainted_ += surface_->paint(p, need);
    // The title bars and box frames over the surface, in the order they stand.
    for (const PlayControl* control :
         {static_cast<PlayControl*>(Panel3), static_cast<PlayControl*>(Panel4),
          static_cast<PlayControl*>(Bevel3), static_cast<PlayControl*>(Bevel4)}) {
        const QRect at = control->placed();
        if (control->isVisibleTo(this) && need.intersects(at)) {
            p.save();
            control->paintOn(p, at, need);
            p.restore();
        }
    }
    ++paintCount_;
}

void TPlayScreen::Timer1Timer() {
    if (board_ && show_) {
        surface_->drawClock(*board_, *show_, QDateTime::currentDateTime());
    }
}

void TPlayScreen::showControlPanel() {
    if (controlPanel_) {
        controlPanel_->show();
        // Also when it was up already: it comes to the front with the keyboard.
        giveKeyboardToPanel();
    }
}

void TPlayScreen::giveKeyboardToPanel() {
    // The panel comes up over a play screen that had the keyboard. Without
    // a window manager no one else moves the focus; with one, a tool window
    // is not always given it.
    if (controlPanel_) {
        controlPanel_->raise();
        controlPanel_->activateWindow();
        controlPanel_->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void TPlayScreen::takeKeyboard() {
    // A control panel that came up with the show keeps the keyboard.
    if (controlPanel_ && controlPanel_->isVisible()) {
        giveKeyboardToPanel();
        return;
    }
    activateWindow();
    setFocus();
}

void TPlayScreen::handlePress(QMouseEvent* event) {
    // Exactly one button and no modifier key; anything else does nothing.
    if (event->modifiers() != Qt::NoModifier) {
        return;
    }
    if (event->buttons() == Qt::LeftButton && event->button() == Qt::LeftButton) {
        ClosePlayScreen();
    } else if (event->buttons() == Qt::RightButton && event->button() == Qt::RightButton) {
        showControlPanel();
    }
}

void TPlayScreen::mousePressEvent(QMouseEvent* event) {
    event->accept();
    handlePress(event);
}

void TPlayScreen::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click does nothing.
    event->accept();
}

void TPlayScreen::keyPressEvent(QKeyEvent* event) {
    // The control panel, once up, has the keyboard. A desktop that keeps
    // it from the panel (a Wayland compositor may refuse a window the
    // focus) leaves it here: it is passed on, as if the panel had it.
    if (controlPanel_ && controlPanel_->isVisible()) {
        QWidget* target =
            controlPanel_->focusWidget() ? controlPanel_->focusWidget() : controlPanel_;
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                       event->isAutoRepeat(), static_cast<ushort>(event->count()));
        QCoreApplication::sendEvent(target, &copy);
        return;
    }
    // Modifier keys are not looked at.
    if (event->key() == Qt::Key_Escape) {
        ClosePlayScreen();
        return;
    }
    if (event->key() == Qt::Key_Space) {
        showControlPanel();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TPlayScreen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // What changed while the screen was down is shown at once.
    surface_->setOnScreen(true);
    update(toWindow(surface_->takeDirty()));
    frameTimer_->start();
    setupplayscreen();
}

void TPlayScreen::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    surface_->setOnScreen(false);
    frameTimer_->stop();
}

void TPlayScreen::closeEvent(QCloseEvent* event) {
    // Closing the window ends the show; the window itself lives on, hidden.
    event->ignore();
    if (isVisible()) {
        ClosePlayScreen();
    }
}

void TPlayScreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    surface_->requestErase();
}
