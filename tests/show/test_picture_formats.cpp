// Pictures of every format the image list takes, read from real files and
// drawn on the play screen: each format, photographs turned by their
// orientation tag, transparent parts over the background colour, the first
// frame of an animation, and files no decoder reads.

#include "show/movie_engine.h"
#include "tests/show/slideshow_fixture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/gui_test_main.h"
#include "tests/support/picture_files.h"
#include "tests/support/scripted_dialogs.h"

#include <QImageReader>
#include <QImageWriter>
#include <QTest>

using support::nearColour;

namespace {

const QRgb kGreen = qRgb(0, 200, 0);
const QRgb kBlue = qRgb(0, 0, 220);
const QRgb kRed = qRgb(220, 0, 0);
const QRgb kYellow = qRgb(230, 230, 0);
// $00BBGGRR as the board keeps it, and the same colour as Qt has it.
constexpr std::uint32_t kBackColour = 0x00C08040;
const QRgb kBack = qRgb(0x40, 0x80, 0xC0);

// 64 x 32 pixels, the left half one colour and the right half another: the
// halves meet on a block edge, so lossy formats keep them clean.
QImage halves(QRgb left, QRgb right) {
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(left);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 32; x < image.width(); ++x) {
            image.setPixel(x, y, right);
        }
    }
    return image;
}

bool writeImage(const QString& path, const QByteArray& format, const QImage& image) {
    if (format == "gif") {
        const QByteArray bytes = support::gifBytes({image});
        support::writeBytes(path, bytes);
        return !bytes.isEmpty();
    }
    QImageWriter writer(path, format);
    writer.setQuality(format == "webp" ? 100 : 95);
    return writer.write(image);
}

// The colours at the middle of each quarter of `r` on the surface: top left,
// top right, bottom left, bottom right.
QList<QRgb> quarters(const QImage& surface, const QRect& r) {
    const int x1 = r.left() + r.width() / 4;
    const int x2 = r.left() + 3 * r.width() / 4;
    const int y1 = r.top() + r.height() / 4;
    const int y2 = r.top() + 3 * r.height() / 4;
    return {surface.pixel(x1, y1), surface.pixel(x2, y1), surface.pixel(x1, y2),
            surface.pixel(x2, y2)};
}

bool allNear(const QList<QRgb>& actual, const QList<QRgb>& expected, int tolerance) {
    if (actual.size() != expected.size()) {
        return false;
    }
    for (qsizetype i = 0; i < actual.size(); ++i) {
        if (!nearColour(actual[i], expected[i], tolerance)) {
            return false;
        }
    }
    return true;
}

QString describe(const QList<QRgb>& colours) {
    QStringList names;
    for (QRgb c : colours) {
        names << QColor(c).name();
    }
    return names.join(QLatin1Char(' '));
}

} // namespace

class PictureFormatsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void eachFormat_showsOnThePlayScreen_data();
    void eachFormat_showsOnThePlayScreen();
    void orientationTag_turnsThePhotoUpright_data();
    void orientationTag_turnsThePhotoUpright();
    void transparentParts_showTheBackgroundColour_data();
    void transparentParts_showTheBackgroundColour();
    void animatedGif_showsItsFirstFrame();
    void noDecoderReadsIt_skippedSilently_data();
    void noDecoderReadsIt_skippedSilently();
};

void PictureFormatsTest::initTestCase() {
    // WebP and TIFF come with the image format plugins the scripts install.
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    for (const char* format : {"bmp", "png", "jpg", "gif", "webp", "tiff"}) {
        QVERIFY2(readable.contains(format),
                 qPrintable(QStringLiteral("no reader for %1: is qt6-image-formats-plugins "
                                           "installed?")
                                .arg(QLatin1String(format))));
    }
}

void PictureFormatsTest::eachFormat_showsOnThePlayScreen_data() {
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("bmp") << "bmp" << QByteArray("bmp") << 0;
    QTest::newRow("png") << "png" << QByteArray("png") << 0;
    QTest::newRow("jpg") << "jpg" << QByteArray("jpg") << 24;
    QTest::newRow("jpeg") << "JPEG" << QByteArray("jpeg") << 24;
    QTest::newRow("gif") << "gif" << QByteArray("gif") << 0;
    QTest::newRow("webp") << "webp" << QByteArray("webp") << 4;
    QTest::newRow("tif") << "tif" << QByteArray("tif") << 0;
    QTest::newRow("tiff") << "TIFF" << QByteArray("tiff") << 0;
}

void PictureFormatsTest::eachFormat_showsOnThePlayScreen() {
    QFETCH(QString, suffix);
    QFETCH(QByteArray, format);
    QFETCH(int, tolerance);
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    CoreFixture f(400, 300);
    layOutArea(f);
    const QString path = dir.filePath(QStringLiteral("picture.") + suffix);
    QVERIFY(writeImage(path, format, halves(kGreen, kBlue)));
    setEntries(f, {writePicture(dir, "first.bmp", Qt::red), path});

    SlideStep(f.ctx);
    QCOMPARE(f.show.SlideIndex, 1);
    // Shown as a picture, stretched over the image area, not played as a movie.
    const QList<QRgb> seen = quarters(f.surface.image(), kArea);
    QVERIFY2(allNear(seen, {kGreen, kBlue, kGreen, kBlue}, tolerance), qPrintable(describe(seen)));
    QVERIFY(!f.show.MoviePlaying);
    QVERIFY(dialogs.questions.isEmpty());
}

void PictureFormatsTest::orientationTag_turnsThePhotoUpright_data() {
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<QSize>("shown");
    QTest::addColumn<QList<QRgb>>("expected"); // quarters, see quarters()
    // The camera saw red on the left and blue on the right.
    const QList<QRgb> asStored{kRed, kBlue, kRed, kBlue};
    const QList<QRgb> turnedRight{kRed, kRed, kBlue, kBlue}; // left side on top
    const QList<QRgb> turnedLeft{kBlue, kBlue, kRed, kRed};
    const QList<QRgb> upsideDown{kBlue, kRed, kBlue, kRed};
    QTest::newRow("upright") << 1 << false << QSize(64, 32) << asStored;
    QTest::newRow("quarter right") << 6 << false << QSize(32, 64) << turnedRight;
    QTest::newRow("quarter left") << 8 << false << QSize(32, 64) << turnedLeft;
    QTest::newRow("upside down") << 3 << false << QSize(64, 32) << upsideDown;
    QTest::newRow("quarter right, stretched") << 6 << true << QSize() << turnedRight;
    QTest::newRow("quarter left, stretched") << 8 << true << QSize() << turnedLeft;
    QTest::newRow("upside down, stretched") << 3 << true << QSize() << upsideDown;
}

void PictureFormatsTest::orientationTag_turnsThePhotoUpright() {
    QFETCH(int, orientation);
    QFETCH(bool, stretch);
    QFETCH(QSize, shown);
    QFETCH(QList<QRgb>, expected);
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    CoreFixture f(400, 300);
    layOutArea(f);
    f.host.stretch = stretch;
    f.board.PlayBackColor = kBackColour;
    const QString path = dir.filePath(QStringLiteral("phone.jpg"));
    const QByteArray photo =
        support::jpegWithOrientation(halves(kRed, kBlue), static_cast<quint16>(orientation));
    QVERIFY(!photo.isEmpty());
    support::writeBytes(path, photo);
    setEntries(f, {path});

    SlideStep(f.ctx);
    const QImage& s = f.surface.image();
    const QRect placed = stretch ? kArea : QRect(kArea.topLeft(), shown);
    const QList<QRgb> seen = quarters(s, placed);
    QVERIFY2(allNear(seen, expected, 24), qPrintable(describe(seen)));
    if (!stretch) {
        // Exactly the turned size: the area's background right of and below it.
        QCOMPARE(s.pixel(placed.right() + 1, placed.top()), kBack);
        QCOMPARE(s.pixel(placed.left(), placed.bottom() + 1), kBack);
        QVERIFY(s.pixel(placed.right(), placed.bottom()) != kBack);
    }
}

void PictureFormatsTest::transparentParts_showTheBackgroundColour_data() {
    QTest::addColumn<bool>("stretch");
    QTest::newRow("natural size") << false;
    QTest::newRow("stretched") << true;
}

void PictureFormatsTest::transparentParts_showTheBackgroundColour() {
    QFETCH(bool, stretch);
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    CoreFixture f(400, 300);
    layOutArea(f);
    f.host.stretch = stretch;
    f.board.PlayBackColor = kBackColour;
    // A logo: an opaque green band, a clear band and a half-clear white band.
    QImage logo(64, 32, QImage::Format_ARGB32);
    for (int y = 0; y < logo.height(); ++y) {
        for (int x = 0; x < logo.width(); ++x) {
            logo.setPixel(x, y,
                          x < 32   ? kGreen
                          : x < 48 ? qRgba(0, 0, 0, 0)
                                   : qRgba(255, 255, 255, 128));
        }
    }
    const QString path = dir.filePath(QStringLiteral("logo.png"));
    QVERIFY(logo.save(path, "PNG"));
    // The logo comes after a red picture that fills the whole area.
    f.host.stretch = true;
    setEntries(f, {path, writePicture(dir, "red.bmp", Qt::red)});
    SlideStep(f.ctx);
    QCOMPARE(areaColour(f), qRgb(255, 0, 0));
    f.host.stretch = stretch;
    SlideStep(f.ctx);
    QCOMPARE(f.show.SlideIndex, 0);

    const QRect placed = stretch ? kArea : QRect(kArea.topLeft(), logo.size());
    const double sx = placed.width() / 64.0;
    const auto at = [&](int x) {
        return f.surface.image().pixel(placed.left() + int(x * sx), placed.center().y());
    };
    QCOMPARE(at(16), kGreen);
    QCOMPARE(at(40), kBack);
    const QRgb halfWhite = qRgb((0x40 + 255) / 2, (0x80 + 255) / 2, (0xC0 + 255) / 2);
    QVERIFY2(nearColour(at(56), halfWhite, 2), qPrintable(QColor(at(56)).name()));
    QVERIFY(dialogs.questions.isEmpty());
}

void PictureFormatsTest::animatedGif_showsItsFirstFrame() {
    support::FixedSystemInfo sys(400, 300);
    QTemporaryDir dir;
    CoreFixture f(400, 300);
    layOutArea(f);
    const QString path = dir.filePath(QStringLiteral("wave.gif"));
    support::writeBytes(path, support::gifBytes({halves(kGreen, kYellow), halves(kBlue, kBlue),
                                                 halves(kRed, kBlue)}));
    QCOMPARE(QImageReader(path).imageCount(), 3);
    setEntries(f, {path});

    SlideStep(f.ctx);
    const QList<QRgb> seen = quarters(f.surface.image(), kArea);
    QVERIFY2(allNear(seen, {kGreen, kYellow, kGreen, kYellow}, 0), qPrintable(describe(seen)));
    // It stays as it is: the show draws no further frame by itself.
    QTest::qWait(250);
    QCOMPARE(quarters(f.surface.image(), kArea), seen);
}

void PictureFormatsTest::noDecoderReadsIt_skippedSilently_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("layered drawing named .png")
        << "drawing.png" << QByteArray("8BPS\x00\x01\x00\x00\x00\x00\x00\x00\x00\x03", 14);
    QTest::newRow("letter named .webp") << "letter.webp" << QByteArray("Dear reader,\r\n");
    QTest::newRow("letter named .tif") << "letter.tif" << QByteArray("Dear reader,\r\n");
    QTest::newRow("GIF cut short") << "short.gif" << QByteArray("GIF89a\x40\x00", 8);
}

void PictureFormatsTest::noDecoderReadsIt_skippedSilently() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    support::FixedSystemInfo sys(400, 300);
    support::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    CoreFixture f(400, 300);
    layOutArea(f);
    const QString path = dir.filePath(name);
    support::writeBytes(path, bytes);
    setEntries(f, {path, writePicture(dir, "red.bmp", Qt::red)});
    SlideStep(f.ctx);
    QCOMPARE(areaColour(f), qRgb(255, 0, 0));

    // The previous picture stays; nothing is said and nothing plays.
    SlideStep(f.ctx);
    QCOMPARE(f.show.SlideIndex, 0);
    QCOMPARE(quarters(f.surface.image(), kArea),
             (QList<QRgb>{qRgb(255, 0, 0), qRgb(255, 0, 0), qRgb(255, 0, 0), qRgb(255, 0, 0)}));
    QVERIFY(dialogs.questions.isEmpty());
    QVERIFY(!f.show.MoviePlaying);
}

PLAKORA_GUI_TEST_MAIN(PictureFormatsTest)
#include "test_picture_formats.moc"
