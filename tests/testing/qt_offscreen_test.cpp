// The offscreen helper chooses Qt's headless platform only when nothing else was chosen.
#include "testing/qt_offscreen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <optional>
#include <string>

#include "testing/qt_gtest_main.h"

namespace tv::test_support {
namespace {

TEST(QtOffscreenTest, ChoosesOffscreenOnlyWhenNothingWasChosen) {
  const char* saved = getenv("QT_QPA_PLATFORM");
  const std::optional<std::string> before = saved ? std::optional<std::string>(saved) : std::nullopt;
  const struct {
    const char* given;
    const char* expected;
  } cases[] = {{nullptr, "offscreen"}, {"", "offscreen"}, {"xcb", "xcb"}, {"minimal", "minimal"}};
  for (const auto& c : cases) {
    if (c.given) {
      setenv("QT_QPA_PLATFORM", c.given, 1);
    } else {
      unsetenv("QT_QPA_PLATFORM");
    }
    UseOffscreenQtWhenUnset();
    EXPECT_STREQ(getenv("QT_QPA_PLATFORM"), c.expected) << (c.given ? c.given : "unset");
  }
  if (before) {
    setenv("QT_QPA_PLATFORM", before->c_str(), 1);
  } else {
    unsetenv("QT_QPA_PLATFORM");
  }
}

TEST(QtOffscreenTest, WidgetsWorkWithoutADisplay) {
  ASSERT_NE(QApplication::instance(), nullptr);
  // main() chose offscreen unless the environment named a platform.
  EXPECT_EQ(QApplication::platformName().toStdString(), getenv("QT_QPA_PLATFORM"));
  QWidget widget;
  widget.resize(200, 100);
  widget.show();
  EXPECT_TRUE(widget.isVisible());
}

}  // namespace
}  // namespace tv::test_support

TAVOLIN_QT_GTEST_MAIN()
