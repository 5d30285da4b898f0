#pragma once

// Large 24- or 32-bit bitmap files of one colour, written straight to disk (header,
// then one row repeated) so that a picture of hundreds of megabytes takes no
// more memory than one row to make.

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <cstdint>

namespace support {

inline std::int64_t bitmapRowBytes(std::int64_t width, int bits) {
    return (width * (bits / 8) + 3) / 4 * 4;
}

// The 54-byte header of a bottom-up bitmap of `width` x `height` pixels of
// `bits` (24 or 32) bits each.
inline QByteArray bitmapHeader(std::int32_t width, std::int32_t height, int bits = 24) {
    const std::int64_t row = bitmapRowBytes(width, bits);
    const std::int64_t pixels = row * height;
    QByteArray h(54, '\0');
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, h.data() + at); };
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, h.data() + at); };
    h[0] = 'B';
    h[1] = 'M';
    put32(2, static_cast<quint32>(54 + pixels)); // may wrap for absurd sizes: readers must cope
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<quint32>(width));
    put32(22, static_cast<quint32>(height));
    put16(26, 1);
    put16(28, static_cast<quint16>(bits));
    put32(34, static_cast<quint32>(pixels));
    return h;
}

// Writes a `width` x `height` bitmap filled with `colour`; false on failure.
inline bool writeFlatBitmap(const QString& path, int width, int height, QColor colour,
                            int bits = 24) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const int step = bits / 8;
    QByteArray row(bitmapRowBytes(width, bits), '\0');
    for (int x = 0; x < width; ++x) {
        row[step * x] = static_cast<char>(colour.blue());
        row[step * x + 1] = static_cast<char>(colour.green());
        row[step * x + 2] = static_cast<char>(colour.red());
    }
    if (f.write(bitmapHeader(width, height, bits)) != 54) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        if (f.write(row) != row.size()) {
            return false;
        }
    }
    return f.flush();
}

} // namespace support
