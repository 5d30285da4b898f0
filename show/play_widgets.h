#pragma once

// The controls that stand on the play screen: the title bars and the frames
// around the text boxes.

#include "board/board_state.h"

#include <QWidget>

// A title bar: a coloured panel with an optional lowered bevel and a caption
// centred both ways.
class TitlePanel : public QWidget {
    Q_OBJECT
public:
    enum class Bevel { None, Lowered };

    explicit TitlePanel(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const { return caption_; }
    void setTextColor(Colour color);
    Colour textColor() const { return textColor_; }
    void setBackColor(Colour color);
    Colour backColor() const { return backColor_; }
    void setBevelOuter(Bevel bevel);
    Bevel bevelOuter() const { return bevel_; }
    void setBevelWidth(int width);
    int bevelWidth() const { return bevelWidth_; }

signals:
    // A mouse press on the bar; the play screen treats it as its own.
    void pressed(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString caption_;
    Colour textColor_ = 0xFFFFFF;
    Colour backColor_ = 0;
    Bevel bevel_ = Bevel::Lowered;
    int bevelWidth_ = 5;
};

// A lowered box outline around a text box. It takes the mouse presses made
// inside it and does nothing with them.
class BevelFrame : public QWidget {
    Q_OBJECT
public:
    explicit BevelFrame(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
