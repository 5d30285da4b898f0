#include "editor/font_rules.h"

#include "platform/fonts.h"
#include "show/clock_format.h"
#include "show/safe_bounds.h"

#include <algorithm>
#include <utility>

int chooserFontSize(int stored) {
    return std::clamp(stored, kChooserMinSize, kChooserMaxSize);
}

QStringList sortedFamilies(QStringList families) {
    std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return families;
}

QString fontSampleText(BoardElement element, const QStringList& boxLines, const QDateTime& now) {
    if (element == BoardElement::Clock) {
        return clockText(now);
    }
    return boxLines.value(isTextObject(element) ? 1 : 0);
}

int samplePixelSize(int points) {
    return std::max(1, platform::pointsToPixels(safeFontPoints(points)));
}

FontTarget fontTarget(BoardState& board, BoardElement element, std::function<QString()> sample) {
    const ElementFields f = elementFields(board, element);
    return {f.fontSize, f.fontName, f.fontColour, std::move(sample)};
}
