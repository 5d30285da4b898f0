#include "show/live_show.h"

#include "show/engine_thread.h"
#include "show/logging.h"
#include "show/movie_engine.h"
#include "show/picture_holder.h"
#include "show/play_screen.h"
#include "show/play_widgets.h"
#include "show/safe_bounds.h"
#include "show/show_rules.h"
#include "show/show_startup.h"
#include "show/show_surface.h"

#include <QFutureWatcher>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <memory>

namespace {

// Draws the crawl bitmap of a new crawl text on a worker thread; the bitmap
// waits on the surface until the crawl has passed its current copy. A text
// asked for later, or a restart, makes an older drawing stale.
void drawCrawlLater(ShowContext& ctx, const QString& text) {
    ShowState* show = &ctx.show;
    ShowSurface* surface = &ctx.surface;
    const std::uint64_t generation = ++show->CrawlGeneration;
    const BoardState& b = ctx.board;
    auto* watcher = new QFutureWatcher<PictureHolder>(surface);
    QObject::connect(watcher, &QFutureWatcher<PictureHolder>::finished, surface,
                     [watcher, surface, show, generation] {
                         if (show->CrawlGeneration == generation && show->ShowRunning) {
                             surface->PendingCrawl = watcher->result();
                         }
                         watcher->deleteLater();
                     });
    watcher->setFuture(QtConcurrent::run([text, face = b.CrawlFontName, points = b.CrawlFontSize,
                                          color = b.CrawlColor, back = b.CrawlBackColor] {
        PictureHolder holder;
        renderCrawlBitmap(holder, text, face, points, color, back);
        return holder;
    }));
}

// The show starts again with its texts and the board as it stands, as the
// control panel's Refresh starts it.
void restart(ShowContext& ctx, TPlayScreen& screen) {
    stopShow(ctx.show);
    RestartTheShow(ctx, screen);
}

void startSlideshowIfIdle(ShowContext& ctx) {
    const EngineThread* running = MovieThreadHandle.thread();
    if (ctx.show.MarkerMode || ctx.show.ImageEntries.isEmpty() ||
        (running && !running->terminated())) {
        return;
    }
    MovieThreadHandle.start(std::make_unique<TMovieBox>(ctx));
}

} // namespace

LiveOutcome takeLiveChange(ShowContext& ctx, TPlayScreen& screen, const ShowTexts& texts) {
    ShowState& show = ctx.show;
    if (!screen.isVisible() && !screen.waitingForScreen()) {
        return LiveOutcome::NoShow;
    }
    const ElementFlags flags = elementFlagsFor(texts);
    if (flags == ElementFlags{} && !ctx.board.ClockOn) {
        return LiveOutcome::NothingToPlay;
    }
    if (show.Starting) {
        // The change arrived while the show is being laid out: it is taken
        // once the show runs.
        QTimer::singleShot(0, &ctx.surface,
                           [ctx, &screen, texts]() mutable { takeLiveChange(ctx, screen, texts); });
        return LiveOutcome::AtResume;
    }
    if (!show.ShowRunning) {
        // Frozen or waiting for its screen: the show's next start plays these.
        show.Texts = texts;
        setElementFlags(show, flags);
        return LiveOutcome::AtResume;
    }
    if (!sameShowSettings(ctx.board, show.PlayedBoard) || flags != elementFlagsOf(show) ||
        markerModeFor(texts, flags.Box1On) != show.MarkerMode) {
        show.Texts = texts;
        setElementFlags(show, flags);
        restart(ctx, screen);
        return LiveOutcome::Restarted;
    }
    if (texts == show.Texts) {
        return LiveOutcome::Unchanged;
    }
    const ShowTexts old = std::exchange(show.Texts, texts);
    if (texts.MainTitle != old.MainTitle) {
        screen.Panel3->setCaption(safeLineText(texts.MainTitle));
    }
    if (texts.SecondTitle != old.SecondTitle) {
        screen.Panel4->setCaption(safeLineText(texts.SecondTitle));
    }
    if (texts.Text1Lines != old.Text1Lines) {
        show.PendingText1Lines = texts.Text1Lines;
    }
    if (texts.Text2Lines != old.Text2Lines) {
        show.PendingText2Lines = texts.Text2Lines;
    }
    if (texts.CrawlLine != old.CrawlLine) {
        drawCrawlLater(ctx, texts.CrawlLine);
    }
    if (texts.ImageList != old.ImageList) {
        // The next slide is the first entry of the new list.
        show.ImageEntries = texts.ImageList;
        show.ImageCount = static_cast<std::int32_t>(texts.ImageList.size());
        show.SlideIndex = -1;
        startSlideshowIfIdle(ctx);
    }
    show.PlayTime = texts.PlayTime;
    qCDebug(lcShow) << "live change taken at the safe points";
    return LiveOutcome::AtSafePoints;
}

QString liveOutcomeText(LiveOutcome outcome) {
    switch (outcome) {
    case LiveOutcome::NoShow:
        return QStringLiteral("No show is playing.");
    case LiveOutcome::NothingToPlay:
        return QStringLiteral("The change leaves nothing to play: the show plays on as it was.");
    case LiveOutcome::Unchanged:
        return QStringLiteral("The show already plays this.");
    case LiveOutcome::AtSafePoints:
        return QStringLiteral("The show takes the change.");
    case LiveOutcome::Restarted:
        return QStringLiteral("The show started again with the change.");
    case LiveOutcome::AtResume:
        return QStringLiteral("The show takes the change when it goes on.");
    }
    return {};
}
