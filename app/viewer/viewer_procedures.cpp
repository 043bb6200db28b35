#include "viewer/viewer_procedures.h"

#include <cmath>

#include "text/ascii_text.h"
#include "text/number_text.h"
#include "viewer/drawing_inspection.h"

namespace tv::viewer {
namespace {

// Restores the normal pointer however the load ends.
class BusyPointer {
 public:
  explicit BusyPointer(core::Ui& ui) : ui_(ui) { ui_.SetPointer(core::Pointer::Busy); }
  ~BusyPointer() { ui_.SetPointer(core::Pointer::Normal); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  core::Ui& ui_;
};

}  // namespace

bool ShowDxf(core::Program& program, const std::string& path, std::string* error) {
  BusyPointer busy(program.ui());
  drawing::Drawing& dxf = program.DXF1;
  const std::string previousFile = dxf.DrawingFile();
  if (!dxf.ReadDrawing(path, 0, 0, 0, error)) {
    // The title of a later request must come from the drawing that is still loaded.
    dxf.SetDrawingFile(previousFile);
    return false;
  }
  ZoomExtents(program, -2);
  FillLayerList(program);
  std::string key = "Tavolin";
  std::string fieldError;
  const std::string caption = GetDrawingField(program, key, &fieldError);
  if (!fieldError.empty()) {
    if (error) *error = fieldError;
    return false;
  }
  program.ViewerCaption = caption.empty() ? path : caption;
  program.Notify(core::Change::ViewerCaption);
  return true;
}

void ZoomExtents(core::Program& program, int offset) {
  drawing::Drawing& dxf = program.DXF1;
  dxf.ZoomToExtents();
  dxf.ZoomPercent(100.0 + offset);
  dxf.Regenerate();
  program.Notify(core::Change::Drawing);
}

void FillLayerList(core::Program& program) {
  program.LayerList.clear();
  drawing::LayerCollection layers = program.DXF1.Layers();
  for (int i = 1; i <= layers.Count(); ++i) program.LayerList.push_back(layers.Item(i).Name());
  program.Notify(core::Change::LayerList);
}

int layerIndex(core::Program& program, std::string& name) {
  name = text::UpperAscii(name);
  drawing::LayerCollection layers = program.DXF1.Layers();
  for (int i = 1; i <= layers.Count(); ++i) {
    if (text::UpperAscii(layers.Item(i).Name()) == name) return i;
  }
  return 0;
}

bool SaveViewerDxfAs(core::Program& program, const std::string& path, std::string* error) {
  drawing::Drawing& dxf = program.DXF1;
  dxf.SetOutputFile(path);
  if (!dxf.WriteDrawing(error)) return false;
  dxf.SetDrawingFile(path);
  return true;
}

void ShowPartInfoAt(core::Program& program, float x, float y) {
  drawing::Drawing& dxf = program.DXF1;
  const double px = dxf.ScreenToDrawingX(x);
  const double py = dxf.ScreenToDrawingY(y);
  // The hit window keeps its physical size when the work list is in inches.
  const double s = program.MetricUnits ? 1.0 : 1.0 / 25.4;

  long long row = 0;
  for (const drawing::TextItem& text : dxf.GetTexts()) {
    if (text::UpperAscii(text.LayerName).find("ZUVODAVI") == std::string::npos) continue;
    bool hit;
    if (text.Rotation == 90) {
      const double across = text.X1 - px;
      hit = -10 * s < across && across < 30 * s && std::fabs(text.Y1 - py) < 125 * s;
    } else {
      const double above = py - text.Y1;
      hit = -10 * s < above && above < 30 * s && std::fabs(text.X1 - px) < 125 * s;
    }
    // Labels begin with the work-list row of their part; a later hit wins.
    if (hit) row = text::RoundHalfEven(text::Val(text.Txt));
  }

  core::Program::PartSpecList& spec = program.PartSpec;
  spec.Lines.clear();
  if (row < 1) {
    spec.Lines.emplace_back();
    spec.Lines.emplace_back(" Click on Part Label to get part information.");
    program.Notify(core::Change::PartSpec);
    return;
  }
  spec.BringToFront = true;
  const grid::Grid& workList = program.PList;
  for (long c = core::kColQty; c <= workList.MaxCols(); ++c) {
    spec.Lines.push_back(workList.CellText(0, c) + ", " + workList.CellText(static_cast<long>(row), c));
  }
  program.Notify(core::Change::PartSpec);
}

void ViewerMouseDown(core::Program& program, int button, int /*shift*/, float x, float y) {
  ShowPartInfoAt(program, x, y);
  drawing::Drawing& dxf = program.DXF1;
  switch (dxf.ZoomFunction()) {
    case drawing::kZoomSpot:
      dxf.SpotZoomAt(x, y, button);
      break;
    case drawing::kZoomWindow:
    case drawing::kZoomPan:
      if (button == drawing::kLeftButton) {
        dxf.MouseDownAt(x, y);
      } else {
        ZoomExtents(program, -1);
      }
      break;
    default:
      break;
  }
}

void ViewerMouseMove(core::Program& program, int /*button*/, int /*shift*/, float x, float y) {
  drawing::Drawing& dxf = program.DXF1;
  dxf.MouseMoveAt(x, y);
  // The pointer position is taken at whole pixels.
  const auto px = static_cast<double>(text::RoundHalfEven(x));
  const auto py = static_cast<double>(text::RoundHalfEven(y));
  program.ui().SetStatus(core::StatusPanel::X, "X: " + text::CStr(dxf.ScreenToDrawingX(px)));
  program.ui().SetStatus(core::StatusPanel::Y, "Y: " + text::CStr(dxf.ScreenToDrawingY(py)));
}

void ViewerMouseUp(core::Program& program, int button, int /*shift*/, float /*x*/, float /*y*/) {
  if (button == drawing::kLeftButton) program.DXF1.MouseUpAt();
}

void ShowSpotZoomStatus(core::Program& program) {
  const drawing::Drawing& dxf = program.DXF1;
  program.ui().SetStatus(core::StatusPanel::ZoomPct,
                         "Spot Zoom (L/R): " + text::CStrSingle(dxf.SpotZoomLeft()) + "% / " +
                             text::CStrSingle(dxf.SpotZoomRight()) + "% ");
}

}  // namespace tv::viewer
