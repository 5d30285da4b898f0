#include "editor/startup.h"

#include "board/board_state.h"
#include "editor/font_form.h"
#include "editor/mainform.h"
#include "persistence/picture_reader.h"
#include "platform/help.h"
#include "platform/qt_dialogs.h"
#include "platform/screens.h"
#include "show/control_panel.h"
#include "show/engine_thread.h"
#include "show/play_screen.h"
#include "show/show_startup.h"

#include <QCoreApplication>

ProgramWindows::ProgramWindows() = default;
ProgramWindows::ProgramWindows(ProgramWindows&&) noexcept = default;

ProgramWindows& ProgramWindows::operator=(ProgramWindows&& other) noexcept {
    if (this != &other) {
        release();
        AlignCntrlBox = std::move(other.AlignCntrlBox);
        DFontForm = std::move(other.DFontForm);
        PlayScreen = std::move(other.PlayScreen);
        mainform = std::move(other.mainform);
    }
    return *this;
}

ProgramWindows::~ProgramWindows() {
    release();
}

void ProgramWindows::release() {
    // No show thread outlives the windows; then the play screen and the
    // panel, which refer to the editor, go first.
    KILLTHREADS();
    AlignCntrlBox.reset();
    DFontForm.reset();
    PlayScreen.reset();
    mainform.reset();
}

void setUpApplication() {
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersionString));
    platform::setHelpFile(platform::locateHelpFile(QCoreApplication::applicationDirPath()));
    platform::setDefaultDialogs(&platform::qtDialogs());
    // Qt's bound on any one picture, for every reader of the process (the
    // picture dialog's preview too), before a thread that reads one starts.
    applyPictureDecodeLimit();
}

ProgramWindows createWindows(bool showEditor, const StartRequest& request) {
    ProgramWindows w;
    w.mainform = std::make_unique<Tmainform>();
    w.mainform->startBoard.path = request.board;
    w.mainform->startBoard.problem = request.boardProblem;
    if (showEditor) {
        w.mainform->show();
    }
    w.PlayScreen = std::make_unique<TPlayScreen>();
    w.DFontForm = std::make_unique<TDFontForm>();
    // The panel works on the editor's board and show over the play screen.
    // Its form-create step carries the offer to reload the last board: it
    // runs once the windows are wired together, so that a reloaded board
    // sets the panel's bars as any load does.
    w.AlignCntrlBox = std::make_unique<TAlignCntrlBox>(
        ShowContext{w.mainform->board, w.mainform->showState, w.PlayScreen->surface(), *w.mainform},
        *w.PlayScreen);
    w.mainform->attachWindows(w.PlayScreen.get(), w.DFontForm.get(), w.AlignCntrlBox.get());
    w.PlayScreen->attach(&w.mainform->board, &w.mainform->showState, w.AlignCntrlBox.get());
    w.AlignCntrlBox->FormCreate();
    return w;
}

ProgramWindows startProgram(const StartRequest& request) {
    // Before the first window: a board that fails to load already says so
    // in a box that closes itself.
    if (request.play) {
        platform::qtDialogs().setUnattended(platform::UnattendedBoxes{});
    }
    ProgramWindows w = createWindows(true, request);
    // The editor has chosen its kept screen while it was created; the one
    // named for this run wins over it.
    if (!request.screen.isEmpty()) {
        platform::choosePlayScreen(request.screen);
    }
    if (request.play && w.mainform->startBoard.loaded) {
        w.mainform->playUnattended();
    } else if (request.play) {
        w.exitCode = 1;
    }
    return w;
}
