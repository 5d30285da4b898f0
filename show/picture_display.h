#pragma once

// Pictures in the image area beside text box 1.

#include "show/show_startup.h"

#include <QString>

class QWidget;

// The image area of the current show, written into the show record.
void computeImageAreaFor(ShowContext& ctx);

// Draws the picture file in the image area: stretched to fill it when the
// image-stretch switch is on (after the retrace wait when that switch is on),
// else at its natural size from the area's top-left corner. A file that does
// not exist or cannot be read leaves the screen as it was, silently.
void PlayBitMap(ShowContext& ctx, const QString& fileName);

// Waits for the next frame of the display, never longer than one frame
// period.
void chkcrt(const QWidget* window);
