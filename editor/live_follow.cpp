#include "editor/live_follow.h"

#include "editor/board_document.h"
#include "editor/logging.h"
#include "editor/mainform.h"
#include "live/crawl_feed.h"
#include "live/crawl_items.h"
#include "platform/system_info.h"
#include "show/live_show.h"
#include "show/play_screen.h"

#include <QtConcurrent/QtConcurrentRun>

#include <utility>

LiveFollow::LiveFollow(Tmainform& editor) : QObject(&editor), editor_(editor) {
    connect(&watch_, &FileWatch::changed, this, &LiveFollow::filesChanged);
    connect(&reading_, &QFutureWatcher<LiveBoard>::finished, this, &LiveFollow::boardRead);
}

LiveFollow::~LiveFollow() {
    // A reading still running has nothing of this object: it ends on its own.
    reading_.disconnect(this);
}

void LiveFollow::follow() {
    following_ = true;
    // Files watched already keep what they were last seen as: a change
    // between their reading and now is still reported.
    if (const QStringList files = liveFilesOf(editor_.board); files != watch_.files()) {
        watch_.setFiles(files);
    }
    followCrawlSource();
}

void LiveFollow::stop() {
    following_ = false;
    readWanted_ = false;
    changedPaths_.clear();
    watch_.clear();
    feed_.reset();
    feedUrl_.clear();
    crawlFile_.clear();
}

std::optional<QString> LiveFollow::crawlText() const {
    const BoardState& b = editor_.board;
    if ((b.CrawlFile.isEmpty() && b.CrawlFeed.isEmpty()) || crawlItems_.isEmpty()) {
        return std::nullopt;
    }
    return joinCrawlItems(crawlItems_, b.CrawlSeparator);
}

void LiveFollow::followCrawlSource() {
    const BoardState& b = editor_.board;
    if (!b.CrawlFile.isEmpty()) {
        feed_.reset();
        feedUrl_.clear();
        // Read here when the show starts or the board names another file;
        // later changes of the file are read with the board's other files.
        if (crawlFile_ == b.CrawlFile) {
            return;
        }
        crawlFile_ = b.CrawlFile;
        crawlItems_.clear();
        QString problem;
        if (const std::optional<QStringList> items = readCrawlFile(b.CrawlFile, &problem)) {
            crawlItems_ = *items;
        } else {
            emit noted(problem);
        }
        return;
    }
    crawlFile_.clear();
    if (b.CrawlFeed.isEmpty()) {
        feed_.reset();
        feedUrl_.clear();
        crawlItems_.clear();
        return;
    }
    if (feed_ && feedUrl_ == b.CrawlFeed && feedRefresh_ == b.CrawlRefresh) {
        return;
    }
    crawlItems_.clear();
    feedUrl_ = b.CrawlFeed;
    feedRefresh_ = b.CrawlRefresh;
    feed_ = std::make_unique<CrawlFeed>(feedUrl_, feedRefresh_, cacheFolder_);
    connect(feed_.get(), &CrawlFeed::itemsChanged, this, &LiveFollow::crawlItemsChanged);
    connect(feed_.get(), &CrawlFeed::problem, this, &LiveFollow::noted);
    feed_->start();
    // The last good items of this feed, kept from an earlier show, crawl
    // until the first fetch brings news.
    crawlItems_ = feed_->items();
}

void LiveFollow::crawlItemsChanged(const QStringList& items) {
    if (!following_ || items == crawlItems_) {
        return;
    }
    crawlItems_ = items;
    ShowTexts texts = editor_.showState.Texts;
    texts.CrawlLine = crawlText().value_or(editor_.boardCrawlLine());
    editor_.takeIntoShow(texts);
}

void LiveFollow::filesChanged(const QStringList& paths) {
    if (!following_) {
        return;
    }
    for (const QString& path : paths) {
        if (!changedPaths_.contains(path)) {
            changedPaths_ << path;
        }
    }
    if (reading_.isRunning()) {
        readWanted_ = true;
        return;
    }
    readAgain();
}

void LiveFollow::readAgain() {
    readWanted_ = false;
    readingPaths_ = std::exchange(changedPaths_, {});
    const platform::SystemInfo& sys = platform::systemInfo();
    reading_.setFuture(
        QtConcurrent::run(readLiveBoard, editor_.board, sys.screenWidth(), sys.screenHeight()));
}

void LiveFollow::boardRead() {
    if (!following_) {
        return;
    }
    if (readWanted_) {
        // Files changed again while they were read: only the newest reading counts.
        readAgain();
        return;
    }
    take(reading_.result());
}

void LiveFollow::take(const LiveBoard& live) {
    const bool crawlRead = live.crawlItems && live.board.CrawlFile == crawlFile_;
    if (editor_.document()->isChanged()) {
        // The crawl file's items are no part of what the editor holds.
        if (crawlRead) {
            crawlItemsChanged(*live.crawlItems);
        }
        if (readingPaths_ != QStringList{crawlFile_}) {
            emit noted(QStringLiteral("The board's files changed on disk; the show goes on as "
                                      "it was while the editor holds changes that are not saved."));
        }
        return;
    }
    for (const QString& problem : live.problems) {
        emit noted(problem);
    }
    editor_.putLiveBoard(live);
    // The board may name other files or another crawl source now.
    follow();
    if (crawlRead) {
        crawlItems_ = *live.crawlItems;
    }
    editor_.takeIntoShow(editor_.liveTexts(live));
    editor_.catchUpEditor();
}
