#pragma once

// Small builders for the editor's controls, shared by its panels: captions,
// boxes and tool buttons made the same way wherever they stand.

#include "editor/icons.h"

class QAction;
class QLabel;
class QLineEdit;
class QString;
class QToolBar;
class QToolButton;
class QWidget;

namespace editor_parts {

// A raised caption beside a box.
QLabel* caption(QWidget* parent, const char* name, const QString& text);
// A single-line box with its own font size.
QLineEdit* lineBox(QWidget* parent, const char* name, int height, int pixelSize);
// A label in the panels' small print.
QLabel* smallLabel(QWidget* parent, const char* name, const QString& text);
QToolButton* toolButton(QToolBar* bar, const char* name, const QString& hint, ToolIcon icon);
// A tool button that repeats a menu item carries the item's action: one
// check, one handler, whichever of the two is clicked. The menu keeps its
// plain entry; the button keeps its own hint.
QToolButton* twinButton(QToolBar* bar, const char* name, QAction* action, const QString& hint,
                        ToolIcon icon);

} // namespace editor_parts
