#include "platform/colors.h"

namespace platform {

QColor toQColor(std::uint32_t bgr) {
    // The top byte carries no colour and is ignored.
    const int red = static_cast<int>(bgr & 0xFFu);
    const int green = static_cast<int>((bgr >> 8) & 0xFFu);
    const int blue = static_cast<int>((bgr >> 16) & 0xFFu);
    return QColor(red, green, blue);
}

std::uint32_t fromQColor(const QColor& color) {
    // Alpha is dropped: board colours are always opaque.
    const QColor rgb = color.toRgb();
    return static_cast<std::uint32_t>(rgb.red()) | (static_cast<std::uint32_t>(rgb.green()) << 8) |
           (static_cast<std::uint32_t>(rgb.blue()) << 16);
}

} // namespace platform
