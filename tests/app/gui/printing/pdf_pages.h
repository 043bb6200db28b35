// Reading printed PDF files back with poppler-utils: the page count, the text as laid out, a page
// as a picture and the ink on it.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <string>

#include "testing/run_command.h"

namespace tv::test_support {

// The pages pdfinfo counts; -1 when it cannot read the file.
inline int PageCount(const std::string& pdf) {
  const auto info = RunCommand("pdfinfo '" + pdf + "' 2>&1");
  const auto at = info.output.find("Pages:");
  return at == std::string::npos ? -1 : std::stoi(info.output.substr(at + 6));
}

// The text as laid out on the page; with a pitch, as many blanks in a gap as characters of that
// width fit in it (6.02 points: the fixed-pitch face of the header line at 10 points).
inline std::string PdfText(const std::string& pdf, const std::string& pitch = {}) {
  const std::string mode = pitch.empty() ? "-layout" : "-fixed " + pitch;
  return RunCommand("pdftotext " + mode + " '" + pdf + "' - 2>&1").output;
}

// Page n (from 1) at a low resolution, drawn into an image file in folder.
inline QImage PageImage(const std::string& pdf, int page, const std::string& folder, int dpi = 24) {
  const std::string base = folder + "page" + std::to_string(page);
  RunCommand("pdftoppm -r " + std::to_string(dpi) + " -png -singlefile -f " + std::to_string(page) + " -l " +
             std::to_string(page) + " '" + pdf + "' '" + base + "'");
  return QImage(QString::fromStdString(base + ".png"));
}

struct Ink {
  long dark = 0;     // pixels of any ink
  long colored = 0;  // clearly red pixels
};
// The ink inside area (the whole image when area is null).
inline Ink InkIn(const QImage& image, QRect area = {}) {
  if (area.isNull()) area = image.rect();
  Ink ink;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.lightness() < 200) ++ink.dark;
      if (c.red() > c.green() + 80 && c.red() > c.blue() + 80) ++ink.colored;
    }
  }
  return ink;
}

}  // namespace tv::test_support
