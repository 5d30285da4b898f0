#include "live/live_board.h"

#include "live/crawl_items.h"
#include "live/logging.h"
#include "persistence/text_file.h"

namespace {

std::optional<QStringList> readLines(const QString& path, TextKind kind, QStringList& problems) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    const TextFileResult read = readTextFile(path, kind);
    if (!read.ok()) {
        problems << read.error;
        return std::nullopt;
    }
    return read.lines;
}

} // namespace

std::optional<QStringList> readCrawlFile(const QString& path, QString* problem) {
    const TextFileResult read = readTextFile(path);
    if (!read.ok()) {
        if (problem) {
            *problem = read.error;
        }
        return std::nullopt;
    }
    return crawlItemsFromLines(read.lines);
}

LiveBoard readLiveBoard(const BoardState& board, int screenWidth, int screenHeight) {
    LiveBoard live;
    live.board = board;
    const QString& path = board.BoardFileName;
    if (!path.isEmpty()) {
        const BoardFileRead file = readBoardFile(path);
        if (file.ok()) {
            BoardFileFields fields;
            readBoardSections(file.ini, live.board, fields, screenWidth, screenHeight);
            live.fields = fields;
            if (const std::optional<QString> list = existingImageListPath(path)) {
                live.imageList = readLines(*list, TextKind::ImageList, live.problems);
            } else {
                live.imageList = QStringList();
            }
        } else {
            live.problems << file.error;
        }
    }
    live.text1Lines = readLines(live.board.TextFile1, TextKind::TextObject, live.problems);
    live.text2Lines = readLines(live.board.TextFile2, TextKind::TextObject, live.problems);
    if (!live.board.CrawlFile.isEmpty()) {
        QString problem;
        live.crawlItems = readCrawlFile(live.board.CrawlFile, &problem);
        if (!problem.isEmpty()) {
            live.problems << problem;
        }
    }
    qCDebug(lcLive) << "board read again:" << path << "problems" << live.problems;
    return live;
}

QStringList liveFilesOf(const BoardState& board) {
    QStringList files;
    if (!board.BoardFileName.isEmpty()) {
        files << board.BoardFileName;
        files << existingImageListPath(board.BoardFileName)
                     .value_or(imageListPath(board.BoardFileName));
    }
    for (const QString& path : {board.TextFile1, board.TextFile2, board.CrawlFile}) {
        if (!path.isEmpty()) {
            files << path;
        }
    }
    return files;
}
