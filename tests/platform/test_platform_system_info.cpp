#include "platform/screens.h"
#include "platform/system_info.h"
#include "tests/support/test_main.h"

#include <QDir>
#include <QGuiApplication>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;

namespace {

// The start of /proc/cpuinfo on a two-processor x86 machine.
const char* const kTwoProcessors = "processor\t: 0\n"
                                   "vendor_id\t: GenuineIntel\n"
                                   "cpu family\t: 6\n"
                                   "model\t\t: 58\n"
                                   "model name\t: Intel(R) Core(TM) i5-3470 CPU @ 3.20GHz\n"
                                   "stepping\t: 9\n"
                                   "microcode\t: 0x21\n"
                                   "\n"
                                   "processor\t: 1\n"
                                   "vendor_id\t: GenuineIntel\n"
                                   "cpu family\t: 15\n"
                                   "model\t\t: 4\n"
                                   "stepping\t: 1\n"
                                   "\n";

const char* const kOld486 = "processor\t: 0\n"
                            "vendor_id\t: GenuineIntel\n"
                            "cpu family\t: 4\n"
                            "model\t\t: 8\n"
                            "model name\t: IntelDX4\n"
                            "stepping\t: 0\n";

const char* const kArm = "processor\t: 0\n"
                         "BogoMIPS\t: 48.00\n"
                         "Features\t: fp asimd evtstrm crc32\n"
                         "CPU implementer\t: 0x41\n"
                         "CPU architecture: 8\n"
                         "CPU variant\t: 0x0\n"
                         "CPU part\t: 0xd03\n"
                         "CPU revision\t: 4\n";

} // namespace

Q_DECLARE_METATYPE(ScreenIdentity)

class SystemInfoTest : public QObject {
    Q_OBJECT

private slots:
    void parseCpuInfo_readsFirstProcessor_data();
    void parseCpuInfo_readsFirstProcessor();
    void qtSystemInfo_changesCurrentDirectory();
    void qtSystemInfo_describesThisMachine();
    void uniqueScreenNames_tellScreensApart_data();
    void uniqueScreenNames_tellScreensApart();
    void screens_listedAndFoundByNameOrNumber();
    void chosenScreen_foundAgainUnderAnotherName_data();
    void chosenScreen_foundAgainUnderAnotherName();
};

void SystemInfoTest::uniqueScreenNames_tellScreensApart_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("distinct") << QStringList{"HDMI-1", "DP-2"} << QStringList{"HDMI-1", "DP-2"};
    QTest::newRow("separate X screens") << QStringList{"screen", "screen", "screen"}
                                        << QStringList{"screen", "screen #2", "screen #3"};
    QTest::newRow("a suffix already taken")
        << QStringList{"A #2", "A", "A"} << QStringList{"A #2", "A", "A #3"};
    QTest::newRow("nameless") << QStringList{"", "Screen 1", ""}
                              << QStringList{"Screen 1 #2", "Screen 1", "Screen 3"};
}

void SystemInfoTest::uniqueScreenNames_tellScreensApart() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, expected);
    QCOMPARE(uniqueScreenNames(names), expected);
}

void SystemInfoTest::chosenScreen_foundAgainUnderAnotherName_data() {
    QTest::addColumn<ScreenIdentity>("chosen");
    QTest::addColumn<qsizetype>("found");
    // A television chosen under X11, and the same screens under XWayland:
    // two televisions of one model, and the desk's screen.
    const QRect tvAt(1920, 0, 1920, 1080);
    QTest::newRow("by name") << ScreenIdentity{"XWAYLAND1", "LG", "TV", "B", tvAt} << qsizetype(1);
    QTest::newRow("by serial") << ScreenIdentity{"HDMI-1", "LG", "TV", "B", {}} << qsizetype(1);
    QTest::newRow("serial of another make")
        << ScreenIdentity{"HDMI-1", "Sony", "TV", "B", {}} << qsizetype(-1);
    QTest::newRow("by make, one screen of it")
        << ScreenIdentity{"DP-3", "Dell", "U2720Q", "", {}} << qsizetype(0);
    QTest::newRow("two of the make, then by place")
        << ScreenIdentity{"HDMI-1", "LG", "TV", "", tvAt} << qsizetype(1);
    QTest::newRow("two of the make, nowhere")
        << ScreenIdentity{"HDMI-1", "LG", "TV", "", QRect(0, 9, 5, 5)} << qsizetype(-1);
    QTest::newRow("nothing chosen") << ScreenIdentity{} << qsizetype(-1);
}

void SystemInfoTest::chosenScreen_foundAgainUnderAnotherName() {
    QFETCH(ScreenIdentity, chosen);
    QFETCH(qsizetype, found);
    const QList<ScreenEntry> screens{
        {"XWAYLAND0", QRect(0, 0, 1920, 1080), QSize(1920, 1080), true, "Dell", "U2720Q", "A"},
        {"XWAYLAND1", QRect(1920, 0, 1920, 1080), QSize(1920, 1080), false, "LG", "TV", "B"},
        {"XWAYLAND2", QRect(3840, 0, 1920, 1080), QSize(1920, 1080), false, "LG", "TV", "C"}};
    QCOMPARE(matchScreen(screens, chosen), found);
    // --screen takes what --list-screens prints of a screen, where it names one.
    QCOMPARE(screenListLine(1, screens[0]),
             QStringLiteral("1  XWAYLAND0  1920x1080+0+0  Dell U2720Q  (primary)"));
    QCOMPARE(findScreen(screens, QStringLiteral("U2720Q")), 0);
    QCOMPARE(findScreen(screens, QStringLiteral("Dell U2720Q")), 0);
    QCOMPARE(findScreen(screens, QStringLiteral("C")), 2);
    QCOMPARE(findScreen(screens, QStringLiteral("TV")), -1);
}

void SystemInfoTest::screens_listedAndFoundByNameOrNumber() {
    const QList<ScreenEntry> screens{
        {QStringLiteral("HDMI-1"), QRect(0, 0, 960, 540), QSize(1920, 1080), true},
        {QStringLiteral("2"), QRect(960, 0, 1280, 1024), QSize(1280, 1024), false}};
    QCOMPARE(screenListLine(1, screens[0]), QStringLiteral("1  HDMI-1  1920x1080+0+0  (primary)"));
    QCOMPARE(screenListLine(2, screens[1]), QStringLiteral("2  2  1280x1024+960+0"));
    QCOMPARE(screenMenuText(screens[0]), QStringLiteral("HDMI-1 (1920 \u00D7 1080)"));
    QCOMPARE(findScreen(screens, QStringLiteral("HDMI-1")), 0);
    QCOMPARE(findScreen(screens, QStringLiteral("1")), 0);
    // A name wins over a number.
    QCOMPARE(findScreen(screens, QStringLiteral("2")), 1);
    for (const char* none : {"3", "0", "-1", "hdmi-1", "", "1.0"}) {
        QCOMPARE(findScreen(screens, QString::fromLatin1(none)), -1);
    }
    // The live list: the offscreen platform's one screen, primary.
    const QList<ScreenEntry> live = connectedScreens();
    QCOMPARE(live.size(), 1);
    QVERIFY(live[0].primary);
    QCOMPARE(live[0].pixels, live[0].geometry.size());
    choosePlayScreen(QStringLiteral("not there"));
    const PlayScreenTarget target = playScreenTarget();
    QVERIFY(target.fellBack);
    QCOMPARE(target.screen, QGuiApplication::primaryScreen());
    QCOMPARE(QtSystemInfo().playScreenWidth(), live[0].pixels.width());
    choosePlayScreen(live[0].name);
    QVERIFY(!playScreenTarget().fellBack);
    choosePlayScreen(QString());
}

void SystemInfoTest::parseCpuInfo_readsFirstProcessor_data() {
    QTest::addColumn<QString>("cpuinfo");
    QTest::addColumn<QString>("architecture");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("revision");
    QTest::addColumn<int>("expectedCount");

    const QString two = QString::fromLatin1(kTwoProcessors);
    QTest::newRow("i386 family 4 is a 486")
        << QString::fromLatin1(kOld486) << "i386" << 1 << 486 << 4 << 0x0800 << 1;
    QTest::newRow("i386 family 6 is a 586") << two << "i386" << 2 << 586 << 6 << 0x3a09 << 2;
    QTest::newRow("i386 family 5 is a 586") << "cpu family : 5\nmodel : 2\nstepping : 12\n"
                                            << "i386" << 1 << 586 << 5 << 0x020c << 1;
    QTest::newRow("i386 family 3 is a 386") << "cpu family : 3\n"
                                            << "i386" << 1 << 386 << 3 << 0 << 1;
    QTest::newRow("x86_64") << two << "x86_64" << 8 << 8664 << 6 << 0x3a09 << 8;
    QTest::newRow("aarch64 has no type")
        << QString::fromLatin1(kArm) << "arm64" << 4 << 0 << 0 << 0 << 4;
    QTest::newRow("unknown architecture") << two << "riscv64" << 1 << 0 << 6 << 0x3a09 << 1;
    QTest::newRow("empty text") << QString() << "x86_64" << 1 << 8664 << 0 << 0 << 1;
    QTest::newRow("no processors counted is one")
        << two << "x86_64" << 0 << 8664 << 6 << 0x3a09 << 1;
    QTest::newRow("model name does not stand for model")
        << "model name : 77\ncpu family : 6\nstepping : 3\n"
        << "x86_64" << 1 << 8664 << 6 << 3 << 1;
    QTest::newRow("garbage values give zero") << "cpu family : six\nmodel : ?\nstepping : \n"
                                              << "x86_64" << 1 << 8664 << 0 << 0 << 1;
}

void SystemInfoTest::parseCpuInfo_readsFirstProcessor() {
    QFETCH(QString, cpuinfo);
    QFETCH(QString, architecture);
    QFETCH(int, count);
    QFETCH(int, type);
    QFETCH(int, level);
    QFETCH(int, revision);
    QFETCH(int, expectedCount);

    const ProcessorInfo info = parseCpuInfo(cpuinfo, architecture, count);
    QCOMPARE(info.type, type);
    QCOMPARE(info.level, level);
    QCOMPARE(info.revision, revision);
    QCOMPARE(info.count, expectedCount);
}

void SystemInfoTest::qtSystemInfo_changesCurrentDirectory() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QtSystemInfo info;
    const QString before = info.currentDirectory();
    QVERIFY(info.setCurrentDirectory(dir.path()));
    QCOMPARE(QDir(info.currentDirectory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    QVERIFY(!info.setCurrentDirectory(dir.filePath(QStringLiteral("missing"))));
    QCOMPARE(QDir(info.currentDirectory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    QVERIFY(info.setCurrentDirectory(before));
    QCOMPARE(info.currentDirectory(), before);
}

void SystemInfoTest::qtSystemInfo_describesThisMachine() {
    QtSystemInfo info;
    // The offscreen platform has one screen.
    QVERIFY(info.screenWidth() > 0);
    QVERIFY(info.screenHeight() > 0);
    // Linux kernels have been at major version 2 or later for decades.
    QVERIFY(info.majorVersion() >= 2);
    QVERIFY(info.minorVersion() >= 0);
    const ProcessorInfo cpu = info.processor();
    QVERIFY(cpu.count >= 1);
    if (QSysInfo::currentCpuArchitecture() == QLatin1String("x86_64")) {
        QCOMPARE(cpu.type, 8664);
        QVERIFY(cpu.level > 0);
    }
    QVERIFY(!info.windowsDirectory().isEmpty());
}

PLAKORA_TEST_MAIN(SystemInfoTest)

#include "test_platform_system_info.moc"
