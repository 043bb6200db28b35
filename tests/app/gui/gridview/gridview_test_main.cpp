// The grid view tests show widgets offscreen, which needs an application object.
#include "testing/qt_gtest_main.h"

TAVOLIN_QT_GTEST_MAIN()
