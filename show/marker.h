#pragma once

// Picture markers in text object 1: "//", a number N and two backslashes. As
// such a line scrolls in, entry N of the image list is shown and the line is
// drawn with the marker taken out.

#include <QString>

#include <cstdint>

// Reads a marker number the lenient way: leading blanks are skipped, a sign
// and a "$" prefix for hexadecimal are accepted, and reading stops at the
// first character that does not belong to the number, the digits read so far
// counting. A "-" sign counts only when the digits run to the end; an empty
// text gives 0.
std::int64_t markerNumber(const QString& text);

struct MarkerResult {
    QString text;     // what to draw
    int picture = -1; // image-list entry to show, -1 for none
};

// Applies the marker rules to a line of at most 255 characters, given how
// many entries the image list holds. A line whose two backslashes come before
// its "//" is drawn as it stands and shows no picture.
MarkerResult ParseMarker(const QString& line, int imageCount);
