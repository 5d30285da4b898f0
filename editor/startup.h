#pragma once

// The program's windows, created in their fixed order: the editor (visible),
// the play screen, the font chooser and the live control panel (hidden).

#include <QString>

#include <memory>
#include <optional>

class Tmainform;
class TPlayScreen;
class TDFontForm;
class TAlignCntrlBox;

struct ProgramWindows {
    std::unique_ptr<Tmainform> mainform;
    std::unique_ptr<TPlayScreen> PlayScreen;
    std::unique_ptr<TDFontForm> DFontForm;
    std::unique_ptr<TAlignCntrlBox> AlignCntrlBox;
    // Set when the program is to end at once with this code: a board to play
    // unattended that could not be read (its box has said why) leaves no
    // empty editor on a screen nobody watches.
    std::optional<int> exitCode;

    ProgramWindows();
    ProgramWindows(ProgramWindows&&) noexcept;
    ProgramWindows& operator=(ProgramWindows&&) noexcept;
    ~ProgramWindows();

private:
    void release();
};

// What the program was asked to do when it was started. Left empty, it
// starts as it always has: with the offer to reload the last board.
struct StartRequest {
    // A board file to load in place of that offer.
    QString board;
    // Play the board once it is loaded, asking nothing; the boxes that only
    // inform close themselves, since nobody may be there to close them.
    bool play = false;
    // The name of the screen shows play on in this run; empty: the one the
    // editor keeps. It is not stored.
    QString screen;
    // Why `board` cannot be opened at all, when its name could not be read
    // (it is not valid UTF-8); the start-up says so in place of loading it.
    QString boardProblem = {};

    bool operator==(const StartRequest&) const = default;
};

// The application title and the help file, set before any window exists.
void setUpApplication();

// Creates the four windows in order and wires them together; the editor is
// shown when `showEditor` is set. A board in `request` is loaded where the
// offer to reload the last one would be made.
ProgramWindows createWindows(bool showEditor = true, const StartRequest& request = {});

// The program's start: the windows, then what `request` asks for beyond the
// board (the screen of this run, the show).
ProgramWindows startProgram(const StartRequest& request);
