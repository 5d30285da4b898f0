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

// A file dialog filter entry for files ending in `suffixes`:
// "Name (*.a *.b)|*.a;*.b".
QString suffixFilter(const QString& name, const QStringList& suffixes);
