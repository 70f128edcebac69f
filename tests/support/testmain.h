#pragma once

// Included ahead of every test source by tillbrook_add_test. QTEST_MAIN runs the test
// object the way QTest::qExec does, with one step between Qt Test's set-up and the
// tests: once Qt Test has installed its own message handler, the offscreen platform's
// line per window about size hints is dropped in front of it. Every other message,
// and QTest::ignoreMessage, works as before.
#include <QtTest/qtest.h>

#include "core/base/platformmessages.h"

#undef QTEST_MAIN
#define QTEST_MAIN(TestObject)                                                                     \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();                         \
        QTEST_MAIN_SETUP()                                                                         \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        QTest::qInit(&tc, argc, argv);                                                             \
        DropOffscreenSizeHintWarnings();                                                           \
        const int result = QTest::qRun();                                                          \
        QTest::qCleanup();                                                                         \
        return result;                                                                             \
    }
