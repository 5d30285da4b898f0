#include "show/surface_ops.h"

#include <algorithm>
#include <cstring>

namespace {

Rect intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
           std::min(a.Bottom, b.Bottom)};
    if (r.Right < r.Left) {
        r.Right = r.Left;
    }
    if (r.Bottom < r.Top) {
        r.Bottom = r.Top;
    }
    return r;
}

bool is32Bit(const QImage& image) {
    return image.depth() == 32;
}

} // namespace

Rect clipToImage(const Rect& r, const QImage& image) {
    return intersect(r, Rect{0, 0, image.width(), image.height()});
}

Rect scrollArea(const QImage& image, const Rect& scroll, const Rect& clip) {
    return clipToImage(intersect(scroll, clip), image);
}

void stretchRow(const QImage& src, int srcRow, QImage& dst, const Rect& dest) {
    if (src.isNull() || dst.isNull() || !is32Bit(src) || !is32Bit(dst) || srcRow < 0 ||
        srcRow >= src.height() || dest.width() <= 0 || dest.height() <= 0) {
        return;
    }
    const Rect visible = clipToImage(dest, dst);
    if (visible.width() <= 0 || visible.height() <= 0) {
        return;
    }
    const auto* from = reinterpret_cast<const quint32*>(src.constScanLine(srcRow));
    const int sw = src.width();
    const qint64 dw = dest.width();
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        auto* to = reinterpret_cast<quint32*>(dst.scanLine(y));
        if (dw == sw) {
            std::memcpy(to + visible.Left, from + (visible.Left - dest.Left),
                        static_cast<size_t>(visible.width()) * sizeof(quint32));
            continue;
        }
        for (int x = visible.Left; x < visible.Right; ++x) {
            const auto sx = static_cast<int>((static_cast<qint64>(x - dest.Left) * sw) / dw);
            to[x] = from[sx];
        }
    }
}

void stretchColumn(const QImage& src, int srcCol, QImage& dst, const Rect& dest) {
    if (src.isNull() || dst.isNull() || !is32Bit(src) || !is32Bit(dst) || srcCol < 0 ||
        srcCol >= src.width() || dest.width() <= 0 || dest.height() <= 0) {
        return;
    }
    const Rect visible = clipToImage(dest, dst);
    if (visible.width() <= 0 || visible.height() <= 0) {
        return;
    }
    const int sh = src.height();
    const qint64 dh = dest.height();
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        const auto sy = static_cast<int>((static_cast<qint64>(y - dest.Top) * sh) / dh);
        const quint32 pixel = reinterpret_cast<const quint32*>(src.constScanLine(sy))[srcCol];
        auto* to = reinterpret_cast<quint32*>(dst.scanLine(y));
        for (int x = visible.Left; x < visible.Right; ++x) {
            to[x] = pixel;
        }
    }
}

Rect scrollSurface(QImage& image, const Rect& scroll, const Rect& clip, int dx, int dy) {
    const Rect area = scrollArea(image, scroll, clip);
    if (image.isNull() || !is32Bit(image) || area.width() <= 0 || area.height() <= 0) {
        return Rect{};
    }
    const int w = area.width();
    const int h = area.height();
    const qsizetype stride = image.bytesPerLine();
    uchar* bits = image.bits();
    const auto at = [&](int x, int y) { return bits + y * stride + x * qsizetype(4); };

    if (dy == -1 && h > 1) {
        const bool wholeRows = (area.Left == 0 && w == image.width());
        if (wholeRows) {
            // Whole rows lie end to end: one move covers the rectangle.
            std::memmove(at(0, area.Top), at(0, area.Top + 1), stride * (h - 1));
        } else {
            for (int y = area.Top; y < area.Bottom - 1; ++y) {
                std::memcpy(at(area.Left, y), at(area.Left, y + 1), size_t(w) * 4);
            }
        }
        return Rect{area.Left, area.Bottom - 1, area.Right, area.Bottom};
    }
    if (dy == 1 && h > 1) {
        for (int y = area.Bottom - 1; y > area.Top; --y) {
            std::memcpy(at(area.Left, y), at(area.Left, y - 1), size_t(w) * 4);
        }
        return Rect{area.Left, area.Top, area.Right, area.Top + 1};
    }
    if (dx == -1 && w > 1) {
        for (int y = area.Top; y < area.Bottom; ++y) {
            std::memmove(at(area.Left, y), at(area.Left + 1, y), size_t(w - 1) * 4);
        }
        return Rect{area.Right - 1, area.Top, area.Right, area.Bottom};
    }
    if (dx == 1 && w > 1) {
        for (int y = area.Top; y < area.Bottom; ++y) {
            std::memmove(at(area.Left + 1, y), at(area.Left, y), size_t(w - 1) * 4);
        }
        return Rect{area.Left, area.Top, area.Left + 1, area.Bottom};
    }
    return Rect{};
}
