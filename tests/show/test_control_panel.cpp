// The live control panel over a show without the editor: its controls, how
// it loads them when it comes up, which changes reach the board, and its
// closing actions.

#include "platform/fonts.h"
#include "show/control_panel.h"
#include "show/control_panel_rules.h"
#include "show/engine_thread.h"
#include "tests/show/show_fixture.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

#include <memory>

namespace {

// A show of both text boxes and the crawl line on a pinned screen, with the
// panel wired to it as the program wires it.
struct PanelFixture {
    support::FixedSystemInfo sys;
    support::ScriptedDialogs dialogs;
    ShowFixture f;
    std::unique_ptr<TAlignCntrlBox> panel;

    explicit PanelFixture(int width = 800, int height = 600)
        : sys(width, height), f(width, height) {
        f.board.Box1Width = 400;
        f.board.Box1Height = 150;
        f.board.Box1Delay = 5;
        f.board.Box2Width = 800;
        f.board.Box2Height = 100;
        f.board.Box2Delay = 7;
        f.board.CrawlDelay = 9;
        f.board.CrawlFontName = QStringLiteral("Arial");
        f.board.CrawlFontSize = 20;
        f.board.CrawlColor = 0xFFFFFF;
        f.show.Box1On = f.show.Box2On = f.show.CrawlOn = true;
        f.host.texts.Text1Lines = {QStringLiteral("first line"), QStringLiteral("second")};
        f.host.texts.Text2Lines = {QStringLiteral("other box")};
        f.host.texts.CrawlLine = QStringLiteral("crawl text");
        panel = std::make_unique<TAlignCntrlBox>(f.ctx, *f.screen);
        f.screen->attach(&f.board, &f.show, panel.get());
        QObject::connect(panel.get(), &TAlignCntrlBox::clockSwitched,
                         [h = &f.host](bool on) { h->clockDown = on; });
        QObject::connect(panel.get(), &TAlignCntrlBox::lastBoardWanted,
                         [h = &f.host] { ++h->lastBoardOffers; });
        panel->FormCreate();
    }
    ~PanelFixture() {
        // No engine outlives the board and screen it steps.
        KILLTHREADS();
        panel.reset();
    }
    PanelFixture(const PanelFixture&) = delete;
    PanelFixture& operator=(const PanelFixture&) = delete;

    // Plays the show until every engine has stepped.
    void play() {
        StartTheShow(f.ctx, *f.screen);
        QTRY_VERIFY(f.show.Box1Row > 0 && f.show.Box2Row > 0 && f.show.CrawlColumn > 0);
    }
};

QSlider* bar(TAlignCntrlBox& panel, const QString& name) {
    return panel.findChild<QSlider*>(name);
}

bool noEngineRuns() {
    return !Box1ThreadHandle.thread() && !Box2ThreadHandle.thread() && !CrawlThreadHandle.thread();
}

} // namespace

class ControlPanelTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    // The window and its controls.
    void window_captionSizeAndFlags();
    void bars_rangesTicksOrientationAndHints_data();
    void bars_rangesTicksOrientationAndHints();
    void controls_captionsAndPlaces();
    void hints_onlyTheShownOnesAppear();
    void creation_offersTheLastBoardOnce();

    // Coming up.
    void formShow_stopsTheShowAndNamesItsThreads();
    void formShow_elementsOff_data();
    void formShow_elementsOff();
    void formShow_widthMaximumIsScreenLessBorders();
    void formShow_widthsPlacedBeforeTheirRangeIsSet();
    void formShow_borderWiderThanHalfTheScreen_keepsARange();
    void formShow_clockButtonFollowsTheEditor();

    // Which changes reach the board.
    void ownPositions_runNoHandler_outOfRangeShowsAtTheEnd();
    void setLimits_raisesMinimaWithoutTouchingTheBoard();
    void operatorMoves_writeFieldsAndLabels_data();
    void operatorMoves_writeFieldsAndLabels();
    void operatorMoves_byKeyboard();

    // Closing actions (the whole program's tests follow them further).
    void escape_refreshes_otherKeysAskNothing_data();
    void escape_refreshes_otherKeysAskNothing();

    // The arithmetic.
    void titleFontPoints_roundTripsBoardSizes();
    void limits_neverTurnTheRangeOver();
};

void ControlPanelTest::cleanup() {
    KILLTHREADS();
}

void ControlPanelTest::window_captionSizeAndFlags() {
    PanelFixture p;
    TAlignCntrlBox& panel = *p.panel;
    QCOMPARE(panel.windowTitle(), QStringLiteral("Plakora Control"));
    QVERIFY(panel.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(panel.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(panel.windowFlags() & Qt::WindowMinMaxButtonsHint));
    QCOMPARE(panel.ClientArea->size(), QSize(172, 401));
    // A real menu bar above the client area, and the window fixed at that
    // size from creation on, before it is ever shown.
    QVERIFY(!panel.isVisible());
    QCOMPARE(panel.width(), 172);
    QCOMPARE(panel.ClientArea->y(), panel.MainMenu1->height());
    QCOMPARE(panel.height(), panel.MainMenu1->height() + 401);
    QCOMPARE(panel.minimumSize(), panel.maximumSize());

    QStringList items;
    for (QAction* a : panel.MainMenu1->actions()) {
        items << a->text();
        // Every item stands on the bar itself, none in an overflow menu.
        const QRect r = panel.MainMenu1->actionGeometry(a);
        QVERIFY2(!r.isEmpty() && r.right() < panel.MainMenu1->width(), qPrintable(a->text()));
    }
    QCOMPARE(items, QStringList({QStringLiteral("&Color"), QStringLiteral("Re&Fresh"),
                                 QStringLiteral("Cloc&K"), QStringLiteral("E&xit")}));
    QVERIFY(panel.ClocK1->isCheckable());
    QVERIFY(panel.ClocK1->actionGroup());
}

void ControlPanelTest::bars_rangesTicksOrientationAndHints_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("tick");
    QTest::addColumn<int>("lineSize");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("top"); // -1: the height bars stand beside their group
    const int h = Qt::Horizontal;
    const int v = Qt::Vertical;
    QTest::newRow("box 1 width") << "TrackBar2" << h << 1 << 640 << 26 << 1 << QString() << 79;
    QTest::newRow("box 1 height") << "TrackBar4" << v << 1 << 400 << 10 << 1
                                  << "Scroll Box 1 Height" << -1;
    QTest::newRow("box 1 delay") << "TrackBar5" << h << 1 << 100 << 5 << 1 << QString() << 127;
    QTest::newRow("box 2 width") << "TrackBar6" << h << 1 << 640 << 26 << 2 << QString() << 212;
    QTest::newRow("box 2 height") << "TrackBar1" << v << 1 << 400 << 10 << 1
                                  << "Scroll Box 2 Height" << -1;
    QTest::newRow("box 2 delay") << "TrackBar7" << h << 1 << 100 << 5 << 1 << QString() << 266;
    QTest::newRow("crawl delay") << "TrackBar8" << h << 1 << 100 << 5 << 1 << QString() << 328;
    QTest::newRow("border") << "TrackBar3" << h << 0 << 20 << 2 << 1 << "Bevel Thickness" << 387;
}

void ControlPanelTest::bars_rangesTicksOrientationAndHints() {
    QFETCH(QString, name);
    QFETCH(int, orientation);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, tick);
    QFETCH(int, lineSize);
    QFETCH(QString, hint);
    QFETCH(int, top);
    PanelFixture p;
    QSlider* b = bar(*p.panel, name);
    QVERIFY(b);
    QCOMPARE(int(b->orientation()), orientation);
    QCOMPARE(b->minimum(), minimum);
    QCOMPARE(b->maximum(), maximum);
    QCOMPARE(b->tickInterval(), tick);
    QCOMPARE(b->singleStep(), lineSize);
    QCOMPARE(b->toolTip(), hint);
    // Children of the window itself, over the group boxes, at the panel's rows.
    QCOMPARE(b->parentWidget(), p.panel->ClientArea);
    if (top >= 0) {
        QCOMPARE(b->y(), top);
    } else {
        const QGroupBox* group =
            name == QLatin1String("TrackBar4") ? p.panel->GroupBox1 : p.panel->GroupBox2;
        QVERIFY(group->geometry().contains(b->geometry()));
        QVERIFY(b->x() < group->x() + group->width() / 4);
    }
}

void ControlPanelTest::controls_captionsAndPlaces() {
    PanelFixture p;
    TAlignCntrlBox& panel = *p.panel;
    QCOMPARE(panel.GroupBox1->title(), QStringLiteral(" Text  Object Box 1 "));
    QCOMPARE(panel.GroupBox1->geometry(), QRect(1, 39, 169, 122));
    QCOMPARE(panel.GroupBox2->title(), QStringLiteral(" Text Object Box 2 "));
    QCOMPARE(panel.GroupBox2->geometry(), QRect(0, 169, 171, 128));
    QStringList captions;
    for (QLabel* l : panel.ClientArea->findChildren<QLabel*>()) {
        if (l->objectName().contains(QStringLiteral("Caption"))) {
            captions << l->text();
        }
    }
    for (const char* text :
         {"Width", "Height", "Delay (msec)", "Crawl Delay (msec)", "Border Thickness"}) {
        QVERIFY2(captions.contains(QString::fromLatin1(text)), text);
    }

    QCOMPARE(panel.ToolBar1->geometry(), QRect(0, 0, 172, 28));
    QCOMPARE(panel.SpeedButton1->text(), QStringLiteral("&Hide"));
    QCOMPARE(panel.SpeedButton1->geometry(), QRect(72, 0, 49, 25));
    QCOMPARE(panel.SpeedButton1->font().family(), QStringLiteral("Arial"));
    QCOMPARE(panel.SpeedButton1->font().pixelSize(), 16);
    QVERIFY(panel.ToolButton4->isCheckable());
    QVERIFY(!panel.ToolButton1->isCheckable());
    // The four tool buttons stand in the strip, clear of the Hide button.
    for (QToolButton* b :
         {panel.ToolButton1, panel.ToolButton3, panel.ToolButton4, panel.ToolButton5}) {
        QVERIFY(!b->icon().isNull());
        const QRect r(b->mapTo(panel.ClientArea, QPoint(0, 0)), b->size());
        QVERIFY2(QRect(0, 0, 172, 28).contains(r), qPrintable(b->objectName()));
        QVERIFY2(!r.intersects(panel.SpeedButton1->geometry()), qPrintable(b->objectName()));
    }
    for (QLabel* l : {panel.Label7, panel.Label8, panel.Label9}) {
        QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::blue));
    }
}

void ControlPanelTest::hints_onlyTheShownOnesAppear() {
    PanelFixture p;
    TAlignCntrlBox& panel = *p.panel;
    QCOMPARE(panel.ToolButton1->toolTip(), QStringLiteral("Background Color"));
    // Refresh keeps its hint, but never shows it.
    QCOMPARE(panel.ToolButton3->toolTip(), QStringLiteral("Exit Play Screen"));
    panel.show();
    QToolTip::hideText();
    QHelpEvent hidden(QEvent::ToolTip, QPoint(2, 2), panel.ToolButton3->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(panel.ToolButton3, &hidden);
    QVERIFY(!QToolTip::isVisible());
    QHelpEvent shown(QEvent::ToolTip, QPoint(2, 2), panel.ToolButton1->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(panel.ToolButton1, &shown);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Background Color"));
    QToolTip::hideText();
    QVERIFY(panel.ToolButton4->toolTip().isEmpty());
    QVERIFY(panel.ToolButton5->toolTip().isEmpty());
}

void ControlPanelTest::creation_offersTheLastBoardOnce() {
    PanelFixture p;
    QCOMPARE(p.f.host.lastBoardOffers, 1);
    p.panel->show();
    p.panel->hide();
    p.panel->show();
    QCOMPARE(p.f.host.lastBoardOffers, 1);
}

void ControlPanelTest::formShow_stopsTheShowAndNamesItsThreads() {
    PanelFixture p;
    p.play();
    const long long box1 = Box1ThreadHandle.handleNumber();
    const long long box2 = Box2ThreadHandle.handleNumber();
    const long long crawl = CrawlThreadHandle.handleNumber();
    QVERIFY(box1 != 0 && box2 != 0 && crawl != 0);
    p.f.screen->surface().EraseAllowed = false;

    p.panel->show();
    // A window of the play screen's, which a desktop keeps above the show.
    QVERIFY(p.panel->windowHandle());
    QCOMPARE(p.panel->windowHandle()->transientParent(), p.f.screen->windowHandle());
    QVERIFY(!p.f.show.ShowRunning);
    QVERIFY(noEngineRuns());
    QVERIFY(p.f.screen->surface().EraseAllowed);
    QCOMPARE(p.panel->Label7->text(), QString::number(box1));
    QCOMPARE(p.panel->Label8->text(), QString::number(box2));
    QCOMPARE(p.panel->Label9->text(), QString::number(crawl));
    // Nothing moves any more.
    const int row = p.f.show.Box1Row;
    const int column = p.f.show.CrawlColumn;
    QTest::qWait(30);
    QCOMPARE(p.f.show.Box1Row, row);
    QCOMPARE(p.f.show.CrawlColumn, column);
}

void ControlPanelTest::formShow_elementsOff_data() {
    QTest::addColumn<bool>("box1");
    QTest::addColumn<bool>("box2");
    QTest::addColumn<bool>("crawl");
    QTest::newRow("all on") << true << true << true;
    QTest::newRow("box 1 off") << false << true << true;
    QTest::newRow("box 2 off") << true << false << true;
    QTest::newRow("crawl off") << true << true << false;
    QTest::newRow("all off") << false << false << false;
}

void ControlPanelTest::formShow_elementsOff() {
    QFETCH(bool, box1);
    QFETCH(bool, box2);
    QFETCH(bool, crawl);
    PanelFixture p;
    TAlignCntrlBox& panel = *p.panel;
    // Labels that held something before must be emptied, not left standing.
    for (QLabel* l : {panel.Label1, panel.Label2, panel.Label4, panel.Label5, panel.Label6,
                      panel.Label10, panel.Label11}) {
        l->setText(QStringLiteral("stale"));
    }
    p.f.show.Box1On = box1;
    p.f.show.Box2On = box2;
    p.f.show.CrawlOn = crawl;
    panel.show();

    for (QSlider* b : {panel.TrackBar4, panel.TrackBar5, panel.TrackBar2}) {
        QCOMPARE(b->isEnabled(), box1);
    }
    QCOMPARE(panel.Label1->text(), box1 ? QStringLiteral("150") : QString());
    QCOMPARE(panel.Label5->text(), box1 ? QStringLiteral("5") : QString());
    QCOMPARE(panel.Label4->text(), box1 ? QStringLiteral("400") : QString());
    for (QSlider* b : {panel.TrackBar1, panel.TrackBar6, panel.TrackBar7}) {
        QCOMPARE(b->isEnabled(), box2);
    }
    QCOMPARE(panel.Label2->text(), box2 ? QStringLiteral("100") : QString());
    // 800 wide, shown within the bar's first range.
    QCOMPARE(panel.Label6->text(), box2 ? QStringLiteral("640") : QString());
    QCOMPARE(panel.Label10->text(), box2 ? QStringLiteral("7") : QString());
    QCOMPARE(panel.TrackBar8->isVisible(), crawl);
    QCOMPARE(panel.Label11->text(), crawl ? QStringLiteral("9") : QString());
    // The border is always there.
    QCOMPARE(panel.TrackBar3->value(), 10);
    QCOMPARE(panel.Label3->text(), QStringLiteral("10"));
    // An element that is not in the show had no thread.
    if (!box1) {
        QCOMPARE(panel.Label7->text(), QStringLiteral("0"));
    }
    if (!box2) {
        QCOMPARE(panel.Label8->text(), QStringLiteral("0"));
    }
    if (!crawl) {
        QCOMPARE(panel.Label9->text(), QStringLiteral("0"));
    }
}

void ControlPanelTest::formShow_widthMaximumIsScreenLessBorders() {
    PanelFixture p;
    p.f.board.BorderWidth = 10;
    p.panel->show();
    QCOMPARE(p.panel->TrackBar2->maximum(), 780);
    QCOMPARE(p.panel->TrackBar6->maximum(), 780);
    p.panel->hide();
    p.f.board.BorderWidth = 0;
    p.panel->show();
    QCOMPARE(p.panel->TrackBar2->maximum(), 800);
}

void ControlPanelTest::formShow_widthsPlacedBeforeTheirRangeIsSet() {
    // The first showing places the widths within the bars' first range, 1 to
    // 640, and only then widens the range to the screen less its borders.
    PanelFixture p(1024, 768);
    p.f.board.BorderWidth = 10;
    p.f.board.Box1Width = 700;
    p.f.board.Box2Width = 1004;
    p.panel->show();
    QCOMPARE(p.panel->TrackBar6->maximum(), 1004);
    QCOMPARE(p.panel->TrackBar6->value(), 640);
    QCOMPARE(p.panel->Label6->text(), QStringLiteral("640"));
    QCOMPARE(p.panel->TrackBar2->value(), 640);
    QCOMPARE(p.panel->Label4->text(), QStringLiteral("640"));
    QCOMPARE(p.f.board.Box2Width, 1004);
    // The next showing finds the wider range.
    p.panel->hide();
    p.panel->show();
    QCOMPARE(p.panel->TrackBar6->value(), 1004);
    QCOMPARE(p.panel->Label6->text(), QStringLiteral("1004"));
    QCOMPARE(p.panel->Label4->text(), QStringLiteral("700"));
}

void ControlPanelTest::formShow_borderWiderThanHalfTheScreen_keepsARange() {
    PanelFixture p;
    p.f.board.BorderWidth = 500;
    p.panel->show();
    // No width below 1 can be chosen, however wide the border.
    QCOMPARE(p.panel->TrackBar2->minimum(), 1);
    QCOMPARE(p.panel->TrackBar2->maximum(), 1);
    p.panel->TrackBar2->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(p.f.board.Box1Width, 400);
}

void ControlPanelTest::formShow_clockButtonFollowsTheEditor() {
    PanelFixture p;
    p.f.host.clockDown = true;
    p.panel->show();
    QVERIFY(p.panel->ToolButton4->isChecked());
    QVERIFY(p.panel->ClocK1->isChecked());
    p.panel->hide();
    p.f.host.clockDown = false;
    p.panel->show();
    QVERIFY(!p.panel->ToolButton4->isChecked());
    // Loading the button is not a click: the board's clock is untouched.
    QVERIFY(!p.f.board.ClockOn);
}

void ControlPanelTest::ownPositions_runNoHandler_outOfRangeShowsAtTheEnd() {
    PanelFixture p;
    TAlignCntrlBox& panel = *p.panel;
    p.f.board.Box1Width = 5000;
    p.f.board.Box1Height = 0;
    p.f.board.Box1Delay = 250;
    p.f.board.BorderWidth = 10;
    panel.show();
    QCOMPARE(panel.TrackBar2->value(), 640);
    QCOMPARE(panel.Label4->text(), QStringLiteral("640"));
    QCOMPARE(panel.TrackBar4->value(), 1);
    QCOMPARE(panel.TrackBar5->value(), 100);
    // The board keeps its values until the operator moves a bar.
    QCOMPARE(p.f.board.Box1Width, 5000);
    QCOMPARE(p.f.board.Box1Height, 0);
    QCOMPARE(int(p.f.board.Box1Delay), 250);
    // Box 2 is 800 wide on an 800 screen: shown at 640, still 800.
    QCOMPARE(panel.TrackBar6->value(), 640);
    QCOMPARE(p.f.board.Box2Width, 800);
    // Shown again, within the range of the screen less its borders.
    panel.hide();
    panel.show();
    QCOMPARE(panel.TrackBar2->value(), 780);
    QCOMPARE(panel.TrackBar6->value(), 780);

    panel.TrackBar2->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(p.f.board.Box1Width, 779);
    QCOMPARE(panel.Label4->text(), QStringLiteral("779"));
    panel.TrackBar5->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(int(p.f.board.Box1Delay), 99);
}

void ControlPanelTest::setLimits_raisesMinimaWithoutTouchingTheBoard() {
    PanelFixture p;
    TAlignCntrlBox& panel = *p.panel;
    p.f.screen->Panel3->setFont(platform::boardFont(QStringLiteral("Arial"), 40, true));
    p.f.screen->Panel4->setFont(platform::boardFont(QStringLiteral("Arial"), 34, true));
    p.f.board.Box2Height = 20;
    panel.show();
    QCOMPARE(panel.TrackBar1->value(), 20);
    QCOMPARE(panel.TrackBar4->minimum(), 1);

    // The operator moves the border; the box 2 height bar has to rise.
    panel.TrackBar3->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(p.f.board.BorderWidth, 11);
    QCOMPARE(panel.TrackBar4->minimum(), 40);
    QCOMPARE(panel.TrackBar1->minimum(), 34);
    QCOMPARE(panel.TrackBar1->value(), 34);
    QCOMPARE(p.f.board.Box2Height, 20);
    QCOMPARE(panel.Label2->text(), QStringLiteral("20"));
    // Moving a height bar below its minimum is not possible any more; moving
    // it writes the board.
    panel.TrackBar1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(p.f.board.Box2Height, 20);
    panel.TrackBar1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(p.f.board.Box2Height, 35);
    QCOMPARE(panel.Label2->text(), QStringLiteral("35"));
}

void ControlPanelTest::operatorMoves_writeFieldsAndLabels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label"); // empty: the bar writes no label
    QTest::addColumn<int>("step");
    QTest::newRow("box 1 width") << "TrackBar2"
                                 << "Label4" << 1;
    QTest::newRow("box 1 height") << "TrackBar4"
                                  << "Label1" << 1;
    QTest::newRow("box 1 delay") << "TrackBar5"
                                 << "Label5" << 1;
    QTest::newRow("box 2 width") << "TrackBar6"
                                 << "Label6" << 2;
    QTest::newRow("box 2 height") << "TrackBar1"
                                  << "Label2" << 1;
    QTest::newRow("box 2 delay") << "TrackBar7" << QString() << 1;
    QTest::newRow("crawl delay") << "TrackBar8" << QString() << 1;
    QTest::newRow("border") << "TrackBar3"
                            << "Label3" << 1;
}

void ControlPanelTest::operatorMoves_writeFieldsAndLabels() {
    QFETCH(QString, name);
    QFETCH(QString, label);
    QFETCH(int, step);
    PanelFixture p;
    p.panel->show();
    BoardState& b = p.f.board;
    auto fields = [&b] {
        return QList<int>{b.Box1Width,  b.Box1Height, b.Box1Delay,  b.Box2Width,
                          b.Box2Height, b.Box2Delay,  b.CrawlDelay, b.BorderWidth};
    };
    const QList<int> before = fields();
    QStringList labelsBefore;
    const QList<QLabel*> labels = p.panel->ClientArea->findChildren<QLabel*>();
    for (QLabel* l : labels) {
        labelsBefore << l->text();
    }

    QSlider* s = bar(*p.panel, name);
    const int start = s->value();
    s->triggerAction(QAbstractSlider::SliderSingleStepSub);
    const int moved = start - step;
    QCOMPARE(s->value(), moved);
    const QList<int> after = fields();
    // Exactly one board field changed, to the new position.
    int changed = 0;
    for (int i = 0; i < before.size(); ++i) {
        if (before[i] != after[i]) {
            ++changed;
            QCOMPARE(after[i], moved);
        }
    }
    QCOMPARE(changed, 1);
    // Only the bar's own label changed, if it has one.
    for (int i = 0; i < labels.size(); ++i) {
        if (labels[i]->objectName() == label) {
            QCOMPARE(labels[i]->text(), QString::number(moved));
        } else {
            QCOMPARE(labels[i]->text(), labelsBefore[i]);
        }
    }
}

void ControlPanelTest::operatorMoves_byKeyboard() {
    PanelFixture p;
    TAlignCntrlBox& panel = *p.panel;
    panel.show();
    QTest::keyClick(panel.TrackBar2, Qt::Key_Right);
    QCOMPARE(p.f.board.Box1Width, 401);
    QTest::keyClick(panel.TrackBar6, Qt::Key_Left);
    QCOMPARE(p.f.board.Box2Width, 638); // shown at 640, one line of 2 back
    // The height bars grow downwards, as the boxes do.
    QTest::keyClick(panel.TrackBar4, Qt::Key_Down);
    QCOMPARE(p.f.board.Box1Height, 151);
    QTest::keyClick(panel.TrackBar4, Qt::Key_Up);
    QTest::keyClick(panel.TrackBar4, Qt::Key_Up);
    QCOMPARE(p.f.board.Box1Height, 149);
    QCOMPARE(panel.Label1->text(), QStringLiteral("149"));
    QTest::keyClick(panel.TrackBar8, Qt::Key_End);
    QCOMPARE(int(p.f.board.CrawlDelay), 100);
    QCOMPARE(panel.Label11->text(), QStringLiteral("9"));
    // No key on a bar is taken for the panel's own.
    QVERIFY(panel.isVisible());
    QVERIFY(p.dialogs.questions.isEmpty());
}

void ControlPanelTest::escape_refreshes_otherKeysAskNothing_data() {
    QTest::addColumn<bool>("leftOnScreen");
    QTest::newRow("the panel has the keyboard") << false;
    // A desktop that refuses the panel the focus leaves the keys with the
    // play screen, which passes them on.
    QTest::newRow("the keyboard left on the play screen") << true;
}

void ControlPanelTest::escape_refreshes_otherKeysAskNothing() {
    QFETCH(bool, leftOnScreen);
    PanelFixture p;
    p.play();
    p.panel->show();
    QWidget* keys = leftOnScreen ? static_cast<QWidget*>(p.f.screen.get()) : p.panel.get();
    // Keys on the panel itself show nothing and change nothing...
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Return, Qt::Key_F1}) {
        QTest::keyClick(keys, key);
    }
    QVERIFY(p.panel->isVisible());
    QVERIFY(!p.f.show.ShowRunning);
    // ...but Escape restarts the show, with no message on the way.
    QTest::keyClick(keys, Qt::Key_Escape);
    QVERIFY(p.f.screen->isVisible());
    QVERIFY(!p.panel->isVisible());
    QVERIFY(p.f.show.ShowRunning);
    QVERIFY(p.dialogs.questions.isEmpty());
    QTRY_VERIFY(p.f.show.Box1Row > 0);
}

void ControlPanelTest::titleFontPoints_roundTripsBoardSizes() {
    for (int points = 1; points <= 200; ++points) {
        QCOMPARE(titleFontPoints(platform::boardFont(QStringLiteral("Arial"), points, true)),
                 points);
    }
    QFont byPoints;
    byPoints.setPointSize(40);
    QCOMPARE(titleFontPoints(byPoints), 40);
}

void ControlPanelTest::limits_neverTurnTheRangeOver() {
    QCOMPARE(widthBarMaximum(800, 10), 780);
    QCOMPARE(widthBarMaximum(800, 400), 1);
    QCOMPARE(widthBarMaximum(800, 1000), 1);
    QCOMPARE(heightBarMinimum(40, 400), 40);
    QCOMPARE(heightBarMinimum(500, 400), 400);
    QCOMPARE(threadIdText(123456), QStringLiteral("123456"));
}

PLAKORA_TEST_MAIN(ControlPanelTest)
#include "test_control_panel.moc"
