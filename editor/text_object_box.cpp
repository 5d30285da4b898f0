#include "editor/text_object_box.h"

#include "editor/widget_parts.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegion>

namespace {

// The caption stands at the window's left margin, the box a little inside.
constexpr int kLeft = 8;
constexpr int kTextLeft = 92;

} // namespace

TextObjectBox::TextObjectBox(const QString& title, const char* captionName, const char* boxName,
                             const char* pathName, QWidget* parent)
    : QWidget(parent) {
    caption_ = editor_parts::caption(this, captionName, title);
    caption_->move(0, kPathRow);

    textBox_ = new QPlainTextEdit(this);
    textBox_->setObjectName(QString::fromLatin1(boxName));
    textBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textBox_->setTabChangesFocus(false);
    textBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    textBox_->move(kTextLeft, kPathRow);

    pathLabel_ = editor_parts::smallLabel(this, pathName, QString());
    pathLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pathLabel_->move(kTextLeft, 0);
    pathLabel_->hide();
    updateMask();
}

void TextObjectBox::place(int textTop, int textWidth, int textHeight) {
    setGeometry(kLeft, textTop - kPathRow, kTextLeft + textWidth, kPathRow + textHeight);
    textBox_->resize(textWidth, textHeight);
    fitPathLabel();
}

void TextObjectBox::showPath(const QString& path) {
    pathLabel_->setText(path);
    pathLabel_->show();
    fitPathLabel();
}

void TextObjectBox::hidePath() {
    pathLabel_->hide();
    updateMask();
}

void TextObjectBox::fitPathLabel() {
    pathLabel_->adjustSize();
    pathLabel_->resize(std::min(pathLabel_->width(), textBox_->width()), pathLabel_->height());
    pathLabel_->raise();
    // The path is read above whatever the box overlaps.
    raise();
    updateMask();
}

void TextObjectBox::updateMask() {
    QRegion parts(caption_->geometry());
    parts += textBox_->geometry();
    if (!pathLabel_->isHidden()) {
        parts += pathLabel_->geometry();
    }
    setMask(parts);
}
