// Read and write throughput of the drawing engine. The test drawing is what a big nesting
// run produces: the sample job's part drawings merged at offsets (200 by default), written
// as one R12 file. Prints the median of several runs of each step.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "drawing/drawing.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

template <class F>
double MedianSeconds(int runs, F&& step) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    step();
    times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  return Median(times);
}

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int main(int argc, char** argv) {
  const int parts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  std::vector<std::string> drawings;
  for (const auto& e : fs::directory_iterator(fs::path(TAVOLIN_SOURCE_DIR) / "samples/Parts"))
    if (e.path().extension() == ".dxf") drawings.push_back(ReadAll(e.path()));
  if (drawings.empty()) {
    std::fprintf(stderr, "no sample part drawings found\n");
    return 1;
  }
  std::sort(drawings.begin(), drawings.end());

  // The merge step as the nesting run does it: part after part at its place.
  tv::drawing::Drawing sheet;
  std::string error;
  const double mergeSeconds = MedianSeconds(runs, [&] {
    for (int i = 0; i < parts; ++i) {
      const std::string& part = drawings[static_cast<std::size_t>(i) % drawings.size()];
      const double dx = (i % 20) * 2500.0, dy = (i / 20) * 2500.0;
      if (!sheet.ReadDrawingFromBytes(part, "part.dxf", i == 0 ? 0 : 1, dx, dy, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
      }
      if (i % 3 == 0) sheet.TransformEntities(sheet.EntityCount(), dx, dy, 600, 0, 90, 1, 1);
    }
  });
  std::size_t inputBytes = 0;
  for (int i = 0; i < parts; ++i)
    inputBytes += drawings[static_cast<std::size_t>(i) % drawings.size()].size();

  std::string written;
  const double writeSeconds = MedianSeconds(runs, [&] { written = sheet.WriteDrawingToString(); });
  const double readSeconds = MedianSeconds(runs, [&] {
    tv::drawing::Drawing d;
    if (!d.ReadDrawingFromBytes(written, "sheet.dxf", 0, 0, 0, &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      std::exit(1);
    }
  });
  tv::drawing::Drawing loaded;
  loaded.ReadDrawingFromBytes(written, "sheet.dxf", 0, 0, 0, &error);
  const double querySeconds = MedianSeconds(runs, [&] {
    auto a = loaded.GetEntities1();
    auto b = loaded.GetEntities2();
    float l, t, r, btm;
    loaded.GetExtents(l, t, r, btm);
  });

  const double mb = static_cast<double>(written.size()) / 1e6;
  std::printf("drawing: %d merged parts, %d entities, %.2f MB as R12; medians of %d runs\n", parts,
              loaded.EntityCount(), mb, runs);
  std::printf("read   %8.1f MB/s  (%.1f ms)\n", mb / readSeconds, readSeconds * 1e3);
  std::printf("write  %8.1f MB/s  (%.1f ms)\n", mb / writeSeconds, writeSeconds * 1e3);
  std::printf("merge  %8.1f MB/s  (%.1f ms for %d part reads with offset, a third of them turned)\n",
              static_cast<double>(inputBytes) / 1e6 / mergeSeconds, mergeSeconds * 1e3, parts);
  std::printf("query  %8.1f ms    (GetEntities1, GetEntities2, GetExtents)\n", querySeconds * 1e3);
  return 0;
}
