#pragma once

// The image control panel: the list of pictures and movies the slideshow
// plays, its tool bar, the time per slide and the counts of images and of
// markers.

#include <QFrame>

class QAction;
class QLabel;
class QListWidget;
class QSlider;
class QToolBar;
class QToolButton;

class ImageListPanel : public QFrame {
    Q_OBJECT
public:
    // `stretch` is the image stretch switch that the panel's stretch button
    // shares with the menu.
    ImageListPanel(QAction* stretch, QWidget* parent);

    QToolBar* toolBar() const { return toolBar_; }
    QToolButton* addPictureButton() const { return addPicture_; }
    QToolButton* deleteButton() const { return delete_; }
    QToolButton* addMovieButton() const { return addMovie_; }
    QToolButton* stretchButton() const { return stretch_; }
    QToolButton* countMarkersButton() const { return countMarkers_; }
    QSlider* playTime() const { return playTime_; }
    QLabel* title() const { return title_; }
    QLabel* playTimeCaption() const { return playTimeCaption_; }
    QLabel* playTimeValue() const { return playTimeValue_; }
    QLabel* imageCount() const { return imageCount_; }
    QLabel* markerCount() const { return markerCount_; }
    QListWidget* list() const { return list_; }

    QStringList entries() const;
    // Sizes the panel and its list; the slider keeps to the right half.
    void place(int left, int width, int height, int listWidth, int listHeight);

signals:
    // A mouse button went down on the list.
    void listPressed();

private:
    QToolBar* toolBar_ = nullptr;
    QToolButton* addPicture_ = nullptr;
    QToolButton* delete_ = nullptr;
    QToolButton* addMovie_ = nullptr;
    QToolButton* stretch_ = nullptr;
    QToolButton* countMarkers_ = nullptr;
    QSlider* playTime_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* playTimeCaption_ = nullptr;
    QLabel* playTimeValue_ = nullptr;
    QLabel* imageCount_ = nullptr;
    QLabel* markerCount_ = nullptr;
    QListWidget* list_ = nullptr;
};
