// Values of one nesting run that its steps hand to each other: the material group being nested,
// the sheet being built, the part spacing the optimizer was given, the part extents that the cut
// paths gather, and the run's totals.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tv::nesting {

// One usable sheet-stock row of the material group being nested.
struct SheetRecord {
  std::int32_t Drop = 0;  // offcut mark: 1 or more makes the optimizer try this sheet first
  bool Grain = false;
  std::int32_t Qty = 0;  // 0 offers the optimizer an unlimited supply
  double Length = 0;     // work units
  double Width = 0;
  double Thickness = 0;
  std::int32_t StockRow = 0;  // sheet-stock grid row, for the pull list and the stock update
};

// One work-list row taken into the material group being nested.
struct GroupPart {
  std::string DrawingPath;  // "Path" & file name with ".DXF"
  double Length = 0;
  double Width = 0;
  double Thickness = 0;
  std::string Material;  // the group's material key
  int Qty = 0;
  std::string Cabinet;
  std::string Description;
  int Rotatable = 0;
  double XOfs = 0;  // lower-left corner of the part's border in its own drawing
  double YOfs = 0;
  std::array<std::string, 4> EMat;
  std::array<std::string, 4> ECo;
  long WorkListRow = 0;
  std::string SortKey;  // the Cabinet text, trimmed: parts of one cabinet nest together
  std::string CsvText;  // the row's quoted fields for the sheet CSV files
};

// Extents of one placed part on the sheet, rounded to three decimals.
struct PartExtents {
  float MinX = 0;
  float MaxX = 0;
  float MaxY = 0;
  float MinY = 0;
};

// How the nesting of the run's groups fell short; the last group that did decides.
enum class RunFailure {
  None,
  NoLayout,        // a group got no layout
  PartsNotPlaced,  // parts were not placed
};

struct RunValues {
  // Sheet of the layout being built: X runs 0..SheetLength, Y 0..SheetWidth (margin included).
  double SheetLength = 0;
  double SheetWidth = 0;
  // Thickness of the material group's first sheet; route depths are measured from it.
  double SheetThickness = 0;
  // Running number of the sheet file being written, as plain decimal text ("7").
  std::string SheetNumberText;
  // Every text height of the run is SheetWidth / TextHeightDivisor.
  float TextHeightDivisor = 0;

  // Part spacing handed to the optimizer (cut-out diameter plus clearance).
  float SawKerf = 0;
  // Index = part number on the sheet (from 1); element 0 stays empty.
  std::vector<PartExtents> NestedPartExtents;
  // Area of the offcut separated by the drop cut of the current sheet.
  float DropArea = 0;

  // ---- the material group being collected and nested ----
  std::string GroupMaterial;           // CleanName of the group's Material cell
  long GroupPartCount = 0;             // parts kept for the group; 0 when the group was dropped
  std::vector<GroupPart> Parts;        // part i (from 1) is Parts[i - 1]
  std::vector<SheetRecord> SheetList;  // the group's usable sheets in sheet-stock row order

  // ---- totals of the whole run ----
  long SheetFileCount = 0;  // sheet files written so far; sheet numbers run on across groups
  double MaxSheetLength = 0;
  double MaxSheetWidth = 0;
  float RunNestedArea = 0;  // placed parts and drop offcuts, times each layout's copies
  float RunSheetArea = 0;
  bool DimensionErrorFound = false;
  RunFailure FailureKind = RunFailure::None;
  long FailedPartCount = 0;  // part instances that did not nest
  bool AnyGroupKeptParts = false;
};

}  // namespace tv::nesting
