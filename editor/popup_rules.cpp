#include "editor/popup_rules.h"

ElementFields elementFields(BoardState& b, BoardElement element) {
    switch (element) {
    case BoardElement::Text1:
        return {&b.Text1Color, &b.Text1BackColor, &b.Text1FontSize, &b.Text1FontName};
    case BoardElement::Text2:
        return {&b.Text2Color, &b.Text2BackColor, &b.Text2FontSize, &b.Text2FontName};
    case BoardElement::MainTitle:
        return {&b.MainTitleColor, &b.MainTitleBackColor, &b.MainTitleFontSize,
                &b.MainTitleFontName};
    case BoardElement::SecondTitle:
        return {&b.SecondTitleColor, &b.SecondTitleBackColor, &b.SecondTitleFontSize,
                &b.SecondTitleFontName};
    case BoardElement::Crawl:
        return {&b.CrawlColor, &b.CrawlBackColor, &b.CrawlFontSize, &b.CrawlFontName};
    case BoardElement::Clock:
        return {&b.ClockColor, &b.ClockBackColor, &b.ClockFontSize, &b.ClockFontName};
    }
    return {};
}

bool isTextObject(BoardElement element) {
    return element == BoardElement::Text1 || element == BoardElement::Text2;
}

PopupEntries popupEntries(BoardElement element, bool hasContent, bool centred) {
    PopupEntries e;
    if (element == BoardElement::Clock) {
        // The clock's background is not used on the play screen.
        e.fontTypeSize = true;
        e.setFontColor = true;
        return e;
    }
    if (isTextObject(element)) {
        e.readIn = true;
        e.centerChecked = centred;
        if (hasContent) {
            e.newTextFile = e.saveCurrent = true;
            e.fontTypeSize = e.setBackground = e.setFontColor = e.center = e.autoSize = true;
        }
        return e;
    }
    // Titles and the crawl line: "New Text File" stands alone on an empty box
    // (where it does nothing); with text the style entries come instead.
    if (hasContent) {
        e.fontTypeSize = e.setBackground = e.setFontColor = e.center = e.autoSize = true;
    } else {
        e.newTextFile = true;
    }
    return e;
}

bool modifiedAfterChange(bool editBoxFlag, qsizetype lineCount) {
    return editBoxFlag || lineCount >= 2;
}

QString textObjectText(const QStringList& lines) {
    QString text = lines.join(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        text += QLatin1Char('\n');
    }
    return text;
}
