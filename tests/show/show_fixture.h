#pragma once

// A show without the editor: a board, a show record, a play screen and a
// host that hands over fixed texts, for tests of the show's own parts.

#include "board/board_state.h"
#include "show/engine_thread.h"
#include "show/play_screen.h"
#include "show/show_host.h"
#include "show/show_startup.h"
#include "show/show_state.h"

#include <cstdint>
#include <memory>
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

struct ShowFixture {
    BoardState board;
    ShowState show;
    FakeHost host;
    std::unique_ptr<TPlayScreen> screen;
    ShowContext ctx;

    ShowFixture(int width, int height)
        : screen(std::make_unique<TPlayScreen>()), ctx{board, show, screen->surface(), host} {
        screen->attach(&board, &show, nullptr);
        // The editor comes back as the program brings it back.
        QObject::connect(screen.get(), &TPlayScreen::showEnded, [h = &host] { ++h->editorShown; });
        QObject::connect(screen.get(), &TPlayScreen::showStarting,
                         [h = &host] { ++h->editorHidden; });
        QObject::connect(screen.get(), &TPlayScreen::playScreenNoted,
                         [h = &host](const QString& note) { h->playScreenNote = note; });
        // Tests end many shows: the threads are ended without the settling time.
        setStopSettleMs(0);
        screen->surface().resize(width, height);
        screen->surface().image().fill(Qt::black);
        // No titles unless a test places them.
        screen->Panel3->setGeometry(0, 0, 0, 0);
        screen->Panel4->setGeometry(0, 0, 0, 0);
        board.BorderWidth = 10;
        board.Text1FontName = board.Text2FontName = board.CrawlFontName = QStringLiteral("Arial");
        board.Text1FontSize = board.Text2FontSize = 20;
        board.Text1Color = board.Text2Color = 0xFFFFFF;
        show.ShowRunning = true;
    }
};
