#pragma once

// Printing: the current printer and the jobs started on it. A job is a
// print surface, the few things a line-by-line listing needs from a printer:
// the page size, text measuring and drawing in one font, and new pages.

#include <QFont>
#include <QSize>
#include <QString>

#include <memory>

class QPainter;
class QPrinter;

namespace platform {

// What a printed listing measures and draws with. Positions and sizes are
// device pixels; the origin is the top-left corner of the printable area.
class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    // The printable area of a page.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    // Width and height of a piece of text (no control characters) in the
    // current font.
    virtual QSize textExtent(const QString& text) const = 0;
    // The font's character height and average character width.
    virtual int charHeight() const = 0;
    virtual int averageCharWidth() const = 0;
    // Draws text with the top of its character cell at y.
    virtual void textOut(int x, int y, const QString& text) = 0;
    // Ends the page and begins the next one.
    virtual void newPage() = 0;
};

// The printer the program prints on: the one printer set-up chose last, the
// system's default printer until then. When no printer is installed Qt makes
// it a PDF printer without a file, which cannot print.
QPrinter& currentPrinter();

// Makes the current printer the PDF file at `path`, as choosing "Print to
// File (PDF)" in printer set-up does.
void printToPdfFile(const QString& path);

// Leaves the current printer as it is on a machine without any printer.
void useNoPrinter();

// The text that tells the operator why a job cannot start on `printer`; empty
// when a job may be tried.
QString unusablePrinterText(const QPrinter& printer);

// A print job on the current printer. The pages it prints are those of the
// printer's page range (all of them unless printer set-up chose a range).
class PrintJob final : public PrintSurface {
public:
    ~PrintJob() override;
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Starts a job named `documentName` that prints in `font`. A font sized
    // in pixels is taken as sized on a 96 dots-per-inch screen, so that it
    // prints as large as the same number of points shows there. On failure
    // the result is empty and `error` says why.
    static std::unique_ptr<PrintJob> start(const QString& documentName, const QFont& font,
                                           QString* error);

    // Ends the job; the last page is ejected. False, with the reason in
    // `error`, when the printer reports that the job failed.
    bool finish(QString* error);

    int pageWidth() const override;
    int pageHeight() const override;
    QSize textExtent(const QString& text) const override;
    int charHeight() const override;
    int averageCharWidth() const override;
    void textOut(int x, int y, const QString& text) override;
    void newPage() override;

private:
    PrintJob(QPrinter& printer, const QFont& font);
    bool pageWanted(int page) const;

    QPrinter& printer_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    int page_ = 1;
    int firstWanted_ = 1;
    int lastWanted_ = 0; // 0: no last page
    // A page of the range has been begun on the printer; the next wanted
    // page needs a new one.
    bool printedAPage_ = false;
    bool finished_ = false;
};

} // namespace platform
