// The view model: which window of the drawing a canvas of a given pixel size shows, the
// zoom history, and what mouse drags and clicks do to the window.
#include <algorithm>
#include <cmath>

#include "drawing/document.h"
#include "drawing/drawing.h"
#include "drawing/query.h"
#include "drawing/view_state.h"

namespace tv::drawing {
namespace {

// A drag shorter than this (pixels) is a click, not a window.
constexpr double kMinDrag = 3;

struct Shown {
  ViewWindow w;
  double unitsPerPixel = 1;
};

Shown Effective(const ViewState& v) {
  const double vw = std::max(v.width, 1), vh = std::max(v.height, 1);
  Shown s;
  if (!v.hasWindow) {
    s.w = {0, vh, vw, 0};
    return s;
  }
  const double w = std::fabs(v.window.right - v.window.left), h = std::fabs(v.window.top - v.window.bottom);
  const double cx = (v.window.left + v.window.right) / 2, cy = (v.window.top + v.window.bottom) / 2;
  double upp = std::max(w / vw, h / vh);
  if (!(upp > 0) || !std::isfinite(upp)) upp = 1;
  s.unitsPerPixel = upp;
  s.w = {cx - upp * vw / 2, cy + upp * vh / 2, cx + upp * vw / 2, cy - upp * vh / 2};
  return s;
}

ViewWindow Centered(double cx, double cy, double w, double h) {
  return {cx - w / 2, cy + h / 2, cx + w / 2, cy - h / 2};
}

}  // namespace

void Drawing::SetViewportSize(int widthPx, int heightPx) {
  view_->width = std::max(widthPx, 1);
  view_->height = std::max(heightPx, 1);
}
int Drawing::ViewportWidth() const {
  return view_->width;
}
int Drawing::ViewportHeight() const {
  return view_->height;
}

void Drawing::ZoomToExtents() {
  Vec3 lo, hi;
  if (!ComputeExtents(*doc_, 0, doc_->entities.size(), lo, hi)) return;
  double w = hi.x - lo.x, h = hi.y - lo.y;
  const double size = std::max({w, h, 0.0}) > 0 ? std::max(w, h) : 1.0;
  w = std::max(w, size * 1e-3);
  h = std::max(h, size * 1e-3);
  if (view_->hasWindow) view_->previous.push_back(view_->window);
  view_->window = Centered((lo.x + hi.x) / 2, (lo.y + hi.y) / 2, w, h);
  view_->hasWindow = true;
}

void Drawing::ZoomPercent(double percent) {
  if (!view_->hasWindow || !(percent > 0) || !std::isfinite(percent)) return;
  const Shown s = Effective(*view_);
  const double f = 100.0 / percent;
  view_->window = Centered((s.w.left + s.w.right) / 2, (s.w.top + s.w.bottom) / 2, (s.w.right - s.w.left) * f,
                           (s.w.top - s.w.bottom) * f);
}

void Drawing::Regenerate() {
  ++doc_->revision;
}

void Drawing::ZoomPrevious() {
  if (view_->previous.empty()) return;
  view_->window = view_->previous.back();
  view_->previous.pop_back();
  view_->hasWindow = true;
}

void Drawing::SetZoomFunction(int function) {
  view_->zoomFunction = function;
  view_->dragging = false;
}
int Drawing::ZoomFunction() const {
  return view_->zoomFunction;
}

void Drawing::MouseDownAt(double xPx, double yPx) {
  view_->downX = view_->lastX = xPx;
  view_->downY = view_->lastY = yPx;
  if (view_->zoomFunction != kZoomWindow && view_->zoomFunction != kZoomPan) return;
  view_->dragging = true;
  view_->dragStart = Effective(*view_).w;
}

void Drawing::MouseMoveAt(double xPx, double yPx) {
  view_->lastX = xPx;
  view_->lastY = yPx;
  if (!view_->dragging || view_->zoomFunction != kZoomPan) return;
  ViewState start = *view_;
  start.window = view_->dragStart;
  start.hasWindow = true;
  const double upp = Effective(start).unitsPerPixel;
  const double dx = (xPx - view_->downX) * upp, dy = (yPx - view_->downY) * upp;
  view_->window = {view_->dragStart.left - dx, view_->dragStart.top + dy, view_->dragStart.right - dx,
                   view_->dragStart.bottom + dy};
  view_->hasWindow = true;
}

void Drawing::MouseUpAt() {
  if (!view_->dragging) return;
  view_->dragging = false;
  const double mx = std::fabs(view_->lastX - view_->downX), my = std::fabs(view_->lastY - view_->downY);
  if (view_->zoomFunction == kZoomPan) {
    if (mx > 0 || my > 0) view_->previous.push_back(view_->dragStart);
    return;
  }
  if (mx < kMinDrag || my < kMinDrag) return;  // a click: no window
  ViewState start = *view_;
  start.window = view_->dragStart;
  start.hasWindow = true;
  const Shown s = Effective(start);
  const double x0 = s.w.left + std::min(view_->downX, view_->lastX) * s.unitsPerPixel;
  const double x1 = s.w.left + std::max(view_->downX, view_->lastX) * s.unitsPerPixel;
  const double y0 = s.w.top - std::max(view_->downY, view_->lastY) * s.unitsPerPixel;
  const double y1 = s.w.top - std::min(view_->downY, view_->lastY) * s.unitsPerPixel;
  if (view_->hasWindow) view_->previous.push_back(view_->window);
  view_->window = {x0, y1, x1, y0};
  view_->hasWindow = true;
}

bool Drawing::RubberBand(double& x0, double& y0, double& x1, double& y1) const {
  if (!view_->dragging || view_->zoomFunction != kZoomWindow) return false;
  x0 = view_->downX;
  y0 = view_->downY;
  x1 = view_->lastX;
  y1 = view_->lastY;
  return true;
}

void Drawing::SpotZoomAt(double xPx, double yPx, int button) {
  const Shown s = Effective(*view_);
  const double percent = button == kLeftButton ? view_->spotLeft : view_->spotRight;
  const double factor = 1 + std::max(0.0, std::isfinite(percent) ? percent : 0.0) / 100.0;
  const double cx = s.w.left + xPx * s.unitsPerPixel, cy = s.w.top - yPx * s.unitsPerPixel;
  double w = s.w.right - s.w.left, h = s.w.top - s.w.bottom;
  if (button == kLeftButton) {
    w /= factor;
    h /= factor;
  } else {
    w *= factor;
    h *= factor;
  }
  if (view_->hasWindow) view_->previous.push_back(view_->window);
  view_->window = Centered(cx, cy, w, h);
  view_->hasWindow = true;
}

double Drawing::ScreenToDrawingX(double xPx) const {
  const Shown s = Effective(*view_);
  return s.w.left + xPx * s.unitsPerPixel;
}
double Drawing::ScreenToDrawingY(double yPx) const {
  const Shown s = Effective(*view_);
  return s.w.top - yPx * s.unitsPerPixel;
}
double Drawing::DrawingToScreenX(double x) const {
  const Shown s = Effective(*view_);
  return (x - s.w.left) / s.unitsPerPixel;
}
double Drawing::DrawingToScreenY(double y) const {
  const Shown s = Effective(*view_);
  return (s.w.top - y) / s.unitsPerPixel;
}

bool Drawing::GetCurrentZoom(float& left, float& top, float& right, float& bottom) const {
  if (!view_->hasWindow) {
    left = top = right = bottom = 0;
    return false;
  }
  const Shown s = Effective(*view_);
  left = static_cast<float>(s.w.left);
  top = static_cast<float>(s.w.top);
  right = static_cast<float>(s.w.right);
  bottom = static_cast<float>(s.w.bottom);
  return true;
}

void Drawing::SetSpotZoomLeft(float percent) {
  view_->spotLeft = percent;
}
float Drawing::SpotZoomLeft() const {
  return view_->spotLeft;
}
void Drawing::SetSpotZoomRight(float percent) {
  view_->spotRight = percent;
}
float Drawing::SpotZoomRight() const {
  return view_->spotRight;
}
void Drawing::SetDisplayBlackWhite(bool on) {
  view_->displayBlackWhite = on;
}
bool Drawing::DisplayBlackWhite() const {
  return view_->displayBlackWhite;
}
void Drawing::SetPrintBlackWhite(bool on) {
  view_->printBlackWhite = on;
}
bool Drawing::PrintBlackWhite() const {
  return view_->printBlackWhite;
}
void Drawing::SetBackColor(std::int32_t bgr) {
  view_->backColor = bgr;
}
std::int32_t Drawing::BackColor() const {
  return view_->backColor;
}
void Drawing::SetTmpFileNamePath(std::string folder) {
  view_->tmpPath = std::move(folder);
}
const std::string& Drawing::TmpFileNamePath() const {
  return view_->tmpPath;
}

}  // namespace tv::drawing
