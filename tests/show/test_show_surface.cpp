// The show's surface without a window: a text box step and a crawl step
// leave it exactly as the plain pixel operations would, however steps, reads
// and drawings interleave, and it paints what it holds.

#include "tests/show/strip_steps.h"

#include <QPainter>
#include <QTest>

Q_DECLARE_METATYPE(Rect)

using namespace strips;

class ShowSurfaceTest : public QObject {
    Q_OBJECT
private slots:
    void steps_leaveSurfaceAsPixelOperations_data();
    void steps_leaveSurfaceAsPixelOperations();
    void coverScaled_coversWholePixels_data();
    void coverScaled_coversWholePixels();
};

void ShowSurfaceTest::coverScaled_coversWholePixels_data() {
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

void ShowSurfaceTest::coverScaled_coversWholePixels() {
    QFETCH(QRect, from);
    QFETCH(double, factor);
    QFETCH(QRect, expected);
    QCOMPARE(coverScaled(from, factor), expected);
}

void ShowSurfaceTest::steps_leaveSurfaceAsPixelOperations_data() {
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

void ShowSurfaceTest::steps_leaveSurfaceAsPixelOperations() {
    QFETCH(int, move);
    QFETCH(QSize, source);
    QFETCH(Rect, dest);
    QFETCH(Rect, scroll);
    QFETCH(Rect, clip);
    const Strip s{Move(move), speckled(source.width(), source.height(), 7), dest, scroll, clip};

    ShowSurface surface;
    surface.resize(120, 80);
    surface.image() = speckled(120, 80, 11);
    QImage expected = surface.image().copy();
    int n = 0;
    // Runs longer than the strip, so that its ring wraps; between them the
    // surface is read, drawn on inside the strip, or both.
    for (const int run : {1, 3, 45, 130, 2}) {
        for (int i = 0; i < run; ++i, ++n) {
            QCOMPARE(step(surface, s, n), step(expected, s, n));
        }
        QCOMPARE(surface.image(), expected);
        const QRect mark(30 + run % 7, 40, 9, 3);
        QPainter(&surface.imageFor(mark)).fillRect(mark, Qt::magenta);
        QPainter(&expected).fillRect(mark, Qt::magenta);
    }
    QCOMPARE(surface.image(), expected);

    // With no window at all, what the surface paints is what it holds, the
    // strips read from where they are kept.
    QImage painted(surface.size(), QImage::Format_RGB32);
    painted.fill(Qt::cyan);
    surface.takeDirty();
    QPainter p(&painted);
    QCOMPARE(surface.paint(p, QRegion(0, 0, 120, 80)), 120LL * 80);
    p.end();
    QCOMPARE(painted, expected);
}

QTEST_GUILESS_MAIN(ShowSurfaceTest)
#include "test_show_surface.moc"
