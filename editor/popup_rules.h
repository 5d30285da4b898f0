#pragma once

// The plain rules behind the context menu of the six element boxes: which
// board settings belong to which box, and which entries the menu offers.

#include "board/board_state.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// The six styled elements of a board, by their editor box.
enum class BoardElement {
    Text1,       // Memo1
    Text2,       // Memo2
    MainTitle,   // edit1
    SecondTitle, // edit2
    Crawl,       // Edit3
    Clock,       // Edit4
};

// The board settings of one element.
struct ElementFields {
    Colour* fontColour = nullptr;
    Colour* backColour = nullptr;
    std::int32_t* fontSize = nullptr;
    QString* fontName = nullptr;
};

ElementFields elementFields(BoardState& board, BoardElement element);

bool isTextObject(BoardElement element);

// What the context menu shows for one box.
struct PopupEntries {
    bool newTextFile = false;
    bool readIn = false;
    bool saveCurrent = false;
    bool fontTypeSize = false;
    bool setBackground = false;
    bool setFontColor = false;
    bool center = false;
    bool autoSize = false;
    bool centerChecked = false;

    bool operator==(const PopupEntries&) const = default;
};

// The entries for a box: a text object has content when it holds at least one
// line, a single-line box when its text is not empty. `centred` is the text
// object's centring flag; "Center" has no effect on the single-line boxes,
// so it never shows a check there.
PopupEntries popupEntries(BoardElement element, bool hasContent, bool centred);

// The modified flag of a text object after a change of its content: kept as
// the edit box left it, and set when the text then holds two or more lines.
bool modifiedAfterChange(bool editBoxFlag, qsizetype lineCount);

// The content of a text object's edit box that holds exactly these lines: a
// last line that is empty needs a line break of its own to be kept.
QString textObjectText(const QStringList& lines);
