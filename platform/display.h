#pragma once

// Whether the program can open a display, asked before any GUI object
// exists: with no display Qt ends the program with an abort and a core dump,
// which a program started over ssh, on a console or by a package script must
// not do.

#include <QString>

namespace platform {

// Why no display can be opened, from the environment alone (no platform
// chosen with QT_QPA_PLATFORM, and neither DISPLAY nor WAYLAND_DISPLAY set);
// empty when there may be one.
QString missingDisplay();

// While it lives, a display that Qt fails to open ends the program with
// exit code 1 and a line on standard error, instead of Qt's abort. Made
// around the construction of the GUI application only.
class DisplayFailureExit {
public:
    DisplayFailureExit();
    ~DisplayFailureExit();
    DisplayFailureExit(const DisplayFailureExit&) = delete;
    DisplayFailureExit& operator=(const DisplayFailureExit&) = delete;
};

// The exit code of a program that found no display.
inline constexpr int kNoDisplayExitCode = 1;

} // namespace platform
