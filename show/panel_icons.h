#pragma once

// The pictures of the control panel's tool buttons, drawn at run time so
// the program carries no image files.

#include <QIcon>

enum class PanelIcon {
    BackgroundColour,
    Refresh,
    Clock,
    LeaveShow,
};

QIcon panelIcon(PanelIcon kind);
