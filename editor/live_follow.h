#pragma once

// The editor's side of a show that changes while it plays. While a show is
// on, the files of its board (the board file, its image list, the two text
// object files and the crawl file) are watched, and the crawl line's news
// feed is fetched; what changed is read again off the main thread, put into
// the editor as a load would (the board stays unchanged) and handed to the
// running show, which takes it at its safe points. Nothing is asked: what
// cannot be read keeps what the show shows, and the status bar says why
// (and standard error, for a show nobody attends).
//
// While the editor holds changes that are not saved, changed files are not
// taken: the editor and the show stay one board.

#include "board/board_state.h"
#include "live/file_watch.h"
#include "live/live_board.h"

#include <QFutureWatcher>
#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

class CrawlFeed;
class Tmainform;

class LiveFollow : public QObject {
    Q_OBJECT
public:
    explicit LiveFollow(Tmainform& editor);
    ~LiveFollow() override;

    // Follows the files and the crawl source of the editor's board as it
    // now stands: at the start of a show, and when the editor's board goes
    // to the running one.
    void follow();
    // The show is over: nothing is followed any more.
    void stop();
    bool following() const { return following_; }

    // The crawl line the board's live source gives now (its items joined),
    // or nothing when the board has no live source or it has no items yet.
    std::optional<QString> crawlText() const;

    FileWatch& fileWatch() { return watch_; }
    // Where the feed keeps its last good items; empty (the user's cache
    // folder) unless a test sets another.
    void setFeedCacheFolder(const QString& folder) { cacheFolder_ = folder; }

signals:
    // Something the operator is told in the status bar: a file that could
    // not be read, a change not taken, a feed that failed.
    void noted(const QString& note);

private:
    void filesChanged(const QStringList& paths);
    void readAgain();
    void boardRead();
    void crawlItemsChanged(const QStringList& items);
    void followCrawlSource();
    void take(const LiveBoard& live);

    Tmainform& editor_;
    FileWatch watch_;
    QFutureWatcher<LiveBoard> reading_;
    bool readWanted_ = false;
    // The files changed since the last reading began, and those it reads for.
    QStringList changedPaths_;
    QStringList readingPaths_;
    bool following_ = false;
    std::unique_ptr<CrawlFeed> feed_;
    QString feedUrl_;
    int feedRefresh_ = 0;
    QString crawlFile_;
    QStringList crawlItems_;
    QString cacheFolder_;
};
