#pragma once

// The picture dialog's preview: a small picture of the file the operator is
// on, beside the file list.

#include <QPixmap>
#include <QSize>
#include <QString>

class QFileDialog;

namespace platform {

// The preview of the picture at `path`, shrunk to fit `box` with its aspect
// ratio kept (never enlarged) and turned upright; null when the file is not
// a readable regular file, not a picture, or a picture too costly to decode
// (see readPictureForArea()).
QPixmap picturePreview(const QString& path, QSize box);
inline constexpr QSize kPicturePreviewSize{200, 200};

// Puts a preview of kPicturePreviewSize beside the file list of `dialog`
// (Qt's own dialog, already set up), following the file the operator is on.
// With `previewStartingFile`, the one file the dialog starts on is previewed
// before anything is clicked.
void addPicturePreview(QFileDialog& dialog, bool previewStartingFile);

} // namespace platform
