#include "show/control_panel_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

int widthBarMaximum(int screenWidth, int borderWidth) {
    // A border wider than half the screen leaves no room, yet the range of
    // the bar never turns over: its lowest width is 1. A negative border, as
    // a board file may hold, is none at all: the bar never passes the screen.
    const std::int64_t room = std::int64_t(screenWidth) - 2 * std::int64_t(borderWidth);
    return static_cast<int>(std::clamp<std::int64_t>(room, 1, std::max(1, screenWidth)));
}

int titleFontPoints(const QFont& font) {
    if (font.pointSizeF() > 0) {
        return static_cast<int>(std::lround(font.pointSizeF()));
    }
    // Pixels at 96 dots per inch are points times 4/3; the rounding there is
    // at most half a pixel, so rounding back gives the points exactly.
    return static_cast<int>(std::lround(font.pixelSize() * 72.0 / 96.0));
}

int heightBarMinimum(int titlePoints, int barMaximum) {
    return std::clamp(titlePoints, 0, std::max(0, barMaximum));
}

QString threadIdText(long long id) {
    return QString::number(id);
}
