#pragma once

// The arithmetic of a show's layout: where every element stands on the play
// screen, from the top: main title, second title, text box 1 with the image
// area to its right, text box 2, clock, crawl line. Plain values in, plain
// values out, so it is checked without painting anything.

#include "show/show_state.h"

#include <cstdint>

// Sizes here are the ones the show uses, already within its safe bounds
// (layoutInputFor takes them so from the board), which keeps every sum below
// within range.
struct LayoutInput {
    std::int32_t BorderWidth = 0;
    std::int32_t ScreenWidth = 0;
    std::int32_t ScreenHeight = 0;

    bool MainTitleOn = false;
    bool SecondTitleOn = false;
    std::int32_t MainTitleFontSize = 0;
    std::int32_t SecondTitleFontSize = 0;
    // The bevel width each title panel has before this show; a border width
    // of 0 leaves it as it is.
    std::int32_t Panel3BevelWidth = 5;
    std::int32_t Panel4BevelWidth = 5;

    bool Box1On = false;
    bool Box2On = false;
    std::int32_t Box1Width = 0;
    std::int32_t Box1Height = 0;
    std::int32_t Box2Width = 0;
    std::int32_t Box2Height = 0;

    bool ClockOn = false;
    std::int32_t ClockFontSize = 0;

    bool CrawlOn = false;
    // Height of the crawl bitmap: the text height of "Wg" in the crawl font.
    std::int32_t CrawlLineHeight = 0;
};

struct TitleGeometry {
    bool visible = false;
    bool bevelNone = false; // no bevel when the border width is 0
    std::int32_t bevelWidth = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct FrameGeometry {
    bool visible = false;
    // Only computed when the box takes part; otherwise the frame keeps its
    // previous place (it is hidden anyway).
    bool placed = false;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct ShowLayout {
    TitleGeometry Panel3;
    TitleGeometry Panel4;
    FrameGeometry Bevel3;
    FrameGeometry Bevel4;

    std::int32_t Box1ShownHeight = 0;
    std::int32_t Box2ShownHeight = 0;
    std::int32_t Box1Bottom = 0;
    std::int32_t Box2Bottom = 0;
    std::int32_t ClockTop = 0;
    std::int32_t CrawlTop = 0;

    // Set only for the elements that take part.
    Rect Box1DestRect;
    Rect Box1ScrollRect;
    Rect Box2DestRect;
    Rect Box2ScrollRect;
    Rect CrawlDestRect;
    Rect CrawlScrollRect;
};

ShowLayout computeShowLayout(const LayoutInput& in);

// Writes the layout's values into the show record (clip rectangles equal the
// scroll rectangles). Rectangles of elements that are off are left as they were.
void applyShowLayout(const ShowLayout& layout, const LayoutInput& in, ShowState& show);

struct ImageArea {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool operator==(const ImageArea&) const = default;
};

// The rectangle beside text box 1 in which pictures and movies appear. T1 and
// T2 are the heights the title panels have in this show; box1Height is the
// height text box 1 takes in this show.
ImageArea computeImageArea(std::int32_t box1Width, std::int32_t box1Height,
                           std::int32_t borderWidth, std::int32_t screenWidth, std::int32_t t1,
                           std::int32_t t2);
