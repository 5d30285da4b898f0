#include "editor/image_list_rules.h"

#include "show/show_rules.h"

#include <algorithm>

QString imageCountText(int count) {
    return QString::number(count) + QStringLiteral(" Images");
}

int countMarkerLines(const QStringList& lines) {
    return static_cast<int>(std::count_if(lines.cbegin(), lines.cend(), lineHasMarker));
}

QString markerCountText(int count) {
    return QStringLiteral("Markers ") + QString::number(count);
}

QString suffixFilter(const QString& name, const QStringList& suffixes) {
    QStringList patterns;
    for (const QString& suffix : suffixes) {
        patterns << QStringLiteral("*.") + suffix;
    }
    return QStringLiteral("%1 (%2)|%3")
        .arg(name, patterns.join(QLatin1Char(' ')), patterns.join(QLatin1Char(';')));
}
