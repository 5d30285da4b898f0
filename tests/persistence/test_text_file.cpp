// Reading and writing text object files.

#include "persistence/file_guard.h"
#include "persistence/ini_file.h"
#include "persistence/text_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_main.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

using support::readBytes;
using support::writeBytes;

class TextFileTest : public QObject {
    Q_OBJECT

private slots:
    void split_lineEnds_data();
    void split_lineEnds();
    void decode_utf8OrWindows1252_data();
    void decode_utf8OrWindows1252();
    void read_missingFile_reportsPathAndChangesNothing();
    void read_binaryOrHugeFile_refusedWithMessage();
    void read_devicesFifosAndControlText_refused();
    void write_crlfAfterEveryLine_utf8();
    void write_intoMissingFolder_failsAndLeavesNothing();
    void write_failure_keepsPreviousFile();
    void write_failingStep_keepsPreviousFile_data();
    void write_failingStep_keepsPreviousFile();
    void write_keepsLinkAndPermissions();
    void lineLimits_data();
    void lineLimits();
    void read_tooManyLinesOrTooLongALine_refused();
};

void TextFileTest::split_lineEnds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("one line, no break") << "one" << QStringList{"one"};
    QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("LF") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("CR") << "a\rb\r" << QStringList{"a", "b"};
    QTest::newRow("mixed") << "a\r\nb\nc\rd" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("empty lines kept") << "a\n\n\nb" << QStringList{"a", "", "", "b"};
    QTest::newRow("trailing empty line") << "a\n\n" << QStringList{"a", ""};
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
}

void TextFileTest::split_lineEnds() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(splitTextLines(text), lines);
}

void TextFileTest::decode_utf8OrWindows1252_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("plain") << QStringLiteral("plain");
    QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac") << QStringLiteral("café €");
    QTest::newRow("utf-8 with BOM") << QByteArray("\xef\xbb\xbfhi") << QStringLiteral("hi");
    QTest::newRow("1252 accents") << QByteArray("caf\xe9") << QStringLiteral("café");
    QTest::newRow("1252 euro and quotes")
        << QByteArray("\x80 \x93q\x94") << QStringLiteral("€ \u201cq\u201d");
    QTest::newRow("truncated utf-8 falls back") << QByteArray("ab\xc3") << QStringLiteral("abÃ");
}

void TextFileTest::decode_utf8OrWindows1252() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeText(bytes), text);
}

void TextFileTest::read_missingFile_reportsPathAndChangesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath("absent.txt");
    const TextFileResult r = readTextFile(path);
    QVERIFY(!r.ok());
    QVERIFY(r.error.contains(path));
    QVERIFY(r.lines.isEmpty());

    writeBytes(dir.filePath("w.txt"), "line one\r\nline two\r\n");
    const TextFileResult good = readTextFile(dir.filePath("w.txt"));
    QVERIFY(good.ok());
    QCOMPARE(good.lines, (QStringList{"line one", "line two"}));
}

void TextFileTest::read_binaryOrHugeFile_refusedWithMessage() {
    QTemporaryDir dir;
    const QString binary = dir.filePath("picture.bmp");
    writeBytes(binary, QByteArray("BM\x36\0\0\0line", 10));
    const TextFileResult r = readTextFile(binary);
    QVERIFY(!r.ok());
    QVERIFY(r.error.contains(QStringLiteral("not a text file")));
    QVERIFY(r.lines.isEmpty());

    const QString huge = dir.filePath("huge.txt");
    {
        QFile f(huge);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(kMaxTextFileBytes + 1));
    }
    const TextFileResult big = readTextFile(huge);
    QVERIFY(!big.ok());
    QVERIFY(big.error.contains(QStringLiteral("too large")));

    // An ordinary file is still read.
    const QString fits = dir.filePath("fits.txt");
    writeBytes(fits, QByteArray(1000, 'a') + "\r\n");
    QVERIFY(readTextFile(fits).ok());
}

void TextFileTest::read_devicesFifosAndControlText_refused() {
    // A device claims a size of 0 and never ends; a FIFO would block until a
    // writer came. Neither is opened for reading.
    const TextFileResult zero = readTextFile(QStringLiteral("/dev/zero"));
    QVERIFY(!zero.ok());
    QVERIFY(zero.error.contains(QStringLiteral("not a file")));

    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.txt");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(!readTextFile(fifo).ok());
    QVERIFY(!readTextFile(dir.path()).ok());

    // Bytes without a NUL that are mostly control characters are no text.
    QByteArray junk;
    for (int i = 0; i < 400; ++i) {
        junk.append(static_cast<char>(1 + i % 8));
        if (i % 5 == 0) {
            junk.append('a');
        }
    }
    const QString binary = dir.filePath("junk.txt");
    writeBytes(binary, junk);
    const TextFileResult r = readTextFile(binary);
    QVERIFY(!r.ok());
    QVERIFY(r.error.contains(QStringLiteral("not a text file")));

    // A stray control character in real text is kept.
    const QString text = dir.filePath("text.txt");
    writeBytes(text, "Tab\there, bell \x07 once, form feed\x0c\r\nsecond line\r\n");
    const TextFileResult ok = readTextFile(text);
    QVERIFY(ok.ok());
    QCOMPARE(ok.lines.size(), 2);

    // At most the limit is read, whatever the file claims.
    const FileBytesResult cut = readFileBytes(text, 10);
    QCOMPARE(cut.failure, FileBytesResult::Failure::TooLarge);
    QVERIFY(cut.bytes.isEmpty());
}

void TextFileTest::write_crlfAfterEveryLine_utf8() {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    QCOMPARE(writeTextFile(path, {"first", "", "zweite Zeile \u00e4"}), QString());
    QCOMPARE(readBytes(path), QByteArray("first\r\n\r\nzweite Zeile \xc3\xa4\r\n"));
    QCOMPARE(readTextFile(path).lines, (QStringList{"first", "", "zweite Zeile \u00e4"}));
}

void TextFileTest::write_intoMissingFolder_failsAndLeavesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath("no/such/folder/out.txt");
    const QString error = writeTextFile(path, {"x"});
    QVERIFY(!error.isEmpty());
    QVERIFY(error.contains(path));
    QVERIFY(!QFile::exists(path));
}

void TextFileTest::write_failure_keepsPreviousFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.txt");
    writeBytes(path, "old\r\n");
    // A file size limit makes the write fail half-way, whoever runs the test.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 64;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const QString error = writeTextFile(path, {QString(500, QLatin1Char('x'))});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!error.isEmpty());
    QCOMPARE(readBytes(path), QByteArray("old\r\n"));
    // No half-written temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.txt"});
}

void TextFileTest::write_failingStep_keepsPreviousFile_data() {
    QTest::addColumn<QByteArray>("step");
    QTest::addColumn<bool>("ini");
    for (const char* step : {"write", "sync", "close"}) {
        QTest::addRow("text, %s fails", step) << QByteArray(step) << false;
        QTest::addRow("settings, %s fails", step) << QByteArray(step) << true;
    }
}

void TextFileTest::write_failingStep_keepsPreviousFile() {
    // A disk may report its failure only when the data is synced or the file
    // closed; the old file must still be there then.
    QFETCH(QByteArray, step);
    QFETCH(bool, ini);
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.txt");
    writeBytes(path, "old\r\n");
    file_guard_testing::failNextWriteStep(step.constData());
    QString error;
    if (ini) {
        IniFile file;
        QVERIFY(file.write(QStringLiteral("Stuff"), QStringLiteral("Key"), QStringLiteral("new")));
        error = writeIniFile(path, file);
    } else {
        error = writeTextFile(path, {"new"});
    }
    QVERIFY(error.startsWith(QStringLiteral("Write error on \"%1\".").arg(path)));
    QCOMPARE(readBytes(path), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.txt"});
    // The next write goes through.
    QCOMPARE(writeTextFile(path, {"new"}), QString());
    QCOMPARE(readBytes(path), QByteArray("new\r\n"));
}

void TextFileTest::write_keepsLinkAndPermissions() {
    QTemporaryDir dir;
    const QString target = dir.filePath("real.txt");
    const QString link = dir.filePath("link.txt");
    writeBytes(target, "old\r\n");
    QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadGroup));
    QVERIFY(QFile::link(target, link));
    QCOMPARE(writeTextFile(link, {"new"}), QString());
    // The link still points at the file, which now holds the new text.
    QCOMPARE(QFileInfo(link).symLinkTarget(), target);
    QCOMPARE(readBytes(target), QByteArray("new\r\n"));
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(target).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0640));
}

void TextFileTest::lineLimits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("within");
    // At most 3 lines of at most 4 characters.
    QTest::addRow("empty") << QString() << true;
    QTest::addRow("three lines") << "abcd\r\nefgh\nijkl" << true;
    QTest::addRow("three lines, last broken") << "a\rb\r\nc\n" << true;
    QTest::addRow("four lines") << "a\nb\nc\nd" << false;
    QTest::addRow("four empty lines") << "\n\n\n\n" << false;
    QTest::addRow("CR LF is one break") << "\r\n\r\n\r\n" << true;
    QTest::addRow("line too long") << "abcde" << false;
    QTest::addRow("long line after a break") << "ab\nabcde\n" << false;
}

void TextFileTest::lineLimits() {
    QFETCH(QString, text);
    QFETCH(bool, within);
    QCOMPARE(withinLineLimits(text, 3, 4), within);
    if (within) {
        QVERIFY(splitTextLines(text).size() <= 3);
    }
}

void TextFileTest::read_tooManyLinesOrTooLongALine_refused() {
    QTemporaryDir dir;
    // A long text object still loads.
    const QString longText = dir.filePath("long.txt");
    writeBytes(longText, QByteArray("line\r\n").repeated(100000));
    QCOMPARE(readTextFile(longText).lines.size(), 100000);

    const QString breaks = dir.filePath("breaks.txt");
    writeBytes(breaks, QByteArray(kMaxTextLines + 1, '\n'));
    const TextFileResult many = readTextFile(breaks);
    QCOMPARE(many.error,
             QStringLiteral("The file \"%1\" is too large for a text object.").arg(breaks));
    QVERIFY(many.lines.isEmpty());
    writeBytes(breaks, QByteArray(kMaxTextLines, '\n'));
    QCOMPARE(readTextFile(breaks).lines.size(), kMaxTextLines);

    const QString wide = dir.filePath("wide.txt");
    writeBytes(wide, "short\r\n" + QByteArray(kMaxTextLineChars + 1, 'w') + "\r\n");
    QVERIFY(!readTextFile(wide).ok());
    // The refusal names the kind of file it was read for.
    QCOMPARE(readTextFile(wide, TextKind::ImageList).error,
             QStringLiteral("The file \"%1\" is too large for an image list.").arg(wide));
}

PLAKORA_TEST_MAIN(TextFileTest)
#include "test_text_file.moc"
