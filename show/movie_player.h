#pragma once

// The media player of the slideshow (DPLAYER): the media device that plays
// movies in the image area of the play screen. It belongs to the play screen
// and lives as long as it, so a movie plays on to its end after its show has
// closed, and the device stays open between slides and between shows.

#include "platform/media.h"

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>

class ShowSurface;
struct ShowState;

// How long a movie may play without ending before it is taken for failed: a
// broken file can open, show nothing and never end, and the slideshow holds
// as long as a movie plays. Tests shrink them.
struct MovieWatchLimits {
    // From the start of the play to its first picture, or to the first move
    // of its position for a movie that only sounds.
    int firstPictureMs = 5000;
    // How far past its own length a movie may go: this much, or this share
    // of the length when that is more.
    int overrunMs = 10000;
    int overrunPercent = 10;
    // A movie that gives no length.
    int noLengthMs = 60 * 60 * 1000;
    // How often the watch looks at the movie.
    int checkMs = 250;
};

// Why a movie that started `elapsedMs` ago counts as failed, or an empty text
// while it may still play. `shown`: a picture came or the position moved.
// Lengths and positions in milliseconds, 0 or less for none given.
QString movieOverdue(const MovieWatchLimits& limits, std::int64_t elapsedMs, bool shown,
                     std::int64_t position, std::int64_t length);

class TMoviePlayer : public QObject {
    Q_OBJECT
public:
    // Made a child of `screen`. Every picture of a movie is drawn into the
    // screen surface at the device's destination rectangle.
    explicit TMoviePlayer(ShowSurface& surface);
    ~TMoviePlayer() override;

    platform::MediaDevice& device() { return *device_; }

    // The notice at the end of a play: once the movie has played to its end
    // the player stops, the slideshow may go on, and the movie is wound back
    // to its start; the device stays open. A notice before the end does
    // nothing. A movie that fails while it plays is given up (see watch()).
    void DPLAYERNotify(ShowState& show, platform::MediaDevice::PlayEnd end);

    // Watches the movie `fileName` that has just started for `show`, in
    // place of any movie watched before. One that outlasts the limits is
    // given up: the device is closed, the media problem is reported while
    // the slideshow still holds (only to the log once its show has closed,
    // since nobody may be there), and then the slideshow goes on.
    void watch(ShowState& show, const QString& fileName);
    bool watching() const { return watched_ != nullptr; }
    void setWatchLimits(const MovieWatchLimits& limits) { limits_ = limits; }

private:
    void checkWatch();
    void stopWatch();
    void giveUp(ShowState& show, const QString& reason);

    ShowSurface& surface_;
    std::unique_ptr<platform::MediaDevice> device_;
    MovieWatchLimits limits_;
    QTimer watchTimer_;
    QElapsedTimer sinceStart_;
    ShowState* watched_ = nullptr;
    QString watchedFile_;
    std::int64_t startPosition_ = 0;
    bool shown_ = false;
};

// Puts a movie picture into the surface at `destination`, stretched when it
// is not of that size; what lies outside the surface is left out.
void drawFrame(QImage& surface, const QImage& frame, const QRect& destination);

// The play screen's media player, made on first use. Main thread only.
TMoviePlayer& DPLAYER(ShowSurface& surface);
