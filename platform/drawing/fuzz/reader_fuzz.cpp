// Fuzz target for the DXF reader: any input must either fail with an error text or give a
// drawing that every query, transform and the writer handle, and whose written file reads
// back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "drawing/drawing.h"

namespace {

// A drawing to merge into, so that merges meet layer and block name clashes.
constexpr std::string_view kBase =
    "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n70\n0\n10\n0\n20\n0\n30\n0\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n2"
    "1\n1\n"
    "0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nINSERT\n8\nBORDER\n2\nB\n10\n5\n20\n5\n0\nLINE\n8\nBOR"
    "DER\n"
    "10\n0\n20\n0\n11\n10\n21\n0\n0\nENDSEC\n0\nEOF\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > (1u << 20)) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tv::drawing::Drawing d;
  std::string error;
  if (!d.ReadDrawingFromBytes(kBase, "base.dxf", 0, 0, 0, &error)) std::abort();
  const int before = d.EntityCount();
  if (!d.ReadDrawingFromBytes(bytes, "fuzz.dxf", 1, 12.5, -3, &error)) {
    if (error.empty() || d.EntityCount() != before) std::abort();  // a failed read leaves the drawing
    return 0;
  }
  d.TransformEntities(d.EntityCount(), 1, 2, 3, 4, 90, 1, 1);
  d.TransformEntities(d.EntityCount(), 0, 0, 0, 0, 30, 2, 0.5);
  d.TransformEntities(d.EntityCount(), 0, 0, 0, 0, 0, -1, 1);
  auto lines = d.GetEntities1();
  auto others = d.GetEntities2();
  if (!lines.empty()) lines.front().SetZ1(19.8f);
  if (!others.empty()) others.back().SetZ2(-1.5f);
  (void)d.GetEntities3();
  (void)d.GetTexts();
  float a, b, c, e;
  d.GetExtents(a, b, c, e);
  d.GetEntityExtents(a, b, c, e);
  for (int i = 1; i <= d.Layers().Count(); ++i)
    if (i % 2 == 0) d.Layers().Item(i).SetStripped(true);
  d.AddText(1, 2, "x", "Tavolin", 1, 0, 1, 90);
  d.SetViewportSize(640, 480);
  d.ZoomToExtents();
  d.ZoomPercent(99);
  d.SpotZoomAt(10, 10, tv::drawing::kLeftButton);
  (void)d.ScreenToDrawingX(320);
  (void)d.BuildDisplayList(0.5);
  const std::string out = d.WriteDrawingToString();
  tv::drawing::Drawing again;
  if (!again.ReadDrawingFromBytes(out, "written.dxf", 0, 0, 0, &error)) {
    std::fprintf(stderr, "written file does not read back: %s\n", error.c_str());
    std::abort();
  }
  return 0;
}
