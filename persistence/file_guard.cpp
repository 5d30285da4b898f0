#include "persistence/file_guard.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string& injectedFailure() {
    static std::string step;
    return step;
}

// True once when the test hook asked this step to fail; the failure then
// looks as the system reports a failing disk.
bool injected(const char* step) {
    if (injectedFailure() == step) {
        injectedFailure().clear();
        errno = EIO;
        return true;
    }
    return false;
}

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        if (injected("write")) {
            return false;
        }
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

// The permissions a new file gets from the user's file mode mask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

GuardedFile openGuarded(const QString& path) {
    GuardedFile result;
    const QByteArray name = QFile::encodeName(path);
    // Without blocking: opening a FIFO for reading would otherwise wait for
    // a writer that may never come.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR || path.isEmpty()) {
            result.failure = GuardedFile::Failure::Missing;
            result.error =
                QStringLiteral("Cannot open file \"%1\". The file does not exist.").arg(path);
        } else {
            result.failure = GuardedFile::Failure::Unreadable;
            result.error =
                QStringLiteral("Cannot open file \"%1\". %2").arg(path, systemError(error));
        }
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result.failure = GuardedFile::Failure::NotAFile;
        result.error = QStringLiteral("\"%1\" is not a file.").arg(path);
        return result;
    }
    // A regular file never blocks; reads go on in the ordinary way.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    auto file = std::make_unique<QFile>();
    file->setFileName(path);
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        result.failure = GuardedFile::Failure::Unreadable;
        result.error = QStringLiteral("Cannot open file \"%1\". %2").arg(path, file->errorString());
        return result;
    }
    result.file = std::move(file);
    return result;
}

bool isReadableRegularFile(const QString& path) {
    return openGuarded(path).ok();
}

QString writeFileWhole(const QString& path, const QByteArray& bytes) {
    // A link is followed: the file it names is replaced, the link stays.
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        target = resolved.isEmpty() ? info.symLinkTarget() : resolved;
    }
    const QFileInfo targetInfo(target);
    const QString temporary =
        QStringLiteral("%1/.%2.XXXXXX").arg(targetInfo.absolutePath(), targetInfo.fileName());
    QByteArray temporaryName = QFile::encodeName(temporary);
    const int fd = injected("create") ? -1 : ::mkostemp(temporaryName.data(), O_CLOEXEC);
    if (fd < 0) {
        // The new content goes into a file of its own beside the old one, so
        // a folder that takes no new file refuses the save even when the old
        // file itself could be written.
        return QStringLiteral("Cannot create a new file beside \"%1\" in its folder. %2")
            .arg(path, systemError(errno));
    }
    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    const QByteArray targetName = QFile::encodeName(target);
    const mode_t mode =
        ::stat(targetName.constData(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
    ::fchmod(fd, mode);

    const auto fail = [&](int error) {
        ::unlink(temporaryName.constData());
        return QStringLiteral("Write error on \"%1\". %2").arg(path, systemError(error));
    };
    // Every step is checked before the old file is replaced: a disk that
    // reports its failure only when the data is synced or the file closed
    // must not cost the operator the file that was there.
    if (!writeAll(fd, bytes) || injected("sync") || ::fdatasync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(error);
    }
    if (injected("close") || ::close(fd) != 0) {
        return fail(errno);
    }
    if (::rename(temporaryName.constData(), targetName.constData()) != 0) {
        const int error = errno;
        ::unlink(temporaryName.constData());
        return QStringLiteral("Cannot replace \"%1\". %2").arg(path, systemError(error));
    }
    return QString();
}

namespace file_guard_testing {
void failNextWriteStep(const char* step) {
    injectedFailure() = step;
}
} // namespace file_guard_testing
