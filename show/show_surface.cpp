#include "show/show_surface.h"

#include "platform/colors.h"
#include "platform/fonts.h"
#include "platform/system_info.h"
#include "show/clock_format.h"
#include "show/safe_bounds.h"
#include "show/surface_ops.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

QRect coverScaled(const QRect& r, qreal factor) {
    const int left = static_cast<int>(std::floor(r.x() * factor));
    const int top = static_cast<int>(std::floor(r.y() * factor));
    const int right = static_cast<int>(std::ceil((r.x() + r.width()) * factor));
    const int bottom = static_cast<int>(std::ceil((r.y() + r.height()) * factor));
    return QRect(left, top, right - left, bottom - top);
}

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

ShowSurface::ShowSurface(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("ShowSurface"));
    resize(1, 1);
}

ShowSurface::~ShowSurface() = default;

void ShowSurface::resize(int width, int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    if (image_.width() == width && image_.height() == height) {
        return;
    }
    bands_.clear();
    image_ = QImage(width, height, QImage::Format_RGB32);
    image_.fill(platform::toQColor(background_));
    emit repaintNeeded();
}

void ShowSurface::setScreen(QScreen* target) {
    screen_ = target;
    ratio_ = target ? target->devicePixelRatio() : 1.0;
}

void ShowSurface::markDirty(const QRect& rect) {
    dirty_ += rect;
}

QImage& ShowSurface::imageFor(const QRect& part) {
    settleBands(part);
    return image_;
}

void ShowSurface::settleBands(const QRect& part) {
    std::erase_if(bands_, [&](const ScrollBand& band) {
        if (!band.area().intersects(part)) {
            return false;
        }
        band.restore(image_);
        return true;
    });
}

ScrollBand* ShowSurface::bandFor(const Rect& dest, const Rect& scroll, const Rect& clip,
                                 ScrollBand::Direction direction) {
    const QRect area = scrollArea(image_, scroll, clip).toQRect();
    const QRect written = clipToImage(dest, image_).toQRect();
    if (area.width() < 2 || area.height() < 2 || image_.depth() != 32 ||
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
    bands_.emplace_back(image_, area, direction);
    return &bands_.back();
}

Rect ShowSurface::scrollUpStep(const QImage& line, int srcRow, const Rect& dest, const Rect& scroll,
                               const Rect& clip) {
    return moveStep(ScrollBand::Direction::Up, line, srcRow, dest, scroll, clip);
}

Rect ShowSurface::scrollLeftStep(const QImage& bitmap, int srcCol, const Rect& dest,
                                 const Rect& scroll, const Rect& clip) {
    return moveStep(ScrollBand::Direction::Left, bitmap, srcCol, dest, scroll, clip);
}

Rect ShowSurface::moveStep(ScrollBand::Direction direction, const QImage& src, int index,
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
        stretchRow(src, index, image_, dest);
        uncovered = scrollSurface(image_, scroll, clip, 0, -1);
    } else {
        stretchColumn(src, index, image_, dest);
        uncovered = scrollSurface(image_, scroll, clip, -1, 0);
    }
    markDirty(clipToImage(scroll, image_).toQRect());
    return uncovered;
}

QRegion ShowSurface::takeDirty() {
    // Of a moving strip, only what the window does not show yet.
    QRegion region = dirty_;
    dirty_ = QRegion();
    for (const ScrollBand& band : bands_) {
        if (region.intersects(band.area())) {
            region -= band.area();
            region += band.windowUpdate();
        }
    }
    return region;
}

void ShowSurface::erase() {
    bands_.clear();
    image_.fill(platform::toQColor(background_));
}

void ShowSurface::requestErase() {
    // Erased at once when allowed, so that a screen that is not painted yet
    // does not keep the last show's pixels; a later paint checks again.
    if (EraseAllowed) {
        erase();
    }
    erasePending_ = true;
    emit repaintNeeded();
}

void ShowSurface::setBackground(Colour colour) {
    background_ = colour;
    // A new colour repaints the window, as any change of the background does.
    requestErase();
}

long long ShowSurface::paint(QPainter& p, const QRegion& need) {
    if (erasePending_) {
        erasePending_ = false;
        if (EraseAllowed) {
            erase();
        }
    }
    // The image is opaque: a plain copy, with no blending to work out.
    // Clipped to one rectangle at a time, each copy is a plain block copy;
    // with the whole region as the clip it would be drawn span by span.
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const auto copy = [&p](QPoint to, const QImage& image, const QRect& from) {
        p.setClipRect(QRect(to, from.size()));
        p.drawImage(to, image, from);
    };
    long long pixels = 0;
    QRegion rest = need & image_.rect();
    for (const QRect& r : rest) {
        pixels += static_cast<long long>(r.width()) * r.height();
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
        copy(r.topLeft(), image_, r);
    }
    p.setClipping(false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return pixels;
}

void ShowSurface::drawClock(const BoardState& board, const ShowState& show, const QDateTime& now) {
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(std::max(1, platform::pointsToPixels(safeFontPoints(board.ClockFontSize))));
    const QFontMetrics metrics(f);
    const QString text = clockText(now);
    const QColor cell = platform::toQColor(background_);
    // The whole line is cleared first, so a shorter text leaves no tail. Both
    // stay in the clock's own band above the crawl strip, however large the
    // clock font: a tall clock is cut off rather than wiping the crawl line.
    const QRect line = clockBand(show.ClockTop, show.CrawlTop, metrics.height(), image_.width());
    if (line.isEmpty()) {
        return;
    }
    QPainter p(&imageFor(line));
    p.setClipRect(line);
    p.fillRect(line, cell);
    p.setFont(f);
    p.setPen(platform::toQColor(board.ClockColor));
    const platform::SystemInfo& sys = platform::systemInfo();
    const int x = safeBorderWidth(board.BorderWidth, sys.playScreenWidth(), sys.playScreenHeight());
    p.drawText(x, show.ClockTop + metrics.ascent(), text);
    p.end();
    markDirty(line);
}
