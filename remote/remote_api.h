#pragma once

// The HTTP remote's requests, answered without a network: the server hands
// each request's method, path, Authorization header and body here and sends
// back what comes out. Everything a remote may do goes to a RemoteTarget,
// which the program backs with its ShowCommands and the tests with a fake.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// What the HTTP remote can ask of the program: the calls of ShowCommands it
// needs, so that this code does not depend on the editor's windows.
class RemoteTarget {
public:
    virtual ~RemoteTarget() = default;

    // "stopped", "playing" or "frozen".
    virtual QString stateName() const = 0;
    virtual QString board() const = 0;
    virtual QString screenName() const = 0;

    // Each returns an empty text when it was done, else why not.
    virtual QString play(const QString& board) = 0;
    virtual QString stop() = 0;
    virtual QString freeze() = 0;
    virtual QString resume() = 0;
    virtual QString refresh() = 0;
    virtual QString setCrawlLine(const QString& text) = 0;
    virtual QString setTitle(int which, const QString& text) = 0;
    virtual QString setTextObject(int which, const QStringList& lines) = 0;
    virtual QString nextSlide() = 0;
    virtual QString previousSlide() = 0;
};

// The largest request body taken; a larger one is answered 413.
inline constexpr qsizetype kMaxRemoteBodyBytes = 64 * 1024;

struct RemoteReply {
    int status = 200;
    QByteArray json; // an object: the state, or {"error": "..."}
};

// Answers one request to "/api/...". `authorization` is the request's
// Authorization header as sent; it must be "Bearer <token>", else the answer
// is 401 and nothing is called. An empty `token` lets nobody in.
//   GET  /api/state                          the state
//   POST /api/play     {"board": "/x/y.sfg"}  board optional
//   POST /api/stop, /api/freeze, /api/resume, /api/refresh, /api/next,
//        /api/previous                        empty body or {}
//   POST /api/crawl    {"text": "..."}
//   POST /api/title    {"which": 1|2, "text": "..."}
//   POST /api/text     {"which": 1|2, "lines": ["...", ...]}
// A command that was done answers 200 with the state as it then is; bad
// input 400, a command's refusal 409, each with {"error": "..."}; an unknown
// path 404, a wrong method 405, a body over kMaxRemoteBodyBytes 413.
RemoteReply handleApiRequest(RemoteTarget& target, const QByteArray& method, const QString& path,
                             const QByteArray& authorization, const QByteArray& body,
                             const QByteArray& token);

// True when `a` and `b` hold the same bytes; the time it takes depends on
// their lengths only, never on where they first differ.
bool sameSecret(QByteArrayView a, QByteArrayView b);
