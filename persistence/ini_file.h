#pragma once

// The INI service behind board files and the program settings file, with the
// private-profile semantics that boards written on older 8-bit systems rely
// on:
// - a line ends at CR, LF or CR LF;
// - "[name]" opens a section (the name runs to the first "]" and is
//   trimmed); "key=value" sets a key (both trimmed of blanks, tabs and
//   vertical tabs, one outer pair of matching ' or " quotes taken off the
//   value); a line whose first non-blank character is ";" is a comment;
// - section and key names match without regard to case, the first section
//   of a name and the first key of a name in it win;
// - lines before the first section belong to none and cannot be read;
// - every line the program does not change keeps its bytes.
//
// Each line is decoded on its own, as UTF-8 when it is valid UTF-8 and as
// Windows-1252 otherwise, so files from older systems read unchanged; lines
// the program writes are UTF-8.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class IniFile {
public:
    IniFile() = default; // an empty file

    static IniFile fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;

    // The value of `key` in `section`, or nothing when the section or key is
    // missing. Names are trimmed of blanks before they are matched.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // The value, or `fallback` with its trailing blanks dropped.
    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    // The platform's integer read: an optional sign and the decimal digits
    // that open the value, wrapped to 32 bits; `fallback` when the key is
    // missing or its value is empty.
    std::uint32_t readProfileInt(const QString& section, const QString& key,
                                 std::int32_t fallback) const;

    // Sets `key` in `section`: an existing key's line is rewritten in place
    // (and left as it is when it already holds the value), a new key goes
    // after the last key line of the section, a new section is appended at
    // the end of the file. A value that would not read back
    // exactly as written (blanks at either end, enclosed in quotes) is
    // written in double quotes. Returns false and changes nothing when the
    // value or a name holds a line break, or a name would not read back as
    // written (a key with "=" or opening with ";" or "[", a section with "]",
    // a name with tabs or vertical tabs at either end).
    bool write(const QString& section, const QString& key, const QString& value);
    // Removes the key's line; nothing happens when it is not there.
    void deleteKey(const QString& section, const QString& key);
    // Removes the header and key lines of every section of this name;
    // comment lines stay where they are.
    void deleteSection(const QString& section);

    // The section names in file order, duplicates included.
    QStringList sectionNames() const;

private:
    enum class Kind : std::uint8_t { Other, Comment, Header, Key };
    enum class Ending : std::uint8_t { None, CrLf, Lf, Cr }; // None: an unterminated last line
    struct Line {
        QByteArray bytes; // the line as stored, without its line end
        QString name;     // a header's section name or a key line's key, trimmed
        Kind kind = Kind::Other;
        Ending ending = Ending::None;
    };

    static Line parseLine(QByteArray bytes, Ending ending, bool firstLine);
    static QString lineValue(const Line& line, bool firstLine);
    static std::optional<QByteArray> keyLine(const QString& key, const QString& value);

    std::optional<std::size_t> findSection(const QString& name) const;
    std::size_t sectionEnd(std::size_t header) const;
    std::optional<std::size_t> findKey(std::size_t header, const QString& key) const;
    void terminateLine(std::size_t index);

    std::vector<Line> lines_;
};

// Reading and writing whole INI files.
struct IniReadResult {
    IniFile file;
    bool exists = false; // false when no file is at the path (the file is then empty)
    QString error;       // empty on success
    bool ok() const { return error.isEmpty(); }
};

// Reads the file at `path` through the same guard as text files: only a
// regular file of at most `maxBytes` is read.
IniReadResult readIniFile(const QString& path, qint64 maxBytes);

// Writes the file whole or not at all; returns the error text, empty on success.
QString writeIniFile(const QString& path, const IniFile& file);
