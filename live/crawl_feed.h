#pragma once

// The crawl line's news feed while a show plays: fetched now and every few
// minutes, read off the main thread, and kept on disk so that a show started
// without a network still has the last items. A failure of any kind keeps
// the last good items and says what went wrong.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

class QNetworkAccessManager;
class QNetworkReply;
struct FeedParse;
template <typename T> class QFutureWatcher;

// A feed larger than this is no list of headlines; the transfer is stopped.
inline constexpr qint64 kMaxFeedBytes = 2 * 1024 * 1024;
// How long a fetch may go without receiving a byte.
inline constexpr int kDefaultFeedTimeoutMs = 20000;
// At most this many redirects, and never from https to http.
inline constexpr int kMaxFeedRedirects = 3;

class CrawlFeed : public QObject {
    Q_OBJECT

public:
    // Made and used on the main thread. `cacheFolder` empty means
    // defaultCacheFolder(); `refreshSeconds` is held between kMinCrawlRefresh
    // (board/board_state.h) and a day.
    CrawlFeed(const QString& url, int refreshSeconds, const QString& cacheFolder,
              QObject* parent = nullptr);
    ~CrawlFeed() override;

    // The user's cache folder with "/feeds" added.
    static QString defaultCacheFolder();

    // Reads the cached items and, when there are any, emits itemsChanged
    // with them before it returns (a direct emission, so connect first);
    // then fetches at once and again every refresh interval. An address
    // that is no http or https address is refused with problem(), also
    // before start() returns, and nothing is fetched.
    void start();
    // Stops fetching; a fetch or a reading under way is dropped. The items
    // stay.
    void stop();
    // Fetches at once unless a fetch is under way; the interval goes on.
    void refreshNow();

    // True from a fetch's start until its answer is read.
    bool fetching() const;
    // The last good items: from the last feed read, else from the cache.
    QStringList items() const { return m_items; }
    QString url() const { return m_url; }
    int refreshSeconds() const { return m_refreshSeconds; } // as held
    // The cache file of this feed's address.
    QString cacheFilePath() const;

    // How long a fetch may go without a byte arriving; tests make it short.
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }

signals:
    // New items, different from the last good ones.
    void itemsChanged(const QStringList& items);
    // A fetch or a reading failed; the last good items stay.
    void problem(const QString& message);

private:
    void fetch();
    void onReadyRead();
    void onFinished();
    void takeParse(const FeedParse& parse, const QByteArray& etag, const QByteArray& lastModified);
    void fail(const QString& message);
    void loadCache();
    void saveCache() const;

    const QString m_url;
    const int m_refreshSeconds;
    const QString m_cacheFolder;
    int m_timeoutMs = kDefaultFeedTimeoutMs;
    bool m_running = false;

    QNetworkAccessManager* m_network = nullptr;
    QTimer m_timer;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;
    QString m_replyFailure; // set when the transfer is stopped on purpose
    QFutureWatcher<FeedParse>* m_parsing = nullptr;

    QStringList m_items;
    QByteArray m_etag;
    QByteArray m_lastModified;
};
