#pragma once

// The main function of every test program: pins the headless platform and 96
// logical dots per inch so that metrics are the same on every machine, and
// keeps settings files out of the user's real configuration folder.

#include "platform/event_loop.h"
#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>

#define PLAKORA_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char** argv) {                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        qputenv("QT_FONT_DPI", "96");                                                              \
        platform::chooseEventDispatcher();                                                         \
        QApplication app(argc, argv);                                                              \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        platform::setDefaultDialogs(&platform::qtDialogs());                                       \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
