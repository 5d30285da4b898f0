// The INI service beyond the recorded cases: values that need quoting, what
// a write refuses, 8-bit lines, exact bytes through a round trip, hostile
// input, and reading and writing whole files.

#include "persistence/ini_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_main.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstddef>

#include <sys/resource.h>
#include <sys/stat.h>

using support::readBytes;
using support::writeBytes;

namespace {

// A byte string literal whole, NULs included.
template <std::size_t N> QByteArray bytesOf(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

const QByteArray kBoard("[Program]\r\nVersion=1.3\r\n; colours follow\r\n[COLORS]\r\n"
                        "Back=255\r\nFore=0\r\n");

constexpr qint64 kLimit = 64 * 1024 * 1024;

} // namespace

class IniFileTest : public QObject {
    Q_OBJECT

private slots:
    void awkwardValue_readsBackExactly_data();
    void awkwardValue_readsBackExactly();
    void unwritable_refusedAndNothingChanges_data();
    void unwritable_refusedAndNothingChanges();
    void windows1252Line_readAsText_keptWhileAnotherLineIsRewritten();
    void byteOrderMark_doesNotHideFirstHeader();
    void bytes_roundTripExactly_data();
    void bytes_roundTripExactly();
    void deleteSection_everySectionOfTheName_commentsStay();
    void readProfileInt_data();
    void readProfileInt();
    void hostileInput_readWhole_data();
    void hostileInput_readWhole();
    void readIniFile_missingFile_isEmptyWithoutError();
    void readIniFile_notARegularFile_error_data();
    void readIniFile_notARegularFile_error();
    void writeIniFile_failure_keepsOldFile();
};

void IniFileTest::awkwardValue_readsBackExactly_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("three trailing blanks") << QStringLiteral("abc   ");
    QTest::newRow("leading tab and vertical tab") << QStringLiteral("\t\vabc");
    QTest::newRow("only blanks") << QStringLiteral("   ");
    QTest::newRow("empty") << QString();
    QTest::newRow("in double quotes") << QStringLiteral("\"abc\"");
    QTest::newRow("in single quotes, blank inside") << QStringLiteral("' abc '");
    QTest::newRow("lone quote") << QStringLiteral("\"");
    QTest::newRow("two quotes") << QStringLiteral("\"\"");
    QTest::newRow("mismatched quotes") << QStringLiteral("'abc\"");
    QTest::newRow("equals, semicolon, brackets") << QStringLiteral("=;[x]=");
    QTest::newRow("NUL inside") << QString::fromUtf16(u"a\0b", 3);
    QTest::newRow("1500 characters") << QStringLiteral("a b ").repeated(375);
    QTest::newRow("non-Latin") << QStringLiteral("Ελληνικά, русский, 日本語 😀");
}

// Into a new section, into a new key of a section and over an existing key:
// the value reads back as written, in memory and from the bytes.
void IniFileTest::awkwardValue_readsBackExactly() {
    QFETCH(QString, value);
    IniFile file = IniFile::fromBytes(kBoard);
    QVERIFY(file.write("Program", "Version", value));
    QVERIFY(file.write("COLORS", "Middle", value));
    QVERIFY(file.write("Stuff", "Text1", value));
    const IniFile reread = IniFile::fromBytes(file.toBytes());
    for (const IniFile* f : {static_cast<const IniFile*>(&file), &reread}) {
        QCOMPARE(f->value("Program", "Version"), std::optional<QString>(value));
        QCOMPARE(f->value("COLORS", "Middle"), std::optional<QString>(value));
        QCOMPARE(f->value("Stuff", "Text1"), std::optional<QString>(value));
        QCOMPARE(f->value("COLORS", "Back"), std::optional<QString>("255"));
    }
    QCOMPARE(reread.sectionNames(), (QStringList{"Program", "COLORS", "Stuff"}));
}

void IniFileTest::unwritable_refusedAndNothingChanges_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("LF in a value") << "COLORS"
                                   << "Back"
                                   << "1\n[Evil]";
    QTest::newRow("CR in a value") << "COLORS"
                                   << "Back"
                                   << "1\r2";
    QTest::newRow("CR LF in a key") << "COLORS"
                                    << "a\r\nb"
                                    << "1";
    QTest::newRow("LF in a section") << "COL\nORS"
                                     << "Back"
                                     << "1";
    QTest::newRow("key with =") << "COLORS"
                                << "Back=Fore"
                                << "1";
    QTest::newRow("key opening with ;") << "COLORS"
                                        << " ;Back"
                                        << "1";
    QTest::newRow("key opening with [") << "COLORS"
                                        << "[Back"
                                        << "1";
    QTest::newRow("key ending in a tab") << "COLORS"
                                         << "Back\t"
                                         << "1";
    QTest::newRow("section with ]") << "COLORS]x"
                                    << "Back"
                                    << "1";
    QTest::newRow("section opening with a vertical tab") << "\vCOLORS"
                                                         << "Back"
                                                         << "1";
    QTest::newRow("value with a lone surrogate") << "COLORS"
                                                 << "Back" << QString(QChar(0xD800));
}

void IniFileTest::unwritable_refusedAndNothingChanges() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    IniFile file = IniFile::fromBytes(kBoard);
    QVERIFY(!file.write(section, key, value));
    QCOMPARE(file.toBytes(), kBoard);
}

void IniFileTest::windows1252Line_readAsText_keptWhileAnotherLineIsRewritten() {
    const QByteArray name("Name=Caf\xe9 \x80 \x93q\x94\r\n");
    IniFile file = IniFile::fromBytes("[Stuff]\r\n" + name + "Count=1\r\n");
    QCOMPARE(file.value("Stuff", "Name"), std::optional<QString>("Café € “q”"));

    QVERIFY(file.write("Stuff", "Count", "2"));
    QVERIFY(file.write("Stuff", "Name", "Café € “q”"));
    QCOMPARE(file.toBytes(), "[Stuff]\r\n" + name + "Count=2\r\n");

    // A line the program writes is UTF-8.
    QVERIFY(file.write("Stuff", "Name", "Thé"));
    QCOMPARE(file.toBytes(), QByteArray("[Stuff]\r\nName=Th\xc3\xa9\r\nCount=2\r\n"));
}

void IniFileTest::byteOrderMark_doesNotHideFirstHeader() {
    IniFile file = IniFile::fromBytes("\xef\xbb\xbf[Program]\r\nVersion=1\r\n");
    QCOMPARE(file.sectionNames(), QStringList{"Program"});
    QCOMPARE(file.value("Program", "Version"), std::optional<QString>("1"));
    QVERIFY(file.write("Program", "Title", "x"));
    QCOMPARE(file.toBytes(), QByteArray("\xef\xbb\xbf[Program]\r\nVersion=1\r\nTitle=x\r\n"));

    // Further down the mark is a character, and that line stays no header
    // when it comes to open the file.
    const QByteArray marked("\xef\xbb\xbf[B]\r\n[C]\r\nk=1\r\n");
    IniFile later = IniFile::fromBytes("[A]\r\n" + marked);
    QCOMPARE(later.sectionNames(), (QStringList{"A", "C"}));
    later.deleteSection("a");
    QCOMPARE(later.toBytes(), "\xef\xbb\xbf" + marked);
    QCOMPARE(IniFile::fromBytes(later.toBytes()).sectionNames(), QStringList{"C"});

    // The file's own mark stays at its start when the first section goes.
    IniFile first = IniFile::fromBytes("\xef\xbb\xbf[A]\r\n" + marked);
    first.deleteSection("A");
    QCOMPARE(first.toBytes(), "\xef\xbb\xbf" + marked);
    QCOMPARE(IniFile::fromBytes(first.toBytes()).sectionNames(), QStringList{"C"});
}

void IniFileTest::bytes_roundTripExactly_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("CR") << QByteArray("[a]\rk=v\r\r");
    QTest::newRow("LF") << QByteArray("[a]\nk=v\n");
    QTest::newRow("CR LF, no final break") << QByteArray("[a]\r\nk=v");
    QTest::newRow("mixed") << QByteArray("\n\r\n\r[a]\r\r\nk=v\n\rx");
    QTest::newRow("NULs") << bytesOf("\0[a]\0\r\nk=\0v\0\r\0");
    QTest::newRow("broken UTF-8 and a BOM") << QByteArray("\xef\xbb\xbf\xff[\xc3]\n\xef\xbb");
}

void IniFileTest::bytes_roundTripExactly() {
    QFETCH(QByteArray, bytes);
    QCOMPARE(IniFile::fromBytes(bytes).toBytes(), bytes);
}

void IniFileTest::deleteSection_everySectionOfTheName_commentsStay() {
    IniFile file = IniFile::fromBytes(
        "[A]\r\nk=1\r\n;note\r\n\r\n[B]\r\nk=2\r\n[a]\r\nk=3\r\nno equals sign\r\n");
    file.deleteSection(" A ");
    QCOMPARE(file.toBytes(), QByteArray(";note\r\n\r\n[B]\r\nk=2\r\nno equals sign\r\n"));
    QCOMPARE(file.sectionNames(), QStringList{"B"});
}

void IniFileTest::readProfileInt_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("plus sign") << QByteArray("+7") << 7u;
    QTest::newRow("sign alone") << QByteArray("-") << 0u;
    QTest::newRow("in quotes") << QByteArray("\"12\"") << 12u;
    QTest::newRow("digits after a blank stop") << QByteArray("3 4") << 3u;
    QTest::newRow("empty gives the fallback") << QByteArray() << 99u;
    QTest::newRow("twenty digits wrap") << QByteArray("18446744073709551617") << 1u;
}

void IniFileTest::readProfileInt() {
    QFETCH(QByteArray, value);
    QFETCH(quint32, expected);
    const IniFile file = IniFile::fromBytes("[S]\r\nn=" + value + "\r\n");
    QCOMPARE(file.readProfileInt("S", "n", 99), expected);
}

void IniFileTest::hostileInput_readWhole_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QByteArray>("tail"); // what stays added once the new key is deleted
    const QByteArray mega(1024 * 1024, 'x');
    QTest::newRow("a megabyte on one line") << "[S]\r\nk=" + mega + "\r\n"
                                            << QString(mega) << QByteArray();
    QTest::newRow("a megabyte header, unterminated")
        << "[" + mega << QString() << QByteArray("\r\n[S]\r\n");
    QTest::newRow("a megabyte of NULs")
        << "[S]\nk=1\n" + QByteArray(mega.size(), '\0') << QStringLiteral("1") << QByteArray();
    QByteArray many = "[S]\n";
    for (int i = 0; i < 1'000'000; ++i) {
        many += "k=v\n";
    }
    QTest::newRow("a million short lines") << many << QStringLiteral("v") << QByteArray();
    QTest::newRow("a million line breaks")
        << "[S]\nk=1" + QByteArray(1'000'000, '\r') << QStringLiteral("1") << QByteArray();
}

// Each such file is read, a key is added after the last key line and the
// bytes come back whole (a quadratic reader would run into the time-out).
void IniFileTest::hostileInput_readWhole() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, last);
    QFETCH(QByteArray, tail);
    IniFile file = IniFile::fromBytes(bytes);
    QCOMPARE(file.value("S", "k"), last.isNull() ? std::nullopt : std::optional<QString>(last));
    QVERIFY(file.write("S", "added", "yes"));
    const IniFile reread = IniFile::fromBytes(file.toBytes());
    QCOMPARE(reread.value("S", "added"), std::optional<QString>("yes"));
    file.deleteKey("S", "added");
    QVERIFY(file.toBytes() == bytes + tail);
}

void IniFileTest::readIniFile_missingFile_isEmptyWithoutError() {
    QTemporaryDir dir;
    const IniReadResult r = readIniFile(dir.filePath("plakora.INI"), kLimit);
    QVERIFY(r.ok());
    QVERIFY(!r.exists);
    QVERIFY(r.file.toBytes().isEmpty());

    writeBytes(dir.filePath("big.INI"), "[S]\r\nk=" + QByteArray(100, 'v') + "\r\n");
    const IniReadResult big = readIniFile(dir.filePath("big.INI"), 100);
    QVERIFY(!big.ok());
    QVERIFY(big.exists);
    QVERIFY(readIniFile(dir.filePath("big.INI"), 200).ok());
}

void IniFileTest::readIniFile_notARegularFile_error_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << "folder";
    QTest::newRow("device") << "device";
    QTest::newRow("FIFO") << "fifo";
}

void IniFileTest::readIniFile_notARegularFile_error() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.path();
    if (kind == "device") {
        path = "/dev/zero";
    } else if (kind == "fifo") {
        path = dir.filePath("pipe.INI");
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    // Returns at once: a FIFO without a writer is never opened.
    const IniReadResult r = readIniFile(path, kLimit);
    QVERIFY(!r.ok());
    QVERIFY(r.exists);
    QVERIFY(r.error.contains(path));
}

void IniFileTest::writeIniFile_failure_keepsOldFile() {
    QTemporaryDir dir;
    IniFile file = IniFile::fromBytes(kBoard);
    QVERIFY(file.write("Program", "Text", QString(500, QLatin1Char('x'))));

    const QString nowhere = dir.filePath("no/such/folder/board.BRD");
    QVERIFY(!writeIniFile(nowhere, file).isEmpty());
    QVERIFY(!QFile::exists(nowhere));

    const QString path = dir.filePath("board.BRD");
    writeBytes(path, kBoard);
    // A file size limit makes the write fail half-way, whoever runs the test.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 256;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const QString error = writeIniFile(path, file);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!error.isEmpty());
    QCOMPARE(readBytes(path), kBoard);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"board.BRD"});

    QCOMPARE(writeIniFile(path, file), QString());
    QCOMPARE(readBytes(path), file.toBytes());
}

PLAKORA_TEST_MAIN(IniFileTest)
#include "test_ini_file.moc"
