#pragma once

// The screens connected to the computer, and the one a show plays on. The
// choice is a screen's name; when no screen of that name is connected, or
// none was chosen, the show plays on the primary screen.

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
// (from 1); -1 when there is none. A name wins over a number.
qsizetype findScreen(const QList<ScreenEntry>& screens, const QString& nameOrNumber);

// The screen chosen for shows (empty: the primary). Held for this run only;
// the editor keeps it in the settings file.
QString chosenPlayScreen();
void choosePlayScreen(const QString& name);

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
