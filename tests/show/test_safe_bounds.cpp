// Boards with any numbers and texts, as a board file may hold them: the show
// starts, steps and ends with them, and the board keeps them as they were.

#include "platform/fonts.h"
#include "show/control_panel.h"
#include "show/control_panel_rules.h"
#include "show/engine_thread.h"
#include "show/picture_holder.h"
#include "show/safe_bounds.h"
#include "show/text_box_engine.h"
#include "tests/show/show_fixture.h"
#include "tests/show/slideshow_fixture.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QFontMetrics>
#include <QLabel>
#include <QSlider>
#include <QTest>

#include <functional>
#include <limits>
#include <map>

namespace {

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

// Every number of the board, so that a test sees any of them change.
QList<qint64> numbersOf(const BoardState& b) {
    return {b.PagePause1,     b.PagePause2,        b.Box1Width,
            b.Box2Width,      b.BorderWidth,       b.Box1PageHeight,
            b.Box2PageHeight, b.Box1Height,        b.Box2Height,
            b.ClockOn,        b.CenterText1,       b.CenterText2,
            b.Text1FontSize,  b.Box1Delay,         b.Text2FontSize,
            b.Box2Delay,      b.MainTitleFontSize, b.SecondTitleFontSize,
            b.ClockFontSize,  b.CrawlFontSize,     b.CrawlDelay,
            b.PlayBackColor,  b.Text1Color};
}

QString longText(int length) {
    QString text;
    text.reserve(length);
    while (text.size() < length) {
        text += QStringLiteral("Breaking news, all day long. ");
    }
    text.truncate(length);
    return text;
}

// Board fields (or editor texts) and the wild values a test gives them.
using WildValues = QList<std::pair<QString, int>>;

// A wild value put into the board (or into the texts the editor hands over).
using Setter = std::function<void(BoardState&, ShowTexts&, int)>;

const std::map<QString, Setter>& setters() {
    static const std::map<QString, Setter> all = {
        {"Box1Width", [](BoardState& b, ShowTexts&, int v) { b.Box1Width = v; }},
        {"Box2Width", [](BoardState& b, ShowTexts&, int v) { b.Box2Width = v; }},
        {"Box1Height", [](BoardState& b, ShowTexts&, int v) { b.Box1Height = v; }},
        {"Box2Height", [](BoardState& b, ShowTexts&, int v) { b.Box2Height = v; }},
        {"BorderWidth", [](BoardState& b, ShowTexts&, int v) { b.BorderWidth = v; }},
        {"Box1PageHeight", [](BoardState& b, ShowTexts&, int v) { b.Box1PageHeight = v; }},
        {"Box2PageHeight", [](BoardState& b, ShowTexts&, int v) { b.Box2PageHeight = v; }},
        {"Text1FontSize", [](BoardState& b, ShowTexts&, int v) { b.Text1FontSize = v; }},
        {"Text2FontSize", [](BoardState& b, ShowTexts&, int v) { b.Text2FontSize = v; }},
        {"MainTitleFontSize", [](BoardState& b, ShowTexts&, int v) { b.MainTitleFontSize = v; }},
        {"SecondTitleFontSize",
         [](BoardState& b, ShowTexts&, int v) { b.SecondTitleFontSize = v; }},
        {"ClockFontSize", [](BoardState& b, ShowTexts&, int v) { b.ClockFontSize = v; }},
        {"CrawlFontSize", [](BoardState& b, ShowTexts&, int v) { b.CrawlFontSize = v; }},
        {"Box1Delay", [](BoardState& b, ShowTexts&, int v) { b.Box1Delay = v; }},
        {"Box2Delay", [](BoardState& b, ShowTexts&, int v) { b.Box2Delay = v; }},
        {"CrawlDelay", [](BoardState& b, ShowTexts&, int v) { b.CrawlDelay = v; }},
        {"PlayTime", [](BoardState&, ShowTexts& t, int v) { t.PlayTime = v; }},
        {"MainTitle", [](BoardState&, ShowTexts& t, int v) { t.MainTitle = longText(v); }},
        {"SecondTitle", [](BoardState&, ShowTexts& t, int v) { t.SecondTitle = longText(v); }},
        {"CrawlLine", [](BoardState&, ShowTexts& t, int v) { t.CrawlLine = longText(v); }},
        {"Text1Lines",
         [](BoardState&, ShowTexts& t, int v) {
             t.Text1Lines.clear();
             for (int i = 0; i < v; ++i) {
                 t.Text1Lines << QString::number(i);
             }
         }},
        {"Text1LongLine",
         [](BoardState& b, ShowTexts& t, int v) {
             b.CenterText1 = true; // the centring measures the whole line
             t.Text1Lines = {longText(v), QStringLiteral("after")};
         }},
        {"Text2LongLine", [](BoardState&, ShowTexts& t, int v) { t.Text2Lines = {longText(v)}; }},
    };
    return all;
}

// Everything wild at once.
const WildValues kAllWild = {
    {"Box1Width", kMax},         {"Box2Width", kMin},         {"Box1Height", 1000000000},
    {"Box2Height", -100},        {"BorderWidth", kMin},       {"Box1PageHeight", -5},
    {"Box2PageHeight", kMax},    {"Text1FontSize", 100000},   {"Text2FontSize", 0},
    {"MainTitleFontSize", kMax}, {"SecondTitleFontSize", -1}, {"ClockFontSize", 100000},
    {"CrawlFontSize", 100000},   {"Box1Delay", -5},           {"Box2Delay", kMin},
    {"CrawlDelay", -1},          {"PlayTime", kMax},          {"MainTitle", 1000000},
    {"SecondTitle", 1000000},    {"CrawlLine", 1000000},      {"Text1LongLine", 1000000},
    {"Text2LongLine", 1000000},
};

// A factory-default board on an 800 x 600 screen with every element in the
// show: both titles, both text boxes with the page pause, the clock, the
// crawl line, and a slideshow of two stretched pictures.
struct WildShow {
    support::FixedSystemInfo sys{800, 600};
    support::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    ShowFixture f{800, 600};
    EndThreadsOnExit endThreads;

    WildShow() {
        BoardState& b = f.board;
        b.BorderWidth = 10;
        b.Box1Width = 400;
        b.Box2Width = 800;
        b.Box1Height = 150;
        b.Box2Height = 100;
        b.Box1PageHeight = b.Box2PageHeight = 200;
        b.PagePause1 = true;
        b.ClockOn = true;
        b.MainTitleFontName = b.SecondTitleFontName = QStringLiteral("Arial");
        b.MainTitleFontSize = 40;
        b.SecondTitleFontSize = 34;
        b.ClockFontSize = 20;
        b.CrawlFontSize = 40;
        b.Box1Delay = 0;
        b.Box2Delay = 2;
        b.CrawlDelay = 0;
        b.MainTitleBackColor = 0xFF0000;
        b.SecondTitleBackColor = 0x0000FF;
        b.CrawlColor = 0xFFFFFF;
        ShowState& s = f.show;
        s.Box1On = s.Box2On = s.MainTitleOn = s.SecondTitleOn = s.CrawlOn = true;
        ShowTexts& t = f.host.texts;
        t.MainTitle = QStringLiteral("Main Title");
        t.SecondTitle = QStringLiteral("Sub Title");
        t.CrawlLine = QStringLiteral("Hori scroll region");
        t.Text1Lines = {QStringLiteral("first"), QStringLiteral("second")};
        t.Text2Lines = {QStringLiteral("other")};
        t.ImageList = {writePicture(dir, "a.bmp", Qt::red), writePicture(dir, "b.bmp", Qt::green)};
        t.PlayTime = 1;
        f.host.stretch = true;
    }

    void set(const QString& field, int value) { setters().at(field)(f.board, f.host.texts, value); }

    // Waits until every engine of the show has run a few steps.
    static bool enginesHaveStepped(int steps) {
        for (const ThreadSlot* slot : {&Box1ThreadHandle, &Box2ThreadHandle, &CrawlThreadHandle}) {
            if (!slot->thread() || slot->thread()->completedSteps() < steps) {
                return false;
            }
        }
        return MovieThreadHandle.thread() && MovieThreadHandle.thread()->completedSteps() >= 1;
    }

    // What the show draws with and holds in memory stays bounded, whatever
    // the board says.
    bool usesBoundedSizes() const {
        const TPlayScreen& screen = *f.screen;
        const int maxPixels = platform::pointsToPixels(kMaxFontPoints);
        const int maxLineHeight =
            QFontMetrics(platform::boardFont(QStringLiteral("Arial"), kMaxFontPoints)).height();
        for (const PictureHolder* h : {&screen.surface().Image1, &screen.surface().Image2}) {
            if (h->bitmap.width() > kScreensPerLength * 800 || h->bitmap.height() > maxLineHeight) {
                return false;
            }
        }
        const QImage& crawl = screen.surface().Image3.bitmap;
        if (qint64(crawl.width()) * crawl.height() > kMaxCrawlBitmapPixels ||
            crawl.height() > maxLineHeight) {
            return false;
        }
        for (const TitlePanel* title : {screen.Panel3, screen.Panel4}) {
            if (title->caption().size() > kMaxLineChars || title->font().pixelSize() > maxPixels) {
                return false;
            }
        }
        return true;
    }
};

} // namespace

class SafeBoundsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void bounds_data();
    void bounds();
    void lineText_cutWithoutSplittingACharacter();
    void textWithinWidth_longestStartThatFits();
    void crawlBitmap_ordinaryWhole_megabyteBounded();
    void widthBar_staysOnTheScreen();

    void wildBoard_showStepsAndEnds_boardKeepsIt_data();
    void wildBoard_showStepsAndEnds_boardKeepsIt();
    void wildBoard_controlPanelComesUpAndRestarts();
};

void SafeBoundsTest::init() {
    // The page pause comes after every step with a page length below 1.
    TScrollBox1::pagePauseMs = 1;
}

void SafeBoundsTest::cleanup() {
    KILLTHREADS();
    TScrollBox1::pagePauseMs = 3000;
}

void SafeBoundsTest::bounds_data() {
    QTest::addColumn<int>("used");
    QTest::addColumn<int>("expected");

    // Ordinary values pass unchanged, and so do unusual ones.
    QTest::newRow("font 20") << safeFontPoints(20) << 20;
    QTest::newRow("width twice the screen") << safeLength(1600, 800) << 1600;
    QTest::newRow("border 0") << safeBorderWidth(0, 800, 600) << 0;
    QTest::newRow("delay 2") << safeDelayMs(2) << 2;
    QTest::newRow("slide 30 s") << safeSlideSeconds(30) << 30;

    // Wild values come to the nearest bound.
    QTest::newRow("font 0") << safeFontPoints(0) << 1;
    QTest::newRow("font 100000") << safeFontPoints(100000) << kMaxFontPoints;
    QTest::newRow("width -400") << safeLength(-400, 800) << 0;
    QTest::newRow("width 10^9") << safeLength(1000000000, 800) << 4 * 800;
    QTest::newRow("height max") << safeLength(kMax, 600) << 4 * 600;
    QTest::newRow("border 100000") << safeBorderWidth(100000, 800, 600) << 4 * 800;
    QTest::newRow("border on a tall screen") << safeBorderWidth(100000, 600, 800) << 4 * 800;
    QTest::newRow("delay -5") << safeDelayMs(-5) << 0;
    QTest::newRow("delay max") << safeDelayMs(kMax) << kMaxStepDelayMs;
    QTest::newRow("slide 0 s") << safeSlideSeconds(0) << 1;
    QTest::newRow("slide max") << safeSlideSeconds(kMax) << kMaxSlideSeconds;
}

void SafeBoundsTest::bounds() {
    QFETCH(int, used);
    QFETCH(int, expected);
    QCOMPARE(used, expected);
}

void SafeBoundsTest::lineText_cutWithoutSplittingACharacter() {
    const QString ordinary = QStringLiteral("Hori scroll region");
    QCOMPARE(safeLineText(ordinary), ordinary);
    const QString exact = longText(int(kMaxLineChars));
    QCOMPARE(safeLineText(exact), exact);

    const QString megabyte = longText(1000000);
    QCOMPARE(safeLineText(megabyte), megabyte.left(kMaxLineChars));

    // A character of two code units across the bound is left out whole.
    const QString face = QString::fromUcs4(U"\U0001F600");
    const QString straddling = longText(int(kMaxLineChars) - 1) + face + QStringLiteral("tail");
    const QString cut = safeLineText(straddling);
    QCOMPARE(cut.size(), kMaxLineChars - 1);
    QVERIFY(!cut.back().isHighSurrogate());
    const QString fitting = longText(int(kMaxLineChars) - 2) + face + QStringLiteral("tail");
    QVERIFY(safeLineText(fitting).endsWith(face));
}

void SafeBoundsTest::textWithinWidth_longestStartThatFits() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(20);
    const QFontMetrics m(font);
    const QString text = QStringLiteral("abcdefghij");
    QCOMPARE(textWithinWidth(text, m, m.horizontalAdvance(text)), text);
    QCOMPARE(textWithinWidth(text, m, m.horizontalAdvance(QStringLiteral("abcde"))),
             QStringLiteral("abcde"));
    QCOMPARE(textWithinWidth(text, m, m.horizontalAdvance(QStringLiteral("abcdef")) - 1),
             QStringLiteral("abcde"));
    QCOMPARE(textWithinWidth(text, m, 0), QString());
}

void SafeBoundsTest::crawlBitmap_ordinaryWhole_megabyteBounded() {
    PictureHolder holder;
    const QString ordinary = QStringLiteral("Hori scroll region");
    renderCrawlBitmap(holder, ordinary, QStringLiteral("Arial"), 40, 0xFFFFFF, 0);
    const QFontMetrics m(holder.font);
    QCOMPARE(holder.bitmap.width(), m.horizontalAdvance(ordinary));

    // A megabyte of crawl text at the largest font: cut to what the bitmap
    // may hold, and filled up to nearly that.
    const int height =
        renderCrawlBitmap(holder, longText(1000000), QStringLiteral("Arial"), 100000, 0xFFFFFF, 0);
    QCOMPARE(holder.bitmap.height(), height);
    QCOMPARE(holder.font.pixelSize(), platform::pointsToPixels(kMaxFontPoints));
    const int limit = crawlWidthLimit(height);
    QVERIFY(holder.bitmap.width() <= limit);
    QVERIFY(holder.bitmap.width() > limit - 2 * QFontMetrics(holder.font).maxWidth());
}

void SafeBoundsTest::widthBar_staysOnTheScreen() {
    QCOMPARE(widthBarMaximum(800, 10), 780);
    QCOMPARE(widthBarMaximum(800, -10), 800);
    QCOMPARE(widthBarMaximum(800, kMin), 800);
    QCOMPARE(widthBarMaximum(800, kMax), 1);
}

void SafeBoundsTest::wildBoard_showStepsAndEnds_boardKeepsIt_data() {
    QTest::addColumn<WildValues>("wild");
    const auto row = [](const char* name, const WildValues& values) {
        QTest::newRow(name) << values;
    };
    row("negative box 1 width", {{"Box1Width", -400}});
    row("box 1 width 10^9", {{"Box1Width", 1000000000}});
    row("lowest box 2 width", {{"Box2Width", kMin}});
    row("highest box 2 width", {{"Box2Width", kMax}});
    row("negative box 1 height", {{"Box1Height", -150}});
    row("box 1 height 10^9", {{"Box1Height", 1000000000}});
    row("negative box 2 height", {{"Box2Height", -100}});
    row("highest box 2 height", {{"Box2Height", kMax}});
    row("border 100000", {{"BorderWidth", 100000}});
    row("negative border", {{"BorderWidth", -10}});
    row("lowest border", {{"BorderWidth", kMin}});
    row("negative page height", {{"Box1PageHeight", -5}, {"Box2PageHeight", -5}});
    row("highest page height", {{"Box1PageHeight", kMax}, {"Box2PageHeight", kMax}});
    for (const char* font : {"Text1FontSize", "Text2FontSize", "MainTitleFontSize",
                             "SecondTitleFontSize", "ClockFontSize", "CrawlFontSize"}) {
        // Past about 25000 points the font's own metrics overflow and turn
        // negative; past about 50000 the font is refused altogether.
        for (const int size : {0, 10000, 45000, 100000, kMin}) {
            const QByteArray name = QByteArray(font) + ' ' + QByteArray::number(size);
            row(name.constData(), {{font, size}});
        }
    }
    row("negative delays", {{"Box1Delay", -5}, {"Box2Delay", -5}, {"CrawlDelay", -5}});
    row("lowest delays", {{"Box1Delay", kMin}, {"Box2Delay", kMin}, {"CrawlDelay", kMin}});
    row("highest slide time", {{"PlayTime", kMax}});
    row("negative slide time", {{"PlayTime", -3}});
    row("megabyte crawl line", {{"CrawlLine", 1000000}});
    row("megabyte crawl line, large font", {{"CrawlLine", 1000000}, {"CrawlFontSize", 500}});
    row("megabyte titles", {{"MainTitle", 1000000}, {"SecondTitle", 1000000}});
    row("100000 lines", {{"Text1Lines", 100000}});
    row("megabyte centred line", {{"Text1LongLine", 1000000}});
    row("megabyte line in box 2", {{"Text2LongLine", 1000000}});
    row("everything at once", kAllWild);
}

void SafeBoundsTest::wildBoard_showStepsAndEnds_boardKeepsIt() {
    QFETCH(WildValues, wild);
    WildShow w;
    for (const auto& [field, value] : wild) {
        w.set(field, value);
    }
    const QList<qint64> loaded = numbersOf(w.f.board);

    StartTheShow(w.f.ctx, *w.f.screen);
    QTRY_VERIFY_WITH_TIMEOUT(WildShow::enginesHaveStepped(3), 30000);
    // The clock draws once more with the board's size and border.
    w.f.screen->Timer1Timer();
    QVERIFY(w.usesBoundedSizes());
    w.f.screen->ClosePlayScreen();

    QVERIFY(!Box1ThreadHandle.thread() && !MovieThreadHandle.thread());
    QCOMPARE(numbersOf(w.f.board), loaded);
}

void SafeBoundsTest::wildBoard_controlPanelComesUpAndRestarts() {
    WildShow w;
    for (const auto& [field, value] : kAllWild) {
        w.set(field, value);
    }
    const QList<qint64> loaded = numbersOf(w.f.board);
    TAlignCntrlBox panel(w.f.ctx, *w.f.screen);
    w.f.screen->attach(&w.f.board, &w.f.show, &panel);

    StartTheShow(w.f.ctx, *w.f.screen);
    QTRY_VERIFY_WITH_TIMEOUT(WildShow::enginesHaveStepped(3), 30000);
    panel.show();
    QVERIFY(!Box1ThreadHandle.thread());
    // A negative border is none: the width bars reach across the screen.
    QCOMPARE(panel.TrackBar2->maximum(), 800);
    // Each bar shows the loaded value at the nearest end of its range; the
    // width bars take their position before their range reaches the screen.
    QCOMPARE(panel.TrackBar2->value(), 640);
    QCOMPARE(panel.TrackBar6->value(), 1);
    QCOMPARE(panel.TrackBar4->value(), 400);
    QCOMPARE(panel.TrackBar3->value(), 0);
    QCOMPARE(panel.TrackBar5->value(), 1);
    QCOMPARE(panel.Label4->text(), QStringLiteral("640"));
    QCOMPARE(numbersOf(w.f.board), loaded);

    // Refresh starts the show again from the same wild board.
    panel.ReFresh1Click();
    QTRY_VERIFY_WITH_TIMEOUT(WildShow::enginesHaveStepped(3), 30000);
    QVERIFY(w.usesBoundedSizes());
    KILLTHREADS();
    QCOMPARE(numbersOf(w.f.board), loaded);
    w.f.screen->attach(&w.f.board, &w.f.show, nullptr);
}

PLAKORA_TEST_MAIN(SafeBoundsTest)
#include "test_safe_bounds.moc"
