// A running show takes changes at its safe points: titles at once, a text box
// from its next line, the crawl line after the copy now crawling, the image
// list from the next slide; anything else restarts it.

#include "show/crawl_engine.h"
#include "show/live_show.h"
#include "show/show_rules.h"
#include "show/text_box_engine.h"
#include "tests/show/show_fixture.h"
#include "tests/support/test_main.h"

#include <QTest>

#include <functional>

namespace {

using Change = std::function<void(BoardState&, ShowTexts&)>;

struct LiveFixture : ShowFixture {
    LiveFixture() : ShowFixture(800, 600) {
        host.texts.MainTitle = QStringLiteral("Title");
        host.texts.Text1Lines = {QStringLiteral("one"), QStringLiteral("two")};
        host.texts.Text2Lines = {QStringLiteral("other")};
        host.texts.CrawlLine = QStringLiteral("crawl");
        host.texts.ImageList = {QStringLiteral("/p/a.avi"), QStringLiteral("/p/b.avi")};
        board.MainTitleFontSize = board.CrawlFontSize = 20;
        setElementFlags(show, elementFlagsFor(host.texts));
        StartTheShow(ctx, *screen);
        // The steps are driven by the test alone; the show still runs.
        KILLTHREADS();
    }
    ~LiveFixture() { screen->ClosePlayScreen(); }
};

} // namespace

class LiveShowTest : public QObject {
    Q_OBJECT

private slots:
    void change_isTakenAsItsKindWants_data();
    void change_isTakenAsItsKindWants();
    void textLines_comeInWithTheNextLine();
    void crawlText_followsTheCopyNowCrawling();
};

void LiveShowTest::change_isTakenAsItsKindWants_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("frozen");
    QTest::addColumn<LiveOutcome>("outcome");
    const auto texts = [](std::function<void(ShowTexts&)> f) {
        return Change([f](BoardState&, ShowTexts& t) { f(t); });
    };
    QTest::newRow("nothing") << Change([](BoardState&, ShowTexts&) {}) << false
                             << LiveOutcome::Unchanged;
    QTest::newRow("main title") << texts([](ShowTexts& t) {
        t.MainTitle = QStringLiteral("New title");
    }) << false << LiveOutcome::AtSafePoints;
    QTest::newRow("image list") << texts([](ShowTexts& t) {
        t.ImageList = {QStringLiteral("/p/c.avi")};
    }) << false << LiveOutcome::AtSafePoints;
    QTest::newRow("a colour") << Change([](BoardState& b, ShowTexts&) { b.Text1Color = 0xFF; })
                              << false << LiveOutcome::Restarted;
    QTest::newRow("a delay") << Change([](BoardState& b, ShowTexts&) { b.CrawlDelay = 7; }) << false
                             << LiveOutcome::Restarted;
    QTest::newRow("text box 2 goes")
        << texts([](ShowTexts& t) { t.Text2Lines.clear(); }) << false << LiveOutcome::Restarted;
    QTest::newRow("everything goes")
        << texts([](ShowTexts& t) { t = ShowTexts{}; }) << false << LiveOutcome::NothingToPlay;
    QTest::newRow("frozen") << texts([](ShowTexts& t) { t.MainTitle = QStringLiteral("Later"); })
                            << true << LiveOutcome::AtResume;
}

void LiveShowTest::change_isTakenAsItsKindWants() {
    QFETCH(Change, change);
    QFETCH(bool, frozen);
    QFETCH(LiveOutcome, outcome);
    LiveFixture f;
    f.show.ShowRunning = !frozen;
    ShowTexts texts = f.show.Texts;
    change(f.board, texts);
    QCOMPARE(takeLiveChange(f.ctx, *f.screen, texts), outcome);
    if (outcome != LiveOutcome::NothingToPlay) {
        // Whatever way it came in, the show plays the new texts and board.
        QCOMPARE(f.show.Texts, texts);
        QCOMPARE(elementFlagsOf(f.show), elementFlagsFor(texts));
    }
    if (outcome == LiveOutcome::Restarted) {
        QVERIFY(sameShowSettings(f.show.PlayedBoard, f.board));
        QVERIFY(f.show.ShowRunning);
    }
    if (outcome == LiveOutcome::AtSafePoints) {
        QCOMPARE(f.screen->Panel3->caption(), texts.MainTitle);
        QCOMPARE(f.show.ImageEntries, texts.ImageList);
        QCOMPARE(qsizetype(f.show.ImageCount.load()), texts.ImageList.size());
    }
    KILLTHREADS();
}

void LiveShowTest::textLines_comeInWithTheNextLine() {
    LiveFixture f;
    QVERIFY(textBox1Step(f.ctx)); // line "one" begins
    ShowTexts texts = f.show.Texts;
    texts.Text1Lines = {QStringLiteral("new one")};
    QCOMPARE(takeLiveChange(f.ctx, *f.screen, texts), LiveOutcome::AtSafePoints);
    // The line being drawn is finished with the old text.
    while (f.show.Box1Row != 0) {
        QCOMPARE(f.show.Text1Lines.first(), QStringLiteral("one"));
        textBox1Step(f.ctx);
    }
    QCOMPARE(f.show.Box1Line, 1);
    textBox1Step(f.ctx);
    QCOMPARE(f.show.Text1Lines, texts.Text1Lines);
    QCOMPARE(f.show.Box1Line, 0);
    QCOMPARE(f.show.Box1LineCount, 1);
    QVERIFY(!f.show.PendingText1Lines);
}

void LiveShowTest::crawlText_followsTheCopyNowCrawling() {
    LiveFixture f;
    const int oldWidth = f.surface.Image3.bitmap.width();
    QVERIFY(oldWidth > 2);
    crawlStep(f.ctx);
    ShowTexts texts = f.show.Texts;
    texts.CrawlLine = QStringLiteral("a much longer crawl line than before");
    QCOMPARE(takeLiveChange(f.ctx, *f.screen, texts), LiveOutcome::AtSafePoints);
    QTRY_VERIFY(f.surface.PendingCrawl.has_value());
    while (f.show.CrawlColumn != 0) {
        QCOMPARE(f.surface.Image3.bitmap.width(), oldWidth);
        crawlStep(f.ctx);
    }
    QVERIFY(f.surface.Image3.bitmap.width() > oldWidth);
    QVERIFY(!f.surface.PendingCrawl);
}

PLAKORA_TEST_MAIN(LiveShowTest)
#include "test_live_show.moc"
