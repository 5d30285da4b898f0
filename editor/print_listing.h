#pragma once

// The printed listing of a board and the line printer that lays it out on
// the pages, top to bottom, with no window and no printer of its own: it
// measures and draws through a print surface.

#include <QString>
#include <QStringList>

namespace platform {
class PrintSurface;
}

// Writes text onto a print surface the way a line printer would. The
// position starts at x 0, y 0 of the first page.
//  - Text that does not fit before the page width is cut after the last
//    character that fits; the rest goes on the next line.
//  - A line is as high as the first piece written on it plus 2 pixels (a
//    later piece more than 2 pixels taller raises it to its own height plus
//    2); a line with nothing written on it is the font's character height.
//  - A line break moves to x 0 of the next line and begins a new page when
//    y lies below the page height less twice the line's height.
//  - Tab, line feed, form feed and carriage return are obeyed: a tab moves
//    to the next tab stop, a line feed breaks the line, a form feed begins a
//    new page, a carriage return only ends a piece of text.
class LinePrinter {
public:
    explicit LinePrinter(platform::PrintSurface& surface);

    void write(const QString& text);
    void writeLine(const QString& text);
    void lineBreak();
    void tab();
    void formFeed();

    int x() const { return x_; }
    int y() const { return y_; }
    // The height of the current line so far; 0 while nothing is written on it.
    int lineHeight() const { return lineHeight_; }

private:
    void writePiece(const QString& piece);
    // Begins the pages that were broken to, now that something goes on them.
    void beginPendingPages();
    // The length of the longest start of `text`, whole characters only, that
    // fits in `room` pixels.
    qsizetype fittingLength(const QString& text, int room) const;

    platform::PrintSurface& surface_;
    int x_ = 0;
    int y_ = 0;
    int lineHeight_ = 0;
    // Page breaks not yet passed to the surface: a page is begun only when
    // something is printed on it, so that no blank page follows the last one.
    int pendingPages_ = 0;
};

// What the listing lists.
struct ListingTexts {
    QString textFile1;
    QStringList lines1;
    QString textFile2;
    QStringList lines2;
    QStringList images;
};

// The listing, one printed line per entry: the file name and lines of each
// text object, then the image list when it has entries, with an empty line
// before each part and at the end.
QStringList listingLines(const ListingTexts& texts);

// Prints the listing on the surface, in the surface's font.
void printListing(platform::PrintSurface& surface, const ListingTexts& texts);
