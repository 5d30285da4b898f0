// Building the editor window's controls, menus and tool bars.

#include "editor/image_list_panel.h"
#include "editor/line_fields.h"
#include "editor/mainform.h"
#include "editor/text_object_box.h"
#include "editor/widget_parts.h"

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

QAction* menuItem(QMenu* menu, const char* name, const QString& text, bool checkable = false) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    return action;
}

} // namespace

void Tmainform::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    // Made in the order the focus moves through them.
    titleFields_ = new TitleFields(client);
    StaticText1 = titleFields_->mainTitleCaption();
    edit1 = titleFields_->mainTitle();
    StaticText5 = titleFields_->secondTitleCaption();
    edit2 = titleFields_->secondTitle();

    textObject1_ = new TextObjectBox(QStringLiteral("Text Object 1"), "StaticText2", "Memo1",
                                     "label5", client);
    StaticText2 = textObject1_->caption();
    Memo1 = textObject1_->textBox();
    label5 = textObject1_->pathLabel();
    textObject2_ = new TextObjectBox(QStringLiteral("Text Object 2"), "StaticText3", "Memo2",
                                     "label6", client);
    StaticText3 = textObject2_->caption();
    Memo2 = textObject2_->textBox();
    label6 = textObject2_->pathLabel();

    crawlFields_ = new CrawlFields(client);
    StaticText4 = crawlFields_->crawlLineCaption();
    Edit3 = crawlFields_->crawlLine();
    StaticText7 = crawlFields_->clockSampleCaption();
    Edit4 = crawlFields_->clockSample();

    imagePanel_ = new ImageListPanel(ImageStretch, client);
    Panel1 = imagePanel_;
    ToolBar2 = imagePanel_->toolBar();
    ToolButton9 = imagePanel_->addPictureButton();
    ToolButton10 = imagePanel_->deleteButton();
    ToolButton12 = imagePanel_->addMovieButton();
    stretchbutton = imagePanel_->stretchButton();
    ToolButton2 = imagePanel_->countMarkersButton();
    PlayTime = imagePanel_->playTime();
    StaticText6 = imagePanel_->title();
    Label3 = imagePanel_->playTimeCaption();
    Label1 = imagePanel_->playTimeValue();
    Label4 = imagePanel_->imageCount();
    Label2 = imagePanel_->markerCount();
    ListBox1 = imagePanel_->list();

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
    Configuration1->addSeparator();
    CrawlSource1 = menuItem(Configuration1, "CrawlSource1", QStringLiteral("Crawl Source\u2026"));
    // Opened by remote control, which sits above the editor and answers it.
    RemoteControl1 =
        menuItem(Configuration1, "RemoteControl1", QStringLiteral("Remote Control\u2026"));

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
    ToolButton1 = editor_parts::twinButton(ToolBar1, "ToolButton1", OpenSettingsFile1,
                                           QStringLiteral("Load settings File"), ToolIcon::Open);
    SaveConfig = editor_parts::toolButton(ToolBar1, "SaveConfig",
                                          QStringLiteral("Save Current Settings/Configuration"),
                                          ToolIcon::Save);
    ToolButton3 =
        editor_parts::twinButton(ToolBar1, "ToolButton3", Paste1,
                                 QStringLiteral("Clear Current Configuration"), ToolIcon::Clear);
    ToolBar1->addSeparator();
    ToolButton6 = editor_parts::twinButton(ToolBar1, "ToolButton6", Mode1,
                                           QStringLiteral("Start Playing"), ToolIcon::Play);
    ToolButton5 =
        editor_parts::twinButton(ToolBar1, "ToolButton5", SetBackgroundColor2,
                                 QStringLiteral("Set Color Play Background"), ToolIcon::Palette);
    ToolButton7 =
        editor_parts::twinButton(ToolBar1, "ToolButton7", ToggleClockOn,
                                 QStringLiteral("Toggle Clock and Date"), ToolIcon::Clock);
    ToolButton8 = editor_parts::twinButton(ToolBar1, "ToolButton8", PagePause,
                                           QStringLiteral("Use Page Pause"), ToolIcon::PagePause);
}
