// The timed slideshow with a media device that plays nothing: the order of
// the entries, the wait between them, pictures against movies, a movie holding
// the slideshow, an unplayable movie, and ending or restarting the show while
// its message is up.

#include "platform/media.h"
#include "show/movie_engine.h"
#include "show/movie_player.h"
#include "show/picture_display.h"
#include "show/text_box_engine.h"
#include "tests/show/fake_media.h"
#include "tests/show/show_fixture.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <condition_variable>
#include <mutex>

using platform::Answer;

namespace {

// On a 400 x 300 screen without titles the image area is x 210 to 390,
// y 50 to 150; pictures are stretched to fill it.
void layOutArea(ShowFixture& f) {
    f.board.BorderWidth = 10;
    f.board.Box1Width = 200;
    f.show.Box1ShownHeight = 100;
    f.host.stretch = true;
}

const QRect kArea(210, 50, 180, 100);

QRgb areaColour(ShowFixture& f) {
    return f.screen->surface().pixel(kArea.center());
}

QString writePicture(const QString& path, QColor colour) {
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(colour);
    if (!img.save(path, "BMP")) {
        qFatal("cannot write picture");
    }
    return path;
}

QString writePicture(const QTemporaryDir& dir, const char* name, QColor colour) {
    return writePicture(dir.filePath(QString::fromLatin1(name)), colour);
}

void setEntries(ShowFixture& f, const QStringList& entries) {
    f.show.ImageEntries = entries;
    f.show.ImageCount = static_cast<std::int32_t>(entries.size());
}

// Records every pause and goes on at once.
template <typename Engine> class Recording : public Engine {
public:
    using Engine::Engine;
    QList<int> pauses() const {
        std::lock_guard<std::mutex> lock(m_);
        return pauses_;
    }

protected:
    bool pause(int ms) override {
        {
            std::lock_guard<std::mutex> lock(m_);
            pauses_ << ms;
        }
        return EngineThread::pause(0);
    }

private:
    mutable std::mutex m_;
    QList<int> pauses_;
};

// Records every pause and holds the thread in it until the test lets it go,
// so the test can look at the screen between steps.
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
    f.show.Box1LineHeight =
        prepareLineBitmap(f.screen->Image1, QStringLiteral("Arial"), 20, 0xFFFFFF, 0, 200);
    f.board.Box1Delay = 1;
}

// Ends every show thread when it goes out of scope; declared after the
// fixture, so the threads end before the screen they step on goes.
struct EndThreadsOnExit {
    EndThreadsOnExit() = default;
    EndThreadsOnExit(const EndThreadsOnExit&) = delete;
    EndThreadsOnExit& operator=(const EndThreadsOnExit&) = delete;
    ~EndThreadsOnExit() { KILLTHREADS(); }
};

} // namespace

class SlideshowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void nextSlideIndex_wrapsAfterTheLast_data();
    void nextSlideIndex_wrapsAfterTheLast();
    void entryKind_decidedByTheLastThreeLetters_data();
    void entryKind_decidedByTheLastThreeLetters();
    void movie_holdsTheSlideshowUntilItsEnd();
    void movie_failingWhilePlaying_releasesTheSlideshow();
    void mediaError_reportedClosedAndPassed();
    void otherPlatform_passesMoviesSilently();
    void longPath_pictureShownWhole();
    void preparedPicture_drawnOnlyForItsOwnEntry();
    void thread_threeBitmaps_showBCA_withPlayTimeBetween();
    void thread_readsPlayTimeForEveryWait();
    void thread_singleEntry_shownOnceThenEnds();
    void startTheShow_slideshowOnlyWithEntriesAndNoMarkers();
    void errorBox_endingTheShowMeanwhile_isSafe();
    void errorBox_restartingTheShowMeanwhile_isSafe();
};

void SlideshowTest::cleanup() {
    KILLTHREADS();
}

void SlideshowTest::nextSlideIndex_wrapsAfterTheLast_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("next");
    QTest::newRow("start: the second entry comes first") << 0 << 3 << 1;
    QTest::newRow("middle") << 1 << 3 << 2;
    QTest::newRow("last: back to the first") << 2 << 3 << 0;
    QTest::newRow("one entry") << 0 << 1 << 0;
    QTest::newRow("left over from a longer list") << 7 << 3 << 0;
    QTest::newRow("negative") << -5 << 3 << 0;
}

void SlideshowTest::nextSlideIndex_wrapsAfterTheLast() {
    QFETCH(int, index);
    QFETCH(int, count);
    QFETCH(int, next);
    QCOMPARE(nextSlideIndex(index, count), next);
}

void SlideshowTest::entryKind_decidedByTheLastThreeLetters_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("picture");
    QTest::newRow("lower-case .bmp") << QStringLiteral("a.bmp") << true;
    QTest::newRow("upper-case .BMP") << QStringLiteral("a.BMP") << true;
    QTest::newRow("mixed .bMp") << QStringLiteral("a.bMp") << true;
    QTest::newRow("no dot, ends in bmp") << QStringLiteral("picturebmp") << true;
    QTest::newRow(".avi") << QStringLiteral("a.avi") << false;
    QTest::newRow(".dib") << QStringLiteral("a.dib") << false;
    QTest::newRow(".bmp.avi") << QStringLiteral("a.bmp.avi") << false;
}

void SlideshowTest::entryKind_decidedByTheLastThreeLetters() {
    QFETCH(QString, name);
    QFETCH(bool, picture);
    support::FixedSystemInfo sys(400, 300);
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    // Every file really is a bitmap: only its name decides how it is taken.
    const QString path = writePicture(dir.filePath(name), Qt::green);
    setEntries(f, {writePicture(dir, "first.bmp", Qt::red), path});

    SlideStep(f.ctx);
    QCOMPARE(f.show.SlideIndex, 1);
    if (picture) {
        QCOMPARE(areaColour(f), qRgb(0, 255, 0));
        QVERIFY(media.log->opened.isEmpty());
        QVERIFY(!f.show.MoviePlaying);
    } else {
        QCOMPARE(areaColour(f), qRgb(0, 0, 0));
        QCOMPARE(media.log->opened, QStringList{path});
        QVERIFY(f.show.MoviePlaying);
    }
}

void SlideshowTest::movie_holdsTheSlideshowUntilItsEnd() {
    support::FixedSystemInfo sys(400, 300);
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    const QString movie = dir.filePath(QStringLiteral("m.avi"));
    setEntries(f,
               {writePicture(dir, "a.bmp", Qt::red), movie, writePicture(dir, "c.bmp", Qt::blue)});

    SlideStep(f.ctx);
    QVERIFY(f.show.MoviePlaying);
    QCOMPARE(media.log->opened, QStringList{movie});
    QCOMPARE(media.log->destination, kArea);
    QCOMPARE(media.log->plays, 1);

    // Its pictures go into the image area, and nowhere else.
    QImage frame(kArea.size(), QImage::Format_RGB32);
    frame.fill(Qt::yellow);
    QVERIFY(media.log->handler);
    media.log->handler(frame, kArea);
    QCOMPARE(areaColour(f), qRgb(255, 255, 0));
    QCOMPARE(f.screen->surface().pixel(kArea.left() - 1, kArea.top()), qRgb(0, 0, 0));
    QCOMPARE(f.screen->surface().pixel(kArea.left(), kArea.bottom() + 1), qRgb(0, 0, 0));
    // A picture of another size is stretched to the area.
    QImage small(4, 2, QImage::Format_RGB32);
    small.fill(Qt::cyan);
    media.log->handler(small, kArea);
    QCOMPARE(f.screen->surface().pixel(kArea.topLeft()), qRgb(0, 255, 255));
    QCOMPARE(f.screen->surface().pixel(kArea.bottomRight()), qRgb(0, 255, 255));
    QCOMPARE(f.screen->surface().pixel(kArea.right() + 1, kArea.top()), qRgb(0, 0, 0));
    media.log->handler(frame, kArea);

    // While it plays the slideshow holds.
    for (int i = 0; i < 3; ++i) {
        SlideStep(f.ctx);
    }
    QCOMPARE(f.show.SlideIndex, 1);
    QCOMPARE(media.log->opened.size(), 1);
    QCOMPARE(areaColour(f), qRgb(255, 255, 0));

    // A notice before the end changes nothing.
    media.notice(400);
    QVERIFY(f.show.MoviePlaying);
    QCOMPARE(media.log->stops, 0);

    // Its end releases the slideshow and winds the movie back; the device
    // stays open.
    media.log->notify = [&](platform::MediaDevice::PlayEnd end) {
        DPLAYER(*f.screen).DPLAYERNotify(f.show, end);
    };
    media.notice(1000);
    QVERIFY(!f.show.MoviePlaying);
    QCOMPARE(media.log->stops, 1);
    QCOMPARE(media.log->seeks, 1);
    QCOMPARE(media.log->position, 0);
    QVERIFY(media.log->open);

    SlideStep(f.ctx);
    QCOMPARE(f.show.SlideIndex, 2);
    QCOMPARE(areaColour(f), qRgb(0, 0, 255));
}

void SlideshowTest::movie_failingWhilePlaying_releasesTheSlideshow() {
    support::FixedSystemInfo sys(400, 300);
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red), dir.filePath(QStringLiteral("m.avi"))});
    SlideStep(f.ctx);
    QVERIFY(f.show.MoviePlaying);
    media.notice(300, platform::MediaDevice::PlayEnd::Failed);
    QVERIFY(!f.show.MoviePlaying);
    SlideStep(f.ctx);
    QCOMPARE(areaColour(f), qRgb(255, 0, 0));
}

void SlideshowTest::mediaError_reportedClosedAndPassed() {
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    const QString bad = dir.filePath(QStringLiteral("bad.avi"));
    media.log->failures[bad] = QStringLiteral("The file is damaged.");
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red), bad, writePicture(dir, "c.bmp", Qt::blue)});

    bool heldWhileUp = false;
    bool closedWhileUp = false;
    dialogs.onMessage = [&](const support::Question&) {
        heldWhileUp = f.show.MoviePlaying;
        closedWhileUp = !media.log->open && media.log->closes > 0;
    };
    dialogs.answerMessage(Answer::OK);
    SlideStep(f.ctx);

    QCOMPARE(dialogs.questions.size(), 1);
    const support::Question& q = dialogs.lastQuestion();
    QCOMPARE(q.messageKind, platform::MessageKind::Error);
    QCOMPARE(q.caption, QStringLiteral("Error"));
    QCOMPARE(q.text, QStringLiteral("Sorry, MCI problem : The file is damaged."));
    QCOMPARE(q.buttons, platform::Buttons(platform::Button::OK));
    QVERIFY(dialogs.problems.isEmpty());
    // The device was closed before the message came up, and the slideshow
    // held while it was up; afterwards it goes on.
    QVERIFY(closedWhileUp);
    QVERIFY(heldWhileUp);
    QVERIFY(!f.show.MoviePlaying);
    QCOMPARE(media.log->plays, 0);

    SlideStep(f.ctx);
    QCOMPARE(f.show.SlideIndex, 2);
    QCOMPARE(areaColour(f), qRgb(0, 0, 255));
}

void SlideshowTest::otherPlatform_passesMoviesSilently() {
    support::FixedSystemInfo sys(400, 300, platform::PlatformFamily::Windows95);
    support::ScriptedDialogs dialogs;
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red), dir.filePath(QStringLiteral("m.avi")),
                   writePicture(dir, "c.bmp", Qt::blue)});
    SlideStep(f.ctx);
    QCOMPARE(f.show.SlideIndex, 1);
    QVERIFY(!f.show.MoviePlaying);
    QVERIFY(media.log->opened.isEmpty());
    QVERIFY(dialogs.questions.isEmpty());
    QCOMPARE(areaColour(f), qRgb(0, 0, 0));
    SlideStep(f.ctx);
    QCOMPARE(areaColour(f), qRgb(0, 0, 255));
}

void SlideshowTest::longPath_pictureShownWhole() {
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QString(100, QLatin1Char('a')) + QLatin1Char('/') +
                                        QString(100, QLatin1Char('b')));
    QVERIFY(QDir().mkpath(folder));
    const QString path = writePicture(folder + QLatin1Char('/') + QString(80, QLatin1Char('c')) +
                                          QStringLiteral(".bmp"),
                                      Qt::green);
    QVERIFY(path.size() > 255);
    ShowFixture f(400, 300);
    layOutArea(f);
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red), path});
    SlideStep(f.ctx);
    QCOMPARE(areaColour(f), qRgb(0, 255, 0));
}

void SlideshowTest::preparedPicture_drawnOnlyForItsOwnEntry() {
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    const QString a = writePicture(dir, "a.bmp", Qt::red);
    const QString b = writePicture(dir, "b.bmp", Qt::blue);
    setEntries(f, {a, b});
    QImage green(20, 10, QImage::Format_RGB32);
    green.fill(Qt::green);

    // Prepared for another entry: the step reads its own file.
    PreparedSlide other{a, green, QImage()};
    SlideStep(f.ctx, &other);
    QCOMPARE(f.show.SlideIndex, 1);
    QCOMPARE(areaColour(f), qRgb(0, 0, 255));

    // Prepared for this entry: drawn as it was prepared, the stretched copy
    // as it is.
    QImage stretched(kArea.size(), QImage::Format_RGB32);
    stretched.fill(Qt::yellow);
    PreparedSlide own{a, green, stretched};
    SlideStep(f.ctx, &own);
    QCOMPARE(f.show.SlideIndex, 0);
    QCOMPARE(areaColour(f), qRgb(255, 255, 0));
    QCOMPARE(f.screen->Image4.bitmap.pixel(0, 0), qRgb(0, 255, 0));
}

void SlideshowTest::thread_threeBitmaps_showBCA_withPlayTimeBetween() {
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

void SlideshowTest::thread_readsPlayTimeForEveryWait() {
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

void SlideshowTest::thread_singleEntry_shownOnceThenEnds() {
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

void SlideshowTest::startTheShow_slideshowOnlyWithEntriesAndNoMarkers() {
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
    StartTheShow(f.ctx);
    QVERIFY(!MovieThreadHandle.thread());
    QCOMPARE(f.show.ImageCount.load(), 0);
    KILLTHREADS();

    // Entries and no markers: the slideshow runs, with the list size and
    // the time per slide published for its thread.
    f.host.texts.ImageList = {writePicture(dir, "a.bmp", Qt::red), QStringLiteral("m.avi")};
    f.host.texts.PlayTime = 7;
    StartTheShow(f.ctx);
    QVERIFY(MovieThreadHandle.thread());
    QCOMPARE(f.show.ImageCount.load(), 2);
    QCOMPARE(f.show.PlayTime.load(), 7);
    KILLTHREADS();

    // A marker line with a bitmap in the list: pictures come with the lines.
    f.host.texts.Text1Lines = {QStringLiteral("see //0\\\\ here")};
    StartTheShow(f.ctx);
    QVERIFY(f.show.MarkerMode);
    QVERIFY(!MovieThreadHandle.thread());
    QVERIFY(Box1ThreadHandle.thread());
}

void SlideshowTest::errorBox_endingTheShowMeanwhile_isSafe() {
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    EndThreadsOnExit endThreads;
    layOutArea(f);
    layOutBox1(f);
    const QString bad = dir.filePath(QStringLiteral("bad.avi"));
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
    const QImage after = f.screen->surface().copy();
    const std::int32_t row = f.show.Box1Row;
    QTest::qWait(30);
    QCOMPARE(f.screen->surface(), after);
    QCOMPARE(f.show.Box1Row, row);
    QCOMPARE(dialogs.questions.size(), 1);
}

void SlideshowTest::errorBox_restartingTheShowMeanwhile_isSafe() {
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    EndThreadsOnExit endThreads;
    layOutArea(f);
    const QString bad = dir.filePath(QStringLiteral("bad.avi"));
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
        StartTheShow(f.ctx);
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

PLAKORA_TEST_MAIN(SlideshowTest)
#include "test_slideshow.moc"
