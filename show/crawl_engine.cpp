#include "show/crawl_engine.h"

#include "show/safe_bounds.h"
#include "show/show_surface.h"
#include "show/surface_ops.h"
#include "show/text_box_engine.h"

#include <QCoreApplication>
#include <QThread>

bool crawlStep(ShowContext& ctx) {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    ShowState& s = ctx.show;
    const QImage& bitmap = ctx.surface.Image3.bitmap;
    const int w = bitmap.width();
    const int h = bitmap.height();
    if (w - 1 > s.CrawlColumn) {
        s.CrawlSourceRect = Rect{s.CrawlColumn, 0, s.CrawlColumn + 1, h};
        s.CrawlUpdateRect = ctx.surface.scrollLeftStep(bitmap, s.CrawlColumn, s.CrawlDestRect,
                                                       s.CrawlScrollRect, s.CrawlClipRect);
        s.CrawlColumn += 1;
    } else {
        s.CrawlColumn = 0;
        // A new crawl text follows the end of the copy that has just passed.
        if (ctx.surface.PendingCrawl) {
            ctx.surface.Image3 = std::move(*ctx.surface.PendingCrawl);
            ctx.surface.PendingCrawl.reset();
        }
    }
    return s.ShowRunning;
}

// The crawl starts from the first column of its bitmap; reset on the main
// thread, which owns the column between steps.
TCrawler::TCrawler(ShowContext ctx) : EngineThread(&ctx.surface), ctx_(ctx) {
    ctx_.show.CrawlColumn = 0;
}

void TCrawler::CrawlStep() {
    endStep(crawlStep(ctx_), 100);
}

void TCrawler::Execute() {
    setPriority(enginePriority());
    runSteps([this] { CrawlStep(); }, [this] { pause(safeDelayMs(ctx_.board.CrawlDelay)); });
}
