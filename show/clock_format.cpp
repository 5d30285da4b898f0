#include "show/clock_format.h"

#include <QLocale>

#include <algorithm>

QString clockText(const QDateTime& when) {
    const QLocale english = QLocale::c();
    const QDate d = when.date();
    const QTime t = when.time();
    const int hour12 = (t.hour() % 12 == 0) ? 12 : t.hour() % 12;
    return QStringLiteral("%1 %2 %3, %4  Time %5:%6:%7 %8")
        .arg(english.dayName(d.dayOfWeek(), QLocale::LongFormat))
        .arg(english.monthName(d.month(), QLocale::LongFormat))
        .arg(d.day())
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(hour12)
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'))
        .arg(t.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm"));
}

QRect clockBand(int clockTop, int crawlTop, int lineHeight, int screenWidth) {
    const int bottom = std::min(clockTop + lineHeight, crawlTop);
    if (bottom <= clockTop || screenWidth <= 0) {
        return {};
    }
    return QRect(0, clockTop, screenWidth, bottom - clockTop);
}
