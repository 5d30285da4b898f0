#pragma once

// The board record: every setting of the board the operator composes, in the
// order the board is described. Texts of the titles and the crawl line, the
// lines of the text objects, the image list and the slide time live in the
// editor's controls instead.
//
// Fields that a pacing thread reads between steps (the delays, the page pause
// switch and the page length of text box 1) are SharedValue; everything else
// is touched on the main thread only.

#include "board/shared_value.h"

#include <QString>

#include <cstdint>

using Colour = std::uint32_t; // $00BBGGRR

// The live crawl source's defaults and the shortest time between fetches.
inline constexpr std::int32_t kDefaultCrawlRefresh = 300;
inline constexpr std::int32_t kMinCrawlRefresh = 10;
inline constexpr const char* kDefaultCrawlSeparator = "   \u2022   ";

struct BoardState {
    QString StartDirectory;
    bool ConfigChanged = false;
    QString TextFile1;
    QString TextFile2;
    QString BitmapFile1;
    QString BitmapFile2;
    QString BitmapFile3;
    QString BoardFileName;
    SharedValue<bool> PagePause1{false};
    bool PagePause2 = false;
    std::int32_t Box1Width = 0;
    std::int32_t Box2Width = 0;
    QString VersionString;
    std::int32_t BorderWidth = 0;
    SharedValue<std::int32_t> Box1PageHeight{0};
    std::int32_t Box2PageHeight = 0;
    std::int32_t Box1Height = 0;
    std::int32_t Box2Height = 0;
    bool AlignScreen = false;
    bool ClockOn = false;
    bool CenterText1 = false;
    bool CenterText2 = false;
    bool CTMFlag = false;
    Colour Text1Color = 0;
    Colour Text1BackColor = 0;
    std::int32_t Text1FontSize = 0;
    SharedValue<std::int32_t> Box1Delay{0};
    QString Text2FontName;
    QString Text1FontName;
    Colour PlayBackColor = 0;
    Colour Text2Color = 0;
    Colour Text2BackColor = 0;
    std::int32_t Text2FontSize = 0;
    SharedValue<std::int32_t> Box2Delay{0};
    std::int32_t MainTitleFontSize = 0;
    std::int32_t SecondTitleFontSize = 0;
    QString MainTitleFontName;
    QString SecondTitleFontName;
    Colour ClockColor = 0;
    Colour MainTitleBackColor = 0;
    Colour SecondTitleBackColor = 0;
    Colour MainTitleColor = 0;
    Colour SecondTitleColor = 0;
    std::int32_t ClockFontSize = 0;
    std::int32_t CrawlFontSize = 0;
    SharedValue<std::int32_t> CrawlDelay{0};
    QString ClockFontName;
    QString CrawlFontName;
    Colour ClockBackColor = 0;
    Colour CrawlColor = 0;
    Colour CrawlBackColor = 0;
    bool SettingsLoaded = false;
    QString WindowsDirectory;

    // Where the crawl line's items come from while a show plays, instead of
    // the board's own crawl line: a text file (one item per non-empty line)
    // or a news feed (RSS 2.0 or Atom, item titles) fetched every
    // CrawlRefresh seconds; items are joined by CrawlSeparator. Neither set:
    // the crawl line is the board's own.
    QString CrawlFile;
    QString CrawlFeed;
    std::int32_t CrawlRefresh = kDefaultCrawlRefresh;
    QString CrawlSeparator = QString::fromUtf8(kDefaultCrawlSeparator);
};

// True when the board's crawl line comes from a live source while it plays.
inline bool hasLiveCrawl(const BoardState& board) {
    return !board.CrawlFile.isEmpty() || !board.CrawlFeed.isEmpty();
}

// The version text shown in the editor caption and the about box.
inline constexpr const char* kVersionString = "01.03a.169";
inline constexpr const char* kApplicationTitle = "Ovri Plakora-32";
