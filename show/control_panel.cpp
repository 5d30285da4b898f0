#include "show/control_panel.h"

TAlignCntrlBox::TAlignCntrlBox(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("AlignCntrlBox"));
    setWindowTitle(QStringLiteral("Plakora Control"));
    setFixedSize(172, 401);
}

void TAlignCntrlBox::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (onShown) {
        onShown();
    }
}
