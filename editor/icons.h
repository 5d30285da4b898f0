#pragma once

#include <QIcon>

// The pictures on the editor's tool buttons, drawn at run time so the
// program carries no image files.
enum class ToolIcon {
    Open,
    Save,
    Clear,
    Play,
    Palette,
    Clock,
    PagePause,
    AddPicture,
    Delete,
    AddMovie,
    Stretch,
    CountMarkers,
};

QIcon toolIcon(ToolIcon kind);
