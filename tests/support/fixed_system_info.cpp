#include "tests/support/fixed_system_info.h"

namespace support {

FixedSystemInfo::FixedSystemInfo(int width, int height, platform::PlatformFamily family)
    : width(width), height(height), family(family) {
    platform::setSystemInfo(this);
}

FixedSystemInfo::~FixedSystemInfo() {
    // Only the one in place is taken out; a newer one stays.
    if (&platform::systemInfo() == this) {
        platform::setSystemInfo(nullptr);
    }
}

bool FixedSystemInfo::setCurrentDirectory(const QString& path) {
    directory = path;
    return true;
}

} // namespace support
