// Board files as INI sections: the key table read and written, the integer
// rule, the image list file's name and the refusal of files that are no board.

#include "persistence/board_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_main.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using support::writeBytes;

namespace {

// A board with a different value in every field.
void fillBoard(BoardState& b, BoardFileFields& f) {
    b.TextFile1 = QStringLiteral("/boards/one.txt");
    b.TextFile2 = QStringLiteral("/boards/two words.txt");
    b.Text1FontName = QStringLiteral("Liberation Serif");
    b.Text2FontName = QStringLiteral("DejaVu Sans");
    b.MainTitleFontName = QStringLiteral("Liberation Sans");
    b.SecondTitleFontName = QStringLiteral("Courier");
    b.ClockFontName = QStringLiteral("Times");
    b.CrawlFontName = QStringLiteral("Helvetica");
    b.BitmapFile1 = QStringLiteral("/p/a.bmp");
    b.BitmapFile2 = QStringLiteral("/p/b.bmp");
    b.BitmapFile3 = QStringLiteral("/p/c.bmp");
    Colour c = 11;
    for (Colour* colour :
         {&b.PlayBackColor, &b.Text1Color, &b.Text1BackColor, &b.Text2Color, &b.Text2BackColor,
          &b.MainTitleColor, &b.MainTitleBackColor, &b.SecondTitleColor, &b.SecondTitleBackColor,
          &b.ClockColor, &b.ClockBackColor, &b.CrawlColor, &b.CrawlBackColor}) {
        *colour = c;
        c += 0x10101;
    }
    b.CrawlBackColor = 0x80000005; // beyond 31 bits
    b.Box1Width = 401;
    b.Box2Width = 402;
    b.PagePause1 = true;
    b.PagePause2 = true;
    b.Box1Delay = 7;
    b.Box2Delay = 8;
    b.CrawlDelay = 9;
    b.BorderWidth = 4;
    b.Box1PageHeight = 120;
    b.Box2PageHeight = 121;
    b.Box1Height = 300;
    b.Box2Height = 301;
    b.Text1FontSize = 21;
    b.Text2FontSize = 22;
    b.MainTitleFontSize = 23;
    b.SecondTitleFontSize = 24;
    b.ClockFontSize = 25;
    b.CrawlFontSize = 26;
    b.AlignScreen = true;
    b.ClockOn = true;
    b.CenterText1 = true;
    b.CenterText2 = true;
    b.CTMFlag = true;
    f.MainTitle = QStringLiteral("\"Quoted\" title");
    f.SecondTitle = QStringLiteral("  leading blanks");
    f.CrawlLine = QStringLiteral("News of the day   ");
    f.Left = -4;
    f.Top = 12;
    f.Width = 640;
    f.Height = 480;
    f.PlayTime = 17;
    f.ImageStretch = true;
}

} // namespace

class BoardFileTest : public QObject {
    Q_OBJECT

private slots:
    void integers_data();
    void integers();
    void roundTrip_everyKey();
    void write_sectionsInOrder_keyCaseAsTabled_foreignSectionsKept();
    void write_lineBreak_namesTheKey();
    void read_missingKeysTakeDefaults();
    void read_matchesWithoutCase();
    void imageListName_data();
    void imageListName();
    void existingImageList_newNameFirstThenOld();
    void readBoardFile_refusesWhatIsNoBoard();
    void playScreenSetting_keptBesideTheLastBoard();
    void read_byteOrderMark_readPast();
    void liveSection_writtenOnlyOffDefaults_data();
    void liveSection_writtenOnlyOffDefaults();
    void liveSection_read_data();
    void liveSection_read();
};

void BoardFileTest::integers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // -99 stands for "no number"
    QTest::newRow("decimal") << "42" << 42;
    QTest::newRow("negative") << "-17" << -17;
    QTest::newRow("plus") << "+5" << 5;
    QTest::newRow("leading zeros") << "0000000000012" << 12;
    QTest::newRow("dollar hex") << "$1F" << 31;
    QTest::newRow("dollar all ones") << "$FFFFFFFF" << -1;
    QTest::newRow("0x hex") << "0x20" << 32;
    QTest::newRow("0X hex") << "0X7f" << 127;
    QTest::newRow("0x alone") << "0x" << -99;
    QTest::newRow("letters") << "abc" << -99;
    QTest::newRow("empty") << "" << -99;
    QTest::newRow("trailing junk") << "12abc" << -99;
    QTest::newRow("inner blank") << "1 2" << -99;
    QTest::newRow("beyond 32 bits") << "4294967296" << -99;
    QTest::newRow("smallest") << "-2147483648" << INT32_MIN;
    QTest::newRow("hex beyond 32 bits") << "$100000000" << -99;
    QTest::newRow("sign alone") << "-" << -99;
    QTest::newRow("arabic digits") << "\u0661\u0662" << -99;
}

void BoardFileTest::integers() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    const std::optional<std::int32_t> parsed = parseBoardInteger(text);
    if (expected == -99) {
        QVERIFY2(!parsed, qPrintable(QString::number(parsed.value_or(0))));
    } else {
        QCOMPARE(parsed, std::optional<std::int32_t>(expected));
    }
}

void BoardFileTest::roundTrip_everyKey() {
    BoardState written;
    BoardFileFields fields;
    fillBoard(written, fields);
    IniFile ini;
    QCOMPARE(writeBoardSections(ini, written, fields, QStringLiteral("stamp")), QString());

    BoardState read;
    BoardFileFields back;
    readBoardSections(IniFile::fromBytes(ini.toBytes()), read, back, 1024, 768);
    QCOMPARE(read.TextFile1, written.TextFile1);
    QCOMPARE(read.TextFile2, written.TextFile2);
    QCOMPARE(read.Text1FontName, written.Text1FontName);
    QCOMPARE(read.CrawlFontName, written.CrawlFontName);
    QCOMPARE(read.BitmapFile3, written.BitmapFile3);
    QCOMPARE(read.PlayBackColor, written.PlayBackColor);
    QCOMPARE(read.ClockBackColor, written.ClockBackColor);
    QCOMPARE(read.CrawlBackColor, written.CrawlBackColor);
    QCOMPARE(read.Box1Width, 401);
    QCOMPARE(read.Box2Width, 402);
    QVERIFY(read.PagePause1.load());
    QVERIFY(read.PagePause2);
    QCOMPARE(read.Box1Delay.load(), 7);
    QCOMPARE(read.Box2Delay.load(), 8);
    QCOMPARE(read.CrawlDelay.load(), 9);
    QCOMPARE(read.BorderWidth, 4);
    QCOMPARE(read.Box1PageHeight.load(), 120);
    QCOMPARE(read.Box2PageHeight, 121);
    QCOMPARE(read.Box1Height, 300);
    QCOMPARE(read.Box2Height, 301);
    QCOMPARE(read.Text1FontSize, 21);
    QCOMPARE(read.CrawlFontSize, 26);
    QVERIFY(read.AlignScreen && read.ClockOn && read.CenterText1 && read.CenterText2 &&
            read.CTMFlag);
    QCOMPARE(back.MainTitle, fields.MainTitle);
    QCOMPARE(back.SecondTitle, fields.SecondTitle);
    QCOMPARE(back.CrawlLine, fields.CrawlLine);
    QCOMPARE(back.Left, -4);
    QCOMPARE(back.Top, 12);
    QCOMPARE(back.Width, 640);
    QCOMPARE(back.Height, 480);
    QCOMPARE(back.PlayTime, 17);
    QVERIFY(back.ImageStretch);

    // Colours are their 32-bit values as signed decimals.
    QCOMPARE(ini.value(QStringLiteral("COLORS"), QStringLiteral("Pc6B")),
             std::optional<QString>(QStringLiteral("-2147483643")));
}

void BoardFileTest::write_sectionsInOrder_keyCaseAsTabled_foreignSectionsKept() {
    IniFile ini = IniFile::fromBytes("[Mine]\r\nkeep=1\r\n[CALCS]\r\nOld=gone\r\nBox1W=1\r\n"
                                     "; a note\r\n[After]\r\nx=y\r\n");
    BoardState board;
    board.BoardFileName = QStringLiteral("  /boards/news.sfg\t");
    BoardFileFields fields;
    QCOMPARE(writeBoardSections(ini, board, fields, QStringLiteral("1/2/26 10:00:00")), QString());
    QCOMPARE(writeBoardSections(ini, board, fields, QStringLiteral("1/2/26 10:00:01")), QString());

    // Saving twice writes each section once, after the sections the board
    // does not use, which stay where they were.
    QCOMPARE(ini.sectionNames(),
             (QStringList{"Mine", "After", "Program", "Stuff", "COLORS", "CALCS", "BUTTONS"}));
    const QByteArray bytes = ini.toBytes();
    QVERIFY(bytes.startsWith("[Mine]\r\nkeep=1\r\n"));
    QVERIFY(!bytes.contains("Old=gone"));
    QVERIFY(bytes.contains("[Program]\r\nProject=/boards/news.sfg\r\n"
                           "Project Save=1/2/26 10:00:01\r\n[Stuff]\r\nFILE1=\r\n"));
    QVERIFY(bytes.contains("\r\nMW=0\r\nMH=0\r\n[COLORS]\r\nPBK=0\r\n"));
    QVERIFY(bytes.contains("\r\nPc6B=0\r\n[CALCS]\r\nBox1W=0\r\nBox2W=0\r\nSC1P=0\r\n"));
    QVERIFY(bytes.contains("\r\nfs6=0\r\n[BUTTONS]\r\nALS=0\r\nKLC=0\r\nCt1=0\r\nCt2=0\r\n"
                           "CTM=0\r\nImg1Str=0\r\n"));
    QVERIFY(bytes.endsWith("Img1Str=0\r\n"));
    QCOMPARE(bytes.count("Box1W="), 1);
}

void BoardFileTest::write_lineBreak_namesTheKey() {
    BoardState board;
    BoardFileFields fields;
    board.TextFile2 = QStringLiteral("/tmp/evil\n[BUTTONS]\nKLC=1.txt");
    IniFile ini = IniFile::fromBytes("[Stuff]\r\nFILE1=x\r\n");
    QCOMPARE(writeBoardSections(ini, board, fields, QString()), QStringLiteral("FILE2"));
    fields.CrawlLine = QStringLiteral("a\rb");
    board.TextFile2.clear();
    QCOMPARE(writeBoardSections(ini, board, fields, QString()), QStringLiteral("T3L"));
}

void BoardFileTest::read_missingKeysTakeDefaults() {
    // Unreadable integers take the key's default; missing ones too.
    const IniFile ini = IniFile::fromBytes("[CALCS]\r\nPND1=abc\r\nPND2=0x20\r\nCLR=\r\n"
                                           "BS=-3\r\n[BUTTONS]\r\nKLC=7\r\nALS=yes\r\n");
    BoardState b;
    b.TextFile1 = QStringLiteral("before");
    BoardFileFields f;
    f.PlayTime = 9;
    readBoardSections(ini, b, f, 1024, 768);
    QCOMPARE(b.Box1Delay.load(), 1);
    QCOMPARE(b.Box2Delay.load(), 32);
    QCOMPARE(b.CrawlDelay.load(), 1);
    QCOMPARE(f.PlayTime, 0);
    QCOMPARE(b.BorderWidth, -3);
    QVERIFY(b.ClockOn);
    QVERIFY(!b.AlignScreen);
    QCOMPARE(b.TextFile1, QString());
    QCOMPARE(b.Text1FontName, QStringLiteral("Arial"));
    QCOMPARE(b.ClockFontName, QStringLiteral("Arial"));
    QCOMPARE(f.Left, 0);
    QCOMPARE(f.Top, 0);
    QCOMPARE(f.Width, 1024);
    QCOMPARE(f.Height, 768);
    QCOMPARE(b.PlayBackColor, 0u);
}

void BoardFileTest::read_matchesWithoutCase() {
    const IniFile ini = IniFile::fromBytes("[stuff]\nMt=120\nt1l=Hello\n[calcs]\nbox1w=33\n");
    BoardState b;
    BoardFileFields f;
    readBoardSections(ini, b, f, 800, 600);
    QCOMPARE(f.Top, 120);
    QCOMPARE(f.MainTitle, QStringLiteral("Hello"));
    QCOMPARE(b.Box1Width, 33);
}

void BoardFileTest::imageListName_data() {
    QTest::addColumn<QString>("board");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("legacy");
    QTest::newRow("dotted folder") << "/x/Shows.2/board.sfg"
                                   << "/x/Shows.2/board.LFG"
                                   << "/x/Shows.LFG";
    QTest::newRow("plain") << "/home/op/news.SFG"
                           << "/home/op/news.LFG"
                           << "/home/op/news.LFG";
    QTest::newRow("no extension") << "/home/op/news"
                                  << "/home/op/news.LFG"
                                  << "/home/op/news.LFG";
    QTest::newRow("two dots in name") << "/b/a.b.sfg"
                                      << "/b/a.b.LFG"
                                      << "/b/a.LFG";
    QTest::newRow("hidden file") << "/b/.sfg"
                                 << "/b/.sfg.LFG"
                                 << "/b/.LFG";
    QTest::newRow("board named like its list") << "/b/x.LFG"
                                               << "/b/x.LFG.LFG"
                                               << "/b/x.LFG";
    QTest::newRow("bare name") << "board.sfg"
                               << "board.LFG"
                               << "board.LFG";
}

void BoardFileTest::imageListName() {
    QFETCH(QString, board);
    QFETCH(QString, list);
    QFETCH(QString, legacy);
    QCOMPARE(imageListPath(board), list);
    QCOMPARE(legacyImageListPath(board), legacy);
}

void BoardFileTest::existingImageList_newNameFirstThenOld() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Shows.2")));
    const QString board = dir.filePath("Shows.2/board.sfg");
    QCOMPARE(existingImageListPath(board), std::nullopt);
    writeBytes(dir.filePath("Shows.LFG"), "old\r\n");
    QCOMPARE(existingImageListPath(board), std::optional<QString>(dir.filePath("Shows.LFG")));
    writeBytes(dir.filePath("Shows.2/board.LFG"), "new\r\n");
    QCOMPARE(existingImageListPath(board),
             std::optional<QString>(dir.filePath("Shows.2/board.LFG")));
}

void BoardFileTest::playScreenSetting_keptBesideTheLastBoard() {
    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path());
    QCOMPARE(readPlayScreenSetting(path), QString());
    // Written into a settings file that does not exist yet, then beside the
    // last board, which stays as it was.
    QCOMPARE(writePlayScreenSetting(path, QStringLiteral("HDMI-1")), QString());
    writeBytes(path, "[Stuff]\r\nLastSFGfile=/x/b.SFG\r\n");
    QCOMPARE(writePlayScreenSetting(path, QStringLiteral("DP-2")), QString());
    QCOMPARE(readPlayScreenSetting(path), QStringLiteral("DP-2"));
    const IniReadResult read = readSettingsFile(path);
    QCOMPARE(read.file.readString("Stuff", "LastSFGfile", QString()), QStringLiteral("/x/b.SFG"));
    // What the screen reports of itself is kept beside its name, and goes
    // with it.
    const ScreenIdentity tv{"HDMI-1", "LG", "TV 55", "B-1", QRect(1920, -10, 1280, 720)};
    QCOMPARE(writePlayScreenIdentity(path, tv), QString());
    QCOMPARE(readPlayScreenIdentity(path), tv);
    QCOMPARE(writePlayScreenSetting(path, QStringLiteral("DP-2")), QString());
    QCOMPARE(readPlayScreenIdentity(path), (ScreenIdentity{"DP-2", {}, {}, {}, {}}));
    // No name takes the entry out: the primary screen again.
    QCOMPARE(writePlayScreenSetting(path, QString()), QString());
    QCOMPARE(readPlayScreenSetting(path), QString());
    QCOMPARE(readSettingsFile(path).file.readString("Stuff", "LastSFGfile", QString()),
             QStringLiteral("/x/b.SFG"));
    // A file that is no settings file is neither read nor replaced.
    const QByteArray binary("\x01\x02\x03\x04\x05\x06\x07\x08\x0e\x0f", 10);
    writeBytes(path, binary.repeated(50));
    QCOMPARE(readPlayScreenSetting(path), QString());
    QCOMPARE(writePlayScreenSetting(path, QStringLiteral("DP-2")),
             QStringLiteral("\"%1\" is not a Plakora settings file.").arg(path));
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), binary.repeated(50));
}

void BoardFileTest::readBoardFile_refusesWhatIsNoBoard() {
    QTemporaryDir dir;
    // The board file and the settings file are refused alike, each within
    // its own size.
    struct Case {
        const char* name;
        QByteArray bytes;
        bool board;
        bool settings;
    };
    const QByteArray megabyteLine = "[Stuff]\r\nT1L=" + QByteArray(1024 * 1024, 'x') + "\r\n";
    const QList<Case> cases = {
        {"empty", QByteArray(), true, true},
        {"board", "[Stuff]\r\nT1L=Hi\r\n", true, true},
        {"megabyte on one line", megabyteLine, true, false},
        {"unterminated header", "[Stuff\r\nT1L=x", true, true},
        {"NUL bytes", QByteArray("[Stuff]\0\r\nT1L=x\r\n", 17), false, false},
        {"binary", QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08\x0e\x0f", 10).repeated(50), false,
         false},
        {"too large", QByteArray(kMaxBoardFileBytes + 1, 'a'), false, false},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        writeBytes(path, c.bytes);
        const BoardFileRead read = readBoardFile(path);
        QVERIFY2(read.ok() == c.board, c.name);
        if (!c.board) {
            QVERIFY2(read.error.contains(path), c.name);
        }
        const IniReadResult settings = readSettingsFile(path);
        QVERIFY2(settings.ok() == c.settings, c.name);
        QVERIFY2(settings.exists, c.name);
        if (!c.settings) {
            QCOMPARE(settings.error,
                     QStringLiteral("\"%1\" is not a Plakora settings file.").arg(path));
        }
    }
    for (const QString& path : {QStringLiteral("/dev/zero"), dir.path()}) {
        QVERIFY(!readBoardFile(path).ok());
        QVERIFY(!readSettingsFile(path).ok());
    }
    const IniReadResult missing = readSettingsFile(dir.filePath("none.INI"));
    QVERIFY(missing.ok());
    QVERIFY(!missing.exists);

    const BoardFileRead big = readBoardFile(dir.filePath("megabyte on one line"));
    BoardState b;
    BoardFileFields f;
    readBoardSections(big.ini, b, f, 800, 600);
    QCOMPARE(f.MainTitle.size(), 1024 * 1024);
}

void BoardFileTest::read_byteOrderMark_readPast() {
    QTemporaryDir dir;
    const QString path = dir.filePath("marked.sfg");
    writeBytes(path, "\xEF\xBB\xBF[Stuff]\r\nT1L=Marked\r\n");
    const BoardFileRead read = readBoardFile(path);
    QVERIFY(read.ok());
    BoardState b;
    BoardFileFields f;
    readBoardSections(read.ini, b, f, 800, 600);
    QCOMPARE(f.MainTitle, QStringLiteral("Marked"));
}

void BoardFileTest::liveSection_writtenOnlyOffDefaults_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("refresh");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QByteArray>("section"); // the [Live] section's bytes, empty for none
    const QString bullet = QString::fromUtf8(kDefaultCrawlSeparator);
    QTest::newRow("defaults") << "" << 300 << bullet << QByteArray();
    QTest::newRow("text file") << "/b/news items.txt" << 300 << bullet
                               << QByteArray(
                                      "[Live]\r\nCrawlFile=/b/news items.txt\r\nCrawlFeed=\r\n"
                                      "CrawlRefresh=300\r\n"
                                      "CrawlSeparator=\"   \xE2\x80\xA2   \"\r\n");
    QTest::newRow("refresh, quoted separator")
        << "" << 45 << "\" | \""
        << QByteArray("[Live]\r\nCrawlFile=\r\nCrawlFeed=\r\nCrawlRefresh=45\r\n"
                      "CrawlSeparator=\"\" | \"\"\r\n");
}

void BoardFileTest::liveSection_writtenOnlyOffDefaults() {
    QFETCH(QString, file);
    QFETCH(int, refresh);
    QFETCH(QString, separator);
    QFETCH(QByteArray, section);
    BoardState board;
    BoardFileFields fields;
    board.CrawlFile = file;
    board.CrawlRefresh = refresh;
    board.CrawlSeparator = separator;
    IniFile fresh;
    QCOMPARE(writeBoardSections(fresh, board, fields, QStringLiteral("stamp")), QString());
    const QByteArray bytes = fresh.toBytes();
    QVERIFY(bytes.endsWith("Img1Str=0\r\n" + section));
    QCOMPARE(bytes.count("[Live]"), section.isEmpty() ? 0 : 1);

    // Saved over a board with another crawl source, the file is the same.
    BoardState before;
    before.CrawlFeed = QStringLiteral("https://news.example/rss");
    IniFile saved;
    QCOMPARE(writeBoardSections(saved, before, fields, QStringLiteral("stamp")), QString());
    QCOMPARE(writeBoardSections(saved, board, fields, QStringLiteral("stamp")), QString());
    QCOMPARE(saved.toBytes(), bytes);

    BoardState read;
    readBoardSections(IniFile::fromBytes(bytes), read, fields, 800, 600);
    QCOMPARE(read.CrawlFile, file);
    QCOMPARE(read.CrawlRefresh, refresh);
    QCOMPARE(read.CrawlSeparator, separator);
}

void BoardFileTest::liveSection_read_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("refresh");
    QTest::addColumn<QString>("separator");
    const QString bullet = QString::fromUtf8(kDefaultCrawlSeparator);
    QTest::newRow("older board") << QByteArray("[Stuff]\r\nT3L=News\r\n") << 300 << bullet;
    QTest::newRow("refresh below") << QByteArray("[live]\ncrawlrefresh=3\n") << 10 << bullet;
    QTest::newRow("refresh unreadable")
        << QByteArray("[Live]\nCrawlRefresh=5 min\n") << 300 << bullet;
    QTest::newRow("separator from an 8-bit system")
        << QByteArray("[Live]\nCrawlSeparator=\" \x95 \"\n") << 300 << QStringLiteral(" \u2022 ");
}

void BoardFileTest::liveSection_read() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, refresh);
    QFETCH(QString, separator);
    BoardState b;
    b.CrawlFeed = QStringLiteral("left over");
    BoardFileFields f;
    readBoardSections(IniFile::fromBytes(bytes), b, f, 800, 600);
    QCOMPARE(b.CrawlFeed, QString());
    QCOMPARE(b.CrawlRefresh, refresh);
    QCOMPARE(b.CrawlSeparator, separator);
}

PLAKORA_TEST_MAIN(BoardFileTest)
#include "test_board_file.moc"
