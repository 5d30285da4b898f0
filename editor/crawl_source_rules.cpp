#include "editor/crawl_source_rules.h"

#include "live/crawl_items.h"
#include "persistence/text_file.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

CrawlSourceChoice crawlSourceOf(const BoardState& board) {
    CrawlSourceChoice choice;
    if (!board.CrawlFile.isEmpty()) {
        choice.kind = CrawlSourceKind::TextFile;
    } else if (!board.CrawlFeed.isEmpty()) {
        choice.kind = CrawlSourceKind::NewsFeed;
    }
    choice.file = board.CrawlFile;
    choice.feed = board.CrawlFeed;
    choice.refresh = std::clamp(board.CrawlRefresh, kMinCrawlRefresh, kMaxCrawlRefresh);
    choice.separator = board.CrawlSeparator;
    return choice;
}

QString crawlSourceProblem(const CrawlSourceChoice& choice) {
    // A board file keeps each value on one line.
    if (holdsLineBreak(choice.separator)) {
        return QStringLiteral("The separator holds a line break, which a configuration file "
                              "cannot keep.");
    }
    switch (choice.kind) {
    case CrawlSourceKind::CrawlLine:
        return {};
    case CrawlSourceKind::TextFile: {
        if (choice.file.trimmed().isEmpty()) {
            return QStringLiteral("Choose the text file the crawl line takes its items from.");
        }
        if (holdsLineBreak(choice.file)) {
            return QStringLiteral("The name of the text file holds a line break, which a "
                                  "configuration file cannot keep.");
        }
        const QFileInfo file(choice.file);
        if (!file.exists()) {
            return QStringLiteral("I cant find ") + choice.file;
        }
        if (!file.isFile()) {
            return QStringLiteral("\"%1\" is not a text file.").arg(choice.file);
        }
        return {};
    }
    case CrawlSourceKind::NewsFeed:
        if (choice.feed.trimmed().isEmpty()) {
            return QStringLiteral("Type the address of the news feed the crawl line takes its "
                                  "items from.");
        }
        // The feed reader's own check, in the dialog's words.
        if (!crawlFeedUrlProblem(choice.feed.trimmed()).isEmpty()) {
            return QStringLiteral("\"%1\" is not the address of a news feed: it begins with "
                                  "http:// or https:// and names a host.")
                .arg(choice.feed.trimmed());
        }
        return {};
    }
    return {};
}

bool applyCrawlSource(const CrawlSourceChoice& choice, BoardState& board) {
    QString file;
    QString feed;
    if (choice.kind == CrawlSourceKind::TextFile) {
        file = QDir::cleanPath(QFileInfo(choice.file).absoluteFilePath());
    } else if (choice.kind == CrawlSourceKind::NewsFeed) {
        feed = choice.feed.trimmed();
    }
    const std::int32_t refresh = std::max(choice.refresh, kMinCrawlRefresh);
    const bool changed = file != board.CrawlFile || feed != board.CrawlFeed ||
                         refresh != board.CrawlRefresh || choice.separator != board.CrawlSeparator;
    board.CrawlFile = file;
    board.CrawlFeed = feed;
    board.CrawlRefresh = refresh;
    board.CrawlSeparator = choice.separator;
    return changed;
}

QString separatorSample(const QString& separator) {
    QString shown = separator;
    shown.replace(u' ', QChar(0x2423));
    return QStringLiteral("First item") + shown + QStringLiteral("Second item");
}
