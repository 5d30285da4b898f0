#pragma once

// The log of this part of the program: "plakora.show". Its debug and info
// messages are off unless asked for, e.g. QT_LOGGING_RULES="plakora.show.debug=true";
// warnings always show.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcShow)
