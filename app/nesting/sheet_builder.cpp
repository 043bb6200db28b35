// Sheet numbers run on across the layouts and groups of a run, so the sheet files of one run
// never share a name. The drawing is rebuilt for each layout and written once per copy; between
// copies only the label and barcode layers change.
#include "nesting/sheet_builder.h"

#include <cmath>
#include <ctime>

#include "files/files.h"
#include "nesting/cut_paths.h"
#include "nesting/layer_rules.h"
#include "nesting/pull_list_tally.h"
#include "nesting/sheet_barcode.h"
#include "support/folder_list.h"
#include "support/paths.h"
#include "text/ascii_text.h"
#include "text/number_text.h"
#include "viewer/drawing_inspection.h"
#include "viewer/viewer_procedures.h"
#include "worklist/work_list.h"

namespace tv::nesting {
namespace {

constexpr std::int32_t kTavolinLayerColor = 16711680;  // &HFF0000
constexpr std::int32_t kBorderLayerColor = 255;

void AbortMessage(core::Program& program, const std::string& text) {
  program.ui().Tell(text + "\n\n         Nesting aborted", "Nesting Error", core::MsgIcon::Critical);
}

// "TVV: 1.2.3  -  14:05:09  -  2026-12-09  -  Yield: 71.25%"
std::string VersionText(float yield) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char time[16];
  char date[16];
  std::strftime(time, sizeof time, "%H:%M:%S", &local);
  std::strftime(date, sizeof date, "%Y-%m-%d", &local);
  return "TVV: " + std::to_string(TAVOLIN_VERSION_MAJOR) + "." + std::to_string(TAVOLIN_VERSION_MINOR) + "." +
         std::to_string(TAVOLIN_VERSION_PATCH) + "  -  " + time + "  -  " + date +
         "  -  Yield: " + text::Format(yield, "##.##") + "%";
}

// The part's label and description, turned a quarter when the part lies across its length.
void AddPartLabels(core::Program& program, const RunValues& run, const GroupPart& part,
                   const sawplan::tVREXPlacedPartData& placed, bool turned, double margin,
                   const std::string& labelText) {
  const double x0 = placed.lengthcoord + margin;
  const double y0 = placed.widthcoord + margin;
  const double l = placed.length;
  const double w = placed.width;
  const double ratio = part.Width != 0 ? part.Length / part.Width : 1e9;
  const double height = run.SheetWidth / run.TextHeightDivisor;
  // A label runs along the longer side of the part as it lies on the sheet.
  const bool across = turned == (ratio > 0.3);
  drawing::Drawing& dxf = program.DXF1;
  if (across) {
    dxf.AddText(x0 + l / 2.5, y0 + w / 2, labelText, "Zuvodavi", 1, height, 1, 90);
    dxf.AddText(x0 + l / 1.5, y0 + w / 2, part.Description, "Tavolin", 1, height, 1, 90);
  } else {
    dxf.AddText(x0 + l / 2, y0 + w / 1.5, labelText, "Zuvodavi", 1, height, 1, 0);
    dxf.AddText(x0 + l / 2, y0 + w / 2.5, part.Description, "Tavolin", 1, height, 1, 0);
  }
}

// Merges one placed part's drawing into the sheet at its place (the first replaces the
// drawing), measures, labels and turns it, and tags its border layers; adds its area and CSV
// line. False, after the message, when its drawing is missing or cannot be read.
bool PlacePart(core::Program& program, RunValues& run, const sawplan::tVREXPlacedPartData& spot,
               std::size_t p, float& sheetUsedArea, std::string& csvText) {
  drawing::Drawing& dxf = program.DXF1;
  const double margin = program.PerimeterMargin;
  const GroupPart& part = run.Parts[static_cast<std::size_t>(spot.pid - 1)];
  if (!files::Exist(part.DrawingPath)) {
    AbortMessage(program, "DXF File  " + part.DrawingPath + "  Not found");
    return false;
  }
  program.BorderMinX = part.XOfs;
  program.BorderMinY = part.YOfs;
  // The part's border corner lands on its placed corner inside the margin.
  const auto dx = static_cast<float>(spot.lengthcoord + margin - program.BorderMinX);
  const auto dy = static_cast<float>(spot.widthcoord + margin - program.BorderMinY);
  std::string error;
  if (!dxf.ReadDrawing(part.DrawingPath, p == 0 ? 0 : 1, dx, dy, &error)) {
    AbortMessage(program, "DXF File  " + part.DrawingPath + "  could not be read: " + error);
    return false;
  }
  if (p == 0) dxf.Layers().Add(true, kTavolinLayerColor, "Tavolin", true, true, 0, "");

  viewer::ZoomExtents(program, -1);
  double length = part.Length;
  double width = part.Width;
  double thickness = 0;
  viewer::MeasureBorder(program, length, width, thickness);

  // The viewer's part information reads the row back from the number before the first comma.
  std::string fileName = support::GetFileName(part.DrawingPath);
  fileName.resize(fileName.size() >= 4 ? fileName.size() - 4 : 0);
  const std::string labelText =
      text::Str(static_cast<double>(part.WorkListRow)) + ", " + part.Cabinet + ", " + fileName;

  if (program.BorderSizeMismatch) {
    worklist::MarkWorkListRow(program, part.WorkListRow);
    run.DimensionErrorFound = true;
  }

  // The placed record carries no turn flag: a part lies turned when its placed length is its
  // width rather than its length. Asking which of the two is nearer holds for near-square parts
  // too; a square part is the same either way and stays as drawn.
  const bool turned = std::fabs(part.Width - spot.length) < std::fabs(part.Length - spot.length);
  if (turned) {
    // A quarter turn about the placed corner, then the part's width along x puts it back
    // onto its placed rectangle.
    dxf.TransformEntities(dxf.EntityCount(), spot.lengthcoord + margin, spot.widthcoord + margin, part.Width,
                          0, 90, 1, 1);
  }
  if (program.TagParts) AddPartLabels(program, run, part, spot, turned, margin, labelText);

  TagBorderLayers(program, static_cast<long>(p) + 1, program.OsArea);

  sheetUsedArea += static_cast<float>(spot.length * spot.width);
  program.ui().ProcessEvents();
  csvText += SheetCsvLine(part);
  return true;
}

// The sheet's outline on its border layer, coloured as the border.
void AddSheetBorder(core::Program& program, const RunValues& run, double thickness) {
  drawing::Drawing& dxf = program.DXF1;
  const std::string borderLayer = BorderLayerName(thickness);
  const double l = run.SheetLength;
  const double w = run.SheetWidth;
  dxf.AddLine(0, 0, 0, 0, w, 0, borderLayer);
  dxf.AddLine(0, w, 0, l, w, 0, borderLayer);
  dxf.AddLine(l, w, 0, l, 0, 0, borderLayer);
  dxf.AddLine(l, 0, 0, 0, 0, 0, borderLayer);
  std::string borderName = borderLayer;
  if (const int index = viewer::layerIndex(program, borderName); index > 0) {
    dxf.Layers().Item(index).SetColor(kBorderLayerColor);
  }
}

// Composes the layout's sheet in the working drawing: the placed parts, depth limits, routes,
// cut-outs, border, perimeter clean-up, drop cut and the sheet texts; the run's sheet sizes and
// areas are counted. csvText gets the parts' CSV lines. False, after the message, when the run
// must end.
bool ComposeSheet(core::Program& program, RunValues& run, const sawplan::tVREXLayoutData& layout,
                  const std::vector<sawplan::tVREXPlacedPartData>& placed, std::string& csvText) {
  drawing::Drawing& dxf = program.DXF1;
  const SheetRecord& sheet = run.SheetList[static_cast<std::size_t>(layout.panelindex)];
  const double groupThickness = run.SheetList.front().Thickness;

  run.SheetLength = sheet.Length;
  run.SheetWidth = sheet.Width;
  run.SheetThickness = groupThickness;
  if (run.SheetLength > run.MaxSheetLength) run.MaxSheetLength = run.SheetLength;
  if (run.SheetWidth > run.MaxSheetWidth) run.MaxSheetWidth = run.SheetWidth;
  const auto sheetArea = static_cast<float>(run.SheetLength * run.SheetWidth);
  run.RunSheetArea += sheetArea * static_cast<float>(layout.numused);
  float sheetUsedArea = 0;

  for (std::size_t p = 0; p < placed.size(); ++p) {
    if (!PlacePart(program, run, placed[p], p, sheetUsedArea, csvText)) return false;
  }

  ZLimit(program, static_cast<float>(groupThickness));
  SetRoute1(program);
  if (program.CutOutsOn) GenCutOuts(program, run);
  AddSheetBorder(program, run, groupThickness);

  if (program.PerimeterClean) PerimClean(program, run);
  run.DropArea = 0;
  if (program.DropCut && program.CutOutsOn) GenDropCut(program, run);
  StripLayers(program);

  sheetUsedArea += run.DropArea;
  run.RunNestedArea += sheetUsedArea * static_cast<float>(layout.numused);

  dxf.SetFontName("Arial");
  dxf.AddText(0, run.SheetWidth * 1.05, run.GroupMaterial, "DESCRIPTION", 1, 0);
  const float yield = sheetArea > 0 ? sheetUsedArea / sheetArea * 100 : 0;
  dxf.AddText(0, run.SheetWidth * 1.04, VersionText(yield), "Tavolin", 1,
              run.SheetWidth / run.TextHeightDivisor);

  std::string titleKey = "Tavolin";
  std::string titleError;
  program.ViewerCaption = viewer::GetDrawingField(program, titleKey, &titleError);
  if (!titleError.empty()) {
    AbortMessage(program, "Nesting failed: " + titleError);
    return false;
  }
  program.Notify(core::Change::ViewerCaption);
  dxf.ZoomToExtents();
  viewer::ZoomExtents(program, -4);
  return true;
}

// Writes the composed sheet once per copy of the layout, each with its own number, label and
// barcode (and CSV file when asked), listed in the nest list and tallied in the pull list.
LayoutResult WriteSheetCopies(core::Program& program, RunValues& run, const sawplan::tVREXLayoutData& layout,
                              const std::string& csvText) {
  drawing::Drawing& dxf = program.DXF1;
  const SheetRecord& sheet = run.SheetList[static_cast<std::size_t>(layout.panelindex)];
  const std::string nestFolder = support::AddBackslash(program.NestPath);
  if (!support::EnsurePath(program, nestFolder, "Nest Path Error")) return LayoutResult::AbortRun;
  if (program.MakeCsvFiles && !support::EnsurePath(program, program.CsvPath, "CSV Path Error")) {
    program.ui().SetPointer(core::Pointer::Normal);
    return LayoutResult::NotWritten;
  }
  const std::string thicknessText = text::Format(run.SheetThickness, "#0.###");
  for (std::int32_t copy = 1; copy <= layout.numused; ++copy) {
    ++run.SheetFileCount;
    run.SheetNumberText = std::to_string(run.SheetFileCount);
    const std::string number = text::Format(static_cast<double>(run.SheetFileCount), "000");
    const std::string sheetName = program.CurrentNestName + number;

    // Each file shows only its own label and barcode.
    drawing::LayerCollection layers = dxf.Layers();
    for (int i = 1; i <= layers.Count(); ++i) {
      if (layers.Item(i).Name().find("TavolinT") != std::string::npos) layers.Item(i).SetStripped(true);
    }

    const std::string sheetPath = nestFolder + program.CurrentNestName + number + ".DXF";
    const std::string label = run.GroupMaterial + "   -    L " + text::Format(run.SheetLength, "####.###") +
                              "    W " + text::Format(run.SheetWidth, "####.###") + "    T " + thicknessText +
                              "   -   " + sheetName;
    dxf.AddText(0, run.SheetWidth * 1.08, label, "TavolinT" + run.SheetNumberText, 1,
                run.SheetWidth / run.TextHeightDivisor);

    if (program.AttachBarcode) {
      DrawBC(program, run, SheetBarcodeText(sheetName, program.BcmBarcode, program.SFieldBarcode),
             static_cast<float>(run.SheetLength / 1.5), static_cast<float>(run.SheetWidth * 1.02));
    }

    std::string error;
    if (!viewer::SaveViewerDxfAs(program, sheetPath, &error)) {
      AbortMessage(program, "Sheet file  " + sheetPath + "  could not be written: " + error);
      return LayoutResult::AbortRun;
    }
    // The folder setting is kept upper-cased: the list names the file as it is on disk.
    program.NestFiles.push_back(files::ResolvePath(sheetPath));
    support::RefreshFileList(program.Input.NestList);
    program.Notify(core::Change::NestFiles);
    program.Notify(core::Change::NestList);

    TallyPullList(program.MPL, program.SSList, program.PullListRowCount, sheet.StockRow);
    const auto stockRow = static_cast<std::size_t>(sheet.StockRow);
    if (program.SheetsUsedByRow.size() <= stockRow) program.SheetsUsedByRow.resize(stockRow + 1, 0);
    ++program.SheetsUsedByRow[stockRow];

    if (program.MakeCsvFiles) {
      const std::string csvPath =
          support::AddBackslash(program.CsvPath) + program.CurrentNestName + number + ".CSV";
      if (!files::WriteFileAtomic(csvPath, csvText, &error)) {
        AbortMessage(program, "CSV file  " + csvPath + "  could not be written: " + error);
        return LayoutResult::AbortRun;
      }
    }
    program.ui().ProcessEvents();
  }
  return LayoutResult::Written;
}

}  // namespace

std::string SheetCsvLine(const GroupPart& part) {
  return text::TrimBlanks(part.CsvText) + ", " + text::CStr(static_cast<double>(part.WorkListRow)) + "\r\n";
}

std::string SheetBarcodeText(const std::string& sheetName, bool bcmBarcode,
                             const std::string& sFieldBarcode) {
  if (!bcmBarcode) return sheetName;
  return files::Compact(sheetName) + ".CNC " + (sFieldBarcode.empty() ? std::string("N") : sFieldBarcode) +
         "%";
}

std::string BorderLayerName(double thickness) {
  return "Border_Z" + files::ReplaceChar(text::Format(thickness, "#0.###"), '.', 'P');
}

LayoutResult BuildLayoutSheets(core::Program& program, RunValues& run, const sawplan::tVREXLayoutData& layout,
                               const std::vector<sawplan::tVREXPlacedPartData>& placed) {
  const auto sheetCount = static_cast<std::int32_t>(run.SheetList.size());
  if (placed.empty() || layout.panelindex < 0 || layout.panelindex >= sheetCount)
    return LayoutResult::Skipped;
  for (const auto& part : placed) {
    if (part.pid < 1 || part.pid > run.GroupPartCount) return LayoutResult::Skipped;
  }
  std::string csvText;
  if (!ComposeSheet(program, run, layout, placed, csvText)) return LayoutResult::AbortRun;
  return WriteSheetCopies(program, run, layout, csvText);
}

}  // namespace tv::nesting
