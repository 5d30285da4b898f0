// The feed reader on any bytes: it always ends, and what it hands the crawl
// line is within bounds whatever the document declares: at most 200 titles,
// none empty, none longer than 300 characters, none holding a control
// character or a run of blanks. A refusal says why and hands over nothing.
// The title cleaning, on the bytes as text, gives what it gives again.

#include "live/feed_parser.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

void check(bool property) {
    if (!property) {
        __builtin_trap();
    }
}

bool isCleanTitle(const QString& title) {
    if (title.isEmpty() || title.size() > kMaxFeedTitleChars || title != title.trimmed()) {
        return false;
    }
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (title[i].category() == QChar::Other_Control ||
            (title[i].isSpace() &&
             (title[i] != u' ' || (i + 1 < title.size() && title[i + 1] == u' ')))) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const FeedParse parse = parseFeed(bytes);
    check(parse.ok() != parse.titles.isEmpty());
    check(parse.titles.size() <= kMaxFeedItems);
    for (const QString& title : parse.titles) {
        check(isCleanTitle(title));
    }

    const QString text = QString::fromUtf8(bytes);
    const QString clean = cleanFeedTitle(text);
    check(clean.isEmpty() || isCleanTitle(clean));
    check(cleanFeedTitle(clean) == clean);
    const QString plain = cleanFeedTitle(htmlToPlainText(text));
    check(plain.isEmpty() || isCleanTitle(plain));
    return 0;
}
