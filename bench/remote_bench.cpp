// What remote control costs a running show: the round trip of a call over
// the session bus while a show runs at 10 ms delays, and the show's pace
// while 50 calls a second arrive. Runs on a session bus of its own
// (bench/run.sh starts it under dbus-run-session).

#include "bench/bench_support.h"
#include "remote/bus_adaptor.h"
#include "remote/http_remote.h"
#include "remote/show_commands.h"
#include "remote/show_commands_target.h"
#include "show/engine_thread.h"
#include "show/play_screen.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QHostAddress>
#include <QLineEdit>
#include <QTcpSocket>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
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
            std::this_thread::sleep_until(
                start + std::chrono::microseconds(1000000LL * (i + 1) / perSecond));
        }
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("bench"));
    return times;
}

// Answers over HTTP that were not 200 (refused for the pace, say).
std::atomic<int> httpRefused{0};

// The same over HTTP: one request on a connection of its own each time, as
// a phone's page or a script sends it.
std::vector<double> callHttp(quint16 port, int count, int perSecond,
                             const std::atomic<bool>& stop) {
    std::vector<double> times;
    const auto start = Clock::now();
    for (int i = 0; i < count && !stop.load(); ++i) {
        const QByteArray body = "{\"text\": \"Crawl line number " + QByteArray::number(i) + "\"}";
        const QByteArray request = "POST /api/crawl HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                                   "Authorization: Bearer bench-token\r\n"
                                   "Content-Type: application/json\r\nContent-Length: " +
                                   QByteArray::number(body.size()) +
                                   "\r\nConnection: close\r\n\r\n" + body;
        const auto a = Clock::now();
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (socket.waitForConnected(2000)) {
            socket.write(request);
            socket.waitForBytesWritten(2000);
            // The answer is whole once its headers and as many bytes as
            // they announce have come.
            QByteArray answer;
            qsizetype whole = -1;
            while ((whole < 0 || answer.size() < whole) && socket.waitForReadyRead(2000)) {
                answer += socket.readAll();
                const qsizetype end = answer.indexOf("\r\n\r\n");
                if (whole < 0 && end >= 0) {
                    const QByteArray head = answer.left(end).toLower();
                    const qsizetype at = head.indexOf("content-length:");
                    const qsizetype eol = head.indexOf("\r\n", at);
                    whole = end + 4 +
                            (at < 0 ? 0
                                    : head.mid(at + 15, eol < 0 ? -1 : eol - at - 15)
                                          .trimmed()
                                          .toLongLong());
                }
            }
            if (!answer.startsWith("HTTP/1.1 200")) {
                httpRefused.fetch_add(1);
            }
        }
        times.push_back(micros(Clock::now() - a));
        if (perSecond > 0) {
            std::this_thread::sleep_until(
                start + std::chrono::microseconds(1000000LL * (i + 1) / perSecond));
        }
    }
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

    ShowCommandsTarget target(commands);
    HttpRemote http(target);
    http.setToken("bench-token");
    http.start(QHostAddress::LocalHost, 0);
    std::printf("2. an HTTP request (40 a second) while the show runs at 10 ms delays\n");
    {
        std::atomic<bool> stop{false};
        std::atomic<bool> done{false};
        std::vector<double> times;
        std::thread caller([&] {
            // Within the remote's pace of 60 a second.
            times = callHttp(http.port(), 200, 40, stop);
            done = true;
        });
        while (!done.load()) {
            runFor(20);
        }
        caller.join();
        printTimes("POST /api/crawl round trip", times);
        std::printf("   answers other than 200: %d\n", httpRefused.exchange(0));
    }

    // The show's pace while `call` sends 50 requests a second for 10 s.
    auto underLoad = [&](const char* label,
                         const std::function<std::vector<double>(const std::atomic<bool>&)>& call) {
        std::atomic<bool> stop{false};
        std::vector<double> times;
        const long long box1 = stepsOf(Box1ThreadHandle);
        const long long box2 = stepsOf(Box2ThreadHandle);
        const long long crawl = stepsOf(CrawlThreadHandle);
        const auto a = Clock::now();
        std::thread caller([&] { times = call(stop); });
        runFor(10000);
        stop = true;
        const double secs = std::chrono::duration<double>(Clock::now() - a).count();
        runFor(200);
        caller.join();
        const double ideal = 1000.0 / 10.0;
        std::printf("   %s: text box 1 %.1f %%, text box 2 %.1f %%, crawl %.1f %% of the ideal "
                    "pace (target >= 95 %%)\n",
                    label, 100.0 * (stepsOf(Box1ThreadHandle) - box1) / secs / ideal,
                    100.0 * (stepsOf(Box2ThreadHandle) - box2) / secs / ideal,
                    100.0 * (stepsOf(CrawlThreadHandle) - crawl) / secs / ideal);
        printTimes("round trip under load", times);
        std::printf("   answers other than 200: %d\n", httpRefused.exchange(0));
    };
    std::printf("3. the show's pace with 50 calls a second, 10 s each\n");
    underLoad("session bus", [](const std::atomic<bool>& stop) { return callBus(500, 50, stop); });
    underLoad("HTTP",
              [&](const std::atomic<bool>& stop) { return callHttp(http.port(), 500, 50, stop); });
    screen.ClosePlayScreen();
    return 0;
}
