#pragma once

// The font chooser window. It is created at program start and shown
// modally by the "Font Type - Size..." command; its lists come later.

#include <QDialog>

class TDFontForm : public QDialog {
    Q_OBJECT
public:
    explicit TDFontForm(QWidget* parent = nullptr);
};
