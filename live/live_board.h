#pragma once

// A board as its files on disk now hold it, read again for a running show:
// the board file with its image list, the two text object files and the
// crawl line's text file. Read off the main thread; the result is plain
// values. A file that cannot be read leaves its part empty and says why,
// so the show keeps what it shows of that part.

#include "board/board_state.h"
#include "persistence/board_file.h"

#include <QString>
#include <QStringList>

#include <optional>

struct LiveBoard {
    // The board file's record and fields; without a board file (or when it
    // cannot be read) the board given to the reading, unchanged.
    BoardState board;
    std::optional<BoardFileFields> fields;
    std::optional<QStringList> imageList;
    std::optional<QStringList> text1Lines;
    std::optional<QStringList> text2Lines;
    // The crawl line's items from the board's crawl file.
    std::optional<QStringList> crawlItems;
    // One sentence per file that could not be read.
    QStringList problems;
};

// Reads the files of `board` (its BoardFileName, then the text and crawl
// files the board file now names). `screenWidth` and `screenHeight` are the
// defaults of the editor window's size, as a load takes them.
LiveBoard readLiveBoard(const BoardState& board, int screenWidth, int screenHeight);

// The files a show of `board` follows: the board file, its image list (the
// name a save would write when there is none yet), the text object files and
// the crawl file. Empty names are left out.
QStringList liveFilesOf(const BoardState& board);

// The crawl items of a text file: its non-empty lines, trimmed.
std::optional<QStringList> readCrawlFile(const QString& path, QString* problem);
