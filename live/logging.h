#pragma once

// The log of the live sources: "plakora.live". Its debug and info messages
// are off unless asked for, e.g. QT_LOGGING_RULES="plakora.live.debug=true";
// warnings always show.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcLive)
