// Small optimizer inputs for the tests and a runner that reads the results back the way the
// nesting run does.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "optimizer.h"

namespace sawplan::fixture {

struct Instance {
  tVREXSettings settings{};
  std::vector<tVREXPanelData> panels;
  std::vector<tVREXPartData> parts;
};

struct ReadLayout {
  tVREXLayoutData layout{};
  std::vector<tVREXPlacedPartData> parts;
};

struct RunResult {
  std::vector<ReadLayout> layouts;
  tVREXProgress progress{};
};

// The settings the nesting run passes, without kerf.
tVREXSettings NestingSettings();
tVREXPanelData Panel(double length, double width, int32_t num, int32_t sequence = 1, int32_t instock = 0);
// A part as the nesting run hands it over: not drilled, at most its own quantity per panel.
tVREXPartData Part(int32_t pid, double length, double width, int32_t num, int32_t turnable = 1,
                   int32_t sequence = 1);

// Initialize, put everything, Optimize(0), read every layout back.
RunResult RunJob(Optimizer& optimizer, const Instance& instance);

// A random job: cabinet-like part sizes, one to three sheet sizes, and with varySettings
// also kerf, corners, strips, offcuts, drilling and the other options.
Instance RandomInstance(std::mt19937& random, bool varySettings, int32_t maxPartTypes = 14);

// Text of every layout, exact to the last bit of each coordinate.
std::string Fingerprint(const RunResult& result);

}  // namespace sawplan::fixture
