#pragma once

// The borderless window that covers the whole screen during a show. Every
// drawing of the show goes into the screen surface, an image the play screen
// owns; painting copies the surface to the window.

#include "board/board_state.h"
#include "show/picture_holder.h"
#include "show/play_widgets.h"
#include "show/scroll_band.h"
#include "show/show_state.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <vector>

class ShowHost;

class TPlayScreen : public QWidget {
    Q_OBJECT
public:
    explicit TPlayScreen(QWidget* parent = nullptr);
    ~TPlayScreen() override;

    // The board, the show record, the editor and the control panel this
    // screen plays for; set once at program start.
    void attach(BoardState* board, ShowState* show, ShowHost* host, QWidget* controlPanel);

    TitlePanel* Panel3 = nullptr;
    TitlePanel* Panel4 = nullptr;
    BevelFrame* Bevel3 = nullptr;
    BevelFrame* Bevel4 = nullptr;
    PictureHolder Image1; // line bitmap of text box 1
    PictureHolder Image2; // line bitmap of text box 2
    PictureHolder Image3; // crawl bitmap
    PictureHolder Image4; // current picture
    QTimer* Timer1 = nullptr;

    // The background is erased only while this is set, so that a repaint
    // does not wipe what the show has drawn.
    bool EraseAllowed = false;

    void setupplayscreen();
    void ClosePlayScreen();
    // Keeps the desktop's screen saver away until the show ends; a show
    // restarted over the visible screen keeps its first hold.
    void holdScreenOn();
    bool holdsScreenOn() const { return screenHeld_; }
    // True while changed parts reach the window at every display frame:
    // only while the screen is up, so an idle program does not wake.
    bool framesRunning() const { return frameTimer_->isActive(); }
    // The clock step: draws the date and time line, once a second.
    void Timer1Timer();
    // Brings up the live control panel, which stops the show.
    void showControlPanel();
    // Takes the keyboard at a show's start: the play screen's, or the control
    // panel's when the panel came up with the show.
    void takeKeyboard();

    // Paints the window copied and the pixels they copied since creation.
    long long paintCount() const { return paintCount_; }
    long long pixelsPainted() const { return pixelsPainted_; }
    // Hands the changed parts of the surface to the window now rather than
    // at the next display frame.
    void flushDirty();

    // The surface every show drawing goes into, and the way to say which
    // part of it changed. `surfaceFor` is for a caller that touches only
    // `part` of it: the moving strips elsewhere stay as they are.
    QImage& surface() { return surfaceFor(surface_.rect()); }
    QImage& surfaceFor(const QRect& part);
    // One step of a text box: copies row `srcRow` of `line` into `dest`, then
    // moves `scroll` (within `clip`) up by one pixel. One step of the crawl
    // line: column `srcCol` of `bitmap` into `dest`, then the strip left by
    // one pixel. Each marks the strip changed and returns the uncovered row
    // or column; the surface then reads as stretchRow or stretchColumn and
    // scrollSurface would have left it.
    Rect scrollUpStep(const QImage& line, int srcRow, const Rect& dest, const Rect& scroll,
                      const Rect& clip);
    Rect scrollLeftStep(const QImage& bitmap, int srcCol, const Rect& dest, const Rect& scroll,
                        const Rect& clip);
    void resizeSurface(int width, int height);
    void markDirty(const QRect& rect);
    // Asks for the background to be erased at the next paint; the erase
    // happens only when EraseAllowed is set at that moment.
    void requestErase();
    Colour backgroundColour() const { return background_; }

    // The screen the next show plays on. The surface and everything on it
    // are in that screen's own pixels, `pixelRatio()` of them to a pixel of
    // the desktop, so that the desktop's scale changes nothing in a show.
    void playOn(QScreen* target);
    QScreen* playingOn() const { return playingOn_; }
    qreal pixelRatio() const { return ratio_; }
    // The window's place on the desktop for a surface of `pixels`: over the
    // screen it plays on, from its top left corner.
    QRect windowGeometryFor(const QSize& pixels) const;
    // A screen taken away while the show plays on it ends the show, as Esc does.
    void screenRemoved(QScreen* gone);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void setBackground(Colour colour);
    void handlePress(QMouseEvent* event);
    void releaseScreen();
    void giveKeyboardToPanel();
    // One step of a text box (Up) or of the crawl line (Left): row or column
    // `index` of `src` into `dest`, then the strip moved by one pixel.
    Rect moveStep(ScrollBand::Direction direction, const QImage& src, int index, const Rect& dest,
                  const Rect& scroll, const Rect& clip);
    // The band that holds the moving strip `scroll` within `clip`, or none
    // when the step is to work on the surface itself (a strip too small, or
    // `dest` reaching outside it).
    ScrollBand* bandFor(const Rect& dest, const Rect& scroll, const Rect& clip,
                        ScrollBand::Direction direction);
    // Puts the pixels of every band that meets `part` back on the surface.
    void settleBands(const QRect& part);
    // Paints reach the window at most once per display frame of `target`.
    void setFramePace(const QScreen* target);
    // The same place in window coordinates and in the surface's pixels, each
    // covering the other.
    QRegion toWindow(const QRegion& pixels) const;
    QRegion toPixels(const QRegion& window) const;

    BoardState* board_ = nullptr;
    ShowState* show_ = nullptr;
    ShowHost* host_ = nullptr;
    QWidget* controlPanel_ = nullptr;

    QImage surface_;
    // The strips that move step by step, held apart from the surface until
    // someone reads or draws on it there; the window is painted from them.
    std::vector<ScrollBand> bands_;
    Colour background_ = 0;
    bool erasePending_ = false;
    bool closing_ = false;
    bool screenHeld_ = false;
    QRegion dirty_;
    QPointer<QScreen> playingOn_;
    qreal ratio_ = 1.0;
    QTimer* frameTimer_ = nullptr;
    long long paintCount_ = 0;
    long long pixelsPainted_ = 0;
};
