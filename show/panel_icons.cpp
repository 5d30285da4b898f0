#include "show/panel_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 16;

void drawBackgroundColour(QPainter& p) {
    // A little screen filled with colour, with a brush stroke across it.
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(30, 60, 160));
    p.drawRect(1, 2, 13, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 60, 60));
    p.drawRect(2, 3, 4, 8);
    p.setBrush(QColor(60, 180, 60));
    p.drawRect(6, 3, 4, 8);
    p.setPen(QPen(QColor(90, 60, 20), 2));
    p.drawLine(9, 14, 15, 8);
}

void drawRefresh(QPainter& p) {
    // Two arrows chasing each other round a circle.
    p.setPen(QPen(QColor(0, 120, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 30 * 16, 150 * 16);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 210 * 16, 150 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 120, 0));
    const QPointF upper[3] = {{13.5, 1.5}, {14.5, 7.0}, {9.5, 5.5}};
    p.drawPolygon(upper, 3);
    const QPointF lower[3] = {{2.5, 14.5}, {1.5, 9.0}, {6.5, 10.5}};
    p.drawPolygon(lower, 3);
}

void drawClock(QPainter& p) {
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 10));
}

void drawLeaveShow(QPainter& p) {
    // An open door with an arrow going out through it.
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(150, 100, 50));
    p.drawRect(2, 1, 7, 14);
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(6, 8, 14, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 0, 0));
    const QPointF head[3] = {{15.5, 8}, {11, 4}, {11, 12}};
    p.drawPolygon(head, 3);
}

} // namespace

QIcon panelIcon(PanelIcon kind) {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case PanelIcon::BackgroundColour:
        drawBackgroundColour(p);
        break;
    case PanelIcon::Refresh:
        drawRefresh(p);
        break;
    case PanelIcon::Clock:
        drawClock(p);
        break;
    case PanelIcon::LeaveShow:
        drawLeaveShow(p);
        break;
    }
    p.end();
    return QIcon(pm);
}
