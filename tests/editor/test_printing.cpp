// Printing: the line printer's layout on a fake page with fixed-width
// glyphs, the listing's lines, and real listings printed to PDF files and
// read back with the poppler tools; printer set-up and the missing printer.

#include "editor/mainform.h"
#include "editor/print_listing.h"
#include "platform/fonts.h"
#include "platform/printing.h"
#include "platform/qt_dialogs.h"
#include "tests/editor/editor_session.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using platform::Answer;
using platform::MessageKind;
using platform::PrintOption;
using support::Question;

namespace {

// A page of fixed-width glyphs: every character 10 pixels wide except "i"
// (1 pixel, to reach any x) and combining marks (0); text 20 pixels high,
// one more for every "^" in it.
class FakeSurface final : public platform::PrintSurface {
public:
    FakeSurface(int width, int height) : width_(width), height_(height) {}

    int pageWidth() const override { return width_; }
    int pageHeight() const override { return height_; }
    QSize textExtent(const QString& text) const override {
        int width = 0;
        for (const QChar c : text) {
            width += c == u'i' ? 1 : c.isMark() ? 0 : 10;
        }
        return {width, 20 + static_cast<int>(text.count(u'^'))};
    }
    int charHeight() const override { return 20; }
    int averageCharWidth() const override { return 10; }
    void textOut(int x, int y, const QString& text) override {
        drawn << QStringLiteral("%1:%2,%3:%4").arg(pages).arg(x).arg(y).arg(text);
    }
    void newPage() override { ++pages; }

    QStringList drawn; // "page:x,y:text"
    int pages = 1;

private:
    int width_;
    int height_;
};

// Passes everything on to a real print job and keeps what was drawn, page by
// page, with the line heights the text had.
class RecordingSurface final : public platform::PrintSurface {
public:
    explicit RecordingSurface(platform::PrintSurface& inner) : inner_(inner) {}

    int pageWidth() const override { return inner_.pageWidth(); }
    int pageHeight() const override { return inner_.pageHeight(); }
    QSize textExtent(const QString& text) const override { return inner_.textExtent(text); }
    int charHeight() const override { return inner_.charHeight(); }
    int averageCharWidth() const override { return inner_.averageCharWidth(); }
    void textOut(int x, int y, const QString& text) override {
        pageTexts.last() << text;
        const QSize extent = textExtent(text);
        pieces.append({text, x + extent.width(), y + extent.height() + 2});
        inner_.textOut(x, y, text);
    }
    void newPage() override {
        pageTexts.append(QStringList());
        inner_.newPage();
    }

    struct Piece {
        QString text;
        int right = 0;
        int bottom = 0; // where its line ends
    };
    QList<QStringList> pageTexts{QStringList()};
    QList<Piece> pieces;

private:
    platform::PrintSurface& inner_;
};

QString tool(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

// Runs a poppler tool and returns what it wrote; fails the test when the
// tool is missing or fails.
QString runTool(const QString& name, const QStringList& arguments) {
    const QString path = tool(name);
    if (path.isEmpty()) {
        QTest::qFail(qPrintable(name + QStringLiteral(" not found: install poppler-utils")),
                     __FILE__, __LINE__);
        return {};
    }
    QProcess process;
    process.start(path, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        QTest::qFail(qPrintable(name + QStringLiteral(" failed: ") +
                                QString::fromLocal8Bit(process.readAllStandardError())),
                     __FILE__, __LINE__);
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text lines of a PDF (or of one page of it), trimmed, empty lines left out.
QStringList pdfLines(const QString& pdf, int page = 0) {
    QStringList arguments;
    if (page > 0) {
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    }
    arguments << pdf << QStringLiteral("-");
    QStringList lines;
    for (const QString& line : runTool(QStringLiteral("pdftotext"), arguments)
                                   .split(QRegularExpression(QStringLiteral("[\n\f]")))) {
        if (!line.trimmed().isEmpty()) {
            lines << line.trimmed();
        }
    }
    return lines;
}

int pdfPages(const QString& pdf) {
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(runTool(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QStringList nonEmptyTrimmed(const QStringList& lines) {
    QStringList out;
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty()) {
            out << line.trimmed();
        }
    }
    return out;
}

// Runs `action` on the first visible top-level widget of type W once the
// event loop shows one.
template <typename W> void whenShown(QObject* owner, std::function<void(W*)> action) {
    auto* poll = new QTimer(owner);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<W*>(window); found != nullptr && found->isVisible()) {
                poll->stop();
                poll->deleteLater();
                action(found);
                return;
            }
        }
    });
    poll->start();
}

} // namespace

class PrintingTest : public QObject, private EditorSession {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void layout_noBlankPageAfterTheLast();
    void layout_characterWiderThanThePage_stillAdvances();

    void listing_data();
    void listing();

    void print_toPdf_holdsTheListingInArial12();
    void print_longListing_pagesAsLaidOut_longLinesCut();
    void print_pageRange_printsOnlyThosePages();
    void print_noPrinter_showsTheErrorAndPrintsNothing();
    void print_unwritableFile_showsTheError_printerStaysUsable();

    void printerSetup_asksWithPageNumbersFileAndHelp();
    void printerSetup_pdfChosenInTheDialog_isWhereTheListingGoes();

private:
    void fillBoard();
    std::unique_ptr<QTemporaryDir> dir_;
};

void PrintingTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    openSession();
}

void PrintingTest::cleanup() {
    // The printer is the program's own and outlives each test.
    platform::currentPrinter().setPrintRange(QPrinter::AllPages);
    platform::useNoPrinter();
    closeSession();
}

void PrintingTest::fillBoard() {
    m_->board.TextFile1 = QStringLiteral("/boards/first.txt");
    m_->board.TextFile2 = QStringLiteral("/boards/second.txt");
    m_->setTextObjectLines(
        m_->Memo1, {QStringLiteral("Welcome to the hall"), QStringLiteral("Doors open at nine")});
    m_->setTextObjectLines(m_->Memo2, {QStringLiteral("Second object line")});
    m_->ListBox1->addItem(QStringLiteral("/pics/stage.bmp"));
    m_->ListBox1->addItem(QStringLiteral("/movies/intro.avi"));
}

// ---- The line printer -------------------------------------------------------

void PrintingTest::layout_data() {
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("drawn");

    const auto is = [](int n) { return QString(n, u'i'); };
    // Pieces are 20 high: a written line is 22, an empty one 20.
    QTest::newRow("lines") << 200 << 1000 << "ab\ncd\n\nef"
                           << QStringList{"1:0,0:ab", "1:0,22:cd", "1:0,64:ef"};
    QTest::newRow("cr ends a piece only")
        << 200 << 1000 << "ab\rcd\r\nef" << QStringList{"1:0,0:ab", "1:20,0:cd", "1:0,22:ef"};
    QTest::newRow("exact fit is not cut")
        << 50 << 1000 << "abcde\nf" << QStringList{"1:0,0:abcde", "1:0,22:f"};
    QTest::newRow("cut after last fitting")
        << 55 << 1000 << "abcdefghjklm" << QStringList{"1:0,0:abcde", "1:0,22:fghjk", "1:0,44:lm"};
    QTest::newRow("cut in a later piece")
        << 55 << 1000 << "ab\rcdefg" << QStringList{"1:0,0:ab", "1:20,0:cde", "1:0,22:fg"};
    QTest::newRow("no room left") << 55 << 1000 << "abcde\rf"
                                  << QStringList{"1:0,0:abcde", "1:0,22:f"};
    QTest::newRow("cut keeps a surrogate pair whole")
        << 50 << 1000 << QStringLiteral("abcd\U0001F600e")
        << QStringList{"1:0,0:abcd", QStringLiteral("1:0,22:\U0001F600e")};
    QTest::newRow("taller later piece raises the line")
        << 200 << 1000 << "a\r^^^b\nc" << QStringList{"1:0,0:a", "1:10,0:^^^b", "1:0,25:c"};
    QTest::newRow("2 px taller does not")
        << 200 << 1000 << "a\r^^b\nc" << QStringList{"1:0,0:a", "1:10,0:^^b", "1:0,22:c"};
    QTest::newRow("first piece sets the height")
        << 200 << 1000 << "^^^a\rb\nc" << QStringList{"1:0,0:^^^a", "1:40,0:b", "1:0,25:c"};
    // Break when y > height - 2 * 22: y 66 stays on a page 110 high.
    QTest::newRow("page holds the line at the limit")
        << 200 << 110 << "a\nb\nc\nd\ne"
        << QStringList{"1:0,0:a", "1:0,22:b", "1:0,44:c", "1:0,66:d", "2:0,0:e"};
    QTest::newRow("page breaks past the limit")
        << 200 << 109 << "a\nb\nc\nd\ne"
        << QStringList{"1:0,0:a", "1:0,22:b", "1:0,44:c", "2:0,0:d", "2:0,22:e"};
    // Empty lines are 20 high, so the limit is y > 110 - 40.
    QTest::newRow("empty lines test with their own height")
        << 200 << 110 << "\n\n\n\na" << QStringList{"2:0,0:a"};
    QTest::newRow("empty lines at the limit") << 200 << 111 << "\n\n\na" << QStringList{"1:0,60:a"};
    QTest::newRow("form feed") << 200 << 1000 << "ab\fcd\f\fe"
                               << QStringList{"1:0,0:ab", "2:0,0:cd", "4:0,0:e"};
    // Tab stops are 80 apart (8 x the average width 10).
    QTest::newRow("tab at 0") << 400 << 1000 << "\tX" << QStringList{"1:80,0:X"};
    QTest::newRow("tab at w-2") << 400 << 1000 << is(78) + "\tX"
                                << QStringList{"1:0,0:" + is(78), "1:80,0:X"};
    QTest::newRow("tab at w-1") << 400 << 1000 << is(79) + "\tX"
                                << QStringList{"1:0,0:" + is(79), "1:160,0:X"};
    QTest::newRow("tab at w") << 400 << 1000 << is(80) + "\tX"
                              << QStringList{"1:0,0:" + is(80), "1:160,0:X"};
    // A mark is 0 wide: it still fits at x = page width.
    QTest::newRow("tab up to the page width stays")
        << 160 << 1000 << QStringLiteral("\tab\t\u0301")
        << QStringList{"1:80,0:ab", QStringLiteral("1:160,0:\u0301")};
    QTest::newRow("tab beyond the page width breaks")
        << 150 << 1000 << QStringLiteral("\tab\t\u0301")
        << QStringList{"1:80,0:ab", QStringLiteral("1:0,22:\u0301")};
    QTest::newRow("tab alone leaves an empty line")
        << 100 << 1000 << "\t\tX" << QStringList{"1:0,20:X"};
}

void PrintingTest::layout() {
    QFETCH(int, pageWidth);
    QFETCH(int, pageHeight);
    QFETCH(QString, text);
    QFETCH(QStringList, drawn);

    FakeSurface surface(pageWidth, pageHeight);
    LinePrinter printer(surface);
    printer.write(text);
    QCOMPARE(surface.drawn, drawn);
}

void PrintingTest::layout_noBlankPageAfterTheLast() {
    FakeSurface surface(200, 110);
    LinePrinter printer(surface);
    for (const char* line : {"a", "b", "c", "d"}) {
        printer.writeLine(QString::fromLatin1(line));
    }
    printer.write(QStringLiteral("\f"));
    QCOMPARE(printer.x(), 0);
    QCOMPARE(printer.y(), 0);
    // Broken to a new page twice, with nothing printed on it.
    QCOMPARE(surface.pages, 1);
    printer.write(QStringLiteral("e"));
    QCOMPARE(surface.pages, 3);
    QCOMPARE(surface.drawn.last(), QStringLiteral("3:0,0:e"));
}

void PrintingTest::layout_characterWiderThanThePage_stillAdvances() {
    FakeSurface surface(5, 1000);
    LinePrinter printer(surface);
    printer.write(QStringLiteral("ab"));
    QCOMPARE(surface.drawn, (QStringList{"1:0,0:a", "1:0,22:b"}));
    QCOMPARE(printer.x(), 10);
}

// ---- The listing ------------------------------------------------------------

void PrintingTest::listing_data() {
    QTest::addColumn<QString>("textFile1");
    QTest::addColumn<QStringList>("lines1");
    QTest::addColumn<QString>("textFile2");
    QTest::addColumn<QStringList>("lines2");
    QTest::addColumn<QStringList>("images");
    QTest::addColumn<QStringList>("expected");

    // The expected lines, separated by bars.
    const auto lines = [](const char* barred) { return QString::fromUtf8(barred).split(u'|'); };
    QTest::newRow("whole board") << "/b/one.txt" << QStringList{"one a", "one b"} << "/b/two.txt"
                                 << QStringList{"two a"} << QStringList{"/p/a.bmp", "/m/b.avi"}
                                 << lines("|First Text File : /b/one.txt|one a|one b"
                                          "||Second Text File : /b/two.txt|two a"
                                          "||Image List|/p/a.bmp|/m/b.avi|");
    QTest::newRow("empty board") << "" << QStringList{} << "" << QStringList{} << QStringList{}
                                 << lines("|First Text File : ||Second Text File : ||");
    QTest::newRow("only text object 2")
        << "" << QStringList{} << "/b/two.txt" << QStringList{"two a", "", "two c"} << QStringList{}
        << lines("|First Text File : ||Second Text File : /b/two.txt|two a||two c||");
}

void PrintingTest::listing() {
    QFETCH(QString, textFile1);
    QFETCH(QStringList, lines1);
    QFETCH(QString, textFile2);
    QFETCH(QStringList, lines2);
    QFETCH(QStringList, images);
    QFETCH(QStringList, expected);

    QCOMPARE(listingLines({textFile1, lines1, textFile2, lines2, images}), expected);
}

// ---- Real printing ----------------------------------------------------------

void PrintingTest::print_toPdf_holdsTheListingInArial12() {
    fillBoard();
    const QString pdf = dir_->filePath(QStringLiteral("listing.pdf"));
    platform::printToPdfFile(pdf);
    m_->Print1->trigger();
    QCOMPARE(dialogs_->questions.size(), 0);

    const QStringList expected = {"First Text File : /boards/first.txt",
                                  "Welcome to the hall",
                                  "Doors open at nine",
                                  "Second Text File : /boards/second.txt",
                                  "Second object line",
                                  "Image List",
                                  "/pics/stage.bmp",
                                  "/movies/intro.avi"};
    QCOMPARE(pdfLines(pdf), expected);
    QCOMPARE(pdfPages(pdf), 1);

    // Arial resolves to its metric twin; 12 points makes words about 13.4
    // points high from descent to ascent.
    QVERIFY(runTool(QStringLiteral("pdffonts"), {pdf}).contains(QStringLiteral("LiberationSans")));
    const QRegularExpressionMatch word =
        QRegularExpression(QStringLiteral("yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\""))
            .match(runTool(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"}));
    QVERIFY(word.hasMatch());
    const double height = word.captured(2).toDouble() - word.captured(1).toDouble();
    QVERIFY2(height > 12.5 && height < 14.5, qPrintable(QString::number(height)));
}

void PrintingTest::print_longListing_pagesAsLaidOut_longLinesCut() {
    const QString pdf = dir_->filePath(QStringLiteral("long.pdf"));
    platform::printToPdfFile(pdf);
    QString error;
    const QFont font = platform::boardFont(QStringLiteral("Arial"), 12);
    std::unique_ptr<platform::PrintJob> job =
        platform::PrintJob::start(QStringLiteral("long"), font, &error);
    QVERIFY2(job, qPrintable(error));

    ListingTexts texts;
    texts.textFile1 = QStringLiteral("/b/long.txt");
    for (int i = 1; i <= 150; ++i) {
        texts.lines1 << QStringLiteral("Line number %1").arg(i);
    }
    const QString wide = QStringLiteral("W").repeated(400);
    texts.lines2 << wide;
    RecordingSurface surface(*job);
    printListing(surface, texts);
    const int pageWidth = job->pageWidth();
    const int pageHeight = job->pageHeight();
    const int oneMoreW = job->textExtent(QStringLiteral("W")).width();
    QVERIFY2(job->finish(&error), qPrintable(error));

    QVERIFY(surface.pageTexts.size() >= 3);
    QCOMPARE(pdfPages(pdf), surface.pageTexts.size());
    for (int page = 0; page < surface.pageTexts.size(); ++page) {
        QCOMPARE(pdfLines(pdf, page + 1), nonEmptyTrimmed(surface.pageTexts[page]));
    }
    // Every line lies within its page; the wide line went on as several
    // printed lines, each cut after the last W that fitted, nothing lost.
    QString wideAgain;
    int wideLines = 0;
    for (const RecordingSurface::Piece& piece : std::as_const(surface.pieces)) {
        QVERIFY(piece.right <= pageWidth);
        QVERIFY(piece.bottom <= pageHeight);
        if (piece.text.startsWith(u'W')) {
            ++wideLines;
            wideAgain += piece.text;
            if (wideAgain.size() < wide.size()) {
                QVERIFY(piece.right + oneMoreW > pageWidth);
            }
        }
    }
    QVERIFY(wideLines > 1);
    QCOMPARE(wideAgain, wide);
}

void PrintingTest::print_pageRange_printsOnlyThosePages() {
    for (int i = 0; i < 120; ++i) {
        m_->ListBox1->addItem(QStringLiteral("/pics/picture%1.bmp").arg(i));
    }
    const QString all = dir_->filePath(QStringLiteral("all.pdf"));
    platform::printToPdfFile(all);
    m_->Print1->trigger();
    QVERIFY(pdfPages(all) >= 3);

    const QString second = dir_->filePath(QStringLiteral("second.pdf"));
    platform::printToPdfFile(second);
    platform::currentPrinter().setPrintRange(QPrinter::PageRange);
    platform::currentPrinter().setFromTo(2, 2);
    m_->Print1->trigger();
    QCOMPARE(dialogs_->questions.size(), 0);
    QCOMPARE(pdfPages(second), 1);
    QCOMPARE(pdfLines(second), pdfLines(all, 2));
}

void PrintingTest::print_noPrinter_showsTheErrorAndPrintsNothing() {
    fillBoard();
    platform::useNoPrinter();
    dialogs_->answerMessage(Answer::OK);
    m_->Print1->trigger();
    QCOMPARE(dialogs_->questions.size(), 1);
    const Question& question = dialogs_->lastQuestion();
    QCOMPARE(question.kind, Question::Kind::Message);
    QCOMPARE(question.messageKind, MessageKind::Error);
    QCOMPARE(question.buttons, platform::Buttons(platform::Button::OK));
    QCOMPARE(question.text, platform::unusablePrinterText(platform::currentPrinter()));
    QVERIFY(question.text.contains(QStringLiteral("no printer is installed")));
    // A job started on it would have left the printer stuck.
    QVERIFY(platform::currentPrinter().printerState() != QPrinter::Active);

    // A PDF file still prints afterwards.
    const QString pdf = dir_->filePath(QStringLiteral("after.pdf"));
    platform::printToPdfFile(pdf);
    m_->Print1->trigger();
    QCOMPARE(dialogs_->questions.size(), 1);
    QVERIFY(pdfLines(pdf).contains(QStringLiteral("Image List")));
}

void PrintingTest::print_unwritableFile_showsTheError_printerStaysUsable() {
    const QString bad = dir_->filePath(QStringLiteral("missing/folder/listing.pdf"));
    platform::printToPdfFile(bad);
    dialogs_->answerMessage(Answer::OK);
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    m_->Print1->trigger();
    QCOMPARE(dialogs_->questions.size(), 1);
    QCOMPARE(dialogs_->lastQuestion().messageKind, MessageKind::Error);
    QCOMPARE(dialogs_->lastQuestion().text,
             QStringLiteral("The file %1 cannot be written.").arg(QDir::toNativeSeparators(bad)));

    const QString good = dir_->filePath(QStringLiteral("good.pdf"));
    platform::printToPdfFile(good);
    m_->Print1->trigger();
    QCOMPARE(dialogs_->questions.size(), 1);
    QVERIFY(pdfLines(good).contains(QStringLiteral("First Text File :")));
}

// ---- Printer set-up ---------------------------------------------------------

void PrintingTest::printerSetup_asksWithPageNumbersFileAndHelp() {
    dialogs_->answerPrintSetup(false);
    m_->PrinterSetup1->trigger();
    QCOMPARE(dialogs_->questions.size(), 1);
    QCOMPARE(dialogs_->lastQuestion().kind, Question::Kind::PrintSetup);
    QCOMPARE(dialogs_->lastQuestion().print.title, QStringLiteral("Printer Setup"));
    QCOMPARE(dialogs_->lastQuestion().print.options,
             PrintOption::PageNums | PrintOption::PrintToFile | PrintOption::ShowHelp |
                 PrintOption::WarnNoPrinter);
}

void PrintingTest::printerSetup_pdfChosenInTheDialog_isWhereTheListingGoes() {
    fillBoard();
    const bool noPrinters = QPrinterInfo::availablePrinterNames().isEmpty();
    if (noPrinters) {
        dialogs_->answerMessage(Answer::OK);
    }
    const QString pdf = dir_->filePath(QStringLiteral("chosen.pdf"));
    bool shown = false;
    QAbstractPrintDialog::PrintDialogOptions options;
    QString okText;
    QObject owner;
    whenShown<QPrintDialog>(&owner, [&](QPrintDialog* dialog) {
        shown = true;
        options = dialog->options();
        const auto* box = dialog->findChild<QDialogButtonBox*>();
        const QPushButton* ok = box != nullptr ? box->button(QDialogButtonBox::Ok) : nullptr;
        okText = ok != nullptr ? ok->text() : QString();
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        const int pdfEntry =
            printers != nullptr ? printers->findText(QStringLiteral("Print to File (PDF)")) : -1;
        if (pdfEntry < 0 || fileName == nullptr) {
            dialog->reject();
            return;
        }
        printers->setCurrentIndex(pdfEntry);
        fileName->setText(pdf);
        dialog->accept();
    });
    // Through the Qt dialogs, with the warning answered by the script.
    platform::QtDialogs qtDialogs;
    QVERIFY(qtDialogs.printSetup({{},
                                  PrintOption::PageNums | PrintOption::PrintToFile |
                                      PrintOption::ShowHelp | PrintOption::WarnNoPrinter}));
    QVERIFY(shown);
    QVERIFY(options.testFlag(QAbstractPrintDialog::PrintToFile));
    QVERIFY(options.testFlag(QAbstractPrintDialog::PrintPageRange));
    // Confirming the set-up prints nothing, so its button does not say Print.
    QCOMPARE(okText, QStringLiteral("OK"));
    if (noPrinters) {
        QCOMPARE(dialogs_->questions.size(), 1);
        QCOMPARE(dialogs_->lastQuestion().messageKind, MessageKind::Warning);
        QCOMPARE(dialogs_->lastQuestion().text,
                 QStringLiteral("No printer is installed. You can still print to a PDF file."));
    }

    m_->Print1->trigger();
    QCOMPARE(pdfLines(pdf).first(), QStringLiteral("First Text File : /boards/first.txt"));
}

PLAKORA_TEST_MAIN(PrintingTest)

#include "test_printing.moc"
