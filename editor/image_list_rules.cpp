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
