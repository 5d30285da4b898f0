#include "platform/win_ver.h"

QString platformName(platform::PlatformFamily family) {
    switch (family) {
    case platform::PlatformFamily::Windows95:
        return QStringLiteral("Windows 95");
    case platform::PlatformFamily::WindowsNT:
        return QStringLiteral("Windows NT");
    case platform::PlatformFamily::Unknown:
        break;
    }
    return QStringLiteral("Unknown");
}

QString winVerText(const platform::SystemInfo& info, std::uint8_t index) {
    QString text = platformName(info.platformFamily());
    const platform::ProcessorInfo cpu = info.processor();
    if (index == 3) {
        switch (cpu.type) {
        case 386:
            text = QStringLiteral("80386");
            break;
        case 486:
            text = QStringLiteral("80486");
            break;
        case 586:
            text = QStringLiteral("Pentium");
            break;
        default:
            text = QStringLiteral("Unknown (%1)").arg(cpu.type);
            break;
        }
    }
    switch (index) {
    case 1:
        return QStringLiteral("Version %1.%2")
            .arg(info.majorVersion())
            .arg(info.minorVersion(), 2, 10, QLatin1Char('0'));
    case 3:
        return text;
    case 4:
        return QString::number(cpu.count);
    case 5:
        return QString::number(cpu.level);
    case 6:
        return QString::number(cpu.revision);
    default:
        return text;
    }
}

bool isNtFamily(const platform::SystemInfo& info) {
    return winVerText(info, 2) == QStringLiteral("Windows NT");
}
