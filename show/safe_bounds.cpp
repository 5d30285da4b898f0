#include "show/safe_bounds.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

int clampTo(std::int64_t value, std::int64_t low, std::int64_t high) {
    return static_cast<int>(std::clamp(value, low, std::max(low, high)));
}

// Never cuts between the two halves of a surrogate pair.
qsizetype wholeCharacters(const QString& text, qsizetype count) {
    if (count > 0 && count < text.size() && text.at(count - 1).isHighSurrogate()) {
        return count - 1;
    }
    return count;
}

} // namespace

int safeFontPoints(int points) {
    return std::clamp(points, kMinFontPoints, kMaxFontPoints);
}

int safeLength(int length, int screenExtent) {
    return clampTo(length, 0, std::int64_t(kScreensPerLength) * std::max(1, screenExtent));
}

int safeBorderWidth(int border, int screenWidth, int screenHeight) {
    return safeLength(border, std::max(screenWidth, screenHeight));
}

int safeDelayMs(int ms) {
    return std::clamp(ms, 0, kMaxStepDelayMs);
}

int safeSlideSeconds(int seconds) {
    return std::clamp(seconds, 1, kMaxSlideSeconds);
}

QString safeLineText(const QString& text) {
    if (text.size() <= kMaxLineChars) {
        return text;
    }
    return text.left(wholeCharacters(text, kMaxLineChars));
}

int crawlWidthLimit(int lineHeight) {
    return static_cast<int>(kMaxCrawlBitmapPixels / std::max(1, lineHeight));
}

QString textWithinWidth(const QString& text, const QFontMetrics& metrics, int maxWidth) {
    if (metrics.horizontalAdvance(text) <= maxWidth) {
        return text;
    }
    // Widths grow with the characters taken: halve the range until the
    // longest start that still fits is found. `fits` always fits; `over` not.
    qsizetype fits = 0;
    qsizetype over = text.size();
    while (over - fits > 1) {
        const qsizetype mid = fits + (over - fits) / 2;
        if (metrics.horizontalAdvance(text.left(mid)) <= maxWidth) {
            fits = mid;
        } else {
            over = mid;
        }
    }
    return text.left(wholeCharacters(text, fits));
}
