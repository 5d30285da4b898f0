#pragma once

// Board colours are $00BBGGRR values: red in the low byte.

#include <QColor>

#include <cstdint>

namespace platform {

QColor toQColor(std::uint32_t bgr);
std::uint32_t fromQColor(const QColor& color);

} // namespace platform
