#include "show/scroll_band.h"

#include "show/surface_ops.h"

#include <algorithm>
#include <cstring>

ScrollBand::ScrollBand(const QImage& surface, const QRect& area, Direction direction)
    : ring_(surface.copy(area)), area_(area), direction_(direction) {
    if (direction_ == Direction::Up) {
        ink_.assign(size_t(area_.height()), all());
        shown_.assign(size_t(area_.height()), all());
    }
}

ScrollBand::Span ScrollBand::inkOf(int row) const {
    if (!key_) {
        return all();
    }
    const auto* px = reinterpret_cast<const quint32*>(ring_.constScanLine(row));
    const quint32 key = *key_;
    int first = 0;
    int last = area_.width();
    while (first < last && px[first] == key) {
        ++first;
    }
    while (last > first && px[last - 1] == key) {
        --last;
    }
    return first < last ? Span{first, last} : Span{};
}

ScrollBand::Span ScrollBand::unite(const Span& a, const Span& b) {
    if (a.first >= a.last) {
        return b;
    }
    if (b.first >= b.last) {
        return a;
    }
    return Span{std::min(a.first, b.first), std::max(a.last, b.last)};
}

QRegion ScrollBand::windowUpdate() const {
    if (direction_ != Direction::Up) {
        return QRegion(area_);
    }
    // One rectangle per run of rows that need about the same columns: each
    // rectangle costs a copy of its own, so a few pixels more in fewer
    // rectangles copy faster.
    constexpr int kSlack = 48;
    std::vector<QRect> rects;
    Span run;
    int runTop = 0;
    const auto close = [&](int end) {
        if (run.first < run.last) {
            rects.emplace_back(area_.left() + run.first, area_.top() + runTop, run.last - run.first,
                               end - runTop);
        }
        run = Span{};
    };
    const auto width = [](const Span& s) { return s.last - s.first; };
    for (int y = 0; y < area_.height(); ++y) {
        const Span need = unite(shown_[size_t(y)], ink_[size_t(physical(y))]);
        if (need.first >= need.last) {
            close(y);
            continue;
        }
        const Span joined = unite(run, need);
        if (run.first < run.last && width(joined) <= std::max(width(run), width(need)) + kSlack) {
            run = joined;
            continue;
        }
        close(y);
        run = need;
        runTop = y;
    }
    close(area_.height());
    QRegion region;
    region.setRects(rects.data(), int(rects.size()));
    return region;
}

void ScrollBand::painted(const QRect& part) {
    if (direction_ != Direction::Up) {
        return;
    }
    const QRect p = part & area_;
    const Span given{p.left() - area_.left(), p.right() + 1 - area_.left()};
    for (int y = p.top() - area_.top(); y <= p.bottom() - area_.top(); ++y) {
        Span& shown = shown_[size_t(y)];
        const Span now = ink_[size_t(physical(y))];
        const Span need = unite(shown, now);
        // Outside `need` the window and the band both hold the key colour.
        const bool whole =
            need.first >= need.last || (given.first <= need.first && given.last >= need.last);
        shown = whole ? now : need;
    }
}

int ScrollBand::physical(int logical) const {
    const int size = direction_ == Direction::Up ? area_.height() : area_.width();
    return (logical + offset_) % size;
}

void ScrollBand::putRow(const QImage& src, int srcRow, const Rect& dest) {
    // Each line of `dest` in the area goes to its row of the ring; the row is
    // wrapped in an image of its own, so the copy is stretchRow's very own.
    const int top = std::max(dest.Top, area_.top());
    const int bottom = std::min(dest.Bottom, area_.bottom() + 1);
    for (int y = top; y < bottom; ++y) {
        QImage line(ring_.scanLine(physical(y - area_.top())), area_.width(), 1,
                    ring_.bytesPerLine(), ring_.format());
        stretchRow(src, srcRow, line,
                   Rect{dest.Left - area_.left(), dest.Top - y, dest.Right - area_.left(),
                        dest.Bottom - y});
    }
    if (top >= bottom) {
        return;
    }
    if (!key_) {
        // The background of the lines: the far end of the first row written.
        const int last = std::min(dest.Right, area_.right() + 1) - 1 - area_.left();
        if (last < 0) {
            return;
        }
        key_ = reinterpret_cast<const quint32*>(
            ring_.constScanLine(physical(top - area_.top())))[std::min(last, area_.width() - 1)];
        for (int row = 0; row < area_.height(); ++row) {
            ink_[size_t(row)] = inkOf(row);
        }
        return;
    }
    for (int y = top; y < bottom; ++y) {
        const int row = physical(y - area_.top());
        ink_[size_t(row)] = inkOf(row);
    }
}

void ScrollBand::putColumn(const QImage& src, int srcCol, const Rect& dest) {
    const int left = std::max(dest.Left, area_.left());
    const int right = std::min(dest.Right, area_.right() + 1);
    for (int x = left; x < right; ++x) {
        // One column of the ring: one pixel wide, a ring row apart.
        QImage column(ring_.bits() + qsizetype(physical(x - area_.left())) * 4, 1, area_.height(),
                      ring_.bytesPerLine(), ring_.format());
        stretchColumn(
            src, srcCol, column,
            Rect{dest.Left - x, dest.Top - area_.top(), dest.Right - x, dest.Bottom - area_.top()});
    }
}

void ScrollBand::scroll() {
    if (direction_ == Direction::Up) {
        const int h = area_.height();
        offset_ = (offset_ + 1) % h;
        // The bottom row keeps what it showed, which is now one row up.
        const int to = physical(h - 1);
        const int from = physical(h - 2);
        std::memcpy(ring_.scanLine(to), ring_.constScanLine(from), size_t(area_.width()) * 4);
        ink_[size_t(to)] = ink_[size_t(from)];
        return;
    }
    const int w = area_.width();
    offset_ = (offset_ + 1) % w;
    const int to = physical(w - 1);
    const int from = physical(w - 2);
    for (int y = 0; y < area_.height(); ++y) {
        auto* row = reinterpret_cast<quint32*>(ring_.scanLine(y));
        row[to] = row[from];
    }
}

void ScrollBand::restore(QImage& surface) const {
    forEachPiece(area_, [&](QPoint to, const QRect& from) {
        for (int y = 0; y < from.height(); ++y) {
            std::memcpy(surface.scanLine(to.y() + y) + qsizetype(to.x()) * 4,
                        ring_.constScanLine(from.top() + y) + qsizetype(from.left()) * 4,
                        size_t(from.width()) * 4);
        }
    });
}

void ScrollBand::forEachPiece(const QRect& part,
                              const std::function<void(QPoint, const QRect&)>& piece) const {
    const QRect p = part & area_;
    if (p.isEmpty()) {
        return;
    }
    const int x = p.left() - area_.left();
    const int y = p.top() - area_.top();
    if (direction_ == Direction::Up) {
        const int start = physical(y);
        const int first = std::min(p.height(), area_.height() - start);
        piece(p.topLeft(), QRect(x, start, p.width(), first));
        if (first < p.height()) {
            piece(QPoint(p.left(), p.top() + first), QRect(x, 0, p.width(), p.height() - first));
        }
        return;
    }
    const int start = physical(x);
    const int first = std::min(p.width(), area_.width() - start);
    piece(p.topLeft(), QRect(start, y, first, p.height()));
    if (first < p.width()) {
        piece(QPoint(p.left() + first, p.top()), QRect(0, y, p.width() - first, p.height()));
    }
}
