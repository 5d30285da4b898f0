#include "editor/font_form.h"

TDFontForm::TDFontForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DFontForm"));
    setWindowTitle(QStringLiteral("Font"));
    resize(420, 320);
}
