#include "editor/editor_layout.h"

EditorLayout computeEditorLayout(const EditorLayoutInput& in) {
    EditorLayout l;
    l.editWidth = in.W / 3 + 50;
    l.memoHeight = in.H / 5 - 20;
    l.memoWidth = in.W - 120;
    l.memo1Top = in.edit2Top + in.edit2Height + 26;
    l.label5Top = l.memo1Top - 18;
    l.memo2Top = l.memo1Top + l.memoHeight + 26;
    l.label6Top = l.memo2Top - 18;
    l.panelLeft = l.editWidth + 100;
    l.panelWidth = in.W - l.panelLeft - 20;
    l.panelHeight = l.memo1Top - 13;
    l.listWidth = l.panelWidth - 20;
    l.listHeight = l.panelHeight - 55;
    l.edit3Top = l.memo2Top + l.memoHeight + 6;
    l.edit4Top = l.memo2Top + l.memoHeight + 8 + in.edit3Height;
    return l;
}
