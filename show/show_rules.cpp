#include "show/show_rules.h"

#include <algorithm>
#include <tuple>

bool textTakesPart(const QString& text) {
    return QString::compare(text, QStringLiteral(" "), Qt::CaseSensitive) > 0;
}

bool PROJECTISVALID(const ShowState& show, bool clockOn) {
    return show.MainTitleOn || show.SecondTitleOn || show.Box1On || show.Box2On || show.CrawlOn ||
           clockOn;
}

ElementFlags elementFlagsFor(const ShowTexts& texts) {
    ElementFlags f;
    f.Box1On = !texts.Text1Lines.isEmpty();
    f.Box2On = !texts.Text2Lines.isEmpty();
    f.MainTitleOn = textTakesPart(texts.MainTitle);
    f.SecondTitleOn = textTakesPart(texts.SecondTitle);
    f.CrawlOn = texts.LiveCrawl || textTakesPart(texts.CrawlLine);
    return f;
}

ElementFlags elementFlagsOf(const ShowState& show) {
    return ElementFlags{show.Box1On, show.Box2On, show.MainTitleOn, show.SecondTitleOn,
                        show.CrawlOn};
}

void setElementFlags(ShowState& show, const ElementFlags& flags) {
    show.Box1On = flags.Box1On;
    show.Box2On = flags.Box2On;
    show.MainTitleOn = flags.MainTitleOn;
    show.SecondTitleOn = flags.SecondTitleOn;
    show.CrawlOn = flags.CrawlOn;
}

bool markerModeFor(const ShowTexts& texts, bool box1On) {
    return box1On && bmpcheck(texts.ImageList) &&
           std::any_of(texts.Text1Lines.cbegin(), texts.Text1Lines.cend(), lineHasMarker);
}

namespace {

// Everything of a board that the show's layout, drawing and pace read.
auto showSettings(const BoardState& b) {
    return std::make_tuple(
        b.PagePause1.load(), b.PagePause2, b.Box1Width, b.Box2Width, b.BorderWidth,
        b.Box1PageHeight.load(), b.Box2PageHeight, b.Box1Height, b.Box2Height, b.ClockOn,
        b.CenterText1, b.CenterText2, b.CTMFlag, b.Text1Color, b.Text1BackColor, b.Text1FontSize,
        b.Box1Delay.load(), b.Text2FontName, b.Text1FontName, b.PlayBackColor, b.Text2Color,
        b.Text2BackColor, b.Text2FontSize, b.Box2Delay.load(), b.MainTitleFontSize,
        b.SecondTitleFontSize, b.MainTitleFontName, b.SecondTitleFontName, b.ClockColor,
        b.MainTitleBackColor, b.SecondTitleBackColor, b.MainTitleColor, b.SecondTitleColor,
        b.ClockFontSize, b.CrawlFontSize, b.CrawlDelay.load(), b.ClockFontName, b.CrawlFontName,
        b.ClockBackColor, b.CrawlColor, b.CrawlBackColor);
}

} // namespace

bool sameShowSettings(const BoardState& a, const BoardState& b) {
    return showSettings(a) == showSettings(b);
}

const QStringList& pictureSuffixes() {
    static const QStringList suffixes{QStringLiteral("bmp"), QStringLiteral("png"),
                                      QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                      QStringLiteral("gif"), QStringLiteral("webp"),
                                      QStringLiteral("tif"), QStringLiteral("tiff")};
    return suffixes;
}

const QStringList& movieSuffixes() {
    static const QStringList suffixes{
        QStringLiteral("avi"),  QStringLiteral("mp4"), QStringLiteral("m4v"), QStringLiteral("mkv"),
        QStringLiteral("webm"), QStringLiteral("mov"), QStringLiteral("mpg")};
    return suffixes;
}

bool isBitmapEntry(const QString& entry) {
    // Any name ending in the three letters, dot or not, as the list always had it.
    if (entry.right(3).toUpper() == QStringLiteral("BMP")) {
        return true;
    }
    for (const QString& suffix : pictureSuffixes()) {
        if (entry.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

bool bmpcheck(const QStringList& entries) {
    for (const QString& e : entries) {
        if (isBitmapEntry(e)) {
            return true;
        }
    }
    return false;
}

bool lineHasMarker(const QString& line) {
    return line.contains(QStringLiteral("//")) && line.contains(QStringLiteral("\\\\"));
}

std::int32_t memoWidthDuringShow(std::int32_t boxWidth, std::int32_t editorWidth) {
    const std::int32_t half = boxWidth / 2;
    return editorWidth > half ? half : editorWidth - 65;
}

std::int32_t box1WidthAfterLoad(std::int32_t screenWidth, std::int32_t imageAreaWidth) {
    return imageAreaWidth > 0 ? screenWidth - imageAreaWidth : screenWidth;
}
