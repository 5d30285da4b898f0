#pragma once

// The plain rules of the font chooser: the order of the face list, the range
// of the size slider, which board settings and which sample text belong to
// the element the chooser works on, and the sizes the sample may be drawn at.

#include "board/board_state.h"
#include "editor/popup_rules.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

class QTextDocument;

// The size slider runs from 16 to 200 points with a tick every 4.
inline constexpr int kChooserMinSize = 16;
inline constexpr int kChooserMaxSize = 200;
inline constexpr int kChooserSizeTick = 4;

// A stored size as the slider takes it: sizes outside its range become the
// nearest bound.
int chooserFontSize(int stored);

// Face names in alphabetical order without regard to letter case; names that
// differ only in case keep a fixed order among themselves.
QStringList sortedFamilies(QStringList families);

// The sample the chooser shows for an element: the second line of a text
// object (empty when it has fewer than two lines), the box's text for the
// titles and the crawl line, and the date and time line for the clock.
// `boxLines` are the lines of a text object, or the one text of a line box.
QString fontSampleText(BoardElement element, const QStringList& boxLines, const QDateTime& now);

// The first `count` lines of a text object's document, as its whole plain text
// splits into lines, read from the first blocks only: a text object of any
// length gives its sample at once.
QStringList leadingTextLines(const QTextDocument& document, int count);

// The pixel size the sample is drawn at for a size in points: a size from a
// loaded board may be anything, the sample stays within what can be drawn.
int samplePixelSize(int points);

// What the chooser works on: the size and face settings of one element, its
// font colour and where its sample text comes from.
struct FontTarget {
    std::int32_t* size = nullptr;
    QString* face = nullptr;
    const Colour* colour = nullptr;
    std::function<QString()> sampleText;

    bool isValid() const { return size && face && colour && sampleText; }
};

// The target for an element of this board; the sample comes from `sample`.
FontTarget fontTarget(BoardState& board, BoardElement element, std::function<QString()> sample);
