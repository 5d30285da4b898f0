// The play screen during a show: keys, mouse buttons, the control panel, the
// clock and the end of the show.

#include "editor/mainform.h"
#include "editor/startup.h"
#include "show/clock_format.h"
#include "show/control_panel.h"
#include "show/engine_thread.h"
#include "show/play_screen.h"
#include "tests/editor/editor_session.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QDateTime>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

namespace {

// A click at a point of the play screen reaches whatever control lies there,
// as a real click does.
void clickAt(TPlayScreen* screen, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
             QPoint at) {
    QWidget* target = screen->childAt(at);
    if (!target) {
        target = screen;
    }
    QTest::mouseClick(target, button, modifiers, target->mapFrom(screen, at));
}

} // namespace

class PlayScreenTest : public QObject, private EditorSession {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void esc_closesWhateverModifiers_data();
    void esc_closesWhateverModifiers();
    void leftButton_alone_closes();
    void leftButton_withModifier_doesNothing_data();
    void leftButton_withModifier_doesNothing();
    void secondPressOfDoubleClick_doesNothing();
    void rightButtonOrSpace_bringsPanelAndFreezes_data();
    void rightButtonOrSpace_bringsPanelAndFreezes();
    void titlePanels_actAsTheWindow();
    void pressInsideShownFrame_doesNothing_withoutFrameCloses();
    void alignScreen_opensWithPanelAndArrow_andIsClearedOnClose();
    void cursorHidden_withoutAlignScreen();
    void clock_drawnAtBorderAndClockTop_clearsItsLine();
    void clock_offUnlessClockOn();
    void close_endsEveryThread();
    void clockText_format_data();
    void clockText_format();

private:
    void play();
};

void PlayScreenTest::init() {
    openSession();
    m_->Memo1->setPlainText(QStringLiteral("line one\nline two"));
    m_->Memo2->setPlainText(QStringLiteral("other box"));
}

void PlayScreenTest::cleanup() {
    closeSession();
}

void PlayScreenTest::play() {
    m_->Mode1Click();
    QVERIFY(screen_->isVisible());
    QVERIFY(m_->showState.ShowRunning);
}

void PlayScreenTest::esc_closesWhateverModifiers_data() {
    QTest::addColumn<int>("modifiers");
    QTest::newRow("none") << int(Qt::NoModifier);
    QTest::newRow("shift") << int(Qt::ShiftModifier);
    QTest::newRow("ctrl alt") << int(Qt::ControlModifier | Qt::AltModifier);
}

void PlayScreenTest::esc_closesWhateverModifiers() {
    QFETCH(int, modifiers);
    play();
    QTest::keyClick(screen_, Qt::Key_Escape, Qt::KeyboardModifiers(modifiers));
    QVERIFY(!screen_->isVisible());
    QVERIFY(m_->isVisible());
}

void PlayScreenTest::leftButton_alone_closes() {
    play();
    clickAt(screen_, Qt::LeftButton, Qt::NoModifier, QPoint(700, 580));
    QVERIFY(!screen_->isVisible());
    QVERIFY(!screen_->isEnabled());
    QVERIFY(m_->isVisible());
}

void PlayScreenTest::leftButton_withModifier_doesNothing_data() {
    QTest::addColumn<int>("modifiers");
    QTest::newRow("shift") << int(Qt::ShiftModifier);
    QTest::newRow("ctrl") << int(Qt::ControlModifier);
    QTest::newRow("alt") << int(Qt::AltModifier);
}

void PlayScreenTest::leftButton_withModifier_doesNothing() {
    QFETCH(int, modifiers);
    play();
    clickAt(screen_, Qt::LeftButton, Qt::KeyboardModifiers(modifiers), QPoint(700, 580));
    QVERIFY(screen_->isVisible());
    QVERIFY(m_->showState.ShowRunning);
    QVERIFY(!w_.AlignCntrlBox->isVisible());
    screen_->ClosePlayScreen();
}

void PlayScreenTest::secondPressOfDoubleClick_doesNothing() {
    play();
    QTest::mouseEvent(QTest::MouseDClick, screen_, Qt::LeftButton, Qt::NoModifier,
                      QPoint(700, 580));
    QVERIFY(screen_->isVisible());
    QTest::mouseEvent(QTest::MouseDClick, screen_->Panel3, Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, 5));
    QVERIFY(screen_->isVisible());
    screen_->ClosePlayScreen();
}

void PlayScreenTest::rightButtonOrSpace_bringsPanelAndFreezes_data() {
    QTest::addColumn<bool>("bySpace");
    QTest::newRow("right button") << false;
    QTest::newRow("space") << true;
}

void PlayScreenTest::rightButtonOrSpace_bringsPanelAndFreezes() {
    QFETCH(bool, bySpace);
    play();
    QTRY_VERIFY(m_->showState.Box1Row > 0);
    if (bySpace) {
        QTest::keyClick(screen_, Qt::Key_Space);
    } else {
        clickAt(screen_, Qt::RightButton, Qt::NoModifier, QPoint(700, 580));
    }
    QVERIFY(w_.AlignCntrlBox->isVisible());
    QVERIFY(screen_->isVisible());
    QVERIFY(!m_->showState.ShowRunning);
    QVERIFY(!Box1ThreadHandle.thread());
    QVERIFY(!Box2ThreadHandle.thread());
    QVERIFY(!CrawlThreadHandle.thread());
    // Frozen: nothing moves any more.
    const QImage frozen = screen_->surface().image().copy();
    QTest::qWait(30);
    QCOMPARE(screen_->surface().image(), frozen);
    screen_->ClosePlayScreen();
    QVERIFY(!w_.AlignCntrlBox->isVisible());
}

void PlayScreenTest::titlePanels_actAsTheWindow() {
    play();
    QTest::mouseClick(screen_->Panel4, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    QVERIFY(screen_->isVisible());
    QTest::mouseClick(screen_->Panel3, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(w_.AlignCntrlBox->isVisible());
    QTest::mouseClick(screen_->Panel3, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(!screen_->isVisible());
}

void PlayScreenTest::pressInsideShownFrame_doesNothing_withoutFrameCloses() {
    play();
    // Text box 1 spans y 176 to 326 on the factory board; its frame takes the press.
    clickAt(screen_, Qt::LeftButton, Qt::NoModifier, QPoint(100, 250));
    QVERIFY(screen_->isVisible());
    clickAt(screen_, Qt::RightButton, Qt::NoModifier, QPoint(100, 400));
    QVERIFY(!w_.AlignCntrlBox->isVisible());
    screen_->ClosePlayScreen();

    m_->board.BorderWidth = 0;
    play();
    clickAt(screen_, Qt::LeftButton, Qt::NoModifier, QPoint(100, 250));
    QVERIFY(!screen_->isVisible());
}

void PlayScreenTest::alignScreen_opensWithPanelAndArrow_andIsClearedOnClose() {
    m_->board.AlignScreen = true;
    m_->Mode1Click();
    TAlignCntrlBox* panel = w_.AlignCntrlBox.get();
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->pos(), QPoint(screen_->width() - panel->width(), 4));
    QCOMPARE(screen_->cursor().shape(), Qt::ArrowCursor);
    // The show opens frozen: its threads ran a single step and ended.
    QTRY_VERIFY(!Box1ThreadHandle.thread() || !Box1ThreadHandle.thread()->running());
    QVERIFY(!m_->showState.ShowRunning);
    screen_->ClosePlayScreen();
    QVERIFY(!m_->board.AlignScreen);

    m_->Mode1Click();
    QVERIFY(!panel->isVisible());
    screen_->ClosePlayScreen();
}

void PlayScreenTest::cursorHidden_withoutAlignScreen() {
    play();
    QCOMPARE(screen_->cursor().shape(), Qt::BlankCursor);
    screen_->ClosePlayScreen();
}

void PlayScreenTest::clock_drawnAtBorderAndClockTop_clearsItsLine() {
    m_->ToolButton7->click();
    m_->board.ClockColor = 0x00FFFF; // yellow
    play();
    QVERIFY(screen_->Timer1->isActive());
    const int top = m_->showState.ClockTop;
    QCOMPARE(top, 456);
    // Something long stood on the clock's line before.
    QImage& s = screen_->surface().image();
    for (int x = 0; x < 800; ++x) {
        for (int y = top; y < top + 10; ++y) {
            s.setPixel(x, y, qRgb(255, 255, 255));
        }
    }
    screen_->Timer1Timer();
    bool yellowAtLeft = false;
    int rightmostYellow = -1;
    for (int y = top; y < top + 30; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (s.pixel(x, y) == qRgb(255, 255, 0)) {
                yellowAtLeft = yellowAtLeft || x < 40;
                rightmostYellow = std::max(rightmostYellow, x);
            }
        }
    }
    QVERIFY(yellowAtLeft);
    // Nothing is drawn left of the border width.
    for (int y = top; y < top + 30; ++y) {
        for (int x = 0; x < 10; ++x) {
            QCOMPARE(s.pixel(x, y), qRgb(0, 0, 0));
        }
    }
    // No tail of the earlier text stays right of the clock.
    QCOMPARE(s.pixel(rightmostYellow + 20, top + 5), qRgb(0, 0, 0));
    QCOMPARE(s.pixel(799, top + 5), qRgb(0, 0, 0));
    screen_->ClosePlayScreen();
    QVERIFY(!screen_->Timer1->isActive());
}

void PlayScreenTest::clock_offUnlessClockOn() {
    play();
    QVERIFY(!screen_->Timer1->isActive());
    screen_->ClosePlayScreen();
}

void PlayScreenTest::close_endsEveryThread() {
    play();
    QVERIFY(Box1ThreadHandle.thread());
    QVERIFY(Box2ThreadHandle.thread());
    QVERIFY(CrawlThreadHandle.thread());
    QTest::keyClick(screen_, Qt::Key_Escape);
    QVERIFY(!Box1ThreadHandle.thread());
    QVERIFY(!Box2ThreadHandle.thread());
    QVERIFY(!CrawlThreadHandle.thread());
    QVERIFY(!m_->showState.ShowRunning);
    // Closing again, with nothing running, only shows the editor.
    screen_->ClosePlayScreen();
    QVERIFY(m_->isVisible());
}

void PlayScreenTest::clockText_format_data() {
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("text");
    QTest::newRow("evening") << QDateTime(QDate(2026, 12, 7), QTime(21, 5, 3))
                             << "Monday December 7, 2026  Time 9:05:03 pm";
    QTest::newRow("late evening") << QDateTime(QDate(2026, 12, 7), QTime(22, 47, 13))
                                  << "Monday December 7, 2026  Time 10:47:13 pm";
    QTest::newRow("noon") << QDateTime(QDate(2027, 1, 1), QTime(12, 0, 0))
                          << "Friday January 1, 2027  Time 12:00:00 pm";
    QTest::newRow("midnight") << QDateTime(QDate(2026, 2, 28), QTime(0, 0, 9))
                              << "Saturday February 28, 2026  Time 12:00:09 am";
    QTest::newRow("morning") << QDateTime(QDate(2026, 7, 14), QTime(9, 30, 0))
                             << "Tuesday July 14, 2026  Time 9:30:00 am";
}

void PlayScreenTest::clockText_format() {
    QFETCH(QDateTime, when);
    QFETCH(QString, text);
    QCOMPARE(clockText(when), text);
}

PLAKORA_TEST_MAIN(PlayScreenTest)
#include "test_play_screen.moc"
