#pragma once

// The main function of a test program without widgets: a GUI application
// (fonts and pictures need one), pinned like every test to the headless
// platform and 96 logical dots per inch, with settings kept out of the
// user's real configuration folder.

#include "platform/event_loop.h"

#include <QGuiApplication>
#include <QStandardPaths>
#include <QTest>

#define PLAKORA_GUI_TEST_MAIN(TestObject)                                                          \
    int main(int argc, char** argv) {                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        qputenv("QT_FONT_DPI", "96");                                                              \
        platform::chooseEventDispatcher();                                                         \
        QGuiApplication app(argc, argv);                                                           \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
