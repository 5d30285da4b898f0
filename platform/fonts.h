#pragma once

// A font size in points becomes a pixel size here and nowhere else, at a
// fixed 96 logical dots per inch, so that layouts and line heights do not
// depend on the display.

#include <QFont>
#include <QString>

namespace platform {

int pointsToPixels(int points);

// A font of the given face and size in points, regular or bold.
QFont boardFont(const QString& face, int points, bool bold = false);

} // namespace platform
