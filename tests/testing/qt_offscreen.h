// Lets a test that creates a QApplication run without a display. CTest already sets
// QT_QPA_PLATFORM, but test discovery runs the executable at build time without it.
#pragma once

#include <stdlib.h>

namespace tv::test_support {

// Selects Qt's offscreen platform unless the environment already chose one. Call it before the
// QApplication exists: in main, or in the static initMain() of a QtTest class.
inline void UseOffscreenQtWhenUnset() {
  const char* platform = getenv("QT_QPA_PLATFORM");
  if (platform == nullptr || *platform == '\0') setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

}  // namespace tv::test_support
