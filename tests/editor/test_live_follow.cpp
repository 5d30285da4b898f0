// A show changes while it plays: the files of its board are watched, read
// again when they change and taken into the running show; the editor, hidden
// behind it, shows them when it comes back.

#include "editor/board_document.h"
#include "editor/live_follow.h"
#include "persistence/board_file.h"
#include "persistence/text_file.h"
#include "tests/editor/editor_session.h"
#include "tests/support/file_server.h"
#include "tests/support/test_main.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>

#include <functional>

namespace {

// Replaces a file as editors and sync tools do: a new file renamed over it.
void renameOver(const QString& path, const QStringList& lines) {
    const QString temp = path + QStringLiteral(".new");
    QVERIFY(writeTextFile(temp, lines).isEmpty());
    QVERIFY(::rename(QFile::encodeName(temp), QFile::encodeName(path)) == 0);
}

struct Files {
    QString board;
    QString text1;
};
using Edit = std::function<void(const Files&, BoardState&, BoardFileFields&)>;

void writeBoard(const QString& path, const BoardState& board, const BoardFileFields& fields) {
    IniFile ini;
    QVERIFY(writeBoardSections(ini, board, fields, QStringLiteral("stamp")).isEmpty());
    QVERIFY(writeIniFile(path, ini).isEmpty());
}

} // namespace

class LiveFollowTest : public QObject, private EditorSession {
    Q_OBJECT

private slots:
    void init() { openSession(); }
    void cleanup() {
        if (screen_->isVisible()) {
            screen_->ClosePlayScreen();
        }
        closeSession();
    }

    void fileChange_reachesTheRunningShow_data();
    void fileChange_reachesTheRunningShow();
    void unsavedEditor_keepsTheShowAsItWas();
    void crawlSource_crawlsItsItems_data();
    void crawlSource_crawlsItsItems();

private:
    Files startShow(QTemporaryDir& dir, BoardState& board, BoardFileFields& fields);
};

Files LiveFollowTest::startShow(QTemporaryDir& dir, BoardState& board, BoardFileFields& fields) {
    const Files files{dir.filePath("board.SFG"), dir.filePath("one.txt")};
    [&] { QVERIFY(writeTextFile(files.text1, {"first", "second"}).isEmpty()); }();
    board = m_->board;
    board.TextFile1 = files.text1;
    board.Box1Delay = 10;
    fields.MainTitle = QStringLiteral("Shop");
    writeBoard(files.board, board, fields);
    [&] { QVERIFY(m_->loadConfiguration(files.board)); }();
    m_->liveFollow()->fileWatch().setSettleMs(50);
    m_->Mode1Click();
    return files;
}

void LiveFollowTest::fileChange_reachesTheRunningShow_data() {
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("restarts");
    QTest::newRow("text object renamed over")
        << Edit([](const Files& f, BoardState&, BoardFileFields&) {
               renameOver(f.text1, {"new", "prices"});
           })
        << QStringList{"new", "prices"} << false;
    QTest::newRow("text object rewritten in place")
        << Edit([](const Files& f, BoardState&, BoardFileFields&) {
               QVERIFY(writeTextFile(f.text1, {"rewritten"}).isEmpty());
           })
        << QStringList{"rewritten"} << false;
    QTest::newRow("board's title changed")
        << Edit([](const Files& f, BoardState& b, BoardFileFields& fields) {
               fields.MainTitle = QStringLiteral("Today's offers");
               writeBoard(f.board, b, fields);
           })
        << QStringList{"first", "second"} << false;
    QTest::newRow("board's colour changed") << Edit([](const Files& f, BoardState& b,
                                                       BoardFileFields& fields) {
        b.PlayBackColor = 0x0000FF;
        writeBoard(f.board + ".part", b, fields);
        QVERIFY(::rename(QFile::encodeName(f.board + ".part"), QFile::encodeName(f.board)) == 0);
    }) << QStringList{"first", "second"} << true;
}

void LiveFollowTest::fileChange_reachesTheRunningShow() {
    QFETCH(Edit, edit);
    QFETCH(QStringList, lines);
    QFETCH(bool, restarts);
    QTemporaryDir dir;
    BoardState board;
    BoardFileFields fields;
    const Files files = startShow(dir, board, fields);
    QVERIFY(screen_->isVisible());
    QVERIFY(!m_->isVisible());
    QTRY_VERIFY(Box1ThreadHandle.handleNumber() != 0);
    const long long box1Thread = Box1ThreadHandle.handleNumber();

    edit(files, board, fields);
    QTRY_COMPARE(m_->showState.Texts.MainTitle, fields.MainTitle);
    QTRY_COMPARE(m_->showState.Texts.Text1Lines, lines);
    QTRY_COMPARE(m_->showState.PlayedBoard.PlayBackColor, board.PlayBackColor);
    QTRY_COMPARE(m_->showState.Text1Lines, lines);
    QCOMPARE(screen_->Panel3->caption(), fields.MainTitle);
    // Only a change of the board's look starts the show again.
    QCOMPARE(Box1ThreadHandle.handleNumber() != box1Thread, restarts);
    QVERIFY(m_->showState.ShowRunning);

    // The editor comes back with the board as its files now hold it.
    screen_->ClosePlayScreen();
    QCOMPARE(m_->edit1->text(), fields.MainTitle);
    QCOMPARE(m_->textObjectLines(m_->Memo1), lines);
    QVERIFY(!m_->document()->isChanged());
}

void LiveFollowTest::unsavedEditor_keepsTheShowAsItWas() {
    QTemporaryDir dir;
    BoardState board;
    BoardFileFields fields;
    const Files files = startShow(dir, board, fields);
    m_->document()->setChanged(true);
    renameOver(files.text1, {"not taken"});
    QTRY_VERIFY(m_->StatusBar1->currentMessage().contains("not saved"));
    QCOMPARE(m_->showState.Texts.Text1Lines, (QStringList{"first", "second"}));
}

void LiveFollowTest::crawlSource_crawlsItsItems_data() {
    QTest::addColumn<bool>("feed");
    QTest::newRow("a text file") << false;
    QTest::newRow("a news feed") << true;
}

void LiveFollowTest::crawlSource_crawlsItsItems() {
    QFETCH(bool, feed);
    QTemporaryDir dir;
    const QString items = dir.filePath("items.txt");
    QVERIFY(writeTextFile(items, {"Bread 2.10", "", "  Milk 0.99 "}).isEmpty());
    QVERIFY(writeTextFile(dir.filePath("feed.xml"),
                          {"<rss version=\"2.0\"><channel><title>Shop</title>",
                           "<item><title>Bread 2.10</title></item>",
                           "<item><title>Milk 0.99</title></item></channel></rss>"})
                .isEmpty());
    support::FileServer server;
    if (feed) {
        if (!server.start(dir.path())) {
            QSKIP("no python3 to serve the feed");
        }
        m_->board.CrawlFeed = server.url("feed.xml");
        m_->liveFollow()->setFeedCacheFolder(dir.filePath("cache"));
    } else {
        m_->board.CrawlFile = items;
    }
    m_->board.CrawlSeparator = QStringLiteral(" | ");
    m_->Memo1->setPlainText(QStringLiteral("a line"));
    m_->liveFollow()->fileWatch().setSettleMs(50);
    m_->Mode1Click();
    QVERIFY(m_->showState.CrawlOn);
    QTRY_COMPARE(m_->showState.Texts.CrawlLine, QStringLiteral("Bread 2.10 | Milk 0.99"));
    screen_->ClosePlayScreen();
    if (feed) {
        // Without the server the next show crawls the items kept from the last.
        server.process.kill();
        server.process.waitForFinished();
        m_->Mode1Click();
        QCOMPARE(m_->showState.Texts.CrawlLine, QStringLiteral("Bread 2.10 | Milk 0.99"));
    } else {
        m_->Mode1Click();
        renameOver(items, {"Eggs 3.00"});
        QTRY_COMPARE(m_->showState.Texts.CrawlLine, QStringLiteral("Eggs 3.00"));
    }
}

PLAKORA_TEST_MAIN(LiveFollowTest)
#include "test_live_follow.moc"
