// The screen a show plays on: the choice in the "Play Screen" menu and the
// settings file, the layout on a screen that is not the primary one, the
// fallback when the chosen screen is missing, the end of a show whose screen
// goes away, and a scaled screen drawn pixel for pixel as an unscaled one.
//
// The headless platform is given three screens: the primary "Desk-1"
// (800 x 600), "Wall-2", whose desktop is scaled 2x (400 x 300 on the
// desktop, 800 x 600 pixels), and "Side-3" (640 x 480).

#include "editor/mainform.h"
#include "editor/screen_menu.h"
#include "editor/startup.h"
#include "persistence/board_file.h"
#include "platform/colors.h"
#include "platform/event_loop.h"
#include "platform/screens.h"
#include "show/control_panel.h"
#include "show/play_screen.h"
#include "tests/editor/editor_session.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using platform::ScreenEntry;

namespace {

QScreen* screenNamed(const QString& name) {
    for (QScreen* s : QGuiApplication::screens()) {
        if (s->name() == name) {
            return s;
        }
    }
    return nullptr;
}

// What the window paints, in the screen's own pixels.
QImage shownOn(TPlayScreen& screen) {
    return screen.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QStringList menuTexts(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        out << a->text() + (a->isChecked() ? QStringLiteral(" [x]") : QString());
    }
    return out;
}

} // namespace

class PlayScreensTest : public QObject, private EditorSession {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void menuEntries_followScreensAndChoice_data();
    void menuEntries_followScreensAndChoice();
    void menu_choiceIsKeptInSettingsAndReadAtStart();
    void chosenScreen_showCoversItInItsPixels();
    void chosenScreenMissing_playsOnPrimaryAndSaysSo();
    void screenGone_endsTheShow();
    void scaledScreen_showsWhatAnUnscaledOneShows();
    void showOnAnotherScreen_editorStaysAndPlayChangesTheShow();

private:
    void playBoard();
};

void PlayScreensTest::init() {
    platform::choosePlayScreen(QString());
    openSession();
    sys_->livePlayScreen = true;
}

void PlayScreensTest::cleanup() {
    if (screen_ && screen_->isVisible()) {
        screen_->ClosePlayScreen();
    }
    closeSession();
    platform::choosePlayScreen(QString());
}

void PlayScreensTest::playBoard() {
    m_->edit1->setText(QStringLiteral("Main Title"));
    m_->Memo1->setPlainText(QStringLiteral("one\ntwo\nthree"));
    m_->Memo2->setPlainText(QStringLiteral("four\nfive"));
    m_->Edit3->setText(QStringLiteral("A crawl line"));
    // One step of each element, then a long wait: two shows are in the same
    // state long enough to be compared.
    m_->board.Box1Delay = 10000;
    m_->board.Box2Delay = 10000;
    m_->board.CrawlDelay = 10000;
    m_->Mode1Click();
    QVERIFY(screen_->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(screen_));
}

void PlayScreensTest::menuEntries_followScreensAndChoice_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QList<PlayScreenMenuEntry>>("expected");
    const QList<ScreenEntry> screens{
        {QStringLiteral("HDMI-1"), QRect(0, 0, 1920, 1080), QSize(1920, 1080), true},
        {QStringLiteral("DP-2"), QRect(1920, 0, 1920, 1080), QSize(3840, 2160), false}};
    const PlayScreenMenuEntry hdmi{QStringLiteral("HDMI-1 (1920 \u00D7 1080)"),
                                   QStringLiteral("HDMI-1"), false, true};
    const PlayScreenMenuEntry dp{QStringLiteral("DP-2 (3840 \u00D7 2160)"), QStringLiteral("DP-2"),
                                 false, true};
    auto checked = [](PlayScreenMenuEntry e) {
        e.checked = true;
        return e;
    };
    QTest::newRow("none chosen: the primary") << QString() << QList{checked(hdmi), dp};
    QTest::newRow("the second chosen") << QStringLiteral("DP-2") << QList{hdmi, checked(dp)};
    QTest::newRow("chosen one not connected")
        << QStringLiteral("TV")
        << QList{hdmi, dp, PlayScreenMenuEntry{"TV (not connected)", "TV", true, false}};
    QVERIFY(platform::findScreen(screens, QStringLiteral("2")) == 1);
    QVERIFY(platform::findScreen(screens, QStringLiteral("3")) == -1);
}

void PlayScreensTest::menuEntries_followScreensAndChoice() {
    QFETCH(QString, chosen);
    QFETCH(QList<PlayScreenMenuEntry>, expected);
    const QList<ScreenEntry> screens{
        {QStringLiteral("HDMI-1"), QRect(0, 0, 1920, 1080), QSize(1920, 1080), true},
        {QStringLiteral("DP-2"), QRect(1920, 0, 1920, 1080), QSize(3840, 2160), false}};
    QCOMPARE(playScreenMenu(screens, chosen), expected);
}

void PlayScreensTest::menu_choiceIsKeptInSettingsAndReadAtStart() {
    // In the order the system gives the screens.
    m_->PlayScreen1->aboutToShow();
    QStringList expected;
    for (const QScreen* s : QGuiApplication::screens()) {
        expected << QStringLiteral("%1 (%2 \u00D7 %3)%4")
                        .arg(s->name())
                        .arg(s->geometry().width() * s->devicePixelRatio())
                        .arg(s->geometry().height() * s->devicePixelRatio())
                        .arg(s->name() == QLatin1String("Desk-1") ? " [x]" : "");
    }
    QCOMPARE(menuTexts(m_->PlayScreen1), expected);
    QCOMPARE(expected.filter(QStringLiteral("Wall-2 (800 \u00D7 600)")).size(), 1);
    const auto entries = m_->PlayScreen1->actions();
    const auto side = std::find_if(entries.begin(), entries.end(), [](const QAction* a) {
        return a->text().startsWith(QLatin1String("Side-3"));
    });
    QVERIFY(side != entries.end());
    (*side)->trigger();
    QCOMPARE(platform::chosenPlayScreen(), QStringLiteral("Side-3"));
    const QString settings = settingsFilePath(sys_->windowsDir);
    QCOMPARE(readPlayScreenSetting(settings), QStringLiteral("Side-3"));

    // A later start reads it back, with the rest of the settings file.
    platform::choosePlayScreen(QString());
    configPath_ = sys_->windowsDir;
    auto keep = std::move(configDir_);
    closeSession();
    openSession();
    QCOMPARE(platform::chosenPlayScreen(), QStringLiteral("Side-3"));
    m_->PlayScreen1->aboutToShow();
    QCOMPARE(menuTexts(m_->PlayScreen1).filter(QStringLiteral("[x]")),
             QStringList{"Side-3 (640 \u00D7 480) [x]"});
}

void PlayScreensTest::chosenScreen_showCoversItInItsPixels() {
    platform::choosePlayScreen(QStringLiteral("Side-3"));
    playBoard();
    QScreen* side = screenNamed(QStringLiteral("Side-3"));
    QCOMPARE(screen_->playingOn(), side);
    QCOMPARE(screen_->geometry(), QRect(800 + 400, 0, 640, 480));
    QCOMPARE(screen_->surface().image().size(), QSize(640, 480));
    // The titles and the crawl line reach across that screen.
    QCOMPARE(screen_->Panel3->placed().width(), 640);
    QCOMPARE(m_->showState.CrawlDestRect.Left, 639);
    QVERIFY(m_->showState.CrawlTop < 480);
    QVERIFY(m_->StatusBar1->currentMessage().isEmpty());
    // The control panel stands at that screen's top right corner.
    screen_->showControlPanel();
    const QWidget* panel = w_.AlignCntrlBox.get();
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->pos(), QPoint(1200 + 640 - panel->width(), 4));
}

void PlayScreensTest::showOnAnotherScreen_editorStaysAndPlayChangesTheShow() {
    platform::choosePlayScreen(QStringLiteral("Side-3"));
    playBoard();
    QVERIFY(m_->isVisible());
    QTRY_VERIFY(Box1ThreadHandle.handleNumber() != 0);
    const long long box1Thread = Box1ThreadHandle.handleNumber();
    // Play again sends the editor's board to the running show, asking nothing.
    m_->edit1->setText(QStringLiteral("Today's offers"));
    m_->Memo1->setPlainText(QStringLiteral("new\nlines"));
    m_->Mode1Click();
    QCOMPARE(screen_->Panel3->caption(), QStringLiteral("Today's offers"));
    QCOMPARE(m_->showState.PendingText1Lines, (QStringList{"new", "lines"}));
    QCOMPARE(Box1ThreadHandle.handleNumber(), box1Thread);
    // A new look starts it again where it plays, the editor still beside it.
    m_->board.PlayBackColor = 0x00FF00;
    m_->Mode1Click();
    QVERIFY(Box1ThreadHandle.handleNumber() != box1Thread);
    QCOMPARE(m_->showState.PlayedBoard.PlayBackColor, Colour{0x00FF00});
    QCOMPARE(screen_->playingOn(), screenNamed(QStringLiteral("Side-3")));
    QVERIFY(m_->isVisible());
    QVERIFY(dialogs_->questions.isEmpty());
}

void PlayScreensTest::chosenScreenMissing_playsOnPrimaryAndSaysSo() {
    platform::choosePlayScreen(QStringLiteral("HDMI-9"));
    playBoard();
    QCOMPARE(screen_->playingOn(), QGuiApplication::primaryScreen());
    QCOMPARE(screen_->geometry(), QRect(0, 0, 800, 600));
    QCOMPARE(m_->StatusBar1->currentMessage(),
             QStringLiteral("Play screen \"HDMI-9\" is not connected: the show plays on the "
                            "primary screen."));
    screen_->ClosePlayScreen();
    // A show on the chosen screen takes the note away.
    platform::choosePlayScreen(QStringLiteral("Side-3"));
    m_->Mode1Click();
    QVERIFY(m_->StatusBar1->currentMessage().isEmpty());
}

void PlayScreensTest::screenGone_endsTheShow() {
    platform::choosePlayScreen(QStringLiteral("Side-3"));
    playBoard();
    // Another screen going away changes nothing.
    screen_->screenRemoved(screenNamed(QStringLiteral("Wall-2")));
    QVERIFY(screen_->isVisible());
    screen_->screenRemoved(screen_->playingOn());
    QVERIFY(!screen_->isVisible());
    QVERIFY(!m_->showState.ShowRunning);
    QVERIFY(m_->isVisible());
}

void PlayScreensTest::scaledScreen_showsWhatAnUnscaledOneShows() {
    playBoard();
    QCOMPARE(screen_->pixelRatio(), 1.0);
    const QImage unscaled = shownOn(*screen_);
    const QRect title = screen_->Panel3->placed();
    const QRect frame = screen_->Bevel4->placed();
    screen_->ClosePlayScreen();

    platform::choosePlayScreen(QStringLiteral("Wall-2"));
    m_->Mode1Click();
    QVERIFY(QTest::qWaitForWindowExposed(screen_));
    QCOMPARE(screen_->pixelRatio(), 2.0);
    QCOMPARE(screen_->geometry(), QRect(800, 0, 400, 300));
    QCOMPARE(screen_->surface().image().size(), QSize(800, 600));
    QCOMPARE(screen_->Panel3->placed(), title);
    QCOMPARE(screen_->Bevel4->placed(), frame);
    const QImage scaled = shownOn(*screen_);
    QCOMPARE(scaled.size(), QSize(800, 600));
    // Pixel for pixel: titles, text, frames and crawl line alike.
    int differing = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            differing += scaled.pixel(x, y) != unscaled.pixel(x, y) ? 1 : 0;
        }
    }
    QCOMPARE(differing, 0);
    // And it is not a blank screen that matched: the title bar is there.
    QCOMPARE(scaled.pixel(title.left() + screen_->Panel3->bevelWidth() + 1, title.center().y()),
             platform::toQColor(m_->board.MainTitleBackColor).rgb());
}

int main(int argc, char** argv) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(R"({"screens": [
  {"name": "Desk-1", "x": 0, "y": 0, "width": 800, "height": 600,
   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
  {"name": "Wall-2", "x": 800, "y": 0, "width": 400, "height": 300,
   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2},
  {"name": "Side-3", "x": 1200, "y": 0, "width": 640, "height": 480,
   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0) {
        qFatal("cannot write the screen configuration");
    }
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    qputenv("QT_FONT_DPI", "96");
    platform::chooseEventDispatcher();
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    PlayScreensTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "test_play_screens.moc"
