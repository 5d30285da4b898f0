#pragma once

// A show without the editor and without a window: a board, a show record, a
// surface to draw into and a host that hands over fixed texts, for tests of
// the show's core.

#include "board/board_state.h"
#include "show/engine_thread.h"
#include "show/show_context.h"
#include "show/show_host.h"
#include "show/show_state.h"
#include "show/show_surface.h"

#include <QColor>

#include <cstdint>
#include <optional>
#include <vector>

struct FakeHost final : ShowHost {
    ShowTexts texts;
    bool stretch = false;
    bool sync = false;
    int editorShown = 0;
    int editorHidden = 0;
    // The editor's clock switch and colour dialog, as the panel sees them.
    bool clockDown = false;
    std::vector<std::optional<std::uint32_t>> colourAnswers; // taken from the front
    int colourDialogs = 0;
    int lastBoardOffers = 0;
    QString playScreenNote;

    ShowTexts showTexts() const override { return texts; }
    bool imageStretch() const override { return stretch; }
    bool syncWithRetrace() const override { return sync; }
    bool clockButtonDown() const override { return clockDown; }
    std::optional<std::uint32_t> choosePlayBackColor() override {
        ++colourDialogs;
        if (colourAnswers.empty()) {
            return std::nullopt;
        }
        const std::optional<std::uint32_t> answer = colourAnswers.front();
        colourAnswers.erase(colourAnswers.begin());
        return answer;
    }
};

// The board, the show record and the host of a test show, drawing into
// `surface`, which the fixture that holds them owns.
struct ShowParts {
    BoardState board;
    ShowState show;
    FakeHost host;
    ShowSurface& surface;
    ShowContext ctx;

    ShowParts(ShowSurface& into, int width, int height)
        : surface(into), ctx{board, show, into, host} {
        // Tests end many shows: the threads are ended without the settling time.
        setStopSettleMs(0);
        surface.resize(width, height);
        surface.image().fill(Qt::black);
        board.BorderWidth = 10;
        board.Text1FontName = board.Text2FontName = board.CrawlFontName = QStringLiteral("Arial");
        board.Text1FontSize = board.Text2FontSize = 20;
        board.Text1Color = board.Text2Color = 0xFFFFFF;
        show.ShowRunning = true;
    }
    ShowParts(const ShowParts&) = delete;
    ShowParts& operator=(const ShowParts&) = delete;
};

struct OwnSurface {
    ShowSurface ownSurface;
};

// A show drawing into a surface of its own, with no window at all.
struct CoreFixture : private OwnSurface, ShowParts {
    CoreFixture(int width, int height) : ShowParts(ownSurface, width, height) {}
};
