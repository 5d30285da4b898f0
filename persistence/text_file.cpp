#include "persistence/text_file.h"

#include "persistence/file_guard.h"
#include "persistence/logging.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// The 32 characters Windows-1252 places at 0x80..0x9F; the undefined ones
// keep their C1 code.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeCp1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F) {
            out.append(QChar(kCp1252High[b - 0x80]));
        } else {
            out.append(QChar(static_cast<char16_t>(b)));
        }
    }
    return out;
}

} // namespace

QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF))) {
            text.remove(0, 1);
        }
        return text;
    }
    return decodeCp1252(bytes);
}

bool holdsLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

QStringList splitTextLines(const QString& text) {
    QStringList lines;
    QString current;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(current);
            current.clear();
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') {
                ++i;
            }
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty()) {
        lines.append(current);
    }
    return lines;
}

FileBytesResult readFileBytes(const QString& path, qint64 maxBytes) {
    FileBytesResult result;
    GuardedFile guarded = openGuarded(path);
    if (!guarded.ok()) {
        result.failure = guarded.failure == GuardedFile::Failure::Missing
                             ? FileBytesResult::Failure::Missing
                         : guarded.failure == GuardedFile::Failure::NotAFile
                             ? FileBytesResult::Failure::NotAFile
                             : FileBytesResult::Failure::Unreadable;
        result.error = guarded.error;
        return result;
    }
    QFile& file = *guarded.file;
    // The claimed size may change under us: read one byte past the limit to
    // tell a file that grew from one that fits.
    result.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.failure = FileBytesResult::Failure::Unreadable;
        result.error = QStringLiteral("Read error on \"%1\". %2").arg(path, file.errorString());
        result.bytes.clear();
        return result;
    }
    if (result.bytes.size() > maxBytes) {
        result.failure = FileBytesResult::Failure::TooLarge;
        result.error = QStringLiteral("The file \"%1\" is too large.").arg(path);
        result.bytes.clear();
    }
    return result;
}

bool looksLikeText(const QByteArray& bytes) {
    if (bytes.contains('\0')) {
        return false;
    }
    const QString text = decodeText(bytes);
    qsizetype control = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool layout = u == u'\t' || u == u'\n' || u == u'\r' || u == u'\f' || u == u'\v';
        if ((u < 0x20 && !layout) || u == 0x7F || u == 0xFFFD || (u >= 0x80 && u < 0xA0)) {
            ++control;
        }
    }
    // A stray control character or two is kept as text; a file that is
    // more than a tenth control characters is not something a person wrote.
    return control * 10 <= text.size();
}

bool withinLineLimits(const QString& text, qsizetype maxLines, qsizetype maxLineChars) {
    qsizetype lines = 0;
    qsizetype length = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') {
                ++i;
            }
            if (++lines > maxLines) {
                return false;
            }
            length = 0;
        } else if (++length > maxLineChars) {
            return false;
        }
    }
    // The last line needs no break of its own.
    return length == 0 || lines + 1 <= maxLines;
}

TextFileResult readTextFile(const QString& path, TextKind kind) {
    TextFileResult result;
    const QString tooLarge =
        kind == TextKind::ImageList
            ? QStringLiteral("The file \"%1\" is too large for an image list.").arg(path)
            : QStringLiteral("The file \"%1\" is too large for a text object.").arg(path);
    FileBytesResult file = readFileBytes(path, kMaxTextFileBytes);
    if (!file.ok()) {
        result.error = file.failure == FileBytesResult::Failure::TooLarge ? tooLarge : file.error;
        return result;
    }
    if (!looksLikeText(file.bytes)) {
        result.error = QStringLiteral("The file \"%1\" is not a text file.").arg(path);
        return result;
    }
    const QString text = decodeText(file.bytes);
    file.bytes.clear();
    if (!withinLineLimits(text, kMaxTextLines, kMaxTextLineChars)) {
        result.error = tooLarge;
        return result;
    }
    result.lines = splitTextLines(text);
    qCDebug(lcPersistence) << "text file read:" << path << result.lines.size() << "lines";
    return result;
}

QString writeTextFile(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return writeFileWhole(path, bytes);
}
