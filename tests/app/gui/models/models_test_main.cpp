// The model tests use Qt's signal spies, which need an application object.
#include "testing/qt_gtest_main.h"

TAVOLIN_QT_GTEST_MAIN()
