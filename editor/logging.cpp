#include "editor/logging.h"

Q_LOGGING_CATEGORY(lcEditor, "plakora.editor", QtWarningMsg)
