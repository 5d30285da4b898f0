#pragma once

// What every part of a running show works on: the board it plays, the show
// record, the surface it draws into and the editor that composed it.

#include "board/board_state.h"
#include "show/show_state.h"

class ShowHost;
class ShowSurface;

struct ShowContext {
    BoardState& board;
    ShowState& show;
    ShowSurface& surface;
    ShowHost& host;
};
