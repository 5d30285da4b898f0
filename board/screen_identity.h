#pragma once

// The screen chosen for shows, as it is known across sessions: a name alone
// does not survive a change of session (an output named HDMI-1 under X11 is
// XWAYLAND0 under XWayland), so what the screen reports of itself is kept
// beside it.

#include <QRect>
#include <QString>

struct ScreenIdentity {
    QString name;
    QString manufacturer;
    QString model;
    QString serial;
    // Where the screen lay on the desktop.
    QRect geometry;

    bool isEmpty() const { return name.isEmpty(); }
    bool operator==(const ScreenIdentity&) const = default;
};
