#pragma once

// Texts of the image control panel's count labels.

#include <QString>
#include <QStringList>

// "<count> Images".
QString imageCountText(int count);

// The lines of text object 1 that carry a picture marker.
int countMarkerLines(const QStringList& lines);

// "Markers <count>".
QString markerCountText(int count);
