#pragma once

// Text object files: read as UTF-8 when they are valid UTF-8 and as
// Windows-1252 otherwise; a line ends at CR, LF or CR LF. Written as UTF-8
// with CR LF after every line, whole or not at all.

#include <QString>
#include <QStringList>

#include <optional>

struct TextFileResult {
    QStringList lines;
    QString error; // empty on success
    bool ok() const { return error.isEmpty(); }
};

// Files larger than this, or holding NUL bytes, are refused with a message.
inline constexpr qint64 kMaxTextFileBytes = 16 * 1024 * 1024;

TextFileResult readTextFile(const QString& path);

// The bytes of a file read through the program's one guard: only a regular
// file is read (never a device, a FIFO or a folder), and never more than
// `maxBytes` whatever size the file claims.
struct FileBytesResult {
    enum class Failure { None, Missing, NotAFile, Unreadable, TooLarge };
    QByteArray bytes;
    Failure failure = Failure::None;
    QString error; // the message for the failure, empty on success
    bool ok() const { return failure == Failure::None; }
};
FileBytesResult readFileBytes(const QString& path, qint64 maxBytes);

// True when the bytes are text a person wrote: no NUL bytes, and not mostly
// control characters once decoded (tab, line and page breaks count as text).
bool looksLikeText(const QByteArray& bytes);

// Splits decoded text into lines at CR, LF or CR LF. A line break at the very
// end does not start another line.
QStringList splitTextLines(const QString& text);

// True when the text holds a CR or LF, so it cannot be stored on one line.
bool holdsLineBreak(const QString& text);

// Decodes bytes as UTF-8 when they are valid UTF-8, else as Windows-1252.
QString decodeText(const QByteArray& bytes);

// Writes the lines with CR LF after each; returns the error text, empty on success.
QString writeTextFile(const QString& path, const QStringList& lines);
