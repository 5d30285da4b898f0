#include "platform/picture_preview.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImage>
#include <QImageReader>
#include <QLabel>

namespace platform {

QPixmap picturePreview(const QString& path, QSize box) {
    // Only a regular file is previewed: opening a FIFO would hold the dialog
    // until a writer came.
    if (path.isEmpty() || box.isEmpty() || !QFileInfo(path).isFile()) {
        return {};
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        return {};
    }
    // Decoding at the preview size saves memory on large photographs.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > box.width() || size.height() > box.height())) {
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    // Some formats ignore the scaled size, and a turned photograph may still
    // be too large.
    if (image.width() > box.width() || image.height() > box.height()) {
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return QPixmap::fromImage(image);
}

void addPicturePreview(QFileDialog& dialog, bool previewStartingFile) {
    auto* label = new QLabel(&dialog);
    label->setObjectName(QStringLiteral("picturePreview"));
    label->setFixedSize(kPicturePreviewSize);
    label->setAlignment(Qt::AlignCenter);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        // Qt's own dialog lays out its parts in a grid three columns
        // wide; the preview takes a fourth beside the file list.
        grid->addWidget(label, 1, 3, 3, 1);
    } else if (dialog.layout() != nullptr) {
        dialog.layout()->addWidget(label);
    }
    const auto showPreview = [label](const QString& path) {
        const QPixmap pixmap = picturePreview(path, kPicturePreviewSize);
        if (pixmap.isNull()) {
            label->clear();
        } else {
            label->setPixmap(pixmap);
        }
    };
    QObject::connect(&dialog, &QFileDialog::currentChanged, label, showPreview);
    const QStringList starting = dialog.selectedFiles();
    if (previewStartingFile && starting.size() == 1) {
        showPreview(starting.first());
    }
}

} // namespace platform
