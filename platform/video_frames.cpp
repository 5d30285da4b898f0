#include "platform/video_frames.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

using PF = QVideoFrameFormat::PixelFormat;

// Y'CbCr to R'G'B' in 8.8 fixed point: R = ky(Y - yOff) + rv V,
// G = ky(Y - yOff) + gu U + gv V, B = ky(Y - yOff) + bu U, U and V centred on 0.
struct YuvMatrix {
    int yOff;
    int ky;
    int rv;
    int gu;
    int gv;
    int bu;
};

constexpr YuvMatrix kBt601Video{16, 298, 409, -100, -208, 516};
constexpr YuvMatrix kBt601Full{0, 256, 359, -88, -183, 454};
constexpr YuvMatrix kBt709Video{16, 298, 459, -55, -136, 541};
constexpr YuvMatrix kBt709Full{0, 256, 403, -48, -120, 475};

YuvMatrix matrixFor(const QVideoFrameFormat& format) {
    const bool full = format.colorRange() == QVideoFrameFormat::ColorRange_Full;
    bool hd = format.frameHeight() >= 720;
    switch (format.colorSpace()) {
    case QVideoFrameFormat::ColorSpace_BT601:
        hd = false;
        break;
    case QVideoFrameFormat::ColorSpace_BT709:
    case QVideoFrameFormat::ColorSpace_BT2020:
        hd = true;
        break;
    default:
        break;
    }
    if (hd) {
        return full ? kBt709Full : kBt709Video;
    }
    return full ? kBt601Full : kBt601Video;
}

inline int clamp255(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

inline QRgb yuvToRgb(const YuvMatrix& m, int y, int u, int v) {
    const int c = m.ky * (y - m.yOff) + 128;
    const int d = u - 128;
    const int e = v - 128;
    return qRgb(clamp255((c + m.rv * e) >> 8), clamp255((c + m.gu * d + m.gv * e) >> 8),
                clamp255((c + m.bu * d) >> 8));
}

// For every destination index, the source index whose centre is nearest.
std::vector<int> nearest(int destLength, int sourceLength) {
    std::vector<int> map(static_cast<size_t>(destLength));
    for (int i = 0; i < destLength; ++i) {
        const long long s = (2LL * i + 1) * sourceLength / (2LL * destLength);
        map[static_cast<size_t>(i)] = static_cast<int>(std::min<long long>(s, sourceLength - 1));
    }
    return map;
}

// Calls row(sourceY) once per destination row; the function it returns gives
// the colour of the source pixel in a column.
template <typename RowFn>
void fill(QImage& out, const std::vector<int>& xs, const std::vector<int>& ys, RowFn row) {
    const int w = out.width();
    for (int y = 0; y < out.height(); ++y) {
        auto pixel = row(ys[static_cast<size_t>(y)]);
        auto* dest = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            dest[x] = pixel(xs[static_cast<size_t>(x)]);
        }
    }
}

// Byte offsets of red, green and blue in a 32-bit RGB pixel.
struct RgbOrder {
    int r;
    int g;
    int b;
};

bool rgbOrder(PF format, RgbOrder& order) {
    switch (format) {
    case PF::Format_ARGB8888:
    case PF::Format_ARGB8888_Premultiplied:
    case PF::Format_XRGB8888:
        order = {1, 2, 3};
        return true;
    case PF::Format_BGRA8888:
    case PF::Format_BGRA8888_Premultiplied:
    case PF::Format_BGRX8888:
        order = {2, 1, 0};
        return true;
    case PF::Format_ABGR8888:
    case PF::Format_XBGR8888:
        order = {3, 2, 1};
        return true;
    case PF::Format_RGBA8888:
    case PF::Format_RGBX8888:
        order = {0, 1, 2};
        return true;
    default:
        return false;
    }
}

} // namespace

bool canScaleFrame(QVideoFrameFormat::PixelFormat format) {
    RgbOrder order{};
    switch (format) {
    case PF::Format_YUV420P:
    case PF::Format_YV12:
    case PF::Format_YUV422P:
    case PF::Format_NV12:
    case PF::Format_NV21:
    case PF::Format_YUYV:
    case PF::Format_UYVY:
    case PF::Format_Y8:
        return true;
    default:
        return rgbOrder(format, order);
    }
}

QImage scaledFrameImage(QVideoFrame frame, const QSize& size) {
    const QVideoFrameFormat format = frame.surfaceFormat();
    const PF pf = format.pixelFormat();
    const int sw = frame.width();
    const int sh = frame.height();
    if (size.isEmpty() || sw <= 0 || sh <= 0 || !canScaleFrame(pf)) {
        return QImage();
    }
    if (!frame.map(QVideoFrame::ReadOnly)) {
        return QImage();
    }
    QImage out(size, QImage::Format_RGB32);
    const std::vector<int> xs = nearest(size.width(), sw);
    std::vector<int> ys = nearest(size.height(), sh);
    if (format.scanLineDirection() == QVideoFrameFormat::BottomToTop) {
        for (int& y : ys) {
            y = sh - 1 - y;
        }
    }
    const YuvMatrix m = matrixFor(format);
    const uchar* p0 = frame.bits(0);
    const int l0 = frame.bytesPerLine(0);
    const uchar* p1 = frame.planeCount() > 1 ? frame.bits(1) : nullptr;
    const int l1 = frame.planeCount() > 1 ? frame.bytesPerLine(1) : 0;
    const uchar* p2 = frame.planeCount() > 2 ? frame.bits(2) : nullptr;
    const int l2 = frame.planeCount() > 2 ? frame.bytesPerLine(2) : 0;

    const bool planar3 =
        pf == PF::Format_YUV420P || pf == PF::Format_YV12 || pf == PF::Format_YUV422P;
    const bool semiPlanar = pf == PF::Format_NV12 || pf == PF::Format_NV21;
    if (!p0 || (planar3 && (!p1 || !p2)) || (semiPlanar && !p1)) {
        frame.unmap();
        return QImage();
    }

    RgbOrder order{};
    if (planar3) {
        // YV12 stores V before U.
        const uchar* up = pf == PF::Format_YV12 ? p2 : p1;
        const uchar* vp = pf == PF::Format_YV12 ? p1 : p2;
        const int ul = pf == PF::Format_YV12 ? l2 : l1;
        const int vl = pf == PF::Format_YV12 ? l1 : l2;
        const bool halfHeight = pf != PF::Format_YUV422P;
        fill(out, xs, ys, [&](int sy) {
            const int cy = halfHeight ? sy / 2 : sy;
            const uchar* yr = p0 + qsizetype(sy) * l0;
            const uchar* ur = up + qsizetype(cy) * ul;
            const uchar* vr = vp + qsizetype(cy) * vl;
            return [=, &m](int sx) { return yuvToRgb(m, yr[sx], ur[sx / 2], vr[sx / 2]); };
        });
    } else if (semiPlanar) {
        const int uAt = pf == PF::Format_NV12 ? 0 : 1;
        fill(out, xs, ys, [&](int sy) {
            const uchar* yr = p0 + qsizetype(sy) * l0;
            const uchar* cr = p1 + qsizetype(sy / 2) * l1;
            return [=, &m](int sx) {
                const uchar* c = cr + (sx / 2) * 2;
                return yuvToRgb(m, yr[sx], c[uAt], c[1 - uAt]);
            };
        });
    } else if (pf == PF::Format_YUYV || pf == PF::Format_UYVY) {
        // Two pixels share four bytes: Y0 U Y1 V, or U Y0 V Y1.
        const bool yuyv = pf == PF::Format_YUYV;
        fill(out, xs, ys, [&](int sy) {
            const uchar* r = p0 + qsizetype(sy) * l0;
            return [=, &m](int sx) {
                const uchar* b = r + (sx / 2) * 4;
                const int odd = sx & 1;
                return yuyv ? yuvToRgb(m, b[odd * 2], b[1], b[3])
                            : yuvToRgb(m, b[1 + odd * 2], b[0], b[2]);
            };
        });
    } else if (pf == PF::Format_Y8) {
        fill(out, xs, ys, [&](int sy) {
            const uchar* r = p0 + qsizetype(sy) * l0;
            return [=, &m](int sx) { return yuvToRgb(m, r[sx], 128, 128); };
        });
    } else if (rgbOrder(pf, order)) {
        fill(out, xs, ys, [&](int sy) {
            const uchar* r = p0 + qsizetype(sy) * l0;
            return [=](int sx) {
                const uchar* px = r + sx * 4;
                return qRgb(px[order.r], px[order.g], px[order.b]);
            };
        });
    }
    frame.unmap();
    return out;
}

} // namespace platform
