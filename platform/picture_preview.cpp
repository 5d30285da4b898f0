#include "platform/picture_preview.h"

#include "persistence/file_guard.h"
#include "persistence/picture_reader.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>
#include <QLabel>

#include <optional>

namespace platform {

namespace {

// What a picture's header tells before any of its pixels is decoded.
struct PictureHeader {
    QSize upright;              // its size as shown, turned as its orientation tag says
    bool decodesScaled = false; // its decoder can decode straight at a smaller size
};

// The header of the picture at `path`, read through the file guard: nothing
// for a file that is not a readable regular file or does not tell its size.
std::optional<PictureHeader> pictureHeader(const QString& path) {
    const GuardedFile guarded = openGuarded(path);
    if (!guarded.ok()) {
        return std::nullopt;
    }
    QImageReader reader(guarded.file.get());
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (stored.isEmpty()) {
        return std::nullopt;
    }
    const bool sideways = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    return PictureHeader{sideways ? stored.transposed() : stored,
                         reader.supportsOption(QImageIOHandler::ScaledSize)};
}

} // namespace

QPixmap picturePreview(const QString& path, QSize box) {
    if (path.isEmpty() || box.isEmpty()) {
        return {};
    }
    // The picture is read as the show reads it: through the file guard, so
    // that a FIFO never holds the dialog, and within the decode limit.
    const std::optional<PictureHeader> header = pictureHeader(path);
    if (!header) {
        return {};
    }
    const QSize natural = header->upright;
    const QSize fitted = (natural.width() > box.width() || natural.height() > box.height()
                              ? natural.scaled(box, Qt::KeepAspectRatio)
                              : natural)
                             .expandedTo(QSize(1, 1));
    // A decoder that scales decodes straight at the preview's size, which
    // saves memory on large photographs. The others decode the whole picture,
    // shrunk smoothly here: the reader's own stretching is made for speed.
    const QSize decodedAt = header->decodesScaled ? fitted : natural;
    const AreaPicture read =
        readPictureForArea(path, PicturePlacement{QRect(QPoint(), decodedAt), decodedAt, true});
    if (read.outcome != AreaPicture::Outcome::Read || read.image.isNull()) {
        return {};
    }
    QImage image = read.image;
    if (image.size() != fitted) {
        image = image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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
