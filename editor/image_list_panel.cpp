#include "editor/image_list_panel.h"

#include "editor/image_list_rules.h"
#include "editor/widget_parts.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

constexpr int kPanelTop = 4;

// Calls back on every mouse button pressed in the watched widget.
class MousePressWatcher final : public QObject {
public:
    MousePressWatcher(QObject* parent, std::function<void()> pressed)
        : QObject(parent), pressed_(std::move(pressed)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            pressed_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> pressed_;
};

} // namespace

ImageListPanel::ImageListPanel(QAction* stretch, QWidget* parent) : QFrame(parent) {
    using namespace editor_parts;
    setObjectName(QStringLiteral("Panel1"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    move(0, kPanelTop);

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("ToolBar2"));
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setGeometry(4, 2, 140, 24);
    addPicture_ = toolButton(toolBar_, "ToolButton9", QStringLiteral("Add to Image List"),
                             ToolIcon::AddPicture);
    delete_ = toolButton(toolBar_, "ToolButton10", QStringLiteral("Delete From Image List"),
                         ToolIcon::Delete);
    addMovie_ =
        toolButton(toolBar_, "ToolButton12", QStringLiteral("Add AVI to list"), ToolIcon::AddMovie);
    stretch_ = twinButton(toolBar_, "stretchbutton", stretch,
                          QStringLiteral("Stretch Image to Frame"), ToolIcon::Stretch);
    countMarkers_ =
        toolButton(toolBar_, "ToolButton2", QStringLiteral("Count markers in text object 1"),
                   ToolIcon::CountMarkers);

    playTime_ = new QSlider(Qt::Horizontal, this);
    playTime_->setObjectName(QStringLiteral("PlayTime"));
    playTime_->setRange(1, 30);
    playTime_->setValue(1);
    playTime_->setTickPosition(QSlider::TicksBelow);
    playTime_->setTickInterval(3);
    playTime_->setToolTip(QStringLiteral("Adjust timer per slide"));

    title_ = smallLabel(this, "StaticText6", QStringLiteral("Image Control"));
    title_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    title_->setGeometry(6, 27, 90, 13);
    playTimeCaption_ = smallLabel(this, "Label3", QStringLiteral("Play Time (sec)"));
    playTimeValue_ = smallLabel(this, "Label1", QString());
    imageCount_ = smallLabel(this, "Label4", QStringLiteral("0 Images"));
    imageCount_->setGeometry(10, 40, 90, 12);
    markerCount_ = smallLabel(this, "Label2", QStringLiteral("Markers "));
    markerCount_->setGeometry(110, 40, 100, 12);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->move(10, 52);
    list_->viewport()->installEventFilter(
        new MousePressWatcher(list_, [this] { emit listPressed(); }));

    // The count follows every change of the list, whoever makes it. The label
    // is the connections' context: the list empties itself when the panel
    // goes, perhaps after the label has gone.
    QAbstractItemModel* model = list_->model();
    QLabel* label = imageCount_;
    const auto refresh = [label, model] { label->setText(imageCountText(model->rowCount())); };
    connect(model, &QAbstractItemModel::rowsInserted, label, refresh);
    connect(model, &QAbstractItemModel::rowsRemoved, label, refresh);
    connect(model, &QAbstractItemModel::modelReset, label, refresh);
}

QStringList ImageListPanel::entries() const {
    QStringList entries;
    for (int i = 0; i < list_->count(); ++i) {
        entries.append(list_->item(i)->text());
    }
    return entries;
}

void ImageListPanel::place(int left, int width, int height, int listWidth, int listHeight) {
    setGeometry(left, y(), width, height);
    list_->resize(listWidth, listHeight);
    const int sliderLeft = std::max(150, width / 2);
    playTime_->setGeometry(sliderLeft, 2, std::max(40, width - sliderLeft - 8), 24);
    playTimeCaption_->setGeometry(sliderLeft, 27, 90, 13);
    playTimeValue_->setGeometry(sliderLeft + 92, 27, 40, 13);
}
