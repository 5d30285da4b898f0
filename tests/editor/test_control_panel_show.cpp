// The live control panel in the whole program: brought up over a show of
// the factory board, restarting it, switching the clock with the editor's
// switch, taking the editor's colour dialog, and ending the show.

#include "editor/mainform.h"
#include "show/control_panel.h"
#include "show/engine_thread.h"
#include "tests/editor/editor_session.h"
#include "tests/support/test_main.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>

using platform::Answer;

namespace {

// A right click on an empty part of the play screen, below the crawl line.
void clickRightOn(TPlayScreen* screen) {
    QTest::mouseClick(screen, Qt::RightButton, Qt::NoModifier, QPoint(700, 585));
}

bool noEngineRuns() {
    return !Box1ThreadHandle.thread() && !Box2ThreadHandle.thread() &&
           !CrawlThreadHandle.thread() && !MovieThreadHandle.thread();
}

} // namespace

class ControlPanelShowTest : public QObject, private EditorSession {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void space_bringsPanelAtTopRight_namingTheStoppedThreads();
    void panel_takesTheKeyboard_escapeThereRefreshes_data();
    void panel_takesTheKeyboard_escapeThereRefreshes();
    void alignScreen_panelKeepsTheKeyboardAtTheStart();
    void setLimits_factoryTitles_data();
    void setLimits_factoryTitles();
    void refresh_newLayoutFromTheStart_data();
    void refresh_newLayoutFromTheStart();
    void clock_keepsTheEditorSwitchInStep();
    void colour_takesTheEditorsDialog();
    void hide_thenRefreshResumes();
    void leave_returnsToTheEditor_valuesStayInTheBoard();
    void alignScreen_everyRestartStaysFrozen();
    void restartAndLeave_whileAStepsMessageIsUp_data();
    void restartAndLeave_whileAStepsMessageIsUp();

private:
    void play();
    TAlignCntrlBox* panel() const { return w_.AlignCntrlBox.get(); }
};

void ControlPanelShowTest::init() {
    openSession();
    m_->Memo1->setPlainText(QStringLiteral("line one\nline two\nline three"));
    m_->Memo2->setPlainText(QStringLiteral("other box"));
}

void ControlPanelShowTest::cleanup() {
    closeSession();
}

void ControlPanelShowTest::play() {
    m_->Mode1Click();
    QVERIFY(screen_->isVisible());
    QVERIFY(m_->showState.ShowRunning);
    QTRY_VERIFY(m_->showState.Box1Row > 0 && m_->showState.Box2Row > 0 &&
                m_->showState.CrawlColumn > 0);
}

void ControlPanelShowTest::space_bringsPanelAtTopRight_namingTheStoppedThreads() {
    m_->ToolButton7->click(); // clock on in the editor
    play();
    const long long ids[3] = {Box1ThreadHandle.handleNumber(), Box2ThreadHandle.handleNumber(),
                              CrawlThreadHandle.handleNumber()};
    QTest::keyClick(screen_, Qt::Key_Space);
    QVERIFY(panel()->isVisible());
    QCOMPARE(panel()->pos(), QPoint(800 - 172, 4));
    QVERIFY(!m_->showState.ShowRunning);
    QVERIFY(noEngineRuns());
    QCOMPARE(panel()->Label7->text(), QString::number(ids[0]));
    QCOMPARE(panel()->Label8->text(), QString::number(ids[1]));
    QCOMPARE(panel()->Label9->text(), QString::number(ids[2]));
    QVERIFY(panel()->ToolButton4->isChecked());
    // The factory board as the bars show it.
    QCOMPARE(panel()->Label4->text(), QStringLiteral("400"));
    QCOMPARE(panel()->Label1->text(), QStringLiteral("150"));
    // Box 2's width (780) within the bar's first range, 1 to 640.
    QCOMPARE(panel()->Label6->text(), QStringLiteral("640"));
    QCOMPARE(panel()->Label2->text(), QStringLiteral("100"));
    QCOMPARE(panel()->Label3->text(), QStringLiteral("10"));
    // The clock goes on while the rest stands still.
    QVERIFY(screen_->Timer1->isActive());
    screen_->ClosePlayScreen();
}

void ControlPanelShowTest::panel_takesTheKeyboard_escapeThereRefreshes_data() {
    QTest::addColumn<bool>("rightButton");
    QTest::newRow("space") << false;
    QTest::newRow("right button") << true;
}

void ControlPanelShowTest::panel_takesTheKeyboard_escapeThereRefreshes() {
    QFETCH(bool, rightButton);
    play();
    if (rightButton) {
        clickRightOn(screen_);
    } else {
        QTest::keyClick(screen_, Qt::Key_Space);
    }
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(panel()));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(panel()));
    // Escape goes where the keyboard is now, not to the play screen.
    QWindow* keyboard = QGuiApplication::focusWindow();
    QVERIFY(keyboard);
    QTest::keyClick(keyboard, Qt::Key_Escape);
    QVERIFY(dialogs_->questions.isEmpty());
    // Refresh: the show goes on, it did not end.
    QVERIFY(screen_->isVisible());
    QVERIFY(!panel()->isVisible());
    QVERIFY(m_->showState.ShowRunning);
    QTRY_VERIFY(m_->showState.Box1Row > 0);
    screen_->ClosePlayScreen();
}

void ControlPanelShowTest::alignScreen_panelKeepsTheKeyboardAtTheStart() {
    m_->board.AlignScreen = true;
    m_->Mode1Click();
    QVERIFY(panel()->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(panel()));
    // Nothing takes it back once the start is over.
    QTest::qWait(50);
    QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(panel()));
    screen_->ClosePlayScreen();
}

void ControlPanelShowTest::setLimits_factoryTitles_data() {
    QTest::addColumn<QString>("moved");
    QTest::newRow("box 1 height") << "TrackBar4";
    QTest::newRow("box 2 height") << "TrackBar1";
    QTest::newRow("border") << "TrackBar3";
}

void ControlPanelShowTest::setLimits_factoryTitles() {
    QFETCH(QString, moved);
    play();
    QTest::keyClick(screen_, Qt::Key_Space);
    QCOMPARE(panel()->TrackBar4->minimum(), 1);
    panel()->findChild<QSlider*>(moved)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(panel()->TrackBar4->minimum(), 40);
    QCOMPARE(panel()->TrackBar1->minimum(), 34);
    screen_->ClosePlayScreen();
}

void ControlPanelShowTest::refresh_newLayoutFromTheStart_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("tool button") << 0;
    QTest::newRow("menu") << 1;
    QTest::newRow("escape") << 2;
}

void ControlPanelShowTest::refresh_newLayoutFromTheStart() {
    QFETCH(int, how);
    play();
    QTest::keyClick(screen_, Qt::Key_Space);
    const long long oldBox1 = panel()->Label7->text().toLongLong();
    const int box2BottomBefore = m_->showState.Box2Bottom;
    // Box 1 narrower, box 2 taller, text box 1 slower.
    for (int i = 0; i < 50; ++i) {
        QTest::keyClick(panel()->TrackBar2, Qt::Key_Left);
    }
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(panel()->TrackBar1, Qt::Key_Down);
    }
    QTest::keyClick(panel()->TrackBar5, Qt::Key_Right);
    QCOMPARE(m_->board.Box1Width, 350);
    QCOMPARE(m_->board.Box2Height, 120);
    QCOMPARE(int(m_->board.Box1Delay), 2); // the bar starts at its lowest, 1

    switch (how) {
    case 0:
        panel()->ToolButton3->click();
        break;
    case 1:
        panel()->ReFresh1->trigger();
        break;
    default:
        QTest::keyClick(panel(), Qt::Key_Escape);
        break;
    }
    QVERIFY(!panel()->isVisible());
    QVERIFY(m_->showState.ShowRunning);
    QCOMPARE(m_->showState.Box1ScrollRect.Right, 350);
    QCOMPARE(m_->showState.Box2Bottom, box2BottomBefore + 20);
    QCOMPARE(m_->showState.Box1Line, 0);
    QCOMPARE(m_->showState.Box1Row, 0);
    QCOMPARE(m_->showState.CrawlColumn, 0);
    QVERIFY(Box1ThreadHandle.thread() && Box2ThreadHandle.thread() && CrawlThreadHandle.thread());
    QTRY_VERIFY(Box1ThreadHandle.handleNumber() != 0);
    QVERIFY(Box1ThreadHandle.handleNumber() != oldBox1);
    QTRY_VERIFY(m_->showState.Box1Row > 0 && m_->showState.CrawlColumn > 0);
    QVERIFY(dialogs_->questions.isEmpty());
    screen_->ClosePlayScreen();
}

void ControlPanelShowTest::clock_keepsTheEditorSwitchInStep() {
    play();
    const int crawlTopWithoutClock = m_->showState.CrawlTop;
    QTest::keyClick(screen_, Qt::Key_Space);
    QVERIFY(!panel()->ToolButton4->isChecked());

    panel()->ToolButton4->click();
    QVERIFY(m_->board.ClockOn);
    QVERIFY(m_->ToolButton7->isChecked());
    QVERIFY(m_->ToggleClockOn->isChecked());
    QVERIFY(screen_->Timer1->isActive());
    QVERIFY(m_->showState.ShowRunning);
    QCOMPARE(m_->showState.CrawlTop, crawlTopWithoutClock + 40);

    // The menu item takes the button as it stands: the clock stays on.
    QTest::keyClick(screen_, Qt::Key_Space);
    panel()->ClocK1->trigger();
    QVERIFY(panel()->ToolButton4->isChecked());
    QVERIFY(m_->board.ClockOn);
    QVERIFY(m_->ToolButton7->isChecked());
    QVERIFY(m_->showState.ShowRunning);

    QTest::keyClick(screen_, Qt::Key_Space);
    panel()->ToolButton4->click();
    QVERIFY(!m_->board.ClockOn);
    QVERIFY(!m_->ToolButton7->isChecked());
    QVERIFY(!m_->ToggleClockOn->isChecked());
    QVERIFY(!screen_->Timer1->isActive());
    QCOMPARE(m_->showState.CrawlTop, crawlTopWithoutClock);
    screen_->ClosePlayScreen();
    // Back in the editor the switch shows what the board holds.
    QCOMPARE(m_->ToolButton7->isChecked(), m_->board.ClockOn);
}

void ControlPanelShowTest::colour_takesTheEditorsDialog() {
    m_->board.PlayBackColor = 0x000080;
    play();
    QTest::keyClick(screen_, Qt::Key_Space);
    dialogs_->cancelColor();
    panel()->ToolButton1->click();
    QCOMPARE(dialogs_->questions.size(), 1);
    QCOMPARE(dialogs_->lastQuestion().kind, support::Question::Kind::Color);
    // The editor's dialog, with its settings.
    QCOMPARE(dialogs_->lastQuestion().color, m_->ColorDialog1);
    QCOMPARE(dialogs_->lastQuestion().color.options,
             platform::ColorOption::FullOpen | platform::ColorOption::AnyColor |
                 platform::ColorOption::SolidColor | platform::ColorOption::ShowHelp);
    QCOMPARE(m_->board.PlayBackColor, Colour(0x000080));
    QVERIFY(!panel()->isVisible());
    QVERIFY(m_->showState.ShowRunning);
    QCOMPARE(screen_->surface().backgroundColour(), Colour(0x000080));

    QTest::keyClick(screen_, Qt::Key_Space);
    dialogs_->answerColor(0x00FF00);
    panel()->Color1->trigger();
    QCOMPARE(m_->board.PlayBackColor, Colour(0x00FF00));
    QCOMPARE(m_->ColorDialog1.color, std::uint32_t(0x00FF00));
    QCOMPARE(screen_->surface().backgroundColour(), Colour(0x00FF00));
    QVERIFY(m_->showState.ShowRunning);
    QCOMPARE(screen_->surface().image().pixel(799, 599), qRgb(0, 255, 0));
    screen_->ClosePlayScreen();
}

void ControlPanelShowTest::hide_thenRefreshResumes() {
    play();
    QTest::keyClick(screen_, Qt::Key_Space);
    panel()->SpeedButton1->click();
    QVERIFY(!panel()->isVisible());
    QVERIFY(screen_->isVisible());
    QVERIFY(!m_->showState.ShowRunning);
    QVERIFY(noEngineRuns());
    const QImage frozen = screen_->surface().image().copy();
    QTest::qWait(30);
    QCOMPARE(screen_->surface().image(), frozen);

    clickRightOn(screen_);
    QVERIFY(panel()->isVisible());
    panel()->ToolButton3->click();
    QVERIFY(m_->showState.ShowRunning);
    QTRY_VERIFY(m_->showState.Box1Row > 0 && m_->showState.CrawlColumn > 0);
    screen_->ClosePlayScreen();
}

void ControlPanelShowTest::leave_returnsToTheEditor_valuesStayInTheBoard() {
    play();
    QTest::keyClick(screen_, Qt::Key_Space);
    QTest::keyClick(panel()->TrackBar6, Qt::Key_Left);
    panel()->ToolButton5->click();
    QVERIFY(!screen_->isVisible());
    QVERIFY(m_->isVisible());
    QVERIFY(!panel()->isVisible());
    QVERIFY(!panel()->isEnabled());
    QVERIFY(noEngineRuns());
    QCOMPARE(m_->board.Box2Width, 638); // 780, shown at 640, one line back

    play();
    QTest::keyClick(screen_, Qt::Key_Space);
    panel()->Exit1->trigger();
    QVERIFY(!screen_->isVisible());
    QVERIFY(m_->isVisible());
}

void ControlPanelShowTest::alignScreen_everyRestartStaysFrozen() {
    m_->board.AlignScreen = true;
    m_->Mode1Click();
    QVERIFY(panel()->isVisible());
    QVERIFY(!m_->showState.ShowRunning);
    QTRY_VERIFY(!Box1ThreadHandle.thread()->running() && !Box2ThreadHandle.thread()->running() &&
                !CrawlThreadHandle.thread()->running());

    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(panel()->TrackBar2, Qt::Key_Left);
    }
    panel()->ToolButton3->click();
    // The show start brought the panel straight back, and the new engines
    // ran a single step each.
    QVERIFY(panel()->isVisible());
    QVERIFY(!m_->showState.ShowRunning);
    QCOMPARE(m_->showState.Box1ScrollRect.Right, 360);
    QTRY_VERIFY(!Box1ThreadHandle.thread()->running() && !Box2ThreadHandle.thread()->running() &&
                !CrawlThreadHandle.thread()->running());
    QVERIFY(Box1ThreadHandle.thread()->completedSteps() <= 1);
    QVERIFY(Box2ThreadHandle.thread()->completedSteps() <= 1);
    QVERIFY(CrawlThreadHandle.thread()->completedSteps() <= 1);
    const int row = m_->showState.Box1Row;
    const int column = m_->showState.CrawlColumn;
    const QImage frozen = screen_->surface().image().copy();
    QTest::qWait(30);
    QCOMPARE(screen_->surface().image(), frozen);
    QCOMPARE(m_->showState.Box1Row, row);
    QCOMPARE(m_->showState.CrawlColumn, column);

    // Closing clears the switch: the next show runs.
    screen_->ClosePlayScreen();
    QVERIFY(!m_->board.AlignScreen);
    play();
    QVERIFY(!panel()->isVisible());
    screen_->ClosePlayScreen();
}

void ControlPanelShowTest::restartAndLeave_whileAStepsMessageIsUp_data() {
    QTest::addColumn<bool>("leave");
    QTest::newRow("restart") << false;
    QTest::newRow("restart, then leave") << true;
}

void ControlPanelShowTest::restartAndLeave_whileAStepsMessageIsUp() {
    // A movie that cannot be played brings a message up from the slideshow's
    // step. While it is up the operator restarts the show from the panel,
    // and may leave the new show too, before the message is answered.
    QFETCH(bool, leave);
    QTemporaryDir dir;
    const QString movie = dir.filePath(QStringLiteral("broken.avi"));
    {
        QFile f(movie);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a movie at all");
    }
    m_->ListBox1->addItem(movie);
    int messages = 0;
    bool restarted = false;
    bool newShowRan = false;
    bool left = false;
    // Every message is answered, however many the shows raise; only the
    // first one is where the operator acts.
    const auto stopAnswering = qScopeGuard([this] { dialogs_->onMessage = nullptr; });
    dialogs_->onMessage = [&](const support::Question&) {
        dialogs_->answerMessage(Answer::OK);
        if (++messages > 1) {
            return;
        }
        QTest::keyClick(screen_, Qt::Key_Space);
        panel()->ReFresh1->trigger();
        restarted = m_->showState.ShowRunning && !panel()->isVisible();
        // The new show goes on while the message is up.
        newShowRan = QTest::qWaitFor([&] { return m_->showState.Box1Row > 0; });
        if (leave) {
            clickRightOn(screen_);
            panel()->Exit1->trigger();
            left = !screen_->isVisible();
        }
    };
    m_->Mode1Click();
    QTRY_VERIFY(messages >= 1);
    QVERIFY(restarted);
    QVERIFY(newShowRan);
    if (leave) {
        QVERIFY(left);
        QVERIFY(noEngineRuns());
        QVERIFY(!screen_->isVisible());
        QVERIFY(m_->isVisible());
        QVERIFY(!m_->showState.ShowRunning);
        // Nothing of either show goes on afterwards.
        const int row = m_->showState.Box1Row;
        QTest::qWait(50);
        QCOMPARE(m_->showState.Box1Row, row);
    } else {
        // The step that raised the message has ended; the new show runs on.
        QVERIFY(m_->showState.ShowRunning);
        const int row = m_->showState.Box1Row;
        const int line = m_->showState.Box1Line;
        QTRY_VERIFY(m_->showState.Box1Row != row || m_->showState.Box1Line != line);
        screen_->ClosePlayScreen();
    }
}

PLAKORA_TEST_MAIN(ControlPanelShowTest)
#include "test_control_panel_show.moc"
