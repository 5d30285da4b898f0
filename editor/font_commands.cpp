// The font chooser command of the element boxes' context menu.

#include "editor/font_form.h"
#include "editor/mainform.h"

void Tmainform::FontTypeSize1Click() {
    if (fontForm_ && elementOf(popupTarget_)) {
        fontForm_->exec();
    }
}
