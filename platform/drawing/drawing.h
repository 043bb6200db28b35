// The drawing engine: one DXF drawing in memory with the operations the program uses on
// it (read with offset and merge, transform, layers, segment/point/text queries, extents,
// added lines, solids and texts, the R12 writer) and the view model a canvas shows it by.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/display.h"
#include "drawing/items.h"
#include "drawing/layers.h"

namespace tv::drawing {

class Document;
struct ViewState;

// The code page a DXF file's header declares ($DWGCODEPAGE, such as "ANSI_1250"), "" when it
// declares none. fileStart is the file from its first byte; the header is enough.
std::string DeclaredCodePage(std::string_view fileStart);

// Mouse buttons as the canvas reports them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// ZoomFunction values: what a drag or click does.
inline constexpr int kZoomWindow = 0;
inline constexpr int kZoomSpot = 1;
inline constexpr int kZoomPan = 2;

class Drawing {
 public:
  Drawing();
  ~Drawing();
  Drawing(const Drawing&) = delete;
  Drawing& operator=(const Drawing&) = delete;

  // ---- Files -----------------------------------------------------------------------
  // The file ReadDrawing reads, and the drawing's current file.
  void SetDrawingFile(std::string path);
  const std::string& DrawingFile() const;

  // Reads DrawingFile: mode 0 replaces the drawing, mode 1 merges the file into it; the
  // file's entities are moved by (dx, dy) in both modes. Merging keeps layers by name and
  // renames clashing blocks. On failure the drawing is left as it was and error (when
  // given) names the file, the line and the reason.
  bool ReadDrawing(int mode, double dx, double dy, std::string* error = nullptr);
  // Same with DrawingFile set to path first.
  bool ReadDrawing(const std::string& path, int mode, double dx, double dy, std::string* error = nullptr);
  // Same on bytes in memory; name stands for the file in error texts. DrawingFile is not
  // changed.
  bool ReadDrawingFromBytes(std::string_view bytes, std::string_view name, int mode, double dx, double dy,
                            std::string* error = nullptr);

  // Writes the drawing to OutputFile as DXF R12 (AC1009), leaving out Stripped layers and
  // their entities. The file is replaced atomically.
  void SetOutputFile(std::string path);
  const std::string& OutputFile() const;
  bool WriteDrawing(std::string* error = nullptr);
  // The bytes WriteDrawing would write.
  std::string WriteDrawingToString() const;

  // An empty drawing (layer "0" only); DrawingFile and the view options stay.
  void Clear();

  // ---- Entities ----------------------------------------------------------------------
  // Number of top-level entities (attributes and vertices belong to their entity).
  int EntityCount() const;

  // Scales by (scaleX, scaleY) and turns by angle (degrees, counter-clockwise) about
  // (baseX, baseY), then moves by (shiftX, shiftY): the entities of the last read whose
  // index is below count (pass EntityCount() taken after the read). Works on every kind
  // of entity; a circle or arc scaled unevenly becomes an ellipse.
  void TransformEntities(int count, double baseX, double baseY, double shiftX, double shiftY, double angle,
                         double scaleX, double scaleY);

  LayerCollection Layers();

  // GetEntities1: one item per LINE. GetEntities2: the segments of every other outline
  // entity (polylines, arcs, circles, ellipses, splines, solids, faces) and of everything
  // inside block references. Both in drawing order; paper-space entities are left out.
  std::vector<SegmentItem> GetEntities1();
  std::vector<SegmentItem> GetEntities2();
  // POINT entities.
  std::vector<PointItem> GetEntities3() const;
  std::vector<TextItem> GetTexts() const;

  // Extents of the entities of the last read (after any transform of them): lower-left
  // corner, width and height. False (all 0) when the last read brought no geometry.
  bool GetEntityExtents(float& minX, float& minY, float& width, float& height) const;
  // Extents of the whole drawing as left, top, right, bottom. False (all 0) when empty.
  bool GetExtents(float& left, float& top, float& right, float& bottom) const;

  // Adds a line from (x1, y1) to (x2, y2) on layer (created when missing). The depths
  // are passed crosswise: the third argument is the depth at (x2, y2), the sixth the
  // depth at (x1, y1), which is how the route generator hands them over.
  void AddLine(double x1, double y1, double zAtEnd, double x2, double y2, double zAtStart,
               std::string_view layer);
  // Adds a filled four-corner area; the corners go round the area in order.
  void AddSolid(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4,
                std::string_view layer);
  // Adds a one-line text at (x, y). kind: 1 (the only kind there is; other values alike).
  // height 0 takes the drawing's default text size. hAlign 0 starts the text at the
  // point, 1 centres it on the point (on its base line). angle in degrees.
  void AddText(double x, double y, std::string_view text, std::string_view layer, int kind, double height,
               int hAlign = 0, double angle = 0);

  // Font of added texts: the drawing's own font when UseDxfFont, else the typeface
  // FontName. FontName2 is the typeface a canvas falls back to when FontName is missing.
  void SetUseDxfFont(bool use);
  bool UseDxfFont() const;
  void SetFontName(std::string name);
  const std::string& FontName() const;
  void SetFontName2(std::string name);
  const std::string& FontName2() const;

  // ---- View --------------------------------------------------------------------------
  // The canvas tells the view its size in pixels (x to the right, y down).
  void SetViewportSize(int widthPx, int heightPx);
  int ViewportWidth() const;
  int ViewportHeight() const;

  // Shows the whole drawing (the previous view goes onto the ZoomPrevious stack).
  void ZoomToExtents();
  // Scales the current view about its centre so the drawing shows at percent of its size
  // (100 keeps it, 99 leaves a small margin round the extents).
  void ZoomPercent(double percent);
  // Recomputes the extents after changes; the view window stays.
  void Regenerate();
  void ZoomPrevious();

  // kZoomWindow: a left drag spans the window to zoom to; kZoomSpot: clicks zoom (see
  // SpotZoomAt); kZoomPan: a left drag moves the drawing.
  void SetZoomFunction(int function);
  int ZoomFunction() const;
  void MouseDownAt(double xPx, double yPx);
  void MouseMoveAt(double xPx, double yPx);
  void MouseUpAt();
  // The rubber band of a window zoom in progress, in pixels. False when none.
  bool RubberBand(double& x0, double& y0, double& x1, double& y1) const;
  // Left button: zooms in by SpotZoomLeft percent centred on the point; any other button
  // zooms out by SpotZoomRight percent.
  void SpotZoomAt(double xPx, double yPx, int button);

  double ScreenToDrawingX(double xPx) const;
  double ScreenToDrawingY(double yPx) const;
  double DrawingToScreenX(double x) const;
  double DrawingToScreenY(double y) const;
  // The window shown (left, top, right, bottom in drawing units), widened to the
  // viewport's proportions. False when the drawing is empty and was never zoomed.
  bool GetCurrentZoom(float& left, float& top, float& right, float& bottom) const;

  // View options.
  void SetSpotZoomLeft(float percent);
  float SpotZoomLeft() const;
  void SetSpotZoomRight(float percent);
  float SpotZoomRight() const;
  void SetDisplayBlackWhite(bool on);
  bool DisplayBlackWhite() const;
  void SetPrintBlackWhite(bool on);
  bool PrintBlackWhite() const;
  void SetBackColor(std::int32_t bgr);
  std::int32_t BackColor() const;
  void SetTmpFileNamePath(std::string folder);
  const std::string& TmpFileNamePath() const;

  // ---- Rendering ---------------------------------------------------------------------
  // The drawing flattened for a canvas: layers switched off, frozen or in paper space
  // are left out; chords deviate from the curves by at most tolerance drawing units.
  DisplayList BuildDisplayList(double tolerance) const;
  // Grows with every change of the drawing's content, so a canvas can keep its display
  // list until this moves.
  std::uint64_t Revision() const;

 private:
  friend class SegmentItem;
  std::unique_ptr<Document> doc_;
  std::unique_ptr<ViewState> view_;
  std::string TextStyleForAdding();

  std::string drawingFile_;
  std::string outputFile_;
  bool useDxfFont_ = true;
  std::string fontName_, fontName2_;
};

}  // namespace tv::drawing
