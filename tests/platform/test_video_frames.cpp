// Movie pictures turned into images of the destination size: the colour
// conversion of each pixel layout, the nearest-pixel stretch, and formats the
// converter leaves to Qt.

#include "platform/video_frames.h"
#include "tests/support/test_main.h"

#include <QObject>
#include <QTest>

#include <cstdlib>
#include <cstring>
#include <functional>

using platform::canScaleFrame;
using platform::scaledFrameImage;
using PF = QVideoFrameFormat::PixelFormat;

namespace {

// A frame in memory, filled by `write` while mapped.
QVideoFrame makeFrame(QSize size, PF format, QVideoFrameFormat::ColorRange range,
                      const std::function<void(QVideoFrame&)>& write) {
    QVideoFrameFormat f(size, format);
    f.setColorRange(range);
    f.setColorSpace(QVideoFrameFormat::ColorSpace_BT601);
    QVideoFrame frame(f);
    if (!frame.map(QVideoFrame::WriteOnly)) {
        qFatal("cannot map a new frame");
    }
    write(frame);
    frame.unmap();
    return frame;
}

bool near(QRgb actual, QRgb expected, int tolerance = 3) {
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

QString rgbText(QRgb c) {
    return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

// Y'CbCr of pure red and pure blue, BT.601, in both ranges.
struct Yuv {
    int y, u, v;
};
constexpr Yuv kRedFull{76, 85, 255};
constexpr Yuv kBlueFull{29, 255, 107};
constexpr Yuv kRedVideo{81, 90, 240};
constexpr Yuv kBlueVideo{41, 240, 110};

// A 4 x 2 planar frame, red in its left half and blue in its right half.
QVideoFrame splitYuv420(PF format, QVideoFrameFormat::ColorRange range, Yuv left, Yuv right) {
    return makeFrame(QSize(4, 2), format, range, [&](QVideoFrame& fr) {
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 4; ++x) {
                fr.bits(0)[y * fr.bytesPerLine(0) + x] = uchar(x < 2 ? left.y : right.y);
            }
        }
        // One chroma sample per 2 x 2 block; YV12 keeps V in the second plane.
        const int uPlane = format == PF::Format_YV12 ? 2 : 1;
        const int vPlane = format == PF::Format_YV12 ? 1 : 2;
        fr.bits(uPlane)[0] = uchar(left.u);
        fr.bits(uPlane)[1] = uchar(right.u);
        fr.bits(vPlane)[0] = uchar(left.v);
        fr.bits(vPlane)[1] = uchar(right.v);
    });
}

} // namespace

class VideoFramesTest : public QObject {
    Q_OBJECT

private slots:
    void planar_convertsBothRangesAndHalves_data();
    void planar_convertsBothRangesAndHalves();
    void semiPlanarAndPacked_readTheirChromaLayout_data();
    void semiPlanarAndPacked_readTheirChromaLayout();
    void rgb_readsTheBytesInTheirNamedOrder_data();
    void rgb_readsTheBytesInTheirNamedOrder();
    void stretch_takesTheNearestPixel_upAndDown();
    void bottomToTop_isTurnedUpright();
    void unsupportedOrEmpty_givesNullImage();
};

void VideoFramesTest::planar_convertsBothRangesAndHalves_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("full");
    QTest::newRow("YUV420P full") << int(PF::Format_YUV420P) << true;
    QTest::newRow("YUV420P video") << int(PF::Format_YUV420P) << false;
    QTest::newRow("YV12 video") << int(PF::Format_YV12) << false;
}

void VideoFramesTest::planar_convertsBothRangesAndHalves() {
    QFETCH(int, format);
    QFETCH(bool, full);
    const auto range =
        full ? QVideoFrameFormat::ColorRange_Full : QVideoFrameFormat::ColorRange_Video;
    const QVideoFrame frame =
        splitYuv420(PF(format), range, full ? kRedFull : kRedVideo, full ? kBlueFull : kBlueVideo);
    const QImage out = scaledFrameImage(frame, QSize(4, 2));
    QCOMPARE(out.size(), QSize(4, 2));
    QCOMPARE(out.format(), QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            const QRgb expected = x < 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
            QVERIFY2(near(out.pixel(x, y), expected),
                     qPrintable(QStringLiteral("pixel %1,%2 is %3")
                                    .arg(x)
                                    .arg(y)
                                    .arg(rgbText(out.pixel(x, y)))));
        }
    }
}

void VideoFramesTest::semiPlanarAndPacked_readTheirChromaLayout_data() {
    QTest::addColumn<int>("format");
    QTest::newRow("NV12") << int(PF::Format_NV12);
    QTest::newRow("NV21") << int(PF::Format_NV21);
    QTest::newRow("YUYV") << int(PF::Format_YUYV);
    QTest::newRow("UYVY") << int(PF::Format_UYVY);
}

void VideoFramesTest::semiPlanarAndPacked_readTheirChromaLayout() {
    QFETCH(int, format);
    const PF pf = PF(format);
    const Yuv l = kRedFull;
    const Yuv r = kBlueFull;
    const QVideoFrame frame =
        makeFrame(QSize(4, 2), pf, QVideoFrameFormat::ColorRange_Full, [&](QVideoFrame& fr) {
            for (int y = 0; y < 2; ++y) {
                uchar* row = fr.bits(0) + y * fr.bytesPerLine(0);
                if (pf == PF::Format_NV12 || pf == PF::Format_NV21) {
                    for (int x = 0; x < 4; ++x) {
                        row[x] = uchar(x < 2 ? l.y : r.y);
                    }
                } else {
                    // Pixel pairs: (red, red) then (blue, blue).
                    const Yuv pairs[2] = {l, r};
                    for (int p = 0; p < 2; ++p) {
                        uchar* b = row + p * 4;
                        const Yuv c = pairs[p];
                        if (pf == PF::Format_YUYV) {
                            b[0] = uchar(c.y), b[1] = uchar(c.u), b[2] = uchar(c.y),
                            b[3] = uchar(c.v);
                        } else {
                            b[0] = uchar(c.u), b[1] = uchar(c.y), b[2] = uchar(c.v),
                            b[3] = uchar(c.y);
                        }
                    }
                }
            }
            if (pf == PF::Format_NV12 || pf == PF::Format_NV21) {
                uchar* c = fr.bits(1);
                const bool uFirst = pf == PF::Format_NV12;
                c[0] = uchar(uFirst ? l.u : l.v);
                c[1] = uchar(uFirst ? l.v : l.u);
                c[2] = uchar(uFirst ? r.u : r.v);
                c[3] = uchar(uFirst ? r.v : r.u);
            }
        });
    const QImage out = scaledFrameImage(frame, QSize(4, 2));
    QVERIFY(!out.isNull());
    for (int x = 0; x < 4; ++x) {
        const QRgb expected = x < 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
        QVERIFY2(
            near(out.pixel(x, 1), expected),
            qPrintable(QStringLiteral("column %1 is %2").arg(x).arg(rgbText(out.pixel(x, 1)))));
    }
}

void VideoFramesTest::rgb_readsTheBytesInTheirNamedOrder_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("bytes"); // one pixel of colour (10, 20, 30)
    QTest::newRow("XRGB") << int(PF::Format_XRGB8888) << QByteArray("\xff\x0a\x14\x1e", 4);
    QTest::newRow("BGRA") << int(PF::Format_BGRA8888) << QByteArray("\x1e\x14\x0a\xff", 4);
    QTest::newRow("BGRX") << int(PF::Format_BGRX8888) << QByteArray("\x1e\x14\x0a\x00", 4);
    QTest::newRow("ABGR") << int(PF::Format_ABGR8888) << QByteArray("\xff\x1e\x14\x0a", 4);
    QTest::newRow("RGBX") << int(PF::Format_RGBX8888) << QByteArray("\x0a\x14\x1e\x00", 4);
}

void VideoFramesTest::rgb_readsTheBytesInTheirNamedOrder() {
    QFETCH(int, format);
    QFETCH(QByteArray, bytes);
    const QVideoFrame frame =
        makeFrame(QSize(1, 1), PF(format), QVideoFrameFormat::ColorRange_Full,
                  [&](QVideoFrame& fr) { std::memcpy(fr.bits(0), bytes.constData(), 4); });
    const QImage out = scaledFrameImage(frame, QSize(3, 2));
    QCOMPARE(out.size(), QSize(3, 2));
    QCOMPARE(out.pixel(2, 1), qRgb(10, 20, 30));
}

void VideoFramesTest::stretch_takesTheNearestPixel_upAndDown() {
    // A 2 x 2 picture of four colours.
    const QRgb colours[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
    const QVideoFrame frame = makeFrame(
        QSize(2, 2), PF::Format_BGRX8888, QVideoFrameFormat::ColorRange_Full, [&](QVideoFrame& fr) {
            for (int y = 0; y < 2; ++y) {
                for (int x = 0; x < 2; ++x) {
                    uchar* p = fr.bits(0) + y * fr.bytesPerLine(0) + x * 4;
                    const QRgb c = colours[y * 2 + x];
                    p[0] = uchar(qBlue(c));
                    p[1] = uchar(qGreen(c));
                    p[2] = uchar(qRed(c));
                    p[3] = 0;
                }
            }
        });
    // Stretched to 6 x 4 each source pixel covers a 3 x 2 block.
    const QImage up = scaledFrameImage(frame, QSize(6, 4));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            QCOMPARE(up.pixel(x, y), colours[(y / 2) * 2 + x / 3]);
        }
    }
    // Squeezed into one pixel it takes the pixel nearest the centre.
    const QImage down = scaledFrameImage(frame, QSize(1, 1));
    QCOMPARE(down.pixel(0, 0), colours[3]);
    const QImage wide = scaledFrameImage(frame, QSize(2, 1));
    QCOMPARE(wide.pixel(0, 0), colours[2]);
    QCOMPARE(wide.pixel(1, 0), colours[3]);
}

void VideoFramesTest::bottomToTop_isTurnedUpright() {
    QVideoFrameFormat f(QSize(1, 2), PF::Format_BGRX8888);
    f.setScanLineDirection(QVideoFrameFormat::BottomToTop);
    QVideoFrame frame(f);
    QVERIFY(frame.map(QVideoFrame::WriteOnly));
    // Stored first: the bottom row, red; then the top row, blue.
    uchar* p = frame.bits(0);
    p[0] = 0, p[1] = 0, p[2] = 255, p[3] = 0;
    p += frame.bytesPerLine(0);
    p[0] = 255, p[1] = 0, p[2] = 0, p[3] = 0;
    frame.unmap();
    const QImage out = scaledFrameImage(frame, QSize(1, 2));
    QCOMPARE(out.pixel(0, 0), qRgb(0, 0, 255));
    QCOMPARE(out.pixel(0, 1), qRgb(255, 0, 0));
}

void VideoFramesTest::unsupportedOrEmpty_givesNullImage() {
    QVERIFY(!canScaleFrame(PF::Format_P010));
    QVERIFY(!canScaleFrame(PF::Format_Jpeg));
    QVERIFY(canScaleFrame(PF::Format_YUV420P));
    const QVideoFrame p010 = makeFrame(QSize(2, 2), PF::Format_P010,
                                       QVideoFrameFormat::ColorRange_Video, [](QVideoFrame&) {});
    QVERIFY(scaledFrameImage(p010, QSize(4, 4)).isNull());
    const QVideoFrame ok =
        splitYuv420(PF::Format_YUV420P, QVideoFrameFormat::ColorRange_Full, kRedFull, kBlueFull);
    QVERIFY(scaledFrameImage(ok, QSize(0, 4)).isNull());
    QVERIFY(scaledFrameImage(QVideoFrame(), QSize(4, 4)).isNull());
}

PLAKORA_TEST_MAIN(VideoFramesTest)
#include "test_video_frames.moc"
