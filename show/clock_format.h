#pragma once

#include <QDateTime>
#include <QRect>
#include <QString>

// The clock's line: weekday and month in full, day without leading zero, the
// four-digit year, two blanks, the word Time and the 12-hour time with am or
// pm, as in "Monday December 7, 2026  Time 10:47:13 pm".
QString clockText(const QDateTime& when);

// The band the clock clears and draws in: from the clock's top, one text line
// high, the screen wide, but never reaching into the crawl strip below it.
QRect clockBand(int clockTop, int crawlTop, int lineHeight, int screenWidth);
