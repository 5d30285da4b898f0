// The pixel operations of the screen surface.

#include "show/surface_ops.h"

#include <QTest>

namespace {

// An image whose every pixel tells where it is.
QImage numbered(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            img.setPixel(x, y, qRgb(x, y, 7));
        }
    }
    return img;
}

} // namespace

class SurfaceOpsTest : public QObject {
    Q_OBJECT

private slots:
    void scrollUp_movesRowsAndKeepsUncoveredRow();
    void scrollUp_wholeWidth_sameAsRowByRow();
    void scrollLeft_movesColumnsAndKeepsUncoveredColumn();
    void scroll_clippedToClipAndImage();
    void stretchRow_squeezesByNearestPixel();
    void stretchRow_sameWidthCopiesExactly();
    void stretchRow_outsideImageOrBadRow_drawsNothing();
    void stretchColumn_copiesColumnDown();
};

void SurfaceOpsTest::scrollUp_movesRowsAndKeepsUncoveredRow() {
    QImage img = numbered(8, 8);
    const Rect r{2, 2, 6, 6};
    const Rect uncovered = scrollSurface(img, r, r, 0, -1);
    QCOMPARE(uncovered, (Rect{2, 5, 6, 6}));
    for (int y = 2; y < 5; ++y) {
        for (int x = 2; x < 6; ++x) {
            QCOMPARE(img.pixel(x, y), qRgb(x, y + 1, 7));
        }
    }
    // The uncovered row keeps its old pixels; outside the rectangle nothing moves.
    QCOMPARE(img.pixel(3, 5), qRgb(3, 5, 7));
    QCOMPARE(img.pixel(1, 3), qRgb(1, 3, 7));
    QCOMPARE(img.pixel(6, 3), qRgb(6, 3, 7));
    QCOMPARE(img.pixel(3, 1), qRgb(3, 1, 7));
    QCOMPARE(img.pixel(3, 6), qRgb(3, 6, 7));
}

void SurfaceOpsTest::scrollUp_wholeWidth_sameAsRowByRow() {
    QImage whole = numbered(16, 10);
    const Rect r{0, 3, 16, 9};
    scrollSurface(whole, r, r, 0, -1);
    for (int y = 3; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            QCOMPARE(whole.pixel(x, y), qRgb(x, y + 1, 7));
        }
    }
    QCOMPARE(whole.pixel(0, 8), qRgb(0, 8, 7));
    QCOMPARE(whole.pixel(0, 2), qRgb(0, 2, 7));
    QCOMPARE(whole.pixel(0, 9), qRgb(0, 9, 7));
}

void SurfaceOpsTest::scrollLeft_movesColumnsAndKeepsUncoveredColumn() {
    QImage img = numbered(10, 4);
    const Rect r{0, 1, 10, 3};
    const Rect uncovered = scrollSurface(img, r, r, -1, 0);
    QCOMPARE(uncovered, (Rect{9, 1, 10, 3}));
    for (int x = 0; x < 9; ++x) {
        QCOMPARE(img.pixel(x, 1), qRgb(x + 1, 1, 7));
    }
    QCOMPARE(img.pixel(9, 1), qRgb(9, 1, 7));
    QCOMPARE(img.pixel(4, 0), qRgb(4, 0, 7));
    QCOMPARE(img.pixel(4, 3), qRgb(4, 3, 7));
}

void SurfaceOpsTest::scroll_clippedToClipAndImage() {
    QImage img = numbered(6, 6);
    // A rectangle reaching past the image moves only what lies on it.
    scrollSurface(img, Rect{-5, -5, 50, 50}, Rect{-5, -5, 50, 50}, 0, -1);
    QCOMPARE(img.pixel(0, 0), qRgb(0, 1, 7));
    QCOMPARE(img.pixel(5, 5), qRgb(5, 5, 7));
    // An empty clip moves nothing.
    QImage same = numbered(6, 6);
    QCOMPARE(scrollSurface(same, Rect{0, 0, 6, 6}, Rect{0, 0, 0, 0}, 0, -1), Rect{});
    QCOMPARE(same, numbered(6, 6));
}

void SurfaceOpsTest::stretchRow_squeezesByNearestPixel() {
    QImage src = numbered(10, 3);
    QImage dst(20, 4, QImage::Format_RGB32);
    dst.fill(Qt::black);
    stretchRow(src, 1, dst, Rect{5, 2, 10, 3}); // 10 pixels into 5
    for (int x = 0; x < 5; ++x) {
        QCOMPARE(dst.pixel(5 + x, 2), qRgb(2 * x, 1, 7));
    }
    QCOMPARE(dst.pixel(4, 2), qRgb(0, 0, 0));
    QCOMPARE(dst.pixel(10, 2), qRgb(0, 0, 0));
    QCOMPARE(dst.pixel(6, 1), qRgb(0, 0, 0));
}

void SurfaceOpsTest::stretchRow_sameWidthCopiesExactly() {
    QImage src = numbered(12, 2);
    QImage dst(12, 3, QImage::Format_RGB32);
    dst.fill(Qt::black);
    stretchRow(src, 1, dst, Rect{0, 2, 12, 3});
    for (int x = 0; x < 12; ++x) {
        QCOMPARE(dst.pixel(x, 2), src.pixel(x, 1));
    }
}

void SurfaceOpsTest::stretchRow_outsideImageOrBadRow_drawsNothing() {
    QImage src = numbered(10, 3);
    QImage dst(8, 8, QImage::Format_RGB32);
    dst.fill(Qt::black);
    const QImage before = dst;
    stretchRow(src, 5, dst, Rect{0, 0, 8, 1});
    stretchRow(src, -1, dst, Rect{0, 0, 8, 1});
    stretchRow(src, 0, dst, Rect{20, 20, 30, 21});
    stretchRow(src, 0, dst, Rect{5, 1, 3, 2});
    stretchRow(QImage(), 0, dst, Rect{0, 0, 8, 1});
    QCOMPARE(dst, before);
    // Partly outside: the visible part is drawn.
    stretchRow(src, 0, dst, Rect{-2, 0, 8, 1});
    QCOMPARE(dst.pixel(0, 0), qRgb(2, 0, 7));
}

void SurfaceOpsTest::stretchColumn_copiesColumnDown() {
    QImage src = numbered(5, 4);
    QImage dst(10, 10, QImage::Format_RGB32);
    dst.fill(Qt::black);
    stretchColumn(src, 3, dst, Rect{9, 2, 10, 6});
    for (int y = 0; y < 4; ++y) {
        QCOMPARE(dst.pixel(9, 2 + y), qRgb(3, y, 7));
    }
    QCOMPARE(dst.pixel(8, 3), qRgb(0, 0, 0));
}

QTEST_GUILESS_MAIN(SurfaceOpsTest)
#include "test_surface_ops.moc"
