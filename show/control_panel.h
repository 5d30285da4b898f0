#pragma once

// The live control panel: a small tool window over the play screen. Bringing
// it up stops the show; its bars write box sizes, border and delays straight
// into the board, and its closing buttons restart the show with them.

#include "show/show_startup.h"

#include <QWidget>

#include <optional>

class QAction;
class QGroupBox;
class QLabel;
class QMenuBar;
class QSlider;
class QToolBar;
class QToolButton;
class TPlayScreen;

class TAlignCntrlBox : public QWidget {
    Q_OBJECT
public:
    // The panel works on this show, played on `screen`. The program runs
    // FormCreate once it has wired the panel to its other windows, so that
    // a board reloaded there already reaches the panel's bars.
    TAlignCntrlBox(const ShowContext& ctx, TPlayScreen& screen, QWidget* parent = nullptr);

    // The menu bar stands above the client area.
    QMenuBar* MainMenu1 = nullptr;
    QAction* Color1 = nullptr;   // "&Color"
    QAction* ReFresh1 = nullptr; // "Re&Fresh"
    QAction* ClocK1 = nullptr;   // "Cloc&K"
    QAction* Exit1 = nullptr;    // "E&xit"

    // The client area, 172 x 401, holds every other control.
    QWidget* ClientArea = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButton1 = nullptr;  // play screen colour
    QToolButton* ToolButton3 = nullptr;  // refresh
    QToolButton* ToolButton4 = nullptr;  // clock, a check button
    QToolButton* ToolButton5 = nullptr;  // leave the show
    QToolButton* SpeedButton1 = nullptr; // "&Hide"

    QGroupBox* GroupBox1 = nullptr; // text box 1
    QGroupBox* GroupBox2 = nullptr; // text box 2
    QSlider* TrackBar1 = nullptr;   // box 2 height
    QSlider* TrackBar2 = nullptr;   // box 1 width
    QSlider* TrackBar3 = nullptr;   // border thickness
    QSlider* TrackBar4 = nullptr;   // box 1 height
    QSlider* TrackBar5 = nullptr;   // box 1 delay
    QSlider* TrackBar6 = nullptr;   // box 2 width
    QSlider* TrackBar7 = nullptr;   // box 2 delay
    QSlider* TrackBar8 = nullptr;   // crawl delay
    QLabel* Label1 = nullptr;       // box 1 height
    QLabel* Label2 = nullptr;       // box 2 height
    QLabel* Label3 = nullptr;       // border thickness
    QLabel* Label4 = nullptr;       // box 1 width
    QLabel* Label5 = nullptr;       // box 1 delay
    QLabel* Label6 = nullptr;       // box 2 width
    QLabel* Label10 = nullptr;      // box 2 delay, set when the panel comes up
    QLabel* Label11 = nullptr;      // crawl delay, set when the panel comes up
    QLabel* Label7 = nullptr;       // thread ids of the show just stopped:
    QLabel* Label8 = nullptr;       //   text box 1, text box 2
    QLabel* Label9 = nullptr;       //   and the crawl line

    void FormCreate();
    // Stops the show and loads the controls from the board.
    void FormShow();
    // The height bars may not go below the sizes of the title fonts.
    void SetLimits();
    // Puts the bars of box sizes, border and box 1 delay where a newly
    // loaded board has them, each within its own range; no change handler
    // runs, so the board keeps the loaded values.
    void setBarsFromBoard();
    // Makes the panel the active window, with the keyboard focus on the
    // panel itself; it runs each time the program shows the panel.
    void takeKeyboard();

    // The operator's changes of the bars.
    void TrackBar1Change();
    void TrackBar2Change();
    void TrackBar3Change();
    void TrackBar4Change();
    void TrackBar5Change();
    void TrackBar6Change();
    void TrackBar7Change();
    void TrackBar8Change();

    // The closing actions.
    void ToolButton1Click();  // play screen colour
    void ToolButton3Click();  // refresh
    void ToolButton4Click();  // clock, after the button has toggled
    void ToolButton5Click();  // leave the show
    void SpeedButton1Click(); // hide
    void Color1Click();
    void ReFresh1Click();
    void ClocK1Click();
    void Exit1Click();

signals:
    // The panel's creation offers to load the last board again.
    void lastBoardWanted();
    // The clock was switched here: the editor's button and menu check and
    // the board's ClockOn follow.
    void clockSwitched(bool on);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenu();
    void createToolBar();
    void createBars();
    void connectHandlers();

    // Hides the panel and starts the show again from the board.
    void restart();
    void chooseColour();
    void clock();
    void leaveShow();
    // A closing action does not start another while it runs (a restart
    // processes pending events, which may hold a second click).
    bool beginAction();

    // Positions and limits the panel sets itself; no change handler runs.
    static void setPositionQuietly(QSlider* bar, int position);
    static void setMinimumQuietly(QSlider* bar, int minimum);
    static void setMaximumQuietly(QSlider* bar, int maximum);

    ShowContext ctx_;
    TPlayScreen& screen_;
    bool acting_ = false;
};
