// Cut-out routes, drop cut and perimeter clean-up as lines on route layers.
#include "nesting/cut_paths.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string_view>

#include "drawing/drawing.h"
#include "nesting/perimeter_outline.h"
#include "text/ascii_text.h"
#include "text/number_pattern.h"
#include "text/number_text.h"
#include "viewer/drawing_inspection.h"

namespace tv::nesting {
namespace {

// Layer names carry numbers with "P" for the decimal point (a tool text such as "1.5").
std::string RouteLayerName(std::string name) {
  std::replace(name.begin(), name.end(), '.', 'P');
  return name;
}

std::string CutOutLayer(core::Program& program, long number, const std::string& side) {
  return RouteLayerName("Route" + std::to_string(number) + "_T" + program.CutOutRouter + side);
}

// GetLayerExtents leaves minX at 1e9 when no layer matched.
constexpr float kNoPart = 999999;

std::string PartExtentsOf(core::Program& program, long part, float& minX, float& maxX, float& maxY,
                          float& minY) {
  return viewer::GetLayerExtents(program, "Nested_Part_" + text::Format(static_cast<double>(part), "000"),
                                 minX, maxX, maxY, minY);
}

// The highest part number tagged on the sheet. A part without cut-out ("NB") is tagged 000 and
// leaves a gap in the numbers; the parts placed after it still need their routes.
long HighestPartNumber(core::Program& program) {
  static constexpr std::string_view kTag = "_NESTED_PART_";
  long highest = 0;
  drawing::LayerCollection layers = program.DXF1.Layers();
  for (int i = 1; i <= layers.Count(); ++i) {
    const std::string name = text::UpperAscii(layers.Item(i).Name());
    const size_t at = name.find(kTag);
    if (at == std::string::npos) continue;
    highest = std::max(highest, static_cast<long>(text::Val(name.substr(at + kTag.size()))));
  }
  return highest;
}

PartExtents RoundedExtents(float minX, float maxX, float maxY, float minY) {
  return {Rnd3(minX), Rnd3(maxX), Rnd3(maxY), Rnd3(minY)};
}

// Parts without cut-out still stand on the sheet: the drop cut and the perimeter route must
// go round them too, so their common extents join the list after the numbered parts.
void AddUnroutedParts(core::Program& program, std::vector<PartExtents>& extents) {
  float minX, maxX, maxY, minY;
  PartExtentsOf(program, 0, minX, maxX, maxY, minY);
  if (minX <= kNoPart) extents.push_back(RoundedExtents(minX, maxX, maxY, minY));
}

// The parts' extents, numbered parts first (from index 1), each value rounded to three decimals.
std::vector<PartExtents> GatherPartExtents(core::Program& program) {
  std::vector<PartExtents> extents(1);
  const long highest = HighestPartNumber(program);
  for (long part = 1; part <= highest; ++part) {
    float minX, maxX, maxY, minY;
    PartExtentsOf(program, part, minX, maxX, maxY, minY);
    if (minX > kNoPart) continue;
    extents.push_back(RoundedExtents(minX, maxX, maxY, minY));
  }
  AddUnroutedParts(program, extents);
  return extents;
}

void DrawCutOut(core::Program& program, const std::array<RoutePoint, 8>& points, bool clockwise,
                const std::string& layer) {
  // Lines go in the direction of travel; AddLine takes each line's end depth before its start
  // depth.
  for (int i = 0; i < 7; ++i) {
    const RoutePoint& from = clockwise ? points[i] : points[7 - i];
    const RoutePoint& to = clockwise ? points[i + 1] : points[6 - i];
    program.DXF1.AddLine(from.X, from.Y, to.Z, to.X, to.Y, from.Z, layer);
  }
}

}  // namespace

float Rnd3(float v) {
  return static_cast<float>(text::Val(text::Format(v, "####.###")));
}

std::array<RoutePoint, 8> CutOutRoute(float minX, float maxX, float maxY, float minY, double lead, double hc,
                                      double depth, bool clockwise) {
  const double lenX = std::fabs(static_cast<double>(minX) - maxX);
  const double lenY = std::fabs(static_cast<double>(minY) - maxY);
  // Enter on the top edge when it takes both leads, else on the right edge; when neither does,
  // on the longer one with leads reaching its ends.
  bool onTop;
  if (2 * lead < lenX) {
    onTop = true;
  } else if (2 * lead < lenY) {
    onTop = false;
  } else {
    onTop = lenX > lenY;
    lead = onTop ? lenX / 2 : lenY / 2;
  }
  std::array<RoutePoint, 8> p;
  if (onTop) {
    const RoutePoint entry{minX + lenX / 2, maxY, depth};
    p[0] = {entry.X - lead, maxY + hc, 0};
    p[1] = entry;
    p[2] = {maxX, maxY, depth};
    p[3] = {maxX, minY, depth};
    p[4] = {minX, minY, depth};
    p[5] = {minX, maxY, depth};
    p[6] = entry;
    p[7] = {entry.X + lead, maxY + hc, 0};
  } else {
    const RoutePoint entry{maxX, maxY - lenY / 2, depth};
    p[0] = {maxX + hc, entry.Y + lead, 0};
    p[1] = entry;
    p[2] = {maxX, minY, depth};
    p[3] = {minX, minY, depth};
    p[4] = {minX, maxY, depth};
    p[5] = {maxX, maxY, depth};
    p[6] = entry;
    p[7] = {maxX + hc, entry.Y - lead, 0};
  }
  // The travel starts at the surface and ends down at the depth.
  p[0].Z = clockwise ? 0 : depth;
  p[7].Z = clockwise ? depth : 0;
  return p;
}

void GenCutOuts(core::Program& program, RunValues& run) {
  const bool clockwise = program.CutOutClockwise;
  const std::string side = clockwise ? "L" : "R";
  const double hc = program.CutOutClearance / 2;

  // Pass 1: small parts, leaving a skin that keeps them in place for the through pass.
  const double skinDepth = run.SheetThickness - program.OsThickness;
  const long highest = HighestPartNumber(program);
  for (long part = 1; part <= highest; ++part) {
    float minX, maxX, maxY, minY;
    const std::string name = PartExtentsOf(program, part, minX, maxX, maxY, minY);
    if (minX > kNoPart) continue;
    if (!name.empty() && name[0] == 'S') {
      const long number = program.CutOutFirst ? part - 600 : part + 300;
      DrawCutOut(program, CutOutRoute(minX, maxX, maxY, minY, program.LeadLength, hc, skinDepth, clockwise),
                 clockwise, CutOutLayer(program, number, side));
    }
  }

  // Pass 2: every part, through. The extents of this sheet's parts replace those of the last.
  const double throughDepth = run.SheetThickness + program.CutOutDepthPlus;
  run.NestedPartExtents.assign(1, PartExtents{});
  for (long part = 1; part <= highest; ++part) {
    float minX, maxX, maxY, minY;
    PartExtentsOf(program, part, minX, maxX, maxY, minY);
    if (minX > kNoPart) continue;
    run.NestedPartExtents.push_back(RoundedExtents(minX, maxX, maxY, minY));
    const long number = program.CutOutFirst ? part - 300 : part + 600;
    DrawCutOut(program, CutOutRoute(minX, maxX, maxY, minY, program.LeadLength, hc, throughDepth, clockwise),
               clockwise, CutOutLayer(program, number, side));
  }
  AddUnroutedParts(program, run.NestedPartExtents);
}

void GenDropCut(core::Program& program, RunValues& run) {
  run.DropArea = 0;
  if (run.NestedPartExtents.size() < 2) return;  // no parts on the sheet: nothing to separate
  const float k = run.SawKerf / 10;
  const double depth = run.SheetThickness + program.CutOutDepthPlus;
  std::span<PartExtents> parts(run.NestedPartExtents.begin() + 1, run.NestedPartExtents.end());

  double x = 0;
  char side = 'L';
  if (program.NestFromCorner == 0 || program.NestFromCorner == 1) {
    // Parts nested from the left: the offcut lies right of the part reaching furthest right.
    std::sort(parts.begin(), parts.end(),
              [](const PartExtents& a, const PartExtents& b) { return a.MaxX > b.MaxX; });
    if (run.SheetLength - program.DropCutLength > parts.front().MaxX) {
      x = parts.front().MaxX + k;
      side = 'L';
      run.DropArea = static_cast<float>((run.SheetLength - x) * run.SheetWidth);
    }
  } else if (program.NestFromCorner == 2 || program.NestFromCorner == 3) {
    std::sort(parts.begin(), parts.end(),
              [](const PartExtents& a, const PartExtents& b) { return a.MinX < b.MinX; });
    if (parts.front().MinX > program.DropCutLength) {
      x = parts.front().MinX - k;
      side = 'R';
      run.DropArea = static_cast<float>(x * run.SheetWidth);
    }
  }
  if (x == 0) return;

  std::string layer = "Route900_T" + program.CutOutRouter;
  layer += side;
  if (program.DropCutPasses > 1) layer += "_M" + std::to_string(program.DropCutPasses);
  layer = RouteLayerName(layer);
  program.DXF1.AddLine(x, -run.SawKerf, depth, x, run.SheetWidth + run.SawKerf, depth, layer);
  if (program.PerimeterClean) program.DXF1.AddLine(x, -run.SawKerf, depth, x, run.SheetWidth, depth, layer);
}

void PerimClean(core::Program& program, RunValues& run) {
  const std::string layer = RouteLayerName("Route901_T" + program.CutOutRouter + "L");
  const double depth = run.SheetThickness - program.OsThickness;
  // Without cut-outs no pass stored this sheet's extents; those in the run belong to an
  // earlier sheet.
  if (!program.CutOutsOn) run.NestedPartExtents = GatherPartExtents(program);
  if (run.NestedPartExtents.size() < 2) return;

  const std::span<const PartExtents> parts(run.NestedPartExtents.begin() + 1, run.NestedPartExtents.end());
  const std::vector<OutlinePoint> outline =
      PerimeterOutline(parts, run.SheetLength, run.SheetWidth, run.SawKerf);
  for (size_t i = 0; i + 1 < outline.size(); ++i) {
    program.DXF1.AddLine(outline[i].X, outline[i].Y, depth, outline[i + 1].X, outline[i + 1].Y, depth, layer);
  }
}

}  // namespace tv::nesting
