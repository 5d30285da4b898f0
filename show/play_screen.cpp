#include "show/play_screen.h"

#include "platform/colors.h"
#include "show/show_host.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

TPlayScreen::TPlayScreen(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("PlayScreen"));
    setWindowTitle(QStringLiteral("PlayScreen"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);

    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(27);
    f.setBold(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    Panel3 = new TitlePanel(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel4 = new TitlePanel(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Bevel3 = new BevelFrame(this);
    Bevel3->setObjectName(QStringLiteral("Bevel3"));
    Bevel4 = new BevelFrame(this);
    Bevel4->setObjectName(QStringLiteral("Bevel4"));
    for (QWidget* w : {static_cast<QWidget*>(Panel3), static_cast<QWidget*>(Panel4),
                       static_cast<QWidget*>(Bevel3), static_cast<QWidget*>(Bevel4)}) {
        w->hide();
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    resizeSurface(1, 1);
}

void TPlayScreen::attach(BoardState* board, ShowState* show, ShowHost* host,
                         QWidget* controlPanel) {
    board_ = board;
    show_ = show;
    host_ = host;
    controlPanel_ = controlPanel;
}

void TPlayScreen::resizeSurface(int width, int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    if (surface_.width() == width && surface_.height() == height) {
        return;
    }
    surface_ = QImage(width, height, QImage::Format_RGB32);
    surface_.fill(platform::toQColor(background_));
    update();
}

void TPlayScreen::markDirty(const QRect& rect) {
    update(rect);
}

void TPlayScreen::requestErase() {
    erasePending_ = true;
    update();
}

void TPlayScreen::setBackground(Colour colour) {
    background_ = colour;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::toQColor(colour));
    setPalette(pal);
    // A new colour repaints the window, as any change of the background does.
    requestErase();
}

void TPlayScreen::setupplayscreen() {
    setEnabled(true);
    if (controlPanel_) {
        controlPanel_->move(width() - controlPanel_->width(), 4);
        controlPanel_->setEnabled(true);
    }
    EraseAllowed = true;
    if (board_) {
        if (board_->ClockOn) {
            Timer1->start();
        } else {
            Timer1->stop();
        }
        if (board_->AlignScreen) {
            if (controlPanel_) {
                controlPanel_->show();
            }
            setCursor(Qt::ArrowCursor);
        } else {
            setCursor(Qt::BlankCursor);
            if (controlPanel_) {
                controlPanel_->hide();
            }
        }
    }
    QApplication::processEvents();
    if (board_) {
        setBackground(board_->PlayBackColor);
        Panel3->setBackColor(board_->MainTitleBackColor);
        Panel4->setBackColor(board_->SecondTitleBackColor);
    }
    EraseAllowed = false;
    // The four picture holders only hold bitmaps and are never shown.
}

void TPlayScreen::ClosePlayScreen() {
    if (closing_) {
        return;
    }
    closing_ = true;
    Timer1->stop();
    if (show_) {
        show_->ShowRunning = false;
    }
    if (board_) {
        board_->AlignScreen = false;
    }
    hide();
    setEnabled(false);
    if (controlPanel_) {
        controlPanel_->hide();
        controlPanel_->setEnabled(false);
    }
    if (host_) {
        host_->showEditorAfterShow();
    }
    closing_ = false;
}

void TPlayScreen::paintEvent(QPaintEvent* event) {
    if (erasePending_) {
        erasePending_ = false;
        if (EraseAllowed) {
            surface_.fill(platform::toQColor(background_));
        }
    }
    QPainter p(this);
    for (const QRect& r : event->region()) {
        p.drawImage(r.topLeft(), surface_, r);
    }
}

void TPlayScreen::keyPressEvent(QKeyEvent* event) {
    // Modifier keys are not looked at.
    if (event->key() == Qt::Key_Escape) {
        ClosePlayScreen();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TPlayScreen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setupplayscreen();
}

void TPlayScreen::closeEvent(QCloseEvent* event) {
    // Closing the window ends the show; the window itself lives on, hidden.
    event->ignore();
    if (isVisible()) {
        ClosePlayScreen();
    }
}

void TPlayScreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    requestErase();
}
