// What the play screen asks of the desktop: the screen saver is held for as
// long as a show runs, once per show however often the panel restarts it, and
// the display frames run only while the screen is up.

#include "platform/screen_saver.h"
#include "show/control_panel.h"
#include "show/engine_thread.h"
#include "tests/show/show_fixture.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QTest>

#include <memory>

namespace {

class RecordingScreenSaver final : public platform::ScreenSaver {
public:
    QStringList calls;
    void inhibit(const QString& reason) override {
        QVERIFY(!reason.isEmpty());
        calls << QStringLiteral("inhibit");
    }
    void release() override { calls << QStringLiteral("release"); }
};

// A show of one text box on a pinned screen, with the live panel wired to it.
struct HoldFixture {
    support::FixedSystemInfo sys{640, 480};
    support::ScriptedDialogs dialogs;
    RecordingScreenSaver saver;
    std::unique_ptr<ShowFixture> f = std::make_unique<ShowFixture>(640, 480);
    std::unique_ptr<TAlignCntrlBox> panel;

    HoldFixture() {
        platform::setScreenSaver(&saver);
        f->board.Box1Width = 300;
        f->board.Box1Height = 100;
        f->board.Box1Delay = 5;
        f->show.Box1On = true;
        f->show.Box2On = f->show.CrawlOn = false;
        f->host.texts.Text1Lines = {QStringLiteral("first line"), QStringLiteral("second")};
        panel = std::make_unique<TAlignCntrlBox>(f->ctx, *f->screen);
        f->screen->attach(&f->board, &f->show, panel.get());
    }
    ~HoldFixture() {
        KILLTHREADS();
        panel.reset();
        f.reset();
        platform::setScreenSaver(nullptr);
    }
    HoldFixture(const HoldFixture&) = delete;
    HoldFixture& operator=(const HoldFixture&) = delete;
};

} // namespace

class ScreenHoldTest : public QObject {
    Q_OBJECT

private slots:
    void screenSaver_heldOncePerShow_data();
    void screenSaver_heldOncePerShow();
    void frames_runOnlyWhileTheScreenIsUp();
};

void ScreenHoldTest::screenSaver_heldOncePerShow_data() {
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("calls");
    const QString inhibit = QStringLiteral("inhibit");
    const QString release = QStringLiteral("release");
    QTest::newRow("a show holds until it ends")
        << QStringList{"play", "close"} << QStringList{inhibit, release};
    QTest::newRow("the panel's restart keeps the one hold")
        << QStringList{"play", "refresh", "refresh", "close"} << QStringList{inhibit, release};
    QTest::newRow("a second show holds again") << QStringList{"play", "close", "play", "close"}
                                               << QStringList{inhibit, release, inhibit, release};
    QTest::newRow("ending twice releases once")
        << QStringList{"play", "close", "close"} << QStringList{inhibit, release};
    QTest::newRow("no show, nothing to release") << QStringList{"close"} << QStringList{};
    QTest::newRow("the program ends mid-show")
        << QStringList{"play", "quit"} << QStringList{inhibit, release};
}

void ScreenHoldTest::screenSaver_heldOncePerShow() {
    QFETCH(QStringList, actions);
    QFETCH(QStringList, calls);
    HoldFixture h;
    for (const QString& action : actions) {
        if (action == QLatin1String("play")) {
            StartTheShow(h.f->ctx, *h.f->screen);
            QVERIFY(h.f->screen->holdsScreenOn());
        } else if (action == QLatin1String("refresh")) {
            h.panel->show();
            h.panel->ReFresh1Click();
            QVERIFY(h.f->screen->isVisible());
        } else if (action == QLatin1String("close")) {
            h.f->screen->ClosePlayScreen();
            QVERIFY(!h.f->screen->holdsScreenOn());
        } else if (action == QLatin1String("quit")) {
            KILLTHREADS();
            h.panel.reset();
            h.f->screen.reset();
        }
    }
    QCOMPARE(h.saver.calls, calls);
}

void ScreenHoldTest::frames_runOnlyWhileTheScreenIsUp() {
    HoldFixture h;
    TPlayScreen& screen = *h.f->screen;
    QVERIFY(!screen.framesRunning());
    StartTheShow(h.f->ctx, *h.f->screen);
    QVERIFY(screen.framesRunning());
    h.panel->show();
    h.panel->ReFresh1Click();
    QVERIFY(screen.framesRunning());
    screen.ClosePlayScreen();
    QVERIFY(!screen.framesRunning());
    StartTheShow(h.f->ctx, *h.f->screen);
    QVERIFY(screen.framesRunning());
    // Closed by the window system rather than by the show.
    screen.close();
    QVERIFY(!screen.isVisible());
    QVERIFY(!screen.framesRunning());
}

PLAKORA_TEST_MAIN(ScreenHoldTest)

#include "test_screen_hold.moc"
