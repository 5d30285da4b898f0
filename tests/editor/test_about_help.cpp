// The Help menu: the about window and the help window with its pages.

#include "editor/about_box.h"
#include "editor/mainform.h"
#include "editor/startup.h"
#include "platform/help.h"
#include "tests/editor/editor_session.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <optional>

using platform::Answer;
using platform::Button;
using platform::MessageKind;
using support::Question;

namespace {

// The pages as the repository holds them, and as the build puts them beside
// the program, where the start-up names them.
const QString kSourcePages = QStringLiteral(PLAKORA_HELP_SOURCE_DIR);
const QString kCopiedPages =
    QStringLiteral(PLAKORA_APP_DIR) + QStringLiteral("/Plakora Help Files");

QString contentsPage() {
    return kCopiedPages + QStringLiteral("/Plakora.html");
}

QUrl pageUrl(const QString& name) {
    return QUrl::fromLocalFile(kCopiedPages + QLatin1Char('/') + name);
}

// Runs the About command and hands its window to `whileOpen` as soon as it
// is up. A window that `whileOpen` leaves open is closed all the same, so a
// failed check never hangs the test; `leftOpen` tells.
struct AboutRun {
    bool seen = false;
    bool leftOpen = false;
};

AboutRun runAbout(Tmainform* m, const std::function<void(TScrollBoxXAbout*)>& whileOpen) {
    AboutRun run;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || run.seen) {
            return;
        }
        run.seen = true;
        QPointer<QWidget> open = modal;
        if (auto* about = qobject_cast<TScrollBoxXAbout*>(modal)) {
            whileOpen(about);
        }
        if (open && open->isVisible()) {
            run.leftOpen = true;
            open->hide();
        }
    });
    poll.start();
    m->About2->trigger();
    return run;
}

// The links of a page, in document order.
QStringList linksOf(const QTextDocument& doc) {
    QStringList links;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !format.anchorHref().isEmpty() &&
                (links.isEmpty() || links.back() != format.anchorHref())) {
                links << format.anchorHref();
            }
        }
    }
    return links;
}

bool loadPage(const QString& path, QTextDocument& doc) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    doc.setHtml(QString::fromUtf8(file.readAll()));
    return true;
}

// Where the browser shows the link to `href`, in its viewport.
std::optional<QPoint> linkPoint(QTextBrowser* browser, const QString& href) {
    QTextDocument* doc = browser->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() == href) {
                QTextCursor cursor(doc);
                cursor.setPosition(fragment.position() + fragment.length() / 2);
                const QRect r = browser->cursorRect(cursor);
                return QPoint(r.right() + 1, r.center().y());
            }
        }
    }
    return std::nullopt;
}

} // namespace

class AboutHelpTest : public QObject, private EditorSession {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void about_showsItsPartsInPlace();
    void about_closes_data();
    void about_closes();
    void about_eachUseIsAFreshWindowWithTheVersionLine();

    void help_opensTheContentsPage();
    void help_linksBackForwardAndContents();
    void help_againReusesTheWindowAtTheContentsPage();
    void help_missingFile_isReportedAndOpensNothing_data();
    void help_missingFile_isReportedAndOpensNothing();
    void helpPages_everyLinkLeadsToAPageAndEveryPageIsReached();
    void helpPages_besideTheProgramAreTheRepositorysPages();
    void startUp_namesTheContentsPageTheBuildPutsBesideTheProgram();
};

void AboutHelpTest::init() {
    openSession();
    platform::setHelpFile(contentsPage());
}

void AboutHelpTest::cleanup() {
    closeSession();
    QVERIFY(platform::helpWindow() == nullptr); // it went with the editor
}

// ---- About --------------------------------------------------------------------

void AboutHelpTest::about_showsItsPartsInPlace() {
    const AboutRun run = runAbout(m_, [](TScrollBoxXAbout* about) {
        QCOMPARE(about->windowTitle(), QStringLiteral("About"));
        QCOMPARE(about->size(), QSize(267, 127));
        QCOMPARE(about->minimumSize(), about->maximumSize()); // not resizable
        const Qt::WindowFlags flags = about->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
        QVERIFY(about->isModal());
        // Centred on the pinned 800 x 600 screen.
        QCOMPARE(about->pos(), QPoint((800 - 267) / 2, (600 - 127) / 2));

        QCOMPARE(about->CtlImage->geometry(), QRect(48, 16, 25, 25));
        QVERIFY(about->CtlImage->autoRaise());
        QVERIFY(!about->CtlImage->icon().isNull());

        const struct {
            QLabel* label;
            QString text;
            QPoint at;
            int pixels;
        } blue[] = {
            {about->NameLbl, QStringLiteral("Ovri Plakora-32"), {80, 16}, 19},
            {about->DescLbl, QStringLiteral("Version 01.03a.169"), {72, 50}, 16},
        };
        for (const auto& b : blue) {
            QCOMPARE(b.label->text(), b.text);
            QCOMPARE(b.label->pos(), b.at);
            QCOMPARE(b.label->font().family(), QStringLiteral("Arial"));
            QCOMPARE(b.label->font().pixelSize(), b.pixels);
            QVERIFY(b.label->font().bold());
            QCOMPARE(b.label->palette().color(QPalette::WindowText), QColor(Qt::blue));
        }
        QLabel* notice = about->NoticeLbl;
        QVERIFY(!notice->text().trimmed().isEmpty());
        QCOMPARE(notice->pos(), QPoint(32, 72));
        QCOMPARE(notice->font(), about->font());
        // Every text shows whole, inside the window and clear of the button.
        for (QLabel* label : {about->NameLbl, about->DescLbl, notice}) {
            QVERIFY(label->isVisible());
            QVERIFY(label->sizeHint().width() <= label->width());
            QVERIFY(label->geometry().right() < 267);
        }
        QVERIFY(notice->geometry().bottom() < 96);

        QCOMPARE(about->OkBtn->geometry(), QRect(96, 96, 75, 25));
        QCOMPARE(about->OkBtn->text(), QStringLiteral("OK"));
        QVERIFY(about->OkBtn->isDefault());

        // The picture has no command: clicking it leaves the window up.
        QTest::mouseClick(about->CtlImage, Qt::LeftButton);
        QVERIFY(about->isVisible());
        about->OkBtn->click();
    });
    QVERIFY(run.seen);
    QVERIFY(!run.leftOpen);
    QVERIFY(dialogs_->questions.isEmpty());
}

void AboutHelpTest::about_closes_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Return") << QStringLiteral("Return");
    QTest::newRow("keypad Enter") << QStringLiteral("Enter");
    QTest::newRow("Esc") << QStringLiteral("Escape");
    QTest::newRow("OK button") << QStringLiteral("OK");
    QTest::newRow("close box") << QStringLiteral("close");
}

void AboutHelpTest::about_closes() {
    QFETCH(QString, how);
    QPointer<TScrollBoxXAbout> shown;
    const AboutRun run = runAbout(m_, [&](TScrollBoxXAbout* about) {
        shown = about;
        // Keys go where the operator's would: to the focused control.
        QWidget* focus = about->focusWidget() != nullptr ? about->focusWidget() : about;
        if (how == QLatin1String("Return")) {
            QTest::keyClick(focus, Qt::Key_Return);
        } else if (how == QLatin1String("Enter")) {
            QTest::keyClick(focus, Qt::Key_Enter, Qt::KeypadModifier);
        } else if (how == QLatin1String("Escape")) {
            QTest::keyClick(focus, Qt::Key_Escape);
        } else if (how == QLatin1String("OK")) {
            QTest::mouseClick(about->OkBtn, Qt::LeftButton);
        } else {
            about->close();
        }
    });
    QVERIFY(run.seen);
    QVERIFY2(!run.leftOpen, "the window stayed open");
    // Closed and gone: nothing of it is left for the next use.
    QVERIFY(shown.isNull());
    QVERIFY(m_->findChildren<TScrollBoxXAbout*>().isEmpty());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void AboutHelpTest::about_eachUseIsAFreshWindowWithTheVersionLine() {
    QPointer<TScrollBoxXAbout> first;
    AboutRun run = runAbout(m_, [&](TScrollBoxXAbout* about) {
        first = about;
        // Mark this window; a reused one would carry the marks.
        about->DescLbl->setText(QStringLiteral("left over"));
        about->NameLbl->move(0, 0);
        about->OkBtn->click();
    });
    QVERIFY(run.seen);
    QVERIFY(first.isNull());

    // The version line comes from the editor's version text at each use.
    m_->board.VersionString = QStringLiteral("02.00b.7");
    QString versionLine;
    QPoint namePos;
    run = runAbout(m_, [&](TScrollBoxXAbout* about) {
        versionLine = about->DescLbl->text();
        namePos = about->NameLbl->pos();
        about->OkBtn->click();
    });
    QVERIFY(run.seen);
    QVERIFY(!run.leftOpen);
    QCOMPARE(versionLine, QStringLiteral("Version 02.00b.7"));
    QCOMPARE(namePos, QPoint(80, 16));
}

// ---- Help ---------------------------------------------------------------------

void AboutHelpTest::help_opensTheContentsPage() {
    QVERIFY(platform::helpWindow() == nullptr);
    m_->Help1->trigger();
    platform::HelpWindow* help = platform::helpWindow();
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    QCOMPARE(help->browser->source(), pageUrl(QStringLiteral("Plakora.html")));
    QCOMPARE(help->windowTitle(), QStringLiteral("Plakora Help - Contents"));
    QVERIFY(help->browser->toPlainText().contains(QStringLiteral("Composing a board")));
    QVERIFY(!help->backAction->isEnabled());
    QVERIFY(!help->forwardAction->isEnabled());
    // A window of its own, big enough to read in, within the screen.
    QVERIFY(help->isWindow());
    QVERIFY(help->width() >= 400 && help->height() >= 300);
    QVERIFY(help->width() <= 800 && help->height() <= 600);
    QCOMPARE(help->pos(), QPoint((800 - help->width()) / 2, (600 - help->height()) / 2));
    QVERIFY(dialogs_->questions.isEmpty());
}

void AboutHelpTest::help_linksBackForwardAndContents() {
    m_->Help1->trigger();
    platform::HelpWindow* help = platform::helpWindow();
    QVERIFY(help != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(help));

    // A click on a link of the contents page follows it.
    const std::optional<QPoint> at = linkPoint(help->browser, QStringLiteral("playing.html"));
    QVERIFY(at.has_value());
    QCOMPARE(help->browser->anchorAt(*at), QStringLiteral("playing.html"));
    QTest::mouseClick(help->browser->viewport(), Qt::LeftButton, {}, *at);
    QCOMPARE(help->browser->source(), pageUrl(QStringLiteral("playing.html")));
    QCOMPARE(help->windowTitle(), QStringLiteral("Plakora Help - Playing a show"));
    QVERIFY(help->backAction->isEnabled());
    QVERIFY(!help->forwardAction->isEnabled());

    help->backAction->trigger();
    QCOMPARE(help->browser->source(), pageUrl(QStringLiteral("Plakora.html")));
    QCOMPARE(help->windowTitle(), QStringLiteral("Plakora Help - Contents"));
    QVERIFY(!help->backAction->isEnabled());
    QVERIFY(help->forwardAction->isEnabled());

    help->forwardAction->trigger();
    QCOMPARE(help->browser->source(), pageUrl(QStringLiteral("playing.html")));

    help->contentsAction->trigger();
    QCOMPARE(help->browser->source(), pageUrl(QStringLiteral("Plakora.html")));
    QVERIFY(help->backAction->isEnabled());

    // The keys the help page on keys names.
    QTest::keyClick(help->browser, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(help->browser->source(), pageUrl(QStringLiteral("playing.html")));
    QTest::keyClick(help->browser, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(help->browser->source(), pageUrl(QStringLiteral("Plakora.html")));
}

void AboutHelpTest::help_againReusesTheWindowAtTheContentsPage() {
    m_->Help1->trigger();
    QPointer<platform::HelpWindow> help = platform::helpWindow();
    QVERIFY(help);
    help->browser->setSource(pageUrl(QStringLiteral("keys.html")));

    // While it is open: the same window, back at the contents page, with
    // the page read before still behind Back.
    m_->Help1->trigger();
    QCOMPARE(platform::helpWindow(), help.data());
    QCOMPARE(help->browser->source(), pageUrl(QStringLiteral("Plakora.html")));
    help->backAction->trigger();
    QCOMPARE(help->browser->source(), pageUrl(QStringLiteral("keys.html")));

    // Put away with Esc, it comes back the same.
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help->browser, Qt::Key_Escape);
    QVERIFY(help);
    QVERIFY(!help->isVisible());
    m_->Help1->trigger();
    QCOMPARE(platform::helpWindow(), help.data());
    QVERIFY(help->isVisible());
    QCOMPARE(help->browser->source(), pageUrl(QStringLiteral("Plakora.html")));
    QCOMPARE(m_->findChildren<platform::HelpWindow*>().size(), 1);
    QVERIFY(dialogs_->questions.isEmpty());
}

void AboutHelpTest::help_missingFile_isReportedAndOpensNothing_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("no such file") << kCopiedPages + QStringLiteral("/Missing.html");
    QTest::newRow("a folder") << kCopiedPages;
    QTest::newRow("no help file named") << QString();
}

void AboutHelpTest::help_missingFile_isReportedAndOpensNothing() {
    QFETCH(QString, path);
    platform::setHelpFile(path);
    dialogs_->answerMessage(Answer::OK);
    m_->Help1->trigger();
    QCOMPARE(dialogs_->questions.size(), 1);
    const Question& q = dialogs_->lastQuestion();
    QCOMPARE(q.kind, Question::Kind::Message);
    QCOMPARE(q.messageKind, MessageKind::Error);
    QCOMPARE(q.text, QStringLiteral("Cannot open the help file ") + QDir::toNativeSeparators(path));
    QCOMPARE(q.buttons, platform::Buttons(Button::OK));
    QVERIFY(platform::helpWindow() == nullptr);
}

void AboutHelpTest::helpPages_everyLinkLeadsToAPageAndEveryPageIsReached() {
    // Follow every link from the contents page, page by page.
    QStringList queue{QStringLiteral("Plakora.html")};
    QSet<QString> reached{queue.front()};
    while (!queue.isEmpty()) {
        const QString name = queue.takeFirst();
        QTextDocument page;
        QVERIFY2(loadPage(kSourcePages + QLatin1Char('/') + name, page), qPrintable(name));
        QVERIFY2(!page.metaInformation(QTextDocument::DocumentTitle).trimmed().isEmpty(),
                 qPrintable(name + QStringLiteral(" has no title")));
        const QStringList links = linksOf(page);
        QVERIFY2(!links.isEmpty(), qPrintable(name + QStringLiteral(" leads nowhere")));
        for (const QString& href : links) {
            const QUrl url(href);
            const QString where = name + QStringLiteral(" -> ") + href;
            // A link never leaves the help.
            QVERIFY2(url.isRelative() && !url.hasFragment() && !href.contains(u'/'),
                     qPrintable(where));
            const QString target = url.path();
            QVERIFY2(QFileInfo(kSourcePages + QLatin1Char('/') + target).isFile(),
                     qPrintable(where));
            if (!reached.contains(target)) {
                reached.insert(target);
                queue << target;
            }
        }
    }
    const QStringList pages = QDir(kSourcePages).entryList({QStringLiteral("*.html")}, QDir::Files);
    QVERIFY(pages.size() > 1);
    for (const QString& page : pages) {
        QVERIFY2(reached.contains(page), qPrintable(page + QStringLiteral(" is never reached")));
    }
}

void AboutHelpTest::helpPages_besideTheProgramAreTheRepositorysPages() {
    const QStringList pages = QDir(kSourcePages).entryList({QStringLiteral("*.html")}, QDir::Files);
    QVERIFY(pages.contains(QStringLiteral("Plakora.html")));
    for (const QString& page : pages) {
        QFile source(kSourcePages + QLatin1Char('/') + page);
        QFile copy(kCopiedPages + QLatin1Char('/') + page);
        QVERIFY2(source.open(QIODevice::ReadOnly), qPrintable(page));
        QVERIFY2(copy.open(QIODevice::ReadOnly), qPrintable(page + QStringLiteral(" not copied")));
        QVERIFY2(source.readAll() == copy.readAll(),
                 qPrintable(page + QStringLiteral(" is stale")));
    }
}

void AboutHelpTest::startUp_namesTheContentsPageTheBuildPutsBesideTheProgram() {
    setUpApplication();
    const QString named = platform::helpFile();
    const QString programDir = QCoreApplication::applicationDirPath();
    QVERIFY(QFileInfo(named).isAbsolute());
    QVERIFY(named.startsWith(programDir + QLatin1Char('/')));
    // The same name, beside the program itself, is a page of the help.
    const QString besideProgram =
        QDir(QStringLiteral(PLAKORA_APP_DIR)).filePath(QDir(programDir).relativeFilePath(named));
    QCOMPARE(QFileInfo(besideProgram).canonicalFilePath(),
             QFileInfo(contentsPage()).canonicalFilePath());
}

PLAKORA_TEST_MAIN(AboutHelpTest)
#include "test_about_help.moc"
