// The Help menu: the help viewer and the about window.

#include "editor/about_box.h"
#include "editor/mainform.h"
#include "platform/help.h"

#include <QLabel>

void Tmainform::Help1Click() {
    platform::showHelpContents(this);
}

void Tmainform::About2Click() {
    // A fresh window for each use; it goes when it closes.
    TScrollBoxXAbout about(this);
    about.DescLbl->setText(aboutVersionLine(board.VersionString));
    about.exec();
}
