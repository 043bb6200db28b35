#include "settings/set_settings.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "core/program.h"
#include "settings/setting_lookup.h"
#include "stock/units.h"
#include "support/paths.h"
#include "text/ascii_text.h"
#include "text/number_text.h"

namespace tv::settings {

namespace {

// Whole-number settings held within their type, so that a wild value cannot wrap round.
template <typename T>
T WholeSetting(core::Program& p, const char* name) {
  const long long value = text::RoundHalfEven(text::Val(GetSettingValue(p, name)));
  return static_cast<T>(
      std::clamp<long long>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

}  // namespace

void SetSettings(core::Program& p) {
  auto length = [&](const char* name, float threshold) {
    return stock::ToWorkUnits(p, GetSettingValue(p, name), threshold);
  };
  auto flag = [&](const char* name) { return GetSettingValue(p, name) == "YES"; };

  p.PerimeterMargin = length("Perimeter Margin", 5);
  p.CurrentNestName = text::TrimBlanks(GetSettingValue(p, "Nest Name"));
  p.NestPath = support::AddBackslash(GetSettingText(p, "NEST PATH"));
  p.CsvPath = support::AddBackslash(GetSettingText(p, "CSV Path"));
  p.OsArea = length("OS Area <", -1000);
  p.OsThickness = length("OS Thickness", 0.05f);
  p.LeadLength = length("Lead Length", 5);
  p.CutOutClearance = length("Cut Out Clearance", 0.05f);
  p.CutOutDiameter = length("Cut Out Diameter", 2);
  p.CutOutRouter = GetSettingValue(p, "Cut Out Router#");
  p.CutOutFirst = flag("Cut Out First");
  p.CutOutClockwise = GetSettingValue(p, "Cut Out Direction") == "0";
  p.CutOutsOn = GetSettingValue(p, "Cut Out Direction") != "2";
  p.CutOutDepthPlus = length("Cut Out Depth +", 0.05f);
  p.NestFromCorner = WholeSetting<std::int16_t>(p, "Nest From Corner");
  p.SmallPartsInside = flag("Small Parts Inside") ? 1 : 0;
  p.GenerateBatch = flag("Generate Batch");
  p.RespondToBatch = flag("Respond to Batch");
  p.PerimeterClean = flag("Perimeter Clean");
  p.DropCut = flag("Drop Cut");
  p.DropCutLength = static_cast<float>(length("Drop Cut Length", 100));
  p.DropCutPasses = WholeSetting<std::int32_t>(p, "Drop Cut Passes");
  p.AttachBarcode = flag("Attach Barcode");
  p.BcmBarcode = flag("BCM Barcode");
  p.SFieldBarcode = GetSettingValue(p, "SField Barcode");
  p.TagParts = flag("Tag Parts");
  p.ZLimitOn = flag("Z Limit On");
  p.NestByCabinet = flag("Nest by Cabinet");
  p.MakeCsvFiles = flag("Make CSV Files");
  p.SheetStockQty = flag("Sheet Stock Qty");
  p.PromptForNest = flag("Prompt for Nest");
}

}  // namespace tv::settings
