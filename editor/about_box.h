#pragma once

// The about window: the program's picture, name and version over an OK
// button. The Help menu's "About" builds a fresh one for each use.

#include <QDialog>

class QLabel;
class QPushButton;
class QToolButton;

class TScrollBoxXAbout : public QDialog {
    Q_OBJECT
public:
    explicit TScrollBoxXAbout(QWidget* parent = nullptr);

    static constexpr int kClientWidth = 267;
    static constexpr int kClientHeight = 127;

    QToolButton* CtlImage = nullptr; // the program's small picture; no command
    QLabel* NameLbl = nullptr;
    QLabel* DescLbl = nullptr; // "Version " and the version text, set by the caller
    QLabel* NoticeLbl = nullptr;
    QPushButton* OkBtn = nullptr;
};

// The line under the program's name.
QString aboutVersionLine(const QString& versionString);

// The program's small picture, drawn at the given size.
QPixmap programPicture(int size);
