#include "app/logging.h"

Q_LOGGING_CATEGORY(lcApp, "plakora.app", QtWarningMsg)
