#include "platform/system_info.h"

#include "platform/screens.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <atomic>

namespace platform {

namespace {

std::atomic<SystemInfo*> installedSystemInfo{nullptr};

constexpr int kFallbackScreenWidth = 800;
constexpr int kFallbackScreenHeight = 600;

QRect primaryScreenGeometry() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect geometry = screen->geometry();
            if (!geometry.isEmpty()) {
                return geometry;
            }
        }
    }
    return QRect(0, 0, kFallbackScreenWidth, kFallbackScreenHeight);
}

// The leading numbers of a kernel release such as "6.1.0-18-amd64".
int kernelVersionPart(int index) {
    static const QRegularExpression separators(QStringLiteral("[.\\-+_~]"));
    const QStringList parts = QSysInfo::kernelVersion().split(separators);
    if (index >= parts.size()) {
        return 0;
    }
    bool ok = false;
    const int value = parts[index].toInt(&ok);
    return ok ? value : 0;
}

// The fields of the first processor block of /proc/cpuinfo ("key : value"
// lines; a blank line ends a block).
QHash<QString, QString> firstProcessorFields(const QString& cpuinfo) {
    QHash<QString, QString> fields;
    const QStringList lines = cpuinfo.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty()) {
            if (!fields.isEmpty()) {
                break;
            }
            continue;
        }
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0) {
            continue;
        }
        const QString key = line.left(colon).trimmed();
        if (!fields.contains(key)) {
            fields.insert(key, line.mid(colon + 1).trimmed());
        }
    }
    return fields;
}

int numberField(const QHash<QString, QString>& fields, const QString& key) {
    bool ok = false;
    const int value = fields.value(key).toInt(&ok);
    return ok && value > 0 ? value : 0;
}

} // namespace

SystemInfo& systemInfo() {
    if (SystemInfo* installed = installedSystemInfo.load(std::memory_order_acquire)) {
        return *installed;
    }
    static QtSystemInfo live;
    return live;
}

void setSystemInfo(SystemInfo* replacement) {
    installedSystemInfo.store(replacement, std::memory_order_release);
}

int QtSystemInfo::screenWidth() const {
    return primaryScreenGeometry().width();
}

int QtSystemInfo::screenHeight() const {
    return primaryScreenGeometry().height();
}

int QtSystemInfo::playScreenWidth() const {
    const QSize pixels = screenPixels(playScreenTarget().screen);
    return pixels.isEmpty() ? kFallbackScreenWidth : pixels.width();
}

int QtSystemInfo::playScreenHeight() const {
    const QSize pixels = screenPixels(playScreenTarget().screen);
    return pixels.isEmpty() ? kFallbackScreenHeight : pixels.height();
}

QString QtSystemInfo::currentDirectory() const {
    return QDir::currentPath();
}

bool QtSystemInfo::setCurrentDirectory(const QString& path) {
    return QDir::setCurrent(path);
}

PlatformFamily QtSystemInfo::platformFamily() const {
    return PlatformFamily::WindowsNT;
}

int QtSystemInfo::majorVersion() const {
    return kernelVersionPart(0);
}

int QtSystemInfo::minorVersion() const {
    return kernelVersionPart(1);
}

ProcessorInfo QtSystemInfo::processor() const {
    QString cpuinfo;
    QFile file(QStringLiteral("/proc/cpuinfo"));
    // /proc files report a size of zero, so read until the end.
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        cpuinfo = QString::fromLocal8Bit(file.readAll());
    }
    return parseCpuInfo(cpuinfo, QSysInfo::currentCpuArchitecture(), QThread::idealThreadCount());
}

QString QtSystemInfo::windowsDirectory() const {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

ProcessorInfo parseCpuInfo(const QString& cpuinfo, const QString& architecture, int count) {
    const QHash<QString, QString> fields = firstProcessorFields(cpuinfo);
    ProcessorInfo info;
    info.level = numberField(fields, QStringLiteral("cpu family"));
    const int model = numberField(fields, QStringLiteral("model"));
    const int stepping = numberField(fields, QStringLiteral("stepping"));
    // The model in the high byte and the stepping in the low byte.
    info.revision = ((model & 0xFF) << 8) | (stepping & 0xFF);
    if (architecture == QLatin1String("i386")) {
        info.type = info.level >= 5 ? 586 : info.level == 4 ? 486 : 386;
    } else if (architecture == QLatin1String("x86_64")) {
        info.type = 8664;
    } else {
        info.type = 0;
    }
    info.count = std::max(1, count);
    return info;
}

} // namespace platform
