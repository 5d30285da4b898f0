// The crawl line's items from a file's lines or a feed, joined into one line,
// and the check of a feed's address.

#include "live/crawl_items.h"

#include <QTest>

class CrawlItemsTest : public QObject {
    Q_OBJECT
private slots:
    void linesAndJoin();
    void feedUrlProblem_data();
    void feedUrlProblem();
};

void CrawlItemsTest::linesAndJoin() {
    const QStringList items = crawlItemsFromLines({"  First ", "", "\t", "Second\t", " Third"});
    QCOMPARE(items, (QStringList{"First", "Second", "Third"}));
    QCOMPARE(joinCrawlItems(items, " * "), QStringLiteral("First * Second * Third"));
    QCOMPARE(joinCrawlItems({" ", "Only ", ""}, " * "), QStringLiteral("Only"));
}

void CrawlItemsTest::feedUrlProblem_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("problem"); // text the message holds; empty: none
    QTest::newRow("http") << "http://news.example/feed.xml" << QString();
    QTest::newRow("https with port and query") << "HTTPS://news.example:8443/rss?x=1" << QString();
    QTest::newRow("empty") << " "
                           << "has no address";
    QTest::newRow("no scheme") << "news.example/feed.xml"
                               << "must start with http";
    QTest::newRow("ftp") << "ftp://news.example/feed.xml"
                         << "must start with http";
    QTest::newRow("file") << "file:///etc/passwd"
                          << "must start with http";
    QTest::newRow("no host") << "http:/feed.xml"
                             << "names no server";
    QTest::newRow("blank inside") << "http://news example/"
                                  << "not a valid web address";
}

void CrawlItemsTest::feedUrlProblem() {
    QFETCH(QString, url);
    QFETCH(QString, problem);
    const QString message = crawlFeedUrlProblem(url);
    if (problem.isEmpty()) {
        QVERIFY2(message.isEmpty(), qPrintable(message));
    } else {
        QVERIFY2(message.contains(problem), qPrintable(message));
    }
}

QTEST_GUILESS_MAIN(CrawlItemsTest)
#include "test_crawl_items.moc"
