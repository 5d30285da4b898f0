// Reading pictures for the image area: a bitmap or a photograph too large
// for the reader's default budget still shows, and costs only what the screen shows; a file
// that claims absurd dimensions is refused unread; a reading that is called
// off ends within a piece.

#include "persistence/picture_reader.h"
#include "show/picture_display.h"
#include "tests/show/slideshow_fixture.h"
#include "tests/support/big_bitmap.h"
#include "tests/support/file_bytes.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/gui_test_main.h"

#include <QFileInfo>
#include <QTest>
#include <QtEndian>

using Outcome = AreaPicture::Outcome;

namespace {

// On the 400 x 300 screen of the fixture, with the area of layOutArea.
PicturePlacement placement(bool stretch) {
    return PicturePlacement{kArea, QSize(400, 300), stretch};
}

quint32 crc32(const QByteArray& bytes) {
    quint32 c = 0xFFFFFFFFu;
    for (const char ch : bytes) {
        c ^= static_cast<quint8>(ch);
        for (int k = 0; k < 8; ++k) {
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
        }
    }
    return ~c;
}

// The start of a PNG file that claims `width` x `height` pixels: its header
// chunk and a megabyte of data.
QByteArray pngClaiming(quint32 width, quint32 height) {
    const auto chunk = [](const char* type, const QByteArray& data) {
        const QByteArray body = QByteArray(type, 4) + data;
        QByteArray length(4, '\0');
        QByteArray crc(4, '\0');
        qToBigEndian(static_cast<quint32>(data.size()), length.data());
        qToBigEndian(crc32(body), crc.data());
        return length + body + crc;
    };
    QByteArray header(13, '\0');
    qToBigEndian(width, header.data());
    qToBigEndian(height, header.data() + 4);
    header[8] = 8; // bits per sample
    header[9] = 2; // RGB
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) +
           chunk("IDAT", QByteArray(1 << 20, '\0'));
}

} // namespace

class PictureReaderTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void largePicture_showsAtTheSizeDrawn_data();
    void largePicture_showsAtTheSizeDrawn();
    void absurdDimensions_refusedUnread();
    void calledOffMidway_endsWithNothing();

private:
    QTemporaryDir dir_;
    QString large_;
    QString photo_;
};

void PictureReaderTest::initTestCase() {
    // 6000 x 6000 at 24 bits: 108 MB on disk, 144 MB decoded, past the
    // reader's own default budget of 128 MB.
    large_ = dir_.filePath(QStringLiteral("large.bmp"));
    QVERIFY(support::writeFlatBitmap(large_, 6000, 6000, Qt::green));
    // A 36-megapixel photograph.
    photo_ = dir_.filePath(QStringLiteral("photo.jpg"));
    QImage photo(6000, 6000, QImage::Format_RGB32);
    photo.fill(Qt::green);
    QVERIFY(photo.save(photo_, "JPEG", 90));
}

void PictureReaderTest::largePicture_showsAtTheSizeDrawn_data() {
    QTest::addColumn<bool>("jpeg");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<QSize>("held");
    // At its natural size from the area's top-left, only what the screen
    // shows is kept.
    const QSize onScreen(400 - 210, 300 - 50);
    QTest::newRow("bitmap stretched") << false << true << kArea.size();
    QTest::newRow("bitmap natural") << false << false << onScreen;
    QTest::newRow("photograph stretched") << true << true << kArea.size();
    QTest::newRow("photograph natural") << true << false << onScreen;
}

void PictureReaderTest::largePicture_showsAtTheSizeDrawn() {
    QFETCH(bool, jpeg);
    QFETCH(bool, stretch);
    QFETCH(QSize, held);
    support::FixedSystemInfo sys(400, 300);
    CoreFixture f(400, 300);
    layOutArea(f);
    f.host.stretch = stretch;
    PlayBitMap(f.ctx, jpeg ? photo_ : large_);
    const QImage& s = f.surface.image();
    // Compression may move a colour by a step or two.
    const auto green = [&](int x, int y) {
        const QRgb p = s.pixel(x, y);
        return qRed(p) < 16 && qGreen(p) > 240 && qBlue(p) < 16;
    };
    QVERIFY(green(kArea.left(), kArea.top()));
    QVERIFY(green(kArea.right(), kArea.bottom()));
    QCOMPARE(s.pixel(kArea.left() - 1, kArea.top()), qRgb(0, 0, 0));
    // Unstretched, it reaches to the screen's edges.
    QCOMPARE(green(399, 299), !stretch);
    QCOMPARE(f.surface.Image4.bitmap.size(), held);
}

void PictureReaderTest::absurdDimensions_refusedUnread() {
    support::FixedSystemInfo sys(400, 300);
    // 40 GB decoded: refused from the header alone.
    const QString path = dir_.filePath(QStringLiteral("bomb.png"));
    support::writeBytes(path, pngClaiming(100000, 100000));
    const AreaPicture read = readPictureForArea(path, placement(true));
    QCOMPARE(read.outcome, Outcome::TooLarge);
    QVERIFY(read.image.isNull());
    QVERIFY2(read.bytesRead < 4096, qPrintable(QString::number(read.bytesRead)));

    CoreFixture f(400, 300);
    layOutArea(f);
    const QImage before = f.surface.image().copy();
    PlayBitMap(f.ctx, path);
    QCOMPARE(f.surface.image(), before);
}

void PictureReaderTest::calledOffMidway_endsWithNothing() {
    const QString path = dir_.filePath(QStringLiteral("mid.bmp"));
    QVERIFY(support::writeFlatBitmap(path, 1000, 1000, Qt::red));
    int asked = 0;
    const AreaPicture read =
        readPictureForArea(path, placement(false), [&asked] { return ++asked > 50; });
    QCOMPARE(read.outcome, Outcome::Cancelled);
    QVERIFY(read.image.isNull());
    QVERIFY(read.bytesRead > 0);
    QVERIFY(read.bytesRead < QFileInfo(path).size() / 2);
}

PLAKORA_GUI_TEST_MAIN(PictureReaderTest)
#include "test_picture_reader.moc"
