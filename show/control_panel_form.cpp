// The control panel's controls: its menu, tool bar, bars and labels, where
// they stand and which handler each one calls.

#include "show/control_panel.h"

#include "show/panel_icons.h"

#include <QAction>
#include <QActionGroup>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 172;
constexpr int kClientHeight = 401;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    return label;
}

// A value label at the right end of its bar.
QLabel* valueLabel(QWidget* parent, const char* name, int top) {
    return makeLabel(parent, name, QString(), QRect(140, top, 30, 14));
}

// A thread id label, blue, at the top right of its group.
QLabel* idLabel(QWidget* parent, const char* name, int top) {
    QLabel* label = makeLabel(parent, name, QString(), QRect(112, top, 56, 14),
                              Qt::AlignRight | Qt::AlignVCenter);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(pal);
    return label;
}

QSlider* makeBar(QWidget* parent, const char* name, Qt::Orientation orientation, int minimum,
                 int maximum, int tickInterval, const QRect& geometry) {
    auto* bar = new QSlider(orientation, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(minimum, maximum);
    bar->setTickInterval(tickInterval);
    bar->setTickPosition(orientation == Qt::Horizontal ? QSlider::TicksBelow : QSlider::TicksRight);
    bar->setSingleStep(1);
    bar->setPageStep(2);
    if (orientation == Qt::Vertical) {
        // The smallest height at the top; Up moves towards it, Down away.
        bar->setInvertedAppearance(true);
        bar->setInvertedControls(true);
    }
    bar->setGeometry(geometry);
    return bar;
}

QToolButton* makeToolButton(QToolBar* bar, const char* name, const QIcon& icon) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(icon);
    button->setAutoRaise(true);
    button->setFixedSize(23, 22);
    bar->addWidget(button);
    return button;
}

} // namespace

TAlignCntrlBox::TAlignCntrlBox(const ShowContext& ctx, TPlayScreen& screen, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      ctx_(ctx), screen_(screen) {
    setObjectName(QStringLiteral("AlignCntrlBox"));
    setWindowTitle(QStringLiteral("Plakora Control"));
    // The panel's own face, or Arial (metric-compatible on every system the
    // program installs on) where it is not there: an unknown face would fall
    // back to a wide one that no longer fits the panel.
    const QString face = QStringLiteral("MS Sans Serif");
    QFont f(QFontDatabase::hasFamily(face) ? face : QStringLiteral("Arial"));
    f.setPixelSize(11);
    setFont(f);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    createMenu();
    layout->setMenuBar(MainMenu1);
    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ClientArea->setFixedSize(kClientWidth, kClientHeight);
    layout->addWidget(ClientArea);

    createToolBar();
    createBars();
    connectHandlers();
    // The panel has its size from the start: the play screen places it by
    // its width before it is first shown.
    layout->activate();
    adjustSize();
}

void TAlignCntrlBox::createMenu() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    // Narrow items, so that all four stand on the panel's one line.
    MainMenu1->setStyleSheet(QStringLiteral("QMenuBar::item { padding: 2px 3px; }"));
    Color1 = MainMenu1->addAction(QStringLiteral("&Color"));
    Color1->setObjectName(QStringLiteral("Color1"));
    ReFresh1 = MainMenu1->addAction(QStringLiteral("Re&Fresh"));
    ReFresh1->setObjectName(QStringLiteral("ReFresh1"));
    ClocK1 = MainMenu1->addAction(QStringLiteral("Cloc&K"));
    ClocK1->setObjectName(QStringLiteral("ClocK1"));
    // A radio item of its own group; its check follows the clock button.
    ClocK1->setCheckable(true);
    auto* group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    group->addAction(ClocK1);
    Exit1 = MainMenu1->addAction(QStringLiteral("E&xit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
}

void TAlignCntrlBox::createToolBar() {
    ToolBar1 = new QToolBar(ClientArea);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setStyleSheet(
        QStringLiteral("QToolBar { border: 0px; padding: 0px; spacing: 0px; }"));
    ToolBar1->setGeometry(0, 0, kClientWidth, 28);

    ToolButton1 = makeToolButton(ToolBar1, "ToolButton1", panelIcon(PanelIcon::BackgroundColour));
    ToolButton1->setToolTip(QStringLiteral("Background Color"));
    ToolButton3 = makeToolButton(ToolBar1, "ToolButton3", panelIcon(PanelIcon::Refresh));
    // The button keeps this hint, but it is never shown (see eventFilter).
    ToolButton3->setToolTip(QStringLiteral("Exit Play Screen"));
    ToolButton3->installEventFilter(this);
    ToolButton4 = makeToolButton(ToolBar1, "ToolButton4", panelIcon(PanelIcon::Clock));
    ToolButton4->setCheckable(true);
    // Room for the Hide button, which stands in the tool bar's strip.
    auto* gap = new QWidget(ToolBar1);
    gap->setFixedSize(55, 22);
    ToolBar1->addWidget(gap);
    ToolButton5 = makeToolButton(ToolBar1, "ToolButton5", panelIcon(PanelIcon::LeaveShow));

    SpeedButton1 = new QToolButton(ClientArea);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("&Hide"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(16);
    SpeedButton1->setFont(arial);
    SpeedButton1->setGeometry(72, 0, 49, 25);
    SpeedButton1->raise();
}

void TAlignCntrlBox::createBars() {
    QWidget* c = ClientArea;
    GroupBox1 = new QGroupBox(QStringLiteral(" Text  Object Box 1 "), c);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(1, 39, 169, 122);
    GroupBox2 = new QGroupBox(QStringLiteral(" Text Object Box 2 "), c);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(0, 169, 171, 128);

    // Text box 1: the height bar at the left, width and delay at the right.
    makeLabel(c, "HeightCaption1", QStringLiteral("Height"), QRect(6, 56, 36, 12));
    TrackBar4 = makeBar(c, "TrackBar4", Qt::Vertical, 1, 400, 10, QRect(6, 68, 28, 72));
    TrackBar4->setToolTip(QStringLiteral("Scroll Box 1 Height"));
    Label1 = makeLabel(c, "Label1", QString(), QRect(6, 142, 34, 14));
    makeLabel(c, "WidthCaption1", QStringLiteral("Width"), QRect(44, 64, 60, 14));
    TrackBar2 = makeBar(c, "TrackBar2", Qt::Horizontal, 1, 640, 26, QRect(38, 79, 102, 26));
    Label4 = valueLabel(c, "Label4", 84);
    makeLabel(c, "DelayCaption1", QStringLiteral("Delay (msec)"), QRect(44, 112, 90, 14));
    TrackBar5 = makeBar(c, "TrackBar5", Qt::Horizontal, 1, 100, 5, QRect(38, 127, 102, 26));
    Label5 = valueLabel(c, "Label5", 132);
    Label7 = idLabel(c, "Label7", 39);

    // Text box 2, laid out the same way.
    makeLabel(c, "HeightCaption2", QStringLiteral("Height"), QRect(6, 186, 36, 12));
    TrackBar1 = makeBar(c, "TrackBar1", Qt::Vertical, 1, 400, 10, QRect(6, 198, 28, 78));
    TrackBar1->setToolTip(QStringLiteral("Scroll Box 2 Height"));
    Label2 = makeLabel(c, "Label2", QString(), QRect(6, 278, 34, 14));
    makeLabel(c, "WidthCaption2", QStringLiteral("Width"), QRect(44, 197, 60, 14));
    TrackBar6 = makeBar(c, "TrackBar6", Qt::Horizontal, 1, 640, 26, QRect(38, 212, 102, 26));
    TrackBar6->setSingleStep(2);
    Label6 = valueLabel(c, "Label6", 217);
    makeLabel(c, "DelayCaption2", QStringLiteral("Delay (msec)"), QRect(44, 251, 90, 14));
    TrackBar7 = makeBar(c, "TrackBar7", Qt::Horizontal, 1, 100, 5, QRect(38, 266, 102, 26));
    Label10 = valueLabel(c, "Label10", 271);
    Label8 = idLabel(c, "Label8", 169);

    // The crawl line and the border, below the groups.
    makeLabel(c, "CrawlDelayCaption", QStringLiteral("Crawl Delay (msec)"), QRect(6, 306, 104, 14));
    Label9 = idLabel(c, "Label9", 306);
    TrackBar8 = makeBar(c, "TrackBar8", Qt::Horizontal, 1, 100, 5, QRect(4, 328, 136, 26));
    Label11 = valueLabel(c, "Label11", 333);
    makeLabel(c, "BorderCaption", QStringLiteral("Border Thickness"), QRect(6, 363, 104, 14));
    TrackBar3 = makeBar(c, "TrackBar3", Qt::Horizontal, 0, 20, 2, QRect(4, 387, 136, 14));
    TrackBar3->setToolTip(QStringLiteral("Bevel Thickness"));
    Label3 = valueLabel(c, "Label3", 387);

    // The bars lie over the group boxes.
    for (QSlider* bar :
         {TrackBar1, TrackBar2, TrackBar3, TrackBar4, TrackBar5, TrackBar6, TrackBar7, TrackBar8}) {
        bar->raise();
    }
}

void TAlignCntrlBox::connectHandlers() {
    // valueChanged also comes from the panel's own settings; those are made
    // with the bar's signals blocked, so only the operator reaches a handler.
    const std::pair<QSlider*, void (TAlignCntrlBox::*)()> bars[] = {
        {TrackBar1, &TAlignCntrlBox::TrackBar1Change},
        {TrackBar2, &TAlignCntrlBox::TrackBar2Change},
        {TrackBar3, &TAlignCntrlBox::TrackBar3Change},
        {TrackBar4, &TAlignCntrlBox::TrackBar4Change},
        {TrackBar5, &TAlignCntrlBox::TrackBar5Change},
        {TrackBar6, &TAlignCntrlBox::TrackBar6Change},
        {TrackBar7, &TAlignCntrlBox::TrackBar7Change},
        {TrackBar8, &TAlignCntrlBox::TrackBar8Change},
    };
    for (const auto& [bar, handler] : bars) {
        connect(bar, &QSlider::valueChanged, this, handler);
    }
    connect(ToolButton1, &QToolButton::clicked, this, &TAlignCntrlBox::ToolButton1Click);
    connect(ToolButton3, &QToolButton::clicked, this, &TAlignCntrlBox::ToolButton3Click);
    connect(ToolButton4, &QToolButton::clicked, this, &TAlignCntrlBox::ToolButton4Click);
    connect(ToolButton5, &QToolButton::clicked, this, &TAlignCntrlBox::ToolButton5Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TAlignCntrlBox::SpeedButton1Click);
    connect(Color1, &QAction::triggered, this, &TAlignCntrlBox::Color1Click);
    connect(ReFresh1, &QAction::triggered, this, &TAlignCntrlBox::ReFresh1Click);
    connect(ClocK1, &QAction::triggered, this, &TAlignCntrlBox::ClocK1Click);
    connect(Exit1, &QAction::triggered, this, &TAlignCntrlBox::Exit1Click);
}
