#pragma once

// Picture files that Qt cannot write itself, made byte by byte for tests: GIF
// pictures (one frame or several) and JPEG photographs carrying a camera's
// orientation tag. Plus a colour comparison that allows for lossy formats.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>

#include <cstdlib>

namespace support {

// Two colours within `tolerance` in each of red, green and blue.
inline bool nearColour(QRgb actual, QRgb expected, int tolerance) {
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

namespace detail {

inline void put16(QByteArray& out, int value) {
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

// Codes of three bits, first bit lowest, in sub-blocks of at most 255 bytes.
// A clear code after every two pixels keeps the decoder's table, and with it
// the code width, from growing: larger than need be, but any decoder reads it.
inline QByteArray gifPixels(const QList<int>& indexes) {
    constexpr int kClear = 4;
    constexpr int kEnd = 5;
    QList<int> codes;
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        if (i % 2 == 0) {
            codes << kClear;
        }
        codes << indexes[i];
    }
    codes << kEnd;
    QByteArray packed;
    unsigned bits = 0;
    int count = 0;
    for (int code : codes) {
        bits |= unsigned(code) << count;
        count += 3;
        while (count >= 8) {
            packed.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0) {
        packed.append(char(bits & 0xFF));
    }
    QByteArray out;
    out.append(char(2)); // the smallest code size: four colours
    for (qsizetype at = 0; at < packed.size(); at += 255) {
        const QByteArray block = packed.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    return out;
}

} // namespace detail

// A GIF file of the frames (all of one size, four colours at most between
// them), each shown for a tenth of a second; with more than one frame it
// loops for ever. Empty when the frames do not fit these limits.
inline QByteArray gifBytes(const QList<QImage>& frames) {
    if (frames.isEmpty()) {
        return {};
    }
    const QSize size = frames.first().size();
    QList<QRgb> palette;
    QList<QList<int>> indexes;
    for (const QImage& frame : frames) {
        if (frame.size() != size) {
            return {};
        }
        QList<int> pixels;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QRgb rgb = frame.pixel(x, y) | 0xFF000000u;
                qsizetype i = palette.indexOf(rgb);
                if (i < 0) {
                    if (palette.size() == 4) {
                        return {};
                    }
                    palette << rgb;
                    i = palette.size() - 1;
                }
                pixels << int(i);
            }
        }
        indexes << pixels;
    }
    while (palette.size() < 4) {
        palette << qRgb(0, 0, 0);
    }

    QByteArray out("GIF89a");
    detail::put16(out, size.width());
    detail::put16(out, size.height());
    out.append(char(0x91)); // a global table of four colours
    out.append(char(0));
    out.append(char(0));
    for (QRgb c : palette) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    if (frames.size() > 1) {
        out.append(QByteArray("\x21\xFF\x0B"
                              "NETSCAPE2.0"
                              "\x03\x01\x00\x00\x00",
                              19));
    }
    for (const QList<int>& pixels : indexes) {
        // Shown 100 ms, then left in place for the next frame.
        out.append(QByteArray("\x21\xF9\x04\x04", 4));
        detail::put16(out, 10);
        out.append(QByteArray("\x00\x00", 2));
        out.append(char(0x2C));
        detail::put16(out, 0);
        detail::put16(out, 0);
        detail::put16(out, size.width());
        detail::put16(out, size.height());
        out.append(char(0));
        out.append(detail::gifPixels(pixels));
    }
    out.append(char(0x3B));
    return out;
}

// `image` as a JPEG file whose orientation tag says how the camera was held
// (1 upright, 3 upside down, 6 turned a quarter to the right, 8 to the
// left): the pixels are stored as the camera saw them, and a viewer turns
// them as the tag says.
inline QByteArray jpegWithOrientation(const QImage& image, quint16 orientation) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPEG", 95) || !jpeg.startsWith("\xFF\xD8")) {
        return {};
    }
    // An APP1 segment: "Exif", a big-endian TIFF header, and a first
    // directory of one entry, the orientation, as a SHORT.
    QByteArray tiff("MM\x00\x2A\x00\x00\x00\x08", 8);
    tiff.append(QByteArray("\x00\x01", 2));
    tiff.append(QByteArray("\x01\x12\x00\x03\x00\x00\x00\x01", 8));
    tiff.append(char(orientation >> 8));
    tiff.append(char(orientation & 0xFF));
    tiff.append(QByteArray("\x00\x00", 2));
    tiff.append(QByteArray("\x00\x00\x00\x00", 4)); // no further directory
    const QByteArray payload = QByteArray("Exif\x00\x00", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    const int length = int(payload.size()) + 2;
    segment.append(char(length >> 8));
    segment.append(char(length & 0xFF));
    segment.append(payload);
    return jpeg.insert(2, segment);
}

} // namespace support
