// Thickness codes in outline layer names.
#include "viewer/border_code.h"

#include <gtest/gtest.h>

#include <string>

namespace tv::viewer {
namespace {

struct ThicknessCase {
  const char* layer;
  float thickness;
};

class BorderThicknessTest : public testing::TestWithParam<ThicknessCase> {};

TEST_P(BorderThicknessTest, ReadsTheCode) {
  EXPECT_FLOAT_EQ(ParseBorderThickness(GetParam().layer), GetParam().thickness) << GetParam().layer;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, BorderThicknessTest,
    testing::Values(
        // numbers, with "P" or "." as the decimal point
        ThicknessCase{"BORDER_Z0P75", 0.75f}, ThicknessCase{"BORDER_Z1.5", 1.5f},
        ThicknessCase{"BORDER_Z19", 19.0f}, ThicknessCase{"BORDER_Z6", 6.0f},
        ThicknessCase{"BORDERZ19", 19.0f},
        // a point with nothing before the terminator, or after a terminator letter, is no point
        ThicknessCase{"BORDER_Z1P", 1.0f}, ThicknessCase{"BORDER_Z0P5M", 0.5f},
        ThicknessCase{"BORDER_Z0M.5", 0.0f},
        // the flags of small parts and parts without cut-out end the number
        ThicknessCase{"BORDER_Z19_OS", 19.0f}, ThicknessCase{"BORDER_Z19_NB", 19.0f},
        ThicknessCase{"BORDER_Z0P75_OS", 0.75f},
        // letter codes: a-g and i in either case; an upper-case D is masked and still means d
        ThicknessCase{"BORDER_Za", 97.0f}, ThicknessCase{"BORDER_Zc", 99.0f},
        ThicknessCase{"BORDER_ZB", 98.0f}, ThicknessCase{"BORDER_ZD", 100.0f},
        ThicknessCase{"BORDER_Zd", 100.0f}, ThicknessCase{"BORDER_Zg", 103.0f},
        ThicknessCase{"BORDER_Zi", 105.0f}, ThicknessCase{"BORDER_Zh", 0.0f},
        // a masked D is no exponent; an E directly after the digits is one
        ThicknessCase{"BORDER_Z1D5", 1.0f}, ThicknessCase{"BORDER_Z1E2", 100.0f},
        // no code: no Z, lower-case z, a Z before position 6, nothing after the Z
        ThicknessCase{"BORDER", 0.0f}, ThicknessCase{"border_z0p75", 0.0f}, ThicknessCase{"BORZ19", 0.0f},
        ThicknessCase{"BORDER_Z", 0.0f},
        // accented terminators are whole characters: é ends the number, ü does not
        ThicknessCase{"BORDER_Z0\xC3\xA9P5", 0.0f}, ThicknessCase{"BORDER_Z0\xC3\xBCP5", 0.5f}));

TEST(LayerFractionTest, MasksTheExponentLetterInTheCallersName) {
  std::string name = "Z0P5E3";
  EXPECT_FLOAT_EQ(ParseLayerFraction(2, name), 0.5f);
  EXPECT_EQ(name, "Z0P5~3");

  // No fraction read: the name stays as it was.
  std::string plain = "Z19E";
  EXPECT_FLOAT_EQ(ParseLayerFraction(2, plain), 0.0f);
  EXPECT_EQ(plain, "Z19E");
}

TEST(LayerFractionTest, ReadsOnlyFromTheStartPosition) {
  std::string name = "A.5_Z7";
  EXPECT_FLOAT_EQ(ParseLayerFraction(1, name), 0.5f);
  name = "A.5_Z7";
  EXPECT_FLOAT_EQ(ParseLayerFraction(6, name), 0.0f);
  // a start past the end finds the appended blank and no point
  EXPECT_FLOAT_EQ(ParseLayerFraction(40, name), 0.0f);
}

}  // namespace
}  // namespace tv::viewer
