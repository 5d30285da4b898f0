#include "platform/screens.h"

#include "platform/logging.h"
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace platform {

namespace {

ScreenIdentity& chosen() {
    static ScreenIdentity identity;
    return identity;
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

// The index of the one screen of `screens` that `matches`; -1 when none or
// more than one does.
template <typename Matches> qsizetype onlyOne(const QList<ScreenEntry>& screens, Matches matches) {
    qsizetype found = -1;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        if (matches(screens[i])) {
            if (found >= 0) {
                return -1;
            }
            found = i;
        }
    }
    return found;
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
        list.append(ScreenEntry{name, screen->geometry(), screenPixels(screen), screen == primary,
                                screen->manufacturer(), screen->model(), screen->serialNumber()});
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
    const QString made =
        QStringLiteral("%1 %2").arg(screen.manufacturer, screen.model).simplified();
    if (!made.isEmpty()) {
        line += QStringLiteral("  ") + made;
    }
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
    // What the screen reports of itself, when it names one screen only.
    const auto only = [&](auto matches) { return onlyOne(screens, matches); };
    for (auto matches : {+[](const ScreenEntry&s, const QString&v) { return s.serial == v; },
                         +[](const ScreenEntry&s, const QString&v) { return s.model == v; },
                         +[](const ScreenEntry&s, const QString&v) {
                             return QStringLiteral("%1 %2").arg(s.manufacturer, s.model) == v;
                         }}) {
        if (nameOrNumber.isEmpty()) {
            break;
        }
        const qsizetype found =
            only([&](const ScreenEntry& s) { return matches(s, nameOrNumber); });
        if (found >= 0) {
            return found;
        }
    }
    return -1;
}

ScreenIdentity identityOf(const ScreenEntry& screen) {
    return ScreenIdentity{screen.name, screen.manufacturer, screen.model, screen.serial,
                          screen.geometry};
}

qsizetype matchScreen(const QList<ScreenEntry>& screens, const ScreenIdentity& wanted) {
    if (wanted.isEmpty()) {
        return -1;
    }
    const auto only = [&](auto matches) { return onlyOne(screens, matches); };
    const auto sameMake = [&](const ScreenEntry& s) {
        return !wanted.model.isEmpty() && s.model == wanted.model &&
               s.manufacturer == wanted.manufacturer;
    };
    qsizetype found = only([&](const ScreenEntry& s) { return s.name == wanted.name; });
    if (found < 0 && !wanted.serial.isEmpty()) {
        found =
            only([&](const ScreenEntry& s) { return sameMake(s) && s.serial == wanted.serial; });
    }
    if (found < 0) {
        found = only(sameMake);
    }
    if (found < 0 && wanted.geometry.isValid()) {
        found = only([&](const ScreenEntry& s) { return s.geometry == wanted.geometry; });
    }
    return found;
}

QString chosenPlayScreen() {
    return chosen().name;
}

ScreenIdentity chosenPlayScreenIdentity() {
    return chosen();
}

void choosePlayScreen(const QString& name) {
    const QList<ScreenEntry> screens = connectedScreens();
    for (const ScreenEntry& screen : screens) {
        if (screen.name == name && !name.isEmpty()) {
            chosen() = identityOf(screen);
            return;
        }
    }
    chosen() = ScreenIdentity{name, {}, {}, {}, {}};
}

void choosePlayScreen(const ScreenIdentity& screen) {
    chosen() = screen;
}

QString chosenPlayScreenNow() {
    const QList<ScreenEntry> screens = connectedScreens();
    const qsizetype found = matchScreen(screens, chosen());
    return found >= 0 ? screens[found].name : chosen().name;
}

PlayScreenTarget playScreenTarget() {
    PlayScreenTarget target;
    if (!haveGuiApplication()) {
        return target;
    }
    const ScreenIdentity& wanted = chosen();
    if (!wanted.isEmpty()) {
        const QList<ScreenEntry> screens = connectedScreens();
        const qsizetype found = matchScreen(screens, wanted);
        const auto named = namedScreens();
        if (found >= 0) {
            target.screen = named[found].first;
            return target;
        }
        target.fellBack = true;
        qCDebug(lcPlatform) << "play screen" << wanted.name
                            << "not connected; the primary screen plays";
    }
    target.screen = QGuiApplication::primaryScreen();
    return target;
}

} // namespace platform
