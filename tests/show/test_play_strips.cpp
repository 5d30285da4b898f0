// The moving strips of the play screen: however steps and display frames
// interleave, the window shows what the surface holds.

#include "tests/show/show_fixture.h"
#include "tests/show/strip_steps.h"
#include "tests/support/test_main.h"

#include <QPainter>
#include <QScreen>
#include <QTest>

namespace {

using namespace strips;

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
    void window_showsSurfaceAtEveryFrame();
};

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
            step(f.screen->surface(), box, n);
            step(expected, box, n);
            step(f.screen->surface(), crawl, n);
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
