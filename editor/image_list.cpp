// The image control panel: the list of pictures and movies, its tool bar,
// the time per slide and the image stretch and panel switches.

#include "editor/image_list_panel.h"
#include "editor/image_list_rules.h"
#include "editor/mainform.h"
#include "show/show_rules.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QSlider>
#include <QToolButton>

void Tmainform::connectImageList() {
    connect(ToolButton9, &QToolButton::clicked, this, &Tmainform::ToolButton9Click);
    connect(ToolButton10, &QToolButton::clicked, this, &Tmainform::ToolButton10Click);
    connect(ToolButton12, &QToolButton::clicked, this, &Tmainform::ToolButton12Click);
    connect(ToolButton2, &QToolButton::clicked, this, &Tmainform::ToolButton2Click);
    connect(PlayTime, &QSlider::valueChanged, this, &Tmainform::PlayTimeChange);
    connect(ImageControl1, &QAction::triggered, this, &Tmainform::ImageControl1Click);
    connect(imagePanel_, &ImageListPanel::listPressed, this, &Tmainform::ListBox1MouseDown);
}

void Tmainform::ToolButton9Click() {
    OpenPictureDialog1.title = QStringLiteral("Bitmap To Image List");
    // Every kind of picture first; the bitmaps alone as the second choice.
    OpenPictureDialog1.filter = suffixFilter(QStringLiteral("Pictures"), pictureSuffixes()) +
                                QStringLiteral("|Bitmaps (*.bmp)|*.bmp");
    OpenPictureDialog1.defaultExt = QStringLiteral("BMP");
    OpenPictureDialog1.options =
        platform::FileOption::AllowMultiSelect | platform::FileOption::HideReadOnly;
    const std::optional<QStringList> chosen = platform::dialogs().openPicture(OpenPictureDialog1);
    // Only the first of several selected pictures is taken.
    if (chosen && !chosen->isEmpty()) {
        ListBox1->addItem(chosen->first());
    }
}

void Tmainform::ToolButton12Click() {
    OpenDialog1.title = QStringLiteral("Open A Media File");
    // Whatever the media service plays first; AVI files alone as before.
    OpenDialog1.filter =
        suffixFilter(QStringLiteral("Movies"), movieSuffixes()) + QStringLiteral("|AVI FILE|*.avi");
    OpenDialog1.defaultExt = QStringLiteral("AVI");
    const std::optional<QStringList> chosen = platform::dialogs().openFile(OpenDialog1);
    if (chosen && !chosen->isEmpty()) {
        ListBox1->addItem(chosen->first());
    }
    // The Play command's offer to load a text file opens the dialog as left here.
    OpenDialog1.defaultExt = QStringLiteral("TXT");
    OpenDialog1.filter = QStringLiteral("TXT");
    OpenDialog1.title = QStringLiteral("Open Text File");
}

void Tmainform::ToolButton10Click() {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (!selected.isEmpty()) {
        delete ListBox1->takeItem(ListBox1->row(selected.first()));
    }
    Label4->setText(imageCountText(ListBox1->count()));
    ToolButton10->setEnabled(false);
}

void Tmainform::ListBox1MouseDown() {
    ToolButton10->setEnabled(true);
}

void Tmainform::PlayTimeChange() {
    Label1->setText(QString::number(PlayTime->value()));
    // The slideshow thread reads the time per slide from the show record.
    showState.PlayTime = PlayTime->value();
}

void Tmainform::ImageControl1Click() {
    // The menu has already inverted its check.
    Panel1->setVisible(ImageControl1->isChecked());
}

void Tmainform::ToolButton2Click() {
    Label2->setText(markerCountText(countMarkerLines(textObjectLines(Memo1))));
}
