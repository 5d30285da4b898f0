// The animation steps of the text boxes and the crawl line, pixel by pixel on
// the screen surface, and pictures in the image area.

#include "show/crawl_engine.h"
#include "show/picture_display.h"
#include "show/show_layout.h"
#include "show/text_box_engine.h"
#include "tests/show/core_fixture.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/gui_test_main.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <utility>

namespace {

// Text box 1 on a 400 x 300 surface, no border: the box spans y 100 to 200.
void layOutBox1(CoreFixture& f, const QStringList& lines, int border = 0) {
    f.board.BorderWidth = border;
    f.board.Box1Width = 200;
    f.show.Text1Lines = lines;
    f.show.Box1LineCount = static_cast<int>(lines.size());
    f.show.Box1Bottom = 200;
    f.show.Box1DestRect = {border, 199, 200 - border, 200};
    f.show.Box1ScrollRect = f.show.Box1ClipRect = {0, 100, 200, 200};
    f.show.Box1LineHeight =
        prepareLineBitmap(f.surface.Image1, QStringLiteral("Arial"), 20, 0xFFFFFF, 0x000080, 200);
}

void layOutBox2(CoreFixture& f, const QStringList& lines) {
    f.board.BorderWidth = 0;
    f.board.Box2Width = 300;
    f.show.Text2Lines = lines;
    f.show.Box2LineCount = static_cast<int>(lines.size());
    f.show.Box2Bottom = 290;
    f.show.Box2DestRect = {0, 289, 300, 290};
    f.show.Box2ScrollRect = f.show.Box2ClipRect = {0, 210, 300, 290};
    f.show.Box2LineHeight =
        prepareLineBitmap(f.surface.Image2, QStringLiteral("Arial"), 20, 0xFFFFFF, 0x008000, 300);
}

QImage row(const QImage& img, int y, int left, int width) {
    return img.copy(left, y, width, 1);
}

QString writePicture(const QTemporaryDir& dir, const char* name, int w, int h, QColor c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (!img.save(path, "BMP")) {
        qFatal("cannot write picture");
    }
    return path;
}

// A text of digits and blanks whose advance in `font` is exactly `width`
// pixels, so that a test can name where a centred line must land.
QString textOfWidth(const QFont& font, int width) {
    const QFontMetrics fm(font);
    for (const QChar filler : {QChar(u'0'), QChar(u'1'), QChar(u'i'), QChar(u'W')}) {
        for (const QChar fine : {QChar(u' '), QChar(u'i'), QChar(u'l'), QChar(u'.')}) {
            for (int n = 0; n < 60; ++n) {
                QString t(n, filler);
                for (int k = 0; k < 20; ++k) {
                    if (fm.horizontalAdvance(t) == width) {
                        return t;
                    }
                    t.prepend(fine);
                }
            }
        }
    }
    qFatal("no text of the width asked for");
    return {};
}

// The same line bitmap as `like`, with `text` drawn at x in its font.
QImage lineDrawnAt(const PictureHolder& like, const QString& text, int x) {
    QImage img(like.bitmap.size(), like.bitmap.format());
    img.fill(QColor::fromRgb(like.bitmap.pixel(0, 0)));
    QPainter p(&img);
    p.setFont(like.font);
    p.setPen(Qt::white);
    p.drawText(x, QFontMetrics(like.font).ascent(), text);
    return img;
}

// The leftmost and rightmost columns that hold ink (anything but the
// background of the first pixel); {-1, -1} when there is none.
std::pair<int, int> inkColumns(const QImage& img) {
    const QRgb back = img.pixel(0, 0);
    int left = -1;
    int right = -1;
    for (int x = 0; x < img.width(); ++x) {
        for (int y = 0; y < img.height(); ++y) {
            if (img.pixel(x, y) != back) {
                left = left < 0 ? x : left;
                right = x;
                break;
            }
        }
    }
    return {left, right};
}

// Steps text box 1 until line `line` has just been rendered into its bitmap.
void stepBox1ToLine(CoreFixture& f, int line) {
    for (int guard = 0; guard < 10000; ++guard) {
        const bool rendersNext = f.show.Box1Row == 0 && f.show.Box1Line == line;
        textBox1Step(f.ctx);
        if (rendersNext) {
            return;
        }
    }
    qFatal("line never reached");
}

} // namespace

class EngineStepsTest : public QObject {
    Q_OBJECT

private slots:
    void box1_showsRows1ToHMinus2_perLine();
    void box2_showsRows1ToHMinus1_perLine();
    void box1_rowSqueezedIntoInsetStrip();
    void box_endlessCycle_withEmptyLineAfterLast();
    void box_centring_data();
    void box_centring();
    void box1_markerLine_showsPictureAndDrawsRest();
    void box1_markerPictureWithLongPath_isShown();
    void box1_markerModeClear_drawsLineAsStored();
    void box2_neverShowsPictures();
    void step_reportsStoppedShow();
    void crawl_wStepsPerPass_lastColumnNeverShown();
    void crawl_narrowBitmap_neverMoves();
    void playBitMap_naturalSize_stretch_missing_broken();
    void clock_largeFont_neverTouchesTheCrawlStrip();
};

void EngineStepsTest::box1_showsRows1ToHMinus2_perLine() {
    CoreFixture f(400, 300);
    layOutBox1(f, {QStringLiteral("Wg line")});
    const int h = f.show.Box1LineHeight;
    QVERIFY(h > 4);

    QVERIFY(textBox1Step(f.ctx));
    const QImage line = f.surface.Image1.bitmap.copy();
    QCOMPARE(f.show.Box1Row, 2);
    for (int i = 1; i < h - 2; ++i) {
        textBox1Step(f.ctx);
    }
    // h - 2 steps scrolled; the line is now on screen, bottom row doubled.
    QCOMPARE(f.show.Box1Row, h - 1);
    QCOMPARE(f.show.Box1Line, 0);
    const QImage& s = f.surface.image();
    QCOMPARE(row(s, 199, 0, 200), row(line, h - 2, 0, 200));
    for (int k = 1; k <= h - 2; ++k) {
        QCOMPARE(row(s, 199 - k, 0, 200), row(line, h - 1 - k, 0, 200));
    }
    // Above the line the box still shows the background.
    QCOMPARE(s.pixel(50, 199 - (h - 1)), qRgb(0, 0, 0));

    // The (h - 1)th step only finishes the line.
    const QImage before = s.copy();
    textBox1Step(f.ctx);
    QCOMPARE(f.surface.image(), before);
    QCOMPARE(f.show.Box1Row, 0);
    QCOMPARE(f.show.Box1Line, 1);
    QCOMPARE(f.show.Box1SourceRect, (Rect{0, h - 2, 200, h - 1}));
}

void EngineStepsTest::box2_showsRows1ToHMinus1_perLine() {
    CoreFixture f(400, 300);
    layOutBox2(f, {QStringLiteral("Wg second")});
    const int h = f.show.Box2LineHeight;
    textBox2Step(f.ctx);
    const QImage line = f.surface.Image2.bitmap.copy();
    for (int i = 1; i < h - 1; ++i) {
        textBox2Step(f.ctx);
    }
    QCOMPARE(f.show.Box2Row, h);
    QCOMPARE(f.show.Box2Line, 0);
    const QImage& s = f.surface.image();
    QCOMPARE(row(s, 289, 0, 300), row(line, h - 1, 0, 300));
    for (int k = 1; k <= h - 1; ++k) {
        QCOMPARE(row(s, 289 - k, 0, 300), row(line, h - k, 0, 300));
    }
    textBox2Step(f.ctx); // the hth step finishes the line
    QCOMPARE(f.show.Box2Row, 0);
    QCOMPARE(f.show.Box2Line, 1);
}

void EngineStepsTest::box1_rowSqueezedIntoInsetStrip() {
    CoreFixture f(400, 300);
    layOutBox1(f, {QStringLiteral("WWWWWWWWWWWW")}, 10);
    textBox1Step(f.ctx);
    const QImage line = f.surface.Image1.bitmap.copy();
    const QImage& s = f.surface.image();
    // Row 1 went into the strip x 10 to 190 and moved up one pixel.
    for (int x = 10; x < 190; ++x) {
        const int sx = (x - 10) * 200 / 180;
        QCOMPARE(s.pixel(x, 198), line.pixel(sx, 1));
    }
    // The columns within the border keep the play screen's background.
    QCOMPARE(s.pixel(5, 198), qRgb(0, 0, 0));
    QCOMPARE(s.pixel(195, 198), qRgb(0, 0, 0));
}

void EngineStepsTest::box_endlessCycle_withEmptyLineAfterLast() {
    CoreFixture f(400, 300);
    layOutBox1(f, {QStringLiteral("only line")});
    const int h = f.show.Box1LineHeight;
    QList<int> lines;
    QList<bool> blank;
    for (int cycle = 0; cycle < 3 * (h - 1); ++cycle) {
        if (f.show.Box1Row == 0) {
            lines << f.show.Box1Line;
            textBox1Step(f.ctx);
            const QImage& bmp = f.surface.Image1.bitmap;
            bool empty = true;
            for (int y = 0; y < bmp.height() && empty; ++y) {
                for (int x = 0; x < bmp.width() && empty; ++x) {
                    empty = bmp.pixel(x, y) == qRgb(0x80, 0, 0);
                }
            }
            blank << empty;
        } else {
            textBox1Step(f.ctx);
        }
    }
    QCOMPARE(lines, (QList<int>{0, 1, 0}));
    QCOMPARE(blank, (QList<bool>{false, true, false}));
}

void EngineStepsTest::box_centring_data() {
    QTest::addColumn<int>("box");
    QTest::newRow("text box 1") << 1;
    QTest::newRow("text box 2") << 2;
}

void EngineStepsTest::box_centring() {
    QFETCH(int, box);
    const auto layOut = [box](CoreFixture& f, const QString& text) {
        if (box == 1) {
            layOutBox1(f, {text});
            f.board.CenterText1 = true;
        } else {
            layOutBox2(f, {text});
            f.board.CenterText2 = true;
        }
    };
    const auto step = [box](CoreFixture& f) {
        return box == 1 ? textBox1Step(f.ctx) : textBox2Step(f.ctx);
    };
    const auto textX = [box](const CoreFixture& f) {
        return box == 1 ? f.show.Box1TextX : f.show.Box2TextX;
    };
    const auto holder = [box](CoreFixture& f) -> PictureHolder& {
        return box == 1 ? f.surface.Image1 : f.surface.Image2;
    };
    const int boxWidth = box == 1 ? 200 : 300;

    // A line 100 pixels wider than its box starts 50 pixels left of it.
    {
        CoreFixture f(400, 300);
        layOut(f, QStringLiteral("x"));
        const QString wide = textOfWidth(holder(f).font, boxWidth + 100);
        layOut(f, wide);
        step(f);
        QCOMPARE(textX(f), -50);
        QCOMPARE(holder(f).bitmap, lineDrawnAt(holder(f), wide, -50));
    }
    // An empty line is drawn at the middle of the box, showing nothing.
    {
        CoreFixture f(400, 300);
        layOut(f, QString());
        step(f);
        QCOMPARE(textX(f), boxWidth / 2);
        QCOMPARE(inkColumns(holder(f).bitmap), (std::pair<int, int>{-1, -1}));
    }
    // A short line lands in the middle: as much room left of its ink as right.
    {
        CoreFixture f(400, 300);
        layOut(f, QStringLiteral("HH"));
        step(f);
        const auto [left, right] = inkColumns(holder(f).bitmap);
        QVERIFY(left > 0);
        QVERIFY2(std::abs(left - (boxWidth - 1 - right)) <= 3,
                 qPrintable(QStringLiteral("ink from %1 to %2").arg(left).arg(right)));
    }
    // Without centring the line stays at the left edge.
    {
        CoreFixture g(400, 300);
        layOut(g, QStringLiteral("HH"));
        g.board.CenterText1 = g.board.CenterText2 = false;
        step(g);
        QCOMPARE(textX(g), 0);
        QVERIFY(inkColumns(holder(g).bitmap).first < 5);
    }
}

void EngineStepsTest::box1_markerLine_showsPictureAndDrawsRest() {
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    CoreFixture f(400, 300);
    const QString red = writePicture(dir, "red.bmp", 20, 10, Qt::red);
    const QString green = writePicture(dir, "green.bmp", 20, 10, Qt::green);
    f.show.ImageEntries = {red, dir.filePath("missing.bmp"), green};
    f.show.MarkerMode = true;
    f.show.Box1ShownHeight = 100;
    layOutBox1(f, {QStringLiteral("//0\\\\"), QStringLiteral("A //1\\\\ B"),
                   QStringLiteral("C //7\\\\ D"), QStringLiteral("//2\\\\ E")});
    const QImage& bmp = f.surface.Image1.bitmap;
    const QImage& s = f.surface.image();
    const QImage empty = lineDrawnAt(f.surface.Image1, QString(), 0);

    // Entry 0 stands at the image area's top-left corner (x 200, y 0); the
    // line of only a marker is drawn empty.
    stepBox1ToLine(f, 0);
    QCOMPARE(f.show.ImageAreaLeft, 200);
    QCOMPARE(s.pixel(205, 5), qRgb(255, 0, 0));
    QCOMPARE(bmp, empty);

    // A missing picture shows nothing new; the rest of the line is drawn.
    stepBox1ToLine(f, 1);
    QCOMPARE(s.pixel(205, 5), qRgb(255, 0, 0));
    QCOMPARE(bmp, lineDrawnAt(f.surface.Image1, QStringLiteral("A  B"), 0));

    // A number past the end of the list: an empty line and no picture.
    stepBox1ToLine(f, 2);
    QCOMPARE(s.pixel(205, 5), qRgb(255, 0, 0));
    QCOMPARE(bmp, empty);

    stepBox1ToLine(f, 3);
    QCOMPARE(s.pixel(205, 5), qRgb(0, 255, 0));
    QCOMPARE(bmp, lineDrawnAt(f.surface.Image1, QStringLiteral(" E"), 0));
}

void EngineStepsTest::box1_markerPictureWithLongPath_isShown() {
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    // Folders deep enough that the picture's path passes 255 characters.
    QString folder = dir.path();
    while (folder.size() < 300) {
        folder += QLatin1Char('/') + QString(60, QLatin1Char('d'));
    }
    QVERIFY(QDir().mkpath(folder));
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::blue);
    const QString path = folder + QStringLiteral("/blue.bmp");
    QVERIFY(path.size() > 255);
    QVERIFY(img.save(path, "BMP"));

    CoreFixture f(400, 300);
    f.show.ImageEntries = {path};
    f.show.MarkerMode = true;
    f.show.Box1ShownHeight = 100;
    layOutBox1(f, {QStringLiteral("//0\\\\")});
    textBox1Step(f.ctx);
    QCOMPARE(f.surface.image().pixel(205, 5), qRgb(0, 0, 255));
}

void EngineStepsTest::box1_markerModeClear_drawsLineAsStored() {
    CoreFixture withMarkers(400, 300);
    CoreFixture without(400, 300);
    layOutBox1(withMarkers, {QStringLiteral("A //0\\\\ B")});
    layOutBox1(without, {QStringLiteral("A //0\\\\ B")});
    withMarkers.show.ImageEntries = without.show.ImageEntries = {QStringLiteral("/nope.bmp")};
    withMarkers.show.MarkerMode = true;
    textBox1Step(withMarkers.ctx);
    textBox1Step(without.ctx);
    // Drawn as stored, the marker text makes the line differ from "A  B".
    QVERIFY(withMarkers.surface.Image1.bitmap != without.surface.Image1.bitmap);

    CoreFixture reference(400, 300);
    layOutBox1(reference, {QStringLiteral("A  B")});
    textBox1Step(reference.ctx);
    QCOMPARE(withMarkers.surface.Image1.bitmap, reference.surface.Image1.bitmap);
}

void EngineStepsTest::box2_neverShowsPictures() {
    QTemporaryDir dir;
    CoreFixture f(400, 300);
    f.show.ImageEntries = {writePicture(dir, "blue.bmp", 20, 20, Qt::blue)};
    f.show.MarkerMode = true;
    f.board.Box1Width = 10;
    layOutBox2(f, {QStringLiteral("//0\\\\")});
    const QImage before = f.surface.image().copy(0, 0, 400, 200);
    textBox2Step(f.ctx);
    QCOMPARE(f.surface.image().copy(0, 0, 400, 200), before);
}

void EngineStepsTest::step_reportsStoppedShow() {
    CoreFixture f(400, 300);
    layOutBox1(f, {QStringLiteral("x")});
    layOutBox2(f, {QStringLiteral("y")});
    QVERIFY(textBox1Step(f.ctx));
    f.show.ShowRunning = false;
    QVERIFY(!textBox1Step(f.ctx));
    QVERIFY(!textBox2Step(f.ctx));
    QVERIFY(!crawlStep(f.ctx));
}

void EngineStepsTest::crawl_wStepsPerPass_lastColumnNeverShown() {
    CoreFixture f(100, 50);
    QImage bitmap(6, 4, QImage::Format_RGB32);
    for (int x = 0; x < 6; ++x) {
        for (int y = 0; y < 4; ++y) {
            bitmap.setPixel(x, y, qRgb(10 * (x + 1), y, 0));
        }
    }
    f.surface.Image3.bitmap = bitmap;
    f.show.CrawlTop = 20;
    f.show.CrawlDestRect = {99, 20, 100, 24};
    f.show.CrawlScrollRect = f.show.CrawlClipRect = {0, 20, 100, 24};
    for (int i = 0; i < 5; ++i) {
        crawlStep(f.ctx);
    }
    QCOMPARE(f.show.CrawlColumn, 5);
    const QImage& s = f.surface.image();
    // Columns 0 to 4 entered at the right edge and moved left, one per step.
    QCOMPARE(s.pixel(99, 21), qRgb(50, 1, 0));
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(s.pixel(94 + c, 21), qRgb(10 * (c + 1), 1, 0));
    }
    QCOMPARE(s.pixel(93, 21), qRgb(0, 0, 0));
    // The sixth step only starts the pass again: W = 6 steps per pass.
    const QImage before = s.copy();
    crawlStep(f.ctx);
    QCOMPARE(f.show.CrawlColumn, 0);
    QCOMPARE(f.surface.image(), before);
    // The next pass follows with no gap: column 0 right after column 4.
    crawlStep(f.ctx);
    QCOMPARE(f.surface.image().pixel(97, 21), qRgb(50, 1, 0));
    QCOMPARE(f.surface.image().pixel(98, 21), qRgb(10, 1, 0));
    QCOMPARE(f.surface.image().pixel(99, 21), qRgb(10, 1, 0));
    QCOMPARE(f.show.CrawlSourceRect, (Rect{0, 0, 1, 4}));
}

void EngineStepsTest::crawl_narrowBitmap_neverMoves() {
    CoreFixture f(50, 20);
    f.surface.Image3.bitmap = QImage(1, 4, QImage::Format_RGB32);
    f.surface.Image3.bitmap.fill(Qt::white);
    f.show.CrawlDestRect = {49, 0, 50, 4};
    f.show.CrawlScrollRect = f.show.CrawlClipRect = {0, 0, 50, 4};
    for (int i = 0; i < 3; ++i) {
        crawlStep(f.ctx);
        QCOMPARE(f.show.CrawlColumn, 0);
    }
    QCOMPARE(f.surface.image().pixel(49, 1), qRgb(0, 0, 0));
}

void EngineStepsTest::playBitMap_naturalSize_stretch_missing_broken() {
    support::FixedSystemInfo sys(800, 600);
    QTemporaryDir dir;
    CoreFixture f(800, 600);
    f.board.Box1Width = 400;
    f.show.Box1ShownHeight = 150;
    f.show.MainTitleBarHeight = 66;
    f.show.SecondTitleBarHeight = 60;
    const QString small = writePicture(dir, "small.bmp", 30, 20, Qt::green);

    PlayBitMap(f.ctx, small);
    QCOMPARE((ImageArea{f.show.ImageAreaLeft, f.show.ImageAreaTop, f.show.ImageAreaWidth,
                        f.show.ImageAreaHeight}),
             (ImageArea{410, 176, 380, 150}));
    const QImage& s = f.surface.image();
    QCOMPARE(s.pixel(410, 176), qRgb(0, 255, 0));
    QCOMPARE(s.pixel(439, 195), qRgb(0, 255, 0));
    QCOMPARE(s.pixel(440, 176), qRgb(0, 0, 0));

    f.host.stretch = true;
    PlayBitMap(f.ctx, small);
    QCOMPARE(s.pixel(789, 325), qRgb(0, 255, 0));
    QCOMPARE(s.pixel(790, 325), qRgb(0, 0, 0));
    QCOMPARE(s.pixel(789, 326), qRgb(0, 0, 0));
    QCOMPARE(s.pixel(409, 200), qRgb(0, 0, 0));

    // Unstretched, a picture larger than the area is not cut to it: it covers
    // what lies to the right of the area and below it.
    f.host.stretch = false;
    PlayBitMap(f.ctx, writePicture(dir, "large.bmp", 500, 300, Qt::yellow));
    QCOMPARE(s.pixel(410, 176), qRgb(255, 255, 0));
    QCOMPARE(s.pixel(799, 400), qRgb(255, 255, 0));
    QCOMPARE(s.pixel(500, 475), qRgb(255, 255, 0));
    QCOMPARE(s.pixel(500, 476), qRgb(0, 0, 0));
    QCOMPARE(s.pixel(409, 300), qRgb(0, 0, 0));

    const QImage before = s.copy();
    PlayBitMap(f.ctx, dir.filePath("absent.bmp"));
    QFile broken(dir.filePath("broken.bmp"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("BM this is no picture");
    broken.close();
    PlayBitMap(f.ctx, broken.fileName());
    QCOMPARE(f.surface.image(), before);
}

void EngineStepsTest::clock_largeFont_neverTouchesTheCrawlStrip() {
    CoreFixture f(800, 600);
    f.board.ClockOn = true;
    f.board.ClockColor = 0xFFFFFF;
    f.board.BorderWidth = 10;
    f.show.ClockTop = 400;
    f.show.CrawlTop = 460;
    // A crawl strip already on screen, and a box above the clock.
    QPainter(&f.surface.image()).fillRect(QRect(0, 460, 800, 40), Qt::blue);
    QPainter(&f.surface.image()).fillRect(QRect(0, 300, 800, 100), Qt::green);
    const QImage before = f.surface.image().copy();

    // 72 points is a text line of about 110 pixels: taller than the band.
    f.board.ClockFontSize = 72;
    f.surface.drawClock(f.board, f.show, QDateTime::currentDateTime());
    const QImage& s = f.surface.image();
    QCOMPARE(s.copy(0, 460, 800, 140), before.copy(0, 460, 800, 140));
    QCOMPARE(s.copy(0, 0, 800, 400), before.copy(0, 0, 800, 400));
    // The clock itself was drawn in its band.
    const auto [left, right] = inkColumns(s.copy(0, 400, 800, 60));
    QVERIFY(left >= 10 && right > left);
    QCOMPARE(s.pixel(0, 430), qRgb(0, 0, 0));

    // A clock whose band the crawl strip leaves no room for draws nothing.
    f.show.CrawlTop = 400;
    const QImage full = s.copy();
    f.surface.drawClock(f.board, f.show, QDateTime::currentDateTime());
    QCOMPARE(f.surface.image(), full);
}

PLAKORA_GUI_TEST_MAIN(EngineStepsTest)
#include "test_engine_steps.moc"
