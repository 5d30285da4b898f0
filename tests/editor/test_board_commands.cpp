// Saving and loading boards through the editor, the image list file beside
// a board, and the program settings file with its offer at start.

#include "editor/mainform.h"
#include "persistence/board_file.h"
#include "persistence/file_guard.h"
#include "persistence/ini_file.h"
#include "show/control_panel.h"
#include "tests/editor/editor_session.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_main.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

#include <csignal>

#include <sys/resource.h>

using platform::Answer;
using platform::Button;
using platform::FileOption;
using platform::MessageKind;
using support::Question;

using support::readBytes;
using support::writeBytes;

namespace {

QStringList entries(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->item(i)->text();
    }
    return out;
}

} // namespace

class BoardCommandsTest : public QObject, private EditorSession {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveAndLoad_giveBackTheWholeBoard();
    void values_roundTripExactly();
    void save_toolbarSavesUnderItsName_saveAsAlwaysAsks();
    void save_nothingToSave_judgedOnTheTextsAsTheyStand();
    void save_failures_leaveEveryFileAsItWas();
    void imageList_emptyListWritten_oldNameFoundOnLoad();
    void load_missingOrNoBoard_changesNothing();
    void load_slideTime_keptWithinItsBar_data();
    void load_slideTime_keptWithinItsBar();
    void load_wildValues_keptInBoard_windowOnScreen_showRuns();
    void start_offerYes_bringsBackTheLastBoard();
    void start_offerNo_leavesTheFactoryBoard();
    void start_refusedLastBoard_nameNotTaken_data();
    void start_refusedLastBoard_nameNotTaken();
    void save_overAFileThatIsNoBoard_asksFirst_data();
    void save_overAFileThatIsNoBoard_asksFirst();
    void load_windowCornerAtTheEndsOfItsRange_comesOnScreen_data();
    void load_windowCornerAtTheEndsOfItsRange_comesOnScreen();
    void settingsFile_withoutKey_orWithMissingBoard();
    void settingsFile_unwritable_saysSo();
    void boardPath_throughLinkOrRelative_namesTheBoardItself();
    void save_folderTakesNoNewFile_saysWhy();

private:
    QString path(const QString& name) const { return work_->filePath(name); }
    // A board the tests compose: texts, two text object files, a list.
    void composeBoard();
    // Answers the save or open dialog with `file`, then `message` boxes with OK.
    void saveAs(const QString& file, int messages = 0);
    void load(const QString& file, int messages = 0);
    void reopen(Answer offer);

    std::unique_ptr<QTemporaryDir> work_;
};

void BoardCommandsTest::init() {
    work_ = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(work_->path()).mkpath(QStringLiteral("config")));
    configPath_ = path(QStringLiteral("config"));
    startAnswer_ = Answer::No;
    openSession();
}

void BoardCommandsTest::cleanup() {
    closeSession();
    work_.reset();
}

void BoardCommandsTest::composeBoard() {
    writeBytes(path("one.txt"), "First line\r\nSecond line\r\n");
    writeBytes(path("two.txt"), "Other text\r\n");
    QVERIFY(m_->loadTextObjectFile(m_->Memo1, path("one.txt")));
    QVERIFY(m_->loadTextObjectFile(m_->Memo2, path("two.txt")));
    m_->edit1->setText(QStringLiteral("Evening News"));
    m_->edit2->setText(QStringLiteral("from the hall"));
    m_->Edit3->setText(QStringLiteral("Doors open at eight   "));
    m_->ListBox1->addItems({path("a.bmp"), path("film.avi")});
    m_->PlayTime->setValue(12);
    m_->ImageStretch->setChecked(true);
    m_->stretchbutton->setChecked(true);
    m_->ToolButton7->click(); // clock on
    m_->ToolButton8->click(); // page pause on
    BoardState& b = m_->board;
    b.PlayBackColor = 0x112233;
    b.Text1Color = 0xFFFFFF;
    b.CrawlBackColor = 0xFF0000;
    b.Text1FontName = QStringLiteral("Liberation Serif");
    b.CrawlFontSize = 44;
    b.Box1Width = 333;
    b.Box2Width = 222;
    b.Box1Height = 250;
    b.Box2Height = 150;
    b.BorderWidth = 6;
    b.Box1Delay = 11;
    b.Box2Delay = 12;
    b.CrawlDelay = 3;
    b.CenterText2 = true;
    m_->move(5, 7);
    m_->setOuterSize(700, 500);
}

void BoardCommandsTest::saveAs(const QString& file, int messages) {
    dialogs_->answerFile(file);
    for (int i = 0; i < messages; ++i) {
        dialogs_->answerMessage(Answer::OK);
    }
    m_->SaveSettingsFile1->trigger();
}

void BoardCommandsTest::load(const QString& file, int messages) {
    dialogs_->answerFiles({file});
    for (int i = 0; i < messages; ++i) {
        dialogs_->answerMessage(Answer::OK);
    }
    m_->ToolButton1->click();
}

void BoardCommandsTest::reopen(Answer offer) {
    closeSession();
    startAnswer_ = offer;
    openSession();
}

void BoardCommandsTest::saveAndLoad_giveBackTheWholeBoard() {
    QVERIFY(QDir(work_->path()).mkdir(QStringLiteral("Shows.2")));
    const QString file = path("Shows.2/news.sfg");
    composeBoard();
    dialogs_->answerFile(file);
    m_->SaveConfig->click();

    // The save dialog with its settings, which stay on it.
    QCOMPARE(dialogs_->questions.size(), 1);
    const Question& q = dialogs_->lastQuestion();
    QCOMPARE(q.kind, Question::Kind::SaveFile);
    QCOMPARE(q.file.title, QStringLiteral("Save a Plakora Configuration"));
    QCOMPARE(q.file.filter, QStringLiteral("SFG|*.SFG"));
    QCOMPARE(q.file.defaultExt, QStringLiteral("SFG"));
    QCOMPARE(q.file.fileName, QString());
    QVERIFY(q.file.options.testFlag(FileOption::OverwritePrompt));
    QVERIFY(q.file.options.testFlag(FileOption::CreatePrompt));
    QCOMPARE(m_->SaveDialog1.title, QStringLiteral("Save a Plakora Configuration"));
    QCOMPARE(m_->SaveDialog1.fileName, QString());
    QCOMPARE(m_->board.BoardFileName, file);
    QVERIFY(!m_->board.ConfigChanged);

    // The list lies beside its board, and the settings file names the board.
    QCOMPARE(readBytes(path("Shows.2/news.LFG")),
             (path("a.bmp") + "\r\n" + path("film.avi") + "\r\n").toUtf8());
    QVERIFY(!QFile::exists(path("Shows.LFG")));
    const IniReadResult settings = readIniFile(path("config/plakora.INI"), 4096);
    QCOMPARE(settings.file.value("Stuff", "LastSFGfile"), std::optional<QString>(file));

    // Everything changes, then the board comes back.
    const QRect bounds = m_->frameGeometry();
    m_->edit1->setText(QStringLiteral("x"));
    m_->edit2->clear();
    m_->Edit3->setText(QStringLiteral("y"));
    m_->setTextObjectLines(m_->Memo1, {"changed"});
    m_->setTextObjectLines(m_->Memo2, {});
    m_->ListBox1->clear();
    m_->PlayTime->setValue(2);
    m_->ImageStretch->trigger();
    m_->ToolButton7->click();
    m_->ToolButton8->click();
    BoardState& b = m_->board;
    b.PlayBackColor = 0;
    b.Text1FontName = QStringLiteral("Other");
    b.CrawlFontSize = 9;
    b.Box1Width = b.Box2Width = b.Box1Height = b.Box2Height = b.BorderWidth = 1;
    b.Box1Delay = b.Box2Delay = b.CrawlDelay = 1;
    b.CenterText2 = false;
    m_->move(50, 60);
    m_->setOuterSize(600, 400);

    const platform::FileDialogSettings before = m_->OpenDialog1;
    load(file);
    const Question& open = dialogs_->lastQuestion();
    QCOMPARE(open.kind, Question::Kind::OpenFile);
    QCOMPARE(open.file.filter, QStringLiteral("SFG|*.SFG"));
    QCOMPARE(open.file.defaultExt, QStringLiteral("SFG"));
    QCOMPARE(open.file.title, QStringLiteral("Load Configuration"));
    QVERIFY(open.file.options.testFlag(FileOption::FileMustExist));
    // The dialog's own settings are put back after the load.
    QCOMPARE(m_->OpenDialog1.filter, before.filter);
    QCOMPARE(m_->OpenDialog1.title, before.title);
    QCOMPARE(m_->OpenDialog1.defaultExt, before.defaultExt);

    QCOMPARE(m_->board.BoardFileName, file);
    QCOMPARE(m_->StatusPanel->text(), file);
    QCOMPARE(m_->edit1->text(), QStringLiteral("Evening News"));
    QCOMPARE(m_->edit2->text(), QStringLiteral("from the hall"));
    QCOMPARE(m_->Edit3->text(), QStringLiteral("Doors open at eight   "));
    QCOMPARE(m_->textObjectLines(m_->Memo1), (QStringList{"First line", "Second line"}));
    QCOMPARE(m_->textObjectLines(m_->Memo2), (QStringList{"Other text"}));
    QCOMPARE(m_->label5->text(), path("one.txt"));
    QVERIFY(m_->label5->isVisible());
    QCOMPARE(entries(m_->ListBox1), (QStringList{path("a.bmp"), path("film.avi")}));
    QCOMPARE(m_->Label4->text(), QStringLiteral("2 Images"));
    QCOMPARE(m_->PlayTime->value(), 12);
    QCOMPARE(m_->Label1->text(), QStringLiteral("12"));
    QVERIFY(m_->ImageStretch->isChecked() && m_->stretchbutton->isChecked());
    QVERIFY(b.ClockOn && m_->ToolButton7->isChecked() && m_->ToggleClockOn->isChecked());
    QVERIFY(b.PagePause1 && m_->ToolButton8->isChecked() && m_->PagePause->isChecked());
    QCOMPARE(b.PlayBackColor, 0x112233u);
    QCOMPARE(b.Text1Color, 0xFFFFFFu);
    QCOMPARE(b.CrawlBackColor, 0xFF0000u);
    QCOMPARE(b.Text1FontName, QStringLiteral("Liberation Serif"));
    QCOMPARE(b.CrawlFontSize, 44);
    QCOMPARE(b.Box1Width, 333);
    QCOMPARE(b.Box2Width, 222);
    QCOMPARE(b.Box1Height, 250);
    QCOMPARE(b.Box2Height, 150);
    QCOMPARE(b.BorderWidth, 6);
    QCOMPARE(b.Box1Delay.load(), 11);
    QCOMPARE(b.Box2Delay.load(), 12);
    QCOMPARE(b.CrawlDelay.load(), 3);
    QVERIFY(b.CenterText2);
    QCOMPARE(m_->frameGeometry(), bounds);
    // The panel's bars follow the board without writing it back.
    TAlignCntrlBox* panel = w_.AlignCntrlBox.get();
    QCOMPARE(panel->TrackBar2->value(), std::min(333, panel->TrackBar2->maximum()));
    QCOMPARE(panel->TrackBar3->value(), 6);
    QCOMPARE(panel->TrackBar5->value(), 11);
    QCOMPARE(b.Box1Width, 333);
    QVERIFY(!b.ConfigChanged);
    QVERIFY(!m_->Memo1->document()->isModified());
    QVERIFY(!m_->Memo2->document()->isModified());
}

void BoardCommandsTest::values_roundTripExactly() {
    const QString file = path("exact.sfg");
    const QString longTitle = QString(1500, QLatin1Char('T'));
    const QString longCrawl = QStringLiteral("crawl ").repeated(250);
    m_->edit1->setText(QStringLiteral("\"In quotes\""));
    m_->Edit3->setText(QStringLiteral("  three trailing   "));
    saveAs(file);
    QVERIFY(readBytes(file).contains("T1L=\"\"In quotes\"\"\r\n"));
    QVERIFY(readBytes(file).contains("T3L=\"  three trailing   \"\r\n"));

    // A board's title may be longer than the operator can type.
    IniFile ini = readIniFile(file, kMaxBoardFileBytes).file;
    QVERIFY(ini.write("Stuff", "T1L", longTitle));
    QVERIFY(ini.write("Stuff", "T3L", longCrawl));
    QCOMPARE(writeIniFile(file, ini), QString());
    m_->edit1->clear();
    m_->Edit3->clear();
    load(file);
    QCOMPARE(m_->edit1->text(), longTitle);
    QCOMPARE(m_->Edit3->text(), longCrawl);
    saveAs(path("again.sfg"));
    m_->edit1->clear();
    load(path("again.sfg"));
    QCOMPARE(m_->edit1->text(), longTitle);

    // Once the operator has edited it, the typing limit is back.
    m_->edit1->setText(QStringLiteral("short"));
    emit m_->edit1->editingFinished();
    QCOMPARE(m_->edit1->maxLength(), 40);
    m_->edit1->setText(QString(60, QLatin1Char('x')));
    QCOMPARE(m_->edit1->text().size(), 40);

    load(file);
    QCOMPARE(m_->edit2->text(), QStringLiteral("Sub Title"));
    QCOMPARE(m_->edit1->text(), longTitle);

    // A board with a short title brings the limit back at once.
    m_->edit1->setText(QStringLiteral("short"));
    m_->edit2->setText(QStringLiteral("second"));
    saveAs(path("short.sfg"));
    load(file);
    load(path("short.sfg"));
    QCOMPARE(m_->edit1->maxLength(), 40);
}

void BoardCommandsTest::save_toolbarSavesUnderItsName_saveAsAlwaysAsks() {
    const QString file = path("named.sfg");
    saveAs(file);
    QCOMPARE(dialogs_->questions.size(), 1);
    const QByteArray first = readBytes(file);
    QVERIFY(first.startsWith("[Program]\r\nProject=" + file.toUtf8() + "\r\nProject Save="));

    // Once named, the tool bar saves without asking.
    m_->edit2->setText(QStringLiteral("changed"));
    QVERIFY(m_->board.ConfigChanged);
    m_->SaveConfig->click();
    QCOMPARE(dialogs_->questions.size(), 1);
    QVERIFY(!m_->board.ConfigChanged);
    QVERIFY(readBytes(file).contains("\r\nT2L=changed\r\n"));

    // "Save Configuration As..." asks, starting on the board's name; a
    // cancel writes nothing.
    m_->edit2->setText(QStringLiteral("not saved"));
    dialogs_->cancelFile();
    m_->SaveSettingsFile1->trigger();
    QCOMPARE(dialogs_->lastQuestion().file.fileName, file);
    QVERIFY(readBytes(file).contains("\r\nT2L=changed\r\n"));
    QCOMPARE(m_->board.BoardFileName, file);
    QVERIFY(m_->board.ConfigChanged);
}

void BoardCommandsTest::save_nothingToSave_judgedOnTheTextsAsTheyStand() {
    // Nothing was played since start: the texts as they stand decide.
    m_->edit1->clear();
    m_->edit2->clear();
    m_->Edit3->setText(QStringLiteral(" "));
    m_->setTextObjectLines(m_->Memo1, {});
    m_->setTextObjectLines(m_->Memo2, {});
    dialogs_->answerMessage(Answer::OK);
    m_->SaveConfig->click();
    QCOMPARE(dialogs_->questions.size(), 1);
    const Question& q = dialogs_->lastQuestion();
    QCOMPARE(q.text, QStringLiteral("Nothing To Save"));
    QCOMPARE(q.messageKind, MessageKind::Confirm);
    QCOMPARE(q.buttons, platform::Buttons(Button::OK));
    QCOMPARE(m_->board.BoardFileName, QString());
    QVERIFY(!QFile::exists(path("config/plakora.INI")));

    // A crawl line alone is a board.
    m_->Edit3->setText(QStringLiteral("only the crawl"));
    saveAs(path("crawl.sfg"));
    QVERIFY(QFile::exists(path("crawl.sfg")));
}

void BoardCommandsTest::save_failures_leaveEveryFileAsItWas() {
    const QString file = path("keep.sfg");
    m_->ListBox1->addItem(path("a.bmp"));
    saveAs(file);
    const QByteArray board = readBytes(file);
    const QByteArray list = readBytes(path("keep.LFG"));
    const QByteArray settings = readBytes(path("config/plakora.INI"));

    // A value holding a line break would inject keys: refused, nothing written.
    m_->board.TextFile1 = path("evil\n[BUTTONS]\nKLC=1.txt");
    m_->edit2->setText(QStringLiteral("changed"));
    dialogs_->answerMessage(Answer::OK);
    m_->SaveConfig->click();
    QCOMPARE(dialogs_->lastQuestion().messageKind, MessageKind::Error);
    QVERIFY(dialogs_->lastQuestion().text.startsWith("Unable to write to " + file));
    QVERIFY(dialogs_->lastQuestion().text.contains("line break"));
    QCOMPARE(readBytes(file), board);
    QVERIFY(m_->board.ConfigChanged);
    m_->board.TextFile1.clear();

    // A write that fails half-way (the file size limit) leaves the old file.
    m_->Edit3->setText(QString(5000, QLatin1Char('c')));
    struct rlimit old {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 2000;
    std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    dialogs_->answerMessage(Answer::OK);
    m_->SaveConfig->click();
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);
    QCOMPARE(dialogs_->lastQuestion().text,
             "Unable to write to " + file + "\n\nWrite error on \"" + file + "\". File too large");
    QCOMPARE(dialogs_->lastQuestion().messageKind, MessageKind::Error);
    QCOMPARE(readBytes(file), board);
    QCOMPARE(readBytes(path("keep.LFG")), list);
    QCOMPARE(readBytes(path("config/plakora.INI")), settings);
    QVERIFY(m_->board.ConfigChanged);
    QCOMPARE(QDir(work_->path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // A board file name that is a folder cannot be written.
    QVERIFY(QDir(work_->path()).mkdir("folder.sfg"));
    saveAs(path("folder.sfg"), 1);
    QCOMPARE(dialogs_->lastQuestion().text, "Unable to write to " + path("folder.sfg") + "\n\n\"" +
                                                path("folder.sfg") + "\" is not a file.");
}

void BoardCommandsTest::imageList_emptyListWritten_oldNameFoundOnLoad() {
    const QString file = path("pics.sfg");
    m_->ListBox1->addItems({path("a.bmp"), path("b.bmp")});
    saveAs(file);
    QVERIFY(!readBytes(path("pics.LFG")).isEmpty());

    // The operator deletes every picture and saves: the list file is empty,
    // and the next load does not bring the pictures back.
    m_->ListBox1->clear();
    m_->SaveConfig->click();
    QVERIFY(QFile::exists(path("pics.LFG")));
    QCOMPARE(readBytes(path("pics.LFG")), QByteArray());
    m_->ListBox1->addItem(QStringLiteral("/elsewhere/c.bmp"));
    load(file);
    QCOMPARE(m_->ListBox1->count(), 0);
    QCOMPARE(m_->Label4->text(), QStringLiteral("0 Images"));

    // A board saved by the older program keeps its list under the name cut
    // at the first dot of the path; a load finds it there.
    QVERIFY(QDir(work_->path()).mkdir("Shows.2"));
    QVERIFY(QFile::copy(file, path("Shows.2/old.sfg")));
    writeBytes(path("Shows.LFG"), "/old/one.bmp\r\n/old/two.avi\r\n");
    load(path("Shows.2/old.sfg"));
    QCOMPARE(entries(m_->ListBox1), (QStringList{"/old/one.bmp", "/old/two.avi"}));

    // A board without any list file keeps the current list.
    QVERIFY(QFile::remove(path("Shows.LFG")));
    load(path("Shows.2/old.sfg"));
    QCOMPARE(m_->ListBox1->count(), 2);
}

void BoardCommandsTest::load_missingOrNoBoard_changesNothing() {
    m_->board.BoardFileName = path("mine.sfg");
    dialogs_->answerMessage(Answer::OK);
    QVERIFY(!m_->OpenSFGfile(path("gone.sfg")));
    QCOMPARE(dialogs_->lastQuestion().text, "I cant find " + path("gone.sfg"));
    QCOMPARE(dialogs_->lastQuestion().messageKind, MessageKind::Information);

    // A file that is no board at all is refused, and does not become the
    // name the next save writes to.
    const QList<QByteArray> junk = {
        QByteArray("[Stuff]\0\r\nT1L=x\r\n", 17),
        QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08", 8).repeated(100),
    };
    for (const QByteArray& bytes : junk) {
        writeBytes(path("junk.sfg"), bytes);
        load(path("junk.sfg"), 1);
        QCOMPARE(dialogs_->lastQuestion().messageKind, MessageKind::Error);
        QVERIFY(dialogs_->lastQuestion().text.contains("is not a Plakora configuration file"));
        QCOMPARE(m_->edit1->text(), QStringLiteral("Main Title"));
        QCOMPARE(m_->board.BoardFileName, path("mine.sfg"));
        QCOMPARE(m_->StatusPanel->text(), QString());
    }
}

void BoardCommandsTest::load_slideTime_keptWithinItsBar_data() {
    QTest::addColumn<QByteArray>("calcs");
    QTest::addColumn<int>("seconds");
    QTest::newRow("missing") << QByteArray() << 1;
    QTest::newRow("zero") << QByteArray("CLR=0\r\n") << 1;
    QTest::newRow("unreadable") << QByteArray("CLR=ten\r\n") << 1;
    QTest::newRow("in range") << QByteArray("CLR=$0F\r\n") << 15;
    QTest::newRow("too long") << QByteArray("CLR=31\r\n") << 30;
}

void BoardCommandsTest::load_slideTime_keptWithinItsBar() {
    QFETCH(QByteArray, calcs);
    QFETCH(int, seconds);
    m_->PlayTime->setValue(9);
    writeBytes(path("slides.sfg"), "[Stuff]\r\nT1L=x\r\n[CALCS]\r\n" + calcs);
    load(path("slides.sfg"));
    QCOMPARE(m_->PlayTime->value(), seconds);
    QCOMPARE(m_->Label1->text(), QString::number(seconds));
    // The slideshow reads the time per slide from the show record.
    QCOMPARE(m_->showState.PlayTime.load(), seconds);
}

void BoardCommandsTest::load_wildValues_keptInBoard_windowOnScreen_showRuns() {
    writeBytes(path("wild.sfg"),
               "[Stuff]\r\nT1L=Title\r\nT3L=Crawl\r\nML=-9000\r\nMT=99999\r\nMW=1000000000\r\n"
               "MH=-50\r\n[CALCS]\r\nBox1W=-400\r\nBox2W=1000000000\r\nBS=100000\r\n"
               "PND1=-5\r\nCRD1=-1\r\nBX1=-10\r\nfs1=0\r\nfs3=100000\r\nfs6=0\r\nCLR=99\r\n"
               "[BUTTONS]\r\nKLC=1\r\n");
    writeBytes(path("one.txt"), "line\r\n");
    load(path("wild.sfg"));
    BoardState& b = m_->board;
    QCOMPARE(b.Box1Width, -400);
    QCOMPARE(b.Box2Width, 1000000000);
    QCOMPARE(b.BorderWidth, 100000);
    QCOMPARE(b.Box1Delay.load(), -5);
    QCOMPARE(b.MainTitleFontSize, 100000);
    QCOMPARE(m_->PlayTime->value(), 30);
    TAlignCntrlBox* panel = w_.AlignCntrlBox.get();
    QCOMPARE(panel->TrackBar6->value(), panel->TrackBar6->maximum());
    QCOMPARE(b.Box2Width, 1000000000);
    // The window lies on the screen and fits it.
    const QRect frame = m_->frameGeometry();
    QVERIFY(frame.intersects(QRect(0, 0, 800, 600)));
    QVERIFY(frame.width() <= 800);

    // The show clamps what it uses and runs.
    QVERIFY(m_->loadTextObjectFile(m_->Memo1, path("one.txt")));
    m_->Mode1->trigger();
    QTRY_VERIFY(screen_->isVisible());
    QTest::qWait(100);
    QTest::keyClick(screen_, Qt::Key_Escape);
    QTRY_VERIFY(m_->isVisible());
    QCOMPARE(b.Box2Width, 1000000000);
    QCOMPARE(b.Text1FontSize, 0);
}

void BoardCommandsTest::start_offerYes_bringsBackTheLastBoard() {
    const QString file = path("news.sfg");
    composeBoard();
    saveAs(file);
    reopen(Answer::Yes);
    QCOMPARE(m_->board.BoardFileName, file);
    QVERIFY(m_->board.SettingsLoaded);
    QCOMPARE(m_->StatusPanel->text(), file);
    QCOMPARE(m_->edit1->text(), QStringLiteral("Evening News"));
    QCOMPARE(m_->Edit3->text(), QStringLiteral("Doors open at eight   "));
    QCOMPARE(m_->textObjectLines(m_->Memo2), (QStringList{"Other text"}));
    // The path labels show their whole paths.
    QCOMPARE(m_->label6->text(), path("two.txt"));
    QVERIFY(m_->label6->isVisible());
    QVERIFY(m_->label6->width() > m_->label6->fontMetrics().horizontalAdvance(path("two.txt")));
    QCOMPARE(m_->ListBox1->count(), 2);
    QCOMPARE(m_->board.Box1Width, 333);
    QVERIFY(!m_->board.ConfigChanged);
    // The control panel's bars show the reloaded board, as after any load.
    const TAlignCntrlBox* panel = w_.AlignCntrlBox.get();
    QCOMPARE(panel->TrackBar2->value(), 333);
    QCOMPARE(panel->TrackBar6->value(), 222);
    QCOMPARE(panel->TrackBar4->value(), 250);
    QCOMPARE(panel->TrackBar1->value(), 150);
    QCOMPARE(panel->TrackBar3->value(), 6);
    QCOMPARE(panel->TrackBar5->value(), 11);
}

void BoardCommandsTest::start_offerNo_leavesTheFactoryBoard() {
    composeBoard();
    saveAs(path("news.sfg"));
    reopen(Answer::No);
    QCOMPARE(m_->board.BoardFileName, QString());
    QVERIFY(!m_->board.SettingsLoaded);
    QCOMPARE(m_->edit1->text(), QStringLiteral("Main Title"));
    // The first tool bar save asks for a name.
    dialogs_->cancelFile();
    m_->SaveConfig->click();
    QCOMPARE(dialogs_->lastQuestion().kind, Question::Kind::SaveFile);

    // With no settings file at all, Yes reads nothing and says nothing.
    QVERIFY(QFile::remove(path("config/plakora.INI")));
    reopen(Answer::Yes);
    QCOMPARE(m_->board.BoardFileName, QString());
    QVERIFY(dialogs_->questions.isEmpty());
}

namespace {

// Files that lie where a board is expected but are no board.
QList<std::pair<const char*, QByteArray>> nonBoards() {
    return {
        {"binary", QByteArray("\x7f"
                              "ELF\x02\x01\x01\0\0\0",
                              10)
                       .repeated(50)},
        {"6 MB of text", QByteArray("T1L=a line of text\r\n").repeated(300000)},
    };
}

} // namespace

void BoardCommandsTest::start_refusedLastBoard_nameNotTaken_data() {
    QTest::addColumn<QByteArray>("bytes");
    for (const auto& [name, bytes] : nonBoards()) {
        QTest::newRow(name) << bytes;
    }
}

void BoardCommandsTest::start_refusedLastBoard_nameNotTaken() {
    QFETCH(QByteArray, bytes);
    const QString other = path("other.sfg");
    writeBytes(other, bytes);
    writeBytes(path("config/plakora.INI"), "[Stuff]\r\nLastSFGfile=" + other.toUtf8() + "\r\n");
    dialogs_->answerMessage(Answer::Yes);
    dialogs_->answerMessage(Answer::OK);
    m_->offerLastBoard();
    QCOMPARE(dialogs_->lastQuestion().text,
             "\"" + other + "\" is not a Plakora configuration file.");
    QVERIFY(m_->board.SettingsLoaded);
    QCOMPARE(m_->board.BoardFileName, QString());
    // The tool bar save asks for a name rather than writing over the file.
    dialogs_->cancelFile();
    m_->SaveConfig->click();
    QCOMPARE(dialogs_->lastQuestion().kind, Question::Kind::SaveFile);
    QCOMPARE(readBytes(other), bytes);
}

void BoardCommandsTest::save_overAFileThatIsNoBoard_asksFirst_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<Answer>("answer");
    for (const auto& [name, bytes] : nonBoards()) {
        QTest::addRow("%s, tool bar, no", name) << bytes << false << Answer::No;
        QTest::addRow("%s, tool bar, closed", name) << bytes << false << Answer::None;
        QTest::addRow("%s, tool bar, yes", name) << bytes << false << Answer::Yes;
        QTest::addRow("%s, save as, no", name) << bytes << true << Answer::No;
    }
}

void BoardCommandsTest::save_overAFileThatIsNoBoard_asksFirst() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, saveAs);
    QFETCH(Answer, answer);
    // The board's file was replaced by something else since it was saved.
    const QString file = path("news.sfg");
    composeBoard();
    this->saveAs(file);
    m_->edit1->setText(QStringLiteral("Changed"));
    writeBytes(file, bytes);
    dialogs_->questions.clear();

    if (saveAs) {
        dialogs_->answerFile(file);
    }
    dialogs_->answerMessage(answer);
    if (saveAs) {
        m_->SaveSettingsFile1->trigger();
    } else {
        m_->SaveConfig->click();
    }
    const Question& q = dialogs_->lastQuestion();
    QCOMPARE(q.kind, Question::Kind::Message);
    QCOMPARE(q.messageKind, MessageKind::Confirm);
    QCOMPARE(q.buttons, Button::Yes | Button::No);
    QCOMPARE(q.text, "\"" + file +
                         "\" is not a Plakora configuration file.\n\nReplace it with this board?");
    if (answer == Answer::Yes) {
        QVERIFY(readBytes(file).contains("T1L=Changed\r\n"));
        QVERIFY(!m_->board.ConfigChanged);
    } else {
        QCOMPARE(readBytes(file), bytes);
        QVERIFY(m_->board.ConfigChanged);
    }
}

void BoardCommandsTest::load_windowCornerAtTheEndsOfItsRange_comesOnScreen_data() {
    QTest::addColumn<QByteArray>("corner");
    QTest::newRow("far right and down") << QByteArray("ML=2147483647\r\nMT=2147483647\r\n");
    QTest::newRow("far left and up") << QByteArray("ML=-2147483648\r\nMT=-2147483648\r\n");
    QTest::newRow("right end, on top") << QByteArray("ML=2147483600\r\nMT=0\r\n");
    QTest::newRow("left end, down") << QByteArray("ML=-2147483600\r\nMT=2147483000\r\n");
}

void BoardCommandsTest::load_windowCornerAtTheEndsOfItsRange_comesOnScreen() {
    QFETCH(QByteArray, corner);
    writeBytes(path("far.sfg"), "[Stuff]\r\nT1L=Title\r\n" + corner + "MW=700\r\nMH=500\r\n");
    load(path("far.sfg"));
    QCOMPARE(m_->frameGeometry().size(), QSize(700, 500));
    QVERIFY2(QRect(0, 0, 800, 600).contains(m_->frameGeometry()),
             qPrintable(QStringLiteral("%1,%2").arg(m_->x()).arg(m_->y())));
}

void BoardCommandsTest::settingsFile_withoutKey_orWithMissingBoard() {
    // Without the key the default name is taken; no such board is here.
    writeBytes(path("config/plakora.INI"), "[Stuff]\r\nOther=1\r\n");
    reopen(Answer::Yes);
    QCOMPARE(m_->board.BoardFileName, QStringLiteral("Plakora.sfg"));
    QVERIFY(m_->board.SettingsLoaded);
    QCOMPARE(m_->StatusPanel->text(), QString());

    // A last board that is gone: nothing is loaded, the load's message says
    // so, its name is kept, and the tool bar saves there without asking.
    const QString gone = path("gone.sfg");
    writeBytes(path("config/plakora.INI"), "[Stuff]\r\nLastSFGfile=" + gone.toUtf8() + "\r\n");
    reopen(Answer::No);
    dialogs_->answerMessage(Answer::Yes);
    dialogs_->answerMessage(Answer::OK);
    m_->offerLastBoard();
    QCOMPARE(dialogs_->lastQuestion().text, "I cant find " + gone);
    QCOMPARE(m_->board.BoardFileName, gone);
    dialogs_->questions.clear();
    QCOMPARE(m_->edit1->text(), QStringLiteral("Main Title"));
    m_->SaveConfig->click();
    QVERIFY(dialogs_->questions.isEmpty());
    QVERIFY(QFile::exists(gone));

    // The settings file keeps what else it holds.
    writeBytes(path("config/plakora.INI"),
               "; note\r\n[Other]\r\na=b\r\n[Stuff]\r\nLastSFGfile=x\r\n");
    m_->SaveConfig->click();
    QCOMPARE(readBytes(path("config/plakora.INI")),
             "; note\r\n[Other]\r\na=b\r\n[Stuff]\r\nLastSFGfile=" + gone.toUtf8() + "\r\n");
}

void BoardCommandsTest::settingsFile_unwritable_saysSo() {
    // The configuration folder is a file: the settings file cannot be made.
    writeBytes(path("blocked"), "x");
    sys_->windowsDir = path("blocked");
    saveAs(path("b.sfg"), 1);
    QVERIFY(dialogs_->lastQuestion().text.startsWith(
        "Unable to write to " + path("blocked/plakora.INI") + "\n\nCannot create a new file"));
    QVERIFY(dialogs_->lastQuestion().text.endsWith(". Not a directory"));
    QCOMPARE(dialogs_->lastQuestion().messageKind, MessageKind::Error);
    // The board itself was saved.
    QVERIFY(QFile::exists(path("b.sfg")));
    QVERIFY(!m_->board.ConfigChanged);
}

void BoardCommandsTest::boardPath_throughLinkOrRelative_namesTheBoardItself() {
    QVERIFY(QDir(work_->path()).mkpath(QStringLiteral("real")));
    QVERIFY(QDir(work_->path()).mkpath(QStringLiteral("links")));
    const QString real = path("real/board.SFG");
    composeBoard();
    saveAs(real);
    QVERIFY(QFile::link(real, path("links/board.SFG")));

    // Opened through the link: the list is the one beside the board itself,
    // and a save writes there, naming the board file in the Project key and
    // the settings file, while the link stays a link.
    m_->ListBox1->clear();
    load(path("links/board.SFG"));
    QCOMPARE(entries(m_->ListBox1), (QStringList{path("a.bmp"), path("film.avi")}));
    QCOMPARE(m_->board.BoardFileName, real);
    m_->ListBox1->addItem(path("b.bmp"));
    m_->SaveConfig->click();
    QVERIFY(!QFile::exists(path("links/board.LFG")));
    QVERIFY(readBytes(path("real/board.LFG")).contains("b.bmp"));
    QVERIFY(QFileInfo(path("links/board.SFG")).isSymLink());
    QVERIFY(readBytes(real).contains("Project=" + real.toUtf8() + "\r\n"));
    QVERIFY(readBytes(path("config/plakora.INI")).contains("LastSFGfile=" + real.toUtf8()));

    // A relative name is made absolute where it comes in.
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work_->path()));
    load(QStringLiteral("real/board.SFG"));
    const QString loaded = m_->board.BoardFileName;
    // One kept relative by an older settings file, not found from here: said,
    // and not taken, so the next save asks where to go.
    writeBytes(path("config/plakora.INI"), "[Stuff]\r\nLastSFGfile=c/board.SFG\r\n");
    reopen(Answer::No);
    dialogs_->answerMessage(Answer::Yes);
    dialogs_->answerMessage(Answer::OK);
    m_->offerLastBoard();
    QVERIFY(QDir::setCurrent(before));
    QCOMPARE(loaded, real);
    QCOMPARE(dialogs_->lastQuestion().text, "I cant find " + path("c/board.SFG"));
    QCOMPARE(m_->board.BoardFileName, QString());
}

void BoardCommandsTest::save_folderTakesNoNewFile_saysWhy() {
    const QString file = path("b.SFG");
    composeBoard();
    saveAs(file);
    m_->edit1->setText(QStringLiteral("changed"));
    file_guard_testing::failNextWriteStep("create");
    dialogs_->answerMessage(Answer::OK);
    m_->SaveConfig->click();
    QCOMPARE(dialogs_->lastQuestion().text, "Unable to write to " + file +
                                                "\n\nCannot create a new file beside \"" + file +
                                                "\" in its folder. Input/output error");
    QVERIFY(m_->board.ConfigChanged);
}

PLAKORA_TEST_MAIN(BoardCommandsTest)
#include "test_board_commands.moc"
