#include "platform/colors.h"
#include "platform/fonts.h"
#include "platform/help.h"
#include "tests/support/test_main.h"

#include <QFont>
#include <QObject>
#include <QTest>

#include <cstdint>

using namespace platform;

class PlatformValuesTest : public QObject {
    Q_OBJECT

private slots:
    void toQColor_readsRedFromLowByte_data();
    void toQColor_readsRedFromLowByte();
    void fromQColor_putsRedInLowByte_data();
    void fromQColor_putsRedInLowByte();
    void colors_roundTrip_data();
    void colors_roundTrip();

    void pointsToPixels_scalesAt96Dpi_data();
    void pointsToPixels_scalesAt96Dpi();
    void boardFont_setsPixelSizeWeightAndFamily_data();
    void boardFont_setsPixelSizeWeightAndFamily();
    void boardFont_emptyFaceKeepsDefaultFamily();

    void helpFile_keepsLastPath();
};

void PlatformValuesTest::toQColor_readsRedFromLowByte_data() {
    QTest::addColumn<std::uint32_t>("bgr");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("red") << std::uint32_t{0x0000FF} << QColor(255, 0, 0);
    QTest::newRow("green") << std::uint32_t{0x00FF00} << QColor(0, 255, 0);
    QTest::newRow("blue") << std::uint32_t{0xFF0000} << QColor(0, 0, 255);
    QTest::newRow("mixed") << std::uint32_t{0x336699} << QColor(0x99, 0x66, 0x33);
    QTest::newRow("black") << std::uint32_t{0} << QColor(0, 0, 0);
    QTest::newRow("top byte ignored") << std::uint32_t{0xAB123456} << QColor(0x56, 0x34, 0x12);
    QTest::newRow("system flag byte ignored") << std::uint32_t{0x80000000} << QColor(0, 0, 0);
}

void PlatformValuesTest::toQColor_readsRedFromLowByte() {
    QFETCH(std::uint32_t, bgr);
    QFETCH(QColor, expected);
    const QColor color = toQColor(bgr);
    QCOMPARE(color.red(), expected.red());
    QCOMPARE(color.green(), expected.green());
    QCOMPARE(color.blue(), expected.blue());
    QCOMPARE(color.alpha(), 255);
}

void PlatformValuesTest::fromQColor_putsRedInLowByte_data() {
    QTest::addColumn<QColor>("color");
    QTest::addColumn<std::uint32_t>("expected");
    QTest::newRow("red") << QColor(255, 0, 0) << std::uint32_t{0x0000FF};
    QTest::newRow("blue") << QColor(0, 0, 255) << std::uint32_t{0xFF0000};
    QTest::newRow("mixed") << QColor(0x12, 0x34, 0x56) << std::uint32_t{0x563412};
    QTest::newRow("alpha dropped") << QColor(0x12, 0x34, 0x56, 0x40) << std::uint32_t{0x563412};
    QTest::newRow("hsv colour") << QColor::fromHsv(240, 255, 255) << std::uint32_t{0xFF0000};
    QTest::newRow("white") << QColor(Qt::white) << std::uint32_t{0xFFFFFF};
}

void PlatformValuesTest::fromQColor_putsRedInLowByte() {
    QFETCH(QColor, color);
    QFETCH(std::uint32_t, expected);
    QCOMPARE(fromQColor(color), expected);
}

void PlatformValuesTest::colors_roundTrip_data() {
    QTest::addColumn<std::uint32_t>("bgr");
    QTest::newRow("zero") << std::uint32_t{0};
    QTest::newRow("white") << std::uint32_t{0xFFFFFF};
    QTest::newRow("each byte distinct") << std::uint32_t{0x0A0B0C};
    QTest::newRow("low byte only") << std::uint32_t{0x000001};
    QTest::newRow("high colour byte only") << std::uint32_t{0x010000};
}

void PlatformValuesTest::colors_roundTrip() {
    QFETCH(std::uint32_t, bgr);
    QCOMPARE(fromQColor(toQColor(bgr)), bgr);
}

void PlatformValuesTest::pointsToPixels_scalesAt96Dpi_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("pixels");
    QTest::newRow("20 (26.67)") << 20 << 27;
    QTest::newRow("40 (53.33)") << 40 << 53;
    QTest::newRow("34 (45.33)") << 34 << 45;
    QTest::newRow("10 (13.33)") << 10 << 13;
    QTest::newRow("8 (10.67)") << 8 << 11;
    QTest::newRow("12 exact") << 12 << 16;
    QTest::newRow("72 exact") << 72 << 96;
    QTest::newRow("1 (1.33)") << 1 << 1;
    QTest::newRow("2 (2.67)") << 2 << 3;
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("negative") << -12 << 0;
    QTest::newRow("large without overflow") << 1'000'000'000 << 1'333'333'333;
}

void PlatformValuesTest::pointsToPixels_scalesAt96Dpi() {
    QFETCH(int, points);
    QFETCH(int, pixels);
    QCOMPARE(pointsToPixels(points), pixels);
}

void PlatformValuesTest::boardFont_setsPixelSizeWeightAndFamily_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("regular 20pt") << QStringLiteral("DejaVu Sans") << 20 << false << 27;
    QTest::newRow("bold 40pt") << QStringLiteral("DejaVu Serif") << 40 << true << 53;
    QTest::newRow("zero size still visible") << QStringLiteral("Courier") << 0 << false << 1;
    QTest::newRow("negative size still visible") << QStringLiteral("Courier") << -5 << true << 1;
}

void PlatformValuesTest::boardFont_setsPixelSizeWeightAndFamily() {
    QFETCH(QString, face);
    QFETCH(int, points);
    QFETCH(bool, bold);
    QFETCH(int, pixelSize);
    const QFont font = boardFont(face, points, bold);
    QCOMPARE(font.family(), face);
    QCOMPARE(font.pixelSize(), pixelSize);
    QCOMPARE(font.weight(), bold ? QFont::Bold : QFont::Normal);
    QCOMPARE(font.bold(), bold);
    QVERIFY(!font.italic());
}

void PlatformValuesTest::boardFont_emptyFaceKeepsDefaultFamily() {
    const QFont font = boardFont(QString(), 10);
    QCOMPARE(font.family(), QFont().family());
    QCOMPARE(font.pixelSize(), 13);
    QCOMPARE(font.weight(), QFont::Normal);
}

void PlatformValuesTest::helpFile_keepsLastPath() {
    setHelpFile(QStringLiteral("/usr/share/plakora/first.hlp"));
    setHelpFile(QStringLiteral("/usr/share/plakora/board.hlp"));
    QCOMPARE(helpFile(), QStringLiteral("/usr/share/plakora/board.hlp"));
    setHelpFile(QString());
    QVERIFY(helpFile().isEmpty());
}

PLAKORA_TEST_MAIN(PlatformValuesTest)

#include "test_platform_values.moc"
