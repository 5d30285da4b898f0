#include "platform/screens.h"

#include "platform/logging.h"
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace platform {

namespace {

QString& chosenName() {
    static QString name;
    return name;
}

bool haveGuiApplication() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// The screens with the names the program knows them by.
QList<QPair<QScreen*, QString>> namedScreens() {
    QList<QPair<QScreen*, QString>> named;
    QStringList names;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (QScreen* screen : screens) {
        names << screen->name();
    }
    const QStringList unique = uniqueScreenNames(names);
    for (qsizetype i = 0; i < screens.size(); ++i) {
        named.append({screens[i], unique[i]});
    }
    return named;
}

} // namespace

QSize screenPixels(const QScreen* screen) {
    if (!screen) {
        return {};
    }
    const QSize logical = screen->geometry().size();
    const double ratio = screen->devicePixelRatio();
    return QSize(static_cast<int>(std::lround(logical.width() * ratio)),
                 static_cast<int>(std::lround(logical.height() * ratio)));
}

QList<ScreenEntry> connectedScreens() {
    QList<ScreenEntry> list;
    if (!haveGuiApplication()) {
        return list;
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const auto& [screen, name] : namedScreens()) {
        list.append(ScreenEntry{name, screen->geometry(), screenPixels(screen), screen == primary});
    }
    return list;
}

QStringList uniqueScreenNames(const QStringList& names) {
    QStringList unique;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString base = names[i].isEmpty() ? QStringLiteral("Screen %1").arg(i + 1) : names[i];
        QString name = base;
        for (int n = 2; unique.contains(name) || (name != names[i] && names.contains(name)); ++n) {
            name = QStringLiteral("%1 #%2").arg(base).arg(n);
        }
        unique << name;
    }
    return unique;
}

QString screenMenuText(const ScreenEntry& screen) {
    return QStringLiteral("%1 (%2 \u00D7 %3)")
        .arg(screen.name)
        .arg(screen.pixels.width())
        .arg(screen.pixels.height());
}

QString screenListLine(int number, const ScreenEntry& screen) {
    QString line = QStringLiteral("%1  %2  %3x%4+%5+%6")
                       .arg(number)
                       .arg(screen.name)
                       .arg(screen.pixels.width())
                       .arg(screen.pixels.height())
                       .arg(screen.geometry.x())
                       .arg(screen.geometry.y());
    if (screen.primary) {
        line += QStringLiteral("  (primary)");
    }
    return line;
}

qsizetype findScreen(const QList<ScreenEntry>& screens, const QString& nameOrNumber) {
    for (qsizetype i = 0; i < screens.size(); ++i) {
        if (screens[i].name == nameOrNumber) {
            return i;
        }
    }
    bool ok = false;
    const qlonglong number = nameOrNumber.toLongLong(&ok);
    if (ok && number >= 1 && number <= screens.size()) {
        return static_cast<qsizetype>(number - 1);
    }
    return -1;
}

QString chosenPlayScreen() {
    return chosenName();
}

void choosePlayScreen(const QString& name) {
    chosenName() = name;
}

PlayScreenTarget playScreenTarget() {
    PlayScreenTarget target;
    if (!haveGuiApplication()) {
        return target;
    }
    const QString& wanted = chosenName();
    if (!wanted.isEmpty()) {
        for (const auto& [screen, name] : namedScreens()) {
            if (name == wanted) {
                target.screen = screen;
                return target;
            }
        }
        target.fellBack = true;
        qCDebug(lcPlatform) << "play screen" << wanted << "not connected; the primary screen plays";
    }
    target.screen = QGuiApplication::primaryScreen();
    return target;
}

} // namespace platform
