#pragma once

// The bounds within which a show uses the numbers and texts of a board. A
// board read from a file may hold any value; the board keeps it as it is
// (the control panel shows it and a save writes it back), while the show
// draws, sleeps and allocates only within these bounds. Ordinary values lie
// well inside them and pass through unchanged.

#include <QString>

#include <cstdint>

class QFontMetrics;

// A font of 0 points or less has no size to draw at; 1 point is the least.
inline constexpr int kMinFontPoints = 1;
// A 500-point line is about 770 pixels high, taller than most screens;
// larger sizes only cost memory for the line and crawl bitmaps.
inline constexpr int kMaxFontPoints = 500;
// Box widths and heights and the border reach at most four screens: past the
// screen nothing more shows, only bitmaps and layout arithmetic grow.
inline constexpr int kScreensPerLength = 4;
// Ten seconds for one pixel of movement already looks stopped; a longer
// pause would only make the show look hung.
inline constexpr int kMaxStepDelayMs = 10000;
// The time slider stops at 30 seconds; an hour a slide is far past it and
// keeps the pause, in milliseconds, well within range.
inline constexpr int kMaxSlideSeconds = 3600;
// No screen line shows more characters than this, and a line this long is
// still laid out within one step.
inline constexpr qsizetype kMaxLineChars = 16384;
// The crawl bitmap holds at most this many pixels (64 MB): about ten
// thousand characters at 40 points. A longer crawl line is cut to what fits.
inline constexpr std::int64_t kMaxCrawlBitmapPixels = std::int64_t(1) << 24;
int safeFontPoints(int points);
// A box width or height: 0 to kScreensPerLength times the screen's extent in
// that direction.
int safeLength(int length, int screenExtent);
// The border goes both ways, so it is bounded by the larger screen side.
int safeBorderWidth(int border, int screenWidth, int screenHeight);
// A negative delay becomes 0, which only yields.
int safeDelayMs(int ms);
int safeSlideSeconds(int seconds);

// The first kMaxLineChars characters of a title, crawl or text line, never
// splitting a character made of two code units.
QString safeLineText(const QString& text);

// The widest crawl bitmap allowed for a crawl line of this height.
int crawlWidthLimit(int lineHeight);

// The longest start of `text` that is at most `maxWidth` pixels wide in the
// font of `metrics`.
QString textWithinWidth(const QString& text, const QFontMetrics& metrics, int maxWidth);
