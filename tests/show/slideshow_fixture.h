#pragma once

// The image area of a small show for the slideshow tests, pictures written
// for it, and a guard that ends the show threads before the fixture goes.

#include "persistence/picture_reader.h"
#include "show/engine_thread.h"
#include "tests/show/core_fixture.h"

#include <QImage>
#include <QRect>
#include <QTemporaryDir>

// On a 400 x 300 screen without titles the image area is x 210 to 390,
// y 50 to 150; pictures are stretched to fill it.
inline void layOutArea(ShowParts& f) {
    f.board.BorderWidth = 10;
    f.board.Box1Width = 200;
    f.show.Box1ShownHeight = 100;
    f.host.stretch = true;
}

inline const QRect kArea(210, 50, 180, 100);

// Watches every piece a picture reader takes from its file while it is set.
struct PieceHook {
    explicit PieceHook(std::function<void(qint64)> hook) {
        picture_reader_testing::setPieceHook(std::move(hook));
    }
    ~PieceHook() { picture_reader_testing::setPieceHook({}); }
    PieceHook(const PieceHook&) = delete;
    PieceHook& operator=(const PieceHook&) = delete;
};

inline QRgb areaColour(ShowParts& f) {
    return f.surface.image().pixel(kArea.center());
}

inline QString writePicture(const QString& path, QColor colour) {
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(colour);
    if (!img.save(path, "BMP")) {
        qFatal("cannot write picture");
    }
    return path;
}

inline QString writePicture(const QTemporaryDir& dir, const char* name, QColor colour) {
    return writePicture(dir.filePath(QString::fromLatin1(name)), colour);
}

inline void setEntries(ShowParts& f, const QStringList& entries) {
    f.show.ImageEntries = entries;
    f.show.ImageCount = static_cast<std::int32_t>(entries.size());
}

// Ends every show thread when it goes out of scope; declared after the
// fixture, so the threads end before the screen they step on goes.
struct EndThreadsOnExit {
    EndThreadsOnExit() = default;
    EndThreadsOnExit(const EndThreadsOnExit&) = delete;
    EndThreadsOnExit& operator=(const EndThreadsOnExit&) = delete;
    ~EndThreadsOnExit() { KILLTHREADS(); }
};
