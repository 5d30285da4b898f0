// Watched files report a change once it has settled, whether the file was
// rewritten in place or renamed over; a folder's other files report nothing.
// And a board read again from its files keeps what cannot be read apart.

#include "live/file_watch.h"
#include "live/live_board.h"
#include "persistence/board_file.h"
#include "persistence/text_file.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

using Writer = std::function<void(const QString& folder, const QString& path)>;

} // namespace

class FileWatchTest : public QObject {
    Q_OBJECT

private slots:
    void change_isReportedOnceItSettles_data();
    void change_isReportedOnceItSettles();
    void boardReadAgain_keepsWhatCannotBeRead();
};

void FileWatchTest::change_isReportedOnceItSettles_data() {
    QTest::addColumn<Writer>("write");
    QTest::addColumn<int>("reports");
    QTest::newRow("rewritten in place")
        << Writer([](const QString&, const QString& path) { writeFile(path, "new text\n"); }) << 1;
    QTest::newRow("renamed over") << Writer([](const QString& folder, const QString& path) {
        writeFile(folder + "/new.txt", "new text\n");
        QVERIFY(::rename(QFile::encodeName(folder + "/new.txt"), QFile::encodeName(path)) == 0);
    }) << 1;
    // A sync tool writes a hidden file beside it and renames it into place.
    QTest::newRow("hidden file renamed into place")
        << Writer([](const QString& folder, const QString& path) {
               const QString temp = folder + "/.text.txt.tmp-1234";
               writeFile(temp, "new ");
               QTest::qWait(20);
               writeFile(temp, "new text\n");
               QVERIFY(::rename(QFile::encodeName(temp), QFile::encodeName(path)) == 0);
           })
        << 1;
    QTest::newRow("removed, then written again") << Writer([](const QString&, const QString& path) {
        QVERIFY(QFile::remove(path));
        QTest::qWait(20);
        writeFile(path, "back again\n");
    }) << 1;
    QTest::newRow("another file of the folder")
        << Writer([](const QString& folder, const QString&) {
               writeFile(folder + "/other.txt", "other\n");
               QFile::remove(folder + "/other.txt");
           })
        << 0;
}

void FileWatchTest::change_isReportedOnceItSettles() {
    QFETCH(Writer, write);
    QFETCH(int, reports);
    QTemporaryDir dir;
    const QString path = dir.filePath("text.txt");
    writeFile(path, "old text\n");
    FileWatch watch;
    watch.setSettleMs(150);
    watch.setFiles({path, QString(), path});
    QCOMPARE(watch.files(), QStringList{path});
    QSignalSpy changed(&watch, &FileWatch::changed);
    write(dir.path(), path);
    // Long past the settling time: a second report would have come.
    QTest::qWait(600);
    QCOMPARE(changed.size(), reports);
    if (reports > 0) {
        QCOMPARE(changed.first().first().toStringList(), QStringList{path});
        // The watch goes on after a rename took its file away.
        writeFile(path, "and once more\n");
        QTRY_COMPARE(changed.size(), reports + 1);
    }
}

void FileWatchTest::boardReadAgain_keepsWhatCannotBeRead() {
    QTemporaryDir dir;
    BoardState board;
    board.BoardFileName = dir.filePath("board.SFG");
    board.TextFile1 = dir.filePath("one.txt");
    board.TextFile2 = dir.filePath("gone.txt");
    writeFile(board.TextFile1, "first\r\nsecond\r\n");
    IniFile ini;
    BoardFileFields fields;
    fields.MainTitle = QStringLiteral("From the file");
    BoardState written = board;
    written.Text1Color = 0x123456;
    QVERIFY(writeBoardSections(ini, written, fields, QStringLiteral("stamp")).isEmpty());
    QVERIFY(writeIniFile(board.BoardFileName, ini).isEmpty());
    writeFile(dir.filePath("board.LFG"), QByteArray("\0\1\2", 3));

    const LiveBoard live = readLiveBoard(board, 800, 600);
    QCOMPARE(live.board.Text1Color, Colour{0x123456});
    QVERIFY(live.fields);
    QCOMPARE(live.fields->MainTitle, fields.MainTitle);
    QCOMPARE(live.text1Lines, (QStringList{"first", "second"}));
    // The binary image list and the missing text file are left out, and said.
    QVERIFY(!live.imageList);
    QVERIFY(!live.text2Lines);
    QCOMPARE(live.problems.size(), 2);
    QCOMPARE(liveFilesOf(board), (QStringList{board.BoardFileName, dir.filePath("board.LFG"),
                                              board.TextFile1, board.TextFile2}));
}

QTEST_GUILESS_MAIN(FileWatchTest)
#include "test_file_watch.moc"
