// Temporary bodies so that callers can build against the interface.
#include <stdexcept>

#include "drawing/colors.h"
#include "drawing/document.h"
#include "drawing/drawing.h"

namespace tv::drawing {

struct ViewState {
  int width = 800, height = 600;
  int zoomFunction = kZoomWindow;
  float spotLeft = 50, spotRight = 50;
  bool displayBw = false, printBw = false;
  std::int32_t backColor = 0;
  std::string tmpPath;
};

Document::Document() {
  AddLayer("0");
}
int Document::FindLayer(std::string_view name) const {
  for (std::size_t i = 0; i < layers.size(); ++i)
    if (layers[i]->Name() == name) return static_cast<int>(i);
  return -1;
}
int Document::AddLayer(std::string_view name) {
  auto layer = std::make_unique<Layer>();
  layer->SetName(name);
  layers.push_back(std::move(layer));
  return LayerCount() - 1;
}

std::int32_t Layer::Color() const {
  return AciToBgr(aci_);
}
void Layer::SetColor(std::int32_t bgr) {
  aci_ = NearestAci(bgr);
}

int LayerCollection::Count() const {
  return doc_->LayerCount();
}
Layer& LayerCollection::Item(int index) const {
  if (index < 1 || index > doc_->LayerCount()) throw std::out_of_range("layer index");
  return doc_->LayerAt(index - 1);
}
Layer& LayerCollection::Add(bool, std::int32_t color, std::string_view name, bool, bool, int,
                            std::string_view) {
  int i = doc_->FindLayer(name);
  if (i < 0) i = doc_->AddLayer(name);
  Layer& layer = doc_->LayerAt(i);
  layer.SetColor(color);
  return layer;
}

void SegmentItem::SetZ1(float z) {
  WriteBack(true, z);
}
void SegmentItem::SetZ2(float z) {
  WriteBack(false, z);
}
void SegmentItem::WriteBack(bool first, float z) {
  (first ? Z1 : Z2) = z;
}

Drawing::Drawing() : doc_(std::make_unique<Document>()), view_(std::make_unique<ViewState>()) {}
Drawing::~Drawing() = default;
void Drawing::SetDrawingFile(std::string path) {
  drawingFile_ = std::move(path);
}
const std::string& Drawing::DrawingFile() const {
  return drawingFile_;
}
bool Drawing::ReadDrawing(int, double, double, std::string* error) {
  if (error) *error = "not implemented yet";
  return false;
}
bool Drawing::ReadDrawing(const std::string& path, int mode, double dx, double dy, std::string* error) {
  SetDrawingFile(path);
  return ReadDrawing(mode, dx, dy, error);
}
bool Drawing::ReadDrawingFromBytes(std::string_view, std::string_view, int, double, double,
                                   std::string* error) {
  if (error) *error = "not implemented yet";
  return false;
}
void Drawing::SetOutputFile(std::string path) {
  outputFile_ = std::move(path);
}
const std::string& Drawing::OutputFile() const {
  return outputFile_;
}
bool Drawing::WriteDrawing(std::string* error) {
  if (error) *error = "not implemented yet";
  return false;
}
std::string Drawing::WriteDrawingToString() const {
  return {};
}
void Drawing::Clear() {
  doc_ = std::make_unique<Document>();
}
int Drawing::EntityCount() const {
  return 0;
}
void Drawing::TransformEntities(int, double, double, double, double, double, double, double) {}
LayerCollection Drawing::Layers() {
  return LayerCollection(*doc_);
}
std::vector<SegmentItem> Drawing::GetEntities1() {
  return {};
}
std::vector<SegmentItem> Drawing::GetEntities2() {
  return {};
}
std::vector<PointItem> Drawing::GetEntities3() const {
  return {};
}
std::vector<TextItem> Drawing::GetTexts() const {
  return {};
}
bool Drawing::GetEntityExtents(float& a, float& b, float& c, float& d) const {
  a = b = c = d = 0;
  return false;
}
bool Drawing::GetExtents(float& a, float& b, float& c, float& d) const {
  a = b = c = d = 0;
  return false;
}
void Drawing::AddLine(double, double, double, double, double, double, std::string_view) {}
void Drawing::AddSolid(double, double, double, double, double, double, double, double, std::string_view) {}
void Drawing::AddText(double, double, std::string_view, std::string_view, int, double, int, double) {}
void Drawing::SetUseDxfFont(bool) {}
bool Drawing::UseDxfFont() const {
  return true;
}
void Drawing::SetFontName(std::string) {}
const std::string& Drawing::FontName() const {
  return drawingFile_;
}
void Drawing::SetFontName2(std::string) {}
const std::string& Drawing::FontName2() const {
  return drawingFile_;
}
void Drawing::SetViewportSize(int w, int h) {
  view_->width = w, view_->height = h;
}
int Drawing::ViewportWidth() const {
  return view_->width;
}
int Drawing::ViewportHeight() const {
  return view_->height;
}
void Drawing::ZoomToExtents() {}
void Drawing::ZoomPercent(double) {}
void Drawing::Regenerate() {}
void Drawing::ZoomPrevious() {}
bool Drawing::RefreshView(std::string*) {
  return true;
}
void Drawing::SetZoomFunction(int f) {
  view_->zoomFunction = f;
}
int Drawing::ZoomFunction() const {
  return view_->zoomFunction;
}
void Drawing::MouseDownAt(double, double) {}
void Drawing::MouseMoveAt(double, double) {}
void Drawing::MouseUpAt() {}
bool Drawing::RubberBand(double&, double&, double&, double&) const {
  return false;
}
void Drawing::SpotZoomAt(double, double, int) {}
double Drawing::ScreenToDrawingX(double x) const {
  return x;
}
double Drawing::ScreenToDrawingY(double y) const {
  return y;
}
double Drawing::DrawingToScreenX(double x) const {
  return x;
}
double Drawing::DrawingToScreenY(double y) const {
  return y;
}
bool Drawing::GetCurrentZoom(float& a, float& b, float& c, float& d) const {
  a = b = c = d = 0;
  return false;
}
void Drawing::SetSpotZoomLeft(float p) {
  view_->spotLeft = p;
}
float Drawing::SpotZoomLeft() const {
  return view_->spotLeft;
}
void Drawing::SetSpotZoomRight(float p) {
  view_->spotRight = p;
}
float Drawing::SpotZoomRight() const {
  return view_->spotRight;
}
void Drawing::SetDisplayBlackWhite(bool on) {
  view_->displayBw = on;
}
bool Drawing::DisplayBlackWhite() const {
  return view_->displayBw;
}
void Drawing::SetPrintBlackWhite(bool on) {
  view_->printBw = on;
}
bool Drawing::PrintBlackWhite() const {
  return view_->printBw;
}
void Drawing::SetBackColor(std::int32_t c) {
  view_->backColor = c;
}
std::int32_t Drawing::BackColor() const {
  return view_->backColor;
}
void Drawing::SetTmpFileNamePath(std::string f) {
  view_->tmpPath = std::move(f);
}
const std::string& Drawing::TmpFileNamePath() const {
  return view_->tmpPath;
}
DisplayList Drawing::BuildDisplayList(double) const {
  return {};
}
std::uint64_t Drawing::Revision() const {
  return doc_->revision;
}

}  // namespace tv::drawing
