#include "show/movie_player.h"

#include "show/logging.h"
#include "show/movie_engine.h"
#include "show/show_state.h"
#include "show/show_surface.h"

#include <QCoreApplication>
#include <QPainter>
#include <QThread>

#include <algorithm>
#include <cstring>

namespace {

const QString kPlayerName = QStringLiteral("DPLAYER");

// A span of time as the operator reads it: "5 s", "0.3 s", "60 min".
QString spoken(std::int64_t ms) {
    if (ms >= 120000 && ms % 60000 == 0) {
        return QStringLiteral("%1 min").arg(ms / 60000);
    }
    if (ms % 1000 == 0) {
        return QStringLiteral("%1 s").arg(ms / 1000);
    }
    return QStringLiteral("%1 s").arg(static_cast<double>(ms) / 1000.0, 0, 'f', 1);
}

} // namespace

QString movieOverdue(const MovieWatchLimits& limits, std::int64_t elapsedMs, bool shown,
                     std::int64_t position, std::int64_t length) {
    if (!shown && elapsedMs >= limits.firstPictureMs) {
        return QStringLiteral("Nothing of the movie showed within %1 of its start.")
            .arg(spoken(limits.firstPictureMs));
    }
    if (length > 0) {
        // A length given too short is no fault while the position still
        // moves on past it.
        const std::int64_t grace =
            std::max<std::int64_t>(limits.overrunMs, length * limits.overrunPercent / 100);
        const std::int64_t allowed = std::max(length, position) + grace;
        if (elapsedMs >= allowed) {
            return QStringLiteral("The movie did not end within %1 of its start; it lasts %2.")
                .arg(spoken(allowed), spoken(length));
        }
        return QString();
    }
    if (elapsedMs >= limits.noLengthMs) {
        return QStringLiteral("The movie gives no length and did not end within %1.")
            .arg(spoken(limits.noLengthMs));
    }
    return QString();
}

TMoviePlayer::TMoviePlayer(ShowSurface& surface)
    : QObject(&surface), surface_(surface), device_(platform::createMediaDevice()) {
    setObjectName(kPlayerName);
    device_->setFrameHandler([this](const QImage& frame, const QRect& destination) {
        // A frame covers its own place only: the moving strips stay put.
        QImage& surface = surface_.imageFor(destination);
        drawFrame(surface, frame, destination);
        surface_.markDirty(destination.intersected(surface.rect()));
        shown_ = true;
    });
    connect(&watchTimer_, &QTimer::timeout, this, &TMoviePlayer::checkWatch);
}

void drawFrame(QImage& surface, const QImage& frame, const QRect& destination) {
    const bool sameLayout = frame.size() == destination.size() &&
                            frame.format() == surface.format() &&
                            surface.format() == QImage::Format_RGB32;
    if (sameLayout && surface.rect().contains(destination)) {
        // The picture is already the size of its place: a copy row by row.
        const qsizetype bytes = qsizetype(destination.width()) * 4;
        for (int y = 0; y < destination.height(); ++y) {
            std::memcpy(surface.scanLine(destination.top() + y) + destination.left() * 4,
                        frame.constScanLine(y), static_cast<size_t>(bytes));
        }
        return;
    }
    QPainter painter(&surface);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(destination, frame);
}

TMoviePlayer::~TMoviePlayer() {
    // The device goes before the surface its pictures go into.
    device_.reset();
}

void TMoviePlayer::DPLAYERNotify(ShowState& show, platform::MediaDevice::PlayEnd end) {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    // A movie that fails while it plays is over as well: left waiting, the
    // slideshow would never go on.
    if (end == platform::MediaDevice::PlayEnd::Failed) {
        const QString reason = device_->lastError();
        giveUp(show,
               reason.isEmpty() ? QStringLiteral("The movie failed while it played.") : reason);
        return;
    }
    if (device_->position() < device_->length()) {
        return;
    }
    stopWatch();
    device_->stop();
    show.MoviePlaying = false;
    device_->seekToStart();
}

void TMoviePlayer::watch(ShowState& show, const QString& fileName) {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    watched_ = &show;
    watchedFile_ = fileName;
    startPosition_ = device_->position();
    shown_ = false;
    sinceStart_.start();
    watchTimer_.start(std::max(1, limits_.checkMs));
}

void TMoviePlayer::stopWatch() {
    watchTimer_.stop();
    watched_ = nullptr;
}

void TMoviePlayer::checkWatch() {
    if (!watched_) {
        stopWatch();
        return;
    }
    const std::int64_t position = device_->position();
    shown_ = shown_ || position > startPosition_;
    const QString reason =
        movieOverdue(limits_, sinceStart_.elapsed(), shown_, position, device_->length());
    if (!reason.isEmpty()) {
        giveUp(*watched_, reason);
    }
}

void TMoviePlayer::giveUp(ShowState& show, const QString& reason) {
    const QString fileName = watchedFile_;
    stopWatch();
    // Closed first: a notice still on its way is dropped with the device,
    // and the message's event loop finds nothing of the movie left.
    device_->close();
    // A frozen show keeps its screen up with the operator at the panel; a
    // closed one has nobody to answer, so its log alone keeps the problem.
    const bool seen = show.ShowRunning.load() || surface_.onScreen();
    if (seen) {
        // The player (and its screen) may go while the message is up; the
        // show record lives on beside the editor.
        reportMediaProblem(reason, fileName);
    } else {
        qCWarning(lcShow).noquote() << mediaProblemText(reason, fileName);
    }
    show.MoviePlaying = false;
}

TMoviePlayer& DPLAYER(ShowSurface& surface) {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    if (auto* player = surface.findChild<TMoviePlayer*>(kPlayerName, Qt::FindDirectChildrenOnly)) {
        return *player;
    }
    return *new TMoviePlayer(surface);
}
