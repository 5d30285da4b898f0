#pragma once

// The board's single-line fields, two to a panel, each with its caption:
// the two titles above the text objects and the crawl line with the clock
// sample below them.

#include <QWidget>

class QLabel;
class QLineEdit;

class LineFieldPair : public QWidget {
    Q_OBJECT
public:
    // Every box of the pair takes this width; the pair's width follows.
    void setBoxWidth(int width);
    // The lower box's top in the parent's coordinates.
    int lowerBoxTop() const;

protected:
    struct Row {
        const char* captionName;
        QString caption;
        const char* boxName;
    };
    struct Look {
        int boxLeft; // from the captions' left edge
        int boxHeight;
        int pixelSize;
        int rowPitch;    // from one box's top to the next
        int captionDrop; // a caption's top below its box's top
    };
    LineFieldPair(const Row& upper, const Row& lower, const Look& look, QWidget* parent);

    QLabel* upperCaption_ = nullptr;
    QLineEdit* upperBox_ = nullptr;
    QLabel* lowerCaption_ = nullptr;
    QLineEdit* lowerBox_ = nullptr;
};

class TitleFields : public LineFieldPair {
    Q_OBJECT
public:
    explicit TitleFields(QWidget* parent);
    QLabel* mainTitleCaption() const { return upperCaption_; }
    QLineEdit* mainTitle() const { return upperBox_; }
    QLabel* secondTitleCaption() const { return lowerCaption_; }
    QLineEdit* secondTitle() const { return lowerBox_; }
};

class CrawlFields : public LineFieldPair {
    Q_OBJECT
public:
    explicit CrawlFields(QWidget* parent);
    QLabel* crawlLineCaption() const { return upperCaption_; }
    QLineEdit* crawlLine() const { return upperBox_; }
    QLabel* clockSampleCaption() const { return lowerCaption_; }
    QLineEdit* clockSample() const { return lowerBox_; }
    // Places the crawl line's box at `top` of the parent.
    void placeAt(int top) { move(x(), top); }
};
