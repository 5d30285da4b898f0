#pragma once

// Watches a few files for changes while a show plays. A change is reported
// once it has settled (no further change for the settling time), whether the
// file was rewritten in place or replaced by renaming another file over it,
// as editors and sync tools do. The folders of the files are watched too: a
// file renamed over is dropped by the system's watch and added again here,
// and a file that comes back after it was gone is seen.
//
// A change is what the file's identity says: its inode, size and times. A
// folder's temporary files coming and going change none of the watched files
// and report nothing.

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <map>

class FileWatch : public QObject {
    Q_OBJECT
public:
    explicit FileWatch(QObject* parent = nullptr);

    // Watches exactly these files from now on (empty names are left out);
    // what they are now is the state changes are measured against.
    void setFiles(const QStringList& paths);
    QStringList files() const;
    void clear() { setFiles({}); }

    // The quiet time after the last event before a change is reported: 500 ms.
    void setSettleMs(int ms) { settle_.setInterval(ms); }

    // What identifies a file's content without reading it.
    struct Stamp {
        bool exists = false;
        unsigned long long device = 0;
        unsigned long long inode = 0;
        long long size = 0;
        long long modifiedNs = 0;
        long long changedNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path);

signals:
    // The files, in the order they were given, that differ from when they
    // were last reported or set.
    void changed(const QStringList& paths);

private:
    void noticed();
    void settled();
    void rewatch();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    QStringList paths_;
    std::map<QString, Stamp> stamps_;
};
