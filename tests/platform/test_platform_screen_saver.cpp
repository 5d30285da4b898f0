// The desktop's screen saver over D-Bus: held and released through the
// service on a private bus, and quiet where there is no bus at all.

#include "platform/screen_saver.h"
#include "tests/support/test_main.h"

#include <QDBusConnection>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QtTest>

using platform::DBusScreenSaver;

namespace {

// Stands in for the desktop's service; it answers from a thread of its own
// while the program's side waits for the answer on the test's thread.
class FakeScreenSaverService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList calls() const {
        QMutexLocker lock(&mutex_);
        return calls_;
    }

public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        QMutexLocker lock(&mutex_);
        calls_ << QStringLiteral("Inhibit %1: %2").arg(application, reason);
        return 40 + static_cast<uint>(calls_.size());
    }
    void UnInhibit(uint cookie) {
        QMutexLocker lock(&mutex_);
        calls_ << QStringLiteral("UnInhibit %1").arg(cookie);
    }

private:
    mutable QMutex mutex_;
    QStringList calls_;
};

} // namespace

class ScreenSaverTest : public QObject {
    Q_OBJECT
private slots:
    void noSessionBus_doesNothing();
    void privateBus_holdsAndReleases_data();
    void privateBus_holdsAndReleases();
    void privateBus_withoutService_doesNothing();

private:
    // Starts a bus of the test's own; empty when there is no bus daemon.
    QString startBus(QProcess& daemon);
};

QString ScreenSaverTest::startBus(QProcess& daemon) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (program.isEmpty()) {
        return {};
    }
    daemon.start(program, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                           QStringLiteral("--print-address")});
    if (!daemon.waitForStarted() || !daemon.waitForReadyRead(5000)) {
        return {};
    }
    return QString::fromUtf8(daemon.readLine()).trimmed();
}

void ScreenSaverTest::noSessionBus_doesNothing() {
    // The test runs with DBUS_SESSION_BUS_ADDRESS pointing at nothing.
    QVERIFY(!QDBusConnection::sessionBus().isConnected());
    DBusScreenSaver saver;
    saver.inhibit(QStringLiteral("A show is running"));
    QVERIFY(!saver.holding());
    saver.release();
    QVERIFY(!saver.holding());
}

void ScreenSaverTest::privateBus_holdsAndReleases_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("freedesktop path") << QStringLiteral("/org/freedesktop/ScreenSaver");
    QTest::newRow("short path") << QStringLiteral("/ScreenSaver");
}

void ScreenSaverTest::privateBus_holdsAndReleases() {
    QFETCH(QString, path);
    QProcess daemon;
    const QString address = startBus(daemon);
    if (address.isEmpty()) {
        QSKIP("no dbus-daemon to run a private bus");
    }
    {
        QThread serviceThread;
        FakeScreenSaverService service;
        service.moveToThread(&serviceThread);
        serviceThread.start();
        QDBusConnection serviceBus =
            QDBusConnection::connectToBus(address, QStringLiteral("service"));
        QVERIFY(serviceBus.isConnected());
        QVERIFY(serviceBus.registerObject(path, &service, QDBusConnection::ExportAllSlots));
        QVERIFY(serviceBus.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));

        {
            DBusScreenSaver saver(
                QDBusConnection::connectToBus(address, QStringLiteral("program")));
            saver.inhibit(QStringLiteral("A show is running"));
            QVERIFY(saver.holding());
            // A second hold while the first lasts asks the desktop nothing.
            saver.inhibit(QStringLiteral("again"));
            saver.release();
            QVERIFY(!saver.holding());
            saver.release();
            QTRY_COMPARE(service.calls().size(), 2);
            QCOMPARE(service.calls(), (QStringList{QStringLiteral("Inhibit %1: A show is running")
                                                       .arg(QCoreApplication::applicationName()),
                                                   QStringLiteral("UnInhibit 41")}));
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("program"));
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
        serviceThread.quit();
        serviceThread.wait();
    }
    daemon.terminate();
    daemon.waitForFinished();
}

void ScreenSaverTest::privateBus_withoutService_doesNothing() {
    QProcess daemon;
    const QString address = startBus(daemon);
    if (address.isEmpty()) {
        QSKIP("no dbus-daemon to run a private bus");
    }
    {
        DBusScreenSaver saver(QDBusConnection::connectToBus(address, QStringLiteral("alone")));
        saver.inhibit(QStringLiteral("A show is running"));
        QVERIFY(!saver.holding());
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("alone"));
    daemon.terminate();
    daemon.waitForFinished();
}

PLAKORA_TEST_MAIN(ScreenSaverTest)

#include "test_platform_screen_saver.moc"
