#pragma once

// The media player of the slideshow (DPLAYER): the media device that plays
// movies in the image area of the play screen. It belongs to the play screen
// and lives as long as it, so a movie plays on to its end after its show has
// closed, and the device stays open between slides and between shows.

#include "platform/media.h"

#include <QImage>
#include <QObject>
#include <QRect>

#include <memory>

class TPlayScreen;
struct ShowState;

class TMoviePlayer : public QObject {
    Q_OBJECT
public:
    // Made a child of `screen`. Every picture of a movie is drawn into the
    // screen surface at the device's destination rectangle.
    explicit TMoviePlayer(TPlayScreen& screen);
    ~TMoviePlayer() override;

    platform::MediaDevice& device() { return *device_; }

    // The notice at the end of a play: once the movie has played to its end
    // (or has failed while playing) the player stops, the slideshow may go
    // on, and the movie is wound back to its start. A notice before the end
    // does nothing. The device stays open.
    void DPLAYERNotify(ShowState& show, platform::MediaDevice::PlayEnd end);

private:
    TPlayScreen& screen_;
    std::unique_ptr<platform::MediaDevice> device_;
};

// Puts a movie picture into the surface at `destination`, stretched when it
// is not of that size; what lies outside the surface is left out.
void drawFrame(QImage& surface, const QImage& frame, const QRect& destination);

// The play screen's media player, made on first use. Main thread only.
TMoviePlayer& DPLAYER(TPlayScreen& screen);
