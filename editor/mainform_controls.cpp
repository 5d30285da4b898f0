// Building the editor window's controls, menus and tool bars.

#include "editor/icons.h"
#include "editor/mainform.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

// Design-time geometry of the controls the resize rule leaves alone.
constexpr int kCaptionLeft = 8;
constexpr int kBoxLeft = 100;
// The title boxes stand a little left of the others so that they end short
// of the image panel, whose left edge follows their width.
constexpr int kTitleBoxLeft = 92;
constexpr int kEdit1Top = 16;
constexpr int kEdit2Top = 64;
constexpr int kTitleBoxHeight = 34;
constexpr int kLineBoxHeight = 26;
constexpr int kPanelTop = 4;

QLabel* caption(QWidget* parent, const char* name, const QString& text, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Raised);
    QFont f = label->font();
    f.setPixelSize(11);
    label->setFont(f);
    label->setGeometry(kCaptionLeft, top, kTitleBoxLeft - kCaptionLeft - 2, 20);
    return label;
}

QLineEdit* lineBox(QWidget* parent, const char* name, int top, int height, int pixelSize) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    QFont f = edit->font();
    f.setPixelSize(pixelSize);
    edit->setFont(f);
    edit->setGeometry(kBoxLeft, top, 300, height);
    return edit;
}

QPlainTextEdit* textBox(QWidget* parent, const char* name) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setTabChangesFocus(false);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->move(kBoxLeft, 0);
    return memo;
}

QLabel* pathLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont f = label->font();
    f.setPixelSize(11);
    label->setFont(f);
    label->move(kBoxLeft, 0);
    label->hide();
    return label;
}

QToolButton* toolButton(QToolBar* bar, const char* name, const QString& hint, ToolIcon icon) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setIcon(toolIcon(icon));
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

// A tool button that repeats a menu item carries the item's action: one
// check, one handler, whichever of the two is clicked. The menu keeps its
// plain entry; the button keeps its own hint.
QToolButton* twinButton(QToolBar* bar, const char* name, QAction* action, const QString& hint,
                        ToolIcon icon) {
    action->setIcon(toolIcon(icon));
    action->setIconVisibleInMenu(false);
    action->setToolTip(hint);
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setDefaultAction(action);
    bar->addWidget(button);
    return button;
}

QAction* menuItem(QMenu* menu, const char* name, const QString& text, bool checkable = false) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    return action;
}

QLabel* smallLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont f = label->font();
    f.setPixelSize(11);
    label->setFont(f);
    return label;
}

} // namespace

void Tmainform::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    StaticText1 = caption(client, "StaticText1", QStringLiteral("Main Title"), kEdit1Top + 7);
    edit1 = lineBox(client, "edit1", kEdit1Top, kTitleBoxHeight, 18);
    edit1->move(kTitleBoxLeft, kEdit1Top);
    edit1->setMaxLength(40);
    edit1->setText(QStringLiteral("Main Title"));
    StaticText5 = caption(client, "StaticText5", QStringLiteral("Second Title"), kEdit2Top + 7);
    edit2 = lineBox(client, "edit2", kEdit2Top, kTitleBoxHeight, 18);
    edit2->move(kTitleBoxLeft, kEdit2Top);
    edit2->setText(QStringLiteral("Sub Title"));

    StaticText2 = caption(client, "StaticText2", QStringLiteral("Text Object 1"), 0);
    Memo1 = textBox(client, "Memo1");
    label5 = pathLabel(client, "label5");
    StaticText3 = caption(client, "StaticText3", QStringLiteral("Text Object 2"), 0);
    Memo2 = textBox(client, "Memo2");
    label6 = pathLabel(client, "label6");

    StaticText4 = caption(client, "StaticText4", QStringLiteral("Crawl Line"), 0);
    Edit3 = lineBox(client, "Edit3", 0, kLineBoxHeight, 14);
    Edit3->setText(QStringLiteral("Hori scroll region"));
    StaticText7 = caption(client, "StaticText7", QStringLiteral("Time - Date"), 0);
    Edit4 = lineBox(client, "Edit4", 0, kLineBoxHeight, 14);

    createImagePanel(client);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusPanel = new QLabel(StatusBar1);
    StatusPanel->setObjectName(QStringLiteral("StatusPanel"));
    StatusPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusPanel->setMinimumHeight(18);
    StatusBar1->addWidget(StatusPanel, 1);
    setStatusBar(StatusBar1);
}

void Tmainform::createImagePanel(QWidget* parent) {
    Panel1 = new QFrame(parent);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->move(0, kPanelTop);

    ToolBar2 = new QToolBar(Panel1);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setIconSize(QSize(16, 16));
    ToolBar2->setGeometry(4, 2, 140, 24);
    ToolButton9 = toolButton(ToolBar2, "ToolButton9", QStringLiteral("Add to Image List"),
                             ToolIcon::AddPicture);
    ToolButton10 = toolButton(ToolBar2, "ToolButton10", QStringLiteral("Delete From Image List"),
                              ToolIcon::Delete);
    ToolButton12 =
        toolButton(ToolBar2, "ToolButton12", QStringLiteral("Add AVI to list"), ToolIcon::AddMovie);
    stretchbutton = twinButton(ToolBar2, "stretchbutton", ImageStretch,
                               QStringLiteral("Stretch Image to Frame"), ToolIcon::Stretch);
    ToolButton2 =
        toolButton(ToolBar2, "ToolButton2", QStringLiteral("Count markers in text object 1"),
                   ToolIcon::CountMarkers);

    PlayTime = new QSlider(Qt::Horizontal, Panel1);
    PlayTime->setObjectName(QStringLiteral("PlayTime"));
    PlayTime->setRange(1, 30);
    PlayTime->setValue(1);
    PlayTime->setTickPosition(QSlider::TicksBelow);
    PlayTime->setTickInterval(3);
    PlayTime->setToolTip(QStringLiteral("Adjust timer per slide"));

    StaticText6 = smallLabel(Panel1, "StaticText6", QStringLiteral("Image Control"));
    StaticText6->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticText6->setGeometry(6, 27, 90, 13);
    Label3 = smallLabel(Panel1, "Label3", QStringLiteral("Play Time (sec)"));
    Label1 = smallLabel(Panel1, "Label1", QString());
    Label4 = smallLabel(Panel1, "Label4", QStringLiteral("0 Images"));
    Label4->setGeometry(10, 40, 90, 12);
    Label2 = smallLabel(Panel1, "Label2", QStringLiteral("Markers "));
    Label2->setGeometry(110, 40, 100, 12);

    ListBox1 = new QListWidget(Panel1);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->move(10, 52);
}

void Tmainform::createMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    File1 = bar->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    OpenSettingsFile1 =
        menuItem(File1, "OpenSettingsFile1", QStringLiteral("Open Configuration..."));
    SaveSettingsFile1 =
        menuItem(File1, "SaveSettingsFile1", QStringLiteral("Save Configuration As..."));
    File1->addSeparator();
    PrinterSetup1 = menuItem(File1, "PrinterSetup1", QStringLiteral("Printer Setup..."));
    Print1 = menuItem(File1, "Print1", QStringLiteral("Print"));
    File1->addSeparator();
    Quit1 = menuItem(File1, "Quit1", QStringLiteral("Quit Plakora"));

    Configuration1 = bar->addMenu(QStringLiteral("&Configuration"));
    Configuration1->setObjectName(QStringLiteral("Configuration1"));
    UsefactoryDefaultConfiguration1 = menuItem(Configuration1, "UsefactoryDefaultConfiguration1",
                                               QStringLiteral("Use factory Default Configuration"));
    Paste1 = menuItem(Configuration1, "Paste1", QStringLiteral("Clear current  Configuration"));
    Configuration1->addSeparator();
    SetBackgroundColor2 =
        menuItem(Configuration1, "SetBackgroundColor2", QStringLiteral("Set Background Color"));
    ToggleClockOn =
        menuItem(Configuration1, "ToggleClockOn", QStringLiteral("Toggle Clock On"), true);
    PagePause = menuItem(Configuration1, "PagePause", QStringLiteral("Use Page Pause"), true);
    ImageStretch = menuItem(Configuration1, "ImageStretch", QStringLiteral("Image Stretch"), true);
    Sync = menuItem(Configuration1, "Sync", QStringLiteral("Sync W/Vid Retrace"), true);
    // The menu's default item is shown in bold.
    QFont bold = Sync->font();
    bold.setBold(true);
    Sync->setFont(bold);
    createPlayScreenMenu();

    Mode1 = bar->addAction(QStringLiteral("&Play"));
    Mode1->setObjectName(QStringLiteral("Mode1"));

    Window1 = bar->addMenu(QStringLiteral("&Window"));
    Window1->setObjectName(QStringLiteral("Window1"));
    ImageControl1 = menuItem(Window1, "ImageControl1", QStringLiteral("Image Control"), true);
    ImageControl1->setChecked(true);

    Help2 = bar->addMenu(QStringLiteral("&Help"));
    Help2->setObjectName(QStringLiteral("Help2"));
    Help1 = menuItem(Help2, "Help1", QStringLiteral("Help"));
    Help2->addSeparator();
    About2 = menuItem(Help2, "About2", QStringLiteral("About"));

    Exit2 = bar->addAction(QStringLiteral("E&xit"));
    Exit2->setObjectName(QStringLiteral("Exit2"));
}

void Tmainform::createToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar1->setIconSize(QSize(24, 24));
    ToolButton1 = twinButton(ToolBar1, "ToolButton1", OpenSettingsFile1,
                             QStringLiteral("Load settings File"), ToolIcon::Open);
    SaveConfig = toolButton(ToolBar1, "SaveConfig",
                            QStringLiteral("Save Current Settings/Configuration"), ToolIcon::Save);
    ToolButton3 = twinButton(ToolBar1, "ToolButton3", Paste1,
                             QStringLiteral("Clear Current Configuration"), ToolIcon::Clear);
    ToolBar1->addSeparator();
    ToolButton6 =
        toolButton(ToolBar1, "ToolButton6", QStringLiteral("Start Playing"), ToolIcon::Play);
    ToolButton5 = twinButton(ToolBar1, "ToolButton5", SetBackgroundColor2,
                             QStringLiteral("Set Color Play Background"), ToolIcon::Palette);
    ToolButton7 = twinButton(ToolBar1, "ToolButton7", ToggleClockOn,
                             QStringLiteral("Toggle Clock and Date"), ToolIcon::Clock);
    ToolButton8 = twinButton(ToolBar1, "ToolButton8", PagePause, QStringLiteral("Use Page Pause"),
                             ToolIcon::PagePause);
}
