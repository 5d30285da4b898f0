// Picture markers: reading the number and taking the marker out of the line,
// and a marker whose picture is no file to wait for.

#include "show/marker.h"
#include "show/text_box_engine.h"
#include "tests/show/slideshow_fixture.h"
#include "tests/support/fifo_watchdog.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/gui_test_main.h"

#include <QTest>

class MarkerTest : public QObject {
    Q_OBJECT

private slots:
    void markerNumber_readsLeniently_data();
    void markerNumber_readsLeniently();
    void parseMarker_data();
    void parseMarker();
    void parseMarker_cutsTo255();
    void markerPicture_fifo_passedAtOnce();
};

void MarkerTest::markerNumber_readsLeniently_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("number");
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("digits") << "7" << qint64(7);
    QTest::newRow("leading blanks") << "   12" << qint64(12);
    QTest::newRow("plus") << "+3" << qint64(3);
    QTest::newRow("minus") << "-1" << qint64(-1);
    QTest::newRow("minus not to the end") << "-1x" << qint64(1);
    QTest::newRow("hex") << "$1F" << qint64(31);
    QTest::newRow("hex lower") << "$ff" << qint64(255);
    QTest::newRow("letter") << "a" << qint64(0);
    QTest::newRow("stops at letter") << "12ab" << qint64(12);
    QTest::newRow("trailing blank") << "5 " << qint64(5);
    QTest::newRow("huge saturates") << "99999999999999999999" << qint64(2147483648LL);
}

void MarkerTest::markerNumber_readsLeniently() {
    QFETCH(QString, text);
    QFETCH(qint64, number);
    QCOMPARE(markerNumber(text), number);
}

void MarkerTest::parseMarker_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("picture");
    QTest::newRow("marker alone") << "//0\\\\" << 3 << "" << 0;
    QTest::newRow("store example")
        << "Our new store //2\\\\ opens today" << 3 << "Our new store  opens today" << 2;
    QTest::newRow("beyond the list") << "see //7\\\\ here" << 3 << "" << -1;
    QTest::newRow("negative") << "x //-1\\\\ y" << 3 << "" << -1;
    QTest::newRow("letter counts as 0") << "a //b\\\\ c" << 3 << "a  c" << 0;
    QTest::newRow("letter, empty list") << "a //b\\\\ c" << 0 << "" << -1;
    QTest::newRow("hex") << "//$1F\\\\x" << 32 << "x" << 31;
    QTest::newRow("hex past the end") << "//$1F\\\\x" << 31 << "" << -1;
    QTest::newRow("no backslashes") << "just //1 text" << 3 << "" << -1;
    QTest::newRow("backslashes first, as stored")
        << "a \\\\ b //1 c" << 3 << "a \\\\ b //1 c" << -1;
    QTest::newRow("adjacent") << "L//\\\\R" << 1 << "LR" << 0;
}

void MarkerTest::parseMarker() {
    QFETCH(QString, line);
    QFETCH(int, entries);
    QFETCH(QString, text);
    QFETCH(int, picture);
    const MarkerResult r = ParseMarker(line, entries);
    QCOMPARE(r.text, text);
    QCOMPARE(r.picture, picture);
}

void MarkerTest::parseMarker_cutsTo255() {
    const QString tail(400, QLatin1Char('t'));
    const MarkerResult r = ParseMarker(QStringLiteral("//0\\\\") + tail, 1);
    QCOMPARE(r.picture, 0);
    QCOMPARE(r.text.size(), 255 - 5);
    const MarkerResult longHead = ParseMarker(QString(300, QLatin1Char('h')), 1);
    QVERIFY(longHead.text.isEmpty());
}

void MarkerTest::markerPicture_fifo_passedAtOnce() {
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    FifoWatchdog fifo(dir.filePath(QStringLiteral("x.bmp")));
    QVERIFY(fifo.made());
    CoreFixture f(400, 300);
    layOutArea(f);
    f.show.MarkerMode = true;
    setEntries(f, {fifo.path(), writePicture(dir, "b.bmp", Qt::blue)});
    f.show.Text1Lines = {QStringLiteral("//0\\\\"), QStringLiteral("//1\\\\")};
    f.show.Box1LineCount = 2;
    f.show.Box1DestRect = {0, 149, 200, 150};
    f.show.Box1ScrollRect = f.show.Box1ClipRect = {0, 50, 200, 150};
    f.show.Box1LineHeight =
        prepareLineBitmap(f.surface.Image1, QStringLiteral("Arial"), 20, 0xFFFFFF, 0, 200);

    // The FIFO's line scrolls through showing nothing; the next line's
    // picture follows.
    textBox1Step(f.ctx);
    QCOMPARE(areaColour(f), qRgb(0, 0, 0));
    while (f.show.Box1Line == 0) {
        textBox1Step(f.ctx);
    }
    textBox1Step(f.ctx);
    QCOMPARE(areaColour(f), qRgb(0, 0, 255));
    QVERIFY(!fifo.fired());
}

PLAKORA_GUI_TEST_MAIN(MarkerTest)
#include "test_markers.moc"
