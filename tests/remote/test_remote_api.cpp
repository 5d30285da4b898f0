// The HTTP remote's requests without a network: what each endpoint calls,
// and what it refuses before calling anything.

#include "fake_target.h"
#include "remote/show_commands.h"
#include "remote/show_commands_target.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <type_traits>

// The program's adapter passes on every call the remote makes.
static_assert(!std::is_abstract_v<ShowCommandsTarget>);

namespace {

const QByteArray kToken = "0123456789abcdef0123456789abcdef";
const QByteArray kBearer = "Bearer " + kToken;

} // namespace

class RemoteApiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void request_data();
    void request();
    void commandRefused();
    void sameSecret_data();
    void sameSecret();

private:
    QTemporaryDir dir_;
};

void RemoteApiTest::initTestCase() {
    QVERIFY(dir_.isValid());
    QFile board(dir_.filePath(QStringLiteral("show.SFG")));
    QVERIFY(board.open(QIODevice::WriteOnly));
    QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("folder.sfg")));
    QFile text(dir_.filePath(QStringLiteral("show.txt")));
    QVERIFY(text.open(QIODevice::WriteOnly));
}

void RemoteApiTest::request_data() {
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("authorization");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("error"); // what the error holds; empty: no error

    const QString board = dir_.filePath(QStringLiteral("show.SFG"));
    const auto add = [](const char* name, const QByteArray& method, const QString& path,
                        const QByteArray& authorization, const QByteArray& body, int status,
                        const QStringList& calls, const QString& error) {
        QTest::newRow(name) << method << path << authorization << body << status << calls << error;
    };
    const QString none;
    const QStringList nothing;
    add("state", "GET", "/api/state", kBearer, {}, 200, nothing, none);
    add("scheme in any case", "GET", "/api/state", "bearer  " + kToken, {}, 200, nothing, none);
    add("play the editor's", "POST", "/api/play", kBearer, "{}", 200, {"play "}, none);
    add("play a board", "POST", "/api/play", kBearer,
        QJsonDocument(QJsonObject{{"board", board}}).toJson(), 200, {"play " + board}, none);
    add("stop", "POST", "/api/stop", kBearer, {}, 200, {"stop"}, none);
    add("freeze", "POST", "/api/freeze", kBearer, " {} ", 200, {"freeze"}, none);
    add("resume", "POST", "/api/resume", kBearer, {}, 200, {"resume"}, none);
    add("refresh", "POST", "/api/refresh", kBearer, {}, 200, {"refresh"}, none);
    add("next", "POST", "/api/next", kBearer, {}, 200, {"next"}, none);
    add("previous", "POST", "/api/previous", kBearer, {}, 200, {"previous"}, none);
    add("crawl", "POST", "/api/crawl", kBearer, R"({"text":"Caf\u00e9 news"})", 200,
        {QStringLiteral("crawl Caf\u00e9 news")}, none);
    add("title", "POST", "/api/title", kBearer, R"({"which":2,"text":"Second"})", 200,
        {"title 2 Second"}, none);
    add("text", "POST", "/api/text", kBearer, R"({"which":1,"lines":["a","","b"]})", 200,
        {"text 1 a||b"}, none);

    add("no token", "POST", "/api/freeze", {}, {}, 401, nothing, "token");
    add("wrong token", "POST", "/api/freeze", "Bearer " + kToken.left(31) + "0", {}, 401, nothing,
        "token");
    add("token prefix", "POST", "/api/freeze", "Bearer " + kToken.left(8), {}, 401, nothing,
        "token");
    add("other scheme", "POST", "/api/freeze", "Basic " + kToken, {}, 401, nothing, "token");
    add("unknown path, no token", "GET", "/api/nothing", {}, {}, 401, nothing, "token");
    add("unknown path", "GET", "/api/nothing", kBearer, {}, 404, nothing, "nothing");
    add("state by POST", "POST", "/api/state", kBearer, {}, 405, nothing, "GET");
    add("freeze by GET", "GET", "/api/freeze", kBearer, {}, 405, nothing, "POST");
    add("too large", "POST", "/api/crawl", kBearer, QByteArray(kMaxRemoteBodyBytes + 1, ' '), 413,
        nothing, "larger");

    const auto bad = [&](const char* name, const char* path, const QByteArray& body,
                         const char* error) {
        add(name, "POST", QString::fromLatin1(path), kBearer, body, 400, nothing,
            QString::fromLatin1(error));
    };
    bad("not JSON", "/api/crawl", "{text:", "not JSON");
    bad("not an object", "/api/crawl", R"(["text"])", "not a JSON object");
    bad("unknown field", "/api/crawl", R"({"text":"a","colour":1})", "Unknown field \"colour\"");
    bad("field of a bare command", "/api/stop", R"({"now":true})", "Unknown field");
    bad("text missing", "/api/crawl", "{}", "\"text\" is missing");
    bad("text a number", "/api/crawl", R"({"text":5})", "not a text");
    bad("crawl with a line break", "/api/crawl", R"({"text":"a\nb"})", "line break");
    bad("title too long", "/api/title",
        R"({"which":1,"text":")" + QByteArray(kMaxRemoteTitleChars + 1, 'x') + R"("})",
        "longer than");
    bad("which 3", "/api/title", R"({"which":3,"text":"a"})", "1 or 2");
    bad("which 1.5", "/api/title", R"({"which":1.5,"text":"a"})", "1 or 2");
    bad("which a text", "/api/title", R"({"which":"1","text":"a"})", "1 or 2");
    bad("which missing", "/api/text", R"({"lines":[]})", "\"which\" is missing");
    bad("lines not a list", "/api/text", R"({"which":1,"lines":"a"})", "not a list");
    bad("a line not a text", "/api/text", R"({"which":1,"lines":["a",null]})", "not a text");
    bad("board relative", "/api/play", R"({"board":"show.SFG"})", "absolute");
    bad("board not a board", "/api/play",
        QJsonDocument(QJsonObject{{"board", dir_.filePath("show.txt")}}).toJson(), ".SFG");
    bad("board a folder", "/api/play",
        QJsonDocument(QJsonObject{{"board", dir_.filePath("folder.sfg")}}).toJson(),
        "no board file");
    bad("board missing", "/api/play",
        QJsonDocument(QJsonObject{{"board", dir_.filePath("gone.sfg")}}).toJson(), "no board file");
}

void RemoteApiTest::request() {
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(QByteArray, authorization);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(QStringList, calls);
    QFETCH(QString, error);

    FakeTarget target;
    const RemoteReply reply = handleApiRequest(target, method, path, authorization, body, kToken);
    QCOMPARE(reply.status, status);
    QCOMPARE(target.calls, calls);
    const QJsonObject answer = QJsonDocument::fromJson(reply.json).object();
    if (error.isEmpty()) {
        QCOMPARE(answer.value("state").toString(), QStringLiteral("stopped"));
        QCOMPARE(answer.value("board").toString(), QStringLiteral("/shows/main.sfg"));
        QCOMPARE(answer.value("screen").toString(), QStringLiteral("HDMI-1"));
    } else {
        QVERIFY2(answer.value("error").toString().contains(error), reply.json.constData());
    }
}

void RemoteApiTest::commandRefused() {
    FakeTarget target;
    target.refusal = QStringLiteral("No show is playing");
    const RemoteReply reply = handleApiRequest(target, "POST", "/api/freeze", kBearer, {}, kToken);
    QCOMPARE(reply.status, 409);
    QCOMPARE(QJsonDocument::fromJson(reply.json).object().value("error").toString(),
             target.refusal);
    // With no token set nobody gets in, not even with an empty one.
    QCOMPARE(handleApiRequest(target, "GET", "/api/state", "Bearer ", {}, {}).status, 401);
    QCOMPARE(target.calls, QStringList{"freeze"});
}

void RemoteApiTest::sameSecret_data() {
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<bool>("same");
    QTest::newRow("same") << QByteArray("secret") << QByteArray("secret") << true;
    QTest::newRow("both empty") << QByteArray() << QByteArray() << true;
    QTest::newRow("last differs") << QByteArray("secret") << QByteArray("secreT") << false;
    QTest::newRow("prefix") << QByteArray("secret") << QByteArray("secre") << false;
    QTest::newRow("longer") << QByteArray("secret") << QByteArray("secret\0", 7) << false;
    QTest::newRow("empty") << QByteArray() << QByteArray("s") << false;
}

void RemoteApiTest::sameSecret() {
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(bool, same);
    QCOMPARE(::sameSecret(a, b), same);
    QCOMPARE(::sameSecret(b, a), same);
}

QTEST_GUILESS_MAIN(RemoteApiTest)
#include "test_remote_api.moc"
