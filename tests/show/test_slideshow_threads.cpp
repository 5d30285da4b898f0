// The slideshow thread: its waits between entries, a list of one entry, the
// start of the slideshow with a show, ending the show while the thread reads
// a picture or meets a FIFO in the list, and ending or restarting the show
// while the message about an unplayable movie is up.

#include "persistence/picture_reader.h"
#include "show/movie_engine.h"
#include "show/text_box_engine.h"
#include "tests/show/fake_media.h"
#include "tests/show/recording_engine.h"
#include "tests/show/show_fixture.h"
#include "tests/show/slideshow_fixture.h"
#include "tests/support/big_bitmap.h"
#include "tests/support/fifo_watchdog.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

using platform::Answer;

namespace {

// Records every wait between slides and holds the thread in it until the test
// lets it go, so the test can look at the screen between steps. The thread's
// short wind-down at idle priority is not held.
template <typename Engine> class Gated : public Engine {
public:
    using Engine::Engine;
    QList<int> pauses() const {
        std::lock_guard<std::mutex> lock(m_);
        return pauses_;
    }
    void release() {
        std::lock_guard<std::mutex> lock(m_);
        ++released_;
        cv_.notify_all();
    }

protected:
    bool pause(int ms) override {
        if (ms < 1000) {
            return EngineThread::pause(0);
        }
        std::unique_lock<std::mutex> lock(m_);
        pauses_ << ms;
        const auto mine = pauses_.size();
        while (released_ < mine && !this->stopRequested()) {
            cv_.wait_for(lock, std::chrono::milliseconds(5));
        }
        return !this->stopRequested();
    }

private:
    mutable std::mutex m_;
    std::condition_variable cv_;
    QList<int> pauses_;
    qsizetype released_ = 0;
};

// Text box 1 on the left of the 400 x 300 screen, so that another engine
// runs beside the slideshow.
void layOutBox1(ShowFixture& f) {
    f.show.Text1Lines = {QStringLiteral("first"), QStringLiteral("second")};
    f.show.Box1LineCount = 2;
    f.show.Box1DestRect = {0, 149, 200, 150};
    f.show.Box1ScrollRect = f.show.Box1ClipRect = {0, 50, 200, 150};
    f.show.Box1LineHeight = prepareLineBitmap(f.screen->surface().Image1, QStringLiteral("Arial"),
                                              20, 0xFFFFFF, 0, 200);
    f.board.Box1Delay = 1;
}

} // namespace

class SlideshowThreadsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void thread_threeBitmaps_showBCA_withPlayTimeBetween();
    void thread_readsPlayTimeForEveryWait();
    void thread_readsTheNextPictureDuringTheWait();
    void thread_singleEntry_shownOnceThenEnds();
    void startTheShow_slideshowOnlyWithEntriesAndNoMarkers();
    void stop_whileReadingAPicture_endsTheReadAtOnce_data();
    void stop_whileReadingAPicture_endsTheReadAtOnce();
    void fifoInTheList_passedSilently_showStopsPromptly();
    void errorBox_endingTheShowMeanwhile_isSafe();
    void errorBox_restartingTheShowMeanwhile_isSafe();
};

void SlideshowThreadsTest::cleanup() {
    KILLTHREADS();
}

void SlideshowThreadsTest::thread_threeBitmaps_showBCA_withPlayTimeBetween() {
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    EndThreadsOnExit endThreads;
    layOutArea(f);
    const QString b = writePicture(dir, "b.bmp", Qt::green);
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red), b, writePicture(dir, "c.bmp", Qt::blue)});
    f.show.PlayTime = 3;
    f.show.SlideIndex = 2; // left over from an earlier show

    auto engine = std::make_unique<Gated<TMovieBox>>(f.ctx);
    auto* show = engine.get();
    QCOMPARE(f.show.SlideIndex, 0);
    MovieThreadHandle.start(std::move(engine));

    QList<QRgb> seen;
    for (int k = 1; k <= 5; ++k) {
        QTRY_COMPARE(show->pauses().size(), k);
        seen << areaColour(f);
        if (k == 1) {
            // The first picture came before any wait.
            QCOMPARE(show->completedSteps(), 1);
        }
        if (k == 3) {
            // B is replaced on disk: its next showing reads the new file.
            writePicture(b, Qt::yellow);
        }
        show->release();
    }
    QCOMPARE(seen, (QList<QRgb>{qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 0, 0),
                                qRgb(255, 255, 0), qRgb(0, 0, 255)}));
    QCOMPARE(show->pauses(), (QList<int>{3000, 3000, 3000, 3000, 3000}));
}

void SlideshowThreadsTest::thread_readsPlayTimeForEveryWait() {
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    EndThreadsOnExit endThreads;
    layOutArea(f);
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red), writePicture(dir, "b.bmp", Qt::blue)});
    f.show.PlayTime = 4;
    auto engine = std::make_unique<Gated<TMovieBox>>(f.ctx);
    auto* show = engine.get();
    MovieThreadHandle.start(std::move(engine));
    QTRY_COMPARE(show->pauses().size(), 1);
    f.show.PlayTime = 30; // the slider moved
    show->release();
    QTRY_COMPARE(show->pauses().size(), 2);
    QCOMPARE(show->pauses(), (QList<int>{4000, 30000}));
}

void SlideshowThreadsTest::thread_readsTheNextPictureDuringTheWait() {
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    std::atomic<EngineThread*> show{nullptr};
    std::atomic<int> piecesAfterFirstStep{0};
    PieceHook hook([&](qint64) {
        EngineThread* engine = show.load();
        if (engine && engine->completedSteps() == 1) {
            ++piecesAfterFirstStep;
        }
    });
    EndThreadsOnExit endThreads;
    layOutArea(f);
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red), writePicture(dir, "b.bmp", Qt::green),
                   writePicture(dir, "c.bmp", Qt::blue)});
    f.show.PlayTime = 5;
    auto engine = std::make_unique<Gated<TMovieBox>>(f.ctx);
    auto* gated = engine.get();
    show = gated;
    MovieThreadHandle.start(std::move(engine));
    // B stands and the thread waits out its time: C is read meanwhile, so
    // its reading does not add to B's time.
    QTRY_COMPARE(gated->pauses().size(), 1);
    QCOMPARE(areaColour(f), qRgb(0, 255, 0));
    QTRY_VERIFY(piecesAfterFirstStep.load() > 0);
    gated->release();
    QTRY_COMPARE(gated->pauses().size(), 2);
    QCOMPARE(areaColour(f), qRgb(0, 0, 255));
    QCOMPARE(gated->pauses(), (QList<int>{5000, 5000}));
}

void SlideshowThreadsTest::thread_singleEntry_shownOnceThenEnds() {
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    EndThreadsOnExit endThreads;
    layOutArea(f);
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red)});
    f.show.PlayTime = 2;
    auto engine = std::make_unique<Recording<TMovieBox>>(f.ctx);
    auto* show = engine.get();
    MovieThreadHandle.start(std::move(engine));
    QTRY_VERIFY(!show->running());
    QCOMPARE(show->completedSteps(), 1);
    // The wait after the one showing is still taken, then the thread winds down.
    QCOMPARE(show->pauses(), (QList<int>{2000, 100}));
    QCOMPARE(areaColour(f), qRgb(255, 0, 0));
    QCOMPARE(f.show.SlideIndex, 0);
}

void SlideshowThreadsTest::startTheShow_slideshowOnlyWithEntriesAndNoMarkers() {
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    EndThreadsOnExit endThreads;
    f.board.Box1Delay = f.board.Box2Delay = f.board.CrawlDelay = 3600 * 1000;
    f.show.Box1On = true;
    f.host.texts.Text1Lines = {QStringLiteral("plain line")};
    f.host.texts.PlayTime = 7;

    // No entries: no slideshow.
    StartTheShow(f.ctx, *f.screen);
    QVERIFY(!MovieThreadHandle.thread());
    QCOMPARE(f.show.ImageCount.load(), 0);
    KILLTHREADS();

    // Entries and no markers: the slideshow runs, with the list size and
    // the time per slide published for its thread.
    f.host.texts.ImageList = {writePicture(dir, "a.bmp", Qt::red), writeMovieFile(dir, "m.avi")};
    f.host.texts.PlayTime = 7;
    StartTheShow(f.ctx, *f.screen);
    QVERIFY(MovieThreadHandle.thread());
    QCOMPARE(f.show.ImageCount.load(), 2);
    QCOMPARE(f.show.PlayTime.load(), 7);
    KILLTHREADS();

    // A marker line with a bitmap in the list: pictures come with the lines.
    f.host.texts.Text1Lines = {QStringLiteral("see //0\\\\ here")};
    StartTheShow(f.ctx, *f.screen);
    QVERIFY(f.show.MarkerMode);
    QVERIFY(!MovieThreadHandle.thread());
    QVERIFY(Box1ThreadHandle.thread());
}

void SlideshowThreadsTest::stop_whileReadingAPicture_endsTheReadAtOnce_data() {
    QTest::addColumn<bool>("showEnded");
    QTest::newRow("the thread asked to stop") << false;
    QTest::newRow("the show ended, the thread not yet asked") << true;
}

void SlideshowThreadsTest::stop_whileReadingAPicture_endsTheReadAtOnce() {
    QFETCH(bool, showEnded);
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.bmp"));
    QVERIFY(support::writeFlatBitmap(big, 1000, 1000, Qt::green));
    ShowFixture f(400, 300);
    std::atomic<EngineThread*> show{nullptr};
    std::atomic<bool> held{false};
    std::atomic<int> piecesAfterStop{0};
    const auto stopped = [&](EngineThread* engine) {
        return engine->stopRequested() || !f.show.ShowRunning.load();
    };
    // A slow disk: a piece well inside the picture comes only when the stop
    // does (or after ten seconds, so that a fault fails rather than hangs).
    PieceHook hook([&](qint64 offset) {
        EngineThread* engine = show.load();
        if (!engine || offset < 100000) {
            return;
        }
        if (stopped(engine)) {
            ++piecesAfterStop;
            return;
        }
        held = true;
        for (int i = 0; i < 10000 && !stopped(engine); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    EndThreadsOnExit endThreads;
    layOutArea(f);
    // The thread reads the second entry before its first step.
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red), big});
    auto engine = std::make_unique<TMovieBox>(f.ctx);
    show = engine.get();
    MovieThreadHandle.start(std::move(engine));
    QTRY_VERIFY(held.load());

    if (showEnded) {
        // Esc clears the flag, then waits before it stops the threads.
        f.show.ShowRunning = false;
        QTRY_COMPARE(show.load()->completedSteps(), 1);
        QVERIFY(!show.load()->stopRequested());
    }
    KILLTHREADS();
    QVERIFY(!MovieThreadHandle.thread());
    // The reading ended with the piece it was in: nothing more was read, and
    // nothing was shown.
    QCOMPARE(piecesAfterStop.load(), 0);
    QCOMPARE(areaColour(f), qRgb(0, 0, 0));
}

void SlideshowThreadsTest::fifoInTheList_passedSilently_showStopsPromptly() {
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    FifoWatchdog fifo(dir.filePath(QStringLiteral("x.bmp")));
    QVERIFY(fifo.made());
    ShowFixture f(400, 300);
    EndThreadsOnExit endThreads;
    layOutArea(f);
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red), fifo.path(),
                   writePicture(dir, "c.bmp", Qt::blue)});
    auto engine = std::make_unique<Gated<TMovieBox>>(f.ctx);
    auto* show = engine.get();
    MovieThreadHandle.start(std::move(engine));

    // The FIFO's turn passes with the area as it was; the next picture follows.
    QTRY_COMPARE(show->pauses().size(), 1);
    QCOMPARE(areaColour(f), qRgb(0, 0, 0));
    show->release();
    QTRY_COMPARE(show->pauses().size(), 2);
    QCOMPARE(areaColour(f), qRgb(0, 0, 255));
    show->release();
    QTRY_COMPARE(show->pauses().size(), 3);
    // Esc with the FIFO next in line.
    f.screen->ClosePlayScreen();
    QCOMPARE(f.host.editorShown, 1);
    QVERIFY(!MovieThreadHandle.thread());
    QVERIFY(!fifo.fired());
}

void SlideshowThreadsTest::errorBox_endingTheShowMeanwhile_isSafe() {
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    EndThreadsOnExit endThreads;
    layOutArea(f);
    layOutBox1(f);
    const QString bad = writeMovieFile(dir, "bad.avi");
    media.log->failures[bad] = QStringLiteral("The file is damaged.");
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red), bad});

    bool otherEnginesWentOn = false;
    bool slotsEmptied = false;
    dialogs.answerMessage(Answer::OK);
    dialogs.onMessage = [&](const support::Question&) {
        // The box's own event loop: the other engines' steps go on...
        const std::int32_t row = f.show.Box1Row;
        const std::int32_t line = f.show.Box1Line;
        otherEnginesWentOn =
            QTest::qWaitFor([&] { return f.show.Box1Row != row || f.show.Box1Line != line; }, 5000);
        // ...and the operator ends the show.
        f.screen->ClosePlayScreen();
        slotsEmptied = !MovieThreadHandle.thread() && !Box1ThreadHandle.thread();
    };
    Box1ThreadHandle.start(std::make_unique<TScrollBox1>(f.ctx));
    MovieThreadHandle.start(std::make_unique<TMovieBox>(f.ctx));

    QTRY_COMPARE(dialogs.questions.size(), 1);
    QVERIFY(otherEnginesWentOn);
    QVERIFY(slotsEmptied);
    QCOMPARE(f.host.editorShown, 1);
    // The step that raised the message finished after the show had ended.
    QVERIFY(!f.show.MoviePlaying);
    QVERIFY(!media.log->open);
    // Nothing of the ended show runs any more.
    const QImage after = f.screen->surface().image().copy();
    const std::int32_t row = f.show.Box1Row;
    QTest::qWait(30);
    QCOMPARE(f.screen->surface().image(), after);
    QCOMPARE(f.show.Box1Row, row);
    QCOMPARE(dialogs.questions.size(), 1);
}

void SlideshowThreadsTest::errorBox_restartingTheShowMeanwhile_isSafe() {
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    EndThreadsOnExit endThreads;
    layOutArea(f);
    const QString bad = writeMovieFile(dir, "bad.avi");
    media.log->failures[bad] = QStringLiteral("The file is damaged.");
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red), bad});
    f.host.texts.ImageList = f.show.ImageEntries;
    f.host.texts.PlayTime = 30;

    EngineThread* first = nullptr;
    EngineThread* second = nullptr;
    bool heldInNewShow = false;
    dialogs.answerMessage(Answer::OK);
    dialogs.onMessage = [&](const support::Question&) {
        if (second) {
            return;
        }
        // The control panel applies new settings while the box is up.
        StartTheShow(f.ctx, *f.screen);
        second = MovieThreadHandle.thread();
        // The new slideshow's first step finds the movie still in hand.
        heldInNewShow = QTest::qWaitFor([&] { return second->completedSteps() > 0; }, 5000) &&
                        second->completedSteps() == 1 && f.show.SlideIndex == 0;
    };
    auto engine = std::make_unique<TMovieBox>(f.ctx);
    first = engine.get();
    MovieThreadHandle.start(std::move(engine));

    QTRY_COMPARE(dialogs.questions.size(), 1);
    QVERIFY(second);
    QVERIFY(second != first);
    QVERIFY(heldInNewShow);
    QVERIFY(second->running());
    QVERIFY(!f.show.MoviePlaying);
    QVERIFY(f.show.ShowRunning);
}

PLAKORA_TEST_MAIN(SlideshowThreadsTest)
#include "test_slideshow_threads.moc"
