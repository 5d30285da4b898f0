#include "live/crawl_feed.h"

#include "board/board_state.h"
#include "live/crawl_items.h"
#include "live/feed_parser.h"
#include "live/logging.h"
#include "persistence/file_guard.h"
#include "persistence/text_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStandardPaths>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace {

// Two hundred titles of 300 characters fit many times over.
constexpr qint64 kMaxCacheBytes = 1024 * 1024;
// A day; a longer interval would overflow the timer's milliseconds.
constexpr int kMaxRefreshSeconds = 24 * 60 * 60;

// An ETag or a date as a server sends them. Anything longer or holding a
// control character is not sent back, so a cache file cannot add headers.
QByteArray usableValidator(const QByteArray& value) {
    if (value.size() > 512) {
        return {};
    }
    for (char c : value) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return {};
        }
    }
    return value;
}

QString tooLargeMessage() {
    return QStringLiteral("The feed is larger than %1 MB.").arg(kMaxFeedBytes / (1024 * 1024));
}

FeedParse timedParse(const QByteArray& xml) {
    QElapsedTimer clock;
    clock.start();
    FeedParse parse = parseFeed(xml);
    qCDebug(lcLive) << "read" << xml.size() << "bytes of feed into" << parse.titles.size()
                    << "titles in" << clock.nsecsElapsed() / 1000 << "us";
    return parse;
}

} // namespace

CrawlFeed::CrawlFeed(const QString& url, int refreshSeconds, const QString& cacheFolder,
                     QObject* parent)
    : QObject(parent), m_url(url),
      m_refreshSeconds(
          std::clamp(refreshSeconds, static_cast<int>(kMinCrawlRefresh), kMaxRefreshSeconds)),
      m_cacheFolder(cacheFolder.isEmpty() ? defaultCacheFolder() : cacheFolder),
      m_network(new QNetworkAccessManager(this)) {
    m_timer.setInterval(m_refreshSeconds * 1000);
    connect(&m_timer, &QTimer::timeout, this, &CrawlFeed::fetch);
}

CrawlFeed::~CrawlFeed() {
    stop();
}

QString CrawlFeed::defaultCacheFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/feeds");
}

QString CrawlFeed::cacheFilePath() const {
    const QByteArray hash = QCryptographicHash::hash(m_url.toUtf8(), QCryptographicHash::Sha256);
    return m_cacheFolder + u'/' + QString::fromLatin1(hash.toHex()) + QStringLiteral(".json");
}

void CrawlFeed::start() {
    Q_ASSERT(QThread::currentThread() == thread());
    if (m_running) {
        return;
    }
    const QString urlProblem = crawlFeedUrlProblem(m_url);
    if (!urlProblem.isEmpty()) {
        fail(urlProblem);
        return;
    }
    m_running = true;
    loadCache();
    if (!m_items.isEmpty()) {
        emit itemsChanged(m_items);
    }
    m_timer.start();
    fetch();
}

void CrawlFeed::stop() {
    Q_ASSERT(QThread::currentThread() == thread());
    m_running = false;
    m_timer.stop();
    if (m_reply) {
        QNetworkReply* reply = m_reply;
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    m_body.clear();
    // The reading goes on in its thread; nothing waits for its result now.
    delete m_parsing;
    m_parsing = nullptr;
}

void CrawlFeed::refreshNow() {
    Q_ASSERT(QThread::currentThread() == thread());
    if (m_running) {
        fetch();
    }
}

bool CrawlFeed::fetching() const {
    return m_reply || m_parsing;
}

void CrawlFeed::fetch() {
    if (fetching()) {
        // The last fetch is not done yet; a slow server gets no pile of
        // requests.
        return;
    }
    QNetworkRequest request{QUrl(m_url)};
    request.setTransferTimeout(m_timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxFeedRedirects);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Plakora"));
    request.setRawHeader("Accept", "application/rss+xml, application/atom+xml, "
                                   "application/rdf+xml, application/xml;q=0.9, "
                                   "text/xml;q=0.9, */*;q=0.5");
    if (!m_etag.isEmpty()) {
        request.setRawHeader("If-None-Match", m_etag);
    }
    if (!m_lastModified.isEmpty()) {
        request.setRawHeader("If-Modified-Since", m_lastModified);
    }
    m_body.clear();
    m_replyFailure.clear();
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > kMaxFeedBytes) {
            m_replyFailure = tooLargeMessage();
            m_reply->abort();
        }
    });
    connect(m_reply, &QNetworkReply::readyRead, this, &CrawlFeed::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &CrawlFeed::onFinished);
}

void CrawlFeed::onReadyRead() {
    // Counted as it arrives, after any decompression: a server that sends
    // no length, or a wrong one, is stopped all the same.
    m_body += m_reply->readAll();
    if (m_body.size() > kMaxFeedBytes) {
        m_body.clear();
        m_replyFailure = tooLargeMessage();
        m_reply->abort();
    }
}

void CrawlFeed::onFinished() {
    QNetworkReply* reply = m_reply;
    if (!reply) {
        return;
    }
    m_reply = nullptr;
    reply->deleteLater();
    if (!m_replyFailure.isEmpty()) {
        m_body.clear();
        fail(m_replyFailure);
        return;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString reason =
        reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().left(80);
    switch (reply->error()) {
    case QNetworkReply::NoError:
        break;
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        // The transfer timeout cancels the request as abort() would.
        fail(QStringLiteral("The feed server sent nothing for %1 seconds.")
                 .arg(m_timeoutMs / 1000.0, 0, 'g', 3));
        return;
    case QNetworkReply::TooManyRedirectsError:
        fail(QStringLiteral("The feed's address was redirected more than %1 times.")
                 .arg(kMaxFeedRedirects));
        return;
    case QNetworkReply::InsecureRedirectError:
        fail(QStringLiteral("The feed's https address was redirected to an http address, which "
                            "is refused."));
        return;
    default:
        if (status >= 400) {
            fail(QStringLiteral("The feed server answered %1 %2.").arg(status).arg(reason));
        } else {
            fail(QStringLiteral("The feed could not be fetched: %1.").arg(reply->errorString()));
        }
        return;
    }
    if (status == 304) {
        qCDebug(lcLive) << "feed" << m_url << "not modified";
        return;
    }
    if (status < 200 || status > 299) {
        fail(QStringLiteral("The feed server answered %1 %2.").arg(status).arg(reason));
        return;
    }
    QByteArray body = m_body + reply->readAll();
    m_body.clear();
    if (body.size() > kMaxFeedBytes) {
        fail(tooLargeMessage());
        return;
    }
    const QByteArray etag = usableValidator(reply->rawHeader("ETag"));
    const QByteArray lastModified = usableValidator(reply->rawHeader("Last-Modified"));
    // Reading two megabytes of XML takes tens of milliseconds: too long for
    // the main thread while a show draws.
    m_parsing = new QFutureWatcher<FeedParse>(this);
    connect(m_parsing, &QFutureWatcherBase::finished, this, [this, etag, lastModified] {
        const FeedParse parse = m_parsing->result();
        m_parsing->deleteLater();
        m_parsing = nullptr;
        takeParse(parse, etag, lastModified);
    });
    m_parsing->setFuture(QtConcurrent::run(timedParse, std::move(body)));
}

void CrawlFeed::takeParse(const FeedParse& parse, const QByteArray& etag,
                          const QByteArray& lastModified) {
    if (!parse.ok()) {
        fail(parse.error);
        return;
    }
    const bool itemsDiffer = parse.titles != m_items;
    const bool validatorsDiffer = etag != m_etag || lastModified != m_lastModified;
    m_items = parse.titles;
    m_etag = etag;
    m_lastModified = lastModified;
    if (itemsDiffer || validatorsDiffer) {
        saveCache();
    }
    if (itemsDiffer) {
        emit itemsChanged(m_items);
    }
}

void CrawlFeed::fail(const QString& message) {
    qCInfo(lcLive).noquote() << QStringLiteral("feed %1: %2").arg(m_url, message);
    emit problem(message);
}

void CrawlFeed::loadCache() {
    const QString path = cacheFilePath();
    const FileBytesResult file = readFileBytes(path, kMaxCacheBytes);
    if (!file.ok()) {
        if (file.failure != FileBytesResult::Failure::Missing) {
            qCInfo(lcLive).noquote() << "feed cache" << path << "not read:" << file.error;
        }
        return;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.bytes, &error);
    const QJsonObject cache = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject() ||
        cache.value(QStringLiteral("url")).toString() != m_url) {
        qCInfo(lcLive).noquote() << "feed cache" << path << "ignored: not a cache of" << m_url;
        return;
    }
    QStringList items;
    for (const QJsonValue& value : cache.value(QStringLiteral("items")).toArray()) {
        const QString item = cleanFeedTitle(value.toString());
        if (!item.isEmpty() && items.size() < kMaxFeedItems) {
            items.append(item);
        }
    }
    // Validators without items would make the server answer "not modified"
    // to a feed that has nothing to show.
    if (items.isEmpty()) {
        return;
    }
    m_items = items;
    m_etag = usableValidator(cache.value(QStringLiteral("etag")).toString().toLatin1());
    m_lastModified =
        usableValidator(cache.value(QStringLiteral("lastModified")).toString().toLatin1());
}

void CrawlFeed::saveCache() const {
    QJsonObject cache;
    cache.insert(QStringLiteral("url"), m_url);
    cache.insert(QStringLiteral("etag"), QString::fromLatin1(m_etag));
    cache.insert(QStringLiteral("lastModified"), QString::fromLatin1(m_lastModified));
    cache.insert(QStringLiteral("items"), QJsonArray::fromStringList(m_items));
    QString error;
    if (!QDir().mkpath(m_cacheFolder)) {
        error = QStringLiteral("the folder cannot be made");
    } else {
        error =
            writeFileWhole(cacheFilePath(), QJsonDocument(cache).toJson(QJsonDocument::Compact));
    }
    if (!error.isEmpty()) {
        qCInfo(lcLive).noquote() << "feed cache for" << m_url << "not written:" << error;
    }
}
