#include "platform/dialogs.h"

#include "platform/logging.h"
#include <QRegularExpression>

#include <atomic>
#include <bit>

namespace platform {

QString messageCaption(MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning:
        return QStringLiteral("Warning");
    case MessageKind::Error:
        return QStringLiteral("Error");
    case MessageKind::Information:
        return QStringLiteral("Information");
    case MessageKind::Confirm:
        return QStringLiteral("Confirm");
    }
    return {};
}

QString buttonText(Button button) {
    switch (button) {
    case Button::Yes:
        return QStringLiteral("&Yes");
    case Button::No:
        return QStringLiteral("&No");
    case Button::OK:
        return QStringLiteral("OK");
    case Button::Cancel:
        return QStringLiteral("Cancel");
    }
    return {};
}

bool boxOnlyInforms(Buttons buttons) {
    return std::popcount(buttons.toInt()) <= 1;
}

namespace {

std::atomic<Dialogs*> installedDialogs{nullptr};
std::atomic<Dialogs*> defaultDialogs{nullptr};

// Where no window can show: a message goes to the log and nothing is chosen.
class NoDialogs final : public Dialogs {
public:
    Answer message(MessageKind kind, const QString& text, Buttons) override {
        qCWarning(lcPlatform).noquote() << messageCaption(kind) + QStringLiteral(": ") + text;
        return Answer::None;
    }
    std::optional<QStringList> openFile(const FileDialogSettings&) override { return {}; }
    std::optional<QString> saveFile(const FileDialogSettings&) override { return {}; }
    std::optional<QStringList> openPicture(const FileDialogSettings&) override { return {}; }
    std::optional<std::uint32_t> chooseColor(const ColorDialogSettings&) override { return {}; }
    bool printSetup(const PrintSetupSettings&) override { return false; }
};

// The patterns of one filter entry, "*.bmp;*.dib" or "*.bmp *.dib", as a list.
QStringList filterPatterns(const QString& patterns) {
    static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
    return patterns.split(separators, Qt::SkipEmptyParts);
}

// One "Description|pattern" pair in Qt's "Description (pattern ...)" form.
// Qt reads the patterns from the parentheses at the end of the entry, so a
// description that already ends with its own patterns keeps them once, with
// the separators Qt understands.
QString qtFilterEntry(const QString& description, const QString& patterns) {
    const QStringList list = filterPatterns(patterns);
    if (list.isEmpty()) {
        return description.trimmed();
    }
    QString text = description.trimmed();
    static const QRegularExpression trailingParens(QStringLiteral("\\(([^()]*)\\)$"));
    const QRegularExpressionMatch match = trailingParens.match(text);
    if (match.hasMatch() && filterPatterns(match.captured(1)) == list) {
        text.truncate(match.capturedStart());
        text = text.trimmed();
    }
    const QString parens = QLatin1Char('(') + list.join(QLatin1Char(' ')) + QLatin1Char(')');
    return text.isEmpty() ? parens : text + QLatin1Char(' ') + parens;
}

// A description without a pattern. A bare extension such as "TXT" stands for
// its files (taken literally it would match only a file of that very name and
// hide every other); any other text stays as it is written.
QString loneDescription(const QString& description) {
    static const QRegularExpression bareExtension(QStringLiteral("^[A-Za-z0-9]{1,4}$"));
    if (bareExtension.match(description).hasMatch()) {
        return qtFilterEntry(description, QStringLiteral("*.") + description);
    }
    return description;
}

} // namespace

QString qtFilter(const QString& filter) {
    if (filter.isEmpty()) {
        return {};
    }
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        if (i + 1 < parts.size()) {
            entries << qtFilterEntry(parts[i], parts[i + 1]);
        } else if (!parts[i].trimmed().isEmpty()) {
            entries << loneDescription(parts[i].trimmed());
        }
    }
    entries.removeAll(QString());
    return entries.join(QStringLiteral(";;"));
}

Dialogs& dialogs() {
    if (Dialogs* installed = installedDialogs.load(std::memory_order_acquire)) {
        return *installed;
    }
    if (Dialogs* standard = defaultDialogs.load(std::memory_order_acquire)) {
        return *standard;
    }
    static NoDialogs none;
    return none;
}

void setDefaultDialogs(Dialogs* standard) {
    defaultDialogs.store(standard, std::memory_order_release);
}

void setDialogs(Dialogs* replacement) {
    installedDialogs.store(replacement, std::memory_order_release);
}

} // namespace platform
