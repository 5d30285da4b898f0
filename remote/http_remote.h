#pragma once

// The HTTP remote: a small server on the main thread's event loop that
// serves the remote page at "/" and hands every "/api/..." request to
// handleApiRequest. Handlers only parse and call the target, so nothing
// here waits.

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QString>

#include <memory>

class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;
class RemoteTarget;

// How many requests each client may make: a bucket of `burst` requests that
// fills again at `perSecond` a second. Times are in milliseconds of a
// monotonic clock the caller reads.
class RequestBudget {
public:
    RequestBudget(int burst, int perSecond) : burst_(burst), perSecond_(perSecond) {}
    // True when `client` may make a request at `nowMs`; the request is then
    // counted.
    bool take(const QByteArray& client, qint64 nowMs);

private:
    struct Bucket {
        double tokens = 0;
        qint64 lastMs = 0;
    };
    double tokensAt(const Bucket& bucket, qint64 nowMs) const;

    int burst_;
    int perSecond_;
    QHash<QByteArray, Bucket> buckets_;
};

class HttpRemote : public QObject {
    Q_OBJECT
public:
    // `target` must outlive the remote.
    HttpRemote(RemoteTarget& target, QObject* parent = nullptr);
    ~HttpRemote() override;

    // The token every API request must carry.
    void setToken(const QByteArray& token) { token_ = token; }

    // Listens on `address` and `port` (0: any free port). Returns an empty
    // text when it listens, else why not.
    QString start(const QHostAddress& address, quint16 port);
    void stop();
    bool isListening() const;
    // The port it listens on, 0 when it does not.
    quint16 port() const;

private:
    void answer(const QHttpServerRequest& request, QHttpServerResponder&& responder);

    RemoteTarget& target_;
    QByteArray token_;
    std::unique_ptr<QHttpServer> server_;
    RequestBudget budget_;
    quint16 port_ = 0;
};
