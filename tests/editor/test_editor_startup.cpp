// The editor window at program start: factory defaults, controls, layout on
// resize, the board-level switches and the system information text.

#include "editor/font_form.h"
#include "editor/mainform.h"
#include "editor/startup.h"
#include "platform/help.h"
#include "platform/win_ver.h"
#include "show/clock_format.h"
#include "show/control_panel.h"
#include "show/play_screen.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QAction>
#include <QDate>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using platform::PlatformFamily;

namespace {

// The windows as the program creates them at start, with its offer to load
// the last board answered No.
// A test that answers dialogs of its own passes its script.
ProgramWindows startWindows(bool showEditor, support::ScriptedDialogs& dialogs) {
    dialogs.answerMessage(platform::Answer::No);
    ProgramWindows w = createWindows(showEditor);
    if (dialogs.questions.size() != 1 ||
        dialogs.questions.front().text != QStringLiteral("Load Last Configuration ")) {
        qFatal("the start-up offer to load the last board was not asked");
    }
    dialogs.questions.clear();
    return w;
}

ProgramWindows startWindows(bool showEditor) {
    support::ScriptedDialogs dialogs;
    return startWindows(showEditor, dialogs);
}

} // namespace

class EditorStartupTest : public QObject {
    Q_OBJECT

private slots:
    void caption_isTitleAndVersion();
    void startUp_createsFourWindows_onlyTheEditorVisible();
    void defaults_on1024x768();
    void defaults_on800x600_leaveUnsetFieldsAtZero();
    void elementBoxes_haveCaptionsAndStartingTexts();
    void menusAndToolBar_carryTheirCaptionsAndHints();
    void imagePanel_hasItsControls();
    void platformAdjustment_ntFamily();
    void platformAdjustment_otherFamilies();
    void resizeTo640x480_laysOutBoxes();
    void resizeRule_chainsTopsFromSecondTitle();
    void formShow_writesClockSampleAndMarksConfigChanged();
    void singleLineBoxes_setConfigChanged_memosDoNot();
    void clockSwitch_staysInStep();
    void pagePauseSwitch_staysInStep_data();
    void pagePauseSwitch_staysInStep();
    void backgroundColour_takenOnOk_keptOnCancel();
    void twinButton_runsItsMenuItemsAction_data();
    void twinButton_runsItsMenuItemsAction();
    void winVerString_byIndex_data();
    void winVerString_byIndex();
};

void EditorStartupTest::caption_isTitleAndVersion() {
    support::FixedSystemInfo sys(800, 600);
    ProgramWindows w = startWindows(false);
    QCOMPARE(w.mainform->windowTitle(), QStringLiteral("Ovri Plakora-32 01.03a.169"));
    QCOMPARE(w.mainform->board.VersionString, QStringLiteral("01.03a.169"));
}

void EditorStartupTest::startUp_createsFourWindows_onlyTheEditorVisible() {
    support::FixedSystemInfo sys(800, 600);
    setUpApplication();
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Ovri Plakora-32"));
    QVERIFY(QFileInfo(platform::helpFile()).isAbsolute());
    ProgramWindows w = startWindows(true);
    QVERIFY(w.mainform->isVisible());
    QVERIFY(!w.PlayScreen->isVisible());
    QVERIFY(!w.DFontForm->isVisible());
    QVERIFY(!w.AlignCntrlBox->isVisible());
    QCOMPARE(w.AlignCntrlBox->windowTitle(), QStringLiteral("Plakora Control"));
    QVERIFY(w.PlayScreen->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(w.PlayScreen->font().pixelSize(), 27);
    QVERIFY(w.PlayScreen->font().bold());
}

void EditorStartupTest::defaults_on1024x768() {
    support::FixedSystemInfo sys(1024, 768);
    sys.directory = QStringLiteral("/srv/boards");
    ProgramWindows w = startWindows(false);
    const BoardState& b = w.mainform->board;
    QCOMPARE(b.Box1Width, 512);
    QCOMPARE(b.Box2Width, 1024);
    QCOMPARE(b.Box1Height, 178);
    QCOMPARE(b.Box2Height, 128);
    QCOMPARE(b.Box1PageHeight.load(), 256);
    QCOMPARE(b.Box2PageHeight, 256);
    QCOMPARE(b.StartDirectory, QStringLiteral("/srv/boards"));
    QCOMPARE(w.mainform->frameGeometry().size(), QSize(1024, 768));
}

void EditorStartupTest::defaults_on800x600_leaveUnsetFieldsAtZero() {
    support::FixedSystemInfo sys(800, 600);
    ProgramWindows w = startWindows(false);
    const BoardState& b = w.mainform->board;
    const ShowState& s = w.mainform->showState;

    QCOMPARE(b.BorderWidth, 10);
    QCOMPARE(b.Box1Width, 400);
    QCOMPARE(b.Box2Width, 800);
    QCOMPARE(b.Box1Height, 150);
    QCOMPARE(b.Box2Height, 100);
    QCOMPARE(b.Box1PageHeight.load(), 200);
    QCOMPARE(b.Text1FontName, QStringLiteral("Arial"));
    QCOMPARE(b.Text2FontName, QStringLiteral("Arial"));
    QCOMPARE(b.CrawlFontName, QStringLiteral("Arial"));
    QCOMPARE(b.MainTitleFontName, QStringLiteral("Arial"));
    QCOMPARE(b.SecondTitleFontName, QStringLiteral("Arial"));
    QCOMPARE(b.Text1FontSize, 20);
    QCOMPARE(b.Text2FontSize, 20);
    QCOMPARE(b.MainTitleFontSize, 40);
    QCOMPARE(b.SecondTitleFontSize, 34);
    QCOMPARE(b.ClockFontSize, 20);
    QCOMPARE(b.CrawlFontSize, 40);
    QCOMPARE(b.Text1Color, 0xFFFFFFu);
    QCOMPARE(b.Text1BackColor, 0u);
    QCOMPARE(b.MainTitleColor, 0xFFFFFFu);
    QCOMPARE(b.MainTitleBackColor, 0xFF0000u);
    QCOMPARE(b.SecondTitleBackColor, 0x0000FFu);
    QCOMPARE(b.CrawlColor, 0xFFFFFFu);
    QCOMPARE(b.CrawlBackColor, 0u);
    QCOMPARE(b.Box1Delay.load(), 0);
    QCOMPARE(b.Box2Delay.load(), 2);
    QVERIFY(!b.ClockOn);
    QVERIFY(!b.AlignScreen);
    QVERIFY(!b.CenterText1);
    QVERIFY(!b.CTMFlag);
    QVERIFY(b.TextFile1.isEmpty());
    QVERIFY(b.TextFile2.isEmpty());

    // Not set by the defaults: a fresh start leaves them zero or empty.
    QCOMPARE(b.ClockColor, 0u);
    QCOMPARE(b.ClockBackColor, 0u);
    QVERIFY(b.ClockFontName.isEmpty());
    QCOMPARE(b.PlayBackColor, 0u);
    QCOMPARE(b.CrawlDelay.load(), 0);
    QVERIFY(!b.PagePause1);
    QVERIFY(!b.PagePause2);
    QVERIFY(b.BoardFileName.isEmpty());

    QVERIFY(!s.MarkerMode);
    QCOMPARE(s.ImageAreaWidth, 0);
    QCOMPARE(s.ClockTop, 0);
    QVERIFY(!w.mainform->label5->isVisibleTo(w.mainform.get()));
    QVERIFY(!w.mainform->label6->isVisibleTo(w.mainform.get()));
}

void EditorStartupTest::elementBoxes_haveCaptionsAndStartingTexts() {
    support::FixedSystemInfo sys(800, 600);
    ProgramWindows w = startWindows(false);
    Tmainform& m = *w.mainform;
    QCOMPARE(m.StaticText1->text(), QStringLiteral("Main Title"));
    QCOMPARE(m.StaticText5->text(), QStringLiteral("Second Title"));
    QCOMPARE(m.StaticText2->text(), QStringLiteral("Text Object 1"));
    QCOMPARE(m.StaticText3->text(), QStringLiteral("Text Object 2"));
    QCOMPARE(m.StaticText4->text(), QStringLiteral("Crawl Line"));
    QCOMPARE(m.StaticText7->text(), QStringLiteral("Time - Date"));
    QCOMPARE(m.edit1->text(), QStringLiteral("Main Title"));
    QCOMPARE(m.edit2->text(), QStringLiteral("Sub Title"));
    QCOMPARE(m.Edit3->text(), QStringLiteral("Hori scroll region"));
    QCOMPARE(m.edit1->maxLength(), 40);
    QVERIFY(m.Memo1->toPlainText().isEmpty());
    QVERIFY(m.Memo2->toPlainText().isEmpty());
    QVERIFY(!m.Memo1->tabChangesFocus());
    // The captions stand beside their boxes.
    QCOMPARE(m.StaticText2->y(), m.Memo1->y());
    QCOMPARE(m.StaticText3->y(), m.Memo2->y());
    QCOMPARE(m.StaticText4->y(), m.Edit3->y());
    QCOMPARE(m.StaticText7->y(), m.Edit4->y());
}

void EditorStartupTest::menusAndToolBar_carryTheirCaptionsAndHints() {
    support::FixedSystemInfo sys(800, 600);
    ProgramWindows w = startWindows(false);
    Tmainform& m = *w.mainform;

    QStringList bar;
    for (QAction* a : m.menuBar()->actions()) {
        bar << a->text();
    }
    QCOMPARE(bar, (QStringList{"&File", "&Configuration", "&Play", "&Window", "&Help", "E&xit"}));

    // A separator shows as "-".
    auto texts = [](QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions()) {
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        return out;
    };
    QCOMPARE(texts(m.File1), (QStringList{"Open Configuration...", "Save Configuration As...", "-",
                                          "Printer Setup...", "Print", "-", "Quit Plakora"}));
    QCOMPARE(texts(m.Configuration1),
             (QStringList{"Use factory Default Configuration", "Clear current  Configuration", "-",
                          "Set Background Color", "Toggle Clock On", "Use Page Pause",
                          "Image Stretch", "Sync W/Vid Retrace", "-", "Play Screen", "-",
                          "Crawl Source\u2026", "Remote Control\u2026"}));
    QCOMPARE(texts(m.Window1), QStringList{"Image Control"});
    QCOMPARE(texts(m.Help2), (QStringList{"Help", "-", "About"}));
    QVERIFY(m.ToggleClockOn->isCheckable());
    QVERIFY(m.PagePause->isCheckable());
    QVERIFY(m.ImageStretch->isCheckable());
    QVERIFY(m.Sync->font().bold());
    QVERIFY(m.ImageControl1->isChecked());

    QStringList hints;
    for (QToolButton* b : {m.ToolButton1, m.SaveConfig, m.ToolButton3, m.ToolButton6, m.ToolButton5,
                           m.ToolButton7, m.ToolButton8}) {
        hints << b->toolTip();
    }
    QCOMPARE(hints,
             (QStringList{"Load settings File", "Save Current Settings/Configuration",
                          "Clear Current Configuration", "Start Playing",
                          "Set Color Play Background", "Toggle Clock and Date", "Use Page Pause"}));
    QVERIFY(m.ToolButton7->isCheckable());
    QVERIFY(m.ToolButton8->isCheckable());
    QVERIFY(!m.ToolButton6->isCheckable());
}

void EditorStartupTest::imagePanel_hasItsControls() {
    support::FixedSystemInfo sys(800, 600);
    ProgramWindows w = startWindows(false);
    Tmainform& m = *w.mainform;
    QStringList hints;
    for (QToolButton* b :
         {m.ToolButton9, m.ToolButton10, m.ToolButton12, m.stretchbutton, m.ToolButton2}) {
        hints << b->toolTip();
        QCOMPARE(b->parentWidget(), static_cast<QWidget*>(m.ToolBar2));
    }
    QCOMPARE(hints, (QStringList{"Add to Image List", "Delete From Image List", "Add AVI to list",
                                 "Stretch Image to Frame", "Count markers in text object 1"}));
    QVERIFY(m.stretchbutton->isCheckable());
    QCOMPARE(m.PlayTime->minimum(), 1);
    QCOMPARE(m.PlayTime->maximum(), 30);
    QCOMPARE(m.PlayTime->value(), 1);
    QCOMPARE(m.PlayTime->tickInterval(), 3);
    QCOMPARE(m.PlayTime->tickPosition(), QSlider::TicksBelow);
    QCOMPARE(m.PlayTime->toolTip(), QStringLiteral("Adjust timer per slide"));
    QCOMPARE(m.StaticText6->text(), QStringLiteral("Image Control"));
    QCOMPARE(m.Label3->text(), QStringLiteral("Play Time (sec)"));
    QVERIFY(m.Label1->text().isEmpty());
    QCOMPARE(m.ListBox1->parentWidget(), static_cast<QWidget*>(m.Panel1));
    QCOMPARE(m.ListBox1->count(), 0);
}

void EditorStartupTest::platformAdjustment_ntFamily() {
    support::FixedSystemInfo sys(800, 600, PlatformFamily::WindowsNT);
    ProgramWindows w = startWindows(false);
    QVERIFY(!w.mainform->Sync->isVisible());
    QVERIFY(w.mainform->ToolButton12->isEnabled());
}

void EditorStartupTest::platformAdjustment_otherFamilies() {
    for (PlatformFamily family : {PlatformFamily::Windows95, PlatformFamily::Unknown}) {
        support::FixedSystemInfo sys(800, 600, family);
        ProgramWindows w = startWindows(false);
        QVERIFY(w.mainform->Sync->isVisible());
        QVERIFY(!w.mainform->ToolButton12->isEnabled());
    }
}

void EditorStartupTest::resizeTo640x480_laysOutBoxes() {
    support::FixedSystemInfo sys(800, 600);
    ProgramWindows w = startWindows(true);
    Tmainform& m = *w.mainform;
    m.setOuterSize(640, 480);
    QCOMPARE(m.frameGeometry().size(), QSize(640, 480));
    QCOMPARE(m.edit1->width(), 263);
    QCOMPARE(m.edit2->width(), 263);
    QCOMPARE(m.Memo1->width(), 520);
    QCOMPARE(m.Memo1->height(), 76);
    QCOMPARE(m.Memo2->width(), 520);
    QCOMPARE(m.Memo2->height(), 76);
    QCOMPARE(m.Panel1->x(), 263 + 100);
    QCOMPARE(m.Panel1->width(), 640 - 363 - 20);
    QCOMPARE(m.ListBox1->width(), m.Panel1->width() - 20);
    QCOMPARE(m.ListBox1->height(), m.Panel1->height() - 55);
}

void EditorStartupTest::resizeRule_chainsTopsFromSecondTitle() {
    support::FixedSystemInfo sys(800, 600);
    ProgramWindows w = startWindows(true);
    Tmainform& m = *w.mainform;
    m.setOuterSize(800, 600);
    // Tops in the window's client area, whichever panel holds the box.
    const auto top = [&m](const QWidget* box) {
        return box->mapTo(m.centralWidget(), QPoint()).y();
    };
    const int memo1Top = top(m.edit2) + m.edit2->height() + 26;
    QCOMPARE(top(m.Memo1), memo1Top);
    QCOMPARE(top(m.label5), memo1Top - 18);
    QCOMPARE(m.Memo1->height(), 600 / 5 - 20);
    QCOMPARE(top(m.Memo2), memo1Top + m.Memo1->height() + 26);
    QCOMPARE(top(m.label6), top(m.Memo2) - 18);
    QCOMPARE(m.Panel1->height(), memo1Top - 13);
    QCOMPARE(top(m.Edit3), top(m.Memo2) + m.Memo2->height() + 6);
    QCOMPARE(top(m.Edit4), top(m.Memo2) + m.Memo2->height() + 8 + m.Edit3->height());
}

void EditorStartupTest::formShow_writesClockSampleAndMarksConfigChanged() {
    support::FixedSystemInfo sys(800, 600);
    ProgramWindows w = startWindows(false);
    Tmainform& m = *w.mainform;
    m.ListBox1->addItems({"/a/one.bmp", "/a/two.avi"});
    m.ToolButton10->setEnabled(true);
    m.Edit4->clear();
    m.board.ConfigChanged = false;

    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    QVERIFY(!m.ToolButton10->isEnabled());
    QCOMPARE(m.Label4->text(), QStringLiteral("2 Images"));
    // The new sample changed Edit4, and that change marked the board.
    QVERIFY(m.board.ConfigChanged);
    static const QRegularExpression format(QStringLiteral(
        "^(Monday|Tuesday|Wednesday|Thursday|Friday|Saturday|Sunday) [A-Z][a-z]+ "
        "[1-9][0-9]?, [0-9]{4}  Time (1[0-2]|[1-9]):[0-5][0-9]:[0-5][0-9] (am|pm)$"));
    QVERIFY2(format.match(m.Edit4->text()).hasMatch(), qPrintable(m.Edit4->text()));
    QVERIFY(m.Edit4->text().contains(QString::number(QDate::currentDate().year())));

    // A sample that comes out as the one already shown is no change. The
    // clock may tick between reading it and showing it; then try again.
    bool sameSecond = false;
    for (int attempt = 0; attempt < 5 && !sameSecond; ++attempt) {
        const QString now = clockText(QDateTime::currentDateTime());
        m.Edit4->setText(now);
        m.board.ConfigChanged = false;
        m.FormShow();
        sameSecond = m.Edit4->text() == now;
        if (sameSecond) {
            QVERIFY(!m.board.ConfigChanged);
        }
    }
    QVERIFY(sameSecond);
}

void EditorStartupTest::singleLineBoxes_setConfigChanged_memosDoNot() {
    support::FixedSystemInfo sys(800, 600);
    ProgramWindows w = startWindows(false);
    Tmainform& m = *w.mainform;
    for (QLineEdit* box : {m.edit1, m.edit2, m.Edit3, m.Edit4}) {
        m.board.ConfigChanged = false;
        QTest::keyClicks(box, QStringLiteral("x"));
        QVERIFY2(m.board.ConfigChanged, qPrintable(box->objectName()));
    }
    m.board.ConfigChanged = false;
    QTest::keyClicks(m.Memo1, QStringLiteral("typed"));
    QTest::keyClicks(m.Memo2, QStringLiteral("typed"));
    QVERIFY(!m.board.ConfigChanged);
}

void EditorStartupTest::clockSwitch_staysInStep() {
    support::FixedSystemInfo sys(800, 600);
    ProgramWindows w = startWindows(false);
    Tmainform& m = *w.mainform;
    auto inStep = [&m] {
        return m.ToolButton7->isChecked() == m.board.ClockOn &&
               m.ToggleClockOn->isChecked() == m.board.ClockOn;
    };
    QVERIFY(inStep());
    // Any sequence of button and menu clicks keeps the three together.
    const QList<bool> byButton{true, true, false, true, false, false, true};
    bool expected = false;
    for (bool button : byButton) {
        if (button) {
            m.ToolButton7->click();
        } else {
            m.ToggleClockOn->trigger();
        }
        expected = !expected;
        QCOMPARE(m.board.ClockOn, expected);
        QVERIFY(inStep());
    }
}

void EditorStartupTest::pagePauseSwitch_staysInStep_data() {
    QTest::addColumn<QString>("clicks"); // b = tool button, m = menu item
    QTest::newRow("menu twice") << "mm";
    QTest::newRow("button twice") << "bb";
    QTest::newRow("mixed") << "bmbbm";
    QTest::newRow("menu then button") << "mb";
}

void EditorStartupTest::pagePauseSwitch_staysInStep() {
    QFETCH(QString, clicks);
    support::FixedSystemInfo sys(800, 600);
    ProgramWindows w = startWindows(false);
    Tmainform& m = *w.mainform;
    bool expected = false;
    for (QChar c : clicks) {
        if (c == u'b') {
            m.ToolButton8->click();
        } else {
            m.PagePause->trigger();
        }
        expected = !expected;
        QCOMPARE(m.board.PagePause1.load(), expected);
        QCOMPARE(m.ToolButton8->isChecked(), expected);
        QCOMPARE(m.PagePause->isChecked(), expected);
    }
}

void EditorStartupTest::backgroundColour_takenOnOk_keptOnCancel() {
    support::FixedSystemInfo sys(800, 600);
    support::ScriptedDialogs dialogs;
    ProgramWindows w = startWindows(false, dialogs);
    Tmainform& m = *w.mainform;

    dialogs.answerColor(0x123456);
    m.ToolButton5->click();
    QCOMPARE(m.board.PlayBackColor, 0x123456u);
    QCOMPARE(dialogs.questions.size(), 1);
    const support::Question& q = dialogs.lastQuestion();
    QCOMPARE(q.kind, support::Question::Kind::Color);
    QCOMPARE(q.color.color, 0u); // black the first time
    QVERIFY(q.color.options.testFlag(platform::ColorOption::FullOpen));
    QVERIFY(q.color.options.testFlag(platform::ColorOption::AnyColor));
    QVERIFY(q.color.options.testFlag(platform::ColorOption::SolidColor));

    dialogs.cancelColor();
    m.SetBackgroundColor2->trigger();
    QCOMPARE(m.board.PlayBackColor, 0x123456u);
    // The dialog starts on the colour chosen last.
    QCOMPARE(dialogs.lastQuestion().color.color, 0x123456u);
    QVERIFY(dialogs.problems.isEmpty());
}

void EditorStartupTest::twinButton_runsItsMenuItemsAction_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("item");
    QTest::newRow("clock") << "ToolButton7"
                           << "ToggleClockOn";
    QTest::newRow("page pause") << "ToolButton8"
                                << "PagePause";
    QTest::newRow("image stretch") << "stretchbutton"
                                   << "ImageStretch";
    QTest::newRow("background colour") << "ToolButton5"
                                       << "SetBackgroundColor2";
    QTest::newRow("load board") << "ToolButton1"
                                << "OpenSettingsFile1";
    QTest::newRow("clear board") << "ToolButton3"
                                 << "Paste1";
}

void EditorStartupTest::twinButton_runsItsMenuItemsAction() {
    QFETCH(QString, button);
    QFETCH(QString, item);
    support::FixedSystemInfo sys(800, 600);
    ProgramWindows w = startWindows(false);
    auto* tool = w.mainform->findChild<QToolButton*>(button);
    auto* action = w.mainform->findChild<QAction*>(item);
    QVERIFY(tool && action);
    QCOMPARE(tool->defaultAction(), action);
    // The menu shows its entry as it always has, no picture beside the text
    // nor room for one; the button has its picture.
    QVERIFY(action->icon().isNull());
    QVERIFY(!tool->icon().isNull());
    // One click runs the item once; whatever it asks is left unanswered.
    support::ScriptedDialogs dialogs;
    QSignalSpy triggered(action, &QAction::triggered);
    tool->click();
    QCOMPARE(triggered.size(), 1);
    QCOMPARE(tool->isChecked(), action->isChecked());
    // A change of the action leaves the button its picture.
    action->setEnabled(false);
    action->setEnabled(true);
    QVERIFY(!tool->icon().isNull());
}

void EditorStartupTest::winVerString_byIndex_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("cpuType");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");
    const int nt = static_cast<int>(PlatformFamily::WindowsNT);
    const int w95 = static_cast<int>(PlatformFamily::Windows95);
    const int unknown = static_cast<int>(PlatformFamily::Unknown);
    QTest::newRow("0 platform") << nt << 586 << 0 << "Windows NT";
    QTest::newRow("1 version") << nt << 586 << 1 << "Version 4.00";
    QTest::newRow("2 platform 95") << w95 << 586 << 2 << "Windows 95";
    QTest::newRow("2 unknown") << unknown << 586 << 2 << "Unknown";
    QTest::newRow("3 type 386") << nt << 386 << 3 << "80386";
    QTest::newRow("3 type 486") << nt << 486 << 3 << "80486";
    QTest::newRow("3 type 586") << nt << 586 << 3 << "Pentium";
    QTest::newRow("3 type 686") << nt << 686 << 3 << "Unknown (686)";
    QTest::newRow("4 count") << nt << 586 << 4 << "2";
    QTest::newRow("5 level") << nt << 586 << 5 << "6";
    QTest::newRow("6 revision") << nt << 586 << 6 << "14857";
    QTest::newRow("9 platform") << w95 << 686 << 9 << "Windows 95";
    QTest::newRow("255 platform") << nt << 686 << 255 << "Windows NT";
}

void EditorStartupTest::winVerString_byIndex() {
    QFETCH(int, family);
    QFETCH(int, cpuType);
    QFETCH(int, index);
    QFETCH(QString, expected);
    support::FixedSystemInfo sys(800, 600, static_cast<PlatformFamily>(family));
    sys.cpu = {cpuType, 6, 14857, 2};
    sys.major = 4;
    sys.minor = 0;
    ProgramWindows w = startWindows(false);
    QString result = QStringLiteral("stale");
    w.mainform->WinVerString(static_cast<std::uint8_t>(index), result);
    QCOMPARE(result, expected);
}

PLAKORA_TEST_MAIN(EditorStartupTest)
#include "test_editor_startup.moc"
