// The board loader on any bytes: loading never fails, a file that is no
// board is refused before it is read, and whatever a load takes in, a save
// writes out and the next load reads back the same.

#include "persistence/board_file.h"
#include "persistence/ini_file.h"
#include "persistence/text_file.h"

#include <cstddef>
#include <cstdint>

namespace {

void check(bool property) {
    if (!property) {
        __builtin_trap();
    }
}

bool sameBoard(const BoardState& a, const BoardState& b) {
    return a.TextFile1 == b.TextFile1 && a.TextFile2 == b.TextFile2 &&
           a.BitmapFile1 == b.BitmapFile1 && a.BitmapFile2 == b.BitmapFile2 &&
           a.BitmapFile3 == b.BitmapFile3 && a.Text1FontName == b.Text1FontName &&
           a.Text2FontName == b.Text2FontName && a.MainTitleFontName == b.MainTitleFontName &&
           a.SecondTitleFontName == b.SecondTitleFontName && a.ClockFontName == b.ClockFontName &&
           a.CrawlFontName == b.CrawlFontName && a.PlayBackColor == b.PlayBackColor &&
           a.Text1Color == b.Text1Color && a.Text1BackColor == b.Text1BackColor &&
           a.Text2Color == b.Text2Color && a.Text2BackColor == b.Text2BackColor &&
           a.MainTitleColor == b.MainTitleColor && a.MainTitleBackColor == b.MainTitleBackColor &&
           a.SecondTitleColor == b.SecondTitleColor &&
           a.SecondTitleBackColor == b.SecondTitleBackColor && a.ClockColor == b.ClockColor &&
           a.ClockBackColor == b.ClockBackColor && a.CrawlColor == b.CrawlColor &&
           a.CrawlBackColor == b.CrawlBackColor && a.Box1Width == b.Box1Width &&
           a.Box2Width == b.Box2Width && a.PagePause1.load() == b.PagePause1.load() &&
           a.PagePause2 == b.PagePause2 && a.Box1Delay.load() == b.Box1Delay.load() &&
           a.Box2Delay.load() == b.Box2Delay.load() && a.CrawlDelay.load() == b.CrawlDelay.load() &&
           a.BorderWidth == b.BorderWidth && a.Box1PageHeight.load() == b.Box1PageHeight.load() &&
           a.Box2PageHeight == b.Box2PageHeight && a.Box1Height == b.Box1Height &&
           a.Box2Height == b.Box2Height && a.Text1FontSize == b.Text1FontSize &&
           a.Text2FontSize == b.Text2FontSize && a.MainTitleFontSize == b.MainTitleFontSize &&
           a.SecondTitleFontSize == b.SecondTitleFontSize && a.ClockFontSize == b.ClockFontSize &&
           a.CrawlFontSize == b.CrawlFontSize && a.AlignScreen == b.AlignScreen &&
           a.ClockOn == b.ClockOn && a.CenterText1 == b.CenterText1 &&
           a.CenterText2 == b.CenterText2 && a.CTMFlag == b.CTMFlag;
}

bool sameFields(const BoardFileFields& a, const BoardFileFields& b) {
    return a.MainTitle == b.MainTitle && a.SecondTitle == b.SecondTitle &&
           a.CrawlLine == b.CrawlLine && a.Left == b.Left && a.Top == b.Top && a.Width == b.Width &&
           a.Height == b.Height && a.PlayTime == b.PlayTime && a.ImageStretch == b.ImageStretch;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    // The editor refuses what is no text before it reads a single key.
    if (!looksLikeText(input)) {
        return 0;
    }
    const IniFile ini = IniFile::fromBytes(input);
    BoardState loaded;
    BoardFileFields fields;
    readBoardSections(ini, loaded, fields, 1024, 768);
    (void)parseBoardInteger(decodeText(input.left(64)));

    // Saving into the very file it came from keeps the foreign lines and
    // writes every key; loading the result gives the same board.
    IniFile saved = ini;
    check(writeBoardSections(saved, loaded, fields, QStringLiteral("1/1/26 0:00:00")).isEmpty());
    BoardState again;
    BoardFileFields fieldsAgain;
    readBoardSections(IniFile::fromBytes(saved.toBytes()), again, fieldsAgain, 1024, 768);
    check(sameBoard(loaded, again));
    check(sameFields(fields, fieldsAgain));
    return 0;
}
