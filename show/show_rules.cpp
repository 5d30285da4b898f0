#include "show/show_rules.h"

bool textTakesPart(const QString& text) {
    return QString::compare(text, QStringLiteral(" "), Qt::CaseSensitive) > 0;
}

bool PROJECTISVALID(const ShowState& show, bool clockOn) {
    return show.MainTitleOn || show.SecondTitleOn || show.Box1On || show.Box2On || show.CrawlOn ||
           clockOn;
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
