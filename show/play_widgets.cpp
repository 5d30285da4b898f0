#include "show/play_widgets.h"

#include "platform/colors.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {

const QColor kShadow(128, 128, 128);
const QColor kHighlight(255, 255, 255);

} // namespace

PlayControl::PlayControl(QWidget* parent) : QWidget(parent) {
    // Not opaque: the play screen paints beneath and for it.
    setAttribute(Qt::WA_NoSystemBackground);
}

void PlayControl::place(const QRect& pixels, qreal ratio) {
    scaled_ = ratio > 0 && !qFuzzyCompare(ratio, 1.0);
    placed_ = pixels;
    if (!scaled_) {
        setGeometry(pixels);
        return;
    }
    // The widget covers the desktop pixels the control touches.
    setGeometry(coverScaled(pixels, 1.0 / ratio));
}

QRect PlayControl::placed() const {
    // Unscaled, the widget's geometry is the place, however it was set.
    return scaled_ ? placed_ : geometry();
}

void PlayControl::paintEvent(QPaintEvent*) {
    // The play screen has painted the control already.
}

TitlePanel::TitlePanel(QWidget* parent) : PlayControl(parent) {}

void TitlePanel::setCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void TitlePanel::setTextColor(Colour color) {
    textColor_ = color;
    update();
}

void TitlePanel::setBackColor(Colour color) {
    backColor_ = color;
    update();
}

void TitlePanel::setBevelOuter(Bevel bevel) {
    bevel_ = bevel;
    update();
}

void TitlePanel::setBevelWidth(int width) {
    bevelWidth_ = width;
    update();
}

void TitlePanel::paintOn(QPainter& p, const QRect& at, const QRegion&) const {
    const QRect all = at;
    p.fillRect(all, platform::toQColor(backColor_));
    int inset = 0;
    if (bevel_ == Bevel::Lowered && bevelWidth_ > 0) {
        inset = bevelWidth_;
        // Lowered: the shadow on the top and left edges, the light below and right.
        for (int i = 0; i < bevelWidth_; ++i) {
            const QRect r = all.adjusted(i, i, -i, -i);
            if (r.width() <= 0 || r.height() <= 0) {
                break;
            }
            p.setPen(kShadow);
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(kHighlight);
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
        }
    }
    const QRect inner = all.adjusted(inset, inset, -inset, -inset);
    if (inner.isValid()) {
        p.setClipRect(inner);
        p.setFont(font());
        p.setPen(platform::toQColor(textColor_));
        p.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, caption_);
    }
}

void TitlePanel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit pressed(event);
}

void TitlePanel::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click does nothing.
    event->accept();
}

BevelFrame::BevelFrame(QWidget* parent) : PlayControl(parent) {}

void BevelFrame::paintOn(QPainter& p, const QRect& at, const QRegion& need) const {
    const QRect r = at;
    if (r.width() < 2 || r.height() < 2) {
        return;
    }
    // The box inside moves at every display frame; the lines need drawing
    // only where the window lost them.
    if (!need.intersects(QRegion(r) - QRegion(r.adjusted(2, 2, -2, -2)))) {
        return;
    }
    // A lowered box: a shadow line and a light line beside it, all round.
    // The lines are filled as one-pixel strips, which the frame repaints at
    // every display frame of the box inside it for a fraction of the cost of
    // stroking them: the outline of `o` covers its left to right + 1 and its
    // top to bottom + 1.
    const auto outline = [&p](const QRect& o, const QColor& colour) {
        if (o.isNull()) {
            return; // an outline of no size draws nothing
        }
        const int w = o.width() + 1;
        const int h = o.height() + 1;
        p.fillRect(QRect(o.left(), o.top(), w, 1), colour);
        p.fillRect(QRect(o.left(), o.top() + h - 1, w, 1), colour);
        p.fillRect(QRect(o.left(), o.top(), 1, h), colour);
        p.fillRect(QRect(o.left() + w - 1, o.top(), 1, h), colour);
    };
    outline(r.adjusted(0, 0, -2, -2), kShadow);
    outline(r.adjusted(1, 1, -1, -1), kHighlight);
}

void BevelFrame::mousePressEvent(QMouseEvent* event) {
    // Taken here so that it does not reach the play screen.
    event->accept();
}
