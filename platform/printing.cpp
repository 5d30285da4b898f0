#include "platform/printing.h"

#include "platform/print_setup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QThread>

#include <algorithm>

namespace platform {

namespace {

constexpr double kScreenDpi = 96.0;
constexpr double kPointsPerInch = 72.0;

QString printerTitle(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return QDir::toNativeSeparators(printer.outputFileName());
    }
    return printer.printerName();
}

// A font for a printer of any resolution: sizes in pixels are screen pixels.
QFont printerFont(QFont font) {
    if (font.pixelSize() > 0) {
        font.setPointSizeF(font.pixelSize() * kPointsPerInch / kScreenDpi);
    }
    return font;
}

} // namespace

QPrinter& currentPrinter() {
    // The printer dialog and the print command share one printer.
    return sharedPrinter();
}

void printToPdfFile(const QString& path) {
    QPrinter& printer = currentPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

void useNoPrinter() {
    QPrinter& printer = currentPrinter();
    // An empty file name goes back to the native printer where there is one;
    // the PDF format afterwards leaves a PDF printer without a file.
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::PdfFormat);
}

QString unusablePrinterText(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // Qt's PDF printer without a file is what stands in for a missing
        // printer; starting a job on it would leave it stuck as active.
        if (printer.outputFileName().isEmpty()) {
            return QStringLiteral("There is no printer to print on: no printer is installed or "
                                  "the printing service is not running. Choose Printer Setup... "
                                  "to print to a PDF file.");
        }
        return {};
    }
    if (!printer.isValid()) {
        return QStringLiteral("The printer %1 is not available.").arg(printer.printerName());
    }
    return {};
}

PrintJob::PrintJob(QPrinter& printer, const QFont& font)
    : printer_(printer), painter_(std::make_unique<QPainter>()), font_(printerFont(font)) {
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        firstWanted_ = printer.fromPage();
        lastWanted_ = std::max(printer.toPage(), firstWanted_);
    }
}

PrintJob::~PrintJob() {
    if (!finished_) {
        finish(nullptr);
    }
}

std::unique_ptr<PrintJob> PrintJob::start(const QString& documentName, const QFont& font,
                                          QString* error) {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    QPrinter& printer = currentPrinter();
    const QString unusable = unusablePrinterText(printer);
    if (!unusable.isEmpty()) {
        if (error != nullptr) {
            *error = unusable;
        }
        return nullptr;
    }
    printer.setDocName(documentName);
    std::unique_ptr<PrintJob> job(new PrintJob(printer, font));
    if (!job->painter_->begin(&printer)) {
        job->finished_ = true;
        if (error != nullptr) {
            *error =
                printer.outputFormat() == QPrinter::PdfFormat
                    ? QStringLiteral("The file %1 cannot be written.").arg(printerTitle(printer))
                    : QStringLiteral("The printer %1 cannot start the print job.")
                          .arg(printerTitle(printer));
        }
        return nullptr;
    }
    job->painter_->setFont(job->font_);
    job->printedAPage_ = job->pageWanted(1);
    return job;
}

bool PrintJob::finish(QString* error) {
    if (finished_) {
        return true;
    }
    finished_ = true;
    const bool ended = painter_->end();
    if (!ended || printer_.printerState() == QPrinter::Error ||
        printer_.printerState() == QPrinter::Aborted) {
        if (error != nullptr) {
            *error =
                QStringLiteral("The print job on %1 did not finish.").arg(printerTitle(printer_));
        }
        return false;
    }
    return true;
}

bool PrintJob::pageWanted(int page) const {
    return page >= firstWanted_ && (lastWanted_ == 0 || page <= lastWanted_);
}

int PrintJob::pageWidth() const {
    return printer_.width();
}

int PrintJob::pageHeight() const {
    return printer_.height();
}

QSize PrintJob::textExtent(const QString& text) const {
    const QFontMetrics metrics = painter_->fontMetrics();
    return {metrics.horizontalAdvance(text), metrics.height()};
}

int PrintJob::charHeight() const {
    return painter_->fontMetrics().height();
}

int PrintJob::averageCharWidth() const {
    return painter_->fontMetrics().averageCharWidth();
}

void PrintJob::textOut(int x, int y, const QString& text) {
    if (!pageWanted(page_) || text.isEmpty()) {
        return;
    }
    // Qt draws text on its baseline; the listing gives the top of the cell.
    painter_->drawText(x, y + painter_->fontMetrics().ascent(), text);
}

void PrintJob::newPage() {
    ++page_;
    if (!pageWanted(page_)) {
        return;
    }
    // The pages before the range leave the job's first page unused.
    if (printedAPage_) {
        printer_.newPage();
    }
    printedAPage_ = true;
}

} // namespace platform
