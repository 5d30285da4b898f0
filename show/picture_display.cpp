#include "show/picture_display.h"

#include "platform/colors.h"
#include "platform/system_info.h"
#include "show/play_screen.h"
#include "show/show_host.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QWidget>

#include <chrono>
#include <thread>

void computeImageAreaFor(ShowContext& ctx) {
    const ImageArea a =
        computeImageArea(ctx.board.Box1Width, ctx.show.Box1ShownHeight, ctx.board.BorderWidth,
                         platform::systemInfo().screenWidth(), ctx.screen.Panel3->height(),
                         ctx.screen.Panel4->height());
    ctx.show.ImageAreaLeft = a.Left;
    ctx.show.ImageAreaTop = a.Top;
    ctx.show.ImageAreaWidth = a.Width;
    ctx.show.ImageAreaHeight = a.Height;
}

void PlayBitMap(ShowContext& ctx, const QString& fileName) {
    if (!QFileInfo::exists(fileName)) {
        return;
    }
    QImageReader reader(fileName);
    QImage picture = reader.read();
    if (picture.isNull()) {
        return; // a broken file shows nothing, and says nothing
    }
    // Palettes are not used: every picture is drawn in true colour.
    ctx.screen.Image4.bitmap = picture.convertToFormat(QImage::Format_RGB32);
    computeImageAreaFor(ctx);

    const ShowState& s = ctx.show;
    QImage& surface = ctx.screen.surface();
    QPainter painter(&surface);
    QRect changed;
    if (ctx.host.imageStretch()) {
        if (ctx.host.syncWithRetrace()) {
            chkcrt(&ctx.screen);
        }
        changed = QRect(s.ImageAreaLeft, s.ImageAreaTop, s.ImageAreaWidth, s.ImageAreaHeight);
        if (changed.isEmpty()) {
            return;
        }
        painter.drawImage(changed, ctx.screen.Image4.bitmap);
    } else {
        // A smaller picture must not stand on the remains of a larger one.
        const QRect area(s.ImageAreaLeft, s.ImageAreaTop, s.ImageAreaWidth, s.ImageAreaHeight);
        if (!area.isEmpty()) {
            painter.fillRect(area, platform::toQColor(ctx.board.PlayBackColor));
        }
        const QPoint at(s.ImageAreaLeft, s.ImageAreaTop);
        painter.drawImage(at, ctx.screen.Image4.bitmap);
        changed = area.united(QRect(at, ctx.screen.Image4.bitmap.size()));
    }
    painter.end();
    ctx.screen.markDirty(changed);
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
