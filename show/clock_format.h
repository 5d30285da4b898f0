#pragma once

#include <QDateTime>
#include <QString>

// The clock's line: weekday and month in full, day without leading zero, the
// four-digit year, two blanks, the word Time and the 12-hour time with am or
// pm, as in "Monday December 7, 2026  Time 10:47:13 pm".
QString clockText(const QDateTime& when);
