#pragma once

// What every benchmark program shares: its clock, the program's windows as
// at start, an idle event loop for a while, and the board it plays (text
// objects of 200 lines).

#include "editor/mainform.h"
#include "editor/startup.h"
#include "tests/support/scripted_dialogs.h"

#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTimer>

#include <chrono>

namespace bench {

using Clock = std::chrono::steady_clock;

// The program's windows with the editor shown, the start-up offer to load the
// last board answered No, so no benchmark reads the user's settings.
inline ProgramWindows startWindows(support::ScriptedDialogs& dialogs) {
    dialogs.answerMessage(platform::Answer::No);
    return createWindows(true);
}

inline double micros(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

inline double millis(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Lets the event loop run, idle when there is nothing to do, as the program's own does.
inline void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Starts the process's peak memory afresh; false where the system does not
// allow it.
inline bool resetPeakMemory() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

// A figure of /proc/self/status in MB: "VmHWM:" the peak resident memory
// since start or the last reset, "VmRSS:" the resident memory now.
inline double memoryMB(const char* key = "VmHWM:") {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
        }
    }
    return 0;
}

// Fills both text objects with 200 lines of board text.
inline void fillTextObjects(Tmainform& m) {
    QStringList lines;
    for (int i = 0; i < 200; ++i) {
        lines
            << QStringLiteral("Line %1 of the board: news, notices and the menu of the day").arg(i);
    }
    m.Memo1->setPlainText(lines.join('\n'));
    m.Memo2->setPlainText(lines.join('\n'));
}

} // namespace bench
