// How much a change taken while the show runs costs the show: how long it
// holds the main thread (a text object of 10,000 lines, an image list of
// 1,000 entries), how long its reading takes off the main thread, and the
// processor time of a show at 10 ms delays with its files watched and
// without.

#include "bench/bench_support.h"
#include "editor/live_follow.h"
#include "live/live_board.h"
#include "persistence/board_file.h"
#include "persistence/text_file.h"
#include "platform/system_info.h"
#include "show/engine_thread.h"
#include "show/live_show.h"
#include "show/play_screen.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace bench;

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_utime.tv_usec / 1e6 + u.ru_stime.tv_sec +
           u.ru_stime.tv_usec / 1e6;
}

struct Figures {
    std::vector<double> ms;
    void print(const char* label) {
        std::sort(ms.begin(), ms.end());
        std::printf("   %-52s median %.3f ms, max %.3f ms (%zu runs)\n", label, ms[ms.size() / 2],
                    ms.back(), ms.size());
    }
};

QStringList linesOf(int count, const QString& tag) {
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        lines << QStringLiteral("%1 line %2: today's offers, prices and the news").arg(tag).arg(i);
    }
    return lines;
}

QStringList entriesOf(int count, const QString& tag) {
    QStringList entries;
    for (int i = 0; i < count; ++i) {
        entries << QStringLiteral("/srv/board/pictures/%1-%2.png").arg(tag).arg(i);
    }
    return entries;
}

double showCpuPercent(Tmainform& m, TPlayScreen& screen, int ms) {
    m.Mode1Click();
    runFor(500);
    const double cpu0 = cpuSeconds();
    const auto a = Clock::now();
    runFor(ms);
    const double secs = std::chrono::duration<double>(Clock::now() - a).count();
    const double percent = 100.0 * (cpuSeconds() - cpu0) / secs;
    screen.ClosePlayScreen();
    return percent;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    support::ScriptedDialogs dialogs;
    ProgramWindows w = startWindows(dialogs);
    Tmainform& m = *w.mainform;
    TPlayScreen& screen = *w.PlayScreen;
    setStopSettleMs(0);

    QTemporaryDir dir;
    const QString boardPath = dir.filePath("board.SFG");
    const QString text1 = dir.filePath("one.txt");
    const QString text2 = dir.filePath("two.txt");
    writeTextFile(text1, linesOf(10000, "A"));
    writeTextFile(text2, linesOf(200, "B"));
    BoardState board = m.board;
    board.TextFile1 = text1;
    board.TextFile2 = text2;
    board.Box1Delay = 10;
    board.Box2Delay = 10;
    board.CrawlDelay = 10;
    BoardFileFields fields;
    fields.MainTitle = QStringLiteral("Offers");
    fields.CrawlLine = QStringLiteral("A crawl line along the bottom of the screen");
    IniFile ini;
    writeBoardSections(ini, board, fields, QStringLiteral("stamp"));
    writeIniFile(boardPath, ini);
    writeTextFile(imageListPath(boardPath), entriesOf(1000, "a"));
    m.loadConfiguration(boardPath);
    const platform::SystemInfo& sys = platform::systemInfo();

    std::printf("1. a live change, text object 1 of 10000 lines, image list of 1000 entries\n");
    m.Mode1Click();
    runFor(300);
    Figures reading;
    Figures hidden;
    Figures showOnly;
    for (int i = 0; i < 20; ++i) {
        const QString tag = QStringLiteral("R%1").arg(i);
        writeTextFile(text1, linesOf(10000, tag));
        writeTextFile(imageListPath(boardPath), entriesOf(1000, tag));
        auto a = Clock::now();
        const LiveBoard live = readLiveBoard(m.board, sys.screenWidth(), sys.screenHeight());
        reading.ms.push_back(millis(Clock::now() - a));
        a = Clock::now();
        m.putLiveBoard(live);
        m.takeIntoShow(m.liveTexts(live));
        hidden.ms.push_back(millis(Clock::now() - a));
        runFor(50);
        // The show's part alone: the texts handed over with nothing else.
        ShowTexts texts = m.showState.Texts;
        texts.Text1Lines = linesOf(10000, tag + "x");
        texts.ImageList = entriesOf(1000, tag + "x");
        ShowContext ctx{m.board, m.showState, screen.surface(), m};
        a = Clock::now();
        takeLiveChange(ctx, screen, texts);
        showOnly.ms.push_back(millis(Clock::now() - a));
        runFor(50);
    }
    // The editor beside the show (shown here over it) fills its boxes too.
    m.show();
    Figures beside;
    Figures besideShow;
    for (int i = 0; i < 10; ++i) {
        const QString tag = QStringLiteral("S%1").arg(i);
        writeTextFile(text1, linesOf(10000, tag));
        writeTextFile(imageListPath(boardPath), entriesOf(1000, tag));
        const LiveBoard live = readLiveBoard(m.board, sys.screenWidth(), sys.screenHeight());
        const auto a = Clock::now();
        m.putLiveBoard(live);
        m.takeIntoShow(m.liveTexts(live));
        const double show = millis(Clock::now() - a);
        m.catchUpEditor();
        besideShow.ms.push_back(show);
        beside.ms.push_back(millis(Clock::now() - a));
        runFor(50);
    }
    reading.print("reading the files again (off the main thread)");
    hidden.print("main thread: record and show, editor hidden");
    showOnly.print("main thread: the show's part alone");
    besideShow.print("main thread: editor beside, until the show has it");
    beside.print("main thread: editor beside, its boxes filled after");
    std::printf("   (target: under 2 ms on the main thread)\n");
    screen.ClosePlayScreen();

    std::printf("2. process CPU time of a show at 10 ms delays, 10 s each, "
                "with and without its files watched\n");
    for (int round = 0; round < 2; ++round) {
        const double watched = showCpuPercent(m, screen, 10000);
        // The same board with no files behind it: nothing to watch.
        const QString kept = m.board.BoardFileName;
        m.board.BoardFileName.clear();
        m.board.TextFile1.clear();
        m.board.TextFile2.clear();
        const double plain = showCpuPercent(m, screen, 10000);
        m.board.BoardFileName = kept;
        m.board.TextFile1 = text1;
        m.board.TextFile2 = text2;
        std::printf("   round %d: watched %.1f %%, not watched %.1f %% of one core\n", round + 1,
                    watched, plain);
    }
    return 0;
}
