// The feed reader: the titles of RSS and Atom items, cleaned and bounded,
// and a refusal with a readable reason for anything else, entity bombs
// included.

#include "live/feed_parser.h"

#include <QTest>

namespace {

QByteArray rss(const QByteArray& items) {
    return "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>Channel</title>"
           "<image><title>Logo</title></image>" +
           items + "</channel></rss>";
}

} // namespace

class FeedParserTest : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

void FeedParserTest::parse_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("error"); // text the message holds; empty: none

    QTest::newRow("rss 2.0: item titles only")
        << rss("<item><title>One</title><link>x</link></item><item><title>Two</title></item>")
        << QStringList{"One", "Two"} << QString();
    QTest::newRow("rss 1.0")
        << QByteArray("<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
                      "xmlns=\"http://purl.org/rss/1.0/\"><channel><title>C</title></channel>"
                      "<item><title>First</title></item><item><title>Second</title></item>"
                      "</rdf:RDF>")
        << QStringList{"First", "Second"} << QString();
    QTest::newRow("atom: text, html and xhtml titles")
        << QByteArray("<feed xmlns=\"http://www.w3.org/2005/Atom\"><title>F</title>"
                      "<entry><title>Plain &lt;b&gt;</title></entry>"
                      "<entry><title type=\"html\">&lt;b&gt;Bold&lt;/b&gt; &amp;amp; "
                      "a &amp;lt; b&lt;br/&gt;next</title></entry>"
                      "<entry><title type=\"xhtml\"><div xmlns=\"http://www.w3.org/1999/xhtml\">"
                      "An <em>xhtml</em> title</div></title></entry></feed>")
        << QStringList{"Plain <b>", "Bold & a < b next", "An xhtml title"} << QString();
    QTest::newRow("cdata, predefined entities and character references")
        << rss("<item><title><![CDATA[Fish & <chips>]]> &lt;&gt;&amp;&quot;&apos; caf&#233; "
               "&#x263A;</title></item>")
        << QStringList{"Fish & <chips> <>&\"' caf\u00E9 \u263A"} << QString();
    QTest::newRow("white space collapsed, controls gone, empty and foreign titles skipped")
        << rss("<item><title>\n  A\t &#x85; b&#x90;c  </title></item><item><title> </title>"
               "</item><item xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>Dc"
               "</dc:title><title>Own</title><title>Second title</title></item>")
        << QStringList{"A bc", "Own"} << QString();

    QByteArray many;
    QStringList hundreds;
    for (int i = 0; i < 250; ++i) {
        many += "<item><title>Item " + QByteArray::number(i) + "</title></item>";
        if (i < kMaxFeedItems) {
            hundreds.append(QStringLiteral("Item %1").arg(i));
        }
    }
    QTest::newRow("at most 200 items") << rss(many) << hundreds << QString();
    // The emoji would straddle the cut: it goes whole.
    QTest::newRow("titles cut to 300 characters")
        << rss("<item><title>" + QByteArray(298, 'x') +
               "\xF0\x9F\x98\x80 and more</title></item>"
               "<item><title>" +
               QByteArray(400, 'b') + "</title></item>")
        << QStringList{QString(298, u'x') + QChar(0x2026), QString(299, u'b') + QChar(0x2026)}
        << QString();

    QTest::newRow("broken xml")
        << QByteArray("<rss><channel><item><title>x</item></channel></rss>") << QStringList()
        << QStringLiteral("not well-formed XML (line 1, column 35): Opening and ending tag "
                          "mismatch.");
    QTest::newRow("entity bomb in a dtd")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE rss [<!ENTITY a \"aaaaaaaaaa\">"
                      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
                      "<rss><channel><item><title>&c;</title></item></channel></rss>")
        << QStringList() << QStringLiteral("document type declaration");
    QTest::newRow("unknown entity")
        << rss("<item><title>A&nbsp;B</title></item>") << QStringList() << QStringLiteral("nbsp");
    QTest::newRow("zero items") << rss("<item><link>x</link></item>") << QStringList()
                                << QStringLiteral("The feed has no items.");
    QTest::newRow("no feed") << QByteArray("<html><body/></html>") << QStringList()
                             << QStringLiteral("no RSS or Atom feed");
    QTest::newRow("empty") << QByteArray(" \n") << QStringList()
                           << QStringLiteral("The feed is empty.");
}

void FeedParserTest::parse() {
    QFETCH(QByteArray, xml);
    QFETCH(QStringList, titles);
    QFETCH(QString, error);

    const FeedParse parse = parseFeed(xml);
    if (!error.isEmpty()) {
        QVERIFY2(parse.error.contains(error), qPrintable(parse.error));
        QVERIFY(parse.titles.isEmpty());
        return;
    }
    QVERIFY2(parse.ok(), qPrintable(parse.error));
    QCOMPARE(parse.titles, titles);
}

QTEST_GUILESS_MAIN(FeedParserTest)
#include "test_feed_parser.moc"
