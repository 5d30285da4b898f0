#pragma once

// Screen, working directory, platform and processor information. The program
// asks this interface rather than the system, so tests can pin the screen
// size and either platform family.

#include <QString>

namespace platform {

enum class PlatformFamily { Windows95, WindowsNT, Unknown };

struct ProcessorInfo {
    int type = 0; // 386, 486, 586, 8664 ...
    int level = 0;
    int revision = 0;
    int count = 1;
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    // The size, in its own pixels, of the screen the show plays on. Unless
    // told otherwise, shows play on the screen the sizes above describe.
    virtual int playScreenWidth() const { return screenWidth(); }
    virtual int playScreenHeight() const { return screenHeight(); }
    virtual QString currentDirectory() const = 0;
    virtual bool setCurrentDirectory(const QString& path) = 0;
    virtual PlatformFamily platformFamily() const = 0;
    virtual int majorVersion() const = 0;
    virtual int minorVersion() const = 0;
    virtual ProcessorInfo processor() const = 0;
    // The folder that holds the program settings file.
    virtual QString windowsDirectory() const = 0;
};

// The system information in use: the live one unless a test put another in place.
SystemInfo& systemInfo();
// Puts `replacement` in place (nullptr restores the live one). The caller keeps ownership.
void setSystemInfo(SystemInfo* replacement);

// The live implementation, over Qt and the Linux system files. Linux counts
// as the NT family: it has every capability that family selects.
class QtSystemInfo final : public SystemInfo {
public:
    int screenWidth() const override;
    int screenHeight() const override;
    int playScreenWidth() const override;
    int playScreenHeight() const override;
    QString currentDirectory() const override;
    bool setCurrentDirectory(const QString& path) override;
    PlatformFamily platformFamily() const override;
    int majorVersion() const override;
    int minorVersion() const override;
    ProcessorInfo processor() const override;
    QString windowsDirectory() const override;
};

// Reads the processor fields from the text of /proc/cpuinfo and the machine
// architecture name (as QSysInfo::currentCpuArchitecture gives it).
ProcessorInfo parseCpuInfo(const QString& cpuinfo, const QString& architecture, int count);

} // namespace platform
