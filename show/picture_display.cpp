#include "show/picture_display.h"

#include "persistence/picture_reader.h"
#include "platform/colors.h"
#include "platform/system_info.h"
#include "show/logging.h"
#include "show/safe_bounds.h"
#include "show/show_host.h"
#include "show/show_surface.h"

#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QThread>

#include <chrono>
#include <thread>

ImageArea imageAreaOf(const ShowContext& ctx) {
    const platform::SystemInfo& sys = platform::systemInfo();
    const int sw = sys.playScreenWidth();
    return computeImageArea(safeLength(ctx.board.Box1Width, sw), ctx.show.Box1ShownHeight,
                            safeBorderWidth(ctx.board.BorderWidth, sw, sys.playScreenHeight()), sw,
                            ctx.show.MainTitleBarHeight, ctx.show.SecondTitleBarHeight);
}

void computeImageAreaFor(ShowContext& ctx) {
    const ImageArea a = imageAreaOf(ctx);
    ctx.show.ImageAreaLeft = a.Left;
    ctx.show.ImageAreaTop = a.Top;
    ctx.show.ImageAreaWidth = a.Width;
    ctx.show.ImageAreaHeight = a.Height;
}

PicturePlacement placementOf(const ShowContext& ctx) {
    const ImageArea a = imageAreaOf(ctx);
    return PicturePlacement{QRect(a.Left, a.Top, a.Width, a.Height), ctx.surface.size(),
                            ctx.host.imageStretch()};
}

void drawPicture(ShowContext& ctx, const AreaPicture& picture) {
    if (picture.image.isNull()) {
        return;
    }
    ctx.surface.Image4.bitmap = picture.image;
    computeImageAreaFor(ctx);
    const PicturePlacement now = placementOf(ctx);
    const QRect& area = now.area;
    QRect placed(picture.at, picture.image.size());
    if (!(picture.placement == now)) {
        // Read for another area or switch: drawn as this one asks.
        placed = now.stretch ? area : QRect(area.topLeft(), picture.image.size());
    }

    QImage& surface = ctx.surface.image();
    QPainter painter(&surface);
    // Opaque pictures are plain copies, with no blending to work out.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QColor back = platform::toQColor(ctx.board.PlayBackColor);
    QRect changed = placed;
    if (now.stretch) {
        if (ctx.host.syncWithRetrace()) {
            chkcrt(ctx.surface.screen());
        }
        if (area.isEmpty()) {
            return;
        }
    } else if (!area.isEmpty()) {
        // A smaller picture must not stand on the remains of a larger one:
        // what the picture leaves of the area is filled first.
        for (const QRect& r : QRegion(area).subtracted(placed)) {
            painter.fillRect(r, back);
        }
        changed = area.united(placed);
    }
    if (picture.image.hasAlphaChannel()) {
        // A logo's transparent parts show the play screen's background, not
        // whatever picture stood there before.
        painter.fillRect(placed, back);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    painter.drawImage(placed, picture.image);
    painter.end();
    ctx.surface.markDirty(changed);
}

void PlayBitMap(ShowContext& ctx, const QString& fileName) {
    // Read here, on the main thread: within the same memory and time as the
    // slideshow thread's readings, so a bad picture holds the show at most
    // for the reading budget.
    applyPictureDecodeLimit();
    const AreaPicture picture = readPictureForArea(fileName, placementOf(ctx));
    if (picture.outcome != AreaPicture::Outcome::Read) {
        qCDebug(lcShow) << "picture not shown:" << fileName << "outcome"
                        << static_cast<int>(picture.outcome);
    }
    drawPicture(ctx, picture);
}

void chkcrt(const QScreen* screen) {
    const double rate = (screen && screen->refreshRate() > 1.0) ? screen->refreshRate() : 60.0;
    const auto period = std::chrono::nanoseconds(static_cast<long long>(1e9 / rate));
    // Frames are counted from a fixed origin; wait for the start of the next.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto intoFrame = now % period;
    std::this_thread::sleep_for(period - intoFrame);
}
