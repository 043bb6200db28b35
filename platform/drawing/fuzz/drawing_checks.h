// What every input must survive: shared by the reader's fuzz target and the regression
// test that replays the inputs it found.
#pragma once

#include <string>
#include <string_view>

#include "drawing/drawing.h"

namespace tv::drawing::checks {

// A drawing to merge into, so that merges meet layer and block name clashes.
inline constexpr std::string_view kBase =
    "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n70\n0\n10\n0\n20\n0\n30\n0\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n2"
    "1\n1\n"
    "0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nINSERT\n8\nBORDER\n2\nB\n10\n5\n20\n5\n0\nLINE\n8\nBOR"
    "DER\n"
    "10\n0\n20\n0\n11\n10\n21\n0\n0\nENDSEC\n0\nEOF\n";

// Merges bytes into a small drawing and puts the result through every query, transform,
// the view and the writer. False (why says what) when a read failed without an error text
// or changed the drawing, when the written file does not read back, or when writing it
// once more gives other bytes. Crashes and endless loops are for the sanitizers and the
// fuzzer's timeout to find.
inline bool CheckInput(std::string_view bytes, std::string& why) {
  Drawing d;
  std::string error;
  if (!d.ReadDrawingFromBytes(kBase, "base.dxf", 0, 0, 0, &error)) {
    why = "base drawing: " + error;
    return false;
  }
  const int before = d.EntityCount();
  if (!d.ReadDrawingFromBytes(bytes, "input.dxf", 1, 12.5, -3, &error)) {
    if (error.empty()) why = "a failed read gave no error text";
    if (d.EntityCount() != before) why = "a failed read changed the drawing";
    return why.empty();
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
  d.SpotZoomAt(10, 10, kLeftButton);
  (void)d.ScreenToDrawingX(320);
  (void)d.BuildDisplayList(0.5);
  const std::string out = d.WriteDrawingToString();
  Drawing again;
  if (!again.ReadDrawingFromBytes(out, "written.dxf", 0, 0, 0, &error)) {
    why = "the written file does not read back: " + error;
    return false;
  }
  // Once written, a drawing is in its R12 form: reading and writing it again changes nothing.
  const std::string second = again.WriteDrawingToString();
  Drawing third;
  if (!third.ReadDrawingFromBytes(second, "second.dxf", 0, 0, 0, &error)) {
    why = "the file written again does not read back: " + error;
    return false;
  }
  if (third.WriteDrawingToString() != second) {
    why = "writing the written drawing again gives other bytes";
    return false;
  }
  return true;
}

}  // namespace tv::drawing::checks
