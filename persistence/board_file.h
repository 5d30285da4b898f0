#pragma once

// Board files: the board record and the editor's own fields as the sections
// of an INI file, the image list file that lies beside a board file, and the
// program settings file that remembers the last board.
//
// Reader and writer walk one table of keys (visitBoardKeys), so they agree
// key for key, in the same order and with the same defaults.

#include "board/board_state.h"
#include "board/screen_identity.h"
#include "persistence/ini_file.h"

#include <QString>

#include <cstdint>
#include <optional>

class QDateTime;
class QLocale;

// What a board file holds beside the board record: fields the editor keeps
// in its own controls.
struct BoardFileFields {
    QString MainTitle;   // T1L
    QString SecondTitle; // T2L
    QString CrawlLine;   // T3L
    // The editor window's outer bounds.
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t PlayTime = 0; // seconds per slide, as the track bar stood
    bool ImageStretch = false;
};

// A board file larger than this is no board.
inline constexpr qint64 kMaxBoardFileBytes = 4 * 1024 * 1024;

// Integers in board files: decimal with an optional sign, hexadecimal after
// "$", or after "0x"/"0X" when the text is longer than two characters;
// anything else, or a number beyond 32 bits, gives nothing.
std::optional<std::int32_t> parseBoardInteger(const QString& text);

// The text without leading and trailing blanks and control characters.
QString trimControls(const QString& text);

// The "Project Save" stamp: the short date, a blank and the long time.
QString saveStamp(const QDateTime& when, const QLocale& locale);

// Removes the five board sections of `ini` and writes them again, key by key
// in the table's order; the sixth, [Live], only when the board's crawl source
// is not at its defaults (and it is removed when it is). Returns the key whose
// value cannot be stored (a value holding a line break), or an empty text when
// every key was written.
QString writeBoardSections(IniFile& ini, const BoardState& board, const BoardFileFields& fields,
                           const QString& stamp);

// Reads every key of the table into `board` and `fields`; a missing or
// unreadable key takes its default (the screen size for the window's size),
// and a CrawlRefresh below kMinCrawlRefresh reads as that minimum.
void readBoardSections(const IniFile& ini, BoardState& board, BoardFileFields& fields,
                       int screenWidth, int screenHeight);

// Reads a board file; a file that is not a board at all (not a regular file,
// too large, binary) is refused with a message in `error`.
struct BoardFileRead {
    IniFile ini;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
BoardFileRead readBoardFile(const QString& path);

// A board file's path as the program keeps it: absolute (a relative name is
// taken from the working folder now), and, when the file is there, with every
// link resolved, so that the image list beside it, the Project key and the
// settings file all name the board file itself, whatever folder the program
// is started from later. Empty stays empty.
QString boardFilePath(const QString& path);

// The image list file of a board: the same folder and base name with the
// extension ".LFG" (/x/Shows.2/board.sfg -> /x/Shows.2/board.LFG).
QString imageListPath(const QString& boardPath);
// The name older boards used: the path up to its first "." anywhere, then
// ".LFG" (/x/Shows.2/board.sfg -> /x/Shows.LFG).
QString legacyImageListPath(const QString& boardPath);
// The list file a load reads: the new name when it exists, else the old
// rule's name when that exists, else nothing.
std::optional<QString> existingImageListPath(const QString& boardPath);

// The program settings file in `folder`.
QString settingsFilePath(const QString& folder);
inline constexpr const char* kSettingsSection = "Stuff";
inline constexpr const char* kLastBoardKey = "LastSFGfile";
inline constexpr const char* kDefaultLastBoard = "Plakora.sfg";
inline constexpr qint64 kMaxSettingsFileBytes = 1024 * 1024;

// Reads the program settings file. A missing file reads as empty; one that is
// not a settings file at all (not a regular file, too large, binary) is
// refused with a message in `error`, as a board file is.
IniReadResult readSettingsFile(const QString& path);

// The screen shows play on, kept in the settings file by its name; none
// kept means the primary screen.
inline constexpr const char* kDisplaySection = "Display";
inline constexpr const char* kScreenKey = "Screen";
// The screen name the settings file at `path` keeps ("" when none, or when
// the file cannot be read).
QString readPlayScreenSetting(const QString& path);
// Keeps `name` as the screen in the settings file at `path`, leaving every
// other entry as it is; an empty name takes the entry out. Returns the
// message of a failure, or nothing.
QString writePlayScreenSetting(const QString& path, const QString& name);
// The same with what the screen reported of itself, kept beside its name
// (ScreenManufacturer, ScreenModel, ScreenSerial, ScreenGeometry as
// "WxH+X+Y"); an empty name takes every entry out.
ScreenIdentity readPlayScreenIdentity(const QString& path);
QString writePlayScreenIdentity(const QString& path, const ScreenIdentity& screen);
