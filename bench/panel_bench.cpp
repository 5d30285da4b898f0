// Plays a show offscreen on a 1920 x 1080 screen with the factory-default
// board and text in both boxes and the crawl line, and measures the live
// control panel: how long the space bar takes to bring it up (its show
// handler done, the show stopped), and how long Refresh takes until the first
// step of the new show has run. It measures; it never fails on time.

#include "bench/bench_support.h"
#include "editor/mainform.h"
#include "editor/startup.h"
#include "platform/event_loop.h"
#include "show/control_panel.h"
#include "show/engine_thread.h"
#include "show/play_screen.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using bench::Clock;
using bench::runFor;

using bench::millis;

// Processes events until `done` holds; false after `limitMs` without it.
bool runUntil(const std::function<bool()>& done, int limitMs = 5000) {
    const auto start = Clock::now();
    while (!done()) {
        if (millis(Clock::now() - start) > limitMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

void print(const char* what, std::vector<double> t) {
    std::sort(t.begin(), t.end());
    std::printf("%s: median %.1f ms, worst %.1f ms over %zu runs (target <= 300)\n", what,
                t[t.size() / 2], t.back(), t.size());
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::chooseEventDispatcher();
    QApplication app(argc, argv);
    support::FixedSystemInfo sys(1920, 1080);
    support::ScriptedDialogs dialogs;
    setUpApplication();
    ProgramWindows w = bench::startWindows(dialogs);
    Tmainform& m = *w.mainform;
    TPlayScreen& screen = *w.PlayScreen;
    TAlignCntrlBox& panel = *w.AlignCntrlBox;

    bench::fillTextObjects(m);
    m.Edit3->setText(QStringLiteral("Hori scroll region - the crawl line of the board"));

    const int runs = 10;
    std::vector<double> toPanel;
    std::vector<double> toFirstStep;
    m.Mode1Click();
    for (int i = 0; i < runs; ++i) {
        // Let the show run a little before it is stopped.
        runFor(100);
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        const auto a = Clock::now();
        QApplication::sendEvent(&screen, &space);
        // The panel's show handler runs as it becomes visible.
        const bool shown = panel.isVisible() && !m.showState.ShowRunning;
        toPanel.push_back(millis(Clock::now() - a));
        if (!shown) {
            std::printf("the panel did not come up\n");
            return 1;
        }
        runFor(20);

        const auto b = Clock::now();
        panel.ReFresh1->trigger();
        if (!runUntil([&] { return m.showState.Box1Row > 0 || m.showState.CrawlColumn > 0; })) {
            std::printf("the show did not restart\n");
            return 1;
        }
        toFirstStep.push_back(millis(Clock::now() - b));
    }
    std::printf("control panel on a 1920 x 1080 screen (the stop's own wait is %d ms)\n",
                stopSettleMs());
    print("(a) space to panel shown", toPanel);
    print("(b) Refresh to the first step of the new show", toFirstStep);
    screen.ClosePlayScreen();
    return 0;
}
