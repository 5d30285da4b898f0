#include "show/movie_player.h"

#include "show/play_screen.h"
#include "show/show_state.h"

#include <QCoreApplication>
#include <QPainter>
#include <QThread>

#include <cstring>

namespace {

const QString kPlayerName = QStringLiteral("DPLAYER");

} // namespace

TMoviePlayer::TMoviePlayer(TPlayScreen& screen)
    : QObject(&screen), screen_(screen), device_(platform::createMediaDevice()) {
    setObjectName(kPlayerName);
    device_->setFrameHandler([this](const QImage& frame, const QRect& destination) {
        // A frame covers its own place only: the moving strips stay put.
        QImage& surface = screen_.surfaceFor(destination);
        drawFrame(surface, frame, destination);
        screen_.markDirty(destination.intersected(surface.rect()));
    });
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
    // The device goes before the screen whose surface its pictures go into.
    device_.reset();
}

void TMoviePlayer::DPLAYERNotify(ShowState& show, platform::MediaDevice::PlayEnd end) {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    // A movie that fails while it plays is over as well: left waiting, the
    // slideshow would never go on.
    const bool over =
        end == platform::MediaDevice::PlayEnd::Failed || device_->position() >= device_->length();
    if (!over) {
        return;
    }
    device_->stop();
    show.MoviePlaying = false;
    device_->seekToStart();
}

TMoviePlayer& DPLAYER(TPlayScreen& screen) {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    if (auto* player = screen.findChild<TMoviePlayer*>(kPlayerName, Qt::FindDirectChildrenOnly)) {
        return *player;
    }
    return *new TMoviePlayer(screen);
}
