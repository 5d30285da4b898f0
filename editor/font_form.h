#pragma once

// The font chooser window. It is created once at program start and shown
// modally by the "Font Type - Size..." command of the element boxes' context
// menu; every pick is written into the board at once, there is no OK or
// Cancel. The editor tells it which element it works on before showing it.

#include "editor/font_rules.h"

#include <QDialog>
#include <QFont>
#include <QStringList>

#include <vector>

class QFrame;
class QLabel;
class QListWidget;
class QModelIndex;
class QPainter;
class QSlider;
class QStyleOptionViewItem;

class TDFontForm : public QDialog {
    Q_OBJECT
public:
    // The face list holds the installed font families.
    explicit TDFontForm(QWidget* parent = nullptr);
    // The face list holds these families instead.
    explicit TDFontForm(const QStringList& families, QWidget* parent = nullptr);
    ~TDFontForm() override;

    QSlider* FontSizeTrackbar = nullptr;
    QLabel* FontSize = nullptr;      // "Font Size"
    QLabel* fontsizelabel = nullptr; // the slider's position
    QLabel* fontlabel = nullptr;     // the face picked last
    QListWidget* ListBox1 = nullptr; // the faces, each drawn in itself
    QFrame* Panel1 = nullptr;
    QLabel* fsamplelabel = nullptr;

    // The element the chooser works on from its next activation on.
    void setTarget(FontTarget target);
    const FontTarget& target() const { return target_; }

    void FormCreate(const QStringList& families);
    // The height of one face list item: "wg" in its face, plus two pixels.
    int ListBox1MeasureItem(int index) const;
    void ListBox1DrawItem(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const;
    void FormShow();
    void FontSizeTrackbarChange();
    void ListBox1Click();

    // The face a list item is measured and drawn in.
    QFont itemFont(int index) const;
    int itemHeight(int index) const;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void createControls();
    void applySampleFont();
    void setSampleColour();
    void showSize(int size);

    FontTarget target_;
    // The item heights, measured once when the list is filled.
    std::vector<int> itemHeights_;
    // The default size of the platform's font, at which the faces are listed.
    int itemPixelSize_ = 0;
    QString sampleFace_;
    int sampleSize_ = 0;
    // Shown, and not yet active since: the first activation is the opening.
    bool openedUnactivated_ = false;
};
