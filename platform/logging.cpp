#include "platform/logging.h"

Q_LOGGING_CATEGORY(lcPlatform, "plakora.platform", QtWarningMsg)
