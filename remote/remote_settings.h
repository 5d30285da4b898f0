#pragma once

// The HTTP remote's settings, kept in the program settings file's [Remote]
// section:
//   Http=1            the remote is on (off when missing)
//   Address=127.0.0.1 the address it listens on
//   Port=8650
//   Token=<hex>       what every request must carry

#include <QString>

inline constexpr const char* kRemoteSection = "Remote";
inline constexpr const char* kDefaultRemoteAddress = "127.0.0.1";
inline constexpr quint16 kDefaultRemotePort = 8650;
// The token's length in random bytes (written as twice as many hex digits).
inline constexpr int kRemoteTokenBytes = 16;

struct RemoteSettings {
    bool http = false;
    QString address = QString::fromLatin1(kDefaultRemoteAddress);
    quint16 port = kDefaultRemotePort;
    QString token; // empty: none made yet

    bool operator==(const RemoteSettings&) const = default;
};

// A fresh token from the system's random source, in hex.
QString newRemoteToken();

// The settings the file at `path` keeps; what is missing or not readable
// (a port out of range, say) is the default. A file that cannot be read
// reads as the defaults.
RemoteSettings readRemoteSettings(const QString& path);
// Keeps `settings` in the file at `path`, leaving every other entry as it
// is. Returns the message of a failure, or nothing.
QString writeRemoteSettings(const QString& path, const RemoteSettings& settings);
// The settings at `path`, with a token made and written there when none was
// kept; a failure to write leaves the token in the result unwritten.
RemoteSettings readRemoteSettingsWithToken(const QString& path);
