#pragma once

// The borderless window that covers the whole screen during a show. Every
// drawing of the show goes into its show surface; painting copies the
// surface to the window, at most once per display frame. The window takes
// the keyboard and the mouse, and says when the show ends.

#include "board/board_state.h"
#include "board/screen_identity.h"
#include "show/play_widgets.h"
#include "show/show_state.h"
#include "show/show_surface.h"

#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWidget>

class TPlayScreen : public QWidget {
    Q_OBJECT
public:
    explicit TPlayScreen(QWidget* parent = nullptr);
    ~TPlayScreen() override;

    // The board, the show record and the control panel this screen plays
    // for; set once at program start.
    void attach(BoardState* board, ShowState* show, QWidget* controlPanel);

    ShowSurface& surface() { return *surface_; }
    const ShowSurface& surface() const { return *surface_; }

    TitlePanel* Panel3 = nullptr;
    TitlePanel* Panel4 = nullptr;
    BevelFrame* Bevel3 = nullptr;
    BevelFrame* Bevel4 = nullptr;
    QTimer* Timer1 = nullptr;

    void setupplayscreen();
    // Ends the show: its threads stop, the window and the control panel go,
    // and showEnded is sent.
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

    // The screen the next show plays on. The surface and everything on it
    // are in that screen's own pixels, `pixelRatio()` of them to a pixel of
    // the desktop, so that the desktop's scale changes nothing in a show.
    void playOn(QScreen* target);
    QScreen* playingOn() const { return surface_->screen(); }
    qreal pixelRatio() const { return surface_->pixelRatio(); }
    // The window's place on the desktop for a surface of `pixels`: over the
    // screen it plays on, from its top left corner.
    QRect windowGeometryFor(const QSize& pixels) const;
    // A screen taken away while the show plays on it ends the show, as Esc
    // does; in a show nobody attends, the show waits for it instead.
    void screenRemoved(QScreen* gone);
    // A show nobody attends (started with --play) comes back: taken away,
    // its screen is waited for, and the chosen screen, once connected, takes
    // a show that had to play elsewhere.
    void setUnattended(bool on) { unattended_ = on; }
    bool unattended() const { return unattended_; }
    // Whether the show plays on the primary screen for want of the chosen one.
    void setFellBack(bool fellBack) { fellBack_ = fellBack; }
    bool waitingForScreen() const { return waiting_; }

signals:
    // At the start of a show, in this order: what the operator should know
    // about the screen it plays on (the chosen one missing, say; empty when
    // all is as chosen), the widths the editor's text boxes take while it
    // runs, and the moment the editor leaves the screen to the show.
    void playScreenNoted(const QString& note);
    void boxWidthsChosen(int box1Width, int box2Width);
    void showStarting();
    // The show has ended and its threads are gone; the editor comes back.
    void showEnded();
    // An unattended show stopped because its screen `name` went away, and
    // waits for it; then the screen `name` is there to play on: the show is
    // to start again.
    void screenWaited(const QString& name);
    void screenReturned(const QString& name);

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
    void screenAdded();
    void waitForScreen(QScreen* gone);
    void giveKeyboardToPanel();
    // Makes the control panel a transient window of the play screen.
    void belongPanelToScreen();
    // Paints reach the window at most once per display frame of `target`.
    void setFramePace(const QScreen* target);
    // The same place in window coordinates and in the surface's pixels, each
    // covering the other.
    QRegion toWindow(const QRegion& pixels) const;
    QRegion toPixels(const QRegion& window) const;

    BoardState* board_ = nullptr;
    ShowState* show_ = nullptr;
    QWidget* controlPanel_ = nullptr;
    ShowSurface* surface_ = nullptr;

    bool closing_ = false;
    bool unattended_ = false;
    bool fellBack_ = false;
    bool waiting_ = false;
    ScreenIdentity waitingFor_;
    bool screenHeld_ = false;
    QTimer* frameTimer_ = nullptr;
    long long paintCount_ = 0;
    long long pixelsPainted_ = 0;
};
