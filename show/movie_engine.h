#pragma once

// The timed slideshow: the entries of the image list follow one another in
// the image area, pictures drawn there and movies played there, one every
// few seconds, paced by a thread of the lowest priority.

#include "persistence/picture_reader.h"
#include "show/engine_thread.h"
#include "show/show_context.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// The start of the message that an unplayable movie brings up; the reason
// (the media service's own text) follows, and the movie's path on a line of
// its own.
inline constexpr const char* kMediaProblem = "Sorry, MCI problem : ";

// The whole message: kMediaProblem, `reason`, and the movie's path below.
QString mediaProblemText(const QString& reason, const QString& fileName);
// Shows that message in an error box, on the main thread.
void reportMediaProblem(const QString& reason, const QString& fileName);

// The entry shown after `index` in a list of `count` entries: the next one,
// the first after the last.
std::int32_t nextSlideIndex(std::int32_t index, std::int32_t count);

// A picture the slideshow thread read from its file for the next step, for
// the image area as it was then.
struct PreparedSlide {
    QString path;
    AreaPicture picture;
};

// The slideshow step, on the main thread. Holds while a movie plays;
// otherwise shows the next entry: a bitmap through the picture display (from
// `prepared` when that holds the same file read for the same image area), a
// movie through the play screen's media player. A movie the media service
// cannot open is reported and skipped.
void SlideStep(ShowContext& ctx, const PreparedSlide* prepared = nullptr);

// Starts a movie entry in the image area (NT platform family only).
void playMovie(ShowContext& ctx, const QString& fileName);

class TMovieBox : public EngineThread {
public:
    // Made on the main thread: the slideshow starts again at index 0, so the
    // second entry of the list comes first.
    explicit TMovieBox(ShowContext ctx);

    void SlideStep();

protected:
    void Execute() override;

private:
    // This thread (or its reader during a wait): reads the picture of the
    // entry the next step will show, within `budgetMs`.
    void prepareNext(int budgetMs);
    // Main thread, in a step: what the thread is to prepare next.
    void planNext();

    ShowContext ctx_;
    // A copy of the image list made on the main thread, for this thread;
    // renewed by every step, so a list changed while the show runs is
    // read from its next slide.
    QStringList entries_;
    // Written by steps, read by the thread between steps: the entry that
    // comes next, and where its picture will go.
    std::int32_t upcoming_ = 0;
    PicturePlacement placement_;
    // Written by the thread, read by the step it hands over.
    PreparedSlide prepared_;
};
