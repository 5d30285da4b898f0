#include "editor/font_form.h"

#include "platform/colors.h"
#include "platform/system_info.h"
#include "show/safe_bounds.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionViewItem>

#include <utility>

namespace {

// The installed families the operator can pick from; families the system
// keeps for itself are left out.
QStringList installedFamilies() {
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family)) {
            families << family;
        }
    }
    return families;
}

QFont arial(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// Draws each face name in its own face at the height measured when the list
// was filled: the view asks only for stored numbers while it lays the list
// out, and loads a face only for the items it paints.
class FaceItemDelegate final : public QAbstractItemDelegate {
public:
    FaceItemDelegate(const TDFontForm* form, QObject* parent)
        : QAbstractItemDelegate(parent), form_(form) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        form_->ListBox1DrawItem(painter, option, index);
    }

    // The width is the view's: a non-wrapping list stretches its items.
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
        return QSize(0, form_->itemHeight(index.row()));
    }

private:
    const TDFontForm* form_;
};

} // namespace

TDFontForm::TDFontForm(QWidget* parent) : TDFontForm(installedFamilies(), parent) {}

TDFontForm::TDFontForm(const QStringList& families, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DFontForm"));
    setWindowTitle(QStringLiteral("Change Font and Size "));
    // A dialog frame with only a close box, of a fixed size.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(492, 329);
    setFont(arial(11, false));
    createControls();
    FormCreate(families);
}

TDFontForm::~TDFontForm() = default;

void TDFontForm::createControls() {
    FontSize = new QLabel(QStringLiteral("Font Size"), this);
    FontSize->setObjectName(QStringLiteral("FontSize"));
    FontSize->move(8, 11);
    FontSize->adjustSize();

    fontsizelabel = new QLabel(this);
    fontsizelabel->setObjectName(QStringLiteral("fontsizelabel"));
    fontsizelabel->setFont(arial(11, true));
    fontsizelabel->move(59, 7);

    FontSizeTrackbar = new QSlider(Qt::Horizontal, this);
    FontSizeTrackbar->setObjectName(QStringLiteral("FontSizeTrackbar"));
    FontSizeTrackbar->setGeometry(8, 27, 134, 46);
    FontSizeTrackbar->setRange(kChooserMinSize, kChooserMaxSize);
    FontSizeTrackbar->setTickPosition(QSlider::TicksBelow);
    FontSizeTrackbar->setTickInterval(kChooserSizeTick);
    FontSizeTrackbar->setPageStep(kChooserSizeTick);
    FontSizeTrackbar->setValue(kChooserMinSize);
    // The program moves the slider only with its signals blocked, so this
    // runs for the operator's moves alone.
    connect(FontSizeTrackbar, &QSlider::valueChanged, this, &TDFontForm::FontSizeTrackbarChange);

    fontlabel = new QLabel(QStringLiteral("**"), this);
    fontlabel->setObjectName(QStringLiteral("fontlabel"));
    fontlabel->setTextFormat(Qt::PlainText);
    fontlabel->setFont(arial(16, true));
    fontlabel->move(16, 75);
    fontlabel->adjustSize();

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 103, 137, 178);
    ListBox1->setFont(arial(11, true));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setItemDelegate(new FaceItemDelegate(this, ListBox1));
    // A pick comes by mouse or keyboard as a change of the selection; a click
    // on the face already selected picks it again, for another element.
    // Running twice for one click writes the same face twice.
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TDFontForm::ListBox1Click);
    connect(ListBox1, &QListWidget::itemClicked, this, &TDFontForm::ListBox1Click);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(160, 16, 281, 265);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    QPalette panelPalette = Panel1->palette();
    panelPalette.setColor(QPalette::Window, Qt::black);
    Panel1->setPalette(panelPalette);
    Panel1->setAutoFillBackground(true);

    // The sample reaches to the panel's bevel; what does not fit is cut off.
    fsamplelabel = new QLabel(QStringLiteral("test"), Panel1);
    fsamplelabel->setObjectName(QStringLiteral("fsamplelabel"));
    fsamplelabel->setTextFormat(Qt::PlainText);
    fsamplelabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const int bevel = Panel1->frameWidth();
    fsamplelabel->setGeometry(8, 8, Panel1->width() - 8 - bevel, Panel1->height() - 8 - bevel);
    fsamplelabel->setFont(arial(21, false));
    QPalette samplePalette = fsamplelabel->palette();
    samplePalette.setColor(QPalette::WindowText, Qt::white);
    fsamplelabel->setPalette(samplePalette);
    sampleFace_ = QStringLiteral("Arial");
}

void TDFontForm::FormCreate(const QStringList& families) {
    // The faces are listed at the size of the platform's default font.
    itemPixelSize_ = QFontInfo(QApplication::font()).pixelSize();
    ListBox1->clear();
    ListBox1->addItems(sortedFamilies(families));
    itemHeights_.clear();
    itemHeights_.reserve(static_cast<std::size_t>(ListBox1->count()));
    for (int i = 0; i < ListBox1->count(); ++i) {
        itemHeights_.push_back(ListBox1MeasureItem(i));
    }
}

QFont TDFontForm::itemFont(int index) const {
    QFont font = ListBox1->font(); // keeps the list's bold style
    font.setFamily(ListBox1->item(index)->text());
    font.setPixelSize(itemPixelSize_);
    return font;
}

int TDFontForm::ListBox1MeasureItem(int index) const {
    // The text height of "wg" is the face's line height, ascent and descent.
    return QFontMetrics(itemFont(index)).height() + 2;
}

int TDFontForm::itemHeight(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < itemHeights_.size()
               ? itemHeights_[static_cast<std::size_t>(index)]
               : 0;
}

void TDFontForm::ListBox1DrawItem(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
    painter->setFont(itemFont(index.row()));
    painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
    painter->drawText(option.rect.adjusted(1, 1, 0, 0),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = selected ? palette.highlight().color() : palette.base().color();
        ListBox1->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, ListBox1);
    }
}

void TDFontForm::setTarget(FontTarget target) {
    target_ = std::move(target);
}

void TDFontForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen, frame included once the window has one.
    const platform::SystemInfo& sys = platform::systemInfo();
    const QSize outer = frameGeometry().size();
    move((sys.screenWidth() - outer.width()) / 2, (sys.screenHeight() - outer.height()) / 2);
    FormShow();
    openedUnactivated_ = !isActiveWindow();
}

bool TDFontForm::event(QEvent* event) {
    // Coming back to the chooser from another window refreshes it as its
    // opening did: the "Time - Date" sample shows the time of the return.
    // The activation that comes with the opening is the opening itself.
    switch (event->type()) {
    case QEvent::WindowActivate:
        if (isVisible() && !openedUnactivated_) {
            FormShow();
        }
        openedUnactivated_ = false;
        break;
    case QEvent::Hide:
        openedUnactivated_ = false;
        break;
    default:
        break;
    }
    return QDialog::event(event);
}

void TDFontForm::applySampleFont() {
    QFont font;
    if (!sampleFace_.isEmpty()) {
        font.setFamily(sampleFace_);
    }
    font.setPixelSize(samplePixelSize(sampleSize_));
    fsamplelabel->setFont(font); // regular, whatever the face's own style
}

void TDFontForm::setSampleColour() {
    QPalette palette = fsamplelabel->palette();
    palette.setColor(QPalette::WindowText, platform::toQColor(*target_.colour));
    fsamplelabel->setPalette(palette);
}

void TDFontForm::showSize(int size) {
    fontsizelabel->setText(QString::number(size));
    fontsizelabel->adjustSize();
}

void TDFontForm::FormShow() {
    if (!target_.isValid()) {
        return;
    }
    sampleFace_ = *target_.face;
    sampleSize_ = *target_.size;
    applySampleFont();
    setSampleColour();
    {
        // Moving the slider here is not the operator's doing.
        const QSignalBlocker blocker(FontSizeTrackbar);
        FontSizeTrackbar->setValue(chooserFontSize(*target_.size));
    }
    showSize(FontSizeTrackbar->value());
    FontSizeTrackbarChange();
}

void TDFontForm::FontSizeTrackbarChange() {
    if (!target_.isValid()) {
        return;
    }
    const int size = FontSizeTrackbar->value();
    *target_.size = size;
    setSampleColour();
    const QString sample = target_.sampleText();
    sampleSize_ = size;
    applySampleFont();
    showSize(size);
    fsamplelabel->setText(safeLineText(sample));
}

void TDFontForm::ListBox1Click() {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty() || !target_.isValid()) {
        return;
    }
    const QString face = selected.front()->text();
    *target_.face = face;
    fontlabel->setText(face);
    fontlabel->adjustSize();
    sampleFace_ = face;
    applySampleFont();
}
