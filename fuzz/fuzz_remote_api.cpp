// The HTTP remote's requests on any body: the first byte picks the
// endpoint, the method and whether the show refuses; the rest is the body.
// Whatever comes, the answer is a JSON object with one of the statuses the
// remote gives, the show is called at most once and only when the answer
// says it was (200 or 409), what it is given is within bounds, and a wrong
// token calls nothing.

#include "remote/remote_api.h"
#include "remote/show_commands.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {

void check(bool property) {
    if (!property) {
        __builtin_trap();
    }
}

bool withinLine(const QString& text, qsizetype maxChars) {
    return text.size() <= maxChars && !text.contains(u'\n') && !text.contains(u'\r');
}

// Counts the calls and checks what each is given; refuses them when told.
class CheckingTarget : public RemoteTarget {
public:
    explicit CheckingTarget(bool refuse) : refuse_(refuse) {}
    int calls = 0;

    QString stateName() const override { return QStringLiteral("playing"); }
    QString board() const override { return {}; }
    QString screenName() const override { return {}; }
    QString play(const QString& board) override {
        check(board.isEmpty() || board.endsWith(QLatin1String(".sfg"), Qt::CaseInsensitive));
        return called();
    }
    QString stop() override { return called(); }
    QString freeze() override { return called(); }
    QString resume() override { return called(); }
    QString refresh() override { return called(); }
    QString setCrawlLine(const QString& text) override {
        check(withinLine(text, kMaxRemoteLineChars));
        return called();
    }
    QString setTitle(int which, const QString& text) override {
        check(which == 1 || which == 2);
        check(withinLine(text, kMaxRemoteTitleChars));
        return called();
    }
    QString setTextObject(int which, const QStringList& lines) override {
        check(which == 1 || which == 2);
        check(lines.size() <= kMaxRemoteLines);
        for (const QString& line : lines) {
            check(withinLine(line, kMaxRemoteLineChars));
        }
        return called();
    }
    QString nextSlide() override { return called(); }
    QString previousSlide() override { return called(); }

private:
    QString called() {
        ++calls;
        return refuse_ ? QStringLiteral("refused") : QString();
    }
    bool refuse_;
};

const char* const kPaths[] = {"/api/state",  "/api/play",    "/api/stop", "/api/freeze",
                              "/api/resume", "/api/refresh", "/api/next", "/api/previous",
                              "/api/crawl",  "/api/title",   "/api/text", "/api/other"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const QString path = QString::fromLatin1(kPaths[data[0] % std::size(kPaths)]);
    const QByteArray method = (data[0] & 0x80) != 0 ? "GET" : "POST";
    const QByteArray body = QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1),
                                                    static_cast<qsizetype>(size - 1));
    const QByteArray token = "fuzz-token";

    const bool refuse = (data[0] & 0x40) != 0;
    CheckingTarget target(refuse);
    const RemoteReply reply =
        handleApiRequest(target, method, path, "Bearer " + token, body, token);
    const int status = reply.status;
    check(status == 200 || status == 400 || status == 404 || status == 405 || status == 409 ||
          status == 413);
    check(target.calls ==
          (status == 200 && path != QLatin1String("/api/state") ? 1 : 0) + (status == 409 ? 1 : 0));
    QJsonParseError error{};
    const QJsonObject answer = QJsonDocument::fromJson(reply.json, &error).object();
    check(error.error == QJsonParseError::NoError);
    check(answer.contains(status == 200 ? QStringLiteral("state") : QStringLiteral("error")));

    CheckingTarget locked(false);
    check(handleApiRequest(locked, method, path, "Bearer fuzz-tokem", body, token).status ==
              (body.size() > kMaxRemoteBodyBytes ? 413 : 401) &&
          locked.calls == 0);
    return 0;
}
