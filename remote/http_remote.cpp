#include "remote/http_remote.h"

#include "remote/remote_api.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpServer>

#include <algorithm>

// The page lives in this static library's resources, which the linker keeps
// only when something names them.
static void initRemoteResources() {
    Q_INIT_RESOURCE(remote);
}

namespace {

// Sixty requests a second, after a burst of a hundred: the page polls once
// in two seconds and a person presses buttons far more slowly, while a
// script that feeds a show (a scoreboard, say) may send a few dozen a
// second, which the show bears (bench/remote_bench).
constexpr int kBurstRequests = 100;
constexpr int kRequestsPerSecond = 60;
// Clients are forgotten once there are this many and theirs are full again.
constexpr qsizetype kMaxClients = 1024;

qint64 monotonicMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return clock.elapsed();
}

QByteArray methodName(const QHttpServerRequest& request) {
    switch (request.method()) {
    case QHttpServerRequest::Method::Get:
        return "GET";
    case QHttpServerRequest::Method::Post:
        return "POST";
    case QHttpServerRequest::Method::Head:
        return "HEAD";
    case QHttpServerRequest::Method::Put:
        return "PUT";
    case QHttpServerRequest::Method::Delete:
        return "DELETE";
    case QHttpServerRequest::Method::Options:
        return "OPTIONS";
    case QHttpServerRequest::Method::Patch:
        return "PATCH";
    default:
        return "OTHER";
    }
}

QHttpServerResponder::StatusCode statusCode(int status) {
    return static_cast<QHttpServerResponder::StatusCode>(status);
}

void writeJson(QHttpServerResponder& responder, const QByteArray& json, int status) {
    responder.write(json,
                    {{"Content-Type", "application/json"},
                     {"Cache-Control", "no-store"},
                     {"X-Content-Type-Options", "nosniff"}},
                    statusCode(status));
}

} // namespace

double RequestBudget::tokensAt(const Bucket& bucket, qint64 nowMs) const {
    const qint64 elapsed = std::max<qint64>(0, nowMs - bucket.lastMs);
    return std::min<double>(burst_, bucket.tokens + elapsed * perSecond_ / 1000.0);
}

bool RequestBudget::take(const QByteArray& client, qint64 nowMs) {
    if (buckets_.size() >= kMaxClients && !buckets_.contains(client)) {
        for (auto it = buckets_.begin(); it != buckets_.end();) {
            it = tokensAt(*it, nowMs) >= burst_ ? buckets_.erase(it) : std::next(it);
        }
    }
    auto it = buckets_.find(client);
    if (it == buckets_.end()) {
        it = buckets_.insert(client, Bucket{double(burst_), nowMs});
    }
    it->tokens = tokensAt(*it, nowMs);
    it->lastMs = nowMs;
    if (it->tokens < 1.0) {
        return false;
    }
    it->tokens -= 1.0;
    return true;
}

HttpRemote::HttpRemote(RemoteTarget& target, QObject* parent)
    : QObject(parent), target_(target), budget_(kBurstRequests, kRequestsPerSecond) {
    initRemoteResources();
}

HttpRemote::~HttpRemote() = default;

QString HttpRemote::start(const QHostAddress& address, quint16 port) {
    stop();
    auto server = std::make_unique<QHttpServer>();
    // No routes: every request comes here, so that the limits hold for all.
    server->setMissingHandler(
        [this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
            answer(request, std::move(responder));
        });
    const quint16 listening = server->listen(address, port);
    if (listening == 0) {
        const QList<QTcpServer*> servers = server->servers();
        const QString why = servers.isEmpty() ? QString() : servers.constFirst()->errorString();
        return QStringLiteral("Cannot listen on %1 port %2: %3")
            .arg(address.toString())
            .arg(port)
            .arg(why.isEmpty() ? QStringLiteral("unknown error") : why);
    }
    server_ = std::move(server);
    port_ = listening;
    return {};
}

void HttpRemote::stop() {
    server_.reset();
    port_ = 0;
}

bool HttpRemote::isListening() const {
    return server_ != nullptr;
}

quint16 HttpRemote::port() const {
    return port_;
}

void HttpRemote::answer(const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    if (!budget_.take(request.remoteAddress().toString().toLatin1(), monotonicMs())) {
        writeJson(responder, R"({"error":"Too many requests"})", 429);
        return;
    }
    const QString path = request.url().path();
    if (path.startsWith(QLatin1String("/api/"))) {
        const RemoteReply reply =
            handleApiRequest(target_, methodName(request), path, request.value("Authorization"),
                             request.body(), token_);
        writeJson(responder, reply.json, reply.status);
        return;
    }
    if (path != QLatin1String("/") && path != QLatin1String("/index.html")) {
        responder.write(QHttpServerResponder::StatusCode::NotFound);
        return;
    }
    if (request.method() != QHttpServerRequest::Method::Get) {
        responder.write(QHttpServerResponder::StatusCode::MethodNotAllowed);
        return;
    }
    QFile page(QStringLiteral(":/remote/page/index.html"));
    if (!page.open(QIODevice::ReadOnly)) {
        responder.write(QHttpServerResponder::StatusCode::InternalServerError);
        return;
    }
    responder.write(page.readAll(),
                    {{"Content-Type", "text/html; charset=utf-8"},
                     {"Cache-Control", "no-store"},
                     {"X-Frame-Options", "DENY"},
                     {"Referrer-Policy", "no-referrer"},
                     {"X-Content-Type-Options", "nosniff"}},
                    QHttpServerResponder::StatusCode::Ok);
}
