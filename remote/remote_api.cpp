#include "remote/remote_api.h"

#include "remote/show_commands.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <functional>
#include <optional>

namespace {

// Longer than any path a board is kept at.
constexpr qsizetype kMaxBoardPathChars = 4096;

RemoteReply errorReply(int status, const QString& message) {
    return {status, QJsonDocument(QJsonObject{{QStringLiteral("error"), message}})
                        .toJson(QJsonDocument::Compact)};
}

RemoteReply stateReply(const RemoteTarget& target) {
    const QJsonObject state{{QStringLiteral("state"), target.stateName()},
                            {QStringLiteral("board"), target.board()},
                            {QStringLiteral("screen"), target.screenName()}};
    return {200, QJsonDocument(state).toJson(QJsonDocument::Compact)};
}

// The token of "Bearer <token>"; the scheme's name matches without regard
// to case, blanks around the token are dropped.
QByteArray bearerToken(const QByteArray& authorization) {
    const QByteArray value = authorization.trimmed();
    const qsizetype blank = value.indexOf(' ');
    if (blank < 0 || value.left(blank).toLower() != "bearer") {
        return {};
    }
    return value.mid(blank + 1).trimmed();
}

bool holdsLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// A request's body read as a JSON object whose fields are all among
// `allowed`; an empty body reads as an empty object.
struct Fields {
    QJsonObject object;
    QString error; // empty when the body was good
};

Fields readFields(const QByteArray& body, std::initializer_list<QLatin1StringView> allowed) {
    if (body.trimmed().isEmpty()) {
        return {};
    }
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return {{}, QStringLiteral("The body is not JSON: %1").arg(parseError.errorString())};
    }
    if (!document.isObject()) {
        return {{}, QStringLiteral("The body is not a JSON object")};
    }
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (std::find(allowed.begin(), allowed.end(), it.key()) == allowed.end()) {
            return {{}, QStringLiteral("Unknown field \"%1\"").arg(it.key())};
        }
    }
    return {object, {}};
}

// A text field; `error` is set when it is missing (and `required`), not a
// string, too long or holds a line break.
std::optional<QString> textField(const QJsonObject& object, const QString& name, bool required,
                                 qsizetype maxChars, QString& error) {
    const QJsonValue value = object.value(name);
    if (value.isUndefined()) {
        if (required) {
            error = QStringLiteral("\"%1\" is missing").arg(name);
        }
        return std::nullopt;
    }
    if (!value.isString()) {
        error = QStringLiteral("\"%1\" is not a text").arg(name);
        return std::nullopt;
    }
    const QString text = value.toString();
    if (text.size() > maxChars) {
        error = QStringLiteral("\"%1\" is longer than %2 characters").arg(name).arg(maxChars);
        return std::nullopt;
    }
    if (holdsLineBreak(text)) {
        error = QStringLiteral("\"%1\" holds a line break").arg(name);
        return std::nullopt;
    }
    return text;
}

// "which": 1 or 2, nothing else.
std::optional<int> whichField(const QJsonObject& object, QString& error) {
    const QJsonValue value = object.value(QStringLiteral("which"));
    if (value.isUndefined()) {
        error = QStringLiteral("\"which\" is missing");
        return std::nullopt;
    }
    const double number = value.toDouble(0.0);
    if (!value.isDouble() || (number != 1.0 && number != 2.0)) {
        error = QStringLiteral("\"which\" must be 1 or 2");
        return std::nullopt;
    }
    return static_cast<int>(number);
}

std::optional<QStringList> linesField(const QJsonObject& object, QString& error) {
    const QJsonValue value = object.value(QStringLiteral("lines"));
    if (value.isUndefined()) {
        error = QStringLiteral("\"lines\" is missing");
        return std::nullopt;
    }
    if (!value.isArray()) {
        error = QStringLiteral("\"lines\" is not a list");
        return std::nullopt;
    }
    const QJsonArray array = value.toArray();
    if (array.size() > kMaxRemoteLines) {
        error = QStringLiteral("\"lines\" has more than %1 lines").arg(kMaxRemoteLines);
        return std::nullopt;
    }
    QStringList lines;
    lines.reserve(array.size());
    for (const QJsonValue& line : array) {
        if (!line.isString()) {
            error = QStringLiteral("A line is not a text");
            return std::nullopt;
        }
        const QString text = line.toString();
        if (text.size() > kMaxRemoteLineChars) {
            error = QStringLiteral("A line is longer than %1 characters").arg(kMaxRemoteLineChars);
            return std::nullopt;
        }
        if (holdsLineBreak(text)) {
            error = QStringLiteral("A line holds a line break");
            return std::nullopt;
        }
        lines.append(text);
    }
    return lines;
}

// Why `path` cannot be played as a board, or nothing when it can.
QString boardPathProblem(const QString& path) {
    const QFileInfo info(path);
    if (!info.isAbsolute()) {
        return QStringLiteral("\"board\" must be an absolute path");
    }
    if (info.suffix().compare(QLatin1String("sfg"), Qt::CaseInsensitive) != 0) {
        return QStringLiteral("\"board\" is not a .SFG file");
    }
    if (!info.isFile()) {
        return QStringLiteral("There is no board file at %1").arg(path);
    }
    return {};
}

using Command = std::function<QString(RemoteTarget&)>;

// What a POST's body asks for: the call to make, or why there is none.
struct Parsed {
    Command command;
    QString error;
};

Parsed badRequest(const QString& error) {
    return {{}, error};
}

Parsed parsePlay(const QByteArray& body) {
    const Fields fields = readFields(body, {QLatin1StringView("board")});
    if (!fields.error.isEmpty()) {
        return badRequest(fields.error);
    }
    QString error;
    const std::optional<QString> board =
        textField(fields.object, QStringLiteral("board"), false, kMaxBoardPathChars, error);
    if (!error.isEmpty()) {
        return badRequest(error);
    }
    const QString path = board.value_or(QString());
    if (!path.isEmpty()) {
        const QString problem = boardPathProblem(path);
        if (!problem.isEmpty()) {
            return badRequest(problem);
        }
    }
    return {[path](RemoteTarget& target) { return target.play(path); }, {}};
}

Parsed parseCrawl(const QByteArray& body) {
    const Fields fields = readFields(body, {QLatin1StringView("text")});
    if (!fields.error.isEmpty()) {
        return badRequest(fields.error);
    }
    QString error;
    const std::optional<QString> text =
        textField(fields.object, QStringLiteral("text"), true, kMaxRemoteLineChars, error);
    if (!text) {
        return badRequest(error);
    }
    return {[text = *text](RemoteTarget& target) { return target.setCrawlLine(text); }, {}};
}

Parsed parseTitle(const QByteArray& body) {
    const Fields fields = readFields(body, {QLatin1StringView("which"), QLatin1StringView("text")});
    if (!fields.error.isEmpty()) {
        return badRequest(fields.error);
    }
    QString error;
    const std::optional<int> which = whichField(fields.object, error);
    if (!which) {
        return badRequest(error);
    }
    const std::optional<QString> text =
        textField(fields.object, QStringLiteral("text"), true, kMaxRemoteTitleChars, error);
    if (!text) {
        return badRequest(error);
    }
    return {[which = *which, text = *text](RemoteTarget& target) {
                return target.setTitle(which, text);
            },
            {}};
}

Parsed parseText(const QByteArray& body) {
    const Fields fields =
        readFields(body, {QLatin1StringView("which"), QLatin1StringView("lines")});
    if (!fields.error.isEmpty()) {
        return badRequest(fields.error);
    }
    QString error;
    const std::optional<int> which = whichField(fields.object, error);
    if (!which) {
        return badRequest(error);
    }
    const std::optional<QStringList> lines = linesField(fields.object, error);
    if (!lines) {
        return badRequest(error);
    }
    return {[which = *which, lines = *lines](RemoteTarget& target) {
                return target.setTextObject(which, lines);
            },
            {}};
}

// A command that takes nothing: an empty body or an empty object.
Parsed parseBare(const QByteArray& body, QString (RemoteTarget::*call)()) {
    const Fields fields = readFields(body, {});
    if (!fields.error.isEmpty()) {
        return badRequest(fields.error);
    }
    return {[call](RemoteTarget& target) { return (target.*call)(); }, {}};
}

std::optional<Parsed> parsePost(const QString& path, const QByteArray& body) {
    if (path == QLatin1String("/api/play")) {
        return parsePlay(body);
    }
    if (path == QLatin1String("/api/crawl")) {
        return parseCrawl(body);
    }
    if (path == QLatin1String("/api/title")) {
        return parseTitle(body);
    }
    if (path == QLatin1String("/api/text")) {
        return parseText(body);
    }
    static const std::pair<QLatin1StringView, QString (RemoteTarget::*)()> bare[] = {
        {QLatin1StringView("/api/stop"), &RemoteTarget::stop},
        {QLatin1StringView("/api/freeze"), &RemoteTarget::freeze},
        {QLatin1StringView("/api/resume"), &RemoteTarget::resume},
        {QLatin1StringView("/api/refresh"), &RemoteTarget::refresh},
        {QLatin1StringView("/api/next"), &RemoteTarget::nextSlide},
        {QLatin1StringView("/api/previous"), &RemoteTarget::previousSlide},
    };
    for (const auto& [name, call] : bare) {
        if (path == name) {
            return parseBare(body, call);
        }
    }
    return std::nullopt;
}

} // namespace

bool sameSecret(QByteArrayView a, QByteArrayView b) {
    const qsizetype length = std::max(a.size(), b.size());
    unsigned difference = a.size() == b.size() ? 0U : 1U;
    for (qsizetype i = 0; i < length; ++i) {
        const auto x = static_cast<unsigned char>(i < a.size() ? a[i] : 0);
        const auto y = static_cast<unsigned char>(i < b.size() ? b[i] : 0);
        difference |= static_cast<unsigned>(x ^ y);
    }
    return difference == 0;
}

RemoteReply handleApiRequest(RemoteTarget& target, const QByteArray& method, const QString& path,
                             const QByteArray& authorization, const QByteArray& body,
                             const QByteArray& token) {
    if (body.size() > kMaxRemoteBodyBytes) {
        return errorReply(
            413, QStringLiteral("The request is larger than %1 bytes").arg(kMaxRemoteBodyBytes));
    }
    if (token.isEmpty() || !sameSecret(bearerToken(authorization), token)) {
        return errorReply(401, QStringLiteral("A valid token is needed"));
    }
    if (path == QLatin1String("/api/state")) {
        if (method != "GET") {
            return errorReply(405, QStringLiteral("Only GET is allowed here"));
        }
        return stateReply(target);
    }
    // Parsing has no effect of its own, so the body is read before the
    // method is looked at.
    const std::optional<Parsed> parsed = parsePost(path, body);
    if (!parsed) {
        return errorReply(404, QStringLiteral("There is nothing at %1").arg(path));
    }
    if (method != "POST") {
        return errorReply(405, QStringLiteral("Only POST is allowed here"));
    }
    if (!parsed->command) {
        return errorReply(400, parsed->error);
    }
    const QString refusal = parsed->command(target);
    if (!refusal.isEmpty()) {
        return errorReply(409, refusal);
    }
    return stateReply(target);
}
