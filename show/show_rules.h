#pragma once

// Small decisions of the Play command and of show start-up, kept apart from
// the windows so that they are checked directly.

#include "show/show_state.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// A single-line text takes part when it compares greater than one blank,
// code unit by code unit: "", " " and a text starting with a control
// character are off; "  " and " x" are on.
bool textTakesPart(const QString& text);

// True when any of the main title, second title, text box 1, text box 2, the
// crawl line or the clock takes part; the image list alone does not count.
bool PROJECTISVALID(const ShowState& show, bool clockOn);

// Which elements take part in a show of these texts: a text box when its
// text object has a line, a title or the crawl line when its text takes
// part, and the crawl line too when it comes from a live source.
struct ElementFlags {
    bool Box1On = false;
    bool Box2On = false;
    bool MainTitleOn = false;
    bool SecondTitleOn = false;
    bool CrawlOn = false;
    bool operator==(const ElementFlags&) const = default;
};
ElementFlags elementFlagsFor(const ShowTexts& texts);
ElementFlags elementFlagsOf(const ShowState& show);
void setElementFlags(ShowState& show, const ElementFlags& flags);

// Pictures come with the lines of text box 1 (and the slideshow stays off)
// when the box takes part, the image list holds a picture and a line of
// text object 1 carries a marker.
bool markerModeFor(const ShowTexts& texts, bool box1On);

// True when two boards look the same on the play screen: every colour,
// font, size, delay and switch a show is laid out and paced with. Files,
// names and the crawl source do not count.
bool sameShowSettings(const BoardState& a, const BoardState& b);

// The file name endings, without the dot, that make an image list entry a
// picture: the bitmaps and the formats people keep photographs and logos in.
const QStringList& pictureSuffixes();
// The endings of the movie files the open dialog offers first; any entry that
// is not a picture is played as a movie all the same.
const QStringList& movieSuffixes();

// True when any entry of the image list is a picture (see isBitmapEntry).
bool bmpcheck(const QStringList& entries);

// An entry of the image list is a picture when it ends in "BMP" or in a dot
// and one of pictureSuffixes(), in any letter case; every other entry is a
// movie.
bool isBitmapEntry(const QString& entry);

// A line of text object 1 carries a picture marker when it holds both "//"
// and two backslashes.
bool lineHasMarker(const QString& line);

// The width a text object's editor box takes while a show runs: half the
// text box width, or the editor's width less 65 when the editor is not wider
// than that.
std::int32_t memoWidthDuringShow(std::int32_t boxWidth, std::int32_t editorWidth);

// Text box 1's width after a text file is loaded through the Play command:
// the screen less the image area when there is one, else the whole screen.
std::int32_t box1WidthAfterLoad(std::int32_t screenWidth, std::int32_t imageAreaWidth);
