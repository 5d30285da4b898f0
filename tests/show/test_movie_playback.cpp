// Movies through the real media service, offscreen: a small movie (half a
// second of green, then half a second of blue) plays into the image area, its
// end releases the slideshow, it plays on after the show has closed, and files
// the service cannot open are reported with the service's own text.

#include "show/movie_engine.h"
#include "show/movie_player.h"
#include "tests/show/show_fixture.h"
#include "tests/show/slideshow_fixture.h"
#include "tests/support/fifo_watchdog.h"
#include "tests/support/file_bytes.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QFile>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTest>

#include <cstdlib>
#include <optional>

using platform::Answer;

namespace {

const QString kMovie = QStringLiteral(PLAKORA_TEST_MOVIE);

// The same movie as kMovie, in another container and codec.
QString movieIn(const char* suffix) {
    return QFileInfo(kMovie).path() + QStringLiteral("/green_blue.") + QLatin1String(suffix);
}

// Movie colours go through lossy compression and back.
bool near(QRgb actual, QRgb expected) {
    return std::abs(qRed(actual) - qRed(expected)) <= 24 &&
           std::abs(qGreen(actual) - qGreen(expected)) <= 24 &&
           std::abs(qBlue(actual) - qBlue(expected)) <= 24;
}

bool areaIs(ShowFixture& f, QRgb colour) {
    const QImage& s = f.screen->surface().image();
    return near(s.pixel(kArea.topLeft()), colour) && near(s.pixel(kArea.center()), colour) &&
           near(s.pixel(kArea.bottomRight()), colour);
}

} // namespace

class MoviePlaybackTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void movie_playsIntoTheImageArea_thenReleasesTheSlideshow_data();
    void movie_playsIntoTheImageArea_thenReleasesTheSlideshow();
    void movie_playsOnAfterTheShowCloses();
    void unplayableFile_reportsTheServiceText_data();
    void unplayableFile_reportsTheServiceText();
    void errorBox_endingTheShowMeanwhile_isSafe();
    void unplayableEntry_nextMovieStillPlays_data();
    void unplayableEntry_nextMovieStillPlays();
    void cutMovie_showingNothing_givenUpAndPassed();
};

void MoviePlaybackTest::initTestCase() {
    if (!QMediaPlayer().isAvailable()) {
        QSKIP("This machine has no media backend for Qt Multimedia");
    }
    QVERIFY2(QFile::exists(kMovie), qPrintable(kMovie));
}

void MoviePlaybackTest::movie_playsIntoTheImageArea_thenReleasesTheSlideshow_data() {
    QTest::addColumn<QString>("movie");
    QTest::newRow("AVI, MJPEG") << kMovie;
    QTest::newRow("MP4, H.264 and AAC") << movieIn("mp4");
    QTest::newRow("WebM, VP9 and Opus") << movieIn("webm");
}

void MoviePlaybackTest::movie_playsIntoTheImageArea_thenReleasesTheSlideshow() {
    QFETCH(QString, movie);
    QVERIFY2(QFile::exists(movie), qPrintable(movie));
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    f.show.ImageEntries = {writePicture(dir, "red.bmp", Qt::red), movie};

    SlideStep(f.ctx);
    QVERIFY2(dialogs.questions.isEmpty(),
             qPrintable(dialogs.questions.isEmpty() ? QString() : dialogs.lastQuestion().text));
    QVERIFY(f.show.MoviePlaying);
    platform::MediaDevice& device = DPLAYER(f.screen->surface()).device();
    QVERIFY(device.isOpen());
    // A second long; sound in some containers reaches a few milliseconds past.
    QVERIFY2(device.length() >= 1000 && device.length() <= 1050,
             qPrintable(QString::number(device.length())));

    // Stretched over the whole image area, and nothing outside it.
    QTRY_VERIFY(areaIs(f, qRgb(0, 255, 0)));
    const QImage& s = f.screen->surface().image();
    QCOMPARE(s.pixel(kArea.left() - 1, kArea.center().y()), qRgb(0, 0, 0));
    QCOMPARE(s.pixel(kArea.center().x(), kArea.bottom() + 1), qRgb(0, 0, 0));
    QCOMPARE(s.pixel(kArea.center().x(), kArea.top() - 1), qRgb(0, 0, 0));
    // It plays: the second half is blue.
    QTRY_VERIFY(areaIs(f, qRgb(0, 0, 255)));

    // Its end releases the slideshow and winds it back; the device stays open.
    QTRY_VERIFY(!f.show.MoviePlaying);
    QCOMPARE(device.position(), 0);
    QVERIFY(device.isOpen());
    const platform::MediaDevice::FrameStats stats = device.frameStats();
    QVERIFY(stats.drawn >= 2);
    QVERIFY(stats.received >= stats.drawn);

    SlideStep(f.ctx);
    QCOMPARE(f.show.SlideIndex, 0);
    QCOMPARE(f.screen->surface().image().pixel(kArea.center()), qRgb(255, 0, 0));
    QVERIFY(dialogs.questions.isEmpty());
}

void MoviePlaybackTest::movie_playsOnAfterTheShowCloses() {
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    f.show.ImageEntries = {writePicture(dir, "red.bmp", Qt::red), kMovie};
    SlideStep(f.ctx);
    QVERIFY(f.show.MoviePlaying);
    f.screen->ClosePlayScreen();
    QVERIFY(!f.show.ShowRunning);
    // The end notice still comes, and clears the flag for the next show.
    QTRY_VERIFY(areaIs(f, qRgb(0, 0, 255)));
    QTRY_VERIFY(!f.show.MoviePlaying);
    QVERIFY(dialogs.questions.isEmpty());
}

void MoviePlaybackTest::unplayableFile_reportsTheServiceText_data() {
    QTest::addColumn<bool>("exists");
    QTest::newRow("not a movie") << true;
    QTest::newRow("missing") << false;
}

void MoviePlaybackTest::unplayableFile_reportsTheServiceText() {
    QFETCH(bool, exists);
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    const QString bad = dir.filePath(QStringLiteral("bad.avi"));
    if (exists) {
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("This is a letter, not a movie.\r\n");
    }
    f.show.ImageEntries = {writePicture(dir, "red.bmp", Qt::red), bad,
                           writePicture(dir, "blue.bmp", Qt::blue)};
    dialogs.answerMessage(Answer::OK);

    SlideStep(f.ctx);
    QCOMPARE(dialogs.questions.size(), 1);
    const support::Question& q = dialogs.lastQuestion();
    QCOMPARE(q.messageKind, platform::MessageKind::Error);
    QCOMPARE(q.buttons, platform::Buttons(platform::Button::OK));
    const QString prefix = QStringLiteral("Sorry, MCI problem : ");
    const QString suffix = QLatin1Char('\n') + bad;
    QVERIFY2(q.text.startsWith(prefix) && q.text.endsWith(suffix) &&
                 q.text.size() > prefix.size() + suffix.size(),
             qPrintable(q.text));
    QVERIFY(!DPLAYER(f.screen->surface()).device().isOpen());
    QVERIFY(!f.show.MoviePlaying);
    QCOMPARE(f.screen->surface().image().pixel(kArea.center()), qRgb(0, 0, 0));

    SlideStep(f.ctx);
    QCOMPARE(f.show.SlideIndex, 2);
    QCOMPARE(f.screen->surface().image().pixel(kArea.center()), qRgb(0, 0, 255));
}

void MoviePlaybackTest::errorBox_endingTheShowMeanwhile_isSafe() {
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    EndThreadsOnExit endThreads;
    layOutArea(f);
    const QString bad = dir.filePath(QStringLiteral("missing.avi"));
    f.show.ImageEntries = {writePicture(dir, "red.bmp", Qt::red), bad};
    f.show.ImageCount = 2;
    bool ended = false;
    dialogs.answerMessage(Answer::OK);
    dialogs.onMessage = [&](const support::Question&) {
        QTest::qWait(20);
        f.screen->ClosePlayScreen();
        ended = !MovieThreadHandle.thread();
    };
    MovieThreadHandle.start(std::make_unique<TMovieBox>(f.ctx));
    QTRY_COMPARE(dialogs.questions.size(), 1);
    QVERIFY(ended);
    QVERIFY(!f.show.MoviePlaying);
    QVERIFY(!DPLAYER(f.screen->surface()).device().isOpen());
    QTest::qWait(20);
    QCOMPARE(dialogs.questions.size(), 1);
}

void MoviePlaybackTest::unplayableEntry_nextMovieStillPlays_data() {
    QTest::addColumn<QByteArray>("kind");
    QTest::newRow("missing") << QByteArray("missing");
    QTest::newRow("random bytes") << QByteArray("random");
    QTest::newRow("fifo") << QByteArray("fifo");
}

void MoviePlaybackTest::unplayableEntry_nextMovieStillPlays() {
    QFETCH(QByteArray, kind);
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    const QString bad = dir.filePath(QStringLiteral("bad.avi"));
    if (kind == "random") {
        QByteArray noise(4096, '\0');
        for (int i = 0; i < noise.size(); ++i) {
            noise[i] = static_cast<char>((i * 7919 + 13) % 251);
        }
        support::writeBytes(bad, noise);
    }
    std::optional<FifoWatchdog> watchdog;
    if (kind == "fifo") {
        watchdog.emplace(bad);
        QVERIFY(watchdog->made());
    }
    f.show.ImageEntries = {kMovie, bad};

    // Two rounds of the list: each time the bad entry is reported once and
    // the good movie after it plays to its end.
    for (int round = 1; round <= 2; ++round) {
        dialogs.answerMessage(Answer::OK);
        SlideStep(f.ctx);
        QCOMPARE(dialogs.questions.size(), round);
        const QString text = dialogs.lastQuestion().text;
        QVERIFY2(text.startsWith(QStringLiteral("Sorry, MCI problem : ")) &&
                     text.endsWith(QLatin1Char('\n') + bad),
                 qPrintable(text));
        QVERIFY(!watchdog || !watchdog->fired());
        QVERIFY(!f.show.MoviePlaying);

        f.screen->surface().image().fill(Qt::black);
        SlideStep(f.ctx);
        QCOMPARE(dialogs.questions.size(), round);
        QVERIFY(f.show.MoviePlaying);
        QTRY_VERIFY(areaIs(f, qRgb(0, 255, 0)));
        QTRY_VERIFY(areaIs(f, qRgb(0, 0, 255)));
        QTRY_VERIFY(!f.show.MoviePlaying);
    }
    QVERIFY(dialogs.problems.isEmpty());
}

void MoviePlaybackTest::cutMovie_showingNothing_givenUpAndPassed() {
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    // Cut inside its headers, the file opens and then shows nothing, never
    // ending; a service that refuses it at once is reported as well.
    const QString cut = dir.filePath(QStringLiteral("cut.webm"));
    support::writeBytes(cut, support::readBytes(movieIn("webm")).left(600));
    f.show.ImageEntries = {cut, writePicture(dir, "red.bmp", Qt::red)};
    DPLAYER(f.screen->surface()).setWatchLimits({1000, 1000, 10, 3000, 50});
    dialogs.answerMessage(Answer::OK);
    f.show.SlideIndex = -1;
    SlideStep(f.ctx);
    QTRY_COMPARE_WITH_TIMEOUT(dialogs.questions.size(), 1, 30000);
    QVERIFY(dialogs.lastQuestion().text.endsWith(QLatin1Char('\n') + cut));
    QVERIFY(!f.show.MoviePlaying && !DPLAYER(f.screen->surface()).device().isOpen());
    SlideStep(f.ctx);
    QCOMPARE(f.screen->surface().image().pixel(kArea.center()), qRgb(255, 0, 0));
}

PLAKORA_TEST_MAIN(MoviePlaybackTest)
#include "test_movie_playback.moc"
