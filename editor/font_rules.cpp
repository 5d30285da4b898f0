#include "editor/font_rules.h"

#include "persistence/text_file.h"
#include "platform/fonts.h"
#include "show/clock_format.h"
#include "show/safe_bounds.h"

#include <QTextBlock>
#include <QTextDocument>

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

QStringList leadingTextLines(const QTextDocument& document, int count) {
    QString text;
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) {
            text += QLatin1Char('\n');
        }
        // The same characters as in the document's plain text.
        for (QChar c : block.text()) {
            if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator ||
                c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1) {
                c = QLatin1Char('\n');
            } else if (c == QChar::Nbsp) {
                c = QLatin1Char(' ');
            }
            text += c;
        }
        lines = splitTextLines(text);
        // A line after the last one wanted means that one is whole.
        if (lines.size() > count) {
            break;
        }
    }
    return lines.mid(0, count);
}

int samplePixelSize(int points) {
    return std::max(1, platform::pointsToPixels(safeFontPoints(points)));
}

FontTarget fontTarget(BoardState& board, BoardElement element, std::function<QString()> sample) {
    const ElementFields f = elementFields(board, element);
    return {f.fontSize, f.fontName, f.fontColour, std::move(sample)};
}
