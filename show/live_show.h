#pragma once

// The one way a running show takes a change. Every source of change (watched
// files, the crawl line's feed, the editor beside the show) hands over the
// texts the show is to play, with the board record as it now stands; the
// show takes them at safe points, never by stopping and never in the middle
// of a drawn line:
// - the titles are drawn again at once;
// - a text box scrolls the new lines from its next line on, from the first;
// - the crawl line takes the new text after the copy now crawling;
// - the slideshow takes the new list from its next slide;
// - anything else (colours, fonts, sizes, delays, switches, an element that
//   comes or goes) restarts the show as the control panel's Refresh does.
// Main thread only. What is drawn for the crawl line is drawn off it.

#include "show/show_context.h"
#include "show/show_texts.h"

class TPlayScreen;

enum class LiveOutcome {
    NoShow,        // no show is on: nothing was taken
    NothingToPlay, // the texts leave nothing to play: the show plays on as it was
    Unchanged,     // the show already plays these
    AtSafePoints,  // taken at the safe points
    Restarted,     // the show started again with them
    AtResume,      // the show is frozen or waiting: its restart plays them
};

LiveOutcome takeLiveChange(ShowContext& ctx, TPlayScreen& screen, const ShowTexts& texts);

// A readable sentence for the status bar and the log.
QString liveOutcomeText(LiveOutcome outcome);
