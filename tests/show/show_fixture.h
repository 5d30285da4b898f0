#pragma once

// A show without the editor on a play screen: the parts of a test show
// (core_fixture.h) drawing into the play screen's surface.

#include "show/play_screen.h"
#include "show/show_startup.h"
#include "tests/show/core_fixture.h"

#include <memory>

struct ScreenHolder {
    std::unique_ptr<TPlayScreen> screen = std::make_unique<TPlayScreen>();
};

struct ShowFixture : ScreenHolder, ShowParts {
    ShowFixture(int width, int height) : ShowParts(screen->surface(), width, height) {
        screen->attach(&board, &show, nullptr);
        // The editor comes and goes as the program has it.
        QObject::connect(screen.get(), &TPlayScreen::showEnded, [h = &host] { ++h->editorShown; });
        QObject::connect(screen.get(), &TPlayScreen::showStarting,
                         [h = &host] { ++h->editorHidden; });
        QObject::connect(screen.get(), &TPlayScreen::playScreenNoted,
                         [h = &host](const QString& note) { h->playScreenNote = note; });
        // No titles unless a test places them.
        screen->Panel3->setGeometry(0, 0, 0, 0);
        screen->Panel4->setGeometry(0, 0, 0, 0);
    }
};
