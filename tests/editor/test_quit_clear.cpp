// The quit flow with its questions in order, the clear command, and the text
// object widths a show leaves behind.

#include "editor/mainform.h"
#include "show/play_screen.h"
#include "tests/editor/editor_session.h"
#include "tests/support/test_main.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

using platform::Answer;
using platform::Button;
using platform::MessageKind;
using support::Question;

namespace {

const QString kText1 = QStringLiteral("Text Object 1 has changed, save changes?");
const QString kText2 = QStringLiteral("Text Object 2 has changed, save changes?");
const QString kProject = QStringLiteral("This project has Changed, save changes?");
const QString kQuit = QStringLiteral("Quit Plakora Now?");
const QString kClear = QStringLiteral("Clear Current Text Information");

// What was asked, a line per question: a message's text, or the kind of dialog.
QStringList asked(const QList<Question>& questions) {
    QStringList out;
    for (const Question& q : questions) {
        switch (q.kind) {
        case Question::Kind::Message:
            out << q.text;
            break;
        case Question::Kind::SaveFile:
            out << QStringLiteral("save dialog");
            break;
        default:
            out << QStringLiteral("other dialog");
            break;
        }
    }
    return out;
}

} // namespace

class QuitClearTest : public QObject, private EditorSession {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void quit_nothingChanged_asksOnlyToQuit_data();
    void quit_nothingChanged_asksOnlyToQuit();
    void quit_rightAfterStart_asksForTheProject();
    void quit_everyQuestionInOrder_whateverTheAnswers_data();
    void quit_everyQuestionInOrder_whateverTheAnswers();
    void quit_failedSave_skipsTheRest();
    void quit_afterUntouchedShow_orUnwritableSettings_goesOn();
    void quit_projectYes_savesTheBoardThenAsks();
    void quit_questionBoxesAreWarningsAndConfirm();
    void closeBox_runsTheFlow_NoKeepsTheEditor();
    void clear_eachAnswer_data();
    void clear_eachAnswer();
    void clear_emptyTitles_leaveConfigChanged();
    void readingAFile_keepsTheWidthsAShowLeft();
    void quitYes_duringAShow_endsTheProgramCleanly();

private:
    void settle(); // no change pending: as after a load
    int ended_ = 0;
    std::unique_ptr<QTemporaryDir> work_;
};

void QuitClearTest::init() {
    work_ = std::make_unique<QTemporaryDir>();
    openSession();
    ended_ = 0;
    m_->endProgram = [this] { ++ended_; };
}

void QuitClearTest::cleanup() {
    closeSession();
    work_.reset();
}

void QuitClearTest::settle() {
    m_->board.ConfigChanged = false;
    m_->Memo1->document()->setModified(false);
    m_->Memo2->document()->setModified(false);
}

void QuitClearTest::quit_nothingChanged_asksOnlyToQuit_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("ended");
    QTest::newRow("yes") << int(Answer::Yes) << 1;
    QTest::newRow("no") << int(Answer::No) << 0;
    QTest::newRow("closed") << int(Answer::None) << 0;
}

void QuitClearTest::quit_nothingChanged_asksOnlyToQuit() {
    QFETCH(int, answer);
    QFETCH(int, ended);
    m_->setTextObjectLines(m_->Memo1, {"kept"});
    settle();
    dialogs_->answerMessage(Answer(answer));
    m_->Exit2->trigger();
    QCOMPARE(asked(dialogs_->questions), QStringList{kQuit});
    QCOMPARE(ended_, ended);
    QCOMPARE(m_->textObjectLines(m_->Memo1), QStringList{"kept"});
}

void QuitClearTest::quit_rightAfterStart_asksForTheProject() {
    // The date and time sample filled in at start counts as a change.
    QVERIFY(m_->board.ConfigChanged);
    dialogs_->answerMessage(Answer::No);
    dialogs_->answerMessage(Answer::No);
    m_->Quit1->trigger();
    QCOMPARE(asked(dialogs_->questions), (QStringList{kProject, kQuit}));
    QCOMPARE(ended_, 0);
}

void QuitClearTest::quit_everyQuestionInOrder_whateverTheAnswers_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<QStringList>("expected");
    const QStringList all{kText1, kText2, kProject, kQuit};
    QTest::newRow("no, no") << int(Answer::No) << int(Answer::No) << all;
    QTest::newRow("closed, closed") << int(Answer::None) << int(Answer::None) << all;
    // Yes then a cancelled dialog leaves the text unsaved and goes on.
    QTest::newRow("yes+cancel, yes+cancel")
        << int(Answer::Yes) << int(Answer::Yes)
        << QStringList{kText1, "save dialog", kText2, "save dialog", kProject, kQuit};
}

void QuitClearTest::quit_everyQuestionInOrder_whateverTheAnswers() {
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(QStringList, expected);
    m_->Memo1->setPlainText(QStringLiteral("one\ntwo"));
    m_->Memo2->setPlainText(QStringLiteral("three\nfour"));
    QVERIFY(m_->Memo1->document()->isModified());
    QVERIFY(m_->Memo2->document()->isModified());
    dialogs_->answerMessage(Answer(first));
    if (Answer(first) == Answer::Yes) {
        dialogs_->cancelFile();
    }
    dialogs_->answerMessage(Answer(second));
    if (Answer(second) == Answer::Yes) {
        dialogs_->cancelFile();
    }
    dialogs_->answerMessage(Answer::No); // the project
    dialogs_->answerMessage(Answer::No); // quit
    m_->Exit2->trigger();
    QCOMPARE(asked(dialogs_->questions), expected);
    QVERIFY(m_->Memo1->document()->isModified());
    QCOMPARE(ended_, 0);
}

void QuitClearTest::quit_failedSave_skipsTheRest() {
    m_->Memo1->setPlainText(QStringLiteral("one\ntwo"));
    dialogs_->answerMessage(Answer::Yes);
    dialogs_->answerFile(work_->filePath("no/such/folder/text.txt"));
    dialogs_->answerMessage(Answer::OK); // the write error
    m_->Exit2->trigger();
    const QStringList questions = asked(dialogs_->questions);
    QCOMPARE(questions.size(), 3);
    QCOMPARE(questions.mid(0, 2), (QStringList{kText1, "save dialog"}));
    QCOMPARE(dialogs_->lastQuestion().messageKind, MessageKind::Error);
    QCOMPARE(ended_, 0);
    QVERIFY(m_->isVisible());
}

void QuitClearTest::quit_afterUntouchedShow_orUnwritableSettings_goesOn() {
    // A board just loaded, played and ended with Esc is unchanged.
    m_->setTextObjectLines(m_->Memo1, {"one", "two"});
    m_->edit1->setText(QStringLiteral("Title"));
    settle();
    m_->playUnattended();
    QTRY_VERIFY(screen_->isVisible());
    QTest::keyClick(screen_, Qt::Key_Escape);
    QTRY_VERIFY(m_->isVisible());
    dialogs_->answerMessage(Answer::No);
    m_->Exit2->trigger();
    QCOMPARE(asked(dialogs_->questions), QStringList{kQuit});

    // A settings file that cannot be written is reported; the board is
    // saved and the quit goes on.
    const QString blocker = work_->filePath("blocker");
    QVERIFY(QFile(blocker).open(QIODevice::WriteOnly));
    sys_->windowsDir = blocker;
    m_->board.ConfigChanged = true;
    dialogs_->questions.clear();
    dialogs_->answerMessage(Answer::Yes);
    dialogs_->answerFile(work_->filePath("kept.sfg"));
    dialogs_->answerMessage(Answer::OK);
    dialogs_->answerMessage(Answer::Yes);
    m_->Exit2->trigger();
    const QStringList questions = asked(dialogs_->questions);
    QCOMPARE(questions.size(), 4);
    QVERIFY(questions.at(2).startsWith("Unable to write to " + blocker));
    QCOMPARE(questions.last(), kQuit);
    QVERIFY(QFile::exists(work_->filePath("kept.sfg")));
    QCOMPARE(ended_, 1);
}

void QuitClearTest::quit_projectYes_savesTheBoardThenAsks() {
    const QString file = work_->filePath("quit.sfg");
    m_->board.ConfigChanged = true;
    dialogs_->answerMessage(Answer::Yes);
    dialogs_->answerFile(file);
    dialogs_->answerMessage(Answer::Yes);
    m_->Exit2->trigger();
    QCOMPARE(asked(dialogs_->questions), (QStringList{kProject, "save dialog", kQuit}));
    QVERIFY(QFile::exists(file));
    QCOMPARE(ended_, 1);

    // A board with nothing to save says so and the flow goes on.
    m_->edit1->clear();
    m_->edit2->clear();
    m_->Edit3->clear();
    m_->setTextObjectLines(m_->Memo1, {});
    m_->setTextObjectLines(m_->Memo2, {});
    settle();
    m_->board.ConfigChanged = true;
    dialogs_->questions.clear();
    dialogs_->answerMessage(Answer::Yes);
    dialogs_->answerMessage(Answer::OK);
    dialogs_->answerMessage(Answer::No);
    m_->Exit2->trigger();
    QCOMPARE(asked(dialogs_->questions),
             (QStringList{kProject, QStringLiteral("Nothing To Save"), kQuit}));
}

void QuitClearTest::quit_questionBoxesAreWarningsAndConfirm() {
    m_->Memo1->setPlainText(QStringLiteral("one\ntwo"));
    dialogs_->answerMessage(Answer::No);
    dialogs_->answerMessage(Answer::No);
    dialogs_->answerMessage(Answer::No);
    m_->Exit2->trigger();
    QCOMPARE(dialogs_->questions.size(), 3);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(dialogs_->questions[i].messageKind, MessageKind::Warning);
        QCOMPARE(dialogs_->questions[i].buttons, Button::Yes | Button::No);
    }
    QCOMPARE(dialogs_->questions[2].messageKind, MessageKind::Confirm);
    QCOMPARE(dialogs_->questions[2].caption, QStringLiteral("Confirm"));
    QCOMPARE(dialogs_->questions[0].caption, QStringLiteral("Warning"));
    QCOMPARE(dialogs_->questions[2].buttons, Button::Yes | Button::No);
}

void QuitClearTest::closeBox_runsTheFlow_NoKeepsTheEditor() {
    m_->edit1->setText(QStringLiteral("Keep me"));
    settle();
    dialogs_->answerMessage(Answer::No);
    QVERIFY(!m_->close());
    QVERIFY(m_->isVisible());
    QCOMPARE(m_->edit1->text(), QStringLiteral("Keep me"));
    QCOMPARE(asked(dialogs_->questions), QStringList{kQuit});

    dialogs_->answerMessage(Answer::Yes);
    QVERIFY(m_->close());
    QCOMPARE(ended_, 1);
}

void QuitClearTest::clear_eachAnswer_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("clears");
    QTest::addColumn<QString>("command");
    QTest::newRow("yes, menu") << int(Answer::Yes) << true << "menu";
    QTest::newRow("yes, tool button") << int(Answer::Yes) << true << "button";
    QTest::newRow("no") << int(Answer::No) << false << "menu";
    // A question closed without an answer keeps the operator's work.
    QTest::newRow("closed") << int(Answer::None) << false << "button";
}

void QuitClearTest::clear_eachAnswer() {
    QFETCH(int, answer);
    QFETCH(bool, clears);
    QFETCH(QString, command);
    const QString text1 = work_->filePath("one.txt");
    QFile f(text1);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("a\r\nb\r\n");
    f.close();
    QVERIFY(m_->loadTextObjectFile(m_->Memo1, text1));
    m_->setTextObjectLines(m_->Memo2, {"two"});
    m_->ListBox1->addItems({"/p/a.bmp", "/p/b.avi"});
    m_->StatusPanel->setText(QStringLiteral("/boards/b.sfg"));
    m_->board.BoardFileName = QStringLiteral("/boards/b.sfg");
    m_->board.Text1Color = 0x123456;
    m_->PlayTime->setValue(7);
    const QString clock = m_->Edit4->text();
    settle();

    dialogs_->answerMessage(Answer(answer));
    if (command == "menu") {
        m_->Paste1->trigger();
    } else {
        m_->ToolButton3->click();
    }
    QCOMPARE(dialogs_->questions.size(), 1);
    QCOMPARE(dialogs_->lastQuestion().text, kClear);
    QCOMPARE(dialogs_->lastQuestion().messageKind, MessageKind::Confirm);
    QCOMPARE(dialogs_->lastQuestion().buttons, Button::Yes | Button::No);

    if (clears) {
        QCOMPARE(m_->StatusPanel->text(), QString());
        QCOMPARE(m_->ListBox1->count(), 0);
        QCOMPARE(m_->Label4->text(), QStringLiteral("0 Images"));
        QVERIFY(m_->Memo1->toPlainText().isEmpty());
        QVERIFY(m_->Memo2->toPlainText().isEmpty());
        QVERIFY(!m_->Memo1->document()->isModified());
        QVERIFY(!m_->Memo2->document()->isModified());
        QVERIFY(m_->edit1->text().isEmpty());
        QVERIFY(m_->edit2->text().isEmpty());
        QVERIFY(m_->Edit3->text().isEmpty());
        QVERIFY(m_->board.ConfigChanged);
        QVERIFY(m_->label5->isHidden());
    } else {
        QCOMPARE(m_->ListBox1->count(), 2);
        QCOMPARE(m_->textObjectLines(m_->Memo1), (QStringList{"a", "b"}));
        QCOMPARE(m_->edit1->text(), QStringLiteral("Main Title"));
        QVERIFY(!m_->board.ConfigChanged);
        QVERIFY(m_->label5->isVisible());
    }
    // What the clear leaves either way.
    QCOMPARE(m_->Edit4->text(), clock);
    QCOMPARE(m_->board.TextFile1, text1);
    QCOMPARE(m_->board.BoardFileName, QStringLiteral("/boards/b.sfg"));
    QCOMPARE(m_->board.Text1Color, 0x123456u);
    QCOMPARE(m_->PlayTime->value(), 7);
    QVERIFY(m_->showState.Box1On);
}

void QuitClearTest::clear_emptyTitles_leaveConfigChanged() {
    m_->edit1->clear();
    m_->edit2->clear();
    m_->Edit3->clear();
    settle();
    dialogs_->answerMessage(Answer::Yes);
    m_->New1Click();
    QVERIFY(!m_->board.ConfigChanged);
}

void QuitClearTest::readingAFile_keepsTheWidthsAShowLeft() {
    // A show leaves the text objects as wide as their boxes were on the play
    // screen until the window is resized; reading a file keeps them so.
    m_->setMemoWidthsForShow(300, 200);
    const int width1 = m_->Memo1->width();
    const int width2 = m_->Memo2->width();
    const QString text = work_->filePath("t.txt");
    QFile f(text);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("a very long line of text that names its path\r\n");
    f.close();
    QVERIFY(m_->loadTextObjectFile(m_->Memo1, text));
    QVERIFY(m_->loadTextObjectFile(m_->Memo2, text));
    QCOMPARE(m_->Memo1->width(), width1);
    QCOMPARE(m_->Memo2->width(), width2);
    QVERIFY(m_->label5->width() <= width1);
}

void QuitClearTest::quitYes_duringAShow_endsTheProgramCleanly() {
    // The real ending: the message loop ends with a show and its threads
    // running, and the windows go down after it as they do in main().
    m_->endProgram = [] { QCoreApplication::exit(0); };
    m_->setTextObjectLines(m_->Memo1, {"one", "two", "three"});
    m_->Mode1->trigger();
    QTRY_VERIFY(screen_->isVisible());
    m_->Memo1->document()->setModified(false);
    dialogs_->answerMessage(Answer::No);  // the project
    dialogs_->answerMessage(Answer::Yes); // quit
    QTimer::singleShot(200, m_, [this] { m_->Exit2Click(); });
    // Should the flow not end the loop, the test fails instead of hanging.
    QTimer::singleShot(20000, m_, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(asked(dialogs_->questions), (QStringList{kProject, kQuit}));
    QVERIFY(!QFile::exists(configDir_->filePath("plakora.INI")));
}

PLAKORA_TEST_MAIN(QuitClearTest)
#include "test_quit_clear.moc"
