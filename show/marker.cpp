#include "show/marker.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::int64_t kCap = std::numeric_limits<std::int32_t>::max() + std::int64_t(1);

int digitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    int v = -1;
    if (u >= u'0' && u <= u'9') {
        v = u - u'0';
    } else if (base == 16 && u >= u'a' && u <= u'f') {
        v = u - u'a' + 10;
    } else if (base == 16 && u >= u'A' && u <= u'F') {
        v = u - u'A' + 10;
    }
    return v;
}

} // namespace

std::int64_t markerNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && text.at(i) == u'$') {
        base = 16;
        ++i;
    }
    std::int64_t value = 0;
    while (i < n) {
        const int d = digitValue(text.at(i), base);
        if (d < 0) {
            break;
        }
        // Saturate: anything this large is past the end of any image list.
        value = std::min<std::int64_t>(value * base + d, kCap);
        ++i;
    }
    const bool readToEnd = (i == n);
    return (negative && readToEnd) ? -value : value;
}

MarkerResult ParseMarker(const QString& line, int imageCount) {
    MarkerResult r;
    const QString s = line.left(255);
    const qsizetype b = s.indexOf(QStringLiteral("\\\\"));
    if (b < 0) {
        return r; // drawn empty
    }
    const qsizetype a = s.indexOf(QStringLiteral("//"));
    if (a < 0 || b < a) {
        r.text = s;
        return r;
    }
    const qsizetype count = b - a - 2;
    const QString between = count > 0 ? s.mid(a + 2, count) : QString();
    const std::int64_t number = markerNumber(between);
    if (number < 0 || number > imageCount - 1) {
        return r; // drawn empty, no picture
    }
    r.picture = static_cast<int>(number);
    r.text = (s.left(a) + s.mid(b + 2, 999)).left(255);
    return r;
}
