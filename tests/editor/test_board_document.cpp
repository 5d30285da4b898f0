// The board document on its own: its change signal, and a save checked whole
// before anything is written. Reading and writing whole boards are tested
// through the editor's commands.

#include "editor/board_document.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_main.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class BoardDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void changedChanged_onlyWhenTheFlagFlips_data();
    void changedChanged_onlyWhenTheFlagFlips();
    void save_refusedOrKept_writesNothing_data();
    void save_refusedOrKept_writesNothing();
    void writeSave_unchangedOnlyOnceTheBoardIsWritten();
};

void BoardDocumentTest::changedChanged_onlyWhenTheFlagFlips_data() {
    QTest::addColumn<QList<bool>>("set");
    QTest::addColumn<QList<bool>>("signalled");
    QTest::newRow("unchanged stays quiet") << QList<bool>{false} << QList<bool>{};
    QTest::newRow("each flip once")
        << QList<bool>{true, true, false, false, true} << QList<bool>{true, false, true};
}

void BoardDocumentTest::changedChanged_onlyWhenTheFlagFlips() {
    QFETCH(QList<bool>, set);
    QFETCH(QList<bool>, signalled);
    BoardState board;
    BoardDocument doc(board);
    QSignalSpy spy(&doc, &BoardDocument::changedChanged);
    for (bool changed : set) {
        doc.setChanged(changed);
        QCOMPARE(board.ConfigChanged, changed);
    }
    QList<bool> seen;
    for (const QList<QVariant>& args : spy) {
        seen << args.front().toBool();
    }
    QCOMPARE(seen, signalled);
}

void BoardDocumentTest::save_refusedOrKept_writesNothing_data() {
    QTest::addColumn<QByteArray>("onDisk"); // "" for no file, "/" for a folder
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("listEntry");
    QTest::addColumn<QString>("error"); // a part of the message; "" for none
    QTest::addColumn<bool>("replacesNonBoard");
    QTest::newRow("a folder") << QByteArray("/") << "T"
                              << "a.bmp"
                              << "Unable to write" << false;
    QTest::newRow("title line break") << QByteArray() << "T\nU"
                                      << "a.bmp"
                                      << "The Main Title holds a line break" << false;
    QTest::newRow("list line break") << QByteArray() << "T"
                                     << "a\n.bmp"
                                     << "A picture or movie name" << false;
    QTest::newRow("a binary file") << QByteArray("\0\1\2", 3) << "T"
                                   << "a.bmp"
                                   << "" << true;
    QTest::newRow("no file yet") << QByteArray() << "T"
                                 << "a.bmp"
                                 << "" << false;
}

void BoardDocumentTest::save_refusedOrKept_writesNothing() {
    QFETCH(QByteArray, onDisk);
    QFETCH(QString, title);
    QFETCH(QString, listEntry);
    QFETCH(QString, error);
    QFETCH(bool, replacesNonBoard);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("board.SFG"));
    if (onDisk == "/") {
        QVERIFY(QDir().mkdir(path));
    } else if (!onDisk.isEmpty()) {
        support::writeBytes(path, onDisk);
    }
    BoardState board;
    BoardDocument doc(board);
    doc.setChanged(true);
    BoardFileFields fields;
    fields.MainTitle = title;
    const BoardDocument::PreparedSave save = doc.prepareSave(path, fields, {listEntry}, "now");
    QCOMPARE(save.error.isEmpty(), error.isEmpty());
    QVERIFY2(save.error.contains(error), qPrintable(save.error));
    QCOMPARE(save.replacesNonBoard, replacesNonBoard);
    // Preparing writes nothing and leaves the board changed.
    QCOMPARE(QFileInfo::exists(path), !onDisk.isEmpty());
    QCOMPARE(QFileInfo(path).isDir(), onDisk == "/");
    QCOMPARE(onDisk == "/" ? onDisk : support::readBytes(path), onDisk);
    QVERIFY(!QFileInfo::exists(imageListPath(path)));
    QVERIFY(doc.isChanged());
}

void BoardDocumentTest::writeSave_unchangedOnlyOnceTheBoardIsWritten() {
    QTemporaryDir dir;
    BoardState board;
    BoardDocument doc(board);
    doc.setChanged(true);
    // A board in a folder that is not there stays changed.
    const QString lost = dir.filePath(QStringLiteral("gone/board.SFG"));
    QVERIFY(!doc.writeSave(doc.prepareSave(lost, {}, {}, "now")).isEmpty());
    QVERIFY(doc.isChanged());
    // A board written whose list cannot be is saved, and its list reported.
    const QString path = dir.filePath(QStringLiteral("board.SFG"));
    QVERIFY(QDir().mkdir(imageListPath(path)));
    const QString error = doc.writeSave(doc.prepareSave(path, {}, {}, "now"));
    QVERIFY2(error.startsWith(QStringLiteral("Unable to write to ") + imageListPath(path)),
             qPrintable(error));
    QVERIFY(!doc.isChanged());
    QVERIFY(QFileInfo(path).isFile());
}

PLAKORA_TEST_MAIN(BoardDocumentTest)
#include "test_board_document.moc"
