// The font chooser command of the element boxes' context menu.

#include "editor/font_form.h"
#include "editor/font_rules.h"
#include "editor/mainform.h"

#include <QDateTime>
#include <QLineEdit>
#include <QPlainTextEdit>

void Tmainform::FontTypeSize1Click() {
    const std::optional<BoardElement> element = elementOf(popupTarget_);
    if (!fontForm_ || !element) {
        return;
    }
    // The sample is read from the box each time the size changes, so the
    // clock's is the time of that change.
    QWidget* box = popupTarget_;
    fontForm_->setTarget(fontTarget(board, *element, [this, box, e = *element] {
        QStringList lines;
        if (const auto* memo = qobject_cast<const QPlainTextEdit*>(box)) {
            lines = leadingTextLines(*memo->document(), 2);
        } else if (const auto* line = qobject_cast<const QLineEdit*>(box)) {
            lines << line->text();
        }
        return fontSampleText(e, lines, QDateTime::currentDateTime());
    }));
    fontForm_->exec();
}
