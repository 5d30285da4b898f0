#pragma once

// The program's windows on a pinned 800 x 600 screen, with every dialog
// answered from a script. A test class derives from it, opens the session in
// init() and closes it in cleanup().

#include "editor/mainform.h"
#include "editor/startup.h"
#include "show/engine_thread.h"
#include "show/play_screen.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

class EditorSession {
protected:
    void openSession() {
        sys_ = std::make_unique<support::FixedSystemInfo>(800, 600);
        configDir_ = std::make_unique<QTemporaryDir>();
        sys_->windowsDir = configPath_.isEmpty() ? configDir_->path() : configPath_;
        dialogs_ = std::make_unique<support::ScriptedDialogs>();
        // Tests end many shows: the threads are ended without the settling time.
        setStopSettleMs(0);
        // The program starts with its offer to load the last board.
        dialogs_->answerMessage(startAnswer_);
        w_ = createWindows(true);
        m_ = w_.mainform.get();
        screen_ = w_.PlayScreen.get();
        QVERIFY(QTest::qWaitForWindowExposed(m_));
        QCOMPARE(dialogs_->questions.size(), 1);
        QCOMPARE(dialogs_->questions.front().text, QStringLiteral("Load Last Configuration "));
        dialogs_->questions.clear();
    }

    // Every question found its answer and every answer was asked for.
    void closeSession() {
        const QStringList problems = dialogs_->problems;
        const int pending = dialogs_->pendingAnswers();
        w_ = ProgramWindows();
        dialogs_.reset();
        sys_.reset();
        configDir_.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QCOMPARE(pending, 0);
    }

    // How the start-up offer to load the last board is answered.
    platform::Answer startAnswer_ = platform::Answer::No;
    std::unique_ptr<support::FixedSystemInfo> sys_;
    // The folder of the program settings file: a fresh one for each session
    // unless the test names one that outlives its sessions.
    QString configPath_;
    std::unique_ptr<QTemporaryDir> configDir_;
    std::unique_ptr<support::ScriptedDialogs> dialogs_;
    ProgramWindows w_;
    Tmainform* m_ = nullptr;
    TPlayScreen* screen_ = nullptr;
};
