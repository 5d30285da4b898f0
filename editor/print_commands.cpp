// Printer set-up and the printed listing of the board's texts.

#include "editor/mainform.h"

void Tmainform::PrinterSetup1Click() {}

void Tmainform::Print1Click() {}
