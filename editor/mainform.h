#pragma once

// The editor window: its menus and tool bars, the factory defaults, the
// layout on resize and the board-level switches, put together with its
// panels (the title fields, two text object boxes, the crawl fields and the
// image list panel). It owns the board record and, beside it, the show
// record; its board document keeps the board's file and change flag.

#include "board/board_state.h"
#include "editor/popup_rules.h"
#include "live/live_board.h"
#include "platform/dialogs.h"
#include "show/live_show.h"
#include "show/show_host.h"
#include "show/show_state.h"

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <optional>

class BoardDocument;
struct BoardFileFields;
class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QSlider;
class QStatusBar;
class QToolBar;
class QToolButton;
class QFrame;
class ImageListPanel;
class TextObjectBox;
class TitleFields;
class CrawlFields;
class TPlayScreen;
class TAlignCntrlBox;
class TDFontForm;
class LiveFollow;

class Tmainform : public QMainWindow, public ShowHost {
    Q_OBJECT
public:
    explicit Tmainform(QWidget* parent = nullptr);
    ~Tmainform() override;

    // The other windows of the program, created after this one.
    void attachWindows(TPlayScreen* playScreen, TDFontForm* fontForm, TAlignCntrlBox* controlPanel);

    BoardState board;
    ShowState showState;
    // The board's file and whether it has changed since it was loaded or saved.
    BoardDocument* document() const { return document_; }

    // The editor is made of panels; the historic names below are the parts
    // of them that the commands work on.
    TitleFields* titleFields() const { return titleFields_; }
    TextObjectBox* textObjectBox(const QPlainTextEdit* memo) const;
    CrawlFields* crawlFields() const { return crawlFields_; }
    ImageListPanel* imageListPanel() const { return imagePanel_; }

    // Element boxes and their captions.
    QLabel* StaticText1 = nullptr; // "Main Title"
    QLineEdit* edit1 = nullptr;
    QLabel* StaticText5 = nullptr; // "Second Title"
    QLineEdit* edit2 = nullptr;
    QLabel* StaticText2 = nullptr; // "Text Object 1"
    QPlainTextEdit* Memo1 = nullptr;
    QLabel* label5 = nullptr;
    QLabel* StaticText3 = nullptr; // "Text Object 2"
    QPlainTextEdit* Memo2 = nullptr;
    QLabel* label6 = nullptr;
    QLabel* StaticText4 = nullptr; // "Crawl Line"
    QLineEdit* Edit3 = nullptr;
    QLabel* StaticText7 = nullptr; // "Time - Date"
    QLineEdit* Edit4 = nullptr;

    // The image control panel.
    QFrame* Panel1 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    QToolButton* ToolButton9 = nullptr;
    QToolButton* ToolButton10 = nullptr;
    QToolButton* ToolButton12 = nullptr;
    QToolButton* stretchbutton = nullptr;
    QToolButton* ToolButton2 = nullptr;
    QSlider* PlayTime = nullptr;
    QLabel* StaticText6 = nullptr; // "Image Control"
    QLabel* Label3 = nullptr;      // "Play Time (sec)"
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* ListBox1 = nullptr;

    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel = nullptr; // the status bar's one simple panel

    // Main menu.
    QMenu* File1 = nullptr;
    QAction* OpenSettingsFile1 = nullptr;
    QAction* SaveSettingsFile1 = nullptr;
    QAction* PrinterSetup1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* Quit1 = nullptr;
    QMenu* Configuration1 = nullptr;
    QAction* UsefactoryDefaultConfiguration1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* SetBackgroundColor2 = nullptr;
    QAction* ToggleClockOn = nullptr;
    QAction* PagePause = nullptr;
    QAction* ImageStretch = nullptr;
    QAction* Sync = nullptr;      // its check is the retrace switch the picture display reads
    QMenu* PlayScreen1 = nullptr; // "Play Screen": the screen shows play on
    // "Crawl Source…": where a playing show's crawl line takes its items from.
    QAction* CrawlSource1 = nullptr;
    // "Remote Control…": its dialog belongs to remote control, which
    // connects to the item.
    QAction* RemoteControl1 = nullptr;
    QAction* Mode1 = nullptr;
    QMenu* Window1 = nullptr;
    QAction* ImageControl1 = nullptr;
    QMenu* Help2 = nullptr;
    QAction* Help1 = nullptr;
    QAction* About2 = nullptr;
    QAction* Exit2 = nullptr;

    // Main tool bar.
    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButton1 = nullptr;
    QToolButton* SaveConfig = nullptr;
    QToolButton* ToolButton3 = nullptr;
    QToolButton* ToolButton6 = nullptr;
    QToolButton* ToolButton5 = nullptr;
    QToolButton* ToolButton7 = nullptr;
    QToolButton* ToolButton8 = nullptr;

    // The editor's dialogs: each command sets what it needs right before it
    // opens one, and some settings carry over from one command to the next.
    platform::FileDialogSettings OpenDialog1;
    platform::FileDialogSettings SaveDialog1;
    platform::FileDialogSettings OpenPictureDialog1;
    platform::ColorDialogSettings ColorDialog1;

    // Start-up and layout.
    void FormCreate();
    void SETDEFAULTS();
    void FormShow();
    void FormResize();
    void WinVerString(std::uint8_t Index, QString& Result) const;
    // Sizes the window so that its outer size, frame included, is width x height.
    void setOuterSize(int width, int height);

    // Board-level switches. A switch with a tool button twin is one
    // checkable action that the menu item and the button share.
    void ToggleClockOnClick();
    void PagePauseClick();
    void SetBackgroundColor2Click();

    // The screen shows play on: chosen in the "Play Screen" menu, kept in
    // the settings file, read again at start.
    void fillPlayScreenMenu();
    void choosePlayScreen(const QString& name);
    void readPlayScreenChoice();
    void reportPlayScreen(const QString& note);
    // Asks where a playing show's crawl line takes its items from.
    void CrawlSource1Click();

    // The context menu of the six element boxes; its commands act on the box
    // it was opened on (the target box).
    QMenu* PopupMenu1 = nullptr;
    QAction* New2 = nullptr;
    QAction* ReadInTextFile1 = nullptr;
    QAction* SaveCurrentText1 = nullptr;
    QAction* FontTypeSize1 = nullptr;
    QAction* SetBackgroundColor1 = nullptr;
    QAction* setfontcolor1 = nullptr;
    QAction* AutoCenter1 = nullptr;
    QAction* AutoSize1 = nullptr;
    void setPopupTarget(QWidget* box) { popupTarget_ = box; }
    QWidget* popupTarget() const { return popupTarget_; }
    // The element whose editor box this is, if it is one of the six.
    std::optional<BoardElement> elementOf(const QWidget* box) const;
    void openPopupMenu1(QWidget* box, const QPoint& globalPos);
    void PopupMenu1Popup();
    void New2Click();
    void ReadInTextFile1Click();
    void SaveCurrentText1Click();
    void FontTypeSize1Click();
    void SetBackgroundColor1Click();
    void setfontcolor1Click();
    void AutoCenter1Click();
    // Text save-as of text object 1 and 2.
    void SaveAs1Click();
    void SaveAs2Click();

    // Change tracking.
    void Memo1Change();
    void Memo2Change();
    void edit1Change();
    void edit2Change();
    void Edit3Change();
    void Edit4Change();

    // Reads a text file into text object 1 or 2 and remembers it there; when
    // it cannot be read, tells the operator, changes nothing and returns false.
    bool loadTextObjectFile(QPlainTextEdit* memo, const QString& path);
    // The reading part of it: the lines, the path label and the remembered path.
    bool readTextObject(QPlainTextEdit* memo, const QString& path);

    // Boards. A save comes from the tool bar's SaveConfig, which saves under
    // the board's file name, or from "Save Configuration As...", which asks.
    enum class SaveSource { SaveButton, SaveAs };
    // How a save ended: written; not written because the operator cancelled
    // or there was nothing to save; or failed with its error shown.
    enum class SaveOutcome { Saved, NotSaved, Failed };
    SaveOutcome SaveConfigClick(SaveSource source);
    void SaveConfigClickFromButton();
    void SaveSettingsFile1Click();
    void ToolButton1Click();
    void OpenSettingsFile1Click();
    // Loads a board file as Load Configuration does once a file is chosen;
    // true when it was loaded and became the board's file.
    bool loadConfiguration(const QString& path);
    // True when the file was read into the editor.
    bool OpenSFGfile(const QString& FileName);
    // The same without a word to the operator: what went wrong comes back.
    struct BoardLoad {
        QString error; // the board was not read
        bool missing = false;
        QString imageListError; // the board was read, its list was not
    };
    BoardLoad readBoardIntoEditor(const QString& FileName);
    // The board the program was started with: the start-up loads it in place
    // of the offer to reload the last board, and notes whether it loaded.
    struct StartBoard {
        QString path;
        // Why the board cannot be opened before any try; said in place of
        // the load.
        QString problem;
        bool loaded = false;
    };
    StartBoard startBoard;
    // The program settings file that remembers the last board.
    bool WriteTheIniFile();
    void ReadTheIniFile();
    // The element flags decided from the texts as they stand.
    void decideElementFlags();
    // What a board file holds beside the board record, as the editor stands.
    BoardFileFields boardFileFields() const;
    QStringList imageListEntries() const;
    // The typing limit of the single-line boxes; a loaded text may be longer.
    static constexpr int kMainTitleTypingLimit = 40;
    static constexpr int kLineTypingLimit = 32767;
    void setLoadedLineText(QLineEdit* box, const QString& text, int limit);
    void restoreTypingLimit(QLineEdit* box, int limit);

    // The image and movie list.
    void ToolButton9Click();
    void ToolButton10Click();
    void ToolButton12Click();
    void ToolButton2Click();
    void PlayTimeChange();
    void ImageControl1Click();
    void ListBox1MouseDown();

    // Quitting and clearing. The quit flow ends the program through
    // `endProgram`, which leaves the message loop; tests put their own in.
    std::function<void()> endProgram;
    void Exit2Click();
    // The quit flow; true when the operator chose to quit.
    bool runQuitFlow();
    void Quit1Click();
    void New1Click();
    void Paste1Click();

    // Printing.
    void PrinterSetup1Click();
    void Print1Click();

    // Help and about.
    void Help1Click();
    void About2Click();

    // Play.
    void Mode1Click();
    void StartTheShow();
    // Play for a show nobody attends: nothing is asked (an empty text object
    // 1 is played as it is), and the show runs at once, without the
    // alignment panel.
    void playUnattended();
    // True while a show is on: playing, frozen or waiting for its screen.
    bool showIsOn() const;
    // Play as a remote caller asks for it: nothing is asked; a running show
    // takes the board. Returns why nothing plays, or nothing.
    QString playWithoutQuestions();

    // A show that changes while it plays: the editor follows the board's
    // files and crawl source while a show is on (see LiveFollow), puts what
    // changed into the record and the boxes, and hands the texts to the show.
    LiveFollow* liveFollow() const { return live_; }
    void putLiveBoard(const LiveBoard& live);
    // Fills the editor's boxes with the board last read, when it is shown.
    void catchUpEditor();
    ShowTexts liveTexts(const LiveBoard& live) const;
    LiveOutcome takeIntoShow(const ShowTexts& texts);
    // The board's own crawl line, as the editor holds it or is about to.
    QString boardCrawlLine() const;
    // Said in the status bar, and on standard error for a show nobody attends.
    void noteLive(const QString& note);

    // The lines of a text object; an empty last line does not count.
    QStringList textObjectLines(const QPlainTextEdit* memo) const;
    // Replaces the whole content of a text object with these lines.
    void setTextObjectLines(QPlainTextEdit* memo, const QStringList& lines);

    // ShowHost
    ShowTexts showTexts() const override;
    void setMemoWidthsForShow(int box1Width, int box2Width);
    bool imageStretch() const override;
    bool syncWithRetrace() const override;
    void hideEditorForShow();
    void showEditorAfterShow();
    bool clockButtonDown() const override;
    void setClockSwitch(bool on);
    std::optional<std::uint32_t> choosePlayBackColor() override;
    void offerLastBoard();

protected:
    // Closing the window frame runs the quit flow; the window stays unless
    // the operator quits.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void createMenus();
    void createToolBar();
    void createPlayScreenMenu();
    void connectChangeTracking();
    void chooseBackgroundColour();
    void createPopupMenu1();
    void connectImageList();
    void textObjectChanged(QPlainTextEdit* memo);
    SaveOutcome saveTextObjectAs(QPlainTextEdit* memo);
    void emptyTextObject(QPlainTextEdit* memo);
    void chooseElementColour(bool background);
    void connectBoardCommands();
    QString settingsFile();
    // Asks to save a changed text object or board; false when a save failed.
    bool offerSave(bool changed, const QString& question, const std::function<SaveOutcome()>& save);
    // Plays the board as it stands, or says there is nothing to play.
    void playAsItStands();
    // Play while a show is on: the board as it stands goes to the running
    // show, asking nothing.
    void playIntoRunningShow();
    void putLiveBoardIntoControls(const LiveBoard& live);

    BoardDocument* document_ = nullptr;
    TitleFields* titleFields_ = nullptr;
    TextObjectBox* textObject1_ = nullptr;
    TextObjectBox* textObject2_ = nullptr;
    CrawlFields* crawlFields_ = nullptr;
    ImageListPanel* imagePanel_ = nullptr;
    QWidget* popupTarget_ = nullptr;
    // A text object whose whole content the program is replacing; the edit
    // box clears its flag only once the replacement is done.
    QPlainTextEdit* replacingText_ = nullptr;

    QSize outerSize_; // asked for before the window was first shown
    TPlayScreen* playScreen_ = nullptr;
    TDFontForm* fontForm_ = nullptr;
    TAlignCntrlBox* controlPanel_ = nullptr;
    LiveFollow* live_ = nullptr;
    // The board read again while a show plays: put into the boxes after the
    // show has taken it, or when the editor comes back, unless a load comes
    // first.
    std::optional<LiveBoard> unshownLive_;
};
