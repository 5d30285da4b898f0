#pragma once

// Text box 1 and text box 2 scroll their text objects upwards one pixel per
// step, endlessly, each paced by its own thread. Text box 1 also has the page
// pause and the picture markers.

#include "show/engine_thread.h"
#include "show/show_context.h"

// One step of text box 1, on the main thread. Returns false when the show
// has stopped (the step's thread is to end).
bool textBox1Step(ShowContext& ctx);
// One step of text box 2.
bool textBox2Step(ShowContext& ctx);

// Counts a step of text box 1's page: true when a page is complete and the
// pause is due (the counter then starts again).
bool pagePauseDue(SharedValue<std::int32_t>& pageRows, std::int32_t pageHeight);

class TScrollBox1 : public EngineThread {
public:
    explicit TScrollBox1(ShowContext ctx);

    // The hold after every page; shorter in tests.
    static std::atomic<int> pagePauseMs;

    void ScrollStep();

protected:
    void Execute() override;

private:
    ShowContext ctx_;
};

class TScrollBox2 : public EngineThread {
public:
    explicit TScrollBox2(ShowContext ctx);

    void ScrollStep();

protected:
    void Execute() override;

private:
    ShowContext ctx_;
};

// The priority of the text box and crawl engines: highest on the NT family.
EngineThread::Priority enginePriority();
