#include "live/feed_parser.h"

#include <QXmlStreamReader>

namespace {

enum class FeedKind { Rss, Rdf, Atom };

FeedParse failure(const QString& message) {
    FeedParse result;
    result.error = message;
    return result;
}

// Where an item sits, counted from the root: rss/channel/item, RDF/item and
// feed/entry.
bool isItem(FeedKind kind, const QStringList& path) {
    switch (kind) {
    case FeedKind::Rss:
        return path.size() == 3 && path[1] == u"channel" && path[2] == u"item";
    case FeedKind::Rdf:
        return path.size() == 2 && path[1] == u"item";
    case FeedKind::Atom:
        return path.size() == 2 && path[1] == u"entry";
    }
    return false;
}

struct NamedEntity {
    const char16_t* name;
    char16_t value;
};

// The HTML entities that turn up in headlines; XML's own five are among them
// because an escaped HTML title escapes them twice.
constexpr NamedEntity kHtmlEntities[] = {
    {u"amp", u'&'},         {u"lt", u'<'},         {u"gt", u'>'},         {u"quot", u'"'},
    {u"apos", u'\''},       {u"nbsp", u'\u00A0'},  {u"ndash", u'\u2013'}, {u"mdash", u'\u2014'},
    {u"lsquo", u'\u2018'},  {u"rsquo", u'\u2019'}, {u"ldquo", u'\u201C'}, {u"rdquo", u'\u201D'},
    {u"hellip", u'\u2026'}, {u"copy", u'\u00A9'},  {u"reg", u'\u00AE'},   {u"trade", u'\u2122'},
    {u"euro", u'\u20AC'},
};

// The character an entity's name (between '&' and ';') stands for, or
// nothing when it is none we know.
QString decodeEntity(QStringView name) {
    if (name.startsWith(u'#')) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
        const uint code = hex ? name.sliced(2).toUInt(&ok, 16) : name.sliced(1).toUInt(&ok, 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return {};
        }
        const char32_t c = code;
        return QString::fromUcs4(&c, 1);
    }
    for (const NamedEntity& entity : kHtmlEntities) {
        if (name == QStringView(entity.name)) {
            return QString(QChar(entity.value));
        }
    }
    return {};
}

// Tags that end a line or a block: a blank keeps the words on either side
// apart.
bool breaksWords(QStringView tag) {
    if (tag.startsWith(u'/')) {
        tag = tag.sliced(1);
    }
    qsizetype end = 0;
    while (end < tag.size() && tag[end].isLetterOrNumber()) {
        ++end;
    }
    const QStringView name = tag.first(end);
    for (const char16_t* block : {u"br", u"p", u"div", u"li", u"h1", u"h2", u"h3", u"h4"}) {
        if (name.compare(QStringView(block), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

QString stripTags(const QString& html) {
    QString text;
    text.reserve(html.size());
    qsizetype i = 0;
    while (i < html.size()) {
        const QChar c = html[i];
        const bool tagStart = c == u'<' && i + 1 < html.size() &&
                              (html[i + 1].isLetter() || html[i + 1] == u'/' ||
                               html[i + 1] == u'!' || html[i + 1] == u'?');
        const qsizetype close = tagStart ? html.indexOf(u'>', i + 1) : -1;
        if (close < 0) {
            // "a < b" and a tag that never closes are text.
            text.append(c);
            ++i;
            continue;
        }
        if (breaksWords(QStringView(html).sliced(i + 1, close - i - 1))) {
            text.append(u' ');
        }
        i = close + 1;
    }
    return text;
}

QString decodeEntities(const QString& text) {
    // Entity names are short; a '&' with no ';' soon after is a plain '&'.
    constexpr qsizetype kLongestName = 10;
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == u'&') {
            const qsizetype semicolon = text.indexOf(u';', i + 1);
            if (semicolon > i + 1 && semicolon - i - 1 <= kLongestName) {
                const QString decoded =
                    decodeEntity(QStringView(text).sliced(i + 1, semicolon - i - 1));
                if (!decoded.isEmpty()) {
                    out.append(decoded);
                    i = semicolon + 1;
                    continue;
                }
            }
        }
        out.append(text[i]);
        ++i;
    }
    return out;
}

} // namespace

QString htmlToPlainText(const QString& html) {
    return decodeEntities(stripTags(html));
}

QString cleanFeedTitle(const QString& title) {
    QString text;
    text.reserve(title.size());
    for (const QChar c : title) {
        if (c.isSpace()) {
            text.append(u' ');
        } else if (c.category() != QChar::Other_Control) {
            text.append(c);
        }
    }
    text = text.simplified();
    if (text.size() > kMaxFeedTitleChars) {
        qsizetype cut = kMaxFeedTitleChars - 1;
        // Never between the two halves of a character beyond the BMP.
        if (text[cut - 1].isHighSurrogate()) {
            --cut;
        }
        text = text.first(cut).trimmed() + QChar(0x2026);
    }
    return text;
}

FeedParse parseFeed(const QByteArray& xml) {
    if (xml.trimmed().isEmpty()) {
        return failure(QStringLiteral("The feed is empty."));
    }
    QXmlStreamReader reader(xml);
    FeedKind kind = FeedKind::Rss;
    QStringList path; // local names from the root down to the current element
    qsizetype itemDepth = -1;
    QString itemNamespace;
    bool itemHasTitle = false;
    qsizetype titleDepth = -1;
    bool titleIsHtml = false;
    QString title;
    QStringList titles;

    while (!reader.atEnd() && titles.size() < kMaxFeedItems) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            // Its entities could expand a few bytes into gigabytes; no feed
            // needs one.
            return failure(QStringLiteral("The feed holds a document type declaration, which "
                                          "is not read for safety."));
        case QXmlStreamReader::EntityReference:
            // An entity the reader could not replace; without a DTD the
            // reader refuses those itself, this is the second lock.
            return failure(QStringLiteral("The feed uses the undefined entity \"&%1;\".")
                               .arg(reader.name().left(40)));
        case QXmlStreamReader::StartElement: {
            path.append(reader.name().toString());
            if (path.size() == 1) {
                if (reader.name() == u"rss") {
                    kind = FeedKind::Rss;
                } else if (reader.name() == u"RDF") {
                    kind = FeedKind::Rdf;
                } else if (reader.name() == u"feed") {
                    kind = FeedKind::Atom;
                } else {
                    return failure(
                        QStringLiteral("The document is no RSS or Atom feed: its root is <%1>.")
                            .arg(reader.name().left(40)));
                }
            } else if (titleDepth >= 0) {
                // The elements of an XHTML title only carry its text.
            } else if (itemDepth < 0 && isItem(kind, path)) {
                itemDepth = path.size();
                itemNamespace = reader.namespaceUri().toString();
                itemHasTitle = false;
            } else if (itemDepth >= 0 && path.size() == itemDepth + 1 && !itemHasTitle &&
                       reader.name() == u"title" && reader.namespaceUri() == itemNamespace) {
                // Only the item's own title: <dc:title> or <media:title>
                // belong to other vocabularies.
                titleDepth = path.size();
                titleIsHtml = kind == FeedKind::Atom &&
                              reader.attributes().value(QStringLiteral("type")) == u"html";
                title.clear();
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (titleDepth >= 0) {
                title.append(reader.text());
            }
            break;
        case QXmlStreamReader::EndElement:
            if (path.size() == titleDepth) {
                titleDepth = -1;
                itemHasTitle = true;
                const QString cleaned =
                    cleanFeedTitle(titleIsHtml ? htmlToPlainText(title) : title);
                if (!cleaned.isEmpty()) {
                    titles.append(cleaned);
                }
            } else if (path.size() == itemDepth) {
                itemDepth = -1;
            }
            path.removeLast();
            break;
        default:
            break;
        }
    }
    if (reader.hasError()) {
        QString message = reader.errorString();
        if (!message.endsWith(u'.')) {
            message += u'.';
        }
        return failure(QStringLiteral("The feed is not well-formed XML (line %1, column %2): %3")
                           .arg(reader.lineNumber())
                           .arg(reader.columnNumber())
                           .arg(message));
    }
    if (titles.isEmpty()) {
        return failure(QStringLiteral("The feed has no items."));
    }
    FeedParse result;
    result.titles = titles;
    return result;
}
