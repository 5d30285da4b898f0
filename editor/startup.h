#pragma once

// The program's windows, created in their fixed order: the editor (visible),
// the play screen, the font chooser and the live control panel (hidden).

#include <memory>

class Tmainform;
class TPlayScreen;
class TDFontForm;
class TAlignCntrlBox;

struct ProgramWindows {
    std::unique_ptr<Tmainform> mainform;
    std::unique_ptr<TPlayScreen> PlayScreen;
    std::unique_ptr<TDFontForm> DFontForm;
    std::unique_ptr<TAlignCntrlBox> AlignCntrlBox;

    ProgramWindows();
    ProgramWindows(ProgramWindows&&) noexcept;
    ProgramWindows& operator=(ProgramWindows&&) noexcept;
    ~ProgramWindows();

private:
    void release();
};

// The application title and the help file, set before any window exists.
void setUpApplication();

// Creates the four windows in order and wires them together; the editor is
// shown when `showEditor` is set.
ProgramWindows createWindows(bool showEditor = true);
