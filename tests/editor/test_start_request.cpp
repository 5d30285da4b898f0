// What the program does with what it was asked at start: a board loaded in
// place of the offer to reload the last one, a show that starts by itself,
// the boxes of an unattended show and the screen of this run.

#include "editor/mainform.h"
#include "editor/startup.h"
#include "platform/qt_dialogs.h"
#include "platform/screens.h"
#include "show/control_panel.h"
#include "show/play_screen.h"
#include "tests/support/file_bytes.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using platform::Answer;
using platform::MessageKind;

namespace {

QString writeFile(const QString& path, const QByteArray& bytes) {
    support::writeBytes(path, bytes);
    return path;
}

} // namespace

class StartRequestTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void board_loadsInPlaceOfTheOffer();
    void play_cannotStart_saysSoAndNothingPlays_data();
    void play_cannotStart_saysSoAndNothingPlays();
    void play_startsTheShowAskingNothing_data();
    void play_startsTheShowAskingNothing();
    void screen_winsOverTheKeptOneAndIsNotStored();

private:
    QString settingsPath() const { return dir_->filePath(QStringLiteral("plakora.INI")); }
    QString boardPath(const QString& name) const { return dir_->filePath(name); }
    void start(const StartRequest& request) {
        w_ = startProgram(request);
        m_ = w_.mainform.get();
        screen_ = w_.PlayScreen.get();
    }

    std::unique_ptr<support::FixedSystemInfo> sys_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<support::ScriptedDialogs> dialogs_;
    ProgramWindows w_;
    Tmainform* m_ = nullptr;
    TPlayScreen* screen_ = nullptr;
};

void StartRequestTest::init() {
    sys_ = std::make_unique<support::FixedSystemInfo>(800, 600);
    dir_ = std::make_unique<QTemporaryDir>();
    sys_->windowsDir = dir_->path();
    dialogs_ = std::make_unique<support::ScriptedDialogs>();
}

void StartRequestTest::cleanup() {
    if (screen_ && screen_->isVisible()) {
        screen_->ClosePlayScreen();
    }
    const QStringList problems = dialogs_->problems;
    const int pending = dialogs_->pendingAnswers();
    w_ = ProgramWindows();
    m_ = nullptr;
    screen_ = nullptr;
    dialogs_.reset();
    sys_.reset();
    dir_.reset();
    platform::qtDialogs().setUnattended(std::nullopt);
    platform::choosePlayScreen(QString());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    QCOMPARE(pending, 0);
}

void StartRequestTest::board_loadsInPlaceOfTheOffer() {
    // A last board the offer would bring back: it is neither offered nor read.
    const QString last = writeFile(boardPath("last.SFG"), "[Stuff]\nT1L=Last board\n");
    writeFile(settingsPath(), "[Stuff]\nLastSFGfile=" + last.toUtf8() + "\n");
    const QString named = writeFile(boardPath("window.SFG"), "[Stuff]\nT1L=Shop window\n"
                                                             "T2L=Open daily\n");
    start(StartRequest{named, false, {}});

    QVERIFY(dialogs_->questions.isEmpty());
    QVERIFY(m_->startBoard.loaded);
    QCOMPARE(m_->edit1->text(), QStringLiteral("Shop window"));
    QCOMPARE(m_->edit2->text(), QStringLiteral("Open daily"));
    QCOMPARE(m_->board.BoardFileName, named);
    QCOMPARE(m_->StatusPanel->text(), named);
    QVERIFY(!m_->board.SettingsLoaded);
    // Without --play the editor waits for the operator, and so do its boxes.
    QVERIFY(m_->isVisible());
    QVERIFY(!screen_->isVisible());
    QVERIFY(!platform::qtDialogs().unattended().has_value());
}

void StartRequestTest::play_cannotStart_saysSoAndNothingPlays_data() {
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message"); // %1: the board's path
    QTest::newRow("missing") << QByteArray() << int(MessageKind::Information)
                             << QStringLiteral("I cant find %1");
    QTest::newRow("not a board") << QByteArray("\x7f"
                                               "ELF\x02\x01\x01\x00\x00\x00",
                                               10)
                                 << int(MessageKind::Error)
                                 << QStringLiteral("\"%1\" is not a Plakora configuration file.");
    QTest::newRow("nothing to play")
        << QByteArray("[Stuff]\nT1L=\nT2L=\nT3L=\n") << int(MessageKind::Confirm)
        << QStringLiteral("Nothing To Play (no text)");
}

void StartRequestTest::play_cannotStart_saysSoAndNothingPlays() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, kind);
    QFETCH(QString, message);
    const QString path = boardPath("show.SFG");
    if (!bytes.isEmpty()) {
        writeFile(path, bytes);
    }
    dialogs_->answerMessage(Answer::OK);
    start(StartRequest{path, true, {}});

    QCOMPARE(dialogs_->questions.size(), 1);
    const support::Question& q = dialogs_->questions.front();
    QCOMPARE(int(q.messageKind), kind);
    QCOMPARE(q.text, message.arg(path));
    // The editor stays up, and nothing plays.
    QVERIFY(m_->isVisible());
    QVERIFY(!screen_->isVisible());
    QVERIFY(!m_->showState.ShowRunning);
}

void StartRequestTest::play_startsTheShowAskingNothing_data() {
    QTest::addColumn<QByteArray>("board");
    // Text object 1 is empty: Play would offer a text file first.
    QTest::newRow("empty text object 1") << QByteArray("[Stuff]\nT1L=Today\nT3L=Welcome\n");
    // Saved with the alignment panel on, which would open the show frozen.
    QTest::newRow("alignment panel saved") << QByteArray("[Stuff]\nT1L=Today\n[BUTTONS]\nALS=1\n");
}

void StartRequestTest::play_startsTheShowAskingNothing() {
    QFETCH(QByteArray, board);
    const QString path = writeFile(boardPath("show.SFG"), board);
    start(StartRequest{path, true, {}});

    QVERIFY2(dialogs_->questions.isEmpty(), qPrintable(dialogs_->questions.value(0).text));
    QVERIFY(screen_->isVisible());
    QVERIFY(!m_->isVisible());
    QVERIFY(m_->showState.ShowRunning);
    QVERIFY(m_->showState.MainTitleOn);
    QVERIFY(!m_->showState.Box1On);
    QVERIFY(!w_.AlignCntrlBox->isVisible());
    // Boxes that only inform now close themselves.
    QVERIFY(platform::qtDialogs().unattended().has_value());
}

void StartRequestTest::screen_winsOverTheKeptOneAndIsNotStored() {
    // The screen the editor keeps is chosen while the windows are created.
    writeFile(settingsPath(), "[Display]\nScreen=Kept-1\n");
    platform::choosePlayScreen(QStringLiteral("Kept-1"));
    const QString path = writeFile(boardPath("show.SFG"), "[Stuff]\nT1L=Today\n");
    start(StartRequest{path, false, QStringLiteral("HDMI-2")});

    QCOMPARE(platform::chosenPlayScreen(), QStringLiteral("HDMI-2"));
    QVERIFY(!support::readBytes(settingsPath()).contains("HDMI-2"));
}

PLAKORA_TEST_MAIN(StartRequestTest)
#include "test_start_request.moc"
