#include "live/crawl_items.h"

#include <QUrl>

QString joinCrawlItems(const QStringList& items, const QString& separator) {
    QString line;
    for (const QString& item : items) {
        const QString text = item.trimmed();
        if (text.isEmpty()) {
            continue;
        }
        if (!line.isEmpty()) {
            line += separator;
        }
        line += text;
    }
    return line;
}

QStringList crawlItemsFromLines(const QStringList& lines) {
    QStringList items;
    for (const QString& line : lines) {
        const QString text = line.trimmed();
        if (!text.isEmpty()) {
            items.append(text);
        }
    }
    return items;
}

QString crawlFeedUrlProblem(const QString& url) {
    if (url.trimmed().isEmpty()) {
        return QStringLiteral("The news feed has no address.");
    }
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid()) {
        return QStringLiteral("\"%1\" is not a valid web address.").arg(url);
    }
    if (parsed.scheme() != u"http" && parsed.scheme() != u"https") {
        return QStringLiteral(
                   "The news feed's address must start with http:// or https://, not \"%1\".")
            .arg(url);
    }
    if (parsed.host().isEmpty()) {
        return QStringLiteral("The news feed's address \"%1\" names no server.").arg(url);
    }
    return {};
}
