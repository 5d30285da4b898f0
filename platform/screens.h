#pragma once

// The screens connected to the computer, and the one a show plays on. The
// choice is a screen as it is known across sessions (its name, and what it
// reports of itself); when no connected screen matches it, or none was
// chosen, the show plays on the primary screen.

#include "board/screen_identity.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class QScreen;

namespace platform {

struct ScreenEntry {
    QString name;
    // Where the screen lies on the desktop, in the coordinates windows are
    // placed in (the desktop's scale applied).
    QRect geometry;
    // The screen's own pixels, whatever the desktop's scale.
    QSize pixels;
    bool primary = false;
    // What the screen reports of itself; empty where the system does not say.
    QString manufacturer = {};
    QString model = {};
    QString serial = {};

    bool operator==(const ScreenEntry&) const = default;
};

// The names screens go by here: the system's, with "#2", "#3" ... added to a
// name that an earlier screen has (separate X screens all have the same
// name), and "Screen N" for a screen with none.
QStringList uniqueScreenNames(const QStringList& names);

// Every connected screen, in the order the system gives them; the list's
// numbers, counted from 1, are the ones the command line takes.
QList<ScreenEntry> connectedScreens();

// "HDMI-1 (1920 × 1080)": the name and the size in the screen's own pixels.
QString screenMenuText(const ScreenEntry& screen);

// "2  HDMI-1  1920x1080+1920+0  (primary)": number, name, pixel size and
// desktop position, as --list-screens prints a screen.
QString screenListLine(int number, const ScreenEntry& screen);

// The index in `screens` of the screen named `nameOrNumber`, or numbered so
// (from 1), or else the one screen of that serial number, model, or
// manufacturer and model; -1 when there is none. A name wins over a number.
qsizetype findScreen(const QList<ScreenEntry>& screens, const QString& nameOrNumber);

// The screen of `screens` that `chosen` is, matched in this order: by name;
// by serial number (with manufacturer and model); by manufacturer and model
// when one screen has them; by place on the desktop. -1 when none is.
qsizetype matchScreen(const QList<ScreenEntry>& screens, const ScreenIdentity& chosen);
ScreenIdentity identityOf(const ScreenEntry& screen);

// The screen chosen for shows (empty: the primary). Held for this run only;
// the editor keeps it in the settings file. Chosen by name, a connected
// screen of that name gives the rest of its identity.
QString chosenPlayScreen();
ScreenIdentity chosenPlayScreenIdentity();
void choosePlayScreen(const QString& name);
void choosePlayScreen(const ScreenIdentity& screen);
// The name the chosen screen goes by now: a connected screen that matches
// it, or the chosen name.
QString chosenPlayScreenNow();

// The screen the show plays on: the chosen one when it is connected,
// otherwise the primary (`fellBack` says which). Null only when the system
// has no screen at all.
struct PlayScreenTarget {
    QScreen* screen = nullptr;
    bool fellBack = false;
};
PlayScreenTarget playScreenTarget();

// The size of `screen` in its own pixels.
QSize screenPixels(const QScreen* screen);

} // namespace platform
