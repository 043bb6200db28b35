#include "bench_jobs.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <utility>

#include "testing/draw.h"

namespace sawplan::bench {

namespace {

using tv::test_support::Draw;

tVREXSettings NestingSettings() {
  tVREXSettings settings{};
  settings.max_runtime = 10;
  settings.max_num_iters = 700;
  settings.saw_kerf = 6.5;  // a quarter-inch router bit and its clearance
  settings.max_saw_cuttingwidth = 99999.9;
  settings.min_stockutilization = 0.7;
  return settings;
}

void AddSheets(Draw& draw, int32_t sheetSizes, Job* job) {
  // Full sheets less a 5 mm margin all round, as the nesting run offers them.
  static const double kSheets[][2] = {{2430, 1210}, {2790, 2060}, {3040, 1520}, {2490, 1240}};
  const int32_t first = draw.Uniform(0, 3);
  for (int32_t s = 0; s < sheetSizes; ++s) {
    const auto& sheet = kSheets[(first + s) % 4];
    job->panels.push_back({sheet[0], sheet[1], sheet[0], sheet[1], 0, 2, 999, 0});
  }
  if (draw.Chance(3, 10)) job->panels.push_back({1190, 790, 1190, 790, 1, 1, draw.Uniform(1, 3), 0});
}

void AddParts(const std::map<std::pair<int32_t, int32_t>, std::pair<int32_t, bool>>& parts, Job* job) {
  int32_t pid = 0;
  for (const auto& [size, use] : parts) {
    tVREXPartData part{};
    part.pid = ++pid;
    part.length = size.first;
    part.width = size.second;
    part.turnable = use.second ? 1 : 0;
    part.drill_length = part.length;
    part.drill_width = part.width;
    part.drill_length_turned = part.width;
    part.drill_width_turned = part.length;
    part.sequence = 1;
    part.num = std::min(use.first, 20);
    part.maxnumperpanel = part.num;
    job->parts.push_back(part);
  }
}

}  // namespace

Job CabinetJob(uint32_t seed, int32_t partTypes, int32_t sheetSizes) {
  Draw draw(seed);
  Job job;
  job.name =
      "cabinet-" + std::to_string(partTypes) + "x" + std::to_string(sheetSizes) + "-s" + std::to_string(seed);
  job.settings = NestingSettings();
  AddSheets(draw, sheetSizes, &job);

  // (length, width) -> (copies, may turn). Doors and drawer fronts keep their grain.
  std::map<std::pair<int32_t, int32_t>, std::pair<int32_t, bool>> parts;
  auto add = [&](int32_t length, int32_t width, int32_t copies, bool turnable) {
    const std::pair<int32_t, int32_t> size{length, width};
    if (parts.count(size) == 0 && static_cast<int32_t>(parts.size()) >= partTypes) return;
    auto& use = parts[size];
    use.first += copies;
    use.second = turnable;
  };
  constexpr int32_t t = 18;  // board thickness
  for (int guard = 0; static_cast<int32_t>(parts.size()) < partTypes && guard < 100000; ++guard) {
    const int32_t w = 250 + 50 * draw.Uniform(0, 19);
    auto doors = [&](int32_t height) {
      if (w > 600) {
        add(height - 4, w / 2 - 3, 2, false);
      } else {
        add(height - 4, w - 4, 1, false);
      }
    };
    switch (draw.Uniform(0, 3)) {
      case 0:  // base cabinet
        add(720, 560, 2, true);
        add(w - 2 * t, 560, 1, true);
        add(w - 2 * t, 100, 2, true);
        add(w - 2 * t - 1, 540, 1, true);
        add(w, 720, 1, true);
        doors(720);
        break;
      case 1: {  // wall cabinet
        const int32_t h = draw.Chance(5, 10) ? 720 : 900;
        add(h, 320, 2, true);
        add(w - 2 * t, 320, 2, true);
        add(w - 2 * t - 1, 300, draw.Uniform(1, 2), true);
        doors(h);
        break;
      }
      case 2:  // tall cabinet
        add(2100, 560, 2, true);
        add(w - 2 * t, 560, 2, true);
        add(w - 2 * t - 1, 540, 4, true);
        doors(2100);
        break;
      default:  // drawer base
        add(720, 560, 2, true);
        add(w - 2 * t, 560, 1, true);
        add(w - 4, 176, 4, false);
        add(500, 150, 8, true);
        add(w - 2 * t - 26, 150, 8, true);
        add(w - 2 * t - 26, 500, 4, true);
        break;
    }
  }
  AddParts(parts, &job);
  return job;
}

Job RandomMixJob(uint32_t seed, int32_t partTypes, int32_t sheetSizes) {
  Draw draw(seed);
  Job job;
  job.name =
      "mix-" + std::to_string(partTypes) + "x" + std::to_string(sheetSizes) + "-s" + std::to_string(seed);
  job.settings = NestingSettings();
  AddSheets(draw, sheetSizes, &job);
  std::map<std::pair<int32_t, int32_t>, std::pair<int32_t, bool>> parts;
  while (static_cast<int32_t>(parts.size()) < partTypes) {
    auto& use = parts[{draw.Uniform(50, 1600), draw.Uniform(40, 900)}];
    use.first += draw.Uniform(1, 20);
    use.second = draw.Chance(7, 10);
  }
  AddParts(parts, &job);
  return job;
}

namespace {

std::string Real(double value) {
  char text[40];
  std::snprintf(text, sizeof text, " %a", value);
  return text;
}

}  // namespace

std::string JobText(const Job& job) {
  const tVREXSettings& s = job.settings;
  std::string text = "settings " + std::to_string(s.max_runtime) + " " + std::to_string(s.max_num_iters) +
                     " " + std::to_string(s.minimize_number_of_layouts) + " " +
                     std::to_string(s.use_one_panel_if_possible) + Real(s.saw_kerf) +
                     Real(s.max_saw_cuttingwidth) + Real(s.min_stockutilization) + " " +
                     std::to_string(s.start_corner) + " " + std::to_string(s.small_parts_inside) + "\n";
  for (const tVREXPanelData& p : job.panels) {
    text += "panel" + Real(p.length) + Real(p.width) + Real(p.drilling_area_length) +
            Real(p.drilling_area_width) + " " + std::to_string(p.instock) + " " + std::to_string(p.sequence) +
            " " + std::to_string(p.num) + "\n";
  }
  for (const tVREXPartData& p : job.parts) {
    text += "part " + std::to_string(p.pid) + Real(p.length) + Real(p.width) + " " +
            std::to_string(p.turnable) + " " + std::to_string(p.drilling_required) + Real(p.drill_length) +
            Real(p.drill_width) + Real(p.drill_length_turned) + Real(p.drill_width_turned) + " " +
            std::to_string(p.sequence) + " " + std::to_string(p.maxnumperpanel) + " " +
            std::to_string(p.num) + "\n";
  }
  return text;
}

bool ParseJobText(const std::string& text, Job* job, std::string* error) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  bool settings = false;
  while (std::getline(lines, line)) {
    ++number;
    if (line.empty()) continue;
    // std::strtod reads the hexadecimal reals exactly; istream does not everywhere.
    std::istringstream words(line);
    std::string kind;
    words >> kind;
    std::vector<std::string> fields;
    for (std::string word; words >> word;) fields.push_back(word);
    auto real = [&](size_t i) { return std::strtod(fields[i].c_str(), nullptr); };
    auto integer = [&](size_t i) {
      return static_cast<int32_t>(std::strtol(fields[i].c_str(), nullptr, 10));
    };
    if (kind == "settings" && fields.size() == 9) {
      tVREXSettings& s = job->settings;
      s = {integer(0), integer(1), integer(2), integer(3), real(4), real(5), real(6), integer(7), integer(8)};
      settings = true;
    } else if (kind == "panel" && fields.size() == 7) {
      job->panels.push_back({real(0), real(1), real(2), real(3), integer(4), integer(5), integer(6), 0});
    } else if (kind == "part" && fields.size() == 12) {
      tVREXPartData p{};
      p.pid = integer(0);
      p.length = real(1);
      p.width = real(2);
      p.turnable = integer(3);
      p.drilling_required = integer(4);
      p.drill_length = real(5);
      p.drill_width = real(6);
      p.drill_length_turned = real(7);
      p.drill_width_turned = real(8);
      p.sequence = integer(9);
      p.maxnumperpanel = integer(10);
      p.num = integer(11);
      job->parts.push_back(p);
    } else {
      *error = "line " + std::to_string(number) + " is no job record: " + line;
      return false;
    }
  }
  if (!settings) *error = "no settings line";
  return settings;
}

std::vector<Job> StandardJobs(bool quick) {
  std::vector<Job> jobs;
  const int32_t cabinet[][3] = {{1, 20, 1},  {2, 40, 1},  {3, 60, 2},  {4, 80, 1},
                                {5, 100, 3}, {6, 120, 2}, {7, 150, 1}, {8, 150, 3}};
  const int32_t mixes[][3] = {{11, 20, 1}, {12, 60, 2}, {13, 100, 1}, {14, 150, 3}};
  for (const auto& c : cabinet) {
    if (quick && c[1] > 60) continue;
    jobs.push_back(CabinetJob(c[0], c[1], c[2]));
  }
  for (const auto& m : mixes) {
    if (quick && m[1] > 20) continue;
    jobs.push_back(RandomMixJob(m[0], m[1], m[2]));
  }
  return jobs;
}

}  // namespace sawplan::bench
