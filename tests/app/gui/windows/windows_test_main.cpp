// The windows are widgets, which need an application object.
#include "testing/qt_gtest_main.h"

TAVOLIN_QT_GTEST_MAIN()
