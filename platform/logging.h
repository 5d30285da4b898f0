#pragma once

// The log of this part of the program: "plakora.platform". Its debug and info
// messages are off unless asked for, e.g. QT_LOGGING_RULES="plakora.platform.debug=true";
// warnings always show.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
