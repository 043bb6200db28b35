// A generated cabinet-shop job for benchmarks and frozen-output tests: part drawings of one part
// each, carcass parts in melamine, fronts in MDF, backs in hardboard. Standard library and the
// files layer only, so a benchmark can use it without the test framework.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "files/files.h"
#include "testing/cat.h"
#include "testing/dxf_fixture.h"

namespace tv::test_support {

// A part drawing: its comment fields, its outline, a groove and two bores.
inline std::string GeneratedPartDrawing(const std::string& cabinet, const std::string& material, int length,
                                        int width) {
  DxfFixture dxf;
  dxf.Comment(Cat("Tavolin: ", cabinet))
      .Comment("Quantity: 1")
      .Comment("Job: 9000")
      .Comment(Cat("Cabinet: ", cabinet))
      .Comment("Description: Panel")
      .Comment(Cat("Material: ", material));
  const int thickness = material.back() == '6' ? 6 : 19;
  dxf.LineRect(Cat("BORDER_Z", std::to_string(thickness)), 0, 0, length, width);
  dxf.Line("ROUTE1_Z6P5", 20, 20, length - 20, 20, 6.5);
  for (int x : {40, length - 40}) dxf.Circle("VBORE_Z12", x, width / 2, 4, 12);
  return dxf.Dxf();
}

// partCount drawings "G001_Part.dxf" ... in folder; the first n parts of a larger job are the
// parts of the job of n, so jobs of 500, 1,000 and 2,000 parts grow one from the other.
inline void GenerateCabinetJob(const std::filesystem::path& folder, int partCount) {
  std::mt19937 random(2417);
  auto uniform = [&](int low, int high) {
    return low + static_cast<int>(random() % static_cast<uint32_t>(high - low + 1));
  };
  const char* materials[] = {"WHITE MELAMINE 19", "PAINT GRADE MDF 19", "WHITE HARDBOARD 6"};
  std::filesystem::create_directories(folder);
  for (int i = 1; i <= partCount; ++i) {
    const int kind = i % 10 < 6 ? 0 : (i % 10 < 8 ? 1 : 2);
    const int length = uniform(150, 1200);
    const int width = uniform(80, std::min(700, length));
    char name[32];
    std::snprintf(name, sizeof name, "G%03d_Part.dxf", i);
    char cabinet[16];
    std::snprintf(cabinet, sizeof cabinet, "C%02d", (i - 1) / 20 + 1);
    files::WriteFileAtomic((folder / name).string(),
                           GeneratedPartDrawing(cabinet, materials[kind], length, width));
  }
}

}  // namespace tv::test_support
