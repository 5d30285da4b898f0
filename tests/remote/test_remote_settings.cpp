// The remote's settings in the program settings file, its token, and the
// dialog that shows where a phone reaches it.

#include "../support/test_main.h"
#include "remote/remote_dialog.h"
#include "remote/remote_settings.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

class RemoteSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void roundTrip();
    void token();
    void dialog_data();
    void dialog();
};

void RemoteSettingsTest::roundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plakora.INI"));
    QCOMPARE(readRemoteSettings(path), RemoteSettings());

    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Stuff]\r\nLastSFGfile=/x/a.sfg\r\n[Remote]\r\nPort=99999\r\n");
    file.close();
    QCOMPARE(readRemoteSettings(path).port, kDefaultRemotePort); // out of range

    const RemoteSettings settings{true, QStringLiteral("0.0.0.0"), 9000, newRemoteToken()};
    QCOMPARE(writeRemoteSettings(path, settings), QString());
    QCOMPARE(readRemoteSettings(path), settings);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("[Stuff]\r\nLastSFGfile=/x/a.sfg\r\n"));
    file.close();

    // A token is made once and kept.
    QVERIFY(writeRemoteSettings(path, RemoteSettings()).isEmpty());
    const RemoteSettings made = readRemoteSettingsWithToken(path);
    QVERIFY(!made.token.isEmpty());
    QCOMPARE(readRemoteSettingsWithToken(path).token, made.token);
}

void RemoteSettingsTest::token() {
    const QString first = newRemoteToken();
    QCOMPARE(first.size(), 32); // 128 bits in hex
    QVERIFY(QByteArray::fromHex(first.toLatin1()).toHex() == first.toLatin1());
    QVERIFY(newRemoteToken() != first);
}

void RemoteSettingsTest::dialog_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("warned");
    QTest::addColumn<QString>("url");
    QTest::newRow("loopback") << "127.0.0.1" << false << "http://127.0.0.1:8650/#token=abc";
    QTest::newRow("IPv6 loopback") << "::1" << false << "http://[::1]:8650/#token=abc";
    QTest::newRow("network") << "192.168.1.20" << true << "http://192.168.1.20:8650/#token=abc";
    QTest::newRow("not an address") << "example" << true << "";
}

void RemoteSettingsTest::dialog() {
    QFETCH(QString, address);
    QFETCH(bool, warned);
    QFETCH(QString, url);

    RemoteSettings settings;
    settings.address = address;
    settings.token = QStringLiteral("abc");
    RemoteDialog dialog(settings);
    dialog.show();
    QCOMPARE(dialog.findChild<QLabel*>("remoteAddressWarning")->isVisible(), warned);
    QCOMPARE(dialog.findChild<QLineEdit*>("remoteUrl")->text(), url);
    QCOMPARE(dialog.findChild<QLabel*>("remoteQrCode")->pixmap().isNull(), url.isEmpty());

    // A new token shows at once and is what the dialog gives back.
    dialog.findChild<QCheckBox*>("remoteEnabled")->setChecked(true);
    dialog.findChild<QPushButton*>("remoteNewToken")->click();
    const RemoteSettings chosen = dialog.settings();
    QVERIFY(chosen.http);
    QCOMPARE(chosen.token.size(), 32);
    QCOMPARE(dialog.findChild<QLineEdit*>("remoteToken")->text(), chosen.token);
    if (!url.isEmpty()) {
        QVERIFY(dialog.findChild<QLineEdit*>("remoteUrl")->text().endsWith(chosen.token));
    }
    // The picture of the dialog in the documentation is taken here.
    const QByteArray picture = qgetenv("PLAKORA_REMOTE_DIALOG_PNG");
    if (!picture.isEmpty() && QByteArray(QTest::currentDataTag()) == "network") {
        QVERIFY(dialog.grab().save(QString::fromLocal8Bit(picture)));
    }
}

PLAKORA_TEST_MAIN(RemoteSettingsTest)
#include "test_remote_settings.moc"
