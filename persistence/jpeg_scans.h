#pragma once

// A look at a JPEG file's structure before it is decoded: its frame (size,
// components, progressive or not) and, for a progressive one, how many scans
// it holds. A progressive picture keeps every coefficient of the whole frame
// in memory while it is decoded, and goes over them again in every scan, so
// its cost follows from these figures, not from the file's size. Qt Core only;
// safe on any bytes.

#include <QtGlobal>

class QIODevice;

struct JpegLayout {
    // The file starts as a JPEG does and holds a frame header.
    bool hasFrame = false;
    bool progressive = false;
    int width = 0;
    int height = 0;
    int components = 0;
    // The decoder's coefficient buffers for the whole frame, in bytes
    // (64 two-byte coefficients a block, blocks padded to the sampling).
    qint64 coefficientBytes = 0;
    // Scans met; the walk ends at the first scan of a frame that is not
    // progressive, and once more than `maxScans` have been counted.
    int scans = 0;
    // The device refused a read (a called-off reading).
    bool readFailed = false;
};

// Walks the markers of the JPEG on `device` from its current position,
// skipping entropy-coded data (stuffed bytes and restart markers included),
// reading it in pieces of its own. Stops at the end of the picture, at the
// end of the data, or when more than `maxScans` scans have been seen.
JpegLayout walkJpeg(QIODevice& device, int maxScans);
