#pragma once

#include <QString>

namespace platform {

// The help file named at program start; the Help command opens it.
void setHelpFile(const QString& path);
QString helpFile();

} // namespace platform
