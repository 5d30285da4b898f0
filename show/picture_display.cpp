#include "show/picture_display.h"

#include "platform/colors.h"
#include "platform/system_info.h"
#include "show/play_screen.h"
#include "show/safe_bounds.h"
#include "show/show_host.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QThread>
#include <QWidget>

#include <chrono>
#include <thread>

ImageArea imageAreaOf(const ShowContext& ctx) {
    const platform::SystemInfo& sys = platform::systemInfo();
    const int sw = sys.screenWidth();
    return computeImageArea(safeLength(ctx.board.Box1Width, sw), ctx.show.Box1ShownHeight,
                            safeBorderWidth(ctx.board.BorderWidth, sw, sys.screenHeight()), sw,
                            ctx.screen.Panel3->height(), ctx.screen.Panel4->height());
}

void computeImageAreaFor(ShowContext& ctx) {
    const ImageArea a = imageAreaOf(ctx);
    ctx.show.ImageAreaLeft = a.Left;
    ctx.show.ImageAreaTop = a.Top;
    ctx.show.ImageAreaWidth = a.Width;
    ctx.show.ImageAreaHeight = a.Height;
}

QImage loadPicture(const QString& fileName) {
    if (!QFileInfo::exists(fileName)) {
        return QImage();
    }
    QImageReader reader(fileName);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        return QImage(); // a broken file shows nothing, and says nothing
    }
    // Palettes are not used: every picture is drawn in true colour.
    return picture.convertToFormat(QImage::Format_RGB32);
}

void drawPicture(ShowContext& ctx, const QImage& picture, const QImage& prestretched) {
    if (picture.isNull()) {
        return;
    }
    ctx.screen.Image4.bitmap = picture;
    computeImageAreaFor(ctx);

    const ShowState& s = ctx.show;
    const QRect area(s.ImageAreaLeft, s.ImageAreaTop, s.ImageAreaWidth, s.ImageAreaHeight);
    QImage& surface = ctx.screen.surface();
    QPainter painter(&surface);
    // Pictures are opaque: plain copies, with no blending to work out.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    QRect changed;
    if (ctx.host.imageStretch()) {
        if (ctx.host.syncWithRetrace()) {
            chkcrt(&ctx.screen);
        }
        if (area.isEmpty()) {
            return;
        }
        if (prestretched.size() == area.size()) {
            painter.drawImage(area.topLeft(), prestretched);
        } else {
            painter.drawImage(area, picture);
        }
        changed = area;
    } else {
        const QRect placed(area.topLeft(), picture.size());
        // A smaller picture must not stand on the remains of a larger one:
        // what the picture leaves of the area is filled first.
        if (!area.isEmpty()) {
            const QColor back = platform::toQColor(ctx.board.PlayBackColor);
            for (const QRect& r : QRegion(area).subtracted(placed)) {
                painter.fillRect(r, back);
            }
        }
        painter.drawImage(placed.topLeft(), picture);
        changed = area.united(placed);
    }
    painter.end();
    ctx.screen.markDirty(changed);
}

void PlayBitMap(ShowContext& ctx, const QString& fileName) {
    drawPicture(ctx, loadPicture(fileName));
}

void chkcrt(const QWidget* window) {
    const QScreen* screen = window ? window->screen() : nullptr;
    const double rate = (screen && screen->refreshRate() > 1.0) ? screen->refreshRate() : 60.0;
    const auto period = std::chrono::nanoseconds(static_cast<long long>(1e9 / rate));
    // Frames are counted from a fixed origin; wait for the start of the next.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto intoFrame = now % period;
    std::this_thread::sleep_for(period - intoFrame);
}
