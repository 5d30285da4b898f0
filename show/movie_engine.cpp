#include "show/movie_engine.h"

#include "persistence/file_guard.h"
#include "platform/dialogs.h"
#include "platform/system_info.h"
#include "platform/win_ver.h"
#include "show/movie_player.h"
#include "show/picture_display.h"
#include "show/safe_bounds.h"
#include "show/show_host.h"
#include "show/show_layout.h"
#include "show/show_rules.h"
#include "show/show_surface.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <thread>

namespace {

// Why `path` is not handed to the media service, or nothing when it may be:
// only a regular file is, never a FIFO or a device that would hold the
// player, and with it the whole program, waiting on the open.
QString movieFileProblem(const QString& path) {
    switch (openGuarded(path).failure) {
    case GuardedFile::Failure::None:
        return QString();
    case GuardedFile::Failure::Missing:
        return QStringLiteral("The file does not exist.");
    case GuardedFile::Failure::NotAFile:
        return QStringLiteral("It is not a regular file.");
    case GuardedFile::Failure::Unreadable:
        break;
    }
    return QStringLiteral("The file cannot be read.");
}

} // namespace

QString mediaProblemText(const QString& reason, const QString& fileName) {
    return QString::fromLatin1(kMediaProblem) + reason + QLatin1Char('\n') + fileName;
}

void reportMediaProblem(const QString& reason, const QString& fileName) {
    platform::dialogs().message(platform::MessageKind::Error, mediaProblemText(reason, fileName),
                                platform::Button::OK);
}

std::int32_t nextSlideIndex(std::int32_t index, std::int32_t count) {
    if (index + 1 > count - 1 || index + 1 < 0) {
        return 0;
    }
    return index + 1;
}

void SlideStep(ShowContext& ctx, const PreparedSlide* prepared) {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    ShowState& s = ctx.show;
    // The slideshow holds while a movie plays.
    if (s.MoviePlaying) {
        return;
    }
    const auto count = static_cast<std::int32_t>(s.ImageEntries.size());
    if (count == 0) {
        return;
    }
    s.SlideIndex = nextSlideIndex(s.SlideIndex, count);
    // A copy: the entry is a path, kept whole however long it is.
    const QString entry = s.ImageEntries.at(s.SlideIndex);
    if (isBitmapEntry(entry)) {
        if (prepared && prepared->path == entry &&
            prepared->picture.placement == placementOf(ctx)) {
            drawPicture(ctx, prepared->picture);
        } else {
            PlayBitMap(ctx, entry);
        }
        return;
    }
    playMovie(ctx, entry);
}

void playMovie(ShowContext& ctx, const QString& fileName) {
    // Elsewhere a movie's turn passes with the image area as it was.
    if (!isNtFamily(platform::systemInfo())) {
        return;
    }
    ShowState& s = ctx.show;
    if (s.MoviePlaying) {
        return;
    }
    computeImageAreaFor(ctx);
    const QRect area(s.ImageAreaLeft, s.ImageAreaTop, s.ImageAreaWidth, s.ImageAreaHeight);
    TMoviePlayer& player = DPLAYER(ctx.surface);
    platform::MediaDevice& device = player.device();
    s.MoviePlaying = true;
    const QString refused = movieFileProblem(fileName);
    if (!refused.isEmpty() || !device.open(fileName)) {
        // The device is closed before the message comes up, and the
        // slideshow stays held while it is up: the message runs an event
        // loop in which other steps, and even a new show, go on.
        const QString reason = refused.isEmpty() ? device.lastError() : refused;
        device.close();
        reportMediaProblem(reason, fileName);
        // One unplayable file must not hold the slideshow for good.
        s.MoviePlaying = false;
        return;
    }
    device.setDestination(area);
    // A movie that neither ends nor fails must not hold the slideshow for
    // good. Watched before the play begins: a notice given at once ends the
    // watch with the play.
    player.watch(s, fileName);
    ShowState* show = &s;
    device.play(
        [&player, show](platform::MediaDevice::PlayEnd end) { player.DPLAYERNotify(*show, end); });
}

TMovieBox::TMovieBox(ShowContext ctx)
    : EngineThread(&ctx.surface), ctx_(ctx), entries_(ctx.show.ImageEntries) {
    // Here, on the main thread, before this thread reads its first picture.
    applyPictureDecodeLimit();
    ctx_.show.SlideIndex = 0;
    planNext();
}

void TMovieBox::SlideStep() {
    ::SlideStep(ctx_, &prepared_);
    prepared_ = PreparedSlide{};
    planNext();
}

void TMovieBox::planNext() {
    entries_ = ctx_.show.ImageEntries;
    const auto count = static_cast<std::int32_t>(ctx_.show.ImageEntries.size());
    upcoming_ = count > 0 ? nextSlideIndex(ctx_.show.SlideIndex, count) : -1;
    placement_ = placementOf(ctx_);
}

void TMovieBox::prepareNext(int budgetMs) {
    prepared_ = PreparedSlide{};
    if (upcoming_ < 0 || upcoming_ >= entries_.size()) {
        return;
    }
    const QString& path = entries_.at(upcoming_);
    if (!isBitmapEntry(path)) {
        return;
    }
    // Read afresh for every showing: a picture replaced on disk shows its
    // new content the next time round. The end of the show (cleared before
    // the threads are asked to stop) or a stop calls the reading off: the
    // show never waits for a picture it will not show.
    prepared_.path = path;
    prepared_.picture = readPictureForArea(
        path, placement_, [this] { return stopRequested() || !ctx_.show.ShowRunning.load(); },
        budgetMs);
}

void TMovieBox::Execute() {
    setPriority(Priority::Lowest);
    prepareNext(kPictureReadBudgetMs);
    runSteps([this] { SlideStep(); },
             [this] {
                 // A list of one entry is shown once; the wait is still taken.
                 if (ctx_.show.ImageCount.load() == 1) {
                     markTerminated();
                 }
                 const int playMs = safeSlideSeconds(ctx_.show.PlayTime.load()) * 1000;
                 // The next picture is read while this one stands, by a reader
                 // of this thread's priority that has at most the slide's time
                 // (at least the reading budget): a slow picture is skipped
                 // rather than holding the slide. A stop calls the reading off.
                 std::thread reader;
                 if (!terminated()) {
                     reader = std::thread(
                         [this, playMs] { prepareNext(std::max(playMs, kPictureReadBudgetMs)); });
                 }
                 const bool waited = pause(playMs);
                 if (reader.joinable()) {
                     reader.join();
                 }
                 // A picture replaced on disk during the wait shows its new
                 // content: it is read again.
                 if (waited && !terminated() && !prepared_.path.isEmpty() &&
                     !stillCurrent(prepared_.picture, prepared_.path)) {
                     prepareNext(kPictureReadBudgetMs);
                 }
             });
}
