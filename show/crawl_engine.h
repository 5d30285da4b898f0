#pragma once

// The crawl line moves from right to left along the bottom of the play
// screen, one pixel column per step, endlessly.

#include "show/engine_thread.h"
#include "show/show_context.h"

// One crawl step, on the main thread. Returns false when the show has stopped.
bool crawlStep(ShowContext& ctx);

class TCrawler : public EngineThread {
public:
    explicit TCrawler(ShowContext ctx);

    void CrawlStep();

protected:
    void Execute() override;

private:
    ShowContext ctx_;
};
