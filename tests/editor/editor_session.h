#pragma once

// The program's windows on a pinned 800 x 600 screen, with every dialog
// answered from a script. A test class derives from it, opens the session in
// init() and closes it in cleanup().

#include "editor/mainform.h"
#include "editor/startup.h"
#include "show/play_screen.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"

#include <QTest>

#include <memory>

class EditorSession {
protected:
    void openSession() {
        sys_ = std::make_unique<support::FixedSystemInfo>(800, 600);
        dialogs_ = std::make_unique<support::ScriptedDialogs>();
        w_ = createWindows(true);
        m_ = w_.mainform.get();
        screen_ = w_.PlayScreen.get();
        QVERIFY(QTest::qWaitForWindowExposed(m_));
    }

    // Every question found its answer and every answer was asked for.
    void closeSession() {
        const QStringList problems = dialogs_->problems;
        const int pending = dialogs_->pendingAnswers();
        w_ = ProgramWindows();
        dialogs_.reset();
        sys_.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QCOMPARE(pending, 0);
    }

    std::unique_ptr<support::FixedSystemInfo> sys_;
    std::unique_ptr<support::ScriptedDialogs> dialogs_;
    ProgramWindows w_;
    Tmainform* m_ = nullptr;
    TPlayScreen* screen_ = nullptr;
};
