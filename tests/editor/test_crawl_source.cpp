// The "Crawl Source…" command: when its OK is refused, and its dialog opened
// from the Configuration menu setting the board's crawl source.

#include "editor/board_document.h"
#include "editor/crawl_source_dialog.h"
#include "tests/editor/editor_session.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_main.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <functional>

namespace {

// Opens the dialog from the menu and hands it to `whileOpen`; a dialog left
// open is cancelled, so a failed check never hangs the test.
bool runDialog(Tmainform* m, const std::function<void(CrawlSourceDialog*)>& whileOpen) {
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QPointer<CrawlSourceDialog> d =
            qobject_cast<CrawlSourceDialog*>(QApplication::activeModalWidget());
        if (d && !seen) {
            seen = true;
            whileOpen(d);
            if (d && d->isVisible()) {
                d->reject();
            }
        }
    });
    poll.start(5);
    m->CrawlSource1->trigger();
    return seen;
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

} // namespace

class CrawlSourceTest : public QObject, private EditorSession {
    Q_OBJECT

private slots:
    void init() { openSession(); }
    void cleanup() { closeSession(); }
    void refused_data();
    void refused();
    void ok_setsTheChosenSourceAndClearsTheOther_data();
    void ok_setsTheChosenSourceAndClearsTheOther();
    void refusalsAndCancel_leaveTheBoard();
};

void CrawlSourceTest::refused_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("field"); // the file or the feed; "<dir>" holds items.txt
    QTest::addColumn<bool>("refused");
    const int line = int(CrawlSourceKind::CrawlLine);
    const int file = int(CrawlSourceKind::TextFile);
    const int feed = int(CrawlSourceKind::NewsFeed);
    QTest::newRow("crawl line, fields unusable") << line << "ftp://x" << false;
    QTest::newRow("file blanks") << file << "  " << true;
    QTest::newRow("file missing") << file << "<dir>/gone.txt" << true;
    QTest::newRow("file a folder") << file << "<dir>" << true;
    QTest::newRow("file there") << file << "<dir>/items.txt" << false;
    // The address's own rules are the feed reader's, checked with it.
    QTest::newRow("feed ftp") << feed << "ftp://news.example/rss" << true;
    QTest::newRow("feed https, blanks around") << feed << " HTTPS://n.example:8443/a?b " << false;
}

void CrawlSourceTest::refused() {
    QFETCH(int, kind);
    QFETCH(QString, field);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    support::writeBytes(dir.filePath("items.txt"), "One\r\n");
    CrawlSourceChoice c;
    c.kind = CrawlSourceKind(kind);
    c.file = c.feed = field.replace(QStringLiteral("<dir>"), dir.path());
    QCOMPARE(!crawlSourceProblem(c).isEmpty(), refused);
    c.separator = QStringLiteral(" -\n- "); // a board file keeps no line break
    QVERIFY(!crawlSourceProblem(c).isEmpty());
}

void CrawlSourceTest::ok_setsTheChosenSourceAndClearsTheOther_data() {
    QTest::addColumn<QString>("source"); // the choice clicked
    QTest::addColumn<QString>("input");  // typed into its field; "browse" picks items.txt
    QTest::addColumn<QString>("file");   // the board's CrawlFile after OK
    QTest::addColumn<QString>("feed");   // the board's CrawlFeed after OK
    QTest::newRow("crawl line") << "line"
                                << ""
                                << ""
                                << "";
    QTest::newRow("file relative") << "file"
                                   << "items.txt"
                                   << "<cwd>/items.txt"
                                   << "";
    QTest::newRow("file browsed") << "file"
                                  << "browse"
                                  << "<dir>/items.txt"
                                  << "";
    QTest::newRow("feed") << "feed"
                          << " https://n.example/a.atom "
                          << ""
                          << "https://n.example/a.atom";
}

void CrawlSourceTest::ok_setsTheChosenSourceAndClearsTheOther() {
    QFETCH(QString, source);
    QFETCH(QString, input);
    QFETCH(QString, file);
    QFETCH(QString, feed);
    QTemporaryDir dir;
    support::writeBytes(dir.filePath("items.txt"), "One\r\n");
    const QString workingDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    input.replace(QStringLiteral("<dir>"), dir.path());
    file.replace(QStringLiteral("<dir>"), dir.path())
        .replace(QStringLiteral("<cwd>"), QDir::currentPath());
    if (input == u"browse") {
        dialogs_->answerFile(dir.filePath("items.txt"));
    }
    // The board names both sources, so that OK has one to clear.
    m_->board.CrawlFile = QStringLiteral("/old/items.txt");
    m_->board.CrawlFeed = QStringLiteral("https://old.example/rss");
    m_->document()->setChanged(false);
    QVERIFY(runDialog(m_, [&](CrawlSourceDialog* d) {
        QVERIFY(d->TextFileChoice->isChecked());
        QCOMPARE(d->FeedEdit->text(), QStringLiteral("https://old.example/rss"));
        QRadioButton* choice = source == u"line"   ? d->CrawlLineChoice
                               : source == u"file" ? d->TextFileChoice
                                                   : d->NewsFeedChoice;
        choice->click();
        if (input == u"browse") {
            d->BrowseButton->click();
        } else if (source != u"line") {
            typeInto(source == u"file" ? d->FileEdit : d->FeedEdit, input);
        }
        // Only a feed is fetched, and only a file or a feed has items to join.
        if (d->RefreshEdit->isEnabled()) {
            d->RefreshEdit->setValue(3000);
        }
        if (d->SeparatorEdit->isEnabled()) {
            typeInto(d->SeparatorEdit, QStringLiteral(" | "));
            QCOMPARE(d->SeparatorSample->text(),
                     QStringLiteral("First item\u2423|\u2423Second item"));
        }
        d->OkButton->click();
    }));
    QDir::setCurrent(workingDir);
    QCOMPARE(m_->board.CrawlFile, file);
    QCOMPARE(m_->board.CrawlFeed, feed);
    QCOMPARE(m_->board.CrawlRefresh, source == u"feed" ? 3000 : 300);
    QCOMPARE(m_->board.CrawlSeparator == u" | ", source != u"line");
    QVERIFY(m_->document()->isChanged());
    if (input == u"browse") {
        QCOMPARE(dialogs_->lastQuestion().file.initialDir, QStringLiteral("/old"));
    }
}

void CrawlSourceTest::refusalsAndCancel_leaveTheBoard() {
    const QString missing = QDir::temp().filePath(QStringLiteral("no-such-crawl-items.txt"));
    m_->document()->setChanged(false);
    bool stayedOpen = false;
    QVERIFY(runDialog(m_, [&](CrawlSourceDialog* d) {
        QVERIFY(d->CrawlLineChoice->isChecked());
        d->TextFileChoice->click();
        typeInto(d->FileEdit, missing);
        dialogs_->answerMessage(platform::Answer::OK);
        QTest::keyClick(d->FileEdit, Qt::Key_Return);
        d->NewsFeedChoice->click();
        typeInto(d->FeedEdit, QStringLiteral("www.news.example/rss"));
        dialogs_->answerMessage(platform::Answer::OK);
        d->OkButton->click();
        stayedOpen = d->isVisible();
        d->CancelButton->click();
    }));
    QVERIFY(stayedOpen);
    QCOMPARE(dialogs_->questions.size(), 2);
    QCOMPARE(dialogs_->questions[0].messageKind, platform::MessageKind::Warning);
    QCOMPARE(dialogs_->questions[0].buttons, platform::Buttons(platform::Button::OK));
    QCOMPARE(dialogs_->questions[0].text, QStringLiteral("I cant find ") + missing);
    QCOMPARE(dialogs_->questions[1].text,
             QStringLiteral("\"www.news.example/rss\" is not the address of a news feed: it "
                            "begins with http:// or https:// and names a host."));
    QCOMPARE(m_->board.CrawlFile, QString());
    QCOMPARE(m_->board.CrawlFeed, QString());
    QVERIFY(!m_->document()->isChanged());

    // OK on what the board already holds is no change either.
    QVERIFY(runDialog(m_, [](CrawlSourceDialog* d) { d->OkButton->click(); }));
    QVERIFY(!m_->document()->isChanged());
}

PLAKORA_TEST_MAIN(CrawlSourceTest)
#include "test_crawl_source.moc"
