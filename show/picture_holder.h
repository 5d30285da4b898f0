#pragma once

// An invisible holder of one off-screen bitmap and the drawing settings of
// its surface: the font, the text colour and the brush (background) colour.

#include "board/board_state.h"

#include <QFont>
#include <QImage>

struct PictureHolder {
    QImage bitmap;
    QFont font;
    Colour color = 0xFFFFFF;
    Colour brush = 0;
};

// Sets a text box's line bitmap up for a show: its font and colours, the
// given width, one text line ("Wg") high, filled with the brush colour.
// Returns the bitmap's height. The size in points is taken within the show's
// font bounds; the width is the caller's to bound.
int prepareLineBitmap(PictureHolder& holder, const QString& face, int points, Colour color,
                      Colour back, int width);

// Renders the whole crawl line into the crawl bitmap: as wide as the text,
// one line high, the text drawn at (0, 0) on an opaque cell of the back colour.
// Returns the bitmap's height. The font size is taken within the show's
// bounds, and a text too long for the crawl bitmap's bound is cut to the
// characters that fit.
int renderCrawlBitmap(PictureHolder& holder, const QString& text, const QString& face, int points,
                      Colour color, Colour back);
