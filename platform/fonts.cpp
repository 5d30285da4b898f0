#include "platform/fonts.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace platform {

namespace {

constexpr std::int64_t kLogicalDpi = 96;
constexpr std::int64_t kPointsPerInch = 72;

} // namespace

// Rounds points * 96 / 72 to the nearest integer. A size of zero or less
// gives 0 pixels: no board text is drawn at a negative size, and callers
// that need a visible font clamp to at least one pixel themselves.
int pointsToPixels(int points) {
    if (points <= 0) {
        return 0;
    }
    // Rounding half away from zero on a positive value is adding half the
    // divisor before dividing; 64-bit arithmetic keeps large sizes exact.
    const std::int64_t scaled =
        (static_cast<std::int64_t>(points) * kLogicalDpi * 2 + kPointsPerInch) /
        (kPointsPerInch * 2);
    return static_cast<int>(std::min<std::int64_t>(scaled, std::numeric_limits<int>::max()));
}

QFont boardFont(const QString& face, int points, bool bold) {
    QFont font;
    if (!face.isEmpty()) {
        font.setFamily(face);
    }
    font.setPixelSize(std::max(1, pointsToPixels(points)));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    return font;
}

} // namespace platform
