#include "show/play_screen.h"

#include "platform/colors.h"
#include "platform/fonts.h"
#include "platform/screen_saver.h"
#include "platform/system_info.h"
#include "show/clock_format.h"
#include "show/control_panel.h"
#include "show/engine_thread.h"
#include "show/safe_bounds.h"
#include "show/show_host.h"
#include "show/surface_ops.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QTransform>

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
    connect(Panel3, &TitlePanel::pressed, this, &TPlayScreen::handlePress);
    connect(Panel4, &TitlePanel::pressed, this, &TPlayScreen::handlePress);

    resizeSurface(1, 1);
}

TPlayScreen::~TPlayScreen() {
    // The program may end while a show runs.
    releaseScreen();
}

void TPlayScreen::attach(BoardState* board, ShowState* show, ShowHost* host,
                         QWidget* controlPanel) {
    board_ = board;
    show_ = show;
    host_ = host;
    controlPanel_ = controlPanel;
}

void TPlayScreen::resizeSurface(int width, int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    if (surface_.width() == width && surface_.height() == height) {
        return;
    }
    bands_.clear();
    surface_ = QImage(width, height, QImage::Format_RGB32);
    surface_.fill(platform::toQColor(background_));
    update();
}

void TPlayScreen::setFramePace(const QScreen* target) {
    const double rate = (target && target->refreshRate() > 1.0) ? target->refreshRate() : 60.0;
    // Rounded up, so that there are never more paints than frames.
    frameTimer_->setInterval(static_cast<int>(std::ceil(1000.0 / rate)));
}

void TPlayScreen::playOn(QScreen* target) {
    playingOn_ = target;
    setFramePace(target);
    ratio_ = target ? target->devicePixelRatio() : 1.0;
    if (target && screen() != target) {
        setScreen(target);
    }
}

QRect TPlayScreen::windowGeometryFor(const QSize& pixels) const {
    const QPoint origin = playingOn_ ? playingOn_->geometry().topLeft() : QPoint(0, 0);
    return QRect(origin, QSize(static_cast<int>(std::ceil(pixels.width() / ratio_)),
                               static_cast<int>(std::ceil(pixels.height() / ratio_))));
}

void TPlayScreen::screenRemoved(QScreen* gone) {
    if (gone && gone == playingOn_ && isVisible()) {
        ClosePlayScreen();
    }
}

namespace {

QRegion scaledCover(const QRegion& region, qreal factor) {
    if (qFuzzyCompare(factor, 1.0)) {
        return region;
    }
    QRegion out;
    for (const QRect& r : region) {
        out += coverScaled(r, factor);
    }
    return out;
}

} // namespace

QRegion TPlayScreen::toWindow(const QRegion& pixels) const {
    return scaledCover(pixels, 1.0 / devicePixelRatioF());
}

QRegion TPlayScreen::toPixels(const QRegion& window) const {
    return scaledCover(window, devicePixelRatioF()) & surface_.rect();
}

void TPlayScreen::markDirty(const QRect& rect) {
    dirty_ += rect;
}

QImage& TPlayScreen::surfaceFor(const QRect& part) {
    settleBands(part);
    return surface_;
}

void TPlayScreen::settleBands(const QRect& part) {
    std::erase_if(bands_, [&](const ScrollBand& band) {
        if (!band.area().intersects(part)) {
            return false;
        }
        band.restore(surface_);
        return true;
    });
}

ScrollBand* TPlayScreen::bandFor(const Rect& dest, const Rect& scroll, const Rect& clip,
                                 ScrollBand::Direction direction) {
    const QRect area = scrollArea(surface_, scroll, clip).toQRect();
    const QRect written = clipToImage(dest, surface_).toQRect();
    if (area.width() < 2 || area.height() < 2 || surface_.depth() != 32 ||
        (!written.isEmpty() && !area.contains(written))) {
        settleBands(area);
        settleBands(written);
        return nullptr;
    }
    for (ScrollBand& band : bands_) {
        if (band.area() == area && band.direction() == direction) {
            return &band;
        }
    }
    // A strip that moved before in another place or way goes back first.
    settleBands(area);
    bands_.emplace_back(surface_, area, direction);
    return &bands_.back();
}

Rect TPlayScreen::scrollUpStep(const QImage& line, int srcRow, const Rect& dest, const Rect& scroll,
                               const Rect& clip) {
    return moveStep(ScrollBand::Direction::Up, line, srcRow, dest, scroll, clip);
}

Rect TPlayScreen::scrollLeftStep(const QImage& bitmap, int srcCol, const Rect& dest,
                                 const Rect& scroll, const Rect& clip) {
    return moveStep(ScrollBand::Direction::Left, bitmap, srcCol, dest, scroll, clip);
}

Rect TPlayScreen::moveStep(ScrollBand::Direction direction, const QImage& src, int index,
                           const Rect& dest, const Rect& scroll, const Rect& clip) {
    const bool up = direction == ScrollBand::Direction::Up;
    Rect uncovered;
    if (ScrollBand* band = bandFor(dest, scroll, clip, direction)) {
        if (up) {
            band->putRow(src, index, dest);
        } else {
            band->putColumn(src, index, dest);
        }
        band->scroll();
        const QRect a = band->area();
        uncovered = up ? Rect{a.left(), a.bottom(), a.right() + 1, a.bottom() + 1}
                       : Rect{a.right(), a.top(), a.right() + 1, a.bottom() + 1};
    } else if (up) {
        stretchRow(src, index, surface_, dest);
        uncovered = scrollSurface(surface_, scroll, clip, 0, -1);
    } else {
        stretchColumn(src, index, surface_, dest);
        uncovered = scrollSurface(surface_, scroll, clip, -1, 0);
    }
    markDirty(clipToImage(scroll, surface_).toQRect());
    return uncovered;
}

void TPlayScreen::flushDirty() {
    if (dirty_.isEmpty()) {
        return;
    }
    // Of a moving strip, only what the window does not show yet.
    QRegion region = dirty_;
    dirty_ = QRegion();
    for (const ScrollBand& band : bands_) {
        if (region.intersects(band.area())) {
            region -= band.area();
            region += band.windowUpdate();
        }
    }
    // Painted now, before another step moves a strip again: what the region
    // leaves out is the same in the window and in the band only until then.
    repaint(toWindow(region));
}

void TPlayScreen::requestErase() {
    // Erased at once when allowed, so that a screen that is not painted yet
    // does not keep the last show's pixels; a later paint checks again.
    if (EraseAllowed) {
        bands_.clear();
        surface_.fill(platform::toQColor(background_));
    }
    erasePending_ = true;
    update();
}

void TPlayScreen::setBackground(Colour colour) {
    background_ = colour;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::toQColor(colour));
    setPalette(pal);
    // A new colour repaints the window, as any change of the background does.
    requestErase();
}

void TPlayScreen::setupplayscreen() {
    setEnabled(true);
    if (controlPanel_) {
        // At the top right corner of the screen the show plays on.
        controlPanel_->move(x() + width() - controlPanel_->width(), y() + 4);
        controlPanel_->setEnabled(true);
    }
    EraseAllowed = true;
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
    EraseAllowed = false;
    // The four picture holders only hold bitmaps and are never shown.
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
        show_->ShowRunning = false;
    }
    // Steps only run on this thread, so none runs during the wait; the
    // threads are waiting for their next step or sleeping.
    QThread::msleep(200);
    KILLTHREADS();
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
    if (host_) {
        host_->showEditorAfterShow();
    }
    closing_ = false;
}

void TPlayScreen::paintEvent(QPaintEvent* event) {
    if (erasePending_) {
        erasePending_ = false;
        if (EraseAllowed) {
            bands_.clear();
            surface_.fill(platform::toQColor(background_));
        }
    }
    QPainter p(this);
    // Painted in the surface's own pixels, one to one on the screen's,
    // whatever the desktop's scale.
    const qreal ratio = devicePixelRatioF();
    if (!qFuzzyCompare(ratio, 1.0)) {
        p.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio));
    }
    // The surface is opaque: a plain copy, with no blending to work out.
    // Clipped to one rectangle at a time, each copy is a plain block copy;
    // with the whole region as the clip it would be drawn span by span.
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const auto copy = [&p](QPoint to, const QImage& image, const QRect& from) {
        p.setClipRect(QRect(to, from.size()));
        p.drawImage(to, image, from);
    };
    const QRegion need = toPixels(event->region());
    QRegion rest = need;
    for (const QRect& r : rest) {
        pixelsPainted_ += static_cast<long long>(r.width()) * r.height();
    }
    // The moving strips come straight from their bands.
    for (ScrollBand& band : bands_) {
        const QRegion inBand = rest & band.area();
        for (const QRect& r : inBand) {
            band.forEachPiece(r,
                              [&](QPoint to, const QRect& from) { copy(to, band.pixels(), from); });
            band.painted(r);
        }
        rest -= band.area();
    }
    for (const QRect& r : rest) {
        copy(r.topLeft(), surface_, r);
    }
    // The title bars and box frames over the surface, in the order they stand.
    p.setClipping(false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
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
    if (!board_ || !show_) {
        return;
    }
    QFont f = font();
    f.setPixelSize(std::max(1, platform::pointsToPixels(safeFontPoints(board_->ClockFontSize))));
    const QFontMetrics metrics(f);
    const QString text = clockText(QDateTime::currentDateTime());
    const QColor cell = platform::toQColor(background_);
    // The whole line is cleared first, so a shorter text leaves no tail. Both
    // stay in the clock's own band above the crawl strip, however large the
    // clock font: a tall clock is cut off rather than wiping the crawl line.
    const QRect line =
        clockBand(show_->ClockTop, show_->CrawlTop, metrics.height(), surface_.width());
    if (line.isEmpty()) {
        return;
    }
    QPainter p(&surfaceFor(line));
    p.setClipRect(line);
    p.fillRect(line, cell);
    p.setFont(f);
    p.setPen(platform::toQColor(board_->ClockColor));
    const platform::SystemInfo& sys = platform::systemInfo();
    const int x =
        safeBorderWidth(board_->BorderWidth, sys.playScreenWidth(), sys.playScreenHeight());
    p.drawText(x, show_->ClockTop + metrics.ascent(), text);
    p.end();
    markDirty(line);
}

void TPlayScreen::showControlPanel() {
    if (controlPanel_) {
        controlPanel_->show();
        // Also when it was up already: it comes to the front with the keyboard.
        giveKeyboardToPanel();
    }
}

void TPlayScreen::giveKeyboardToPanel() {
    if (auto* panel = qobject_cast<TAlignCntrlBox*>(controlPanel_)) {
        panel->takeKeyboard();
    } else if (controlPanel_) {
        controlPanel_->raise();
        controlPanel_->activateWindow();
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
    update(toWindow(dirty_));
    dirty_ = QRegion();
    frameTimer_->start();
    setupplayscreen();
}

void TPlayScreen::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
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
    requestErase();
}
