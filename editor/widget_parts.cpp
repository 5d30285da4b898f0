#include "editor/widget_parts.h"

#include <QAction>
#include <QActionEvent>
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

namespace {

// A tool button that repeats a menu item: it carries the item's action, so
// both share one check and one handler, while the icon and the hint stay the
// button's own. On the action they would change the menu: an icon widens it,
// shown or not, and a hint may show over the menu bar.
class TwinButton final : public QToolButton {
public:
    TwinButton(QToolBar* bar, QAction* action, const QIcon& icon, const QString& hint)
        : QToolButton(bar), icon_(icon), hint_(hint) {
        setDefaultAction(action);
        ownLook();
    }

protected:
    void actionEvent(QActionEvent* event) override {
        // A change of the action gives the button the action's look again.
        QToolButton::actionEvent(event);
        if (event->type() == QEvent::ActionChanged && event->action() == defaultAction()) {
            ownLook();
        }
    }

private:
    void ownLook() {
        setIcon(icon_);
        setToolTip(hint_);
    }

    QIcon icon_;
    QString hint_;
};

} // namespace

QToolButton* twinButton(QToolBar* bar, const char* name, QAction* action, const QString& hint,
                        ToolIcon icon) {
    auto* button = new TwinButton(bar, action, toolIcon(icon), hint);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

} // namespace editor_parts
