// The Play command: the offer to load a text file, the element flags, the
// refusal of an empty board, and the start of a show over the play screen.

#include "editor/mainform.h"
#include "editor/startup.h"
#include "show/control_panel.h"
#include "show/play_screen.h"
#include "tests/editor/editor_session.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using platform::Answer;
using platform::Button;
using platform::MessageKind;
using support::Question;

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        qFatal("cannot write test file");
    }
    return path;
}

} // namespace

class PlayCommandTest : public QObject, private EditorSession {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void emptyText1_offersToLoadAFile_withTheOpenDialogSettings();
    void loadOffer_yes_loadsLinesAndLabelAndWidth();
    void loadOffer_yesWithImageArea_leavesRoomForIt();
    void loadOffer_noOrCancel_goesOnWithoutText();
    void loadOffer_unreadableFile_reportsAndDoesNotStart();
    void imagesOnly_nothingToPlay();
    void clockOnly_startsAShow();
    void flags_followTheTexts_data();
    void flags_followTheTexts();
    void show_hidesEditorAndPlacesTitles_workedExample();
    void show_boxOff_keepsBoardHeight();
    void show_borderWidthZero_noFramesAndFlatTitles();
    void show_markerMode_decidedAfreshEachShow();
    void show_lineAndCrawlBitmaps();
    void show_memoWidthsDuringShow();
    void esc_closesPlayScreenAndBringsEditorBack();
    void secondShow_resetsCounters();
};

void PlayCommandTest::init() {
    openSession();
}

void PlayCommandTest::cleanup() {
    closeSession();
}

void PlayCommandTest::emptyText1_offersToLoadAFile_withTheOpenDialogSettings() {
    dialogs_->answerMessage(Answer::Yes);
    dialogs_->cancelFile();
    m_->Mode1Click();
    QCOMPARE(dialogs_->questions.size(), 2);
    const Question& ask = dialogs_->questions[0];
    QCOMPARE(ask.kind, Question::Kind::Message);
    QCOMPARE(ask.caption, QStringLiteral("Confirm"));
    QCOMPARE(ask.text, QStringLiteral("Would you like to load a text file into text object One?"));
    QCOMPARE(ask.buttons, Button::Yes | Button::No);
    const Question& open = dialogs_->questions[1];
    QCOMPARE(open.kind, Question::Kind::OpenFile);
    QCOMPARE(open.file.title, QStringLiteral("Open a Text File"));
    QCOMPARE(open.file.filter, QStringLiteral("Plain Text  Files Only|*.txt"));
    QCOMPARE(open.file.defaultExt, QStringLiteral("TXT"));
    QVERIFY(open.file.options.testFlag(platform::FileOption::FileMustExist));
    // The titles are on, so the show starts without text box 1.
    QVERIFY(!m_->showState.Box1On);
    QVERIFY(screen_->isVisible());
    screen_->ClosePlayScreen();
}

void PlayCommandTest::loadOffer_yes_loadsLinesAndLabelAndWidth() {
    QTemporaryDir dir;
    const QString path = writeFile(dir, "news.txt", "first line\r\nsecond line\r\n");
    m_->OpenDialog1.fileName = QStringLiteral("preset.txt");
    m_->board.Box1Width = 123;
    dialogs_->answerMessage(Answer::Yes);
    dialogs_->answerFile(path);
    m_->Mode1Click();

    QCOMPARE(m_->textObjectLines(m_->Memo1), (QStringList{"first line", "second line"}));
    QCOMPARE(m_->label5->text(), path);
    QVERIFY(m_->label5->isVisibleTo(m_));
    QCOMPARE(m_->board.TextFile1, path);
    QVERIFY(m_->OpenDialog1.fileName.isEmpty());
    QCOMPARE(m_->board.Box1Width, 800);
    QVERIFY(m_->showState.Box1On);
    QVERIFY(screen_->isVisible());
    screen_->ClosePlayScreen();
}

void PlayCommandTest::loadOffer_yesWithImageArea_leavesRoomForIt() {
    QTemporaryDir dir;
    const QString path = writeFile(dir, "a.txt", "only line");
    m_->showState.ImageAreaWidth = 380;
    dialogs_->answerMessage(Answer::Yes);
    dialogs_->answerFile(path);
    m_->Mode1Click();
    QCOMPARE(m_->board.Box1Width, 420);
    screen_->ClosePlayScreen();
}

void PlayCommandTest::loadOffer_noOrCancel_goesOnWithoutText() {
    for (Answer answer : {Answer::No, Answer::None}) {
        m_->edit1->clear();
        m_->edit2->clear();
        m_->Edit3->clear();
        dialogs_->answerMessage(answer);
        dialogs_->answerMessage(Answer::OK);
        m_->Mode1Click();
        QCOMPARE(dialogs_->questions.size(), answer == Answer::No ? 2 : 4);
        QCOMPARE(dialogs_->lastQuestion().text, QStringLiteral("Nothing To Play (no text)"));
        QVERIFY(!screen_->isVisible());
    }
}

void PlayCommandTest::loadOffer_unreadableFile_reportsAndDoesNotStart() {
    QTemporaryDir dir;
    const QString missing = dir.filePath("gone.txt");
    dialogs_->answerMessage(Answer::Yes);
    dialogs_->answerFile(missing);
    dialogs_->answerMessage(Answer::OK);
    m_->Mode1Click();
    QCOMPARE(dialogs_->questions.size(), 3);
    QCOMPARE(dialogs_->lastQuestion().messageKind, MessageKind::Error);
    QVERIFY(dialogs_->lastQuestion().text.contains(missing));
    QVERIFY(!screen_->isVisible());
    QVERIFY(m_->isVisible());
    QVERIFY(m_->board.TextFile1.isEmpty());
    QVERIFY(!m_->label5->isVisibleTo(m_));
}

void PlayCommandTest::imagesOnly_nothingToPlay() {
    m_->edit1->clear();
    m_->edit2->setText(QStringLiteral(" "));
    m_->Edit3->clear();
    m_->ListBox1->addItems({"/p/one.bmp", "/p/two.avi"});
    dialogs_->answerMessage(Answer::No);
    dialogs_->answerMessage(Answer::OK);
    m_->ToolButton6->click();
    const Question& refusal = dialogs_->lastQuestion();
    QCOMPARE(refusal.caption, QStringLiteral("Confirm"));
    QCOMPARE(refusal.text, QStringLiteral("Nothing To Play (no text)"));
    QCOMPARE(refusal.buttons, platform::Buttons(Button::OK));
    QVERIFY(!screen_->isVisible());
    QVERIFY(m_->isVisible());
    QVERIFY(!m_->showState.ShowRunning);
}

void PlayCommandTest::clockOnly_startsAShow() {
    m_->edit1->clear();
    m_->edit2->clear();
    m_->Edit3->clear();
    m_->ToolButton7->click();
    dialogs_->answerMessage(Answer::No);
    m_->Mode1Click();
    QVERIFY(screen_->isVisible());
    QVERIFY(!m_->isVisible());
    QVERIFY(m_->showState.ShowRunning);
    QVERIFY(!screen_->Panel3->isVisible());
    QVERIFY(screen_->Timer1->isActive());
    screen_->ClosePlayScreen();
}

void PlayCommandTest::flags_followTheTexts_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("on");
    QTest::newRow("blank") << " " << false;
    QTest::newRow("two blanks") << "  " << true;
    QTest::newRow("blank x") << " x" << true;
    QTest::newRow("control char") << QStringLiteral("\x1fHi") << false;
}

void PlayCommandTest::flags_followTheTexts() {
    QFETCH(QString, title);
    QFETCH(bool, on);
    m_->Memo1->setPlainText(QStringLiteral("a line"));
    m_->edit1->setText(title);
    m_->edit2->setText(title);
    m_->Edit3->setText(title);
    m_->Mode1Click();
    QCOMPARE(m_->showState.MainTitleOn, on);
    QCOMPARE(m_->showState.SecondTitleOn, on);
    QCOMPARE(m_->showState.CrawlOn, on);
    QVERIFY(m_->showState.Box1On);
    QVERIFY(!m_->showState.Box2On);
    QCOMPARE(screen_->Panel3->isVisible(), on);
    if (on) {
        // A title of blanks still shows as an empty bar.
        QCOMPARE(screen_->Panel3->caption(), title);
    }
    screen_->ClosePlayScreen();
}

void PlayCommandTest::show_hidesEditorAndPlacesTitles_workedExample() {
    m_->Memo1->setPlainText(QStringLiteral("one\ntwo"));
    m_->Memo2->setPlainText(QStringLiteral("three"));
    m_->Mode1Click();
    QVERIFY(!m_->isVisible());
    QVERIFY(screen_->isVisible());
    QVERIFY(m_->showState.ShowRunning);
    QCOMPARE(screen_->Panel3->geometry(), QRect(0, 10, 800, 66));
    QCOMPARE(screen_->Panel4->geometry(), QRect(0, 86, 800, 60));
    QCOMPARE(screen_->Panel3->caption(), QStringLiteral("Main Title"));
    QCOMPARE(screen_->Panel4->caption(), QStringLiteral("Sub Title"));
    QCOMPARE(screen_->Panel3->backColor(), 0xFF0000u);
    QCOMPARE(screen_->Panel4->backColor(), 0x0000FFu);
    QCOMPARE(screen_->Panel3->textColor(), 0xFFFFFFu);
    QVERIFY(screen_->Panel3->font().bold());
    QCOMPARE(screen_->Bevel3->geometry(), QRect(0, 166, 400, 170));
    QCOMPARE(screen_->Bevel4->geometry(), QRect(0, 336, 800, 120));
    QVERIFY(screen_->Bevel3->isVisible());
    QVERIFY(screen_->Bevel4->isVisible());
    const ShowState& s = m_->showState;
    QCOMPARE(s.Box1Bottom, 326);
    QCOMPARE(s.Box2Bottom, 446);
    QCOMPARE(s.ClockTop, 456);
    QCOMPARE(s.CrawlTop, 466);
    QCOMPARE(s.Box1LineCount, 2);
    QCOMPARE(s.Box2LineCount, 1);
    QCOMPARE(s.Box1DestRect, (Rect{10, 325, 390, 326}));
    QCOMPARE(s.Box2ScrollRect, (Rect{0, 346, 800, 446}));
    QCOMPARE(s.CrawlDestRect.Left, 799);
    QCOMPARE(screen_->surface().image().size(), QSize(800, 600));
    // The surface is erased in the play background colour.
    QCOMPARE(screen_->surface().image().pixel(5, 590), qRgb(0, 0, 0));
    screen_->ClosePlayScreen();
    m_->board.PlayBackColor = 0x00FF00;
    m_->Mode1Click();
    QCOMPARE(screen_->surface().image().pixel(5, 590), qRgb(0, 255, 0));
    QCOMPARE(screen_->surface().image().pixel(799, 0), qRgb(0, 255, 0));
    QVERIFY(!screen_->surface().EraseAllowed);
    screen_->ClosePlayScreen();
}

void PlayCommandTest::show_boxOff_keepsBoardHeight() {
    m_->Memo2->setPlainText(QStringLiteral("text two"));
    dialogs_->answerMessage(Answer::No);
    m_->Mode1Click();
    const ShowState& s = m_->showState;
    QVERIFY(!s.Box1On);
    QCOMPARE(s.Box1ShownHeight, 0);
    QCOMPARE(s.Box2Bottom, 66 + 60 + 70 + 100);
    QVERIFY(!screen_->Bevel3->isVisible());
    // The operator's height survives, so text added later shows again.
    QCOMPARE(m_->board.Box1Height, 150);
    screen_->ClosePlayScreen();

    m_->Memo1->setPlainText(QStringLiteral("now there is text"));
    m_->Mode1Click();
    QCOMPARE(m_->showState.Box1ShownHeight, 150);
    QCOMPARE(m_->showState.Box1Bottom, 326);
    screen_->ClosePlayScreen();
}

void PlayCommandTest::show_borderWidthZero_noFramesAndFlatTitles() {
    m_->Memo1->setPlainText(QStringLiteral("one"));
    m_->Memo2->setPlainText(QStringLiteral("two"));
    m_->board.BorderWidth = 0;
    m_->Mode1Click();
    QVERIFY(!screen_->Bevel3->isVisible());
    QVERIFY(!screen_->Bevel4->isVisible());
    QCOMPARE(screen_->Panel3->bevelOuter(), TitlePanel::Bevel::None);
    // The bevel width the panel had (5 at first) still counts in its height.
    QCOMPARE(screen_->Panel3->geometry(), QRect(0, 0, 800, 40 + 6 + 10));
    QCOMPARE(screen_->Panel4->y(), 56);
    QCOMPARE(m_->showState.Box1Bottom, 56 + 50 + 150);
    screen_->ClosePlayScreen();

    // With a border again the bevel is lowered and as wide as the border.
    m_->board.BorderWidth = 10;
    m_->Mode1Click();
    QCOMPARE(screen_->Panel3->bevelOuter(), TitlePanel::Bevel::Lowered);
    QCOMPARE(screen_->Panel3->bevelWidth(), 10);
    screen_->ClosePlayScreen();
}

void PlayCommandTest::show_markerMode_decidedAfreshEachShow() {
    m_->ListBox1->addItems({"/p/a.avi", "/p/b.BMP"});
    m_->Memo1->setPlainText(QStringLiteral("plain\nwith //1\\\\ marker"));
    m_->Mode1Click();
    QVERIFY(m_->showState.MarkerMode);
    screen_->ClosePlayScreen();

    m_->Memo1->setPlainText(QStringLiteral("no markers here"));
    m_->Mode1Click();
    QVERIFY(!m_->showState.MarkerMode);
    screen_->ClosePlayScreen();

    // Markers without any bitmap in the list do not count.
    m_->ListBox1->clear();
    m_->ListBox1->addItem(QStringLiteral("/p/a.avi"));
    m_->Memo1->setPlainText(QStringLiteral("with //0\\\\ marker"));
    m_->Mode1Click();
    QVERIFY(!m_->showState.MarkerMode);
    screen_->ClosePlayScreen();
}

void PlayCommandTest::show_lineAndCrawlBitmaps() {
    m_->board.Text1BackColor = 0x00FF00;
    m_->Memo1->setPlainText(QStringLiteral("line"));
    m_->Mode1Click();
    const QImage& line = screen_->surface().Image1.bitmap;
    QCOMPARE(line.width(), 400);
    QCOMPARE(line.height(), m_->showState.Box1LineHeight);
    QVERIFY(line.height() > 20);
    QCOMPARE(line.pixel(0, 0), qRgb(0, 255, 0));
    QCOMPARE(line.pixel(399, line.height() - 1), qRgb(0, 255, 0));
    QVERIFY(!screen_->surface().Image1.font.bold());

    const QImage& crawl = screen_->surface().Image3.bitmap;
    QVERIFY(crawl.width() > 100);
    QCOMPARE(crawl.height(), m_->showState.CrawlDestRect.height());
    // The crawl text is drawn white on black: some pixels are lit.
    bool lit = false;
    for (int x = 0; x < crawl.width() && !lit; ++x) {
        for (int y = 0; y < crawl.height() && !lit; ++y) {
            lit = qRed(crawl.pixel(x, y)) > 200;
        }
    }
    QVERIFY(lit);
    screen_->ClosePlayScreen();
}

void PlayCommandTest::show_memoWidthsDuringShow() {
    m_->Memo1->setPlainText(QStringLiteral("line"));
    m_->Mode1Click();
    QCOMPARE(m_->Memo1->width(), 200);
    QCOMPARE(m_->Memo2->width(), 400);
    screen_->ClosePlayScreen();
}

void PlayCommandTest::esc_closesPlayScreenAndBringsEditorBack() {
    m_->Memo1->setPlainText(QStringLiteral("line"));
    m_->board.AlignScreen = false;
    m_->Mode1Click();
    QVERIFY(screen_->isVisible());
    m_->ToolButton10->setEnabled(true);
    QTest::keyClick(screen_, Qt::Key_Escape, Qt::ShiftModifier);
    QVERIFY(!screen_->isVisible());
    QVERIFY(!screen_->isEnabled());
    QVERIFY(m_->isVisible());
    QVERIFY(!m_->showState.ShowRunning);
    QVERIFY(!screen_->Timer1->isActive());
    // The editor's show handler ran again.
    QVERIFY(!m_->ToolButton10->isEnabled());
}

void PlayCommandTest::secondShow_resetsCounters() {
    m_->Memo1->setPlainText(QStringLiteral("line"));
    m_->Mode1Click();
    ShowState& s = m_->showState;
    s.Box1Line = 7;
    s.Box2Line = 3;
    s.Box1Row = 5;
    s.Box2Row = 9;
    s.CrawlColumn = 44;
    s.Box1PageRows = 12;
    s.Box1TextX = -50;
    screen_->ClosePlayScreen();
    m_->Mode1Click();
    QCOMPARE(s.Box1Line, 0);
    QCOMPARE(s.Box2Line, 0);
    // No step of the new show has run yet: every box starts at its first row.
    QCOMPARE(s.Box1Row, 0);
    QCOMPARE(s.Box2Row, 0);
    QCOMPARE(s.CrawlColumn, 0);
    QCOMPARE(s.Box1PageRows.load(), 0);
    QCOMPARE(s.Box1TextX, 0);
    screen_->ClosePlayScreen();
}

PLAKORA_TEST_MAIN(PlayCommandTest)
#include "test_play_command.moc"
