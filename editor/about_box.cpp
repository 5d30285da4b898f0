#include "editor/about_box.h"

#include "board/board_state.h"
#include "platform/system_info.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

namespace {

QLabel* blueLabel(QWidget* parent, const char* name, const QString& text, int pixelSize,
                  QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    // As wide as the window allows, so that a longer text set later fits.
    label->setGeometry(at.x(), at.y(), TScrollBoxXAbout::kClientWidth - at.x(),
                       label->sizeHint().height());
    return label;
}

} // namespace

QString aboutVersionLine(const QString& versionString) {
    return QStringLiteral("Version ") + versionString;
}

QPixmap programPicture(int size) {
    // A small board: a blue title bar over dark lines of text, and a crawl
    // arrow along the bottom.
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 20.0, size / 20.0);
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(QColor(20, 20, 40));
    p.drawRoundedRect(QRectF(1.5, 1.5, 17, 17), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 80, 230));
    p.drawRect(QRectF(3, 3, 14, 4));
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(QRectF(4, 9, 9, 1.5));
    p.drawRect(QRectF(4, 12, 11, 1.5));
    p.setBrush(QColor(240, 200, 40));
    const QPointF arrow[3] = {{4, 16}, {7, 14.5}, {7, 17.5}};
    p.drawPolygon(arrow, 3);
    p.drawRect(QRectF(7, 15.5, 9, 1));
    return pm;
}

TScrollBoxXAbout::TScrollBoxXAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("ScrollBoxXAbout"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(kClientWidth, kClientHeight);

    CtlImage = new QToolButton(this);
    CtlImage->setObjectName(QStringLiteral("CtlImage"));
    CtlImage->setAutoRaise(true);
    CtlImage->setFocusPolicy(Qt::NoFocus);
    CtlImage->setGeometry(48, 16, 25, 25);
    CtlImage->setIconSize(QSize(20, 20));
    CtlImage->setIcon(QIcon(programPicture(20)));

    NameLbl =
        blueLabel(this, "NameLbl", QString::fromLatin1(kApplicationTitle), 19, QPoint(80, 16));
    DescLbl = blueLabel(this, "DescLbl", QString(), 16, QPoint(72, 50));

    NoticeLbl = new QLabel(QStringLiteral("Copyright \u00a9 the makers of Plakora"), this);
    NoticeLbl->setObjectName(QStringLiteral("NoticeLbl"));
    NoticeLbl->move(32, 72);
    NoticeLbl->adjustSize();

    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setGeometry(96, 96, 75, 25);
    // Enter presses it; Esc and the close box reject the window, which
    // closes it all the same.
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    OkBtn->setFocus();

    // Centred on the screen, by its own size (the frame is the window system's).
    const platform::SystemInfo& sys = platform::systemInfo();
    move((sys.screenWidth() - width()) / 2, (sys.screenHeight() - height()) / 2);
}
