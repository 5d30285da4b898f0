#pragma once

// Pictures in the image area beside text box 1.

#include "show/show_startup.h"

#include <QImage>
#include <QString>

class QWidget;

// The image area of the current show, from the box and border sizes as the
// show uses them (within the safe bounds).
ImageArea imageAreaOf(const ShowContext& ctx);

// The image area of the current show, written into the show record.
void computeImageAreaFor(ShowContext& ctx);

// Reads a picture file in true colour (its palette is not used). Safe on any
// thread, so the slideshow reads its next picture away from the main thread.
// A null image when the file does not exist or cannot be read.
QImage loadPicture(const QString& fileName);

// Draws a loaded picture in the image area: stretched to fill it when the
// image-stretch switch is on (after the retrace wait when that switch is on),
// else at its natural size from the area's top-left corner. `prestretched`,
// when it has the size of the area, is the picture already stretched to it
// and is drawn as it is. A null picture leaves the screen as it was.
void drawPicture(ShowContext& ctx, const QImage& picture, const QImage& prestretched = QImage());

// Reads the picture file and draws it in the image area. A file that does
// not exist or cannot be read leaves the screen as it was, silently.
void PlayBitMap(ShowContext& ctx, const QString& fileName);

// Waits for the next frame of the display, never longer than one frame
// period.
void chkcrt(const QWidget* window);
