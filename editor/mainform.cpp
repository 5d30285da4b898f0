// The editor window's creation, factory defaults, layout and switches.

#include "editor/mainform.h"

#include "editor/board_document.h"
#include "editor/editor_layout.h"
#include "editor/image_list_panel.h"
#include "editor/line_fields.h"
#include "editor/live_follow.h"
#include "editor/text_object_box.h"
#include "platform/system_info.h"
#include "platform/win_ver.h"
#include "show/clock_format.h"
#include "show/control_panel.h"
#include "show/play_screen.h"
#include "show/show_startup.h"
#include "show/show_surface.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QSlider>
#include <QTextDocument>
#include <QToolButton>

#include <cstdio>

Tmainform::Tmainform(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("mainform"));
    document_ = new BoardDocument(board, this);
    createMenus();
    createToolBar();
    createControls();
    connectChangeTracking();
    createPopupMenu1();
    connectImageList();
    connectBoardCommands();

    // The tool buttons that repeat a menu item run through the item's action.
    connect(ToggleClockOn, &QAction::triggered, this, &Tmainform::ToggleClockOnClick);
    connect(PagePause, &QAction::triggered, this, &Tmainform::PagePauseClick);
    connect(SetBackgroundColor2, &QAction::triggered, this, &Tmainform::SetBackgroundColor2Click);
    connect(Mode1, &QAction::triggered, this, &Tmainform::Mode1Click);
    connect(Exit2, &QAction::triggered, this, &Tmainform::Exit2Click);
    connect(Quit1, &QAction::triggered, this, &Tmainform::Quit1Click);
    connect(Paste1, &QAction::triggered, this, &Tmainform::Paste1Click);
    connect(PrinterSetup1, &QAction::triggered, this, &Tmainform::PrinterSetup1Click);
    connect(Print1, &QAction::triggered, this, &Tmainform::Print1Click);
    connect(Help1, &QAction::triggered, this, &Tmainform::Help1Click);
    connect(About2, &QAction::triggered, this, &Tmainform::About2Click);
    connect(CrawlSource1, &QAction::triggered, this, &Tmainform::CrawlSource1Click);

    // The open dialog's own settings; later commands change them.
    OpenDialog1.title = QStringLiteral("Open a Text File");
    OpenDialog1.filter = QStringLiteral("Plain Text  Files Only|*.txt");
    OpenDialog1.defaultExt = QStringLiteral("TXT");
    OpenDialog1.options =
        platform::FileOption::FileMustExist | platform::FileOption::PathMustExist |
        platform::FileOption::NoReadOnlyReturn | platform::FileOption::NoNetworkButton;
    SaveDialog1.options =
        platform::FileOption::CreatePrompt | platform::FileOption::OverwritePrompt |
        platform::FileOption::HideReadOnly | platform::FileOption::NoReadOnlyReturn |
        platform::FileOption::NoNetworkButton;
    ColorDialog1.options = platform::ColorOption::FullOpen | platform::ColorOption::AnyColor |
                           platform::ColorOption::SolidColor | platform::ColorOption::ShowHelp;

    endProgram = [] { QCoreApplication::exit(0); };
    live_ = new LiveFollow(*this);
    connect(live_, &LiveFollow::noted, this, &Tmainform::noteLive);

    FormCreate();
}

Tmainform::~Tmainform() = default;

void Tmainform::attachWindows(TPlayScreen* playScreen, TDFontForm* fontForm,
                              TAlignCntrlBox* controlPanel) {
    playScreen_ = playScreen;
    fontForm_ = fontForm;
    controlPanel_ = controlPanel;
    if (playScreen) {
        connect(playScreen, &TPlayScreen::playScreenNoted, this, &Tmainform::reportPlayScreen);
        connect(playScreen, &TPlayScreen::boxWidthsChosen, this, &Tmainform::setMemoWidthsForShow);
        connect(playScreen, &TPlayScreen::showStarting, this, &Tmainform::hideEditorForShow);
        connect(playScreen, &TPlayScreen::showEnded, this, &Tmainform::showEditorAfterShow);
        // A show nobody attends says on standard error where it went.
        connect(playScreen, &TPlayScreen::screenWaited, this, [](const QString& name) {
            std::fprintf(stderr, "plakora: the screen %s went away: the show waits for it.\n",
                         qPrintable(name));
        });
        connect(playScreen, &TPlayScreen::screenReturned, this, [this](const QString& name) {
            std::fprintf(stderr, "plakora: the screen %s is there: the show plays on it.\n",
                         qPrintable(name));
            // It plays on as it was, with what it took while it ran.
            ShowContext ctx{board, showState, playScreen_->surface(), *this};
            RestartTheShow(ctx, *playScreen_);
        });
    }
    if (controlPanel) {
        connect(controlPanel, &TAlignCntrlBox::clockSwitched, this, &Tmainform::setClockSwitch);
        // A board loaded from the panel is what its restart plays.
        connect(controlPanel, &TAlignCntrlBox::lastBoardWanted, this, [this] {
            offerLastBoard();
            showState.Texts = showTexts();
        });
    }
}

void Tmainform::connectChangeTracking() {
    connect(edit1, &QLineEdit::textChanged, this, &Tmainform::edit1Change);
    connect(edit2, &QLineEdit::textChanged, this, &Tmainform::edit2Change);
    connect(Edit3, &QLineEdit::textChanged, this, &Tmainform::Edit3Change);
    connect(Edit4, &QLineEdit::textChanged, this, &Tmainform::Edit4Change);
    for (QPlainTextEdit* memo : {Memo1, Memo2}) {
        connect(memo, &QPlainTextEdit::textChanged, this, [this, memo] {
            // While the program replaces the whole text the edit box has its
            // undo switched off, and it clears its flag after this signal.
            if (!memo->document()->isUndoRedoEnabled()) {
                replacingText_ = memo;
            } else {
                textObjectChanged(memo);
            }
        });
        // A replacement ends by placing the cursor.
        connect(memo, &QPlainTextEdit::cursorPositionChanged, this, [this, memo] {
            if (replacingText_ == memo) {
                replacingText_ = nullptr;
                textObjectChanged(memo);
            }
        });
    }
}

void Tmainform::FormCreate() {
    board.VersionString = QString::fromLatin1(kVersionString);
    setWindowTitle(QString::fromLatin1(kApplicationTitle) + QLatin1Char(' ') + board.VersionString);
    SETDEFAULTS();
    readPlayScreenChoice();
    fillPlayScreenMenu();
}

void Tmainform::SETDEFAULTS() {
    platform::SystemInfo& sys = platform::systemInfo();
    const int sw = sys.screenWidth();
    const int sh = sys.screenHeight();

    board.StartDirectory = sys.currentDirectory();
    showState.MarkerMode = false;
    board.TextFile1.clear();
    board.TextFile2.clear();
    // The crawl line is the board's own again.
    board.CrawlFile.clear();
    board.CrawlFeed.clear();
    board.CrawlRefresh = kDefaultCrawlRefresh;
    board.CrawlSeparator = QString::fromUtf8(kDefaultCrawlSeparator);
    textObject1_->hidePath();
    textObject2_->hidePath();
    setOuterSize(sw, sh);

    board.AlignScreen = false;
    board.ClockOn = false;
    board.BorderWidth = 10;
    board.CenterText1 = false;
    board.CenterText2 = false;
    board.CTMFlag = false;
    showState.Box1TextX = 0;
    showState.Box2TextX = 0;
    board.Box1PageHeight = sh / 3;
    board.Box2PageHeight = sh / 3;

    board.Text1FontName = QStringLiteral("Arial");
    board.Text2FontName = QStringLiteral("Arial");
    board.CrawlFontName = QStringLiteral("Arial");
    board.MainTitleFontName = QStringLiteral("Arial");
    board.SecondTitleFontName = QStringLiteral("Arial");

    board.Text1FontSize = 20;
    board.Text2FontSize = 20;
    board.MainTitleFontSize = 40;
    board.SecondTitleFontSize = 34;
    board.Text1Color = 0xFFFFFF;
    board.Text1BackColor = 0;
    board.Text2Color = 0xFFFFFF;
    board.Text2BackColor = 0;
    board.MainTitleColor = 0xFFFFFF;
    board.MainTitleBackColor = 0xFF0000;
    board.SecondTitleColor = 0xFFFFFF;
    board.SecondTitleBackColor = 0x0000FF;

    board.Box1Delay = 0;
    board.Box2Delay = 2;
    board.CrawlColor = 0xFFFFFF;
    board.CrawlBackColor = 0;
    board.CrawlFontSize = 40;

    showState.ImageAreaWidth = 0;
    showState.ImageAreaHeight = 0;
    showState.ImageAreaLeft = 0;
    showState.ImageAreaTop = 0;
    board.ClockFontSize = 20;
    showState.ClockTop = 0;

    board.Box1Width = sw / 2;
    board.Box2Width = sw;
    board.Box1Height = sh / 6 + 50;
    board.Box2Height = sh / 6;
    board.ClockOn = false;

    QString platformText;
    WinVerString(2, platformText);
    if (platformText == QStringLiteral("Windows NT")) {
        Sync->setVisible(false);
    } else {
        ToolButton12->setEnabled(false);
        Sync->setVisible(true);
    }
}

void Tmainform::FormShow() {
    ToolButton10->setEnabled(false);
    Label4->setText(QString::number(ListBox1->count()) + QStringLiteral(" Images"));
    // A sample that differs from the one shown is a change of Edit4, which
    // marks the board changed through Edit4's own change handler.
    Edit4->setText(clockText(QDateTime::currentDateTime()));
}

void Tmainform::FormResize() {
    if (!imagePanel_) {
        return;
    }
    const QRect outer = frameGeometry();
    EditorLayoutInput in;
    in.W = outer.width();
    in.H = outer.height();
    in.edit2Top = titleFields_->lowerBoxTop();
    in.edit2Height = edit2->height();
    in.edit3Height = Edit3->height();
    const EditorLayout l = computeEditorLayout(in);

    titleFields_->setBoxWidth(l.editWidth);
    textObject1_->place(l.memo1Top, l.memoWidth, l.memoHeight);
    textObject2_->place(l.memo2Top, l.memoWidth, l.memoHeight);
    imagePanel_->place(l.panelLeft, l.panelWidth, l.panelHeight, l.listWidth, l.listHeight);
    crawlFields_->placeAt(l.edit3Top);
    crawlFields_->setBoxWidth(l.memoWidth);
}

TextObjectBox* Tmainform::textObjectBox(const QPlainTextEdit* memo) const {
    Q_ASSERT(memo == Memo1 || memo == Memo2);
    return memo == Memo1 ? textObject1_ : textObject2_;
}

void Tmainform::setOuterSize(int width, int height) {
    outerSize_ = isVisible() ? QSize() : QSize(width, height);
    const QSize frame = frameGeometry().size() - size();
    resize(width - frame.width(), height - frame.height());
    FormResize();
}

void Tmainform::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void Tmainform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The frame is known only once the window is on screen; keep the outer
    // size asked for before then.
    if (!outerSize_.isEmpty() && frameGeometry().size() != outerSize_) {
        setOuterSize(outerSize_.width(), outerSize_.height());
    }
    outerSize_ = QSize();
    FormShow();
}

void Tmainform::WinVerString(std::uint8_t Index, QString& Result) const {
    Result = winVerText(platform::systemInfo(), Index);
}

void Tmainform::ToggleClockOnClick() {
    // The switch, menu item or tool button, has already inverted its check.
    board.ClockOn = ToggleClockOn->isChecked();
}

void Tmainform::PagePauseClick() {
    board.PagePause1 = PagePause->isChecked();
}

void Tmainform::chooseBackgroundColour() {
    const std::optional<std::uint32_t> chosen = platform::dialogs().chooseColor(ColorDialog1);
    if (chosen) {
        ColorDialog1.color = *chosen;
        board.PlayBackColor = *chosen;
    }
}

void Tmainform::SetBackgroundColor2Click() {
    chooseBackgroundColour();
}
