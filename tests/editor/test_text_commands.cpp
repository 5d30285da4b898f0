// The context menu of the element boxes: which entries it offers, the text
// file commands with their dialogs and failures, colours, centring, the font
// chooser, and the modified flags of the text objects.

#include "editor/font_form.h"
#include "editor/mainform.h"
#include "editor/startup.h"
#include "persistence/text_file.h"
#include "tests/editor/editor_session.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

using platform::Answer;
using platform::Button;
using platform::FileOption;
using platform::MessageKind;
using support::Question;

namespace {

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        qFatal("cannot write test file");
    }
    return path;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool modified(const QPlainTextEdit* memo) {
    return memo->document()->isModified();
}

// Where the first line of a text object starts in its box.
qreal firstLineX(QPlainTextEdit* memo) {
    QCoreApplication::processEvents();
    const QTextLayout* layout = memo->document()->firstBlock().layout();
    return layout->lineCount() > 0 ? layout->lineAt(0).naturalTextRect().x() : -1;
}

// The colour settings of the board, by name, so that a test sees which one a
// command wrote.
const QList<QPair<const char*, Colour BoardState::*>>& colourFields() {
    static const QList<QPair<const char*, Colour BoardState::*>> fields{
        {"Text1Color", &BoardState::Text1Color},
        {"Text1BackColor", &BoardState::Text1BackColor},
        {"Text2Color", &BoardState::Text2Color},
        {"Text2BackColor", &BoardState::Text2BackColor},
        {"MainTitleColor", &BoardState::MainTitleColor},
        {"MainTitleBackColor", &BoardState::MainTitleBackColor},
        {"SecondTitleColor", &BoardState::SecondTitleColor},
        {"SecondTitleBackColor", &BoardState::SecondTitleBackColor},
        {"CrawlColor", &BoardState::CrawlColor},
        {"CrawlBackColor", &BoardState::CrawlBackColor},
        {"ClockColor", &BoardState::ClockColor},
        {"ClockBackColor", &BoardState::ClockBackColor},
        {"PlayBackColor", &BoardState::PlayBackColor},
    };
    return fields;
}

} // namespace

class TextCommandsTest : public QObject, private EditorSession {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void popup_entriesFollowTheTargetBox_data();
    void popup_entriesFollowTheTargetBox();
    void popup_rightClickOpensTheMenuOnThatBox();

    void newTextFile_modifiedText_followsTheAnswer_data();
    void newTextFile_modifiedText_followsTheAnswer();
    void newTextFile_unmodifiedText_emptiesWithoutAsking();
    void newTextFile_singleLineBoxes_doesNothing();

    void readIn_opensTheDialogAndLoadsIntoTheTarget();
    void readIn_linesEndingsAndEncodings_data();
    void readIn_linesEndingsAndEncodings();
    void readIn_longPath_isRememberedWhole();
    void readIn_cancel_changesNothing();
    void readIn_unreadableFile_showsTheErrorAndChangesNothing();

    void saveCurrent_writesCrLfSetsCaptionKeepsRememberedPath();
    void saveCurrent_unwritablePlace_reportsFileNameProblem();
    void saveAs_startsFromAndRemembersThePath_data();
    void saveAs_startsFromAndRemembersThePath();
    void saveAs_cancelOrFailure_changesNothing();

    void colours_goToTheTargetElement_data();
    void colours_goToTheTargetElement();
    void colourDialog_startsOnTheLastChosenColour();

    void center_flipsTheTextObjectAndCentresItsLines();
    void center_singleLineBox_doesNothing();
    void fontTypeSize_opensTheFontChooserModally();

    void modifiedFlag_afterTheProgramReplacesTheText_data();
    void modifiedFlag_afterTheProgramReplacesTheText();
    void modifiedFlag_typingAndSaving();

private:
    QWidget* box(const QString& name) const;
    void prepareBox(QWidget* target, bool content);

    std::unique_ptr<QTemporaryDir> dir_;
};

void TextCommandsTest::init() {
    openSession();
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TextCommandsTest::cleanup() {
    dir_.reset();
    closeSession();
}

QWidget* TextCommandsTest::box(const QString& name) const {
    for (QWidget* b : std::initializer_list<QWidget*>{m_->Memo1, m_->Memo2, m_->edit1, m_->edit2,
                                                      m_->Edit3, m_->Edit4}) {
        if (b->objectName() == name) {
            return b;
        }
    }
    qFatal("no such box");
}

void TextCommandsTest::prepareBox(QWidget* target, bool content) {
    if (auto* memo = qobject_cast<QPlainTextEdit*>(target)) {
        memo->setPlainText(content ? QStringLiteral("a line") : QString());
    } else {
        qobject_cast<QLineEdit*>(target)->setText(content ? QStringLiteral("text") : QString());
    }
}

// ---- The menu ---------------------------------------------------------------

void TextCommandsTest::popup_entriesFollowTheTargetBox_data() {
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<bool>("content");
    QTest::addColumn<bool>("centred");
    // New, Read In, Save Current, Font, Background, Font Color, Center, Auto Size
    QTest::addColumn<QString>("enabled");
    QTest::addColumn<bool>("checked");
    for (const char* memo : {"Memo1", "Memo2"}) {
        const QString n = QString::fromLatin1(memo);
        QTest::newRow(qPrintable(n + " with content")) << n << true << false << "11111111" << false;
        QTest::newRow(qPrintable(n + " with content, centred"))
            << n << true << true << "11111111" << true;
        QTest::newRow(qPrintable(n + " empty")) << n << false << false << "01000000" << false;
        QTest::newRow(qPrintable(n + " empty, centred"))
            << n << false << true << "01000000" << true;
    }
    for (const char* line : {"edit1", "edit2", "Edit3"}) {
        const QString n = QString::fromLatin1(line);
        QTest::newRow(qPrintable(n + " with content")) << n << true << true << "00011111" << false;
        QTest::newRow(qPrintable(n + " empty")) << n << false << true << "10000000" << false;
    }
    QTest::newRow("Edit4 with content")
        << QStringLiteral("Edit4") << true << true << QStringLiteral("00010100") << false;
    QTest::newRow("Edit4 empty") << QStringLiteral("Edit4") << false << true
                                 << QStringLiteral("00010100") << false;
}

void TextCommandsTest::popup_entriesFollowTheTargetBox() {
    QFETCH(QString, boxName);
    QFETCH(bool, content);
    QFETCH(bool, centred);
    QFETCH(QString, enabled);
    QFETCH(bool, checked);
    QWidget* target = box(boxName);
    prepareBox(target, content);
    // The centring flags belong to the text objects only.
    m_->board.CenterText1 = centred;
    m_->board.CenterText2 = centred;

    const QList<QAction*> entries{m_->New2,
                                  m_->ReadInTextFile1,
                                  m_->SaveCurrentText1,
                                  m_->FontTypeSize1,
                                  m_->SetBackgroundColor1,
                                  m_->setfontcolor1,
                                  m_->AutoCenter1,
                                  m_->AutoSize1};
    // Start from the opposite of what is expected, so every entry must be set.
    for (int i = 0; i < entries.size(); ++i) {
        entries[i]->setEnabled(enabled[i] == u'0');
    }
    m_->AutoCenter1->setChecked(!checked);

    m_->setPopupTarget(target);
    m_->PopupMenu1Popup();
    QString shown;
    for (QAction* entry : entries) {
        shown += entry->isEnabled() ? u'1' : u'0';
    }
    QCOMPARE(shown, enabled);
    QCOMPARE(m_->AutoCenter1->isChecked(), checked);
}

void TextCommandsTest::popup_rightClickOpensTheMenuOnThatBox() {
    QStringList captions;
    for (QAction* a : m_->PopupMenu1->actions()) {
        captions << a->objectName() + QLatin1Char('=') + a->text();
    }
    QCOMPARE(captions, (QStringList{"New2=New Text File", "ReadInTextFile1=Read In Text File...",
                                    "SaveCurrentText1=Save Current Text...",
                                    "FontTypeSize1=Font Type - Size...",
                                    "SetBackgroundColor1=Set Background Color...",
                                    "setfontcolor1=Set Font Color...", "AutoCenter1=Center",
                                    "AutoSize1=Auto Size"}));
    QVERIFY(m_->AutoCenter1->isCheckable());

    // An empty text object, then a title with text.
    m_->Memo1->clear();
    // The click goes through the window, as the operator's does.
    QTest::mouseClick(m_->windowHandle(), Qt::RightButton, {},
                      m_->Memo1->viewport()->mapTo(m_, QPoint(20, 20)));
    QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(m_->PopupMenu1));
    QCOMPARE(m_->popupTarget(), static_cast<QWidget*>(m_->Memo1));
    QVERIFY(m_->ReadInTextFile1->isEnabled());
    QVERIFY(!m_->New2->isEnabled());
    QVERIFY(!m_->setfontcolor1->isEnabled());
    // The menu opens where the box was clicked.
    const QPoint clicked = m_->Memo1->viewport()->mapToGlobal(QPoint(20, 20));
    QVERIFY((m_->PopupMenu1->pos() - clicked).manhattanLength() < 4);
    m_->PopupMenu1->close();
    QTRY_VERIFY(!QApplication::activePopupWidget());

    m_->edit1->setText(QStringLiteral("Main Title"));
    QTest::mouseClick(m_->windowHandle(), Qt::RightButton, {},
                      m_->edit1->mapTo(m_, QPoint(10, 10)));
    QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(m_->PopupMenu1));
    QCOMPARE(m_->popupTarget(), static_cast<QWidget*>(m_->edit1));
    QVERIFY(!m_->ReadInTextFile1->isEnabled());
    QVERIFY(m_->setfontcolor1->isEnabled());
    QVERIFY(m_->AutoCenter1->isEnabled());

    // Choosing an entry runs its command on the box the menu was opened on.
    dialogs_->answerColor(0x00AABBCC);
    m_->setfontcolor1->trigger();
    m_->PopupMenu1->close();
    QCOMPARE(m_->board.MainTitleColor, 0x00AABBCCu);
}

// ---- New Text File --------------------------------------------------------

void TextCommandsTest::newTextFile_modifiedText_followsTheAnswer_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("saveConfirmed");
    QTest::addColumn<bool>("emptied");
    QTest::newRow("yes, saved") << Answer::Yes << true << true;
    QTest::newRow("yes, save cancelled") << Answer::Yes << false << false;
    QTest::newRow("no") << Answer::No << false << true;
    QTest::newRow("cancel") << Answer::Cancel << false << false;
    QTest::newRow("box closed") << Answer::None << false << false;
}

void TextCommandsTest::newTextFile_modifiedText_followsTheAnswer() {
    QFETCH(Answer, answer);
    QFETCH(bool, saveConfirmed);
    QFETCH(bool, emptied);
    const QString remembered = dir_->filePath("remembered.txt");
    const QString savedTo = dir_->filePath("saved.txt");
    m_->board.TextFile2 = remembered;
    m_->showState.Box2On = true;
    m_->Memo2->setPlainText(QStringLiteral("one\ntwo"));
    m_->label6->setText(remembered);
    m_->label6->show();
    QVERIFY(modified(m_->Memo2));

    dialogs_->answerMessage(answer);
    if (answer == Answer::Yes) {
        if (saveConfirmed) {
            dialogs_->answerFile(savedTo);
        } else {
            dialogs_->cancelFile();
        }
    }
    m_->setPopupTarget(m_->Memo2);
    m_->New2Click();

    const Question& ask = dialogs_->questions.first();
    QCOMPARE(ask.caption, QStringLiteral("Confirm"));
    QCOMPARE(ask.text, QStringLiteral("Save Before Clearing"));
    QCOMPARE(ask.buttons, Button::Yes | Button::No | Button::Cancel);
    if (answer == Answer::Yes) {
        // Text object 2 is offered for saving, starting from its own file.
        QCOMPARE(dialogs_->questions.size(), 2);
        QCOMPARE(dialogs_->lastQuestion().kind, Question::Kind::SaveFile);
        QCOMPARE(dialogs_->lastQuestion().file.title, QStringLiteral("Save File"));
        QCOMPARE(dialogs_->lastQuestion().file.fileName, remembered);
    } else {
        QCOMPARE(dialogs_->questions.size(), 1);
    }

    QCOMPARE(m_->textObjectLines(m_->Memo2).isEmpty(), emptied);
    QCOMPARE(m_->label6->isVisibleTo(m_), !emptied);
    QCOMPARE(modified(m_->Memo2), !emptied);
    QCOMPARE(m_->board.TextFile2, saveConfirmed ? savedTo : remembered);
    QCOMPARE(QFile::exists(savedTo), saveConfirmed);
    // Emptying leaves the switch of text box 2 alone.
    QVERIFY(m_->showState.Box2On);
    QVERIFY(m_->textObjectLines(m_->Memo1).isEmpty());
}

void TextCommandsTest::newTextFile_unmodifiedText_emptiesWithoutAsking() {
    m_->Memo1->setPlainText(QStringLiteral("a single line"));
    m_->label5->show();
    m_->board.TextFile1 = QStringLiteral("/boards/one.txt");
    m_->showState.Box1On = true;
    QVERIFY(!modified(m_->Memo1));
    m_->setPopupTarget(m_->Memo1);
    m_->New2Click();
    QVERIFY(dialogs_->questions.isEmpty());
    QVERIFY(m_->Memo1->toPlainText().isEmpty());
    QVERIFY(!m_->label5->isVisibleTo(m_));
    QCOMPARE(m_->board.TextFile1, QStringLiteral("/boards/one.txt"));
    QVERIFY(m_->showState.Box1On);
}

void TextCommandsTest::newTextFile_singleLineBoxes_doesNothing() {
    m_->Memo1->setPlainText(QStringLiteral("one\ntwo"));
    m_->Memo2->setPlainText(QStringLiteral("three"));
    for (QLineEdit* line : {m_->edit1, m_->edit2, m_->Edit3, m_->Edit4}) {
        line->clear();
        m_->setPopupTarget(line);
        m_->New2Click();
        QVERIFY(line->text().isEmpty());
    }
    QVERIFY(dialogs_->questions.isEmpty());
    QCOMPARE(m_->Memo1->toPlainText(), QStringLiteral("one\ntwo"));
    QCOMPARE(m_->Memo2->toPlainText(), QStringLiteral("three"));
}

// ---- Read In Text File ----------------------------------------------------

void TextCommandsTest::readIn_opensTheDialogAndLoadsIntoTheTarget() {
    const QString path = writeFile(dir_->filePath("two.txt"), "first\r\nsecond\r\n");
    m_->OpenDialog1.fileName = QStringLiteral("left over.txt");
    m_->board.TextFile1 = QStringLiteral("/boards/one.txt");
    dialogs_->answerFile(path);
    m_->setPopupTarget(m_->Memo2);
    m_->ReadInTextFile1Click();

    QCOMPARE(dialogs_->questions.size(), 1);
    const Question& open = dialogs_->lastQuestion();
    QCOMPARE(open.kind, Question::Kind::OpenFile);
    QCOMPARE(open.file.title, QStringLiteral("Open a Text File"));
    QCOMPARE(open.file.filter, QStringLiteral("Text Files|*.txt"));
    QCOMPARE(open.file.defaultExt, QStringLiteral("TXT"));
    QVERIFY(open.file.fileName.isEmpty());
    QCOMPARE(open.file.options, FileOption::FileMustExist | FileOption::PathMustExist |
                                    FileOption::NoReadOnlyReturn | FileOption::NoNetworkButton);

    QCOMPARE(m_->textObjectLines(m_->Memo2), (QStringList{"first", "second"}));
    QCOMPARE(m_->label6->text(), path);
    QVERIFY(m_->label6->isVisibleTo(m_));
    // The label sits above its text object and shows the whole path.
    QCOMPARE(m_->label6->y(), m_->Memo2->y() - 18);
    QVERIFY(m_->label6->width() >= m_->label6->sizeHint().width());
    QCOMPARE(m_->board.TextFile2, path);
    QVERIFY(m_->showState.Box2On);
    // Text object 1 is not the target.
    QVERIFY(m_->Memo1->toPlainText().isEmpty());
    QVERIFY(!m_->label5->isVisibleTo(m_));
    QCOMPARE(m_->board.TextFile1, QStringLiteral("/boards/one.txt"));
    QVERIFY(!m_->showState.Box1On);
}

void TextCommandsTest::readIn_linesEndingsAndEncodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("modifiedAfter");
    QTest::addColumn<QByteArray>("savedAgain");
    QTest::newRow("empty file") << QByteArray() << QStringList{} << false << QByteArray();
    QTest::newRow("one line") << QByteArray("only") << QStringList{"only"} << false
                              << QByteArray("only\r\n");
    QTest::newRow("one line ending in CR LF")
        << QByteArray("only\r\n") << QStringList{"only"} << false << QByteArray("only\r\n");
    QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"} << true
                        << QByteArray("a\r\nb\r\n");
    QTest::newRow("CR") << QByteArray("a\rb") << QStringList{"a", "b"} << true
                        << QByteArray("a\r\nb\r\n");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"} << true
                           << QByteArray("a\r\nb\r\n");
    QTest::newRow("ending in an empty line")
        << QByteArray("a\r\n\r\n") << QStringList{"a", ""} << true << QByteArray("a\r\n\r\n");
    QTest::newRow("one empty line")
        << QByteArray("\n") << QStringList{""} << false << QByteArray("\r\n");
    QTest::newRow("mixed, with an empty line")
        << QByteArray("a\r\n\nb\rc") << QStringList{"a", "", "b", "c"} << true
        << QByteArray("a\r\n\r\nb\r\nc\r\n");
    // Text is written back as UTF-8, whatever it was read as.
    QTest::newRow("UTF-8") << QByteArray("Gr\xc3\xbc\xc3\x9f"
                                         "e\n\xe2\x82\xac 5")
                           << QStringList{QStringLiteral("Grüße"), QStringLiteral("€ 5")} << true
                           << QByteArray("Gr\xc3\xbc\xc3\x9f"
                                         "e\r\n\xe2\x82\xac 5\r\n");
    QTest::newRow("Windows-1252") << QByteArray("Gr\xfc\xdf"
                                                "e\r\n\x80 5\r\n")
                                  << QStringList{QStringLiteral("Grüße"), QStringLiteral("€ 5")}
                                  << true
                                  << QByteArray("Gr\xc3\xbc\xc3\x9f"
                                                "e\r\n\xe2\x82\xac 5\r\n");
}

void TextCommandsTest::readIn_linesEndingsAndEncodings() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(bool, modifiedAfter);
    QFETCH(QByteArray, savedAgain);
    const QString path = writeFile(dir_->filePath("in.txt"), bytes);
    dialogs_->answerFile(path);
    m_->setPopupTarget(m_->Memo1);
    m_->ReadInTextFile1Click();
    QCOMPARE(m_->textObjectLines(m_->Memo1), lines);
    // Two or more lines read in count as a change the quit flow asks about.
    QCOMPARE(modified(m_->Memo1), modifiedAfter);
    QCOMPARE(m_->board.TextFile1, path);

    const QString out = dir_->filePath("out.txt");
    dialogs_->answerFile(out);
    m_->SaveCurrentText1Click();
    QCOMPARE(fileBytes(out), savedAgain);
}

void TextCommandsTest::readIn_longPath_isRememberedWhole() {
    QString folder = dir_->path();
    for (char c : {'a', 'b', 'c'}) {
        folder += QLatin1Char('/') + QString(100, QLatin1Char(c));
        QVERIFY(QDir().mkpath(folder));
    }
    const QString path = writeFile(folder + QStringLiteral("/long.txt"), "line\r\n");
    QVERIFY(path.size() > 300);
    dialogs_->answerFile(path);
    m_->setPopupTarget(m_->Memo1);
    m_->ReadInTextFile1Click();
    QCOMPARE(m_->board.TextFile1, path);
    QCOMPARE(m_->label5->text(), path);
    QVERIFY(QFile::exists(m_->board.TextFile1));
}

void TextCommandsTest::readIn_cancel_changesNothing() {
    m_->Memo1->setPlainText(QStringLiteral("kept"));
    m_->board.TextFile1 = QStringLiteral("/boards/kept.txt");
    dialogs_->cancelFile();
    m_->setPopupTarget(m_->Memo1);
    m_->ReadInTextFile1Click();
    QCOMPARE(m_->Memo1->toPlainText(), QStringLiteral("kept"));
    QCOMPARE(m_->board.TextFile1, QStringLiteral("/boards/kept.txt"));
    QVERIFY(!m_->label5->isVisibleTo(m_));
    QVERIFY(!m_->showState.Box1On);
}

void TextCommandsTest::readIn_unreadableFile_showsTheErrorAndChangesNothing() {
    // A folder chosen as a file cannot be read.
    const QString folder = dir_->filePath("a folder.txt");
    QVERIFY(QDir().mkpath(folder));
    m_->Memo1->setPlainText(QStringLiteral("kept"));
    m_->label5->setText(QStringLiteral("/boards/kept.txt"));
    m_->label5->show();
    m_->board.TextFile1 = QStringLiteral("/boards/kept.txt");
    QTest::keyClicks(m_->Memo1, QStringLiteral("!"));
    QVERIFY(modified(m_->Memo1));
    const QString typed = m_->Memo1->toPlainText();

    dialogs_->answerFile(folder);
    dialogs_->answerMessage(Answer::OK);
    m_->setPopupTarget(m_->Memo1);
    m_->ReadInTextFile1Click();

    const Question& error = dialogs_->lastQuestion();
    QCOMPARE(error.messageKind, MessageKind::Error);
    QCOMPARE(error.text, readTextFile(folder).error);
    QVERIFY(error.text.contains(folder));
    QCOMPARE(error.buttons, platform::Buttons(Button::OK));
    QCOMPARE(m_->Memo1->toPlainText(), typed);
    QCOMPARE(m_->label5->text(), QStringLiteral("/boards/kept.txt"));
    QVERIFY(m_->label5->isVisibleTo(m_));
    QCOMPARE(m_->board.TextFile1, QStringLiteral("/boards/kept.txt"));
    QVERIFY(modified(m_->Memo1));
    QVERIFY(!m_->showState.Box1On);
}

// ---- Saving -----------------------------------------------------------------

void TextCommandsTest::saveCurrent_writesCrLfSetsCaptionKeepsRememberedPath() {
    const QString path = dir_->filePath("out.txt");
    m_->board.TextFile2 = QStringLiteral("/boards/two.txt");
    m_->SaveDialog1.fileName = QStringLiteral("left over.txt");
    m_->Memo2->setPlainText(QStringLiteral("x\n\u20ac"));
    QVERIFY(modified(m_->Memo2));
    dialogs_->answerFile(path);
    m_->setPopupTarget(m_->Memo2);
    m_->SaveCurrentText1Click();

    const Question& save = dialogs_->lastQuestion();
    QCOMPARE(save.kind, Question::Kind::SaveFile);
    QCOMPARE(save.file.title, QStringLiteral("Save as Text File"));
    QCOMPARE(save.file.filter, QStringLiteral("Text Files|*.txt"));
    QCOMPARE(save.file.defaultExt, QStringLiteral("TXT"));
    QVERIFY(save.file.fileName.isEmpty());
    QCOMPARE(save.file.options, FileOption::CreatePrompt | FileOption::OverwritePrompt |
                                    FileOption::HideReadOnly | FileOption::NoReadOnlyReturn |
                                    FileOption::NoNetworkButton);

    QCOMPARE(fileBytes(path), QByteArray("x\r\n\xe2\x82\xac\r\n"));
    QCOMPARE(m_->windowTitle(), QStringLiteral("SAVE out.txt"));
    QVERIFY(!modified(m_->Memo2));
    QCOMPARE(m_->board.TextFile2, QStringLiteral("/boards/two.txt"));
}

void TextCommandsTest::saveCurrent_unwritablePlace_reportsFileNameProblem() {
    // Under a plain file no folder can be made, whoever runs the test.
    const QString blocker = writeFile(dir_->filePath("plain file"), "x");
    const QString path = blocker + QStringLiteral("/out.txt");
    const QString caption = m_->windowTitle();
    m_->Memo1->setPlainText(QStringLiteral("one\ntwo"));
    dialogs_->answerFile(path);
    dialogs_->answerMessage(Answer::OK);
    m_->setPopupTarget(m_->Memo1);
    m_->SaveCurrentText1Click();

    const Question& error = dialogs_->lastQuestion();
    QCOMPARE(error.caption, QStringLiteral("Error"));
    // The system's reason follows the message.
    QCOMPARE(error.text, QStringLiteral("File Name Problem, Try a different name.\n\n") +
                             writeTextFile(path, {}));
    QCOMPARE(error.buttons, platform::Buttons(Button::OK));
    QCOMPARE(m_->windowTitle(), caption);
    QVERIFY(modified(m_->Memo1));
    QVERIFY(!QFile::exists(path));
}

void TextCommandsTest::saveAs_startsFromAndRemembersThePath_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("text object 1") << 1;
    QTest::newRow("text object 2") << 2;
}

void TextCommandsTest::saveAs_startsFromAndRemembersThePath() {
    QFETCH(int, which);
    QPlainTextEdit* memo = which == 1 ? m_->Memo1 : m_->Memo2;
    QPlainTextEdit* other = which == 1 ? m_->Memo2 : m_->Memo1;
    QString& remembered = which == 1 ? m_->board.TextFile1 : m_->board.TextFile2;
    QString& otherRemembered = which == 1 ? m_->board.TextFile2 : m_->board.TextFile1;
    remembered = dir_->filePath("before.txt");
    otherRemembered = QStringLiteral("/boards/other.txt");
    memo->setPlainText(QStringLiteral("alpha\nbeta\n"));
    other->setPlainText(QStringLiteral("other\nlines"));
    const QString path = dir_->filePath("after.txt");

    dialogs_->answerFile(path);
    if (which == 1) {
        m_->SaveAs1Click();
    } else {
        m_->SaveAs2Click();
    }
    const Question& save = dialogs_->lastQuestion();
    QCOMPARE(save.file.title, QStringLiteral("Save File"));
    QCOMPARE(save.file.filter, QStringLiteral("Text|*.TXT"));
    QCOMPARE(save.file.defaultExt, QStringLiteral("TXT"));
    QCOMPARE(save.file.fileName, dir_->filePath("before.txt"));

    QCOMPARE(fileBytes(path), QByteArray("alpha\r\nbeta\r\n"));
    QCOMPARE(remembered, path);
    QVERIFY(m_->SaveDialog1.fileName.isEmpty());
    QVERIFY(!modified(memo));
    QCOMPARE(otherRemembered, QStringLiteral("/boards/other.txt"));
    QVERIFY(modified(other));
}

void TextCommandsTest::saveAs_cancelOrFailure_changesNothing() {
    const QString before = dir_->filePath("before.txt");
    writeFile(before, "old contents\r\n");
    m_->board.TextFile1 = before;
    m_->Memo1->setPlainText(QStringLiteral("new\nlines"));

    dialogs_->cancelFile();
    m_->SaveAs1Click();
    QCOMPARE(m_->board.TextFile1, before);
    QVERIFY(modified(m_->Memo1));

    const QString unwritable = writeFile(dir_->filePath("plain file"), "x") + "/out.txt";
    dialogs_->answerFile(unwritable);
    dialogs_->answerMessage(Answer::OK);
    m_->SaveAs1Click();
    const Question& error = dialogs_->lastQuestion();
    QCOMPARE(error.messageKind, MessageKind::Error);
    QCOMPARE(error.text, writeTextFile(unwritable, {}));
    QVERIFY(error.text.contains(unwritable));
    QCOMPARE(error.buttons, platform::Buttons(Button::OK));
    QCOMPARE(m_->board.TextFile1, before);
    QVERIFY(modified(m_->Memo1));
    QCOMPARE(fileBytes(before), QByteArray("old contents\r\n"));
}

// ---- Colours, centring, fonts -----------------------------------------------

void TextCommandsTest::colours_goToTheTargetElement_data() {
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<bool>("background");
    QTest::addColumn<QString>("field");
    QTest::newRow("Memo1 font") << "Memo1" << false << "Text1Color";
    QTest::newRow("Memo1 back") << "Memo1" << true << "Text1BackColor";
    QTest::newRow("Memo2 font") << "Memo2" << false << "Text2Color";
    QTest::newRow("Memo2 back") << "Memo2" << true << "Text2BackColor";
    QTest::newRow("edit1 font") << "edit1" << false << "MainTitleColor";
    QTest::newRow("edit1 back") << "edit1" << true << "MainTitleBackColor";
    QTest::newRow("edit2 font") << "edit2" << false << "SecondTitleColor";
    QTest::newRow("edit2 back") << "edit2" << true << "SecondTitleBackColor";
    QTest::newRow("Edit3 font") << "Edit3" << false << "CrawlColor";
    QTest::newRow("Edit3 back") << "Edit3" << true << "CrawlBackColor";
    QTest::newRow("Edit4 font") << "Edit4" << false << "ClockColor";
}

void TextCommandsTest::colours_goToTheTargetElement() {
    QFETCH(QString, boxName);
    QFETCH(bool, background);
    QFETCH(QString, field);
    const BoardState before = m_->board;
    constexpr Colour chosen = 0x00336699;
    dialogs_->answerColor(chosen);
    m_->setPopupTarget(box(boxName));
    if (background) {
        m_->SetBackgroundColor1->trigger();
    } else {
        m_->setfontcolor1->trigger();
    }
    for (const auto& [name, member] : colourFields()) {
        const Colour expected = field == QLatin1String(name) ? chosen : before.*member;
        QVERIFY2(m_->board.*member == expected, name);
    }
    QCOMPARE(m_->ColorDialog1.color, chosen);

    // Cancelling keeps the colour.
    dialogs_->cancelColor();
    m_->setPopupTarget(box(boxName));
    background ? m_->SetBackgroundColor1Click() : m_->setfontcolor1Click();
    for (const auto& [name, member] : colourFields()) {
        const Colour expected = field == QLatin1String(name) ? chosen : before.*member;
        QVERIFY2(m_->board.*member == expected, name);
    }
}

void TextCommandsTest::colourDialog_startsOnTheLastChosenColour() {
    dialogs_->answerColor(0x00123456);
    m_->setPopupTarget(m_->edit2);
    m_->setfontcolor1Click();
    const Question& first = dialogs_->lastQuestion();
    QCOMPARE(first.kind, Question::Kind::Color);
    QCOMPARE(first.color.color, 0u); // black the first time
    QCOMPARE(first.color.options,
             platform::ColorOption::FullOpen | platform::ColorOption::AnyColor |
                 platform::ColorOption::SolidColor | platform::ColorOption::ShowHelp);

    dialogs_->cancelColor();
    m_->setPopupTarget(m_->Memo1);
    m_->SetBackgroundColor1Click();
    QCOMPARE(dialogs_->lastQuestion().color.color, 0x00123456u);
    QCOMPARE(m_->board.Text1BackColor, 0u);

    // The play background colour shares the dialog and its last colour.
    dialogs_->answerColor(0x00FEDCBA);
    m_->SetBackgroundColor2Click();
    dialogs_->cancelColor();
    m_->setPopupTarget(m_->Edit3);
    m_->setfontcolor1Click();
    QCOMPARE(dialogs_->lastQuestion().color.color, 0x00FEDCBAu);
}

void TextCommandsTest::center_flipsTheTextObjectAndCentresItsLines() {
    m_->Memo1->setPlainText(QStringLiteral("short"));
    m_->Memo2->setPlainText(QStringLiteral("short"));
    QVERIFY(firstLineX(m_->Memo1) < 10);

    m_->setPopupTarget(m_->Memo1);
    m_->AutoCenter1->trigger();
    QVERIFY(m_->board.CenterText1);
    QVERIFY(m_->AutoCenter1->isChecked());
    QVERIFY(firstLineX(m_->Memo1) > 100);
    // Lines read in later are centred too.
    m_->setTextObjectLines(m_->Memo1, {QStringLiteral("new")});
    QVERIFY(firstLineX(m_->Memo1) > 100);
    QVERIFY(!m_->board.CenterText2);
    QVERIFY(firstLineX(m_->Memo2) < 10);

    m_->setPopupTarget(m_->Memo1);
    m_->AutoCenter1->trigger();
    QVERIFY(!m_->board.CenterText1);
    QVERIFY(!m_->AutoCenter1->isChecked());
    QVERIFY(firstLineX(m_->Memo1) < 10);

    m_->setPopupTarget(m_->Memo2);
    m_->AutoCenter1Click();
    QVERIFY(m_->board.CenterText2);
    QVERIFY(!m_->board.CenterText1);
    QVERIFY(firstLineX(m_->Memo2) > 100);
}

void TextCommandsTest::center_singleLineBox_doesNothing() {
    m_->board.CenterText1 = true;
    for (QLineEdit* line : {m_->edit1, m_->edit2, m_->Edit3}) {
        m_->setPopupTarget(line);
        m_->PopupMenu1Popup();
        QVERIFY(m_->AutoCenter1->isEnabled());
        m_->AutoCenter1->trigger();
        QVERIFY(!m_->AutoCenter1->isChecked());
        QVERIFY(m_->board.CenterText1);
        QVERIFY(!m_->board.CenterText2);
        QCOMPARE(line->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }
    QVERIFY(dialogs_->questions.isEmpty());
}

void TextCommandsTest::fontTypeSize_opensTheFontChooserModally() {
    TDFontForm* chooser = w_.DFontForm.get();
    QWidget* seen = nullptr;
    QTimer::singleShot(0, chooser, [&] {
        seen = QApplication::activeModalWidget();
        chooser->reject();
    });
    m_->setPopupTarget(m_->Edit4);
    m_->FontTypeSize1->trigger();
    QCOMPARE(seen, static_cast<QWidget*>(chooser));
    QVERIFY(!chooser->isVisible());
    // The chooser works on the box the menu was opened on.
    QCOMPARE(m_->popupTarget(), static_cast<QWidget*>(m_->Edit4));
}

// ---- Change tracking ----------------------------------------------------------

void TextCommandsTest::modifiedFlag_afterTheProgramReplacesTheText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("one line") << "one" << false;
    QTest::newRow("one line and a line break") << "one\n" << false;
    QTest::newRow("two lines") << "one\ntwo" << true;
    QTest::newRow("a line and an empty line") << "one\n\n" << true;
}

void TextCommandsTest::modifiedFlag_afterTheProgramReplacesTheText() {
    QFETCH(QString, text);
    QFETCH(bool, expected);
    for (QPlainTextEdit* memo : {m_->Memo1, m_->Memo2}) {
        // Whatever the flag was before, the replacement decides it.
        memo->setPlainText(QStringLiteral("x"));
        QTest::keyClicks(memo, QStringLiteral("y"));
        QVERIFY(modified(memo));
        memo->setPlainText(text);
        QCOMPARE(modified(memo), expected);
        memo->clear();
        QVERIFY(!modified(memo));
    }
}

void TextCommandsTest::modifiedFlag_typingAndSaving() {
    // Any typing marks the text, even within one line.
    m_->setTextObjectLines(m_->Memo1, {QStringLiteral("one")});
    QVERIFY(!modified(m_->Memo1));
    QTest::keyClicks(m_->Memo1, QStringLiteral("z"));
    QVERIFY(modified(m_->Memo1));

    // A save clears the flag, and it stays clear until the next change.
    m_->Memo1->setPlainText(QStringLiteral("one\ntwo"));
    dialogs_->answerFile(dir_->filePath("saved.txt"));
    m_->setPopupTarget(m_->Memo1);
    m_->SaveCurrentText1Click();
    QVERIFY(!modified(m_->Memo1));
    QTest::mouseClick(m_->Memo1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(m_->Memo1, Qt::Key_End);
    QVERIFY(!modified(m_->Memo1));
    QTest::keyClick(m_->Memo1, Qt::Key_Backspace);
    QVERIFY(modified(m_->Memo1));
}

PLAKORA_TEST_MAIN(TextCommandsTest)
#include "test_text_commands.moc"
