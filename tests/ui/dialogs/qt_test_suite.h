#pragma once
// A test program holding several Qt Test classes runs each through a
// function of its own, which this defines: `int function(argc, argv)`
// running class `TTest` as QTest::qExec does.

#include <QTest>

#define QT_TEST_SUITE(function, TTest)                                                             \
    int function(int argc, char** argv)                                                            \
    {                                                                                              \
        TTest test;                                                                                \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
