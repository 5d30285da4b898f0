// Quitting the program and clearing the board.

#include "editor/mainform.h"

void Tmainform::Exit2Click() {}

void Tmainform::Quit1Click() {
    Exit2Click();
}

void Tmainform::New1Click() {}

void Tmainform::Paste1Click() {
    New1Click();
}

void Tmainform::ToolButton3Click() {
    New1Click();
}
