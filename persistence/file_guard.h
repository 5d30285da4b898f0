#pragma once

// The one guard every file the program reads goes through: only a regular
// file is read, never a device, a FIFO or a folder, and the check is made on
// the opened descriptor, which was opened without blocking, so that nothing
// swapped in between a look and the open can make the program wait.
//
// And the one way every file the program writes is written: whole, through a
// temporary file beside it that replaces the old file only once every byte
// of it is on the disk.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

struct GuardedFile {
    enum class Failure { None, Missing, NotAFile, Unreadable };
    // Open for reading, in blocking mode again, when there is no failure.
    std::unique_ptr<QFile> file;
    Failure failure = Failure::None;
    QString error; // the message for the failure, empty on success
    bool ok() const { return failure == Failure::None; }
};

// Opens `path` for reading through the guard.
GuardedFile openGuarded(const QString& path);

// True when `path` opens through the guard: a regular file that can be read.
bool isReadableRegularFile(const QString& path);

// Writes `bytes` to `path` whole or not at all. Returns the error text,
// empty on success; on failure the old file, if any, is left as it was.
QString writeFileWhole(const QString& path, const QByteArray& bytes);

namespace file_guard_testing {
// Makes the next write's step `step` ("create", "write", "sync" or "close")
// fail as the system would report a full or failing disk. For fault-injection
// tests.
void failNextWriteStep(const char* step);
} // namespace file_guard_testing
