#pragma once

// Pictures in the image area beside text box 1.

#include "persistence/picture_reader.h"
#include "show/show_context.h"
#include "show/show_layout.h"

#include <QString>

class QScreen;

// The image area of the current show, from the box and border sizes as the
// show uses them (within the safe bounds).
ImageArea imageAreaOf(const ShowContext& ctx);

// The image area of the current show, written into the show record.
void computeImageAreaFor(ShowContext& ctx);

// Where pictures go in the current show: the image area, the play screen's
// surface and the image-stretch switch. Main thread.
PicturePlacement placementOf(const ShowContext& ctx);

// Draws a picture read for the image area (see picture_reader.h): stretched
// to fill it when the image-stretch switch is on (after the retrace wait when
// that switch is on), else at its natural size from the area's top-left
// corner, over the area's background. Transparent parts show the play
// screen's background colour. A picture read for another placement
// is fitted to the current one. A picture with nothing to show leaves the
// screen as it was.
void drawPicture(ShowContext& ctx, const AreaPicture& picture);

// Reads the picture file and draws it in the image area. A file that does
// not exist, cannot be read, would take more memory than the screen allows
// or more than the reading budget leaves the screen as it was, silently.
void PlayBitMap(ShowContext& ctx, const QString& fileName);

// Waits for the next frame of the display, never longer than one frame
// period.
void chkcrt(const QScreen* screen);
