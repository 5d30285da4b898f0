#pragma once

// Printer set-up: the one printer the program prints on, and the window
// that chooses it.

#include "platform/dialogs.h"

class QPrinter;

namespace platform {

// The printer the program prints on; printer set-up changes it.
QPrinter& sharedPrinter();

// Opens Qt's print dialog on sharedPrinter() over the active window. Qt's
// print dialog has no help button, so ShowHelp changes nothing. The warning
// about a missing printer is a message box of its own, shown through
// dialogs() before the print dialog opens. True when the operator confirmed.
bool runPrintSetup(const PrintSetupSettings& settings);

} // namespace platform
