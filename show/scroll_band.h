#pragma once

// A rectangle of the screen surface that a show moves by one pixel per step:
// up for a text box, left for the crawl line. Its pixels are kept in a ring,
// so a step turns the ring by one row or column and writes the few pixels
// that change, instead of moving every pixel of the rectangle. The band
// holds exactly the pixels the same steps would leave on the surface;
// `restore` puts them back there.

#include "show/show_state.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <QRegion>

#include <functional>
#include <optional>
#include <vector>

class ScrollBand {
public:
    enum class Direction { Up, Left };

    // Takes the pixels of `area` (on `surface`, at least 2 x 2) from the
    // surface. The surface must be 32 bits per pixel.
    ScrollBand(const QImage& surface, const QRect& area, Direction direction);

    const QRect& area() const { return area_; }
    Direction direction() const { return direction_; }

    // What stretchRow (Up) or stretchColumn (Left) writes onto the surface,
    // written into the band instead. The part of `dest` that lies on the
    // surface must lie inside the area.
    void putRow(const QImage& src, int srcRow, const Rect& dest);
    void putColumn(const QImage& src, int srcCol, const Rect& dest);
    // Moves the band's pixels by one in its direction; the row or column
    // uncovered keeps its pixels, as on the surface.
    void scroll();

    // Writes the band's pixels into `surface` over its area.
    void restore(QImage& surface) const;
    // The pieces of `pixels()` that show `part` of the area (at most two,
    // where the ring wraps): for each, its place on the surface and its
    // rectangle in `pixels()`.
    void forEachPiece(const QRect& part,
                      const std::function<void(QPoint to, const QRect& from)>& piece) const;
    const QImage& pixels() const { return ring_; }

    // The part of the area that the window must be given so that it shows
    // the band as it is now. A band moving up knows, row by row, which
    // columns differ from its key colour (the background of the lines
    // written into it) and which of them the window shows: only what differs
    // in either has to be copied. A band moving left changes everywhere.
    QRegion windowUpdate() const;
    // Notes that the window was given `part` of the band as it is now.
    void painted(const QRect& part);

private:
    // Columns [first, last) of a row, relative to the area.
    struct Span {
        int first = 0;
        int last = 0;
    };

    // Where row (Up) or column (Left) `logical` of the area is in the ring.
    int physical(int logical) const;
    // The columns of ring row `row` that differ from the key colour.
    Span inkOf(int row) const;
    Span all() const { return Span{0, area_.width()}; }
    static Span unite(const Span& a, const Span& b);

    QImage ring_;
    QRect area_;
    Direction direction_;
    int offset_ = 0;
    // Up only: the key colour once a row has been written, the differing
    // columns of each ring row, and what the window shows of each row of
    // the area (everything at first: the band does not know the window).
    std::optional<quint32> key_;
    std::vector<Span> ink_;
    std::vector<Span> shown_;
};
