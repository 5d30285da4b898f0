#include "editor/widget_parts.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace editor_parts {

namespace {

void setPixelSize(QWidget* widget, int pixelSize) {
    QFont f = widget->font();
    f.setPixelSize(pixelSize);
    widget->setFont(f);
}

} // namespace

QLabel* caption(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setPixelSize(label, 11);
    label->resize(82, 20);
    return label;
}

QLineEdit* lineBox(QWidget* parent, const char* name, int height, int pixelSize) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    setPixelSize(edit, pixelSize);
    edit->resize(300, height);
    return edit;
}

QLabel* smallLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    setPixelSize(label, 11);
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

} // namespace editor_parts
