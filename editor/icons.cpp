#include "editor/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 24;

void drawFolder(QPainter& p) {
    p.setBrush(QColor(230, 190, 80));
    p.drawRect(3, 8, 18, 12);
    p.drawRect(3, 5, 8, 3);
}

void drawDisk(QPainter& p) {
    p.setBrush(QColor(60, 90, 170));
    p.drawRect(4, 4, 16, 16);
    p.setBrush(Qt::white);
    p.drawRect(7, 4, 10, 6);
    p.drawRect(7, 13, 10, 7);
}

void drawPicture(QPainter& p) {
    p.setBrush(QColor(120, 180, 240));
    p.drawRect(2, 5, 16, 13);
    p.setBrush(QColor(60, 150, 60));
    QPainterPath hill;
    hill.moveTo(2, 18);
    hill.lineTo(8, 11);
    hill.lineTo(13, 16);
    hill.lineTo(18, 12);
    hill.lineTo(18, 18);
    hill.closeSubpath();
    p.drawPath(hill);
}

void drawPlus(QPainter& p) {
    p.setPen(QPen(QColor(0, 130, 0), 3));
    p.drawLine(19, 14, 19, 22);
    p.drawLine(15, 18, 23, 18);
}

} // namespace

QIcon toolIcon(ToolIcon kind) {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    switch (kind) {
    case ToolIcon::Open:
        drawFolder(p);
        break;
    case ToolIcon::Save:
        drawDisk(p);
        break;
    case ToolIcon::Clear:
        p.setBrush(Qt::white);
        p.drawRect(5, 3, 14, 18);
        p.setPen(QPen(QColor(200, 0, 0), 3));
        p.drawLine(6, 6, 18, 18);
        p.drawLine(18, 6, 6, 18);
        break;
    case ToolIcon::Play: {
        p.setBrush(QColor(0, 150, 0));
        const QPointF tri[3] = {{6, 4}, {20, 12}, {6, 20}};
        p.drawPolygon(tri, 3);
        break;
    }
    case ToolIcon::Palette:
        p.setBrush(QColor(250, 235, 200));
        p.drawEllipse(2, 4, 20, 16);
        p.setBrush(Qt::red);
        p.drawEllipse(6, 7, 4, 4);
        p.setBrush(Qt::green);
        p.drawEllipse(12, 6, 4, 4);
        p.setBrush(Qt::blue);
        p.drawEllipse(15, 12, 4, 4);
        break;
    case ToolIcon::Clock:
        p.setBrush(Qt::white);
        p.drawEllipse(3, 3, 18, 18);
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(12, 12, 12, 6);
        p.drawLine(12, 12, 16, 14);
        break;
    case ToolIcon::PagePause:
        p.setBrush(Qt::white);
        p.drawRect(4, 3, 16, 18);
        p.setBrush(QColor(30, 30, 30));
        p.drawRect(8, 8, 3, 9);
        p.drawRect(13, 8, 3, 9);
        break;
    case ToolIcon::AddPicture:
        drawPicture(p);
        drawPlus(p);
        break;
    case ToolIcon::Delete:
        drawPicture(p);
        p.setPen(QPen(QColor(200, 0, 0), 3));
        p.drawLine(15, 18, 23, 18);
        break;
    case ToolIcon::AddMovie:
        p.setBrush(QColor(50, 50, 50));
        p.drawRect(2, 5, 16, 13);
        p.setBrush(Qt::white);
        for (int x = 4; x < 17; x += 4) {
            p.drawRect(x, 6, 2, 2);
            p.drawRect(x, 15, 2, 2);
        }
        drawPlus(p);
        break;
    case ToolIcon::Stretch:
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.drawRect(3, 3, 18, 18);
        p.drawLine(7, 7, 17, 17);
        p.drawLine(7, 7, 7, 11);
        p.drawLine(7, 7, 11, 7);
        p.drawLine(17, 17, 17, 13);
        p.drawLine(17, 17, 13, 17);
        break;
    case ToolIcon::CountMarkers: {
        QFont f = p.font();
        f.setPixelSize(16);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("#"));
        break;
    }
    }
    p.end();
    return QIcon(pm);
}
