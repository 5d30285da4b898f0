#include "persistence/board_file.h"

#include "persistence/logging.h"
#include "persistence/text_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kProgram = QStringLiteral("Program");
const QString kStuff = QStringLiteral("Stuff");
const QString kColors = QStringLiteral("COLORS");
const QString kCalcs = QStringLiteral("CALCS");
const QString kButtons = QStringLiteral("BUTTONS");
const QString kLive = QStringLiteral("Live");

const QString kDefaultFont = QStringLiteral("Arial");

// A board that takes its crawl line from the board itself, as every board
// did before the live sources.
bool crawlSourceAtDefaults(const BoardState& b) {
    return b.CrawlFile.isEmpty() && b.CrawlFeed.isEmpty() &&
           b.CrawlRefresh == kDefaultCrawlRefresh &&
           b.CrawlSeparator == QString::fromUtf8(kDefaultCrawlSeparator);
}

// The keys of a board file after its Program section, in the order they are
// written and read. `v` receives each key with its field and its default:
//   text(section, key, field, default)
//   integer(section, key, field, default[, minimum])  - int32 or SharedValue<int32>
//   colour(section, key, field)            - default 0
//   flag(section, key, field)              - default false
//   optionalSection(section, wanted)       - the section's keys are written
//                                            only when wanted
template <class Board, class Fields, class Visitor>
void visitBoardKeys(Board& b, Fields& f, Visitor& v, int screenWidth, int screenHeight) {
    v.text(kStuff, "FILE1", b.TextFile1, QString());
    v.text(kStuff, "FILE2", b.TextFile2, QString());
    v.text(kStuff, "T1L", f.MainTitle, QString());
    v.text(kStuff, "T2L", f.SecondTitle, QString());
    v.text(kStuff, "T3L", f.CrawlLine, QString());
    v.text(kStuff, "PFN1", b.Text1FontName, kDefaultFont);
    v.text(kStuff, "PFN2", b.Text2FontName, kDefaultFont);
    v.text(kStuff, "PFN3", b.MainTitleFontName, kDefaultFont);
    v.text(kStuff, "PFN4", b.SecondTitleFontName, kDefaultFont);
    v.text(kStuff, "PFN5", b.ClockFontName, kDefaultFont);
    v.text(kStuff, "PFN6", b.CrawlFontName, kDefaultFont);
    v.text(kStuff, "Bmfn1", b.BitmapFile1, QString());
    v.text(kStuff, "Bmfn2", b.BitmapFile2, QString());
    v.text(kStuff, "Bmfn3", b.BitmapFile3, QString());
    v.integer(kStuff, "ML", f.Left, 0);
    v.integer(kStuff, "MT", f.Top, 0);
    v.integer(kStuff, "MW", f.Width, screenWidth);
    v.integer(kStuff, "MH", f.Height, screenHeight);

    v.colour(kColors, "PBK", b.PlayBackColor);
    v.colour(kColors, "Pc1", b.Text1Color);
    v.colour(kColors, "Pc1B", b.Text1BackColor);
    v.colour(kColors, "PC2", b.Text2Color);
    v.colour(kColors, "Pc2B", b.Text2BackColor);
    v.colour(kColors, "Pc3", b.MainTitleColor);
    v.colour(kColors, "Pc3B", b.MainTitleBackColor);
    v.colour(kColors, "Pc4", b.SecondTitleColor);
    v.colour(kColors, "Pc4B", b.SecondTitleBackColor);
    v.colour(kColors, "Pc5", b.ClockColor);
    v.colour(kColors, "Pc5B", b.ClockBackColor);
    v.colour(kColors, "Pc6", b.CrawlColor);
    v.colour(kColors, "Pc6B", b.CrawlBackColor);

    v.integer(kCalcs, "Box1W", b.Box1Width, 0);
    v.integer(kCalcs, "Box2W", b.Box2Width, 0);
    v.flag(kCalcs, "SC1P", b.PagePause1);
    v.flag(kCalcs, "SC2P", b.PagePause2);
    v.integer(kCalcs, "PND1", b.Box1Delay, 1);
    v.integer(kCalcs, "PND2", b.Box2Delay, 1);
    v.integer(kCalcs, "CRD1", b.CrawlDelay, 1);
    v.integer(kCalcs, "CLR", f.PlayTime, 0);
    v.integer(kCalcs, "BS", b.BorderWidth, 0);
    v.integer(kCalcs, "SC1", b.Box1PageHeight, 0);
    v.integer(kCalcs, "SC2", b.Box2PageHeight, 0);
    v.integer(kCalcs, "BX1", b.Box1Height, 0);
    v.integer(kCalcs, "BX2", b.Box2Height, 0);
    v.integer(kCalcs, "fs1", b.Text1FontSize, 0);
    v.integer(kCalcs, "fs2", b.Text2FontSize, 0);
    v.integer(kCalcs, "fs3", b.MainTitleFontSize, 0);
    v.integer(kCalcs, "fs4", b.SecondTitleFontSize, 0);
    v.integer(kCalcs, "fs5", b.ClockFontSize, 0);
    v.integer(kCalcs, "fs6", b.CrawlFontSize, 0);

    v.flag(kButtons, "ALS", b.AlignScreen);
    v.flag(kButtons, "KLC", b.ClockOn);
    v.flag(kButtons, "Ct1", b.CenterText1);
    v.flag(kButtons, "Ct2", b.CenterText2);
    v.flag(kButtons, "CTM", b.CTMFlag);
    v.flag(kButtons, "Img1Str", f.ImageStretch);

    // A board whose crawl is its own keeps the file it always had, with no
    // [Live] section; otherwise all four keys are written.
    v.optionalSection(kLive, !crawlSourceAtDefaults(b));
    v.text(kLive, "CrawlFile", b.CrawlFile, QString());
    v.text(kLive, "CrawlFeed", b.CrawlFeed, QString());
    v.integer(kLive, "CrawlRefresh", b.CrawlRefresh, kDefaultCrawlRefresh, kMinCrawlRefresh);
    v.text(kLive, "CrawlSeparator", b.CrawlSeparator, QString::fromUtf8(kDefaultCrawlSeparator));
}

class KeyWriter {
public:
    explicit KeyWriter(IniFile& ini) : ini_(ini) {}

    // The key whose value could not be stored, empty while all went well.
    QString refused;

    void text(const QString& section, const char* key, const QString& value, const QString&) {
        put(section, key, value);
    }
    template <class T>
    void integer(const QString& section, const char* key, const T& value, std::int32_t,
                 std::int32_t = INT32_MIN) {
        put(section, key, QString::number(static_cast<std::int32_t>(value)));
    }
    void colour(const QString& section, const char* key, Colour value) {
        // The 32-bit value as a signed decimal, as older boards hold it.
        put(section, key, QString::number(static_cast<std::int32_t>(value)));
    }
    template <class T> void flag(const QString& section, const char* key, const T& value) {
        put(section, key, static_cast<bool>(value) ? QStringLiteral("1") : QStringLiteral("0"));
    }
    void optionalSection(const QString& section, bool wanted) {
        if (!wanted) {
            // A section the board no longer needs goes, keys and all.
            ini_.deleteSection(section);
            skipped_ = section;
        }
    }

    void put(const QString& section, const QString& key, const QString& value) {
        if (!refused.isEmpty() || section == skipped_) {
            return;
        }
        // Each section is removed whole before its first key is written, so
        // keys the board no longer writes do not linger.
        if (section != current_) {
            ini_.deleteSection(section);
            current_ = section;
        }
        if (!ini_.write(section, key, value)) {
            refused = key;
        }
    }

private:
    IniFile& ini_;
    QString current_;
    QString skipped_;
};

class KeyReader {
public:
    explicit KeyReader(const IniFile& ini) : ini_(ini) {}

    void text(const QString& section, const char* key, QString& field, const QString& fallback) {
        field = ini_.value(section, QLatin1String(key)).value_or(fallback);
    }
    template <class T>
    void integer(const QString& section, const char* key, T& field, std::int32_t fallback,
                 std::int32_t minimum = INT32_MIN) {
        field = std::max(readInteger(section, key, fallback), minimum);
    }
    void colour(const QString& section, const char* key, Colour& field) {
        field = static_cast<Colour>(readInteger(section, key, 0));
    }
    template <class T> void flag(const QString& section, const char* key, T& field) {
        field = readInteger(section, key, 0) != 0;
    }
    // Missing keys of an optional section read as their defaults.
    void optionalSection(const QString&, bool) {}

private:
    std::int32_t readInteger(const QString& section, const char* key, std::int32_t fallback) const {
        const std::optional<QString> text = ini_.value(section, QLatin1String(key));
        if (!text) {
            return fallback;
        }
        return parseBoardInteger(*text).value_or(fallback);
    }

    const IniFile& ini_;
};

std::optional<std::int32_t> parseDigits(QStringView digits, int base, bool negative) {
    if (digits.isEmpty() || digits.size() > 16) {
        return std::nullopt;
    }
    bool ok = false;
    const qulonglong magnitude = digits.toULongLong(&ok, base);
    if (!ok) {
        return std::nullopt;
    }
    if (base == 16) {
        // Hexadecimal is the 32-bit pattern itself: $FFFFFFFF is -1.
        if (magnitude > 0xFFFFFFFFULL) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    }
    const qlonglong value =
        negative ? -static_cast<qlonglong>(magnitude) : static_cast<qlonglong>(magnitude);
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

bool allHexDigits(QStringView s) {
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        const bool hex =
            (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        if (!hex) {
            return false;
        }
    }
    return true;
}

bool allDecimalDigits(QStringView s) {
    for (const QChar c : s) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<std::int32_t> parseBoardInteger(const QString& text) {
    const QStringView s(text);
    if (s.startsWith(u'$')) {
        const QStringView digits = s.mid(1);
        return allHexDigits(digits) ? parseDigits(digits, 16, false) : std::nullopt;
    }
    if (s.size() > 2 && (s.startsWith(u"0x") || s.startsWith(u"0X"))) {
        const QStringView digits = s.mid(2);
        return allHexDigits(digits) ? parseDigits(digits, 16, false) : std::nullopt;
    }
    bool negative = false;
    QStringView digits = s;
    if (digits.startsWith(u'-') || digits.startsWith(u'+')) {
        negative = digits.front() == u'-';
        digits = digits.mid(1);
    }
    // Leading zeros do not count against the length.
    while (digits.size() > 1 && digits.front() == u'0') {
        digits = digits.mid(1);
    }
    return allDecimalDigits(digits) ? parseDigits(digits, 10, negative) : std::nullopt;
}

QString trimControls(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20) {
        ++begin;
    }
    while (end > begin && text.at(end - 1).unicode() <= 0x20) {
        --end;
    }
    return text.mid(begin, end - begin);
}

QString saveStamp(const QDateTime& when, const QLocale& locale) {
    return locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(when.time(), QLocale::LongFormat);
}

QString writeBoardSections(IniFile& ini, const BoardState& board, const BoardFileFields& fields,
                           const QString& stamp) {
    KeyWriter writer(ini);
    writer.put(kProgram, QStringLiteral("Project"), trimControls(board.BoardFileName));
    writer.put(kProgram, QStringLiteral("Project Save"), stamp);
    visitBoardKeys(board, fields, writer, 0, 0);
    return writer.refused;
}

void readBoardSections(const IniFile& ini, BoardState& board, BoardFileFields& fields,
                       int screenWidth, int screenHeight) {
    KeyReader reader(ini);
    visitBoardKeys(board, fields, reader, screenWidth, screenHeight);
}

namespace {

// Reads an INI file of the program's own: a file that is no such file at all
// (not a regular file, too large, binary) is refused with `refusal`.
IniReadResult readOwnIniFile(const QString& path, qint64 maxBytes, const QString& refusal) {
    IniReadResult result;
    const FileBytesResult file = readFileBytes(path, maxBytes);
    result.exists = file.failure != FileBytesResult::Failure::Missing;
    if (file.failure == FileBytesResult::Failure::TooLarge ||
        file.failure == FileBytesResult::Failure::NotAFile ||
        (file.ok() && !looksLikeText(file.bytes))) {
        result.error = refusal;
    } else if (!file.ok()) {
        result.error = file.error;
    } else {
        result.file = IniFile::fromBytes(file.bytes);
    }
    return result;
}

} // namespace

BoardFileRead readBoardFile(const QString& path) {
    IniReadResult read =
        readOwnIniFile(path, kMaxBoardFileBytes,
                       QStringLiteral("\"%1\" is not a Plakora configuration file.").arg(path));
    if (!read.error.isEmpty()) {
        qCDebug(lcPersistence) << "board not read:" << read.error;
    }
    return BoardFileRead{std::move(read.file), std::move(read.error)};
}

QString boardFilePath(const QString& path) {
    if (path.isEmpty()) {
        return path;
    }
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

QString imageListPath(const QString& boardPath) {
    const QFileInfo info(boardPath);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    // A name that is all extension (".sfg") keeps its dot as its base.
    const QString base = dot > 0 ? name.left(dot) : name;
    const qsizetype cut = boardPath.size() - name.size();
    const QString list = boardPath.left(cut) + base + QStringLiteral(".LFG");
    // A board saved under the list's own extension keeps its list apart.
    return list == boardPath ? boardPath + QStringLiteral(".LFG") : list;
}

QString legacyImageListPath(const QString& boardPath) {
    const qsizetype dot = boardPath.indexOf(u'.');
    return (dot < 0 ? boardPath : boardPath.left(dot)) + QStringLiteral(".LFG");
}

std::optional<QString> existingImageListPath(const QString& boardPath) {
    const QString current = imageListPath(boardPath);
    if (QFileInfo::exists(current)) {
        return current;
    }
    const QString legacy = legacyImageListPath(boardPath);
    if (QFileInfo::exists(legacy)) {
        return legacy;
    }
    return std::nullopt;
}

IniReadResult readSettingsFile(const QString& path) {
    IniReadResult result =
        readOwnIniFile(path, kMaxSettingsFileBytes,
                       QStringLiteral("\"%1\" is not a Plakora settings file.").arg(path));
    // No settings file yet is no error: the program starts without one.
    if (!result.exists) {
        result.error.clear();
    }
    return result;
}

namespace {

const QString kScreenDetailKeys[] = {QStringLiteral("ScreenManufacturer"),
                                     QStringLiteral("ScreenModel"), QStringLiteral("ScreenSerial"),
                                     QStringLiteral("ScreenGeometry")};

QString geometryText(const QRect& r) {
    return r.isValid()
               ? QStringLiteral("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y())
               : QString();
}

QRect geometryFrom(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^(\\d+)x(\\d+)\\+(-?\\d+)\\+(-?\\d+)$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch()) {
        return {};
    }
    return QRect(m.captured(3).toInt(), m.captured(4).toInt(), m.captured(1).toInt(),
                 m.captured(2).toInt());
}

} // namespace

QString readPlayScreenSetting(const QString& path) {
    return readPlayScreenIdentity(path).name;
}

ScreenIdentity readPlayScreenIdentity(const QString& path) {
    const IniReadResult read = readSettingsFile(path);
    if (!read.ok()) {
        return {};
    }
    const QString section = QString::fromLatin1(kDisplaySection);
    const auto value = [&](const QString& key) { return read.file.readString(section, key, {}); };
    ScreenIdentity screen;
    screen.name = value(QString::fromLatin1(kScreenKey));
    if (screen.name.isEmpty()) {
        return {};
    }
    screen.manufacturer = value(kScreenDetailKeys[0]);
    screen.model = value(kScreenDetailKeys[1]);
    screen.serial = value(kScreenDetailKeys[2]);
    screen.geometry = geometryFrom(value(kScreenDetailKeys[3]));
    return screen;
}

QString writePlayScreenSetting(const QString& path, const QString& name) {
    return writePlayScreenIdentity(path, ScreenIdentity{name, {}, {}, {}, {}});
}

QString writePlayScreenIdentity(const QString& path, const ScreenIdentity& screen) {
    const IniReadResult read = readSettingsFile(path);
    if (!read.ok()) {
        return read.error;
    }
    IniFile ini = read.file;
    const QString section = QString::fromLatin1(kDisplaySection);
    const QString details[] = {screen.manufacturer, screen.model, screen.serial,
                               geometryText(screen.geometry)};
    const auto put = [&](const QString& key, const QString& value) {
        if (value.isEmpty() || screen.isEmpty()) {
            ini.deleteKey(section, key);
            return true;
        }
        return ini.write(section, key, value);
    };
    bool ok = put(QString::fromLatin1(kScreenKey), screen.name);
    for (int i = 0; i < 4; ++i) {
        ok = put(kScreenDetailKeys[i], details[i]) && ok;
    }
    if (!ok) {
        return QStringLiteral("Unable to write to %1").arg(path);
    }
    return writeIniFile(path, ini);
}

QString settingsFilePath(const QString& folder) {
    return QDir(trimControls(folder)).filePath(QStringLiteral("plakora.INI"));
}
