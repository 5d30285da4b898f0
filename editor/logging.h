#pragma once

// The log of this part of the program: "plakora.editor". Its debug and info
// messages are off unless asked for, e.g. QT_LOGGING_RULES="plakora.editor.debug=true";
// warnings always show.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcEditor)
