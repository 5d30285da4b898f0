#pragma once

// The one place where picture files are read, for the show and for the
// picture dialog's preview alike: whatever the format, the picture is turned
// upright by its orientation tag, decoded at the size it is drawn and cut to
// what lies on the screen, within the decode limit. The file is opened
// through the file guard, so a FIFO or a device is refused and never waited
// for, and the reading can be called off between any two reads of the file.
// Qt Core and Gui only; safe on any thread.

#include <QIODevice>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// A picture is never shown larger than the play screen, so reading one may
// take at most a few screens' worth of 32-bit pixels, but never less than
// 160 MiB: a 40-megapixel photograph still shows whatever its format.
// Pictures that would take more are refused unread.
inline constexpr std::int64_t kPictureMemoryFloorBytes = std::int64_t(160) << 20;
inline constexpr int kPictureMemoryScreens = 4;
// Qt's own bound on any one picture it allocates, for a file whose header
// lies about its size. Set once, process-wide, on the main thread.
inline constexpr int kPictureAllocationBackstopMiB = 512;
// A progressive JPEG of more scans is refused: encoders make ten or so, and
// every scan goes over the coefficients of the whole picture again.
inline constexpr int kMaxJpegScans = 100;
// A picture that takes longer to read is skipped: the shortest time a slide
// stands, so that reading the next picture during it never holds it longer.
inline constexpr int kPictureReadBudgetMs = 1000;

// The memory a picture read for a screen of `screenWidth` x `screenHeight`
// may take, in bytes.
std::int64_t pictureMemoryLimit(int screenWidth, int screenHeight);

class QFile;

// Asked before every read of the file: true when the reading is to end now.
using ReadCancel = std::function<bool()>;

// Where a picture goes: into the image area of a screen of `screen` size,
// stretched to fill the area, or at its natural size from the area's top-left
// corner (then it may reach past the area).
struct PicturePlacement {
    QRect area;
    QSize screen;
    bool stretch = false;
    bool operator==(const PicturePlacement&) const = default;
};

// What identifies a file's content without reading it: where it lies, its
// size, and when it and its inode last changed.
struct FileStamp {
    qint64 device = 0;
    qint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path` as it stands now; an empty stamp when there
// is none to look at.
FileStamp fileStampOf(const QString& path);

// A picture as read for one placement.
struct AreaPicture {
    // TooLarge: reading it would take more memory than the screen can use, or
    // it is a JPEG of absurd structure. TooSlow: its time was up first.
    enum class Outcome { Read, Missing, Unreadable, TooLarge, TooSlow, Cancelled };
    Outcome outcome = Outcome::Missing;
    PicturePlacement placement;
    // The part of the picture that shows, at the size it is drawn, and where
    // its top-left corner goes on the screen: RGB32, or premultiplied ARGB32
    // when the picture has transparent parts; the first frame of an animated
    // one. Null when nothing of it shows or it could not be read.
    QImage image;
    QPoint at;
    // Bytes taken from the file.
    qint64 bytesRead = 0;
    // The file as it was opened. `settled` when it had not changed for a
    // while by then, so that a later change is sure to change the stamp.
    FileStamp stamp;
    bool settled = false;
};

// True when `picture` was read from the file `path` holds now: a picture
// replaced on disk since (or just before) it was read is to be read again.
bool stillCurrent(const AreaPicture& picture, const QString& path);

// The memory, in bytes, that reading a picture in `format` ("jpeg", "png",
// ...) takes when its decoder holds `held` pixels of `decoded` format (the
// whole picture, or only the size asked for where the decoder scales or cuts
// itself), plus `jpegCoefficients` for a progressive JPEG, and the result of
// `result` size.
qint64 pictureReadCost(const QByteArray& format, QImage::Format decoded, QSize held,
                       qint64 jpegCoefficients, QSize result);

// Reads the picture file `path` for `placement`, within the memory the
// screen allows (pictureMemoryLimit) and within `budgetMs` milliseconds.
// `cancel` may end the reading early; the outcome is then Cancelled and
// nothing is drawn. A reading past its budget ends the same way, TooSlow.
AreaPicture readPictureForArea(const QString& path, const PicturePlacement& placement,
                               const ReadCancel& cancel = {}, int budgetMs = kPictureReadBudgetMs);

// Sets Qt's own allocation bound (kPictureAllocationBackstopMiB) for every
// picture reader of the process, once. Main thread only, before any thread
// that reads pictures starts: the bound is process-wide.
void applyPictureDecodeLimit();

// A file read in pieces that fails its next read once `cancel` says so, so
// that a decoder reading through it gives up within one piece.
class CancellableDevice final : public QIODevice {
public:
    CancellableDevice(std::unique_ptr<QFile> file, ReadCancel cancel);
    ~CancellableDevice() override;

    bool isSequential() const override { return false; }
    qint64 size() const override;
    bool seek(qint64 pos) override;
    qint64 bytesRead() const { return bytesRead_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::unique_ptr<QFile> file_;
    ReadCancel cancel_;
    qint64 bytesRead_ = 0;
};

namespace picture_reader_testing {
// Called before every piece a picture reader takes from its file, with the
// offset of the piece, on the reading thread. Set it only while no picture
// is being read; an empty function removes it.
void setPieceHook(std::function<void(qint64 offset)> hook);
} // namespace picture_reader_testing
