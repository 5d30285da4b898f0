// Replays the recorded private-profile cases of data/ini_cases.tsv against the
// INI service: the file before, one call, what the call returns and the file
// after it. Rows that this program answers on purpose in another way, or that
// ask for a call the service does not have, are listed below with the reason.

#include "persistence/ini_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_main.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <vector>

using support::readBytes;

namespace {

enum class Ours {
    LeftOut, // not replayed
    Refused, // the write is refused and the file stays as it was
    Quoted,  // the value is written in double quotes; `fileAfter` holds our bytes
};

struct Difference {
    const char* id;
    Ours ours;
    const char* reason;
    const char* fileAfter = nullptr; // escaped as in the table
};

// clang-format off
const Difference kDifferences[] = {
    {"SIZE-02", Ours::LeftOut, "cut by the caller's buffer size; values are read whole"},
    {"SIZE-05", Ours::LeftOut, "cut by the caller's buffer size; values are read whole"},
    {"SIZE-08", Ours::LeftOut, "cut by the caller's buffer size; values are read whole"},
    {"SIZE-09", Ours::LeftOut, "a buffer size of 0; values are read whole"},
    {"EOL-04", Ours::LeftOut, "cut by the caller's buffer size; values are read whole"},
    {"SIZE-20", Ours::LeftOut, "a 65536-character value's length wraps to 0 there; values are read whole"},
    {"INT-19", Ours::LeftOut, "NULL section and key: the integer read has no such call"},
    {"INT-20", Ours::LeftOut, "NULL key: the integer read has no such call"},
    {"INT-21", Ours::LeftOut, "NULL section: the integer read has no such call"},
    {"EMPTY-06", Ours::LeftOut, "NULL section: write has no such call"},

    {"SPACE-29", Ours::Refused, "a value holding CR would break the line"},
    {"SPACE-35", Ours::Refused, "a section name holding LF would break the line"},
    {"SPACE-40", Ours::Refused, "a key holding LF would break the line"},
    {"NEWSEC-16", Ours::Refused, "a section name holding CR LF would inject lines"},
    {"NEWSEC-19", Ours::Refused, "a section name holding CR LF would inject a key"},
    {"SPACE-37", Ours::Refused, "a read trims the TABs off the file's key but not off the name asked for"},
    {"SPACE-38", Ours::Refused, "a read trims the VTs off the file's key but not off the name asked for"},
    {"NEWSEC-05", Ours::Refused, "the name ends in TAB and VT, which a read trims off the header"},
    {"NEWSEC-12", Ours::Refused, "a section name with ']' reads back as the text before it"},
    {"COMMENT-16", Ours::Refused, "a key opening with ';' writes a comment line no read finds"},
    {"COMMENT-17", Ours::Refused, "a key opening with ';' writes a comment line no read finds"},
    {"COMMENT-23", Ours::Refused, "a key opening with ';' writes a comment line no read finds"},
    {"COMMENT-24", Ours::Refused, "a key opening with ';' writes a comment line no read finds"},
    {"COMMENT-26", Ours::Refused, "a key opening with ';' writes a comment line no read finds"},

    {"SPACE-26", Ours::Quoted, "outer spaces are kept by quoting the value",
     "[SectionName]\\r\\nTestKey=\" value \"\\r\\n"},
    {"SPACE-27", Ours::Quoted, "outer TABs are kept by quoting the value",
     "[SectionName]\\r\\nTestKey=\"\\tvalue\\t\"\\r\\n"},
    {"QUOTE-23", Ours::Quoted, "a value in quotes keeps them by being quoted again",
     "[SectionName]\\r\\nTestKey=\"\"quoted\"\"\\r\\n"},
};
// clang-format on

const Difference* differenceOf(const QByteArray& id) {
    for (const Difference& d : kDifferences) {
        if (id == d.id) {
            return &d;
        }
    }
    return nullptr;
}

// The table's escapes: \r \n \t \v, \0 (one NUL byte), \\, \" and \xHH
// (one byte); {{c*N}} is the character c repeated N times.
std::optional<QByteArray> unescape(const QByteArray& field) {
    QByteArray out;
    const qsizetype n = field.size();
    for (qsizetype i = 0; i < n;) {
        if (field.sliced(i).startsWith("{{")) {
            const qsizetype close = field.indexOf("}}", i);
            if (close < 0 || close < i + 5 || field[i + 3] != '*') {
                return std::nullopt;
            }
            bool ok = false;
            const int count = field.sliced(i + 4, close - i - 4).toInt(&ok);
            if (!ok || count < 0) {
                return std::nullopt;
            }
            out.append(count, field[i + 2]);
            i = close + 2;
            continue;
        }
        if (field[i] != '\\') {
            out.append(field[i++]);
            continue;
        }
        if (i + 1 >= n) {
            return std::nullopt;
        }
        const char c = field[i + 1];
        i += 2;
        switch (c) {
        case 'r':
            out.append('\r');
            break;
        case 'n':
            out.append('\n');
            break;
        case 't':
            out.append('\t');
            break;
        case 'v':
            out.append('\v');
            break;
        case '0':
            out.append('\0');
            break;
        case '\\':
        case '"':
            out.append(c);
            break;
        case 'x': {
            bool ok = false;
            const int byte = i + 2 <= n ? field.sliced(i, 2).toInt(&ok, 16) : 0;
            if (!ok) {
                return std::nullopt;
            }
            out.append(static_cast<char>(byte));
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

struct Row {
    QByteArray id, before, operation, section, key, value, expectedReturn, fileAfter, fileName;
};

} // namespace

class IniCasesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void replay_data();
    void replay();

private:
    // The bytes of a field, with <empty> as nothing (every field was checked
    // for malformed escapes when the table was loaded).
    static QByteArray decode(const QByteArray& field);
    static QString text(const QByteArray& field) { return QString::fromUtf8(decode(field)); }
    std::optional<QByteArray> fileBefore(const Row& row, int depth = 0);

    std::vector<Row> rows_;
    QHash<QByteArray, std::size_t> byId_;
    std::vector<std::size_t> replayed_;
};

QByteArray IniCasesTest::decode(const QByteArray& field) {
    return field == "<empty>" ? QByteArray() : unescape(field).value_or(QByteArray());
}

// The file before the call, or nothing when there is none.
std::optional<QByteArray> IniCasesTest::fileBefore(const Row& row, int depth) {
    if (row.before == "<absent>") {
        return std::nullopt;
    }
    if (row.before.startsWith("<after:") && row.before.endsWith('>') && depth < 20) {
        const QByteArray other = row.before.mid(7, row.before.size() - 8);
        const Row& previous = rows_.at(byId_.value(other));
        if (previous.fileAfter == "<unchanged>") {
            return fileBefore(previous, depth + 1);
        }
        if (previous.fileAfter == "<absent>") {
            return std::nullopt;
        }
        return decode(previous.fileAfter);
    }
    return decode(row.before);
}

void IniCasesTest::initTestCase() {
    QFile table(QStringLiteral(INI_CASES_TSV));
    QVERIFY2(table.open(QIODevice::ReadOnly), qPrintable(table.fileName()));
    QList<QByteArray> lines = table.readAll().split('\n');
    while (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.removeLast();
    }
    QVERIFY(!lines.isEmpty());
    const QList<QByteArray> header = lines.takeFirst().split('\t');
    const auto column = [&](const char* name) { return header.indexOf(QByteArray(name)); };
    const qsizetype cId = column("id"), cBefore = column("before_file"), cOp = column("operation"),
                    cSection = column("section"), cKey = column("key"),
                    cValue = column("value_or_default"), cReturn = column("expected_return"),
                    cAfter = column("expected_file_after"), cFile = column("file_name");
    for (qsizetype c : {cId, cBefore, cOp, cSection, cKey, cValue, cReturn, cAfter, cFile}) {
        QVERIFY(c >= 0);
    }
    for (const QByteArray& line : lines) {
        const QList<QByteArray> f = line.split('\t');
        QCOMPARE(f.size(), header.size());
        QVERIFY2(!byId_.contains(f[cId]), f[cId].constData());
        byId_.insert(f[cId], rows_.size());
        rows_.push_back(Row{f[cId], f[cBefore], f[cOp], f[cSection], f[cKey], f[cValue], f[cReturn],
                            f[cAfter], f[cFile]});
        const QByteArray& buffer = f[cReturn].mid(f[cReturn].indexOf('|') + 1);
        for (const QByteArray& field :
             {f[cBefore], f[cSection], f[cKey], f[cValue], buffer, f[cAfter]}) {
            const bool token =
                field.startsWith('<') && field.endsWith('>') && !field.sliced(1).contains('<');
            QVERIFY2(token || unescape(field), qPrintable(f[cId] + ": " + field.left(80)));
        }
    }
    for (const Difference& d : kDifferences) {
        QVERIFY2(byId_.contains(d.id), d.id);
    }

    const QList<QByteArray> operations{"read", "read_int", "write", "delete_key", "delete_section"};
    int leftOut = 0;
    int differing = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        const Difference* d = differenceOf(row.id);
        // Other files than a full path (the platform's own folders), and
        // calls the service does not have, are not ours to replay.
        const bool ruledOut = row.fileName != "<temp>" || !operations.contains(row.operation);
        QVERIFY2(!(ruledOut && d), row.id.constData());
        if (ruledOut || (d && d->ours == Ours::LeftOut)) {
            ++leftOut;
            continue;
        }
        // A NULL name has no call of ours (a section is deleted by naming
        // no key): such a row must be listed.
        QVERIFY2(row.section != "<null>" &&
                     (row.key != "<null>" || row.operation == "delete_section"),
                 row.id.constData());
        differing += d ? 1 : 0;
        replayed_.push_back(i);
    }
    qInfo("INI cases: %zu rows, %zu replayed (%d of them with this program's decided "
          "difference), %d left out",
          rows_.size(), replayed_.size(), differing, leftOut);
}

void IniCasesTest::replay_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i : replayed_) {
        QTest::newRow(rows_[i].id.constData()) << static_cast<int>(i);
    }
}

void IniCasesTest::replay() {
    QFETCH(int, index);
    const Row& row = rows_.at(static_cast<std::size_t>(index));
    const Difference* difference = differenceOf(row.id);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("case.ini"));
    const std::optional<QByteArray> before = fileBefore(row);
    if (before) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(*before), before->size());
    }

    IniReadResult read = readIniFile(path, 64 * 1024 * 1024);
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.exists, before.has_value());
    IniFile& file = read.file;

    const QString section = text(row.section);
    const QString key = text(row.key);
    const QByteArray& op = row.operation;

    if (op == "read") {
        const QString fallback = row.value == "<null>" ? QString() : text(row.value);
        const QString got = file.readString(section, key, fallback);
        const QByteArray buffer = row.expectedReturn.mid(row.expectedReturn.indexOf('|') + 1);
        if (buffer != "<any>") {
            QCOMPARE(got, text(buffer));
        }
        return;
    }
    if (op == "read_int") {
        bool ok = false;
        const int fallback = row.value.toInt(&ok);
        QVERIFY(ok);
        const std::uint32_t expected = row.expectedReturn.toUInt(&ok);
        QVERIFY(ok);
        QCOMPARE(file.readProfileInt(section, key, fallback), expected);
        return;
    }

    std::optional<QByteArray> after;
    if (op == "write") {
        const QString value = text(row.value);
        const bool accepted = file.write(section, key, value);
        if (difference && difference->ours == Ours::Refused) {
            QVERIFY(!accepted);
            QCOMPARE(file.toBytes(), before.value_or(QByteArray()));
            return;
        }
        if (row.expectedReturn != "<any>") {
            QCOMPARE(accepted, row.expectedReturn == "TRUE");
        }
        if (!accepted) {
            return;
        }
        QCOMPARE(writeIniFile(path, file), QString());
        // Whatever the file looks like, a read gives the value back.
        const IniReadResult again = readIniFile(path, 64 * 1024 * 1024);
        QVERIFY(again.ok());
        QCOMPARE(again.file.value(section, key), std::optional<QString>(value));
        if (difference && difference->ours == Ours::Quoted) {
            QCOMPARE(readBytes(path), decode(difference->fileAfter));
            return;
        }
    } else if (op == "delete_key") {
        file.deleteKey(section, key);
        QCOMPARE(writeIniFile(path, file), QString());
    } else {
        QCOMPARE(op, QByteArray("delete_section"));
        file.deleteSection(section);
        QCOMPARE(writeIniFile(path, file), QString());
    }

    const QByteArray& expected = row.fileAfter;
    if (expected == "<any>") {
        return;
    }
    if (expected == "<absent>" || (expected == "<unchanged>" && !before)) {
        QVERIFY(!QFile::exists(path));
        return;
    }
    QVERIFY(QFile::exists(path));
    QCOMPARE(readBytes(path), expected == "<unchanged>" ? *before : decode(expected));
}

PLAKORA_TEST_MAIN(IniCasesTest)
#include "test_ini_cases.moc"
