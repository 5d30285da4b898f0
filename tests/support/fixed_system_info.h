#pragma once

// System information with every value chosen by the test. Constructing one
// puts it in place of the live information; destroying it restores the live one.

#include "platform/system_info.h"

#include <QString>

namespace support {

class FixedSystemInfo final : public platform::SystemInfo {
public:
    explicit FixedSystemInfo(int width = 800, int height = 600,
                             platform::PlatformFamily family = platform::PlatformFamily::WindowsNT);
    ~FixedSystemInfo() override;
    FixedSystemInfo(const FixedSystemInfo&) = delete;
    FixedSystemInfo& operator=(const FixedSystemInfo&) = delete;

    int width;
    int height;
    platform::PlatformFamily family;
    int major = 4;
    int minor = 0;
    platform::ProcessorInfo cpu{586, 5, 1025, 1};
    QString directory;
    QString windowsDir;
    // Shows play on the screen the live system gives, in its own pixels,
    // rather than on the pinned size.
    bool livePlayScreen = false;

    int screenWidth() const override { return width; }
    int screenHeight() const override { return height; }
    int playScreenWidth() const override {
        return livePlayScreen ? platform::QtSystemInfo().playScreenWidth() : width;
    }
    int playScreenHeight() const override {
        return livePlayScreen ? platform::QtSystemInfo().playScreenHeight() : height;
    }
    QString currentDirectory() const override { return directory; }
    bool setCurrentDirectory(const QString& path) override;
    platform::PlatformFamily platformFamily() const override { return family; }
    int majorVersion() const override { return major; }
    int minorVersion() const override { return minor; }
    platform::ProcessorInfo processor() const override { return cpu; }
    QString windowsDirectory() const override { return windowsDir; }
};

} // namespace support
