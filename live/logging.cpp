#include "live/logging.h"

Q_LOGGING_CATEGORY(lcLive, "plakora.live", QtWarningMsg)
