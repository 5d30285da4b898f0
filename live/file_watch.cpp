#include "live/file_watch.h"

#include "live/logging.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

FileWatch::FileWatch(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(500);
    connect(&settle_, &QTimer::timeout, this, &FileWatch::settled);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileWatch::noticed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FileWatch::noticed);
}

FileWatch::Stamp FileWatch::stampOf(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return Stamp{};
    }
    Stamp s;
    s.exists = true;
    s.device = static_cast<unsigned long long>(st.st_dev);
    s.inode = static_cast<unsigned long long>(st.st_ino);
    s.size = static_cast<long long>(st.st_size);
    s.modifiedNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    s.changedNs = static_cast<long long>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
    return s;
}

void FileWatch::setFiles(const QStringList& paths) {
    settle_.stop();
    if (!watcher_.files().isEmpty()) {
        watcher_.removePaths(watcher_.files());
    }
    if (!watcher_.directories().isEmpty()) {
        watcher_.removePaths(watcher_.directories());
    }
    paths_.clear();
    stamps_.clear();
    for (const QString& path : paths) {
        if (!path.isEmpty() && !paths_.contains(path)) {
            paths_ << path;
            stamps_[path] = stampOf(path);
        }
    }
    rewatch();
}

QStringList FileWatch::files() const {
    return paths_;
}

void FileWatch::rewatch() {
    // A watch the system dropped (the file was renamed over or removed) is
    // taken up again once a file is there under the name.
    QStringList files;
    QStringList folders;
    for (const QString& path : paths_) {
        if (QFileInfo::exists(path) && !watcher_.files().contains(path)) {
            files << path;
        }
        const QString folder = QFileInfo(path).absolutePath();
        if (QFileInfo(folder).isDir() && !watcher_.directories().contains(folder) &&
            !folders.contains(folder)) {
            folders << folder;
        }
    }
    if (!files.isEmpty()) {
        watcher_.addPaths(files);
    }
    if (!folders.isEmpty()) {
        watcher_.addPaths(folders);
    }
}

void FileWatch::noticed() {
    rewatch();
    settle_.start();
}

void FileWatch::settled() {
    rewatch();
    QStringList differ;
    for (const QString& path : paths_) {
        const Stamp now = stampOf(path);
        Stamp& last = stamps_[path];
        if (now != last) {
            last = now;
            differ << path;
        }
    }
    if (!differ.isEmpty()) {
        qCDebug(lcLive) << "files changed:" << differ;
        emit changed(differ);
    }
}
