// The HTTP remote on a loopback port: real requests through Qt's network
// stack, and the request budget with times the test chooses.

#include "fake_target.h"
#include "remote/http_remote.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

class HttpRemoteTest : public QObject {
    Q_OBJECT
private slots:
    void requests_data();
    void requests();
    void budget();

private:
    struct Answer {
        int status = 0;
        QByteArray body;
        QByteArray type;
    };
    Answer fetch(quint16 port, const QByteArray& method, const QString& path,
                 const QByteArray& token);
};

HttpRemoteTest::Answer HttpRemoteTest::fetch(quint16 port, const QByteArray& method,
                                             const QString& path, const QByteArray& token) {
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path)));
    if (!token.isEmpty()) {
        request.setRawHeader("Authorization", "Bearer " + token);
    }
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
    QNetworkReply* reply = manager.sendCustomRequest(request, method, QByteArray());
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!finished.wait(10000)) {
        return {};
    }
    Answer answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                  reply->readAll(),
                  reply->header(QNetworkRequest::ContentTypeHeader).toByteArray()};
    reply->deleteLater();
    return answer;
}

void HttpRemoteTest::requests_data() {
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("token");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("bodyHolds");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("state") << QByteArray("GET") << "/api/state" << QByteArray("good") << 200
                           << QByteArray(R"("state":"stopped")") << QStringList();
    QTest::newRow("freeze") << QByteArray("POST") << "/api/freeze" << QByteArray("good") << 200
                            << QByteArray(R"("screen":"HDMI-1")") << QStringList{"freeze"};
    QTest::newRow("no token") << QByteArray("POST") << "/api/freeze" << QByteArray() << 401
                              << QByteArray("token") << QStringList();
    QTest::newRow("wrong token") << QByteArray("GET") << "/api/state" << QByteArray("bad") << 401
                                 << QByteArray("token") << QStringList();
    QTest::newRow("the page") << QByteArray("GET") << "/" << QByteArray() << 200
                              << QByteArray(">Freeze</button>") << QStringList();
    QTest::newRow("elsewhere") << QByteArray("GET") << "/secret.txt" << QByteArray() << 404
                               << QByteArray() << QStringList();
}

void HttpRemoteTest::requests() {
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(QByteArray, token);
    QFETCH(int, status);
    QFETCH(QByteArray, bodyHolds);
    QFETCH(QStringList, calls);

    FakeTarget target;
    HttpRemote remote(target);
    remote.setToken("good");
    QCOMPARE(remote.start(QHostAddress::LocalHost, 0), QString());
    QVERIFY(remote.port() != 0);

    const Answer answer = fetch(remote.port(), method, path, token);
    QCOMPARE(answer.status, status);
    QVERIFY2(answer.body.contains(bodyHolds), answer.body.constData());
    QCOMPARE(target.calls, calls);
    if (path.startsWith(QLatin1String("/api/"))) {
        QCOMPARE(answer.type, QByteArray("application/json"));
    }

    // A second remote cannot take the port the first listens on.
    FakeTarget other;
    HttpRemote second(other);
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("listen failed")));
    QVERIFY(!second.start(QHostAddress::LocalHost, remote.port()).isEmpty());
    remote.stop();
    QCOMPARE(remote.port(), quint16(0));
}

void HttpRemoteTest::budget() {
    RequestBudget budget(3, 2); // a burst of 3, then 2 a second
    for (int i = 0; i < 3; ++i) {
        QVERIFY(budget.take("a", 1000));
    }
    QVERIFY(!budget.take("a", 1000));
    QVERIFY(budget.take("b", 1000)); // each client has its own
    QVERIFY(!budget.take("a", 1499));
    QVERIFY(budget.take("a", 1500)); // half a second: one more
    QVERIFY(!budget.take("a", 1500));
    // A long pause fills the bucket, but no further than the burst.
    for (int i = 0; i < 3; ++i) {
        QVERIFY(budget.take("a", 100000));
    }
    QVERIFY(!budget.take("a", 100000));
}

QTEST_GUILESS_MAIN(HttpRemoteTest)
#include "test_http_remote.moc"
