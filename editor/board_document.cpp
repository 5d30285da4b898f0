#include "editor/board_document.h"

#include "editor/logging.h"
#include "persistence/text_file.h"

#include <algorithm>

namespace {

// The reason the system gave for a failed write follows on a line of its
// own: a folder that takes no new file and a full disk need different cures.
QString unableToWrite(const QString& path, const QString& reason = QString()) {
    const QString message = QStringLiteral("Unable to write to %1").arg(path);
    return reason.isEmpty() ? message : message + QStringLiteral("\n\n") + reason;
}

// What the operator knows a board key as.
QString keyDescription(const QString& key) {
    if (key == u"Project") {
        return QStringLiteral("The configuration file name");
    }
    if (key == u"FILE1" || key == u"FILE2") {
        return QStringLiteral("The file name of Text Object %1").arg(key.right(1));
    }
    if (key == u"T1L") {
        return QStringLiteral("The Main Title");
    }
    if (key == u"T2L") {
        return QStringLiteral("The Second Title");
    }
    if (key == u"T3L") {
        return QStringLiteral("The Crawl Line");
    }
    if (key.startsWith(u"PFN")) {
        return QStringLiteral("A font name");
    }
    if (key.startsWith(u"Bmfn")) {
        return QStringLiteral("A picture file name");
    }
    return QStringLiteral("The value of %1").arg(key);
}

QString lineBreakMessage(const QString& path, const QString& what) {
    return unableToWrite(path) + QStringLiteral("\n\n%1 holds a line break, which a configuration "
                                                "file cannot keep.")
                                     .arg(what);
}

} // namespace

BoardDocument::BoardDocument(BoardState& board, QObject* parent) : QObject(parent), board_(board) {}

void BoardDocument::setChanged(bool changed) {
    if (board_.ConfigChanged == changed) {
        return;
    }
    board_.ConfigChanged = changed;
    emit changedChanged(changed);
}

BoardDocument::Loaded BoardDocument::read(const QString& path, int screenWidth, int screenHeight) {
    Loaded loaded;
    const BoardFileRead file = readBoardFile(path);
    if (!file.ok()) {
        loaded.error = file.error;
        return loaded;
    }
    readBoardSections(file.ini, board_, loaded.fields, screenWidth, screenHeight);
    qCDebug(lcEditor) << "board read:" << path;
    if (const std::optional<QString> listPath = existingImageListPath(path)) {
        const TextFileResult list = readTextFile(*listPath, TextKind::ImageList);
        if (list.ok()) {
            loaded.imageList = list.lines;
        } else {
            loaded.imageListError = list.error;
        }
    }
    return loaded;
}

BoardDocument::PreparedSave BoardDocument::prepareSave(const QString& path,
                                                       const BoardFileFields& fields,
                                                       const QStringList& imageList,
                                                       const QString& stamp) const {
    PreparedSave save;
    save.path = path;
    save.imageList = imageList;
    const FileBytesResult existing = readFileBytes(path, kMaxBoardFileBytes);
    using Failure = FileBytesResult::Failure;
    const bool existingBoard = existing.ok() && looksLikeText(existing.bytes);
    if (existingBoard) {
        // Sections the board does not use stay where they are.
        save.ini = IniFile::fromBytes(existing.bytes);
    } else if (existing.failure == Failure::NotAFile || existing.failure == Failure::Unreadable) {
        save.error = unableToWrite(path, existing.error);
        return save;
    }
    // A file that is there but is no board (a binary, a file far too large)
    // may be someone's work under the board's name.
    save.replacesNonBoard = !existingBoard && existing.failure != Failure::Missing;
    const QString refused = writeBoardSections(save.ini, board_, fields, stamp);
    if (!refused.isEmpty()) {
        save.error = lineBreakMessage(path, keyDescription(refused));
        return save;
    }
    if (std::any_of(imageList.begin(), imageList.end(), holdsLineBreak)) {
        save.error =
            lineBreakMessage(path, QStringLiteral("A picture or movie name of the image list"));
    }
    return save;
}

QString BoardDocument::writeSave(const PreparedSave& save) {
    Q_ASSERT(save.error.isEmpty());
    if (const QString error = writeIniFile(save.path, save.ini); !error.isEmpty()) {
        return unableToWrite(save.path, error);
    }
    setChanged(false);
    qCDebug(lcEditor) << "board written:" << save.path;
    // An empty list is written too, so that a load does not bring back
    // pictures the operator has deleted.
    const QString listPath = imageListPath(save.path);
    if (const QString error = writeTextFile(listPath, save.imageList); !error.isEmpty()) {
        return unableToWrite(listPath, error);
    }
    return QString();
}

QString BoardDocument::rememberAsLast(const QString& settingsPath) const {
    IniFile ini;
    const IniReadResult existing = readSettingsFile(settingsPath);
    if (existing.ok()) {
        ini = existing.file;
    }
    ini.deleteSection(QString::fromLatin1(kSettingsSection));
    if (!ini.write(QString::fromLatin1(kSettingsSection), QString::fromLatin1(kLastBoardKey),
                   board_.BoardFileName)) {
        return unableToWrite(
            settingsPath,
            QStringLiteral("The path holds a line break, which a settings file cannot keep."));
    }
    if (const QString error = writeIniFile(settingsPath, ini); !error.isEmpty()) {
        return unableToWrite(settingsPath, error);
    }
    return QString();
}
