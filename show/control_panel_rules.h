#pragma once

// The arithmetic of the live control panel, kept apart from its window.

#include <QFont>
#include <QString>

// The largest width a text box can take on the screen: the screen less a
// border on each side, at least 1 and at most the screen.
int widthBarMaximum(int screenWidth, int borderWidth);

// The size in points of a title font. The play screen gives its titles a
// pixel size (points at 96 dots per inch), and this turns it back.
int titleFontPoints(const QFont& font);

// The lowest position a height bar may take: the title's point size, kept
// within the bar's range so that the range never turns over.
int heightBarMinimum(int titlePoints, int barMaximum);

// A thread id as the panel shows it: decimal, no blanks.
QString threadIdText(long long id);
