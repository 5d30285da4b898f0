#include "show/movie_player.h"

#include "show/play_screen.h"
#include "show/show_state.h"

#include <QCoreApplication>
#include <QPainter>
#include <QThread>

namespace {

const QString kPlayerName = QStringLiteral("DPLAYER");

} // namespace

TMoviePlayer::TMoviePlayer(TPlayScreen& screen)
    : QObject(&screen), screen_(screen), device_(platform::createMediaDevice()) {
    setObjectName(kPlayerName);
    device_->setFrameHandler([this](const QImage& frame, const QRect& destination) {
        QImage& surface = screen_.surface();
        QPainter painter(&surface);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (frame.size() == destination.size()) {
            painter.drawImage(destination.topLeft(), frame);
        } else {
            painter.drawImage(destination, frame);
        }
        painter.end();
        screen_.markDirty(destination.intersected(surface.rect()));
    });
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
