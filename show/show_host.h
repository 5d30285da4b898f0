#pragma once

// What a show reads from the editor that composes the board: the texts its
// controls hold, the switches, and the colour the operator chooses. What the
// show tells the editor (a show starts or ends, the screen it plays on, the
// panel's clock switch) reaches it as signals of the play screen and the
// control panel, which the editor connects to.

#include "show/show_texts.h"

#include <cstdint>
#include <optional>

class ShowHost {
public:
    virtual ~ShowHost() = default;

    virtual ShowTexts showTexts() const = 0;
    // The image-stretch and retrace switches, read each time a picture is drawn.
    virtual bool imageStretch() const = 0;
    virtual bool syncWithRetrace() const = 0;

    // Whether the editor's clock button is down.
    virtual bool clockButtonDown() const = 0;
    // The editor's colour dialog, opened with its current settings: the
    // chosen colour ($00BBGGRR), or nothing when the operator cancels.
    virtual std::optional<std::uint32_t> choosePlayBackColor() = 0;
};
