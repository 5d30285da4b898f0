#pragma once

// The crawl line's items while a show plays, from a text file or a news
// feed, and the check of a feed's address before it is fetched.

#include <QString>
#include <QStringList>

// The items as one crawl line: each trimmed, blank ones left out, with
// `separator` between two items (not before the first or after the last).
QString joinCrawlItems(const QStringList& items, const QString& separator);

// The items of a text file: its lines trimmed of blanks, empty ones left out.
QStringList crawlItemsFromLines(const QStringList& lines);

// Empty when `url` is an absolute http or https address with a host name;
// otherwise a sentence that says what is wrong with it.
QString crawlFeedUrlProblem(const QString& url);
