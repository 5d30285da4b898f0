#include "platform/dialogs.h"
#include "platform/qt_dialogs.h"
#include "platform/system_info.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QDir>
#include <QObject>
#include <QTest>

using namespace platform;
using support::Question;
using support::ScriptedDialogs;

class ScriptedDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void scripted_installsAndRestores();
    void message_recordsQuestionAndTakesAnswersInOrder();
    void message_emptyQueueAnswersNoneAndReports();
    void message_mismatchedAnswerIsKeptForItsQuestion();
    void message_answerOutsideButtonsIsReported();
    void fileDialogs_answerFromQueue();
    void fileDialogs_reportWrongCounts();
    void fileDialogs_mismatchAnswersNothing();
    void colorAndPrint_answerFromQueue();
    void colorAndPrint_reportMissingAnswers();

    void fixedSystemInfo_installsAndRestores();
    void fixedSystemInfo_keepsCurrentDirectory();
};

void ScriptedDialogsTest::scripted_installsAndRestores() {
    QVERIFY(dynamic_cast<QtDialogs*>(&dialogs()) != nullptr);
    {
        ScriptedDialogs outer;
        QCOMPARE(&dialogs(), static_cast<Dialogs*>(&outer));
        {
            ScriptedDialogs inner;
            QCOMPARE(&dialogs(), static_cast<Dialogs*>(&inner));
        }
        // The inner one took itself out; nothing else was put back for it.
        QVERIFY(dynamic_cast<QtDialogs*>(&dialogs()) != nullptr);
        setDialogs(&outer);
    }
    QVERIFY(dynamic_cast<QtDialogs*>(&dialogs()) != nullptr);
}

void ScriptedDialogsTest::message_recordsQuestionAndTakesAnswersInOrder() {
    ScriptedDialogs scripted;
    scripted.answerMessage(Answer::No);
    scripted.answerMessage(Answer::OK);
    QCOMPARE(scripted.pendingAnswers(), 2);

    QCOMPARE(dialogs().message(MessageKind::Confirm, QStringLiteral("Save changes?"),
                               Button::Yes | Button::No | Button::Cancel),
             Answer::No);
    QCOMPARE(dialogs().message(MessageKind::Error, QStringLiteral("Disk full."), Button::OK),
             Answer::OK);

    QCOMPARE(scripted.pendingAnswers(), 0);
    QVERIFY2(scripted.problems.isEmpty(), qPrintable(scripted.problems.join('\n')));
    QCOMPARE(scripted.questions.size(), 2);
    const Question& first = scripted.questions.at(0);
    QCOMPARE(first.kind, Question::Kind::Message);
    QCOMPARE(first.messageKind, MessageKind::Confirm);
    QCOMPARE(first.caption, QStringLiteral("Confirm"));
    QCOMPARE(first.text, QStringLiteral("Save changes?"));
    QCOMPARE(first.buttons, Button::Yes | Button::No | Button::Cancel);
    QCOMPARE(scripted.lastQuestion().caption, QStringLiteral("Error"));
    QCOMPARE(scripted.lastQuestion().buttons, Buttons(Button::OK));
}

void ScriptedDialogsTest::message_emptyQueueAnswersNoneAndReports() {
    ScriptedDialogs scripted;
    QCOMPARE(scripted.message(MessageKind::Warning, QStringLiteral("Out of range."), Button::OK),
             Answer::None);
    QCOMPARE(scripted.questions.size(), 1);
    QCOMPARE(scripted.problems,
             QStringList{QStringLiteral("no answer queued for message \"Out of range.\"")});
}

void ScriptedDialogsTest::message_mismatchedAnswerIsKeptForItsQuestion() {
    ScriptedDialogs scripted;
    scripted.answerFile(QStringLiteral("/boards/a.brd"));
    scripted.answerMessage(Answer::Yes);

    QCOMPARE(scripted.message(MessageKind::Confirm, QStringLiteral("Replace?"),
                              Button::Yes | Button::No),
             Answer::None);
    QCOMPARE(scripted.problems.size(), 1);
    QVERIFY2(scripted.problems.first().contains(QStringLiteral("\"Replace?\"")),
             qPrintable(scripted.problems.first()));
    QVERIFY2(scripted.problems.first().contains(QStringLiteral("file answer")),
             qPrintable(scripted.problems.first()));
    QCOMPARE(scripted.pendingAnswers(), 2);

    // The file answer is still first in line and goes to the file dialog.
    QCOMPARE(scripted.openFile({}), std::optional<QStringList>(QStringList{"/boards/a.brd"}));
    QCOMPARE(scripted.message(MessageKind::Confirm, QStringLiteral("Replace?"),
                              Button::Yes | Button::No),
             Answer::Yes);
    QCOMPARE(scripted.problems.size(), 1);
    QCOMPARE(scripted.pendingAnswers(), 0);
}

void ScriptedDialogsTest::message_answerOutsideButtonsIsReported() {
    ScriptedDialogs scripted;
    scripted.answerMessage(Answer::Cancel);
    scripted.answerMessage(Answer::None);
    QCOMPARE(scripted.message(MessageKind::Information, QStringLiteral("Done."), Button::OK),
             Answer::Cancel);
    QCOMPARE(scripted.problems.size(), 1);
    QVERIFY2(scripted.problems.first().contains(QStringLiteral("Cancel")),
             qPrintable(scripted.problems.first()));
    // Closing the box is always possible.
    QCOMPARE(scripted.message(MessageKind::Information, QStringLiteral("Done."), Button::OK),
             Answer::None);
    QCOMPARE(scripted.problems.size(), 1);
}

void ScriptedDialogsTest::fileDialogs_answerFromQueue() {
    ScriptedDialogs scripted;
    scripted.answerFiles({QStringLiteral("/p/a.bmp"), QStringLiteral("/p/b.bmp")});
    scripted.answerFile(QStringLiteral("/boards/new.brd"));
    scripted.cancelFile();
    scripted.answerFile(QStringLiteral("/boards/old.brd"));

    FileDialogSettings pictures;
    pictures.title = QStringLiteral("Add Pictures");
    pictures.filter = QStringLiteral("Bitmaps|*.bmp");
    pictures.options = FileOption::AllowMultiSelect | FileOption::FileMustExist;
    QCOMPARE(dialogs().openPicture(pictures),
             std::optional<QStringList>(QStringList{"/p/a.bmp", "/p/b.bmp"}));

    FileDialogSettings save;
    save.title = QStringLiteral("Save As");
    save.defaultExt = QStringLiteral("brd");
    QCOMPARE(dialogs().saveFile(save), std::optional<QString>(QStringLiteral("/boards/new.brd")));
    QCOMPARE(dialogs().openFile(save), std::nullopt);
    QCOMPARE(dialogs().openFile(save), std::optional<QStringList>(QStringList{"/boards/old.brd"}));

    QVERIFY2(scripted.problems.isEmpty(), qPrintable(scripted.problems.join('\n')));
    QCOMPARE(scripted.questions.size(), 4);
    QCOMPARE(scripted.questions.at(0).kind, Question::Kind::OpenPicture);
    QCOMPARE(scripted.questions.at(0).file, pictures);
    QCOMPARE(scripted.questions.at(1).kind, Question::Kind::SaveFile);
    QCOMPARE(scripted.questions.at(1).file, save);
    QCOMPARE(scripted.questions.at(2).kind, Question::Kind::OpenFile);
}

void ScriptedDialogsTest::fileDialogs_reportWrongCounts() {
    ScriptedDialogs scripted;
    scripted.answerFiles({QStringLiteral("/a"), QStringLiteral("/b")});
    scripted.answerFiles({QStringLiteral("/c"), QStringLiteral("/d")});
    FileDialogSettings single;
    single.title = QStringLiteral("Open Board");
    // The answers are still handed over; the test is told it asked for too much.
    QCOMPARE(scripted.openFile(single), std::optional<QStringList>(QStringList{"/a", "/b"}));
    QCOMPARE(scripted.saveFile(single), std::optional<QString>(QStringLiteral("/c")));
    QCOMPARE(scripted.problems.size(), 2);
    QVERIFY2(scripted.problems.at(0).contains(QStringLiteral("open file dialog \"Open Board\"")),
             qPrintable(scripted.problems.at(0)));
    QVERIFY2(scripted.problems.at(1).contains(QStringLiteral("save file dialog \"Open Board\"")),
             qPrintable(scripted.problems.at(1)));
}

void ScriptedDialogsTest::fileDialogs_mismatchAnswersNothing() {
    ScriptedDialogs scripted;
    scripted.answerMessage(Answer::Yes);
    QCOMPARE(scripted.openFile({}), std::nullopt);
    QCOMPARE(scripted.saveFile({}), std::nullopt);
    QCOMPARE(scripted.openPicture({}), std::nullopt);
    QCOMPARE(scripted.problems.size(), 3);
    QCOMPARE(scripted.pendingAnswers(), 1);
    QCOMPARE(scripted.message(MessageKind::Confirm, QStringLiteral("Go?"), Button::Yes),
             Answer::Yes);
}

void ScriptedDialogsTest::colorAndPrint_answerFromQueue() {
    ScriptedDialogs scripted;
    scripted.answerColor(0x0000FF);
    scripted.cancelColor();
    scripted.answerPrintSetup(true);
    scripted.answerPrintSetup(false);

    const ColorDialogSettings start{0x123456, ColorOption::FullOpen};
    QCOMPARE(dialogs().chooseColor(start), std::optional<std::uint32_t>(0x0000FF));
    QCOMPARE(dialogs().chooseColor(start), std::nullopt);
    QVERIFY(dialogs().printSetup({QStringLiteral("Print Setup")}));
    QVERIFY(!dialogs().printSetup({QStringLiteral("Print Setup")}));

    QVERIFY2(scripted.problems.isEmpty(), qPrintable(scripted.problems.join('\n')));
    QCOMPARE(scripted.questions.size(), 4);
    QCOMPARE(scripted.questions.at(0).kind, Question::Kind::Color);
    QCOMPARE(scripted.questions.at(0).color, start);
    QCOMPARE(scripted.questions.at(2).kind, Question::Kind::PrintSetup);
    QCOMPARE(scripted.questions.at(2).print.title, QStringLiteral("Print Setup"));
}

void ScriptedDialogsTest::colorAndPrint_reportMissingAnswers() {
    ScriptedDialogs scripted;
    scripted.answerPrintSetup(true);
    QCOMPARE(scripted.chooseColor({}), std::nullopt);
    QCOMPARE(scripted.pendingAnswers(), 1);
    QVERIFY(scripted.printSetup({QStringLiteral("Printer")}));
    QVERIFY(!scripted.printSetup({QStringLiteral("Printer")}));
    QCOMPARE(scripted.problems.size(), 2);
    QVERIFY2(scripted.problems.at(0).contains(QStringLiteral("colour dialog")),
             qPrintable(scripted.problems.at(0)));
    QCOMPARE(scripted.problems.at(1),
             QStringLiteral("no answer queued for printer set-up \"Printer\""));
}

void ScriptedDialogsTest::fixedSystemInfo_installsAndRestores() {
    QVERIFY(dynamic_cast<QtSystemInfo*>(&systemInfo()) != nullptr);
    {
        support::FixedSystemInfo fixed(640, 480, PlatformFamily::Windows95);
        QCOMPARE(&systemInfo(), static_cast<SystemInfo*>(&fixed));
        QCOMPARE(systemInfo().screenWidth(), 640);
        QCOMPARE(systemInfo().screenHeight(), 480);
        QCOMPARE(systemInfo().platformFamily(), PlatformFamily::Windows95);
    }
    QVERIFY(dynamic_cast<QtSystemInfo*>(&systemInfo()) != nullptr);
}

void ScriptedDialogsTest::fixedSystemInfo_keepsCurrentDirectory() {
    support::FixedSystemInfo fixed;
    const QString before = QDir::currentPath();
    QVERIFY(systemInfo().setCurrentDirectory(QStringLiteral("/no/such/folder")));
    QCOMPARE(systemInfo().currentDirectory(), QStringLiteral("/no/such/folder"));
    // The process itself stays where it was.
    QCOMPARE(QDir::currentPath(), before);
}

PLAKORA_TEST_MAIN(ScriptedDialogsTest)

#include "test_platform_scripted.moc"
