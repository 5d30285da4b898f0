// Small files made to decode to huge pictures or to take long: refused from
// what they say about themselves unless they can be decoded at the size they
// are drawn within what the screen allows; progressive JPEGs weighed by a walk
// over their markers; a reading past its time skipped; a picture file known
// to be unchanged since it was read.

#include "persistence/jpeg_scans.h"
#include "persistence/picture_reader.h"
#include "tests/show/slideshow_fixture.h"
#include "tests/support/big_bitmap.h"
#include "tests/support/file_bytes.h"
#include "tests/support/gui_test_main.h"
#include "tests/support/picture_bombs.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <thread>

using Outcome = AreaPicture::Outcome;

namespace {

// Budget enough for any of these readings even in a sanitizer build.
constexpr int kAmpleMs = 120000;

// A 64 x 48 photograph of noise, written progressive by Qt's own writer.
QByteArray progressiveNoise() {
    QImage img(64, 48, QImage::Format_RGB32);
    QRandomGenerator rng(7);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            img.setPixel(x, y, rng.generate());
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(img);
    return bytes;
}

// Markers by hand: a 16 x 16 progressive frame of one component and two
// scans whose data hold a stuffed 0xFF, a restart marker and fill bytes.
QByteArray handMadeScans(bool truncated) {
    QByteArray b("\xFF\xD8", 2);
    b += QByteArray("\xFF\xC2\x00\x0B\x08\x00\x10\x00\x10\x01\x01\x11\x00", 13);
    const QByteArray sos("\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x00", 10);
    b += sos + QByteArray("\x12\xFF\x00\x34\xFF\xD3\x56\xFF\x00", 9);
    b += QByteArray("\xFF\xFF\xFF\xE1\x00\x04\xFF\xDA", 8); // fill, a segment holding FF DA
    b += sos + QByteArray("\xFF\x00\xFF\xD7", 4);
    return truncated ? b : b + QByteArray("\xFF\xD9\xFF\xDA", 4);
}

QString write(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    support::writeBytes(path, bytes);
    return path;
}

} // namespace

class PictureBombsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { applyPictureDecodeLimit(); }
    void bomb_refusedUnlessDecodedSmall_data();
    void bomb_refusedUnlessDecodedSmall();
    void jpegWalk_countsScansAndCoefficients_data();
    void jpegWalk_countsScansAndCoefficients();
    void pastItsBudget_skipped();
    void stillCurrent_onlyWhileTheFileStaysAsRead_data();
    void stillCurrent_onlyWhileTheFileStaysAsRead();

private:
    QTemporaryDir dir_;
};

void PictureBombsTest::bomb_refusedUnlessDecodedSmall_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<Outcome>("expected");
    const QSize hd(1920, 1080);
    const QSize uhd8k(7680, 4320);
    // The WebP decoder holds the whole picture whatever size is asked of it,
    // twice over: 2 GB; PNG holds it all unless it scales, row by row.
    QTest::newRow("PNG of zeros, 16000 x 16000, natural")
        << support::zeroPng(16000, 16000) << hd << false << Outcome::TooLarge;
    QTest::newRow("PNG of zeros, 16000 x 16000, stretched")
        << support::zeroPng(16000, 16000) << hd << true << Outcome::TooLarge;
    QTest::newRow("PNG 7000 x 7000, stretched")
        << support::zeroPng(7000, 7000) << hd << true << Outcome::Read;
    QTest::newRow("lossless WebP, 16000 x 16000")
        << support::flatLosslessWebp(16000, 16000) << hd << true << Outcome::TooLarge;
    // 196 MB decoded: past the floor, within what an 8K screen allows.
    QTest::newRow("PNG 7000 x 7000, HD screen")
        << support::zeroPng(7000, 7000) << hd << false << Outcome::TooLarge;
    QTest::newRow("PNG 7000 x 7000, 8K screen")
        << support::zeroPng(7000, 7000) << uhd8k << false << Outcome::Read;
    // Baseline JPEG decodes scaled or cut by libjpeg; progressive holds 768 MB
    // of coefficients first.
    QTest::newRow("baseline JPEG 16000 x 16000, stretched")
        << support::zeroBaselineJpeg(16000, 16000) << hd << true << Outcome::Read;
    QTest::newRow("baseline JPEG 16000 x 16000, natural")
        << support::zeroBaselineJpeg(16000, 16000) << hd << false << Outcome::Read;
    QTest::newRow("progressive JPEG 16000 x 16000")
        << support::zeroProgressiveJpeg(16000, 16000, 3, 1) << hd << true << Outcome::TooLarge;
    QTest::newRow("progressive JPEG 2000 x 2000")
        << support::zeroProgressiveJpeg(2000, 2000, 3, 1) << hd << true << Outcome::Read;
    // Small, so no memory bound stops it: its scans do.
    QTest::newRow("progressive JPEG of 1000 scans")
        << support::zeroProgressiveJpeg(1024, 1024, 1, 1000) << hd << false << Outcome::TooLarge;
}

void PictureBombsTest::bomb_refusedUnlessDecodedSmall() {
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, screen);
    QFETCH(bool, stretch);
    QFETCH(Outcome, expected);
    const QString path = write(dir_, "bomb", bytes);
    const QRect area(100, 100, 800, 600);
    const AreaPicture read =
        readPictureForArea(path, PicturePlacement{area, screen, stretch}, {}, kAmpleMs);
    QCOMPARE(read.outcome, expected);
    if (expected == Outcome::TooLarge) {
        QVERIFY(read.image.isNull());
        // Refused from the header, before the picture's data (a JPEG's
        // markers are walked first).
        if (!bytes.startsWith("\xFF\xD8")) {
            QVERIFY2(read.bytesRead < 20000, qPrintable(QString::number(read.bytesRead)));
        }
    } else {
        // Unstretched, it reaches from the area's corner to the screen's edges.
        QBuffer buffer(&bytes);
        const QSize stored = QImageReader(&buffer).size();
        const QSize onScreen =
            stored.boundedTo(QSize(screen.width() - area.left(), screen.height() - area.top()));
        QCOMPARE(read.image.size(), stretch ? area.size() : onScreen);
    }
}

void PictureBombsTest::jpegWalk_countsScansAndCoefficients_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("progressive");
    QTest::addColumn<int>("scans");
    QTest::addColumn<qint64>("coefficientBytes");
    // libjpeg's own progression for colour: ten scans; 8 x 6 blocks for
    // luma, and 4 x 3 padded to its 2 x 2 sampling for each chroma.
    QTest::newRow("written by Qt") << progressiveNoise() << true << 10 << qint64(48 + 2 * 12) * 128;
    QTest::newRow("stuffing, restarts, fill")
        << handMadeScans(false) << true << 2 << qint64(4 * 128);
    QTest::newRow("cut in its last scan") << handMadeScans(true) << true << 2 << qint64(4 * 128);
    // 2000 x 2000 blocks of luma, 1000 x 1000 of each chroma.
    QTest::newRow("16000 x 16000 at 4:2:0")
        << support::zeroProgressiveJpeg(16000, 16000, 3, 0) << true << 1 << qint64(6000000) * 128;
    // The walk ends once past the bound.
    QTest::newRow("thousand scans")
        << support::zeroProgressiveJpeg(64, 64, 1, 1000) << true << 101 << qint64(64) * 128;
    // Baseline: the walk ends at its only scan.
    QTest::newRow("baseline") << support::zeroBaselineJpeg(64, 64) << false << 1
                              << qint64(64) * 128;
    QTest::newRow("not a JPEG") << support::zeroPng(8, 8) << false << 0 << qint64(0);
    QTest::newRow("only a start") << QByteArray("\xFF\xD8\xFF", 3) << false << 0 << qint64(0);
}

void PictureBombsTest::jpegWalk_countsScansAndCoefficients() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, progressive);
    QFETCH(int, scans);
    QFETCH(qint64, coefficientBytes);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const JpegLayout layout = walkJpeg(buffer, 100);
    QCOMPARE(layout.progressive, progressive);
    QCOMPARE(layout.scans, scans);
    QCOMPARE(layout.coefficientBytes, coefficientBytes);
    QVERIFY(!layout.readFailed);
}

void PictureBombsTest::pastItsBudget_skipped() {
    const QString path = dir_.filePath(QStringLiteral("slow.bmp"));
    QVERIFY(support::writeFlatBitmap(path, 1000, 1000, Qt::red));
    const PicturePlacement placement{QRect(0, 0, 100, 100), QSize(400, 300), true};
    // A slow disk: every piece takes 2 ms, a thousand rows of pieces.
    PieceHook slow([](qint64) { std::this_thread::sleep_for(std::chrono::milliseconds(2)); });
    const AreaPicture read = readPictureForArea(path, placement, {}, 40);
    QCOMPARE(read.outcome, Outcome::TooSlow);
    QVERIFY(read.image.isNull());
    QVERIFY(read.bytesRead > 0);
    QVERIFY(read.bytesRead < QFileInfo(path).size() / 2);
}

void PictureBombsTest::stillCurrent_onlyWhileTheFileStaysAsRead_data() {
    QTest::addColumn<bool>("oldFile");
    QTest::addColumn<bool>("rewritten");
    QTest::addColumn<bool>("current");
    QTest::newRow("unchanged since long before") << true << false << true;
    QTest::newRow("rewritten after the reading") << true << true << false;
    // Written just before: a change within the same clock tick would not show.
    QTest::newRow("written a moment before") << false << false << false;
}

void PictureBombsTest::stillCurrent_onlyWhileTheFileStaysAsRead() {
    QFETCH(bool, oldFile);
    QFETCH(bool, rewritten);
    QFETCH(bool, current);
    const QString path = dir_.filePath(QStringLiteral("stamp.png"));
    QImage img(QSize(8, 8), QImage::Format_RGB32);
    img.fill(Qt::red);
    QVERIFY(img.save(path));
    if (oldFile) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                              QFileDevice::FileModificationTime));
    }
    const PicturePlacement placement{QRect(0, 0, 8, 8), QSize(400, 300), false};
    const AreaPicture read = readPictureForArea(path, placement);
    QCOMPARE(read.outcome, Outcome::Read);
    if (rewritten) {
        QVERIFY(img.save(path));
    }
    QCOMPARE(stillCurrent(read, path), current);
}

PLAKORA_GUI_TEST_MAIN(PictureBombsTest)
#include "test_picture_bombs.moc"
