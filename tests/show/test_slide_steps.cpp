// Slideshow steps with a media device that plays nothing: the order of the
// entries, pictures against movies, a movie holding the slideshow, a movie
// that cannot be opened, other platforms and long paths.

#include "show/control_panel.h"
#include "show/movie_engine.h"
#include "show/movie_player.h"
#include "tests/show/fake_media.h"
#include "tests/show/show_fixture.h"
#include "tests/show/slideshow_fixture.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QDir>
#include <QTest>

#include <sys/stat.h>

using platform::Answer;

class SlideStepsTest : public QObject {
    Q_OBJECT

private slots:
    void nextSlideIndex_wrapsAfterTheLast_data();
    void nextSlideIndex_wrapsAfterTheLast();
    void entryKind_decidedByTheEnding_data();
    void entryKind_decidedByTheEnding();
    void movie_holdsTheSlideshowUntilItsEnd();
    void movie_failingWhilePlaying_releasesTheSlideshow();
    void mediaError_reportedClosedAndPassed();
    void movieOverdue_boundsEveryMovie_data();
    void movieOverdue_boundsEveryMovie();
    void stuckMovie_givenUpAndPassed_data();
    void stuckMovie_givenUpAndPassed();
    void notARegularFile_reportedWithoutReachingTheDevice_data();
    void notARegularFile_reportedWithoutReachingTheDevice();
    void otherPlatform_passesMoviesSilently();
    void longPath_pictureShownWhole();
    void preparedPicture_drawnOnlyForItsOwnEntry();
};

void SlideStepsTest::nextSlideIndex_wrapsAfterTheLast_data() {
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

void SlideStepsTest::nextSlideIndex_wrapsAfterTheLast() {
    QFETCH(int, index);
    QFETCH(int, count);
    QFETCH(int, next);
    QCOMPARE(nextSlideIndex(index, count), next);
}

void SlideStepsTest::entryKind_decidedByTheEnding_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("picture");
    QTest::newRow("lower-case .bmp") << QStringLiteral("a.bmp") << true;
    QTest::newRow("upper-case .BMP") << QStringLiteral("a.BMP") << true;
    QTest::newRow("mixed .bMp") << QStringLiteral("a.bMp") << true;
    QTest::newRow("no dot, ends in bmp") << QStringLiteral("picturebmp") << true;
    QTest::newRow(".avi") << QStringLiteral("a.avi") << false;
    QTest::newRow(".dib") << QStringLiteral("a.dib") << false;
    QTest::newRow(".bmp.avi") << QStringLiteral("a.bmp.avi") << false;
    QTest::newRow(".png") << QStringLiteral("a.png") << true;
    QTest::newRow(".JPG") << QStringLiteral("a.JPG") << true;
    QTest::newRow(".jpeg") << QStringLiteral("a.jpeg") << true;
    QTest::newRow(".gif") << QStringLiteral("a.gif") << true;
    QTest::newRow(".webp") << QStringLiteral("a.webp") << true;
    QTest::newRow(".Tif") << QStringLiteral("a.Tif") << true;
    QTest::newRow(".tiff") << QStringLiteral("a.tiff") << true;
    QTest::newRow("no dot, ends in png") << QStringLiteral("picturepng") << false;
    QTest::newRow(".mp4") << QStringLiteral("a.mp4") << false;
    QTest::newRow(".webm") << QStringLiteral("a.webm") << false;
    QTest::newRow(".mkv") << QStringLiteral("a.mkv") << false;
    QTest::newRow(".png.mov") << QStringLiteral("a.png.mov") << false;
}

void SlideStepsTest::entryKind_decidedByTheEnding() {
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

void SlideStepsTest::movie_holdsTheSlideshowUntilItsEnd() {
    support::FixedSystemInfo sys(400, 300);
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    const QString movie = writeMovieFile(dir, "m.avi");
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
    QCOMPARE(f.screen->surface().image().pixel(kArea.left() - 1, kArea.top()), qRgb(0, 0, 0));
    QCOMPARE(f.screen->surface().image().pixel(kArea.left(), kArea.bottom() + 1), qRgb(0, 0, 0));
    // A picture of another size is stretched to the area.
    QImage small(4, 2, QImage::Format_RGB32);
    small.fill(Qt::cyan);
    media.log->handler(small, kArea);
    QCOMPARE(f.screen->surface().image().pixel(kArea.topLeft()), qRgb(0, 255, 255));
    QCOMPARE(f.screen->surface().image().pixel(kArea.bottomRight()), qRgb(0, 255, 255));
    QCOMPARE(f.screen->surface().image().pixel(kArea.right() + 1, kArea.top()), qRgb(0, 0, 0));
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
        DPLAYER(f.screen->surface()).DPLAYERNotify(f.show, end);
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

void SlideStepsTest::movie_failingWhilePlaying_releasesTheSlideshow() {
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    dialogs.answerMessage(Answer::OK);
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red), writeMovieFile(dir, "m.avi")});
    SlideStep(f.ctx);
    QVERIFY(f.show.MoviePlaying);
    media.notice(300, platform::MediaDevice::PlayEnd::Failed);
    QVERIFY(!f.show.MoviePlaying);
    QCOMPARE(dialogs.questions.size(), 1);
    QVERIFY(dialogs.lastQuestion().text.startsWith(
        QStringLiteral("Sorry, MCI problem : The movie failed while it played.\n")));
    QVERIFY(!media.log->open);
    SlideStep(f.ctx);
    QCOMPARE(areaColour(f), qRgb(255, 0, 0));
}

void SlideStepsTest::mediaError_reportedClosedAndPassed() {
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    const QString bad = writeMovieFile(dir, "bad.avi");
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
    QCOMPARE(q.text, QStringLiteral("Sorry, MCI problem : The file is damaged.\n") + bad);
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

void SlideStepsTest::movieOverdue_boundsEveryMovie_data() {
    QTest::addColumn<qint64>("elapsed");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no picture") << 5000LL << false << 0LL << 1000LL
                                << QStringLiteral(
                                       "Nothing of the movie showed within 5 s of its start.");
    QTest::newRow("ten seconds past a short one")
        << 10999LL << true << 1000LL << 1000LL << QString();
    QTest::newRow("short, overrun")
        << 11000LL << true << 1000LL << 1000LL
        << QStringLiteral("The movie did not end within 11 s of its start; it lasts 1 s.");
    QTest::newRow("a tenth past a long one") << 219999LL << true << 0LL << 200000LL << QString();
    QTest::newRow("moving on past a length given short")
        << 39999LL << true << 30000LL << 1000LL << QString();
    QTest::newRow("no length, overrun")
        << 3600000LL << true << 0LL << -1LL
        << QStringLiteral("The movie gives no length and did not end within 60 min.");
}

void SlideStepsTest::movieOverdue_boundsEveryMovie() {
    QFETCH(qint64, elapsed);
    QFETCH(bool, shown);
    QFETCH(qint64, position);
    QFETCH(qint64, length);
    QFETCH(QString, reason);
    QCOMPARE(movieOverdue(MovieWatchLimits{}, elapsed, shown, position, length), reason);
}

void SlideStepsTest::stuckMovie_givenUpAndPassed_data() {
    QTest::addColumn<bool>("picture");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<QByteArray>("show");
    QTest::addColumn<QString>("reason");
    const QString nothing =
        QStringLiteral("Nothing of the movie showed within 0.2 s of its start.");
    QTest::newRow("no picture, no end") << false << 1000LL << QByteArray("running") << nothing;
    QTest::newRow("past its end") << true << 100LL << QByteArray("running")
                                  << QStringLiteral("The movie did not end within 0.3 s");
    QTest::newRow("no length") << true << 0LL << QByteArray("running")
                               << QStringLiteral("The movie gives no length");
    QTest::newRow("show frozen at the panel") << false << 1000LL << QByteArray("frozen") << nothing;
    QTest::newRow("show closed: only logged") << false << 1000LL << QByteArray("closed") << nothing;
}

// A movie that neither ends nor fails is given up within the limits: closed,
// reported while the slideshow still holds (unless its show has closed), and
// then passed.
void SlideStepsTest::stuckMovie_givenUpAndPassed() {
    QFETCH(bool, picture);
    QFETCH(qint64, length);
    QFETCH(QByteArray, show);
    QFETCH(QString, reason);
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    TAlignCntrlBox panel(f.ctx, *f.screen);
    f.screen->attach(&f.board, &f.show, &panel);
    layOutArea(f);
    const QString movie = writeMovieFile(dir, "stuck.webm");
    setEntries(f,
               {writePicture(dir, "a.bmp", Qt::red), movie, writePicture(dir, "c.bmp", Qt::blue)});
    media.log->length = length;
    DPLAYER(f.screen->surface()).setWatchLimits({200, 200, 10, 400, 10});
    bool held = false;
    dialogs.onMessage = [&](const support::Question&) { held = f.show.MoviePlaying; };
    dialogs.answerMessage(Answer::OK);
    f.screen->show();
    SlideStep(f.ctx);
    if (picture) {
        media.log->handler(QImage(kArea.size(), QImage::Format_RGB32), kArea);
    }
    if (show == "frozen") {
        panel.show();
    } else if (show == "closed") {
        f.screen->ClosePlayScreen();
        const QString logged =
            QStringLiteral("Sorry, MCI problem : ") + reason + QLatin1Char('\n') + movie;
        QTest::ignoreMessage(QtWarningMsg, qPrintable(logged));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!f.show.MoviePlaying, 10000);
    QVERIFY(!media.log->open);
    QCOMPARE(dialogs.questions.size(), show == "closed" ? 0 : 1);
    if (show != "closed") {
        const QString text = dialogs.lastQuestion().text;
        QVERIFY2(text.startsWith(QStringLiteral("Sorry, MCI problem : ") + reason) &&
                     text.endsWith(QLatin1Char('\n') + movie),
                 qPrintable(text));
        QVERIFY(held);
    }
    SlideStep(f.ctx);
    QCOMPARE(areaColour(f), qRgb(0, 0, 255));
}

void SlideStepsTest::notARegularFile_reportedWithoutReachingTheDevice_data() {
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QByteArray("missing") << QStringLiteral("The file does not exist.");
    QTest::newRow("fifo") << QByteArray("fifo") << QStringLiteral("It is not a regular file.");
    QTest::newRow("folder") << QByteArray("folder") << QStringLiteral("It is not a regular file.");
}

void SlideStepsTest::notARegularFile_reportedWithoutReachingTheDevice() {
    QFETCH(QByteArray, kind);
    QFETCH(QString, reason);
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    FakeMedia media;
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    const QString bad = dir.filePath(QStringLiteral("x.avi"));
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(bad).constData(), 0600), 0);
    } else if (kind == "folder") {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("x.avi")));
    }
    setEntries(f, {writePicture(dir, "a.bmp", Qt::red), bad, writePicture(dir, "c.bmp", Qt::blue)});
    dialogs.answerMessage(Answer::OK);
    SlideStep(f.ctx);

    QCOMPARE(dialogs.questions.size(), 1);
    QCOMPARE(dialogs.lastQuestion().text,
             QStringLiteral("Sorry, MCI problem : ") + reason + QLatin1Char('\n') + bad);
    QVERIFY(media.log->opened.isEmpty());
    QVERIFY(!media.log->open);
    QVERIFY(!f.show.MoviePlaying);
    SlideStep(f.ctx);
    QCOMPARE(areaColour(f), qRgb(0, 0, 255));
}

void SlideStepsTest::otherPlatform_passesMoviesSilently() {
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

void SlideStepsTest::longPath_pictureShownWhole() {
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

void SlideStepsTest::preparedPicture_drawnOnlyForItsOwnEntry() {
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    ShowFixture f(400, 300);
    layOutArea(f);
    const QString a = writePicture(dir, "a.bmp", Qt::red);
    const QString b = writePicture(dir, "b.bmp", Qt::blue);
    setEntries(f, {a, b});
    QImage green(kArea.size(), QImage::Format_RGB32);
    green.fill(Qt::green);
    const PicturePlacement here{kArea, QSize(400, 300), true};
    const auto ready = [&](const QImage& image, const PicturePlacement& placement) {
        AreaPicture p;
        p.outcome = AreaPicture::Outcome::Read;
        p.placement = placement;
        p.image = image;
        p.at = kArea.topLeft();
        return p;
    };

    // Prepared for another entry: the step reads its own file.
    PreparedSlide other{a, ready(green, here)};
    SlideStep(f.ctx, &other);
    QCOMPARE(f.show.SlideIndex, 1);
    QCOMPARE(areaColour(f), qRgb(0, 0, 255));

    // Prepared for this entry but for an area that has changed since: read
    // again for the area as it is.
    PreparedSlide elsewhere{a, ready(green, PicturePlacement{kArea, QSize(400, 300), false})};
    SlideStep(f.ctx, &elsewhere);
    QCOMPARE(f.show.SlideIndex, 0);
    QCOMPARE(areaColour(f), qRgb(255, 0, 0));

    // Prepared for this entry and this area: drawn as it was prepared.
    SlideStep(f.ctx);
    PreparedSlide own{a, ready(green, here)};
    SlideStep(f.ctx, &own);
    QCOMPARE(f.show.SlideIndex, 0);
    QCOMPARE(areaColour(f), qRgb(0, 255, 0));
    QCOMPARE(f.screen->surface().Image4.bitmap.size(), kArea.size());
}

PLAKORA_TEST_MAIN(SlideStepsTest)
#include "test_slide_steps.moc"
