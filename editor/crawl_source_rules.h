#pragma once

// The plain rules behind the "Crawl Source…" dialog: what it starts from,
// when its OK is refused, and how the choice lands in the board.

#include "board/board_state.h"

#include <QString>

#include <cstdint>

enum class CrawlSourceKind { CrawlLine, TextFile, NewsFeed };

// The longest time between two fetches of a feed the dialog offers: a day.
inline constexpr std::int32_t kMaxCrawlRefresh = 86400;

// What the dialog shows and gives back. Both the file and the feed are kept
// while the operator switches between them; only the chosen one is used.
struct CrawlSourceChoice {
    CrawlSourceKind kind = CrawlSourceKind::CrawlLine;
    QString file;
    QString feed;
    std::int32_t refresh = kDefaultCrawlRefresh;
    QString separator = QString::fromUtf8(kDefaultCrawlSeparator);

    bool operator==(const CrawlSourceChoice&) const = default;
};

// The board's crawl source as the dialog opens on it: a text file when one
// is set, else a news feed when one is set, else the crawl line; the refresh
// within what the dialog offers.
CrawlSourceChoice crawlSourceOf(const BoardState& board);

// Why the choice cannot be taken, as the operator reads it, or an empty text
// when it can. A file is looked for on disk.
QString crawlSourceProblem(const CrawlSourceChoice& choice);

// Sets the board's four crawl source fields from an acceptable choice: the
// source not chosen is cleared, a relative file name is taken from the
// working folder now, an address loses its outer blanks. True when any field
// changed.
bool applyCrawlSource(const CrawlSourceChoice& choice, BoardState& board);

// Two sample items joined by the separator, its blanks shown as open boxes,
// so that the operator sees how many there are.
QString separatorSample(const QString& separator);
