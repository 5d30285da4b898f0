#include "editor/print_listing.h"

#include "platform/printing.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <vector>

LinePrinter::LinePrinter(platform::PrintSurface& surface) : surface_(surface) {}

void LinePrinter::write(const QString& text) {
    QString piece;
    const auto flush = [this, &piece] {
        writePiece(piece);
        piece.clear();
    };
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\t':
            flush();
            tab();
            break;
        case u'\n':
            flush();
            lineBreak();
            break;
        case u'\f':
            flush();
            formFeed();
            break;
        case u'\r':
            flush();
            break;
        default:
            piece += c;
            break;
        }
    }
    flush();
}

void LinePrinter::writeLine(const QString& text) {
    write(text);
    lineBreak();
}

void LinePrinter::lineBreak() {
    const int height = lineHeight_ > 0 ? lineHeight_ : surface_.charHeight();
    x_ = 0;
    y_ += height;
    lineHeight_ = 0;
    if (y_ > surface_.pageHeight() - 2 * height) {
        ++pendingPages_;
        y_ = 0;
    }
}

void LinePrinter::tab() {
    const int w = std::max(1, 8 * surface_.averageCharWidth());
    x_ += w - ((x_ + w + 1) % w) + 1;
    if (x_ > surface_.pageWidth()) {
        lineBreak();
    }
}

void LinePrinter::formFeed() {
    ++pendingPages_;
    x_ = 0;
    y_ = 0;
    lineHeight_ = 0;
}

void LinePrinter::beginPendingPages() {
    for (; pendingPages_ > 0; --pendingPages_) {
        surface_.newPage();
    }
}

void LinePrinter::writePiece(const QString& piece) {
    QString rest = piece;
    while (!rest.isEmpty()) {
        qsizetype length = fittingLength(rest, surface_.pageWidth() - x_);
        if (length == 0 && x_ == 0) {
            // Not even one character fits on a whole line: it is printed
            // anyway, or the listing would never get past it.
            QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, rest);
            length = std::max<qsizetype>(1, finder.toNextBoundary());
        }
        if (length > 0) {
            const QString part = rest.left(length);
            const QSize extent = surface_.textExtent(part);
            if (extent.height() > lineHeight_) {
                lineHeight_ = extent.height() + 2;
            }
            beginPendingPages();
            surface_.textOut(x_, y_, part);
            rest.remove(0, length);
            if (rest.isEmpty()) {
                x_ += extent.width();
                return;
            }
        }
        lineBreak();
    }
}

qsizetype LinePrinter::fittingLength(const QString& text, int room) const {
    if (room < 0) {
        return 0;
    }
    if (surface_.textExtent(text).width() <= room) {
        return text.size();
    }
    // Cuts fall between whole characters, never inside a surrogate pair or
    // between a letter and its accents.
    std::vector<qsizetype> cuts;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0 && at < text.size();
         at = finder.toNextBoundary()) {
        cuts.push_back(at);
    }
    // A longer start is never narrower, so the fitting starts come first.
    const auto firstTooWide =
        std::partition_point(cuts.begin(), cuts.end(), [this, &text, room](qsizetype cut) {
            return surface_.textExtent(text.left(cut)).width() <= room;
        });
    return firstTooWide == cuts.begin() ? 0 : *(firstTooWide - 1);
}

QStringList listingLines(const ListingTexts& texts) {
    QStringList lines;
    lines << QString();
    lines << QStringLiteral("First Text File : ") + texts.textFile1;
    lines << texts.lines1;
    lines << QString();
    lines << QStringLiteral("Second Text File : ") + texts.textFile2;
    lines << texts.lines2;
    lines << QString();
    if (!texts.images.isEmpty()) {
        lines << QStringLiteral("Image List");
        lines << texts.images;
    }
    lines << QString();
    return lines;
}

void printListing(platform::PrintSurface& surface, const ListingTexts& texts) {
    LinePrinter printer(surface);
    for (const QString& line : listingLines(texts)) {
        printer.writeLine(line);
    }
}
