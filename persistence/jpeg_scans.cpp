#include "persistence/jpeg_scans.h"

#include <QIODevice>

#include <algorithm>
#include <array>

namespace {

constexpr qint64 kChunkBytes = 16 * 1024;
constexpr qint64 kBytesPerBlock = 64 * 2;

// Bytes of the device one at a time, read in chunks.
class ByteSource {
public:
    explicit ByteSource(QIODevice& device) : device_(device) {}

    // The next byte, or -1 at the end of the data or on a failed read.
    int next() {
        if (at_ == filled_) {
            if (ended_) {
                return -1;
            }
            const qint64 n = device_.read(buffer_.data(), kChunkBytes);
            if (n <= 0) {
                ended_ = true;
                failed_ = n < 0;
                return -1;
            }
            filled_ = n;
            at_ = 0;
        }
        return static_cast<quint8>(buffer_[static_cast<std::size_t>(at_++)]);
    }

    bool skip(qint64 count) {
        for (; count > 0; --count) {
            if (next() < 0) {
                return false;
            }
        }
        return true;
    }

    bool failed() const { return failed_; }

private:
    QIODevice& device_;
    std::array<char, kChunkBytes> buffer_{};
    qint64 filled_ = 0;
    qint64 at_ = 0;
    bool ended_ = false;
    bool failed_ = false;
};

bool isFrameMarker(int m) {
    // SOF0 to SOF15, without DHT (C4), JPG (C8) and DAC (CC).
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

bool isProgressiveFrame(int m) {
    return m == 0xC2 || m == 0xC6 || m == 0xCA || m == 0xCE;
}

// Reads the frame header's body (its length already taken).
bool readFrame(ByteSource& in, int length, int marker, JpegLayout& out) {
    std::array<int, 10> body{};
    if (length < 8) {
        return in.skip(std::max(0, length - 2));
    }
    for (int i = 0; i < 6; ++i) {
        body[static_cast<std::size_t>(i)] = in.next();
    }
    if (body[5] < 0) {
        return false;
    }
    const int nf = body[5];
    int left = length - 8;
    std::array<int, 256> h{};
    std::array<int, 256> v{};
    int hMax = 1;
    int vMax = 1;
    int counted = 0;
    for (; counted < nf && left >= 3; ++counted, left -= 3) {
        in.next();
        const int hv = in.next();
        const int tq = in.next();
        if (tq < 0) {
            return false;
        }
        h[static_cast<std::size_t>(counted)] = std::clamp(hv >> 4, 1, 4);
        v[static_cast<std::size_t>(counted)] = std::clamp(hv & 0x0F, 1, 4);
        hMax = std::max(hMax, h[static_cast<std::size_t>(counted)]);
        vMax = std::max(vMax, v[static_cast<std::size_t>(counted)]);
    }
    if (!out.hasFrame) {
        out.hasFrame = true;
        out.progressive = isProgressiveFrame(marker);
        out.height = (body[1] << 8) | body[2];
        out.width = (body[3] << 8) | body[4];
        out.components = counted;
        for (int c = 0; c < counted; ++c) {
            const auto i = static_cast<std::size_t>(c);
            // Blocks of the component, padded to whole units of its sampling.
            const qint64 w = (qint64(out.width) * h[i] + hMax - 1) / hMax;
            const qint64 ht = (qint64(out.height) * v[i] + vMax - 1) / vMax;
            const qint64 bw = ((w + 7) / 8 + h[i] - 1) / h[i] * h[i];
            const qint64 bh = ((ht + 7) / 8 + v[i] - 1) / v[i] * v[i];
            out.coefficientBytes += bw * bh * kBytesPerBlock;
        }
    }
    return in.skip(left);
}

} // namespace

JpegLayout walkJpeg(QIODevice& device, int maxScans) {
    JpegLayout out;
    // Two bytes tell a JPEG; other files are not read further here.
    char start[2] = {};
    const qint64 got = device.read(start, 2);
    if (got != 2 || quint8(start[0]) != 0xFF || quint8(start[1]) != 0xD8) {
        out.readFailed = got < 0;
        return out;
    }
    ByteSource in(device);
    // A marker met at the end of entropy-coded data, still to be handled.
    int pending = -1;
    for (;;) {
        int m = pending;
        pending = -1;
        if (m < 0) {
            // Anything up to the next 0xFF is stray; fill bytes of 0xFF come
            // before the marker's own byte.
            int b = in.next();
            while (b >= 0 && b != 0xFF) {
                b = in.next();
            }
            while (b == 0xFF) {
                b = in.next();
            }
            if (b < 0) {
                break;
            }
            m = b;
        }
        if (m == 0xD9) {
            break; // the end of the picture
        }
        if (m == 0x00 || m == 0x01 || (m >= 0xD0 && m <= 0xD7)) {
            continue; // no length follows these
        }
        const int hi = in.next();
        const int lo = in.next();
        if (lo < 0) {
            break;
        }
        const int length = (hi << 8) | lo;
        if (isFrameMarker(m)) {
            if (!readFrame(in, length, m, out)) {
                break;
            }
            continue;
        }
        if (!in.skip(std::max(0, length - 2))) {
            break;
        }
        if (m != 0xDA) {
            continue;
        }
        ++out.scans;
        if (!out.progressive || out.scans > maxScans) {
            break;
        }
        // The scan's coded data runs to the next marker that is neither a
        // stuffed zero nor a restart.
        for (;;) {
            int b = in.next();
            if (b < 0) {
                break;
            }
            if (b != 0xFF) {
                continue;
            }
            do {
                b = in.next();
            } while (b == 0xFF);
            if (b < 0) {
                break;
            }
            if (b != 0x00 && !(b >= 0xD0 && b <= 0xD7)) {
                pending = b;
                break;
            }
        }
        if (pending < 0) {
            break;
        }
    }
    out.readFailed = in.failed();
    return out;
}
