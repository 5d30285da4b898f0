#pragma once

// The controls that stand on the play screen: the title bars and the frames
// around the text boxes.

#include "board/board_state.h"
#include "show/show_surface.h"

#include <QWidget>

class QPainter;

// A control of the play screen. The play screen paints it, in the screen's
// own pixels, where it was placed; the widget stands there to take the mouse.
class PlayControl : public QWidget {
    Q_OBJECT
public:
    explicit PlayControl(QWidget* parent = nullptr);

    // Puts the control at `pixels`, in the screen's own pixels, with `ratio`
    // of them to a pixel of the desktop.
    void place(const QRect& pixels, qreal ratio);
    // Where the control stands, in the screen's own pixels.
    QRect placed() const;
    // Paints the control at `at` (the screen's own pixels), at least where
    // it meets `need`.
    virtual void paintOn(QPainter& p, const QRect& at, const QRegion& need) const = 0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect placed_;
    bool scaled_ = false;
};

// A title bar: a coloured panel with an optional lowered bevel and a caption
// centred both ways.
class TitlePanel : public PlayControl {
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

    void paintOn(QPainter& p, const QRect& at, const QRegion& need) const override;

signals:
    // A mouse press on the bar; the play screen treats it as its own.
    void pressed(QMouseEvent* event);

protected:
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
class BevelFrame : public PlayControl {
    Q_OBJECT
public:
    explicit BevelFrame(QWidget* parent = nullptr);

    void paintOn(QPainter& p, const QRect& at, const QRegion& need) const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
