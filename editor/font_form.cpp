#include "editor/font_form.h"

TDFontForm::TDFontForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DFontForm"));
    setWindowTitle(QStringLiteral("Font"));
    setWindowModality(Qt::ApplicationModal);
    resize(420, 320);
}
