#pragma once

// The picture of a show, without a window: every drawing of the show goes
// into this image, in the pixels of the screen the show plays on. It holds
// the moving strips of the text boxes and the crawl line apart from the
// image while they move, remembers which parts changed since the window was
// last given them, and draws the clock line. The play screen paints from it;
// a test or a benchmark can run a show into it with no window at all.

#include "board/board_state.h"
#include "show/picture_holder.h"
#include "show/scroll_band.h"
#include "show/show_state.h"

#include <QDateTime>
#include <QImage>
#include <QObject>

#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <optional>

#include <vector>

class QPainter;

class ShowSurface : public QObject {
    Q_OBJECT
public:
    explicit ShowSurface(QObject* parent = nullptr);
    ~ShowSurface() override;

    PictureHolder Image1; // line bitmap of text box 1
    PictureHolder Image2; // line bitmap of text box 2
    PictureHolder Image3; // crawl bitmap
    // A crawl bitmap drawn for a new crawl text, taken once the copy now
    // crawling has passed.
    std::optional<PictureHolder> PendingCrawl;
    PictureHolder Image4; // current picture

    // The background is erased only while this is set, so that a repaint
    // does not wipe what the show has drawn.
    bool EraseAllowed = false;

    // The image every show drawing goes into, and the way to say which part
    // of it changed. `imageFor` is for a caller that touches only `part` of
    // it: the moving strips elsewhere stay as they are.
    QImage& image() { return imageFor(image_.rect()); }
    QImage& imageFor(const QRect& part);
    QSize size() const { return image_.size(); }
    // A new size clears the image to the background; 0 or less is ignored.
    void resize(int width, int height);
    void markDirty(const QRect& rect);

    // One step of a text box: copies row `srcRow` of `line` into `dest`, then
    // moves `scroll` (within `clip`) up by one pixel. One step of the crawl
    // line: column `srcCol` of `bitmap` into `dest`, then the strip left by
    // one pixel. Each marks the strip changed and returns the uncovered row
    // or column; the image then reads as stretchRow or stretchColumn and
    // scrollSurface would have left it.
    Rect scrollUpStep(const QImage& line, int srcRow, const Rect& dest, const Rect& scroll,
                      const Rect& clip);
    Rect scrollLeftStep(const QImage& bitmap, int srcCol, const Rect& dest, const Rect& scroll,
                        const Rect& clip);

    Colour backgroundColour() const { return background_; }
    void setBackground(Colour colour);
    // Asks for the background to be erased at the next paint; the erase
    // happens only when EraseAllowed is set at that moment (and at once
    // when it is set now).
    void requestErase();

    // The clock line of `board` at `now`, in the clock's own band above the
    // crawl strip of `show`.
    void drawClock(const BoardState& board, const ShowState& show, const QDateTime& now);

    // The screen the show plays on, and how many of its pixels make one
    // pixel of the desktop: the image is in that screen's own pixels.
    void setScreen(QScreen* target);
    QScreen* screen() const { return screen_; }
    qreal pixelRatio() const { return ratio_; }
    // Whether a window shows the image now.
    bool onScreen() const { return onScreen_; }
    void setOnScreen(bool shown) { onScreen_ = shown; }

    // The part of the image the window must be given now, in its pixels;
    // the changes are then taken as given.
    QRegion takeDirty();
    // Paints `need` (in the image's pixels) of the image with `painter`, the
    // moving strips straight from where they are held; runs an erase that
    // is asked for first. Returns the pixels painted.
    long long paint(QPainter& painter, const QRegion& need);

signals:
    // Everything shown must be painted again (a new size, an erase).
    void repaintNeeded();

private:
    // One step of a text box (Up) or of the crawl line (Left): row or column
    // `index` of `src` into `dest`, then the strip moved by one pixel.
    Rect moveStep(ScrollBand::Direction direction, const QImage& src, int index, const Rect& dest,
                  const Rect& scroll, const Rect& clip);
    // The band that holds the moving strip `scroll` within `clip`, or none
    // when the step is to work on the image itself (a strip too small, or
    // `dest` reaching outside it).
    ScrollBand* bandFor(const Rect& dest, const Rect& scroll, const Rect& clip,
                        ScrollBand::Direction direction);
    // Puts the pixels of every band that meets `part` back on the image.
    void settleBands(const QRect& part);
    void erase();

    QImage image_;
    // The strips that move step by step, held apart from the image until
    // someone reads or draws on it there; the window is painted from them.
    std::vector<ScrollBand> bands_;
    Colour background_ = 0;
    bool erasePending_ = false;
    bool onScreen_ = false;
    QRegion dirty_;
    QPointer<QScreen> screen_;
    qreal ratio_ = 1.0;
};

// `r` scaled by `factor` and widened to whole pixels, so that it covers the
// same place: from the screen's own pixels to the desktop's, or back.
QRect coverScaled(const QRect& r, qreal factor);
// The same for every rectangle of `region`.
QRegion scaledCover(const QRegion& region, qreal factor);
