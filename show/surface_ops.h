#pragma once

// The pixel operations of a show on the screen surface: copying one row or
// one column of a bitmap into a strip of the screen, and moving a rectangle
// of the screen by one pixel. Everything is clipped to the images, so a
// layout that reaches past the screen draws what fits and nothing else.

#include "show/show_state.h"

#include <QImage>

// Copies row `srcRow` of `src` into `dest` on `dst`, squeezed or stretched to
// the destination's width by taking the nearest source pixel. `dest` is one
// pixel high; a taller one receives the same row on every line.
void stretchRow(const QImage& src, int srcRow, QImage& dst, const Rect& dest);

// Copies column `srcCol` of `src` into `dest` on `dst`, stretched to the
// destination's height the same way.
void stretchColumn(const QImage& src, int srcCol, QImage& dst, const Rect& dest);

// Moves the pixels of `scroll` (clipped to `clip`) by dx, dy, where each of
// dx and dy is -1, 0 or 1. The row or column that is uncovered keeps its old
// pixels. Returns the uncovered rectangle.
Rect scrollSurface(QImage& image, const Rect& scroll, const Rect& clip, int dx, int dy);

// The part of `r` that lies on an image of the given size.
Rect clipToImage(const Rect& r, const QImage& image);

// The pixels that scrollSurface moves: `scroll` within `clip`, on the image.
Rect scrollArea(const QImage& image, const Rect& scroll, const Rect& clip);
