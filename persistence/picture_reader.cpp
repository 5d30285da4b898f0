#include "persistence/picture_reader.h"

#include "persistence/file_guard.h"
#include "persistence/jpeg_scans.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>
#include <QThread>

#include <algorithm>
#include <mutex>

#include <sys/stat.h>
#include <time.h>

std::int64_t pictureMemoryLimit(int screenWidth, int screenHeight) {
    const std::int64_t screen = std::int64_t(std::max(0, screenWidth)) * std::max(0, screenHeight);
    return std::clamp(screen * 4 * kPictureMemoryScreens, kPictureMemoryFloorBytes,
                      std::int64_t(kPictureAllocationBackstopMiB) << 20);
}

namespace {

// Larger reads are taken in pieces of this size, so that a call-off is seen
// within one piece: well under a millisecond from the disk cache.
constexpr qint64 kPieceBytes = 256 * 1024;

std::function<void(qint64)>& pieceHook() {
    static std::function<void(qint64)> hook;
    return hook;
}

qint64 pixels(QSize size) {
    return size.isValid() ? qint64(size.width()) * size.height() : 0;
}

qint64 nanos(const struct timespec& t) {
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

FileStamp stampOf(const struct stat& st) {
    return FileStamp{qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size), nanos(st.st_mtim),
                     nanos(st.st_ctim)};
}

// A file changed this recently may change again within the same tick of the
// file system's clock, leaving its stamp as it was.
constexpr qint64 kSettledNs = 1000000000;

void stampOpenFile(QFile& file, AreaPicture& result) {
    struct stat st {};
    if (::fstat(file.handle(), &st) != 0) {
        return;
    }
    result.stamp = stampOf(st);
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    result.settled = nanos(now) - result.stamp.modifiedNs > kSettledNs;
}

} // namespace

void applyPictureDecodeLimit() {
    Q_ASSERT(!QCoreApplication::instance() ||
             QThread::currentThread() == QCoreApplication::instance()->thread());
    static std::once_flag once;
    std::call_once(once, [] { QImageReader::setAllocationLimit(kPictureAllocationBackstopMiB); });
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

FileStamp fileStampOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return {};
    }
    return stampOf(st);
}

bool stillCurrent(const AreaPicture& picture, const QString& path) {
    return picture.settled && picture.stamp == fileStampOf(path);
}

qint64 pictureReadCost(const QByteArray& format, QImage::Format decoded, QSize held,
                       qint64 jpegCoefficients, QSize result) {
    const qint64 pixelBytes =
        decoded == QImage::Format_Invalid
            ? 4
            : std::max<qint64>(4, QImage::toPixelFormat(decoded).bitsPerPixel() / 8);
    // WebP decodes into a buffer of its own first, then into the image.
    return pixels(result) * 4 + pixels(held) * pixelBytes * (format == "webp" ? 2 : 1) +
           jpegCoefficients;
}

AreaPicture readPictureForArea(const QString& path, const PicturePlacement& placement,
                               const ReadCancel& cancel, int budgetMs) {
    using Outcome = AreaPicture::Outcome;
    AreaPicture result;
    result.placement = placement;
    GuardedFile guarded = openGuarded(path);
    if (!guarded.ok()) {
        result.outcome = guarded.failure == GuardedFile::Failure::Missing ? Outcome::Missing
                                                                          : Outcome::Unreadable;
        return result;
    }
    stampOpenFile(*guarded.file, result);
    // Every read of the file asks first whether the time is up or the
    // reading is called off; a decoder then stops within one piece.
    const QDeadlineTimer deadline(std::max(0, budgetMs));
    bool outOfTime = false;
    const auto calledOff = [&] { return cancel && cancel(); };
    CancellableDevice device(std::move(guarded.file), [&] {
        outOfTime = outOfTime || deadline.hasExpired();
        return outOfTime || calledOff();
    });
    device.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    const auto ended = [&](Outcome outcome) {
        result.outcome = calledOff() ? Outcome::Cancelled : outOfTime ? Outcome::TooSlow : outcome;
        result.image = QImage();
        result.bytesRead = device.bytesRead();
        return result;
    };
    const qint64 limit = pictureMemoryLimit(placement.screen.width(), placement.screen.height());

    // A progressive JPEG's cost is in its structure; it is looked at before
    // anything is decoded.
    const JpegLayout jpeg = walkJpeg(device, kMaxJpegScans);
    // An interlaced PNG is decoded whole before it is scaled.
    bool interlaced = false;
    if (!jpeg.hasFrame && device.seek(0)) {
        const QByteArray head = device.read(29);
        interlaced = head.startsWith("\x89PNG") && head.size() == 29 && head[28] != 0;
    }
    if (outOfTime || calledOff()) {
        return ended(Outcome::Cancelled);
    }
    if (jpeg.progressive && (jpeg.scans > kMaxJpegScans || jpeg.coefficientBytes > limit)) {
        return ended(Outcome::TooLarge);
    }
    if (!device.seek(0)) {
        return ended(Outcome::Unreadable);
    }

    QImageReader reader(&device);
    // Photographs show upright, as their camera's orientation tag says.
    reader.setAutoTransform(true);
    // The size from the header, before any pixel is decoded.
    const QSize stored = reader.size();
    if (outOfTime || calledOff()) {
        return ended(Outcome::Cancelled);
    }
    const QByteArray format = reader.format();
    const QImage::Format decoded = reader.imageFormat();
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
        // Decoders that can scale (JPEG does it in its transform, PNG row by
        // row) or cut while decoding spend memory only on what shows.
        QSize held = stored;
        if (placement.stretch && reader.supportsOption(QImageIOHandler::ScaledSize)) {
            const QSize asked = sideways ? drawn.transposed() : drawn;
            reader.setScaledSize(asked);
            scaledByReader = true;
            if (format == "jpeg") {
                // libjpeg's own scaling stops at the eighth above the size
                // asked for; the rest is a scaling of what it made.
                held = QSize(std::min(stored.width(), asked.width() + stored.width() / 8 + 1),
                             std::min(stored.height(), asked.height() + stored.height() / 8 + 1));
            } else if (format == "png" && !interlaced &&
                       pixels(stored) * 4 <= (qint64(kPictureAllocationBackstopMiB) << 20)) {
                // Row by row it still goes through every pixel: beyond the
                // backstop that is a bomb of time, not of memory.
                held = asked;
            }
            if (upright) {
                reader.setScaledClipRect(clip);
                clippedByReader = true;
            }
        } else if (!placement.stretch && upright) {
            reader.setClipRect(clip);
            clippedByReader = true;
            // Only JPEG cuts while decoding; the others cut what they made.
            if (format == "jpeg") {
                held = clip.size();
            }
        }
        if (pictureReadCost(format, decoded, held, jpeg.progressive ? jpeg.coefficientBytes : 0,
                            placement.stretch ? drawn : clip.size()) > limit) {
            return ended(Outcome::TooLarge);
        }
    }

    QImage image = reader.read();
    result.bytesRead = device.bytesRead();
    if (outOfTime || calledOff()) {
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
