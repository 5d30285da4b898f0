#include "persistence/logging.h"

Q_LOGGING_CATEGORY(lcPersistence, "plakora.persistence", QtWarningMsg)
