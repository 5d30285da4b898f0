// The JPEG marker walk on any bytes: it always ends, reads only the bytes it
// is given, and what it reports stays within what a frame header can say.

#include "persistence/jpeg_scans.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

void check(bool property) {
    if (!property) {
        __builtin_trap();
    }
}

constexpr int kMaxScans = 100;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const JpegLayout layout = walkJpeg(buffer, kMaxScans);
    check(layout.scans <= kMaxScans + 1);
    check(layout.width >= 0 && layout.width <= 0xFFFF);
    check(layout.height >= 0 && layout.height <= 0xFFFF);
    check(layout.components >= 0 && layout.components <= 255);
    // At most 255 components of 4 x 4 sampling over a 64K x 64K frame.
    check(layout.coefficientBytes >= 0 && layout.coefficientBytes <= (qint64(1) << 48));
    check(!layout.readFailed);
    return 0;
}
