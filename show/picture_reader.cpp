#include "show/picture_reader.h"

#include "persistence/file_guard.h"
#include "show/safe_bounds.h"

#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>

#include <algorithm>
#include <mutex>

namespace {

// Larger reads are taken in pieces of this size, so that a call-off is seen
// within one piece: well under a millisecond from the disk cache.
constexpr qint64 kPieceBytes = 256 * 1024;

std::function<void(qint64)>& pieceHook() {
    static std::function<void(qint64)> hook;
    return hook;
}

bool pastDecodeLimit(QSize size) {
    return qint64(size.width()) * size.height() * 4 > (qint64(kMaxPictureDecodeMiB) << 20);
}

} // namespace

void applyPictureDecodeLimit() {
    static std::once_flag once;
    std::call_once(once, [] { QImageReader::setAllocationLimit(kMaxPictureDecodeMiB); });
}

CancellableDevice::CancellableDevice(std::unique_ptr<QFile> file, ReadCancel cancel)
    : file_(std::move(file)), cancel_(std::move(cancel)) {}

CancellableDevice::~CancellableDevice() {
    close();
}

qint64 CancellableDevice::size() const {
    return file_->size();
}

bool CancellableDevice::seek(qint64 pos) {
    return file_->seek(pos) && QIODevice::seek(pos);
}

qint64 CancellableDevice::readData(char* data, qint64 maxSize) {
    if (file_->pos() != pos() && !file_->seek(pos())) {
        return -1;
    }
    qint64 done = 0;
    while (done < maxSize) {
        if (pieceHook()) {
            pieceHook()(file_->pos());
        }
        if (cancel_ && cancel_()) {
            setErrorString(QStringLiteral("The reading was called off."));
            return -1;
        }
        const qint64 n = file_->read(data + done, std::min(kPieceBytes, maxSize - done));
        if (n < 0) {
            return done > 0 ? done : -1;
        }
        if (n == 0) {
            break;
        }
        done += n;
        bytesRead_ += n;
    }
    return done;
}

AreaPicture readPictureForArea(const QString& path, const PicturePlacement& placement,
                               const ReadCancel& cancel) {
    using Outcome = AreaPicture::Outcome;
    applyPictureDecodeLimit();
    AreaPicture result;
    result.placement = placement;
    GuardedFile guarded = openGuarded(path);
    if (!guarded.ok()) {
        result.outcome = guarded.failure == GuardedFile::Failure::Missing ? Outcome::Missing
                                                                          : Outcome::Unreadable;
        return result;
    }
    CancellableDevice device(std::move(guarded.file), cancel);
    device.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    const auto ended = [&](Outcome outcome) {
        result.outcome = outcome;
        result.image = QImage();
        result.bytesRead = device.bytesRead();
        return result;
    };
    const auto calledOff = [&] { return cancel && cancel(); };

    QImageReader reader(&device);
    // Photographs show upright, as their camera's orientation tag says.
    reader.setAutoTransform(true);
    // The size from the header, before any pixel is decoded.
    const QSize stored = reader.size();
    if (calledOff()) {
        return ended(Outcome::Cancelled);
    }
    if (stored.isValid() && pastDecodeLimit(stored)) {
        return ended(Outcome::TooLarge);
    }
    const QImageIOHandler::Transformations turn = reader.transformation();
    const bool sideways = turn.testFlag(QImageIOHandler::TransformationRotate90);
    const bool upright = turn == QImageIOHandler::TransformationNone;

    // The picture as drawn (scaled to the area when stretching), and the part
    // of it that lies on the screen, in its own coordinates.
    const QRect screen(QPoint(0, 0), placement.screen);
    QSize drawn;
    QRect clip;
    const auto place = [&](QSize natural) {
        drawn = placement.stretch ? placement.area.size() : natural;
        const QRect visible = QRect(placement.area.topLeft(), drawn) & screen;
        clip = visible.translated(-placement.area.topLeft());
        result.at = visible.topLeft();
        return !visible.isEmpty();
    };
    bool scaledByReader = false;
    bool clippedByReader = false;
    if (stored.isValid()) {
        if (!place(sideways ? stored.transposed() : stored)) {
            return ended(Outcome::Read); // nothing of it would show
        }
        // Decoders that can scale (JPEG does it in its transform) or cut while
        // decoding spend memory only on what shows.
        if (placement.stretch && reader.supportsOption(QImageIOHandler::ScaledSize)) {
            reader.setScaledSize(sideways ? drawn.transposed() : drawn);
            scaledByReader = true;
            if (upright) {
                reader.setScaledClipRect(clip);
                clippedByReader = true;
            }
        } else if (!placement.stretch && upright) {
            reader.setClipRect(clip);
            clippedByReader = true;
        }
    }

    QImage image = reader.read();
    result.bytesRead = device.bytesRead();
    if (calledOff()) {
        return ended(Outcome::Cancelled);
    }
    if (image.isNull()) {
        return ended(Outcome::Unreadable); // a broken file shows nothing, and says nothing
    }
    if (!stored.isValid() && !place(image.size())) {
        return ended(Outcome::Read);
    }
    // What the decoder could not do itself: a plain, fast scaling, as the
    // pixels would be stretched when drawn.
    if (placement.stretch && !scaledByReader) {
        image = image.scaled(drawn, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    if (!clippedByReader && clip != image.rect()) {
        image = image.copy(clip);
    }
    // Palettes are not used: every picture is drawn in true colour. What is
    // transparent stays so, for the display to lay over its background.
    result.image = image.convertToFormat(
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    result.outcome = Outcome::Read;
    return result;
}

namespace picture_reader_testing {
void setPieceHook(std::function<void(qint64 offset)> hook) {
    pieceHook() = std::move(hook);
}
} // namespace picture_reader_testing
