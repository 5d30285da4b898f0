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
// Lines cost memory in the editor and in a show far beyond their bytes: a
// file of nothing but line breaks would take gigabytes. A quarter of a
// million lines is hours of scrolling.
inline constexpr qsizetype kMaxTextLines = 250000;
// A line longer than this is no line a person reads; the editor would spend
// seconds laying it out.
inline constexpr qsizetype kMaxTextLineChars = 65536;

// What a text file is read for, named in the refusal of a file too large.
enum class TextKind { TextObject, ImageList };

// Reads a text file line by line; a file beyond the bytes, lines or line
// length above, binary, or no regular file is refused with a message.
TextFileResult readTextFile(const QString& path, TextKind kind = TextKind::TextObject);

// True when `text` splits into at most `maxLines` lines of at most
// `maxLineChars` characters each; counted without splitting.
bool withinLineLimits(const QString& text, qsizetype maxLines, qsizetype maxLineChars);

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
