#include "editor/line_fields.h"

#include "editor/widget_parts.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// The captions stand at the window's left margin.
constexpr int kLeft = 8;
constexpr int kTitlesTop = 16;

} // namespace

LineFieldPair::LineFieldPair(const Row& upper, const Row& lower, const Look& look, QWidget* parent)
    : QWidget(parent) {
    using namespace editor_parts;
    upperCaption_ = caption(this, upper.captionName, upper.caption);
    upperCaption_->move(0, look.captionDrop);
    upperBox_ = lineBox(this, upper.boxName, look.boxHeight, look.pixelSize);
    upperBox_->move(look.boxLeft, 0);
    lowerCaption_ = caption(this, lower.captionName, lower.caption);
    lowerCaption_->move(0, look.rowPitch + look.captionDrop);
    lowerBox_ = lineBox(this, lower.boxName, look.boxHeight, look.pixelSize);
    lowerBox_->move(look.boxLeft, look.rowPitch);
    setGeometry(kLeft, 0, look.boxLeft + upperBox_->width(), look.rowPitch + look.boxHeight);
}

void LineFieldPair::setBoxWidth(int width) {
    upperBox_->resize(width, upperBox_->height());
    lowerBox_->resize(width, lowerBox_->height());
    resize(upperBox_->x() + width, height());
}

int LineFieldPair::lowerBoxTop() const {
    return y() + lowerBox_->y();
}

// The title boxes stand a little left of the others so that they end short
// of the image panel, whose left edge follows their width.
TitleFields::TitleFields(QWidget* parent)
    : LineFieldPair({"StaticText1", QStringLiteral("Main Title"), "edit1"},
                    {"StaticText5", QStringLiteral("Second Title"), "edit2"}, {84, 34, 18, 48, 7},
                    parent) {
    move(x(), kTitlesTop);
    mainTitle()->setMaxLength(40);
    mainTitle()->setText(QStringLiteral("Main Title"));
    secondTitle()->setText(QStringLiteral("Sub Title"));
}

CrawlFields::CrawlFields(QWidget* parent)
    : LineFieldPair({"StaticText4", QStringLiteral("Crawl Line"), "Edit3"},
                    {"StaticText7", QStringLiteral("Time - Date"), "Edit4"}, {92, 26, 14, 28, 0},
                    parent) {
    crawlLine()->setText(QStringLiteral("Hori scroll region"));
}
