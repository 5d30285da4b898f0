#pragma once

// Small files that decode to huge pictures or take long to decode, written
// byte by byte: a PNG of zeros, a one-colour lossless WebP, and JPEGs whose
// every block is zero (baseline, or progressive with as many refinement scans
// as asked). They cost no memory to make, however large they claim to be.

#include <QByteArray>
#include <QtEndian>

namespace support {

namespace bomb_detail {

// Bits packed from the lowest bit of each byte up, as deflate and WebP
// lossless store them.
class LowBitsFirst {
public:
    void put(quint32 value, int count) {
        for (int i = 0; i < count; ++i) {
            bit((value >> i) & 1u);
        }
    }
    // A Huffman code goes in from its highest bit.
    void code(quint32 value, int length) {
        for (int i = length - 1; i >= 0; --i) {
            bit((value >> i) & 1u);
        }
    }
    // `count` zero bits, a byte at a time where it can.
    void zeros(qint64 count) {
        while (count > 0 && used_ != 0) {
            bit(0);
            --count;
        }
        bytes_.append(QByteArray(static_cast<qsizetype>(count / 8), '\0'));
        for (qint64 i = 0; i < count % 8; ++i) {
            bit(0);
        }
    }
    QByteArray finish() {
        if (used_ != 0) {
            bytes_.append(char(current_));
            used_ = 0;
            current_ = 0;
        }
        return bytes_;
    }

private:
    void bit(quint32 b) {
        current_ |= b << used_;
        if (++used_ == 8) {
            bytes_.append(char(current_));
            used_ = 0;
            current_ = 0;
        }
    }
    QByteArray bytes_;
    quint32 current_ = 0;
    int used_ = 0;
};

inline quint32 crc32(const QByteArray& bytes) {
    quint32 table[256];
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    quint32 c = 0xFFFFFFFFu;
    for (const char ch : bytes) {
        c = table[(c ^ static_cast<quint8>(ch)) & 0xFFu] ^ (c >> 8);
    }
    return ~c;
}

inline QByteArray be32(quint32 v) {
    QByteArray out(4, '\0');
    qToBigEndian(v, out.data());
    return out;
}

inline QByteArray le32(quint32 v) {
    QByteArray out(4, '\0');
    qToLittleEndian(v, out.data());
    return out;
}

inline QByteArray pngChunk(const char* type, const QByteArray& data) {
    const QByteArray body = QByteArray(type, 4) + data;
    return be32(static_cast<quint32>(data.size())) + body + be32(crc32(body));
}

// A zlib stream of `count` zero bytes in one dynamic deflate block: a literal
// zero, then matches of 258 bytes at distance 1 of two bits each, as a
// thorough compressor makes them.
inline QByteArray zlibZeros(qint64 count) {
    LowBitsFirst out;
    out.put(1, 1); // last block
    out.put(2, 2); // dynamic codes
    out.put(286 - 257, 5);
    out.put(1 - 1, 5);
    out.put(18 - 4, 4);
    // Code lengths of the code-length alphabet, in deflate's order: 18 gets
    // one bit, 1 and 2 two bits each.
    const int order[18] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1};
    for (const int symbol : order) {
        out.put(symbol == 18 ? 1 : (symbol == 1 || symbol == 2) ? 2 : 0, 3);
    }
    const auto length2 = [&] { out.code(3, 2); };
    const auto length1 = [&] { out.code(2, 2); };
    const auto zeroRun = [&](int n) {
        out.code(0, 1);
        out.put(static_cast<quint32>(n - 11), 7);
    };
    // Literal 0 and end of block two bits, length 258 (symbol 285) one bit;
    // the one distance code one bit.
    length2();
    zeroRun(138);
    zeroRun(117);
    length2();
    zeroRun(28);
    length1();
    length1();
    const auto literalZero = [&] { out.code(2, 2); };
    literalZero();
    const qint64 matches = (count - 1) / 258;
    out.zeros(matches * 2);
    for (qint64 i = 0; i < (count - 1) % 258; ++i) {
        literalZero();
    }
    out.code(3, 2); // end of block
    const quint32 adler = (quint32(count % 65521) << 16) | 1u;
    return QByteArray("\x78\xDA", 2) + out.finish() + be32(adler);
}

inline void putJpegSegment(QByteArray& out, quint8 marker, const QByteArray& body) {
    out.append(char(0xFF));
    out.append(char(marker));
    out.append(char((body.size() + 2) >> 8));
    out.append(char((body.size() + 2) & 0xFF));
    out.append(body);
}

inline QByteArray jpegHead(quint8 frameMarker, int width, int height, int components,
                           quint8 acSymbol) {
    QByteArray out("\xFF\xD8", 2);
    putJpegSegment(out, 0xDB, QByteArray(1, '\0') + QByteArray(64, '\1'));
    QByteArray frame;
    frame.append(char(8));
    frame.append(char(height >> 8)).append(char(height & 0xFF));
    frame.append(char(width >> 8)).append(char(width & 0xFF));
    frame.append(char(components));
    for (int c = 1; c <= components; ++c) {
        frame.append(char(c));
        frame.append(char(components > 1 && c == 1 ? 0x22 : 0x11));
        frame.append(char(0));
    }
    putJpegSegment(out, frameMarker, frame);
    // One code of one bit in each table: the DC difference 0, and the AC
    // symbol asked for.
    QByteArray counts(16, '\0');
    counts[0] = 1;
    putJpegSegment(out, 0xC4, QByteArray(1, '\x00') + counts + QByteArray(1, '\0'));
    putJpegSegment(out, 0xC4, QByteArray(1, '\x10') + counts + QByteArray(1, char(acSymbol)));
    return out;
}

inline QByteArray jpegScanHead(int components, int ss, int se, int ahAl) {
    QByteArray scan;
    scan.append(char(components));
    for (int c = 1; c <= components; ++c) {
        scan.append(char(c)).append(char(0));
    }
    scan.append(char(ss)).append(char(se)).append(char(ahAl));
    QByteArray out;
    putJpegSegment(out, 0xDA, scan);
    return out;
}

inline qint64 blocksOf(int width, int height) {
    return qint64((width + 7) / 8) * ((height + 7) / 8);
}

} // namespace bomb_detail

// A PNG of `width` x `height` transparent black RGBA pixels: 4 bytes each
// when decoded, about a thousandth of that on disk.
inline QByteArray zeroPng(int width, int height) {
    using namespace bomb_detail;
    QByteArray header = be32(static_cast<quint32>(width)) + be32(static_cast<quint32>(height));
    header.append(char(8)).append(char(6)).append(3, '\0'); // 8-bit RGBA
    const qint64 raw = qint64(height) * (1 + qint64(width) * 4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) +
           pngChunk("IDAT", zlibZeros(raw)) + pngChunk("IEND", QByteArray());
}

// A lossless WebP of one opaque black colour: every code has one symbol, so
// the pixels take no bits at all, whatever the size (at most 16384 a side).
inline QByteArray flatLosslessWebp(int width, int height) {
    using namespace bomb_detail;
    LowBitsFirst bits;
    bits.put(static_cast<quint32>(width - 1), 14);
    bits.put(static_cast<quint32>(height - 1), 14);
    bits.put(0, 1); // no alpha
    bits.put(0, 3); // version
    bits.put(0, 1); // no transform
    bits.put(0, 1); // no colour cache
    bits.put(0, 1); // no meta codes
    for (int code = 0; code < 5; ++code) {
        const quint32 symbol = code == 3 ? 255 : 0; // green, red, blue, alpha, distance
        bits.put(1, 1);                             // a simple code
        bits.put(0, 1);                             // of one symbol
        bits.put(symbol > 1 ? 1 : 0, 1);
        bits.put(symbol, symbol > 1 ? 8 : 1);
    }
    QByteArray stream = QByteArray(1, '\x2F') + bits.finish();
    if (stream.size() % 2) {
        stream.append('\0');
    }
    const QByteArray chunk =
        QByteArray("VP8L") + le32(static_cast<quint32>(stream.size())) + stream;
    return QByteArray("RIFF") + le32(static_cast<quint32>(4 + chunk.size())) + QByteArray("WEBP") +
           chunk;
}

// A baseline JPEG of zero blocks, two bits a block: libjpeg decodes it scaled.
inline QByteArray zeroBaselineJpeg(int width, int height) {
    using namespace bomb_detail;
    QByteArray out = jpegHead(0xC0, width, height, 1, 0x00);
    out.append(jpegScanHead(1, 0, 63, 0));
    out.append(QByteArray(static_cast<qsizetype>((blocksOf(width, height) * 2 + 7) / 8), '\0'));
    return out.append("\xFF\xD9", 2);
}

// A progressive JPEG of zero blocks (one component, or three at 4:2:0): a DC
// scan, then `refineScans` refinement scans of every AC coefficient of the
// first component, each an end-of-band run of 128 blocks per byte. The
// decoder keeps every coefficient of the picture in memory and walks them all
// in each scan.
inline QByteArray zeroProgressiveJpeg(int width, int height, int components, int refineScans) {
    using namespace bomb_detail;
    QByteArray out = jpegHead(0xC2, width, height, components, 0x70);
    out.append(jpegScanHead(components, 0, 0, 0));
    // One bit a block, six blocks a unit at 4:2:0.
    const qint64 dcBits =
        components == 1 ? blocksOf(width, height) : blocksOf((width + 1) / 2, (height + 1) / 2) * 6;
    out.append(QByteArray(static_cast<qsizetype>((dcBits + 7) / 8), '\0'));
    const qint64 runBytes = (blocksOf(width, height) + 127) / 128;
    for (int i = 0; i < refineScans; ++i) {
        out.append(jpegScanHead(1, 1, 63, 0x10));
        out.append(QByteArray(static_cast<qsizetype>(runBytes), '\0'));
    }
    return out.append("\xFF\xD9", 2);
}

} // namespace support
