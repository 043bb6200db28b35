#include "viewer/letter_text.h"

#include <algorithm>
#include <cmath>

#include "files/path_resolve.h"
#include "text/ascii_text.h"

namespace tv::viewer {
namespace {

// Gap between letters, in drawing units of the scaled letters.
constexpr double kLetterGap = 3;

std::string LetterFolder(const core::Program& program) {
  return program.AppDir + "Letters/";
}

// Letter drawings are named in upper case ("A.DXF") while the text may hold either case and
// the files on disk may be named in any case.
bool ReadLetter(drawing::Drawing& dxf, const std::string& path, int mode, double dx, std::string* error) {
  std::string reason;
  if (dxf.ReadDrawing(files::ResolvePath(path), mode, dx, 0, &reason)) return true;
  if (error) *error = reason.empty() ? "Cannot read the letter drawing " + path : reason;
  return false;
}

// Length in bytes of the UTF-8 character that starts with lead.
std::size_t CharLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

bool BuildLetterText(core::Program& program, std::string& text, float factor, std::string* error) {
  drawing::Drawing& dxf = program.DXFText;
  const std::string folder = LetterFolder(program);

  // The reference letter gives the advance of a blank; it also stays as the drawing when the
  // text is empty.
  if (!ReadLetter(dxf, folder + "A.dxf", 0, 0, error)) return false;
  dxf.TransformEntities(dxf.EntityCount(), 0, 0, 0, 0, 0, factor, factor);
  float e1 = 0, e2 = 0, space = 0, e4 = 0;
  dxf.GetEntityExtents(e1, e2, space, e4);

  text = text::TrimBlanks(text);
  double offset = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = std::min(CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
    const std::string character = text.substr(i, length);
    if (character == " ") {
      offset += space;
    } else {
      const std::string name = character == "," ? "Comma" : character;
      if (!ReadLetter(dxf, folder + name + ".DXF", i == 0 ? 0 : 1, offset, error)) return false;
      // Each letter is scaled about its own insertion point, so the offsets (which add up
      // scaled widths) stay where they were measured at any factor.
      dxf.TransformEntities(dxf.EntityCount(), offset, 0, 0, 0, 0, factor, factor);
      float w = 0;
      dxf.GetEntityExtents(e1, e2, w, e4);
      offset = w + offset + kLetterGap;
    }
    i += length;
  }

  dxf.SetOutputFile(folder + "String.DXF");
  std::string reason;
  if (dxf.WriteDrawing(&reason)) return true;
  if (error) *error = reason.empty() ? "Cannot write " + folder + "String.DXF" : reason;
  return false;
}

float Dist(float x1, float y1, float x2, float y2) {
  // Squared in double: single-precision squares overflow (or vanish) for distances that are
  // themselves well within range.
  const double dx = static_cast<double>(x1) - x2;
  const double dy = static_cast<double>(y1) - y2;
  return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

bool GetIP(core::Program& program, float& x, float& y) {
  bool found = false;
  for (const drawing::PointItem& point : program.DXF1.GetEntities3()) {
    if (text::UpperAscii(point.LayerName).find("ENGRAVING") == std::string::npos) continue;
    x = point.X;
    y = point.Y;
    found = true;
  }
  return found;
}

}  // namespace tv::viewer
