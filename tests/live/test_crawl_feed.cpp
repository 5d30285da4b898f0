// The crawl feed against real servers on this machine: Python's file server
// for feeds that change, go bad and go away, and a server of canned answers
// for every way a fetch can fail. The last good items always stay.

#include "live/crawl_feed.h"
#include "tests/support/file_server.h"

#include <QDateTime>
#include <QFile>
#include <QNetworkProxy>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

namespace {

using support::accepts;
using support::freePort;

constexpr int kWaitMs = 15000;

QByteArray rss(const QStringList& titles) {
    QByteArray xml = "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>T</title>";
    for (const QString& title : titles) {
        xml += "<item><title>" + title.toUtf8() + "</title></item>";
    }
    return xml + "</channel></rss>";
}

// Writes a file with the time stamp Python's server reports and compares
// If-Modified-Since with, `minutes` after a fixed hour in the past.
void writeFile(const QString& path, const QByteArray& bytes, int minutes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
    QVERIFY(file.flush());
    const QDateTime stamp =
        QDateTime(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC).addSecs(60 * minutes);
    QVERIFY(file.setFileTime(stamp, QFileDevice::FileModificationTime));
}

// Answers each connection with the next of its answers, the last one again
// and again. A null answer says nothing and keeps the line open.
class CannedServer : public QTcpServer {
public:
    struct Answer {
        QByteArray bytes;
        bool hangUp = true; // closes the connection once it is sent
    };
    QList<Answer> answers;

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
        const Answer answer = answers.size() > 1 ? answers.takeFirst() : answers.value(0);
        if (answer.bytes.isNull()) {
            return;
        }
        connect(
            socket, &QTcpSocket::readyRead, socket,
            [socket, answer] {
                socket->readAll();
                socket->write(answer.bytes);
                if (answer.hangUp) {
                    socket->disconnectFromHost();
                }
            },
            Qt::SingleShotConnection);
    }
};

QByteArray httpOk(const QByteArray& body) {
    return "HTTP/1.1 200 OK\r\nContent-Type: application/rss+xml\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

} // namespace

class CrawlFeedTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); }
    void changingFeed_keepsLastGoodItemsAndCache();
    void failure_keepsItems_data();
    void failure_keepsItems();
    void badCacheOrAddress_givesNoItems();
};

void CrawlFeedTest::changingFeed_keepsLastGoodItemsAndCache() {
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) {
        QSKIP("python3 is not installed");
    }
    QTemporaryDir site;
    QTemporaryDir cache;
    const QString path = site.filePath(QStringLiteral("feed.xml"));
    writeFile(path, rss({"Alpha", "Beta"}), 0);
    const quint16 port = freePort();
    QProcess server;
    QByteArray serverLog; // a line for each answer, with its status
    connect(&server, &QProcess::readyReadStandardError, this,
            [&] { serverLog += server.readAllStandardError(); });
    server.setWorkingDirectory(site.path());
    server.start(python, {"-m", "http.server", "--bind", "127.0.0.1", QString::number(port)});
    QTRY_VERIFY_WITH_TIMEOUT(accepts(port), kWaitMs);

    const QString url = QStringLiteral("http://127.0.0.1:%1/feed.xml").arg(port);
    CrawlFeed feed(url, 60, cache.path());
    QSignalSpy items(&feed, &CrawlFeed::itemsChanged);
    QSignalSpy problems(&feed, &CrawlFeed::problem);
    feed.start();
    QTRY_COMPARE_WITH_TIMEOUT(items.count(), 1, kWaitMs);
    QCOMPARE(feed.items(), (QStringList{"Alpha", "Beta"}));

    // New content under the old time stamp: asked "if modified since", the
    // server answers 304 and the items stay.
    writeFile(path, rss({"Unseen"}), 0);
    feed.refreshNow();
    QTRY_VERIFY_WITH_TIMEOUT(serverLog.contains("HTTP/1.1\" 304"), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(!feed.fetching(), kWaitMs);

    writeFile(path, "<rss><channel><item><title>Broken</channel>", 1);
    feed.refreshNow();
    QTRY_COMPARE_WITH_TIMEOUT(problems.count(), 1, kWaitMs);
    QVERIFY2(problems[0][0].toString().contains("not well-formed XML"),
             qPrintable(problems[0][0].toString()));
    QCOMPARE(feed.items(), (QStringList{"Alpha", "Beta"}));

    writeFile(path,
              "<feed xmlns=\"http://www.w3.org/2005/Atom\"><entry><title type=\"html\">"
              "&lt;b&gt;Gamma&lt;/b&gt;</title></entry></feed>",
              2);
    feed.refreshNow();
    QTRY_COMPARE_WITH_TIMEOUT(items.count(), 2, kWaitMs);
    QCOMPARE(items[1][0].toStringList(), QStringList{"Gamma"});

    server.kill();
    server.waitForFinished();
    feed.refreshNow();
    QTRY_COMPARE_WITH_TIMEOUT(problems.count(), 2, kWaitMs);
    QCOMPARE(feed.items(), QStringList{"Gamma"});
    QCOMPARE(items.count(), 2);
    feed.stop();

    // A show started later, with the server still gone, begins with the
    // cached items at once.
    CrawlFeed later(url, 60, cache.path());
    QSignalSpy laterItems(&later, &CrawlFeed::itemsChanged);
    QSignalSpy laterProblems(&later, &CrawlFeed::problem);
    later.start();
    QCOMPARE(laterItems.count(), 1);
    QCOMPARE(later.items(), QStringList{"Gamma"});
    QTRY_COMPARE_WITH_TIMEOUT(laterProblems.count(), 1, kWaitMs);
}

void CrawlFeedTest::failure_keepsItems_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("hangUp");
    QTest::addColumn<QString>("problem");
    QTest::newRow("server error") << QByteArray("HTTP/1.1 500 Internal Server Error\r\n"
                                                "Content-Length: 0\r\n\r\n")
                                  << true << "answered 500 Internal Server Error.";
    QTest::newRow("zero items") << httpOk(rss({})) << true << "The feed has no items.";
    // Refused on the length alone: the rest never comes.
    QTest::newRow("declared length beyond 2 MB")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 3000000\r\n\r\n<rss>") << false
        << "larger than 2 MB";
    // Counted as it comes: the transfer ends at 2 MB, not when the server is done.
    QTest::newRow("more than 2 MB without a length")
        << QByteArray("HTTP/1.0 200 OK\r\n\r\n<rss>" + QByteArray(3000000, ' ')) << false
        << "larger than 2 MB";
    QTest::newRow("redirect loop")
        << QByteArray("HTTP/1.1 302 Found\r\nLocation: /again\r\nContent-Length: 0\r\n\r\n") << true
        << "redirected more than 3 times";
    QTest::newRow("silence") << QByteArray() << false << "sent nothing for 0.3 seconds";
}

void CrawlFeedTest::failure_keepsItems() {
    QFETCH(QByteArray, answer);
    QFETCH(bool, hangUp);
    QFETCH(QString, problem);
    QTemporaryDir cache;
    CannedServer server;
    server.answers = {{httpOk(rss({"Kept"})), true}, {answer, hangUp}};
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    CrawlFeed feed(QStringLiteral("http://127.0.0.1:%1/feed").arg(server.serverPort()), 60,
                   cache.path());
    QSignalSpy items(&feed, &CrawlFeed::itemsChanged);
    QSignalSpy problems(&feed, &CrawlFeed::problem);
    feed.start();
    QTRY_COMPARE_WITH_TIMEOUT(items.count(), 1, kWaitMs);

    feed.setTimeoutMs(300);
    feed.refreshNow();
    QTRY_COMPARE_WITH_TIMEOUT(problems.count(), 1, kWaitMs);
    QVERIFY2(problems[0][0].toString().contains(problem), qPrintable(problems[0][0].toString()));
    QCOMPARE(feed.items(), QStringList{"Kept"});
    QCOMPARE(items.count(), 1);
}

void CrawlFeedTest::badCacheOrAddress_givesNoItems() {
    QTemporaryDir cache;
    const QString url = QStringLiteral("http://127.0.0.1:%1/feed").arg(freePort());
    const QByteArray good = "{\"url\":\"" + url.toUtf8() + "\",\"items\":[\"Cached\"]}";
    const QByteArray oversized = good.chopped(2) + ",\"" + QByteArray(2000000, 'x') + "\"]}";
    for (const QByteArray& bytes : {good.chopped(1), oversized, good}) {
        CrawlFeed feed(url, 60, cache.path());
        writeFile(feed.cacheFilePath(), bytes, 0);
        feed.start();
        QCOMPARE(feed.items(), bytes == good ? QStringList{"Cached"} : QStringList());
    }

    CrawlFeed refused(QStringLiteral("file:///etc/hostname"), 60, cache.path());
    QSignalSpy problems(&refused, &CrawlFeed::problem);
    refused.start();
    QCOMPARE(problems.count(), 1);
    QVERIFY(problems[0][0].toString().contains("must start with http"));
    QVERIFY(!refused.fetching());
}

QTEST_GUILESS_MAIN(CrawlFeedTest)
#include "test_crawl_feed.moc"
