// Generated optimizer jobs for the benchmark: cabinet jobs built from carcass, door and drawer
// parts, and random part mixes, each with one to three sheet sizes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sawplan/vrex.h"

namespace sawplan::bench {

struct Job {
  std::string name;
  tVREXSettings settings{};
  std::vector<tVREXPanelData> panels;
  std::vector<tVREXPartData> parts;
};

// A cabinet job with about partTypes part types, 1 to 20 copies each.
Job CabinetJob(uint32_t seed, int32_t partTypes, int32_t sheetSizes);
// Part sizes drawn at random over the whole range of a panel.
Job RandomMixJob(uint32_t seed, int32_t partTypes, int32_t sheetSizes);

// A job as text, one record a line ("settings ...", "panel ...", "part ..."), exact to the bit;
// run_bench --dump writes the optimizer input of each material group in this form.
std::string JobText(const Job& job);
// False (and why) when the text is not a job.
bool ParseJobText(const std::string& text, Job* job, std::string* error);

// The standard set: cabinet jobs of 20 to 150 part types and random mixes.
std::vector<Job> StandardJobs(bool quick);

}  // namespace sawplan::bench
