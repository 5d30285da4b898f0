#pragma once

// Reading and writing a test's files byte for byte.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

namespace support {

// The file's bytes, or nothing when it cannot be read.
inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes the bytes as the whole file; a failure fails the running test.
inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace support
