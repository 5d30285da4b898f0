// The movie device's converter thread: what it hands back with a converted
// picture, and which picture is left when a newer one overtakes it.

#include "platform/frame_converter.h"
#include "tests/support/test_main.h"

#include <QObject>
#include <QSemaphore>
#include <QTest>

using platform::FrameConverter;

namespace {

// Generous: the bound only keeps a broken converter from hanging the suite.
constexpr int kWaitMs = 10000;

// A picture the converter reads itself, all of one colour.
QVideoFrame plainFrame(QSize size, QRgb colour) {
    QVideoFrame frame(QVideoFrameFormat(size, QVideoFrameFormat::Format_XRGB8888));
    if (!frame.map(QVideoFrame::WriteOnly)) {
        qFatal("cannot map a new frame");
    }
    for (int y = 0; y < size.height(); ++y) {
        auto* row = frame.bits(0) + y * frame.bytesPerLine(0);
        for (int x = 0; x < size.width(); ++x) {
            row[x * 4 + 0] = 0xFF;
            row[x * 4 + 1] = uchar(qRed(colour));
            row[x * 4 + 2] = uchar(qGreen(colour));
            row[x * 4 + 3] = uchar(qBlue(colour));
        }
    }
    frame.unmap();
    return frame;
}

} // namespace

class FrameConverterTest : public QObject {
    Q_OBJECT

private slots:
    void converted_isMadeForItsDestination();
    void waiting_isOvertakenOrDropped_data();
    void waiting_isOvertakenOrDropped();
};

void FrameConverterTest::converted_isMadeForItsDestination() {
    QSemaphore announced;
    FrameConverter converter([&announced] { announced.release(); });
    const QRect destination(30, 40, 8, 6);
    converter.submit(plainFrame(QSize(4, 2), qRgb(200, 10, 10)), destination, 7);
    QVERIFY(announced.tryAcquire(1, kWaitMs));

    const std::optional<FrameConverter::Converted> converted = converter.take();
    QVERIFY(converted.has_value());
    QCOMPARE(converted->image.size(), destination.size());
    QCOMPARE(converted->destination, destination);
    QCOMPARE(converted->generation, 7ul);
    QCOMPARE(QColor(converted->image.pixel(5, 3)), QColor(200, 10, 10));
    QVERIFY(!converter.take().has_value());
    QCOMPARE(converter.stats().overtaken, 0);
}

void FrameConverterTest::waiting_isOvertakenOrDropped_data() {
    QTest::addColumn<bool>("overtake");
    QTest::newRow("a newer picture takes its place") << true;
    QTest::newRow("dropped") << false;
}

void FrameConverterTest::waiting_isOvertakenOrDropped() {
    QFETCH(bool, overtake);
    QSemaphore announced;
    FrameConverter converter([&announced] { announced.release(); });
    const QRect destination(0, 0, 4, 4);
    converter.submit(plainFrame(QSize(2, 2), qRgb(0, 0, 200)), destination, 1);
    QVERIFY(announced.tryAcquire(1, kWaitMs));

    if (overtake) {
        converter.submit(plainFrame(QSize(2, 2), qRgb(0, 200, 0)), destination, 2);
        // The converted picture was still waiting: the newer one replaces it
        // without a second announcement.
        QTRY_COMPARE_WITH_TIMEOUT(converter.stats().overtaken, 1, kWaitMs);
        QCOMPARE(announced.available(), 0);
        const std::optional<FrameConverter::Converted> converted = converter.take();
        QVERIFY(converted.has_value());
        QCOMPARE(converted->generation, 2ul);
        QCOMPARE(QColor(converted->image.pixel(1, 1)), QColor(0, 200, 0));
    } else {
        converter.drop();
    }
    QVERIFY(!converter.take().has_value());
}

PLAKORA_TEST_MAIN(FrameConverterTest)

#include "test_frame_converter.moc"
