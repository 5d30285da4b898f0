#pragma once

// The item titles of a news feed: RSS 2.0 (and 0.9x), RSS 1.0 (RDF) and
// Atom. The reader expands no entities of its own making: a document with a
// document type declaration, or with an entity the XML itself does not
// define, is refused, so a small feed can never grow into a large one.
// Needs Qt Core only, so that the fuzzer builds it alone.

#include <QByteArray>
#include <QString>
#include <QStringList>

// A crawl line shows a few dozen titles at most; a feed of thousands would
// only cost memory and time.
inline constexpr qsizetype kMaxFeedItems = 200;
// A title longer than this is cut, its last character an ellipsis.
inline constexpr qsizetype kMaxFeedTitleChars = 300;

struct FeedParse {
    QStringList titles; // cleaned, none empty; empty when there is an error
    QString error;      // a sentence for the operator, empty on success
    bool ok() const { return error.isEmpty(); }
};

// Reads the titles of the feed's items, in the feed's order, at most
// kMaxFeedItems of them. A feed without one non-empty title is an error.
FeedParse parseFeed(const QByteArray& xml);

// A title as the crawl line shows it: control characters removed, runs of
// white space made one blank, trimmed, and cut to kMaxFeedTitleChars.
QString cleanFeedTitle(const QString& title);

// The text of an HTML fragment: tags removed, then the character references
// and the common named entities replaced.
QString htmlToPlainText(const QString& html);
