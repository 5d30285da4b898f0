// The moving strips of the play screen: a text box step and a crawl step
// leave the surface exactly as the plain pixel operations would, however the
// steps, reads of the surface and display frames interleave, and the window
// shows what the surface holds.

#include "show/surface_ops.h"
#include "tests/show/show_fixture.h"
#include "tests/support/test_main.h"

#include <QPainter>
#include <QScreen>
#include <QTest>

#include <random>

Q_DECLARE_METATYPE(Rect)

namespace {

enum class Move { Up, Left };

// A bitmap whose every pixel differs from its neighbours, so that a pixel in
// the wrong place shows.
QImage speckled(int w, int h, unsigned seed) {
    QImage img(w, h, QImage::Format_RGB32);
    std::mt19937 random(seed);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            img.setPixel(x, y, 0xFF000000u | (random() & 0xFFFFFFu));
        }
    }
    return img;
}

// Text-like lines: a background with ink from the left over a width that
// changes from row to row, and blank rows between.
QImage inkRows(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(0, 0, 128));
    for (int y = 0; y < h; ++y) {
        const int ink = (y % 5 == 4) ? 0 : (y * 37) % 120;
        for (int x = 0; x < ink; ++x) {
            img.setPixel(x, y, qRgb(255, (x * 7 + y) & 0xFF, 0));
        }
    }
    return img;
}

struct Strip {
    Move move;
    QImage source;
    Rect dest;
    Rect scroll;
    Rect clip;
};

// One step on the play screen, and the same step on a plain image.
Rect step(TPlayScreen& screen, const Strip& s, int n) {
    if (s.move == Move::Up) {
        return screen.surface().scrollUpStep(s.source, n % s.source.height(), s.dest, s.scroll,
                                             s.clip);
    }
    return screen.surface().scrollLeftStep(s.source, n % s.source.width(), s.dest, s.scroll,
                                           s.clip);
}

Rect step(QImage& image, const Strip& s, int n) {
    if (s.move == Move::Up) {
        stretchRow(s.source, n % s.source.height(), image, s.dest);
        return scrollSurface(image, s.scroll, s.clip, 0, -1);
    }
    stretchColumn(s.source, n % s.source.width(), image, s.dest);
    return scrollSurface(image, s.scroll, s.clip, -1, 0);
}

QImage shownOn(TPlayScreen& screen) {
    return screen.screen()
        ->grabWindow(screen.winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

class PlayStripsTest : public QObject {
    Q_OBJECT
private slots:
    void steps_leaveSurfaceAsPixelOperations_data();
    void steps_leaveSurfaceAsPixelOperations();
    void window_showsSurfaceAtEveryFrame();
    void coverScaled_coversWholePixels_data();
    void coverScaled_coversWholePixels();
};

void PlayStripsTest::coverScaled_coversWholePixels_data() {
    QTest::addColumn<QRect>("from");
    QTest::addColumn<double>("factor");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("unscaled") << QRect(5, 7, 11, 3) << 1.0 << QRect(5, 7, 11, 3);
    QTest::newRow("to the desktop at 2x, odd edges widen")
        << QRect(5, 7, 11, 3) << 0.5 << QRect(2, 3, 6, 2);
    QTest::newRow("back to the screen at 2x") << QRect(2, 3, 6, 2) << 2.0 << QRect(4, 6, 12, 4);
    QTest::newRow("to the desktop at 1.5x")
        << QRect(0, 0, 800, 600) << 1.0 / 1.5 << QRect(0, 0, 534, 400);
    QTest::newRow("empty stays empty") << QRect(4, 4, 0, 0) << 0.5 << QRect(2, 2, 0, 0);
}

void PlayStripsTest::coverScaled_coversWholePixels() {
    QFETCH(QRect, from);
    QFETCH(double, factor);
    QFETCH(QRect, expected);
    QCOMPARE(coverScaled(from, factor), expected);
}

void PlayStripsTest::steps_leaveSurfaceAsPixelOperations_data() {
    QTest::addColumn<int>("move");
    QTest::addColumn<QSize>("source");
    QTest::addColumn<Rect>("dest");
    QTest::addColumn<Rect>("scroll");
    QTest::addColumn<Rect>("clip");
    const QSize line(90, 7);
    const QSize crawl(40, 12);
    const int up = int(Move::Up);
    const int left = int(Move::Left);
    // The surface is 120 x 80.
    QTest::newRow("box, inset strip")
        << up << line << Rect{5, 59, 95, 60} << Rect{0, 20, 100, 60} << Rect{0, 20, 100, 60};
    QTest::newRow("box, squeezed two-line strip")
        << up << line << Rect{0, 58, 60, 60} << Rect{0, 20, 60, 60} << Rect{0, 20, 60, 60};
    QTest::newRow("box, clip narrower than scroll")
        << up << line << Rect{10, 49, 50, 50} << Rect{0, 10, 100, 50} << Rect{10, 0, 50, 120};
    QTest::newRow("box past the surface's edge")
        << up << line << Rect{0, 79, 150, 80} << Rect{0, 30, 150, 90} << Rect{0, 30, 150, 90};
    QTest::newRow("box, strip outside the box")
        << up << line << Rect{0, 70, 100, 71} << Rect{0, 20, 100, 60} << Rect{0, 20, 100, 60};
    QTest::newRow("box one pixel high")
        << up << line << Rect{0, 40, 100, 41} << Rect{0, 40, 100, 41} << Rect{0, 40, 100, 41};
    QTest::newRow("crawl") << left << crawl << Rect{119, 60, 120, 72} << Rect{0, 60, 120, 72}
                           << Rect{0, 60, 120, 72};
    QTest::newRow("crawl, stretched three columns")
        << left << crawl << Rect{100, 60, 103, 80} << Rect{20, 60, 103, 80}
        << Rect{20, 60, 103, 80};
}

void PlayStripsTest::steps_leaveSurfaceAsPixelOperations() {
    QFETCH(int, move);
    QFETCH(QSize, source);
    QFETCH(Rect, dest);
    QFETCH(Rect, scroll);
    QFETCH(Rect, clip);
    const Strip s{Move(move), speckled(source.width(), source.height(), 7), dest, scroll, clip};

    ShowFixture f(120, 80);
    f.screen->surface().image() = speckled(120, 80, 11);
    QImage expected = f.screen->surface().image().copy();
    int n = 0;
    // Runs longer than the strip, so that its ring wraps; between them the
    // surface is read, drawn on inside the strip, or both.
    for (const int run : {1, 3, 45, 130, 2}) {
        for (int i = 0; i < run; ++i, ++n) {
            QCOMPARE(step(*f.screen, s, n), step(expected, s, n));
        }
        QCOMPARE(f.screen->surface().image(), expected);
        const QRect mark(30 + run % 7, 40, 9, 3);
        QPainter(&f.screen->surface().imageFor(mark)).fillRect(mark, Qt::magenta);
        QPainter(&expected).fillRect(mark, Qt::magenta);
    }
    QCOMPARE(f.screen->surface().image(), expected);
}

void PlayStripsTest::window_showsSurfaceAtEveryFrame() {
    ShowFixture f(420, 100);
    f.screen->setGeometry(0, 0, 420, 100);
    f.screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.screen.get()));
    f.screen->surface().image().fill(QColor(0, 0, 128));
    f.screen->update();
    QApplication::processEvents();

    // A text box whose lines are mostly narrower than the box, and a crawl.
    const Strip box{Move::Up, inkRows(392, 23), Rect{4, 59, 396, 60}, Rect{0, 10, 400, 60},
                    Rect{0, 10, 400, 60}};
    const Strip crawl{Move::Left, speckled(50, 15, 3), Rect{419, 70, 420, 85}, Rect{0, 70, 420, 85},
                      Rect{0, 70, 420, 85}};
    QImage expected = f.screen->surface().image().copy();
    const long long pixels0 = f.screen->pixelsPainted();
    int n = 0;
    int frames = 0;
    // Display frames after one, two or three steps, as the timers fall.
    for (int frame = 0; frame < 150; ++frame, ++frames) {
        for (int i = 0; i <= frame % 3; ++i, ++n) {
            step(*f.screen, box, n);
            step(expected, box, n);
            step(*f.screen, crawl, n);
            step(expected, crawl, n);
        }
        if (frame % 7 == 3) {
            // Part of the box painted for another reason (an expose, say).
            f.screen->repaint(QRect(0, 10, 20, 50));
        }
        f.screen->flushDirty();
        const QImage shown = shownOn(*f.screen);
        QCOMPARE(shown.copy(0, 10, 400, 50), expected.copy(0, 10, 400, 50));
        QCOMPARE(shown.copy(0, 70, 420, 15), expected.copy(0, 70, 420, 15));
    }
    // What stayed the background in the box was not copied at every frame.
    const long long strips = 400LL * 50 + 420LL * 15;
    QVERIFY(f.screen->pixelsPainted() - pixels0 < strips * frames * 3 / 4);
    QCOMPARE(f.screen->surface().image(), expected);
}

PLAKORA_TEST_MAIN(PlayStripsTest)
#include "test_play_strips.moc"
