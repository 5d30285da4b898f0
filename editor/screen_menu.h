#pragma once

// The entries of the "Play Screen" menu, worked out from the connected
// screens and the one chosen for shows.

#include "platform/screens.h"

#include <QList>
#include <QString>

struct PlayScreenMenuEntry {
    QString text;
    QString name; // the screen chosen by the entry
    bool checked = false;
    bool enabled = true;

    bool operator==(const PlayScreenMenuEntry&) const = default;
};

// One entry a connected screen; the chosen one is checked, the primary one
// when none is chosen. A chosen screen that is not connected stays in the
// menu, checked and greyed, so that the operator sees the choice is kept
// (shows play on the primary screen meanwhile).
QList<PlayScreenMenuEntry> playScreenMenu(const QList<platform::ScreenEntry>& screens,
                                          const QString& chosen);
