#pragma once

// What a show needs from the editor that composes the board: the texts its
// controls hold, the switches it reads, and the editor's own part of the
// start of a show. The end of a show and the panel's clock switch reach the
// editor as signals of the play screen and the panel.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

struct ShowTexts {
    QString MainTitle;
    QString SecondTitle;
    QString CrawlLine;
    QStringList Text1Lines;
    QStringList Text2Lines;
    QStringList ImageList;
    // The seconds each slide stays.
    int PlayTime = 1;
};

class ShowHost {
public:
    virtual ~ShowHost() = default;

    virtual ShowTexts showTexts() const = 0;
    // While a show runs the text objects' editor boxes take these widths.
    virtual void setMemoWidthsForShow(int box1Width, int box2Width) = 0;
    // The image-stretch and retrace switches, read each time a picture is drawn.
    virtual bool imageStretch() const = 0;
    virtual bool syncWithRetrace() const = 0;
    // The editor leaves the screen to the play screen.
    virtual void hideEditorForShow() = 0;

    // Whether the editor's clock button is down.
    virtual bool clockButtonDown() const = 0;
    // The editor's colour dialog, opened with its current settings: the
    // chosen colour ($00BBGGRR), or nothing when the operator cancels.
    virtual std::optional<std::uint32_t> choosePlayBackColor() = 0;
    // What the operator should know about the screen the show plays on
    // (the chosen one missing, say); empty when all is as chosen.
    virtual void reportPlayScreen(const QString& note) = 0;
    // At program start, the offer to reload the last board.
    virtual void offerLastBoard() = 0;
};
