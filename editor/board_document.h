#pragma once

// The board as a document: the file it was loaded from or is saved to,
// whether it has changed since, and its reading and writing through the
// board file format. The file name and the change flag are fields of the
// board record, where the board file and the show read them; the document
// is the editor's one writer of both.
//
// The document asks nothing and shows nothing: it returns what went wrong
// as the operator's message, and the window says it.

#include "board/board_state.h"
#include "persistence/board_file.h"
#include "persistence/ini_file.h"

#include <QObject>
#include <QStringList>

#include <optional>

class BoardDocument : public QObject {
    Q_OBJECT
public:
    explicit BoardDocument(BoardState& board, QObject* parent = nullptr);

    QString fileName() const { return board_.BoardFileName; }
    void setFileName(const QString& path) { board_.BoardFileName = path; }
    bool isChanged() const { return board_.ConfigChanged; }
    void setChanged(bool changed);

    // A board file read into the record.
    struct Loaded {
        // Why the file could not be read; the record is as it was.
        QString error;
        BoardFileFields fields;
        // The image list beside the board, when there is one and it reads.
        std::optional<QStringList> imageList;
        QString imageListError;
    };
    Loaded read(const QString& path, int screenWidth, int screenHeight);

    // A save is checked and put together whole before the first byte is
    // written, so a refused save leaves every file as it was.
    struct PreparedSave {
        QString path;
        IniFile ini;
        QStringList imageList;
        // The file under the board's name is there but is no board.
        bool replacesNonBoard = false;
        QString error;
    };
    PreparedSave prepareSave(const QString& path, const BoardFileFields& fields,
                             const QStringList& imageList, const QString& stamp) const;
    // Writes the board, then its image list; the board counts as unchanged
    // once its own file is written. Returns the failure's message.
    QString writeSave(const PreparedSave& save);

    // The program settings file remembers the board's file as the last one.
    QString rememberAsLast(const QString& settingsPath) const;

signals:
    void changedChanged(bool changed);

private:
    BoardState& board_;
};
