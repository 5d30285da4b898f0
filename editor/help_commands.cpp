// The Help menu: the help viewer and the about window.

#include "editor/mainform.h"

void Tmainform::Help1Click() {}

void Tmainform::About2Click() {}
