// The pacing threads: their rhythm of steps and pauses, the page pause, and
// ending a show wherever its threads wait.

#include "show/crawl_engine.h"
#include "show/engine_thread.h"
#include "show/text_box_engine.h"
#include "tests/show/core_fixture.h"
#include "tests/show/recording_engine.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/gui_test_main.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <functional>

#include <mutex>

namespace {

// Lays out both text boxes and the crawl line on a 400 x 300 surface.
void layOut(CoreFixture& f) {
    f.board.BorderWidth = 0;
    f.board.Box1Width = 200;
    f.board.Box2Width = 300;
    f.show.Text1Lines = {QStringLiteral("first"), QStringLiteral("second")};
    f.show.Text2Lines = {QStringLiteral("other")};
    f.show.Box1LineCount = 2;
    f.show.Box2LineCount = 1;
    f.show.Box1DestRect = {0, 199, 200, 200};
    f.show.Box1ScrollRect = f.show.Box1ClipRect = {0, 100, 200, 200};
    f.show.Box2DestRect = {0, 289, 300, 290};
    f.show.Box2ScrollRect = f.show.Box2ClipRect = {0, 210, 300, 290};
    f.show.Box1LineHeight =
        prepareLineBitmap(f.surface.Image1, QStringLiteral("Arial"), 20, 0xFFFFFF, 0, 200);
    f.show.Box2LineHeight =
        prepareLineBitmap(f.surface.Image2, QStringLiteral("Arial"), 20, 0xFFFFFF, 0, 300);
    renderCrawlBitmap(f.surface.Image3, QStringLiteral("crawl text"), QStringLiteral("Arial"), 20,
                      0xFFFFFF, 0);
    f.show.CrawlDestRect = {399, 40, 400, 40 + f.surface.Image3.bitmap.height()};
    f.show.CrawlScrollRect =
        f.show.CrawlClipRect = {0, 40, 400, 40 + f.surface.Image3.bitmap.height()};
}

struct Progress {
    int box1Line, box1Row, box2Line, box2Row, crawlColumn;
    bool operator==(const Progress&) const = default;
};

Progress progressOf(const ShowState& s) {
    return {s.Box1Line, s.Box1Row, s.Box2Line, s.Box2Row, s.CrawlColumn};
}

void startAll(CoreFixture& f) {
    Box1ThreadHandle.start(std::make_unique<TScrollBox1>(f.ctx));
    Box2ThreadHandle.start(std::make_unique<TScrollBox2>(f.ctx));
    CrawlThreadHandle.start(std::make_unique<TCrawler>(f.ctx));
}

bool allSlotsEmpty() {
    return !Box1ThreadHandle.thread() && !Box2ThreadHandle.thread() &&
           !CrawlThreadHandle.thread() && !MovieThreadHandle.thread() &&
           Box1ThreadHandle.handleNumber() == 0;
}

// An engine whose step runs what the test gives it, and that says when it is
// destroyed, so a test can end or restart the show from inside a step.
class Scripted final : public EngineThread {
public:
    Scripted(QObject* context, std::function<void(Scripted&)> inStep, bool* destroyed)
        : EngineThread(context), inStep_(std::move(inStep)), destroyed_(destroyed) {}
    ~Scripted() override {
        requestStop();
        join();
        *destroyed_ = true;
    }
    int steps = 0; // main thread only

protected:
    void Execute() override {
        runSteps(
            [this] {
                ++steps;
                inStep_(*this);
            },
            [this] { pause(1); });
    }

private:
    std::function<void(Scripted&)> inStep_;
    bool* destroyed_;
};

} // namespace

class EngineThreadsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void pagePauseDue_afterEveryPagePlusOneSteps();
    void box1_pausesAfterEachPage_thenItsDelay();
    void box2_neverPauses_whateverTheSwitch();
    void threads_publishTheirHandles();
    void kill_whileWaitingForStep_noStepRunsAfterwards();
    void kill_duringLongDelay_returns();
    void kill_duringPagePause_returns();
    void kill_repeatedly_whileRunning();
    void stoppedShow_engineRunsOneStepAndEnds();
    void clearingShowRunning_endsEnginesAfterOneMoreStep();
    void showEndedInsideAStep_engineLivesUntilTheStepReturns();
    void slotRestartedInsideAStep_newEngineRuns();
    void slots_rememberTheirLastThreadId();
};

void EngineThreadsTest::cleanup() {
    KILLTHREADS();
    TScrollBox1::pagePauseMs = 3000;
}

void EngineThreadsTest::pagePauseDue_afterEveryPagePlusOneSteps() {
    SharedValue<std::int32_t> rows{0};
    QList<int> pausesAt;
    for (int step = 1; step <= 303; ++step) {
        if (pagePauseDue(rows, 100)) {
            pausesAt << step;
        }
    }
    QCOMPARE(pausesAt, (QList<int>{101, 202, 303}));
    QCOMPARE(rows.load(), 0);
}

void EngineThreadsTest::box1_pausesAfterEachPage_thenItsDelay() {
    support::FixedSystemInfo sys(400, 300);
    CoreFixture f(400, 300);
    layOut(f);
    f.board.PagePause1 = true;
    f.board.Box1PageHeight = 3;
    f.board.Box1Delay = 7;
    auto engine = std::make_unique<Recording<TScrollBox1>>(f.ctx);
    auto* recorder = engine.get();
    Box1ThreadHandle.start(std::move(engine));
    QTRY_VERIFY(recorder->pauses().size() >= 12);
    recorder->requestStop();
    recorder->join();
    const QList<int> p = recorder->pauses().mid(0, 12);
    QCOMPARE(p, (QList<int>{7, 7, 7, 3000, 7, 7, 7, 7, 3000, 7, 7, 7}));
}

void EngineThreadsTest::box2_neverPauses_whateverTheSwitch() {
    support::FixedSystemInfo sys(400, 300);
    CoreFixture f(400, 300);
    layOut(f);
    f.board.PagePause1 = true;
    f.board.PagePause2 = true;
    f.board.Box1PageHeight = 0;
    f.board.Box2PageHeight = 0;
    f.board.Box2Delay = 5;
    auto engine = std::make_unique<Recording<TScrollBox2>>(f.ctx);
    auto* recorder = engine.get();
    Box2ThreadHandle.start(std::move(engine));
    QTRY_VERIFY(recorder->pauses().size() >= 10);
    recorder->requestStop();
    recorder->join();
    QList<int> p = recorder->pauses();
    if (p.last() == 100) {
        p.removeLast(); // the thread's winding down
    }
    for (int ms : p) {
        QCOMPARE(ms, 5);
    }
}

void EngineThreadsTest::threads_publishTheirHandles() {
    support::FixedSystemInfo sys(400, 300);
    CoreFixture f(400, 300);
    layOut(f);
    f.board.Box1Delay = f.board.Box2Delay = f.board.CrawlDelay = 1000000;
    startAll(f);
    QTRY_VERIFY(Box1ThreadHandle.handleNumber() > 0 && Box2ThreadHandle.handleNumber() > 0 &&
                CrawlThreadHandle.handleNumber() > 0);
    QVERIFY(Box1ThreadHandle.handleNumber() != Box2ThreadHandle.handleNumber());
    KILLTHREADS();
    QVERIFY(allSlotsEmpty());
}

void EngineThreadsTest::kill_whileWaitingForStep_noStepRunsAfterwards() {
    support::FixedSystemInfo sys(400, 300);
    CoreFixture f(400, 300);
    layOut(f);
    const QImage before = f.surface.image().copy();
    startAll(f);
    // No events are processed: every thread waits for its first step.
    KILLTHREADS();
    QVERIFY(allSlotsEmpty());
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(f.surface.image(), before);
    QCOMPARE(f.show.Box1Line, 0);
    QCOMPARE(f.show.CrawlColumn, 0);
}

void EngineThreadsTest::kill_duringLongDelay_returns() {
    support::FixedSystemInfo sys(400, 300);
    CoreFixture f(400, 300);
    layOut(f);
    // An hour's delay: a wait that cannot be woken would hold the suite
    // until its time limit.
    f.board.Box1Delay = f.board.Box2Delay = f.board.CrawlDelay = 3600 * 1000;
    startAll(f);
    QTRY_VERIFY(f.show.Box1Row > 0 && f.show.Box2Row > 0 && f.show.CrawlColumn > 0);
    KILLTHREADS();
    QVERIFY(allSlotsEmpty());
}

void EngineThreadsTest::kill_duringPagePause_returns() {
    support::FixedSystemInfo sys(400, 300);
    CoreFixture f(400, 300);
    layOut(f);
    TScrollBox1::pagePauseMs = 3600 * 1000;
    f.board.PagePause1 = true;
    f.board.Box1PageHeight = 0; // the hold comes after the first step
    Box1ThreadHandle.start(std::make_unique<TScrollBox1>(f.ctx));
    QTRY_VERIFY(f.show.Box1Row > 0);
    QTest::qWait(20);
    QCOMPARE(f.show.Box1Row, 2); // held after one step
    KILLTHREADS();
    QVERIFY(allSlotsEmpty());
}

void EngineThreadsTest::kill_repeatedly_whileRunning() {
    support::FixedSystemInfo sys(400, 300);
    CoreFixture f(400, 300);
    layOut(f);
    for (int round = 0; round < 40; ++round) {
        f.board.Box1Delay = round % 3;
        f.board.Box2Delay = (round + 1) % 3;
        f.board.CrawlDelay = (round + 2) % 3;
        startAll(f);
        for (int i = 0; i < round % 5; ++i) {
            QCoreApplication::processEvents();
        }
        KILLTHREADS();
        QVERIFY(allSlotsEmpty());
        const Progress after = progressOf(f.show);
        QCoreApplication::processEvents();
        QCOMPARE(progressOf(f.show), after);
    }
}

void EngineThreadsTest::stoppedShow_engineRunsOneStepAndEnds() {
    support::FixedSystemInfo sys(400, 300);
    CoreFixture f(400, 300);
    layOut(f);
    f.show.ShowRunning = false;
    Box1ThreadHandle.start(std::make_unique<TScrollBox1>(f.ctx));
    CrawlThreadHandle.start(std::make_unique<TCrawler>(f.ctx));
    QTRY_VERIFY(!Box1ThreadHandle.thread()->running() && !CrawlThreadHandle.thread()->running());
    QCOMPARE(f.show.Box1Row, 2);
    QCOMPARE(f.show.CrawlColumn, 1);
}

void EngineThreadsTest::clearingShowRunning_endsEnginesAfterOneMoreStep() {
    support::FixedSystemInfo sys(400, 300);
    CoreFixture f(400, 300);
    layOut(f);
    startAll(f);
    QTRY_VERIFY(f.show.CrawlColumn > 3);
    f.show.ShowRunning = false;
    const int column = f.show.CrawlColumn;
    QTRY_VERIFY(!Box1ThreadHandle.thread()->running() && !Box2ThreadHandle.thread()->running() &&
                !CrawlThreadHandle.thread()->running());
    QVERIFY(f.show.CrawlColumn <= column + 1);
}

void EngineThreadsTest::showEndedInsideAStep_engineLivesUntilTheStepReturns() {
    support::FixedSystemInfo sys(400, 300);
    CoreFixture f(400, 300);
    layOut(f);
    f.board.CrawlDelay = 0;
    CrawlThreadHandle.start(std::make_unique<TCrawler>(f.ctx));
    bool destroyed = false;
    bool aliveAfterKill = false;
    long long crawlStepsInLoop = 0;
    // The first step opens an event loop, as a message box does; inside it
    // the crawl goes on, and then the show ends.
    auto engine = std::make_unique<Scripted>(
        &f.surface,
        [&](Scripted& self) {
            if (self.steps != 1) {
                return;
            }
            QEventLoop loop;
            const long long before = CrawlThreadHandle.thread()->completedSteps();
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                if (CrawlThreadHandle.thread()->completedSteps() >= before + 3) {
                    crawlStepsInLoop = CrawlThreadHandle.thread()->completedSteps() - before;
                    KILLTHREADS();
                    loop.quit();
                }
            });
            poll.start(1);
            loop.exec();
            // The slot let go of this engine, but it is still whole.
            aliveAfterKill = !destroyed;
            self.steps += 100;
        },
        &destroyed);
    Box1ThreadHandle.start(std::move(engine));
    QTRY_VERIFY(destroyed);
    QVERIFY(crawlStepsInLoop >= 3);
    QVERIFY(aliveAfterKill);
    QVERIFY(allSlotsEmpty());
}

void EngineThreadsTest::slotRestartedInsideAStep_newEngineRuns() {
    support::FixedSystemInfo sys(400, 300);
    CoreFixture f(400, 300);
    bool firstDestroyed = false;
    bool secondDestroyed = false;
    int secondSteps = 0;
    bool firstAliveAfterRestart = false;
    auto first = std::make_unique<Scripted>(
        &f.surface,
        [&](Scripted& self) {
            if (self.steps != 1) {
                return;
            }
            Box1ThreadHandle.start(std::make_unique<Scripted>(
                &f.surface, [&](Scripted&) { ++secondSteps; }, &secondDestroyed));
            firstAliveAfterRestart = !firstDestroyed;
            self.steps += 100;
        },
        &firstDestroyed);
    Box1ThreadHandle.start(std::move(first));
    QTRY_VERIFY(firstDestroyed);
    QVERIFY(firstAliveAfterRestart);
    QTRY_VERIFY(secondSteps >= 3);
    QVERIFY(!secondDestroyed);
    KILLTHREADS();
    QVERIFY(secondDestroyed);
}

void EngineThreadsTest::slots_rememberTheirLastThreadId() {
    support::FixedSystemInfo sys(400, 300);
    CoreFixture f(400, 300);
    layOut(f);
    f.board.Box1Delay = f.board.Box2Delay = f.board.CrawlDelay = 1000000;
    startAll(f);
    QTRY_VERIFY(CrawlThreadHandle.handleNumber() > 0);
    const long long id = CrawlThreadHandle.handleNumber();
    QCOMPARE(CrawlThreadHandle.lastHandleNumber(), id);
    KILLTHREADS();
    QCOMPARE(CrawlThreadHandle.handleNumber(), 0LL);
    QCOMPARE(CrawlThreadHandle.lastHandleNumber(), id);
}

PLAKORA_GUI_TEST_MAIN(EngineThreadsTest)
#include "test_engine_threads.moc"
