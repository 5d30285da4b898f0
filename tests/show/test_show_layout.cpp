// The layout arithmetic of a show and the small rules of the Play command.

#include "show/show_layout.h"
#include "show/show_rules.h"

#include <QTest>

namespace {

// The factory-default board on an 800 x 600 screen with every element on.
LayoutInput factoryBoard800x600() {
    LayoutInput in;
    in.BorderWidth = 10;
    in.ScreenWidth = 800;
    in.ScreenHeight = 600;
    in.MainTitleOn = true;
    in.SecondTitleOn = true;
    in.MainTitleFontSize = 40;
    in.SecondTitleFontSize = 34;
    in.Box1On = true;
    in.Box2On = true;
    in.Box1Width = 400;
    in.Box1Height = 150;
    in.Box2Width = 800;
    in.Box2Height = 100;
    in.ClockFontSize = 20;
    in.CrawlOn = true;
    in.CrawlLineHeight = 61;
    return in;
}

} // namespace

class ShowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void workedExample_800x600();
    void workedExample_rectangles();
    void clockOn_movesCrawlDownBy40();
    void textBox1Off_takesNoHeight();
    void titlesOff_takeNoHeightButKeepSpacing();
    void borderWidthZero_noFramesNoBevelKeepsOldBevelWidth();
    void framesHiddenForZeroHeightBox();
    void imageArea_factoryBoard();
    void textTakesPart_data();
    void textTakesPart();
    void projectIsValid_needsTextOrClock();
    void bmpcheck_anyEntryEndingInBmp();
    void markerLines();
    void memoWidthDuringShow_halvesOrFallsBack();
    void box1WidthAfterLoad_leavesRoomForImages();
};

void ShowLayoutTest::workedExample_800x600() {
    const ShowLayout l = computeShowLayout(factoryBoard800x600());
    QCOMPARE(l.Panel3.top, 10);
    QCOMPARE(l.Panel3.height, 66);
    QCOMPARE(l.Panel3.top + l.Panel3.height, 76);
    QCOMPARE(l.Panel3.width, 800);
    QCOMPARE(l.Panel3.bevelWidth, 10);
    QVERIFY(!l.Panel3.bevelNone);
    QCOMPARE(l.Panel4.top, 86);
    QCOMPARE(l.Panel4.height, 60);
    // Text box 1: y 176 to 326, x 0 to 400; its frame y 166 to 336.
    QCOMPARE(l.Box1Bottom, 326);
    QCOMPARE(l.Box1Bottom - l.Box1ShownHeight, 176);
    QCOMPARE(l.Bevel3.top, 166);
    QCOMPARE(l.Bevel3.top + l.Bevel3.height, 336);
    QCOMPARE(l.Bevel3.left, 0);
    QCOMPARE(l.Bevel3.width, 400);
    QVERIFY(l.Bevel3.visible);
    // Text box 2: y 346 to 446.
    QCOMPARE(l.Box2Bottom, 446);
    QCOMPARE(l.Box2Bottom - l.Box2ShownHeight, 346);
    QCOMPARE(l.Bevel4.top, 336);
    QCOMPARE(l.Bevel4.height, 120);
    QCOMPARE(l.ClockTop, 456);
    QCOMPARE(l.CrawlTop, 466);
}

void ShowLayoutTest::workedExample_rectangles() {
    const LayoutInput in = factoryBoard800x600();
    const ShowLayout l = computeShowLayout(in);
    QCOMPARE(l.Box1DestRect, (Rect{10, 325, 390, 326}));
    QCOMPARE(l.Box1ScrollRect, (Rect{0, 176, 400, 326}));
    QCOMPARE(l.Box2DestRect, (Rect{10, 445, 790, 446}));
    QCOMPARE(l.Box2ScrollRect, (Rect{0, 346, 800, 446}));
    QCOMPARE(l.CrawlDestRect, (Rect{799, 466, 800, 527}));
    QCOMPARE(l.CrawlScrollRect, (Rect{0, 466, 800, 527}));

    ShowState show;
    applyShowLayout(l, in, show);
    QCOMPARE(show.Box1ClipRect, show.Box1ScrollRect);
    QCOMPARE(show.Box2ClipRect, show.Box2ScrollRect);
    QCOMPARE(show.CrawlClipRect, show.CrawlScrollRect);
    QCOMPARE(show.ClockTop, 456);
    QCOMPARE(show.CrawlTop, 466);
    QCOMPARE(show.Box1ShownHeight, 150);
}

void ShowLayoutTest::clockOn_movesCrawlDownBy40() {
    LayoutInput in = factoryBoard800x600();
    const int off = computeShowLayout(in).CrawlTop;
    in.ClockOn = true;
    const ShowLayout on = computeShowLayout(in);
    QCOMPARE(on.CrawlTop, 506);
    QCOMPARE(on.CrawlTop - off, 40);
    QCOMPARE(on.CrawlScrollRect.Top, 506);
}

void ShowLayoutTest::textBox1Off_takesNoHeight() {
    LayoutInput in = factoryBoard800x600();
    in.Box1On = false;
    ShowState show;
    show.Box1ScrollRect = {1, 2, 3, 4};
    const ShowLayout l = computeShowLayout(in);
    applyShowLayout(l, in, show);
    // T1 + T2 + 7B + Box2Height.
    QCOMPARE(l.Box2Bottom, 66 + 60 + 70 + 100);
    QCOMPARE(l.Box1ShownHeight, 0);
    QVERIFY(!l.Bevel3.visible);
    QVERIFY(!l.Bevel3.placed);
    // The rectangles of a box that is off are left alone.
    QCOMPARE(show.Box1ScrollRect, (Rect{1, 2, 3, 4}));
}

void ShowLayoutTest::titlesOff_takeNoHeightButKeepSpacing() {
    LayoutInput in = factoryBoard800x600();
    in.MainTitleOn = false;
    in.SecondTitleOn = false;
    const ShowLayout l = computeShowLayout(in);
    QVERIFY(!l.Panel3.visible);
    QCOMPARE(l.Panel3.height, 0);
    QCOMPARE(l.Panel3.top, 0);
    QCOMPARE(l.Panel3.width, 0);
    QCOMPARE(l.Panel4.height, 0);
    QCOMPARE(l.Box1Bottom, 5 * 10 + 150);
    // A title that is off keeps the bevel width it had.
    QCOMPARE(l.Panel3.bevelWidth, 5);
}

void ShowLayoutTest::borderWidthZero_noFramesNoBevelKeepsOldBevelWidth() {
    LayoutInput in = factoryBoard800x600();
    in.BorderWidth = 0;
    ShowLayout l = computeShowLayout(in);
    QVERIFY(l.Panel3.bevelNone);
    QCOMPARE(l.Panel3.bevelWidth, 5);
    // The title still counts twice the bevel width it had, 10 pixels at first.
    QCOMPARE(l.Panel3.height, 40 + 6 + 10);
    QCOMPARE(l.Panel3.top, 0);
    QCOMPARE(l.Panel4.top, 56);
    QVERIFY(!l.Bevel3.visible);
    QVERIFY(!l.Bevel4.visible);
    // Elements touch each other.
    QCOMPARE(l.Box1Bottom, 56 + 50 + 150);
    QCOMPARE(l.Box2Bottom, l.Box1Bottom + 100);
    QCOMPARE(l.Box1DestRect, (Rect{0, l.Box1Bottom - 1, 400, l.Box1Bottom}));

    // After a show with a border, the bevel width is the border's.
    in.Panel3BevelWidth = 10;
    l = computeShowLayout(in);
    QCOMPARE(l.Panel3.height, 40 + 6 + 20);
}

void ShowLayoutTest::framesHiddenForZeroHeightBox() {
    LayoutInput in = factoryBoard800x600();
    in.Box2Height = 0;
    const ShowLayout l = computeShowLayout(in);
    QVERIFY(!l.Bevel4.visible);
    QVERIFY(l.Bevel3.visible);
}

void ShowLayoutTest::imageArea_factoryBoard() {
    const ImageArea a = computeImageArea(400, 150, 10, 800, 66, 60);
    QCOMPARE(a, (ImageArea{410, 176, 380, 150}));
    QCOMPARE(a.Left + a.Width, 790);
    QCOMPARE(a.Top + a.Height, 326);
}

void ShowLayoutTest::textTakesPart_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("on");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("one blank") << " " << false;
    QTest::newRow("two blanks") << "  " << true;
    QTest::newRow("blank then x") << " x" << true;
    QTest::newRow("leading tab") << "\tTitle" << false;
    QTest::newRow("leading control char") << QStringLiteral("\x01Title") << false;
    QTest::newRow("plain") << "Main Title" << true;
    QTest::newRow("accented") << QStringLiteral("\u00c9t\u00e9") << true;
}

void ShowLayoutTest::textTakesPart() {
    QFETCH(QString, text);
    QFETCH(bool, on);
    QCOMPARE(::textTakesPart(text), on);
}

void ShowLayoutTest::projectIsValid_needsTextOrClock() {
    ShowState show;
    QVERIFY(!PROJECTISVALID(show, false));
    QVERIFY(PROJECTISVALID(show, true));
    for (bool ShowState::*flag : {&ShowState::MainTitleOn, &ShowState::SecondTitleOn,
                                  &ShowState::Box1On, &ShowState::Box2On, &ShowState::CrawlOn}) {
        ShowState one;
        one.*flag = true;
        QVERIFY(PROJECTISVALID(one, false));
    }
}

void ShowLayoutTest::bmpcheck_anyEntryEndingInBmp() {
    QVERIFY(!bmpcheck({}));
    QVERIFY(!bmpcheck({"/m/clip.avi", "/m/pic.dib"}));
    QVERIFY(bmpcheck({"/m/clip.avi", "/m/pic.Bmp"}));
    QVERIFY(bmpcheck({"/m/PIC.BMP"}));
    QVERIFY(isBitmapEntry("x.bMp"));
    QVERIFY(!isBitmapEntry("x.dib"));
    QVERIFY(!isBitmapEntry("mp"));
    // Pictures of other formats count as well; movies of any format do not.
    QVERIFY(bmpcheck({"/m/clip.mp4", "/m/logo.PNG"}));
    QVERIFY(bmpcheck({"/m/photo.jpeg"}));
    QVERIFY(!bmpcheck({"/m/clip.mp4", "/m/clip.webm", "/m/clip.mkv"}));
}

void ShowLayoutTest::markerLines() {
    QVERIFY(lineHasMarker(QStringLiteral("//0\\\\")));
    QVERIFY(lineHasMarker(QStringLiteral("text //12\\\\ more")));
    QVERIFY(lineHasMarker(QStringLiteral("\\\\ before //")));
    QVERIFY(!lineHasMarker(QStringLiteral("//0\\")));
    QVERIFY(!lineHasMarker(QStringLiteral("/0\\\\")));
    QVERIFY(!lineHasMarker(QString()));
}

void ShowLayoutTest::memoWidthDuringShow_halvesOrFallsBack() {
    QCOMPARE(memoWidthDuringShow(400, 800), 200);
    QCOMPARE(memoWidthDuringShow(401, 800), 200);
    QCOMPARE(memoWidthDuringShow(-3, 800), -1);
    // An editor not wider than half the box gives its width less 65.
    QCOMPARE(memoWidthDuringShow(1600, 800), 735);
    QCOMPARE(memoWidthDuringShow(1601, 800), 735);
}

void ShowLayoutTest::box1WidthAfterLoad_leavesRoomForImages() {
    QCOMPARE(box1WidthAfterLoad(800, 0), 800);
    QCOMPARE(box1WidthAfterLoad(800, -5), 800);
    QCOMPARE(box1WidthAfterLoad(800, 380), 420);
}

QTEST_GUILESS_MAIN(ShowLayoutTest)
#include "test_show_layout.moc"
