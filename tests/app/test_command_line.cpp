// The command line: each option, each mistake with its exit code, and the
// program itself started with a few of them.

#include "app/command_line.h"
#include "tests/support/test_main.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>

using platform::ScreenEntry;

Q_DECLARE_METATYPE(StartRequest)

namespace {

const QList<ScreenEntry> kScreens{
    {QStringLiteral("eDP-1"), QRect(0, 0, 1920, 1080), QSize(1920, 1080), true},
    {QStringLiteral("HDMI-2"), QRect(1920, 0, 1280, 720), QSize(1280, 720), false},
};

// The program in a home of its own, so that it neither reads nor writes the
// user's settings and Qt finds the folders it asks for.
void startProgram(QProcess& program, const QTemporaryDir& home, const QStringList& arguments,
                  const QString& command = QStringLiteral(PLAKORA_PROGRAM)) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    program.setProcessEnvironment(env);
    program.start(command, arguments);
}

CommandLine parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("plakora"));
    return parseCommandLine(arguments, kScreens);
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void startsTheProgram_data();
    void startsTheProgram();
    void endsAtOnce_data();
    void endsAtOnce();
    void help_namesEveryOption();
    void program_endsWithoutAWindow_data();
    void program_endsWithoutAWindow();
    void program_withoutDisplay_data();
    void program_withoutDisplay();
    void withoutQtOptions_leavesThemToQt_data();
    void withoutQtOptions_leavesThemToQt();
    void program_unreadableBoardToPlay_saysSoOnStandardError();
    void readableFileName_showsBytesThatAreNotUtf8_data();
    void readableFileName_showsBytesThatAreNotUtf8();
    void program_boardNameNotUtf8_saysWhy();
};

void CommandLineTest::startsTheProgram_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<StartRequest>("request");
    QTest::newRow("nothing") << QStringList{} << StartRequest{};
    QTest::newRow("board") << QStringList{"/boards/window.SFG"}
                           << StartRequest{"/boards/window.SFG", false, {}};
    QTest::newRow("play board") << QStringList{"--play", "news.SFG"}
                                << StartRequest{"news.SFG", true, {}};
    QTest::newRow("option after board")
        << QStringList{"news.SFG", "--play"} << StartRequest{"news.SFG", true, {}};
    QTest::newRow("screen by name") << QStringList{"--screen", "HDMI-2", "news.SFG"}
                                    << StartRequest{"news.SFG", false, "HDMI-2"};
    QTest::newRow("screen by number") << QStringList{"--play", "--screen=2", "news.SFG"}
                                      << StartRequest{"news.SFG", true, "HDMI-2"};
    QTest::newRow("screen without board")
        << QStringList{"--screen", "1"} << StartRequest{{}, false, "eDP-1"};
    QTest::newRow("board after --")
        << QStringList{"--", "-odd.SFG"} << StartRequest{"-odd.SFG", false, {}};
}

void CommandLineTest::startsTheProgram() {
    QFETCH(QStringList, arguments);
    QFETCH(StartRequest, request);
    const CommandLine line = parse(arguments);
    QVERIFY2(!line.exitCode.has_value(), qPrintable(line.errors));
    QVERIFY(line.start == request);
    QVERIFY(line.output.isEmpty());
    QVERIFY(line.errors.isEmpty());
}

void CommandLineTest::endsAtOnce_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");     // exactly
    QTest::addColumn<QStringList>("errors"); // what standard error names

    QTest::newRow("--version") << QStringList{"--version"} << 0
                               << QStringLiteral("Ovri Plakora-32 01.03a.169\n") << QStringList{};
    QTest::newRow("-v with a board")
        << QStringList{"-v", "news.SFG"} << 0 << QStringLiteral("Ovri Plakora-32 01.03a.169\n")
        << QStringList{};
    QTest::newRow("--list-screens")
        << QStringList{"--list-screens"} << 0
        << QStringLiteral("1  eDP-1  1920x1080+0+0  (primary)\n2  HDMI-2  1280x720+1920+0\n")
        << QStringList{};
    QTest::newRow("unknown option")
        << QStringList{"--bogus", "news.SFG"} << 2 << QString() << QStringList{"'bogus'"};
    QTest::newRow("unknown option before --version")
        << QStringList{"--version", "--fullscreen"} << 2 << QString()
        << QStringList{"'fullscreen'"};
    QTest::newRow("--help-all") << QStringList{"--help-all"} << 2 << QString()
                                << QStringList{"'help-all'"};
    QTest::newRow("second board") << QStringList{"one.SFG", "two.SFG"} << 2 << QString()
                                  << QStringList{"'two.SFG'", "only one BOARD"};
    QTest::newRow("unknown screen name")
        << QStringList{"--screen", "VGA-9", "news.SFG"} << 2 << QString() << QStringList{"'VGA-9'"};
    QTest::newRow("screen number past the last")
        << QStringList{"--screen", "3"} << 2 << QString() << QStringList{"'3'"};
    QTest::newRow("screen number 0")
        << QStringList{"--screen", "0"} << 2 << QString() << QStringList{"'0'"};
    QTest::newRow("screen without a value")
        << QStringList{"--screen"} << 2 << QString() << QStringList{"'--screen'"};
    QTest::newRow("play without a board")
        << QStringList{"--play"} << 2 << QString() << QStringList{"--play", "BOARD"};
}

void CommandLineTest::endsAtOnce() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QStringList, errors);
    const CommandLine line = parse(arguments);
    QCOMPARE(line.exitCode, std::optional<int>(exitCode));
    QCOMPARE(line.output, output);
    QCOMPARE(line.errors.isEmpty(), errors.isEmpty());
    for (const QString& named : errors) {
        QVERIFY2(line.errors.contains(named), qPrintable(line.errors));
    }
}

void CommandLineTest::help_namesEveryOption() {
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const CommandLine line = parse({option, QStringLiteral("news.SFG")});
        QCOMPARE(line.exitCode, std::optional<int>(0));
        QVERIFY(line.errors.isEmpty());
        for (const char* text : {"[options] [BOARD]", "--play", "--screen <NAME|N>",
                                 "--list-screens", "--version", "--help", "BOARD"}) {
            QVERIFY2(line.output.contains(QLatin1String(text)), text);
        }
    }
}

void CommandLineTest::program_endsWithoutAWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("errors"); // what standard error names
    QTest::newRow("--version") << QStringList{"--version"} << 0
                               << QByteArray("Ovri Plakora-32 01.03a.169\n") << QByteArray();
    QTest::newRow("--bogus") << QStringList{"--bogus"} << 2 << QByteArray()
                             << QByteArray("'bogus'");
    QTest::newRow("two boards") << QStringList{"a.SFG", "b.SFG"} << 2 << QByteArray()
                                << QByteArray("'b.SFG'");
}

void CommandLineTest::program_endsWithoutAWindow() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, errors);
    QTemporaryDir home;
    QProcess program;
    startProgram(program, home, arguments);
    // A program that opened its windows would still be running.
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QCOMPARE(program.readAllStandardOutput(), output);
    const QByteArray written = program.readAllStandardError();
    QCOMPARE(written.isEmpty(), errors.isEmpty());
    QVERIFY2(written.contains(errors), written.constData());
}

void CommandLineTest::program_withoutDisplay_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("display"); // DISPLAY; empty for none set
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("errors"); // what standard error names
    const QByteArray version("Ovri Plakora-32 01.03a.169\n");
    const QByteArray none("no display was found");
    QTest::newRow("--version") << QStringList{"--version"} << "" << 0 << version << QByteArray();
    QTest::newRow("--version, Qt's option left to Qt")
        << QStringList{"-platform", "xcb", "--version"} << "" << 0 << version << QByteArray();
    QTest::newRow("--bogus") << QStringList{"--bogus"} << "" << 2 << QByteArray()
                             << QByteArray("'bogus'");
    QTest::newRow("--play without BOARD")
        << QStringList{"--play"} << "" << 2 << QByteArray() << QByteArray("needs the BOARD");
    QTest::newRow("--list-screens")
        << QStringList{"--list-screens"} << "" << 1 << QByteArray() << none;
    QTest::newRow("plain start") << QStringList{} << "" << 1 << QByteArray() << none;
    QTest::newRow("a display that does not answer")
        << QStringList{"--play", "b.SFG"} << ":9876" << 1 << QByteArray() << none;
}

void CommandLineTest::program_withoutDisplay() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, errors);
    QTemporaryDir home;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
        env.remove(QString::fromLatin1(name));
    }
    if (!display.isEmpty()) {
        env.insert(QStringLiteral("DISPLAY"), display);
    }
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(PLAKORA_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(20000));
    // Ended by itself, not by an abort.
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QCOMPARE(program.readAllStandardOutput(), output);
    const QByteArray written = program.readAllStandardError();
    QVERIFY2(written.contains(errors), written.constData());
    QVERIFY2(!written.contains("einstall"), written.constData());
}

void CommandLineTest::withoutQtOptions_leavesThemToQt_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("with their values")
        << QStringList{"plakora", "-platform", "offscreen", "--style=Fusion", "-reverse", "a.SFG"}
        << QStringList{"plakora", "a.SFG"};
    QTest::newRow("ours and unknown ones stay")
        << QStringList{"plakora", "--play", "--screen", "1", "--bogus", "-v"}
        << QStringList{"plakora", "--play", "--screen", "1", "--bogus", "-v"};
    QTest::newRow("after --, a board")
        << QStringList{"plakora", "--", "-style"} << QStringList{"plakora", "--", "-style"};
}

void CommandLineTest::withoutQtOptions_leavesThemToQt() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, kept);
    QCOMPARE(withoutQtOptions(arguments), kept);
}

void CommandLineTest::program_unreadableBoardToPlay_saysSoOnStandardError() {
    QTemporaryDir home;
    const QString board = home.filePath(QStringLiteral("gone.SFG"));
    QProcess program;
    startProgram(program, home, {QStringLiteral("--play"), board});
    QVERIFY(program.waitForStarted());
    // The load's message goes to standard error while its box is up.
    QByteArray written;
    const QByteArray expected = "Information: I cant find " + board.toLocal8Bit() + '\n';
    QTRY_VERIFY_WITH_TIMEOUT((written += program.readAllStandardError()).contains(expected), 20000);
    // The box waits its 15 seconds; then, with nothing to play, the program
    // ends rather than leave an empty editor on the screen.
    QCOMPARE(program.state(), QProcess::Running);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
}

void CommandLineTest::readableFileName_showsBytesThatAreNotUtf8_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9.SFG") << QStringLiteral("caf\u00e9.SFG");
    QTest::newRow("Latin-1") << QByteArray("caf\xe9.SFG") << QStringLiteral("caf\\xE9.SFG");
    QTest::newRow("cut sequence") << QByteArray("a\xe2\x82") << QStringLiteral("a\\xE2\\x82");
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QStringLiteral("\\xC0\\xAF");
    QTest::newRow("replacement character itself")
        << QByteArray("\xef\xbf\xbd") << QStringLiteral("\ufffd");
}

void CommandLineTest::readableFileName_showsBytesThatAreNotUtf8() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(readableFileName(bytes), shown);
}

void CommandLineTest::program_boardNameNotUtf8_saysWhy() {
    QTemporaryDir home;
    const QByteArray board = QFile::encodeName(home.path()) + "/caf\xe9.SFG";
    QFile file;
    QVERIFY(file.open(::open(board.constData(), O_CREAT | O_WRONLY, 0644), QIODevice::WriteOnly,
                      QFileDevice::AutoCloseHandle));
    file.write("[Stuff]\r\nT1L=Title\r\n");
    file.close();
    // The name's bytes as they are: through a shell, since QProcess passes
    // arguments as UTF-8.
    QProcess program;
    startProgram(program, home,
                 {QStringLiteral("-c"),
                  QStringLiteral("exec \"$0\" --play \"$1/$(printf 'caf\\351.SFG')\""),
                  QStringLiteral(PLAKORA_PROGRAM), home.path()},
                 QStringLiteral("/bin/sh"));
    QVERIFY(program.waitForStarted());
    QByteArray written;
    const QByteArray expected = "Error: \"" + board.left(board.size() - 8) +
                                "caf\\xE9.SFG\" cannot be opened: its name is not valid UTF-8";
    QTRY_VERIFY_WITH_TIMEOUT((written += program.readAllStandardError()).contains(expected), 20000);
    program.kill();
    program.waitForFinished();
}

PLAKORA_TEST_MAIN(CommandLineTest)
#include "test_command_line.moc"
