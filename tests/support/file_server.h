#pragma once

// Python's file server on this machine, serving a folder on a free port of
// 127.0.0.1, for tests that fetch over HTTP. No python3, no server: the test
// skips.

#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace support {

// A port nothing listens on, for now.
inline quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

inline bool accepts(quint16 port) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(100);
}

struct FileServer {
    QProcess process;
    quint16 port = 0;

    // Starts serving `folder`; false when there is no python3 or it does not
    // answer within `waitMs`.
    bool start(const QString& folder, int waitMs = 15000) {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty()) {
            return false;
        }
        port = freePort();
        process.setWorkingDirectory(folder);
        process.start(python, {"-m", "http.server", "--bind", "127.0.0.1", QString::number(port)});
        QDeadlineTimer deadline(waitMs);
        while (!deadline.hasExpired()) {
            if (accepts(port)) {
                return true;
            }
            QTest::qWait(50);
        }
        return false;
    }
    QString url(const QString& name) const {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(port).arg(name);
    }
    ~FileServer() {
        process.kill();
        process.waitForFinished();
    }
};

} // namespace support
