// Repaint time of the drawing canvas's painter on the two drawings that test it hardest: the
// composite of 30 nested sheets and one sheet of 2,000 parts, both built from the sample job's
// part drawings with the labels, cut-out routes and borders a run adds. Prints medians of
// several runs: the first paint (display list built), a repaint of the same view, a repaint
// after a spot zoom and after a pan. With --png FOLDER the pictures are written there, and
// any DXF files named after the options are rendered there too.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "files/file_ops.h"
#include "gui/canvas/drawing_painter.h"
#include "nesting/run_driver.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using tv::canvas::DrawingPainter;
using tv::canvas::DrawingWindow;
using tv::canvas::PaintOptions;
using tv::drawing::Drawing;

namespace {

constexpr int kWidth = 1280, kHeight = 800;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::vector<std::string> SampleParts() {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(fs::path(TAVOLIN_SOURCE_DIR) / "samples/Parts"))
    if (e.path().extension() == ".dxf") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  std::vector<std::string> parts;
  for (const fs::path& f : files) parts.push_back(tv::files::ReadFile(f.string()).value_or(""));
  return parts;
}

void MustMerge(Drawing& d, const std::string& bytes, int mode, double dx, double dy) {
  std::string error;
  if (!d.ReadDrawingFromBytes(bytes, "part.dxf", mode, dx, dy, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    std::exit(1);
  }
}

// Parts in a grid of cells, each with the cut-out route round its cell, a label with its row
// and description, and the border round the whole: what a run leaves in a sheet drawing.
void BuildSheet(Drawing& d, const std::vector<std::string>& parts, int count, int columns, double cellX,
                double cellY, int firstRow) {
  d.Clear();
  const int rows = (count + columns - 1) / columns;
  for (int i = 0; i < count; ++i) {
    const double x = (i % columns) * cellX, y = (i / columns) * cellY;
    MustMerge(d, parts[static_cast<std::size_t>(i) % parts.size()], 1, x, y);
    const std::string route = "Route" + std::to_string(601 + i) + "_T1L";
    d.AddLine(x - 3, y - 3, 19.8, x + cellX - 12, y - 3, 19.8, route);
    d.AddLine(x + cellX - 12, y - 3, 19.8, x + cellX - 12, y + cellY - 12, 19.8, route);
    d.AddLine(x + cellX - 12, y + cellY - 12, 19.8, x - 3, y + cellY - 12, 19.8, route);
    d.AddLine(x - 3, y + cellY - 12, 19.8, x - 3, y - 3, 19.8, route);
    d.AddText(x + cellX / 2, y + cellY / 2, std::to_string(firstRow + i) + ", B1, Panel", "Zuvodavi", 1,
              cellY / 12, 1, 0);
  }
  const double length = columns * cellX, width = rows * cellY;
  d.AddLine(0, 0, 0, length, 0, 0, "Border_Z19");
  d.AddLine(length, 0, 0, length, width, 0, "Border_Z19");
  d.AddLine(length, width, 0, 0, width, 0, "Border_Z19");
  d.AddLine(0, width, 0, 0, 0, 0, "Border_Z19");
  d.Layers().Add(true, 255, "Border_Z19", true, true, 0, "");
  d.AddText(20, width + 20, "WHITE MELAMINE 19", "DESCRIPTION", 1, 30);
}

// 30 sheets of 16 parts written as files and merged the way the run builds its composite.
void BuildComposite(Drawing& composite, const std::vector<std::string>& parts) {
  constexpr int kSheets = 30;
  std::vector<std::string> sheets;
  Drawing sheet;
  for (int k = 0; k < kSheets; ++k) {
    BuildSheet(sheet, parts, 16, 4, 600, 300, k * 16 + 1);
    sheets.push_back(sheet.WriteDrawingToString());
  }
  const auto cells = tv::nesting::CompositeLayout(kSheets, kSheets, 2440, 1220);
  composite.Clear();
  for (int k = 0; k < kSheets; ++k)
    MustMerge(composite, sheets[static_cast<std::size_t>(k)], k == 0 ? 0 : 1,
              cells[static_cast<std::size_t>(k)].X, cells[static_cast<std::size_t>(k)].Y);
}

struct Figures {
  double first = 0, repaint = 0, zoomed = 0, panned = 0, list = 0;
  int paths = 0, texts = 0;
};

double PaintSeconds(DrawingPainter& painter, QImage& image, const Drawing& d) {
  QPainter p(&image);
  PaintOptions options;
  options.backColor = d.BackColor();
  const auto start = Clock::now();
  painter.Paint(p, d, QRectF(image.rect()), *DrawingPainter::CurrentWindow(d), options);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

Figures Measure(Drawing& d, int runs, const std::string& png) {
  d.SetViewportSize(kWidth, kHeight);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  Figures f;
  std::vector<double> first, repaint, zoomed, panned, list;
  for (int r = 0; r < runs; ++r) {
    d.ZoomToExtents();
    d.ZoomPercent(99);
    const auto start = Clock::now();
    const auto built = d.BuildDisplayList(1);
    list.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    f.paths = static_cast<int>(built.paths.size());
    f.texts = static_cast<int>(built.texts.size());
    DrawingPainter painter;
    first.push_back(PaintSeconds(painter, image, d));
    if (r == 0 && !png.empty()) image.save(QString::fromStdString(png + ".png"));
    repaint.push_back(PaintSeconds(painter, image, d));
    d.SpotZoomAt(kWidth / 2.0, kHeight / 2.0, tv::drawing::kLeftButton);
    zoomed.push_back(PaintSeconds(painter, image, d));
    d.MouseDownAt(600, 400);
    d.MouseMoveAt(700, 450);
    d.MouseUpAt();
    panned.push_back(PaintSeconds(painter, image, d));
  }
  f.first = Median(first);
  f.repaint = Median(repaint);
  f.zoomed = Median(zoomed);
  f.panned = Median(panned);
  f.list = Median(list);
  return f;
}

void Print(const char* name, const Drawing& d, const Figures& f) {
  std::printf("%-22s %8d %7d %6d %10.1f %9.1f %9.1f %9.1f %9.1f\n", name, d.EntityCount(), f.paths, f.texts,
              f.list * 1e3, f.first * 1e3, f.repaint * 1e3, f.zoomed * 1e3, f.panned * 1e3);
}

}  // namespace

int main(int argc, char** argv) {
  if (getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  int runs = 9;
  std::string pngFolder;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) {
      pngFolder = argv[++i];
      fs::create_directories(pngFolder);
    } else {
      files.push_back(argv[i]);
    }
  }
  const std::vector<std::string> parts = SampleParts();
  if (parts.empty()) {
    std::fprintf(stderr, "no sample part drawings found\n");
    return 1;
  }
  std::printf("%d x %d pixels, medians of %d runs, times in ms\n", kWidth, kHeight, runs);
  std::printf("%-22s %8s %7s %6s %10s %9s %9s %9s %9s\n", "drawing", "entities", "paths", "texts", "list 1u",
              "first", "repaint", "zoomed", "panned");
  Drawing composite;
  BuildComposite(composite, parts);
  Print("composite, 30 sheets", composite,
        Measure(composite, runs, pngFolder.empty() ? "" : pngFolder + "/composite"));
  Drawing big;
  BuildSheet(big, parts, 2000, 50, 1300, 800, 1);
  Print("sheet of 2,000 parts", big, Measure(big, runs, pngFolder.empty() ? "" : pngFolder + "/sheet2000"));
  for (const std::string& file : files) {
    Drawing d;
    std::string error;
    if (!d.ReadDrawing(file, 0, 0, 0, &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      continue;
    }
    const std::string stem = fs::path(file).stem().string();
    Print(stem.c_str(), d, Measure(d, 1, pngFolder.empty() ? "" : pngFolder + "/" + stem));
  }
  return 0;
}
