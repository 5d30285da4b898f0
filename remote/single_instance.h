#pragma once

// One running program per session: a second start hands what it was asked
// for to the program that runs already, over the session bus, and ends.
// Without a session bus, or with no program running, nothing is handed over.

#include "editor/startup.h"

#include <QString>

struct HandOver {
    // True when a running program took the request.
    bool handed = false;
    // What the running program answered when it refused (a board that
    // cannot be read says why).
    QString error;
};

// `plakora --play BOARD` makes the running program play BOARD, `plakora
// BOARD` loads it in its editor, `plakora` alone brings its editor to the
// front.
HandOver handOverToRunningProgram(const StartRequest& request);
