// main() for a GoogleTest executable whose tests need a QApplication. Use it in exactly one
// source file of the executable: TAVOLIN_QT_GTEST_MAIN()
#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include "testing/qt_offscreen.h"

#define TAVOLIN_QT_GTEST_MAIN()                    \
  int main(int argc, char** argv) {                \
    ::testing::InitGoogleTest(&argc, argv);        \
    ::tv::test_support::UseOffscreenQtWhenUnset(); \
    QApplication application(argc, argv);          \
    return RUN_ALL_TESTS();                        \
  }
