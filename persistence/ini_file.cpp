#include "persistence/ini_file.h"

#include "persistence/file_guard.h"
#include "persistence/text_file.h"

#include <QByteArrayView>
#include <QStringView>

namespace {

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

// Blanks around names and values in the file: space, tab and vertical tab.
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\v';
}

QStringView trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

// Names given to the service lose their outer spaces only: a tab or a line
// break in a name is part of it.
QString trimSpaces(const QString& name) {
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && name[begin] == u' ') {
        ++begin;
    }
    while (end > begin && name[end - 1] == u' ') {
        --end;
    }
    return name.sliced(begin, end - begin);
}

bool sameName(const QString& a, const QString& b) {
    return a.size() == b.size() && QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// A line is UTF-8 when it is valid UTF-8 and Windows-1252 otherwise. Only the
// first line of the file may open with a byte order mark, which is not part
// of its text; elsewhere the character is kept.
QString decodeLine(const QByteArray& bytes, bool firstLine) {
    if (firstLine && bytes.startsWith(kUtf8Bom)) {
        return decodeLine(bytes.sliced(kUtf8Bom.size()), false);
    }
    if (!bytes.isValidUtf8()) {
        return decodeText(bytes);
    }
    // QString::fromUtf8 drops a byte order mark at the start of its input.
    QString text = QString::fromUtf8(bytes);
    if (bytes.startsWith(kUtf8Bom)) {
        text.prepend(QChar(0xFEFF));
    }
    return text;
}

} // namespace

IniFile::Line IniFile::parseLine(QByteArray bytes, Ending ending, bool firstLine) {
    Line line;
    line.ending = ending;
    const QString text = decodeLine(bytes, firstLine);
    line.bytes = std::move(bytes);
    const QStringView rest = trimBlanks(text);
    if (rest.isEmpty()) {
        return line;
    }
    if (rest.front() == u'[') {
        const QStringView inside = rest.sliced(1);
        const qsizetype close = inside.indexOf(u']');
        line.kind = Kind::Header;
        line.name = trimBlanks(close < 0 ? inside : inside.first(close)).toString();
    } else if (rest.front() == u';') {
        line.kind = Kind::Comment;
    } else if (const qsizetype equals = rest.indexOf(u'='); equals >= 0) {
        line.kind = Kind::Key;
        line.name = trimBlanks(rest.first(equals)).toString();
    }
    return line;
}

QString IniFile::lineValue(const Line& line, bool firstLine) {
    const QString text = decodeLine(line.bytes, firstLine);
    QStringView value = trimBlanks(QStringView(text).sliced(text.indexOf(u'=') + 1));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.sliced(1, value.size() - 2);
    }
    return value.toString();
}

// The bytes of the line "key=value", with the value in double quotes when
// the plain form would not read back exactly; nothing when neither does.
std::optional<QByteArray> IniFile::keyLine(const QString& key, const QString& value) {
    for (const QString& written : {value, QLatin1Char('"') + value + QLatin1Char('"')}) {
        QByteArray bytes = (key + QLatin1Char('=') + written).toUtf8();
        const Line line = parseLine(bytes, Ending::CrLf, false);
        if (line.kind == Kind::Key && line.name == key && lineValue(line, false) == value) {
            return bytes;
        }
    }
    return std::nullopt;
}

IniFile IniFile::fromBytes(const QByteArray& bytes) {
    IniFile file;
    const char* const data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        Ending ending = c == '\n' ? Ending::Lf : Ending::Cr;
        const qsizetype length = i - start;
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n') {
            ending = Ending::CrLf;
            ++i;
        }
        file.lines_.push_back(parseLine(bytes.sliced(start, length), ending, file.lines_.empty()));
        start = i + 1;
    }
    if (start < size) {
        file.lines_.push_back(parseLine(bytes.sliced(start), Ending::None, file.lines_.empty()));
    }
    return file;
}

QByteArray IniFile::toBytes() const {
    qsizetype total = 0;
    for (const Line& line : lines_) {
        total += line.bytes.size() + 2;
    }
    QByteArray out;
    out.reserve(total);
    for (const Line& line : lines_) {
        out += line.bytes;
        switch (line.ending) {
        case Ending::CrLf:
            out += "\r\n";
            break;
        case Ending::Lf:
            out += '\n';
            break;
        case Ending::Cr:
            out += '\r';
            break;
        case Ending::None:
            break;
        }
    }
    return out;
}

std::optional<std::size_t> IniFile::findSection(const QString& name) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Header && sameName(lines_[i].name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Header) {
        ++i;
    }
    return i;
}

std::optional<std::size_t> IniFile::findKey(std::size_t header, const QString& key) const {
    for (std::size_t i = header + 1; i < lines_.size() && lines_[i].kind != Kind::Header; ++i) {
        if (lines_[i].kind == Kind::Key && sameName(lines_[i].name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

void IniFile::terminateLine(std::size_t index) {
    if (lines_[index].ending == Ending::None) {
        lines_[index].ending = Ending::CrLf;
    }
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const auto header = findSection(trimSpaces(section));
    if (!header) {
        return std::nullopt;
    }
    const auto line = findKey(*header, trimSpaces(key));
    if (!line) {
        return std::nullopt;
    }
    return lineValue(lines_[*line], *line == 0);
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& fallback) const {
    if (auto found = value(section, key)) {
        return *std::move(found);
    }
    qsizetype end = fallback.size();
    while (end > 0 && fallback[end - 1] == u' ') {
        --end;
    }
    return fallback.first(end);
}

std::uint32_t IniFile::readProfileInt(const QString& section, const QString& key,
                                      std::int32_t fallback) const {
    const auto found = value(section, key);
    if (!found || found->isEmpty()) {
        return static_cast<std::uint32_t>(fallback);
    }
    const QString& text = *found;
    qsizetype i = 0;
    const bool negative = text[0] == u'-';
    if (negative || text[0] == u'+') {
        ++i;
    }
    std::uint32_t number = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        number = number * 10u + static_cast<std::uint32_t>(text[i].unicode() - u'0');
    }
    return negative ? 0u - number : number;
}

bool IniFile::write(const QString& sectionName, const QString& keyName, const QString& value) {
    const QString section = trimSpaces(sectionName);
    const QString key = trimSpaces(keyName);
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value)) {
        return false;
    }
    const QByteArray headerBytes = (QLatin1Char('[') + section + QLatin1Char(']')).toUtf8();
    const Line header = parseLine(headerBytes, Ending::CrLf, false);
    if (header.kind != Kind::Header || header.name != section) {
        return false;
    }
    const std::optional<QByteArray> newLine = keyLine(key, value);
    if (!newLine) {
        return false;
    }

    const auto sectionLine = findSection(section);
    if (!sectionLine) {
        if (!lines_.empty()) {
            terminateLine(lines_.size() - 1);
        }
        lines_.push_back(parseLine(headerBytes, Ending::CrLf, lines_.empty()));
        lines_.push_back(parseLine(*newLine, Ending::CrLf, false));
        return true;
    }
    if (const auto existing = findKey(*sectionLine, key)) {
        // A line that already holds the value keeps its bytes; another is
        // rewritten, keeping the key as the file spells it.
        Line& line = lines_[*existing];
        if (lineValue(line, *existing == 0) == value) {
            return true;
        }
        const std::optional<QByteArray> rewritten = keyLine(line.name, value);
        if (!rewritten) {
            return false;
        }
        line = parseLine(*rewritten, line.ending == Ending::None ? Ending::CrLf : line.ending,
                         *existing == 0);
        return true;
    }
    // A new key goes after the last key line of the section, so that comments
    // closing the section stay after it.
    std::size_t after = *sectionLine;
    const std::size_t end = sectionEnd(*sectionLine);
    for (std::size_t i = *sectionLine + 1; i < end; ++i) {
        if (lines_[i].kind == Kind::Key) {
            after = i;
        }
    }
    terminateLine(after);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after + 1),
                  parseLine(*newLine, Ending::CrLf, false));
    return true;
}

void IniFile::deleteKey(const QString& section, const QString& key) {
    const auto header = findSection(trimSpaces(section));
    if (!header) {
        return;
    }
    if (const auto line = findKey(*header, trimSpaces(key))) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
    }
}

void IniFile::deleteSection(const QString& sectionName) {
    const QString section = trimSpaces(sectionName);
    const bool firstLineGoes = !lines_.empty() && lines_.front().kind == Kind::Header &&
                               sameName(lines_.front().name, section);
    const bool fileMarkGoes = firstLineGoes && lines_.front().bytes.startsWith(kUtf8Bom);
    std::size_t kept = 0;
    bool inside = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        Line& line = lines_[i];
        if (line.kind == Kind::Header) {
            inside = sameName(line.name, section);
        }
        if (inside && (line.kind == Kind::Header || line.kind == Kind::Key)) {
            continue;
        }
        if (kept != i) {
            lines_[kept] = std::move(line);
        }
        ++kept;
    }
    lines_.resize(kept);
    // The line that now opens the file reads as it did: the file's byte order
    // mark moves onto it, and a mark it opens with itself is kept from being
    // taken for the file's.
    if (firstLineGoes && !lines_.empty() &&
        (fileMarkGoes || lines_.front().bytes.startsWith(kUtf8Bom))) {
        lines_.front().bytes.prepend(kUtf8Bom);
    }
}

QStringList IniFile::sectionNames() const {
    QStringList names;
    for (const Line& line : lines_) {
        if (line.kind == Kind::Header) {
            names.append(line.name);
        }
    }
    return names;
}

IniReadResult readIniFile(const QString& path, qint64 maxBytes) {
    IniReadResult result;
    FileBytesResult read = readFileBytes(path, maxBytes);
    if (read.failure == FileBytesResult::Failure::Missing) {
        return result;
    }
    result.exists = true;
    if (!read.ok()) {
        result.error = read.error;
        return result;
    }
    result.file = IniFile::fromBytes(read.bytes);
    return result;
}

QString writeIniFile(const QString& path, const IniFile& file) {
    return writeFileWhole(path, file.toBytes());
}
