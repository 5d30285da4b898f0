// What remote control costs a running show: the round trip of a call over
// the session bus while a show runs at 10 ms delays, and the show's pace
// while 50 calls a second arrive. Runs on a session bus of its own
// (bench/run.sh starts it under dbus-run-session).

#include "bench/bench_support.h"
#include "remote/bus_adaptor.h"
#include "remote/show_commands.h"
#include "show/engine_thread.h"
#include "show/play_screen.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QLineEdit>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

using namespace bench;

namespace {

long long stepsOf(ThreadSlot& slot) {
    return slot.thread() ? slot.thread()->completedSteps() : 0;
}

// Calls from a thread of its own, as another program would, `perSecond`
// calls a second (0: as fast as answers come) until `stop`; the round trip
// of each in µs.
std::vector<double> callBus(int count, int perSecond, const std::atomic<bool>& stop) {
    // A connection of this thread's own, as another program has.
    QDBusConnection client =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("bench"));
    std::vector<double> times;
    const auto start = Clock::now();
    for (int i = 0; i < count && !stop.load(); ++i) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QString::fromLatin1(kBusService), QString::fromLatin1(kBusPath),
            QString::fromLatin1(kBusInterface), QStringLiteral("SetCrawlLine"));
        call << QStringLiteral("Crawl line number %1").arg(i);
        const auto a = Clock::now();
        client.call(call);
        times.push_back(micros(Clock::now() - a));
        if (perSecond > 0) {
            std::this_thread::sleep_until(start + std::chrono::microseconds(1000000LL * (i + 1) /
                                                                            perSecond));
        }
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("bench"));
    return times;
}

void printTimes(const char* label, std::vector<double> t) {
    std::sort(t.begin(), t.end());
    std::printf("   %s: median %.0f µs, 95th %.0f µs, max %.0f µs (%zu calls)\n", label,
                t[t.size() / 2], t[t.size() * 95 / 100], t.back(), t.size());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (!QDBusConnection::sessionBus().isConnected()) {
        std::printf("no session bus: nothing measured (run under dbus-run-session)\n");
        return 0;
    }
    support::ScriptedDialogs dialogs;
    ProgramWindows w = startWindows(dialogs);
    Tmainform& m = *w.mainform;
    TPlayScreen& screen = *w.PlayScreen;
    fillTextObjects(m);
    m.edit1->setText(QStringLiteral("Remote"));
    m.Edit3->setText(QStringLiteral("A crawl line"));
    m.board.Box1Delay = 10;
    m.board.Box2Delay = 10;
    m.board.CrawlDelay = 10;
    ShowCommands commands(m, screen, *w.AlignCntrlBox);
    const ProgramBus bus(commands);
    m.Mode1Click();
    runFor(500);

    std::printf("1. a call over the session bus while a show runs at 10 ms delays\n");
    {
        std::atomic<bool> stop{false};
        std::atomic<bool> done{false};
        std::vector<double> times;
        // The main thread answers while a thread of its own calls.
        std::thread caller([&] {
            times = callBus(300, 0, stop);
            done = true;
        });
        while (!done.load()) {
            runFor(20);
        }
        caller.join();
        printTimes("SetCrawlLine round trip", times);
    }

    std::printf("2. the show's pace with 50 calls a second, 10 s\n");
    {
        std::atomic<bool> stop{false};
        std::vector<double> times;
        const long long box1 = stepsOf(Box1ThreadHandle);
        const long long box2 = stepsOf(Box2ThreadHandle);
        const long long crawl = stepsOf(CrawlThreadHandle);
        const auto a = Clock::now();
        std::thread caller([&] { times = callBus(500, 50, stop); });
        runFor(10000);
        stop = true;
        const double secs = std::chrono::duration<double>(Clock::now() - a).count();
        runFor(200);
        caller.join();
        const double ideal = 1000.0 / 10.0;
        std::printf("   text box 1 %.1f %%, text box 2 %.1f %%, crawl %.1f %% of the ideal pace "
                    "(target >= 95 %%)\n",
                    100.0 * (stepsOf(Box1ThreadHandle) - box1) / secs / ideal,
                    100.0 * (stepsOf(Box2ThreadHandle) - box2) / secs / ideal,
                    100.0 * (stepsOf(CrawlThreadHandle) - crawl) / secs / ideal);
        printTimes("SetCrawlLine round trip under load", times);
    }
    screen.ClosePlayScreen();
    return 0;
}
