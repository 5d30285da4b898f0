#pragma once

// Where the editor's boxes go when its window changes size. W and H are the
// window's outer width and height.

struct EditorLayoutInput {
    int W = 0;
    int H = 0;
    int edit2Top = 0;
    int edit2Height = 0;
    int edit3Height = 0;
};

struct EditorLayout {
    int editWidth = 0; // edit1 and edit2
    int memoWidth = 0;
    int memoHeight = 0;
    int memo1Top = 0; // also StaticText2
    int label5Top = 0;
    int memo2Top = 0; // also StaticText3
    int label6Top = 0;
    int panelLeft = 0;
    int panelWidth = 0;
    int panelHeight = 0;
    int listWidth = 0;
    int listHeight = 0;
    int edit3Top = 0; // also StaticText4
    int edit4Top = 0; // also StaticText7
};

EditorLayout computeEditorLayout(const EditorLayoutInput& in);
