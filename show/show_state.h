#pragma once

// The run-time record of a show: which elements take part, the layout, every
// rectangle and counter of the animation. It sits beside the board record in
// the editor window and is touched on the main thread, except the few
// SharedValue fields a pacing thread reads or counts between steps.

#include "board/board_state.h"
#include "board/shared_value.h"
#include "show/show_texts.h"

#include <QRect>
#include <QStringList>

#include <cstdint>
#include <optional>

// Left, Top, Right, Bottom in play screen pixels; Right and Bottom are exclusive.
struct Rect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    std::int32_t width() const { return Right - Left; }
    std::int32_t height() const { return Bottom - Top; }
    QRect toQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    bool operator==(const Rect&) const = default;
};

struct ShowState {
    // Element flags, decided by the Play command.
    bool Box1On = false;
    bool Box2On = false;
    bool MainTitleOn = false;
    bool SecondTitleOn = false;
    bool CrawlOn = false;

    SharedValue<bool> ShowRunning{false};
    // True while a show is being laid out and handed the screen.
    bool Starting = false;
    bool MarkerMode = false;
    bool MoviePlaying = false;
    std::int32_t Box1LineCount = 0;
    std::int32_t Box2LineCount = 0;
    std::int32_t Box1Line = 0;
    std::int32_t Box2Line = 0;
    std::int32_t Box1Row = 0;
    std::int32_t Box2Row = 0;
    std::int32_t CrawlColumn = 0;
    SharedValue<std::int32_t> Box1PageRows{0};
    std::int32_t Box1TextX = 0;
    std::int32_t Box2TextX = 0;
    std::int32_t SlideIndex = 0;
    // The seconds each slide stays (the editor's time slider) and the number
    // of image-list entries: the slideshow thread reads both between steps.
    SharedValue<std::int32_t> PlayTime{1};
    SharedValue<std::int32_t> ImageCount{0};
    std::int32_t Box1LineHeight = 0;
    std::int32_t Box2LineHeight = 0;
    std::int32_t Box1Bottom = 0;
    std::int32_t Box2Bottom = 0;
    std::int32_t ClockTop = 0;
    std::int32_t CrawlTop = 0;
    Rect Box1DestRect;
    Rect Box2DestRect;
    Rect Box1ScrollRect;
    Rect Box2ScrollRect;
    Rect Box1ClipRect;
    Rect Box2ClipRect;
    Rect Box1SourceRect;
    Rect Box2SourceRect;
    Rect Box1UpdateRect;
    Rect Box2UpdateRect;
    Rect CrawlDestRect;
    Rect CrawlScrollRect;
    Rect CrawlClipRect;
    Rect CrawlSourceRect;
    Rect CrawlUpdateRect;
    std::int32_t ImageAreaWidth = 0;
    std::int32_t ImageAreaHeight = 0;
    std::int32_t ImageAreaLeft = 0;
    std::int32_t ImageAreaTop = 0;

    // The heights text box 1 and 2 take in this show: the board's height when
    // the box takes part, 0 when it is off. The board keeps the operator's
    // values, so a box played empty comes back once it has text again.
    std::int32_t Box1ShownHeight = 0;
    std::int32_t Box2ShownHeight = 0;
    // The heights the main and second title bars take in this show, 0 for
    // one that is off; the image area starts below them.
    std::int32_t MainTitleBarHeight = 0;
    std::int32_t SecondTitleBarHeight = 0;

    // The lines text box 1 and 2 scroll now and the image list the
    // slideshow and the markers take their pictures from.
    QStringList Text1Lines;
    QStringList Text2Lines;
    QStringList ImageEntries;

    // What the show plays: the texts it was started with or last given while
    // it runs, and the board's settings as it was last laid out with them.
    // A restart (the control panel's, or a change of settings) plays these.
    ShowTexts Texts;
    BoardState PlayedBoard;
    // New lines for a text box, taken when its next line scrolls in.
    std::optional<QStringList> PendingText1Lines;
    std::optional<QStringList> PendingText2Lines;
    // Counts the crawl texts asked for, so that a bitmap drawn for an older
    // one is dropped.
    std::uint64_t CrawlGeneration = 0;
};
