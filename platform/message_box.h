#pragma once

// The program's message box, built on Qt widgets, and the rule that keeps
// its text on the screen.

#include "platform/dialogs.h"

#include <QString>

#include <chrono>
#include <functional>

class QFontMetrics;

namespace platform {

// The text of a message box as shown: a run of characters without a blank
// (a long path, most often) that is wider than `maxWidth` is cut in its
// middle to fit, so the box and its buttons stay on the screen; the rest
// wraps as ever.
QString fittedMessageText(const QString& text, const QFontMetrics& metrics, int maxWidth);

// How long a box that only informs stays up when nobody watches the screen.
inline constexpr std::chrono::milliseconds kUnattendedBoxTime{15000};

// The boxes of a show that runs unattended (started from the command line
// to play): a box that only informs closes itself after `closeAfter` with
// its default answer, so that a show left alone never stands frozen behind
// a box nobody sees, and its caption and text also go to `echo`, which
// writes to standard error unless it is replaced. Questions wait for an
// answer as ever.
struct UnattendedBoxes {
    std::chrono::milliseconds closeAfter = kUnattendedBoxTime;
    std::function<void(const QString&)> echo;
};

// A modal box over the active window: the icon of its kind, the text, and
// the requested buttons in the order Yes, No, OK, Cancel (OK alone when
// none is requested). The first button is the default, which Enter
// presses. A button's underlined letter presses it, alone or with Alt.
// Closing the box or pressing Esc answers None. With `unattended` set, a box
// that only informs closes itself as UnattendedBoxes says.
Answer runMessageBox(MessageKind kind, const QString& text, Buttons buttons,
                     const UnattendedBoxes* unattended);

} // namespace platform
