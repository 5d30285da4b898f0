#include "remote/remote_settings.h"

#include "persistence/board_file.h"
#include "persistence/ini_file.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <array>

namespace {

QString key(const char* name) {
    return QString::fromLatin1(name);
}

} // namespace

QString newRemoteToken() {
    std::array<quint32, kRemoteTokenBytes / 4> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(words.data()), kRemoteTokenBytes).toHex());
}

RemoteSettings readRemoteSettings(const QString& path) {
    RemoteSettings settings;
    const IniReadResult read = readSettingsFile(path);
    if (!read.ok()) {
        return settings;
    }
    const QString section = key(kRemoteSection);
    const auto value = [&](const char* name) {
        return read.file.value(section, key(name)).value_or(QString()).trimmed();
    };
    settings.http = value("Http") == QLatin1String("1");
    const QString address = value("Address");
    if (!address.isEmpty()) {
        settings.address = address;
    }
    bool ok = false;
    const uint port = value("Port").toUInt(&ok);
    if (ok && port >= 1 && port <= 65535) {
        settings.port = static_cast<quint16>(port);
    }
    settings.token = value("Token");
    return settings;
}

QString writeRemoteSettings(const QString& path, const RemoteSettings& settings) {
    const IniReadResult read = readSettingsFile(path);
    if (!read.ok()) {
        return read.error;
    }
    IniFile ini = read.file;
    const QString section = key(kRemoteSection);
    bool ok =
        ini.write(section, key("Http"), settings.http ? QStringLiteral("1") : QStringLiteral("0"));
    ok = ini.write(section, key("Address"), settings.address) && ok;
    ok = ini.write(section, key("Port"), QString::number(settings.port)) && ok;
    if (settings.token.isEmpty()) {
        ini.deleteKey(section, key("Token"));
    } else {
        ok = ini.write(section, key("Token"), settings.token) && ok;
    }
    if (!ok) {
        return QStringLiteral("Unable to write to %1").arg(path);
    }
    return writeIniFile(path, ini);
}

RemoteSettings readRemoteSettingsWithToken(const QString& path) {
    RemoteSettings settings = readRemoteSettings(path);
    if (settings.token.isEmpty()) {
        settings.token = newRemoteToken();
        writeRemoteSettings(path, settings);
    }
    return settings;
}
