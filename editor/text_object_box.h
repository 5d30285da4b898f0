#pragma once

// A text object of the board as the editor shows it: its caption, its edit
// box and, above the box, the path of the file it was read from.

#include <QWidget>

class QLabel;
class QPlainTextEdit;

class TextObjectBox : public QWidget {
    Q_OBJECT
public:
    // The names are the object names of the caption, the edit box and the
    // path label.
    TextObjectBox(const QString& title, const char* captionName, const char* boxName,
                  const char* pathName, QWidget* parent);

    QLabel* caption() const { return caption_; }
    QPlainTextEdit* textBox() const { return textBox_; }
    QLabel* pathLabel() const { return pathLabel_; }

    // Places the edit box at `textTop` of the parent with the given size; the
    // caption stands beside it and the path label just above it.
    void place(int textTop, int textWidth, int textHeight);
    void showPath(const QString& path);
    void hidePath();
    // The path label grows with its path, up to the width of the edit box.
    void fitPathLabel();

    // The space between the path label's top and the edit box.
    static constexpr int kPathRow = 18;

private:
    // Only the parts take clicks: the empty corners of the box let them
    // through to what lies beneath.
    void updateMask();

    QLabel* caption_ = nullptr;
    QPlainTextEdit* textBox_ = nullptr;
    QLabel* pathLabel_ = nullptr;
};
