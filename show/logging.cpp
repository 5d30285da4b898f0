#include "show/logging.h"

Q_LOGGING_CATEGORY(lcShow, "plakora.show", QtWarningMsg)
