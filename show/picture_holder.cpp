#include "show/picture_holder.h"

#include "platform/colors.h"
#include "platform/fonts.h"
#include "show/safe_bounds.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// A bitmap of the given size filled with `fill`; a size that is not positive
// gives an empty bitmap rather than a failed one.
QImage filledBitmap(int width, int height, Colour fill) {
    if (width <= 0 || height <= 0) {
        return QImage();
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(platform::toQColor(fill));
    return image;
}

} // namespace

int prepareLineBitmap(PictureHolder& holder, const QString& face, int points, Colour color,
                      Colour back, int width) {
    holder.font = platform::boardFont(face, safeFontPoints(points));
    holder.color = color;
    holder.brush = back;
    const int height = QFontMetrics(holder.font).height();
    holder.bitmap = filledBitmap(width, height, back);
    return height;
}

int renderCrawlBitmap(PictureHolder& holder, const QString& text, const QString& face, int points,
                      Colour color, Colour back) {
    holder.font = platform::boardFont(face, safeFontPoints(points));
    holder.color = color;
    holder.brush = back;
    const QFontMetrics metrics(holder.font);
    const int height = metrics.height();
    // However long the crawl line, its bitmap stays within a fixed number of
    // pixels: a longer text is cut to what fits, and repeats from there.
    const QString shown = textWithinWidth(safeLineText(text), metrics, crawlWidthLimit(height));
    const int width = std::max(0, metrics.horizontalAdvance(shown));
    holder.bitmap = filledBitmap(width, height, back);
    if (!holder.bitmap.isNull()) {
        QPainter painter(&holder.bitmap);
        painter.setFont(holder.font);
        painter.setPen(platform::toQColor(color));
        painter.drawText(0, metrics.ascent(), shown);
    }
    return height;
}
