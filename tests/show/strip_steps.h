#pragma once

// Moving strips for tests: bitmaps whose misplaced pixels show, and one step
// of a text box or the crawl line on a show surface and on a plain image.

#include "show/show_surface.h"
#include "show/surface_ops.h"

#include <QImage>

#include <random>

namespace strips {

enum class Move { Up, Left };

// A bitmap whose every pixel differs from its neighbours, so that a pixel in
// the wrong place shows.
inline QImage speckled(int w, int h, unsigned seed) {
    QImage img(w, h, QImage::Format_RGB32);
    std::mt19937 random(seed);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            img.setPixel(x, y, 0xFF000000u | (random() & 0xFFFFFFu));
        }
    }
    return img;
}

// Text-like lines: a background with ink from the left over a width that
// changes from row to row, and blank rows between.
inline QImage inkRows(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(0, 0, 128));
    for (int y = 0; y < h; ++y) {
        const int ink = (y % 5 == 4) ? 0 : (y * 37) % 120;
        for (int x = 0; x < ink; ++x) {
            img.setPixel(x, y, qRgb(255, (x * 7 + y) & 0xFF, 0));
        }
    }
    return img;
}

struct Strip {
    Move move;
    QImage source;
    Rect dest;
    Rect scroll;
    Rect clip;
};

// One step on a show surface, and the same step on a plain image.
inline Rect step(ShowSurface& surface, const Strip& s, int n) {
    if (s.move == Move::Up) {
        return surface.scrollUpStep(s.source, n % s.source.height(), s.dest, s.scroll, s.clip);
    }
    return surface.scrollLeftStep(s.source, n % s.source.width(), s.dest, s.scroll, s.clip);
}

inline Rect step(QImage& image, const Strip& s, int n) {
    if (s.move == Move::Up) {
        stretchRow(s.source, n % s.source.height(), image, s.dest);
        return scrollSurface(image, s.scroll, s.clip, 0, -1);
    }
    stretchColumn(s.source, n % s.source.width(), image, s.dest);
    return scrollSurface(image, s.scroll, s.clip, -1, 0);
}

} // namespace strips
