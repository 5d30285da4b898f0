#pragma once

// From the Play command to a running show: lays every element out, prepares
// the line and crawl bitmaps and hands the screen over to the play screen.

#include "board/board_state.h"
#include "show/show_context.h"
#include "show/show_layout.h"
#include "show/show_state.h"

class TPlayScreen;

// The layout input for the current board, flags and title panels, with the
// board's sizes taken within the show's safe bounds; the crawl line height is
// measured in the crawl font.
LayoutInput layoutInputFor(const BoardState& board, const ShowState& show,
                           const TPlayScreen& screen, int screenWidth, int screenHeight);

// Builds and starts a show of the editor's texts with the current board and
// element flags on `screen`, whose surface `ctx` draws into.
void StartTheShow(ShowContext& ctx, TPlayScreen& screen);
// The same with the texts the show already plays: run again over the
// visible play screen to apply changed settings.
void RestartTheShow(ShowContext& ctx, TPlayScreen& screen);
