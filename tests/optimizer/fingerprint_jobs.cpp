#include "fingerprint_jobs.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "testing/draw.h"
#include "testing/fnv1a.h"

namespace sawplan::fixture {

namespace {

using tv::test_support::Draw;

void AddTag(std::string* tags, const char* tag) {
  if (tags->find(tag) != std::string::npos) return;
  if (!tags->empty()) *tags += ' ';
  *tags += tag;
}

double Extent(const tVREXPartData& part, bool alongLength, bool turned) {
  return alongLength != turned ? part.length : part.width;
}

// Whether two drilled parts of one sequence can form a pair block: a common side in some
// orientation of each (the size limit of the panel is left out; the tag may only say more).
bool CanPair(const tVREXPartData& a, const tVREXPartData& b) {
  for (int oa = 0; oa <= (a.turnable == 1 ? 1 : 0); ++oa) {
    for (int ob = 0; ob <= (b.turnable == 1 ? 1 : 0); ++ob) {
      for (const bool axis : {true, false}) {
        if (std::fabs(Extent(a, axis, oa == 1) - Extent(b, axis, ob == 1)) <= 0.0001) return true;
      }
    }
  }
  return false;
}

}  // namespace

FingerprintJob MakeFingerprintJob(int32_t number) {
  FingerprintJob job;
  job.number = number;
  Draw draw(7919u * static_cast<uint32_t>(number) + 17u);
  Instance& instance = job.instance;
  tVREXSettings& settings = instance.settings;
  settings = NestingSettings();
  settings.max_num_iters = draw.Uniform(20, 90);
  if (draw.Chance(1, 40)) settings.max_num_iters = 0;

  // Settings.
  static const double kKerfs[] = {0, 0, 0.5, 3.2, 4, 6.5};
  settings.saw_kerf = kKerfs[draw.Uniform(0, 5)];
  if (settings.saw_kerf > 0) AddTag(&job.tags, "kerf");
  settings.start_corner = draw.Uniform(0, 3);
  if (draw.Chance(3, 10)) {
    settings.small_parts_inside = 1;
    AddTag(&job.tags, "small-inside");
  }
  if (draw.Chance(3, 10)) {
    settings.minimize_number_of_layouts = 1;
    AddTag(&job.tags, "min-layouts");
  }
  if (draw.Chance(2, 10)) {
    settings.use_one_panel_if_possible = 1;
    AddTag(&job.tags, "one-panel");
  }

  // Panels: one to four sheet sizes in up to three sequences, sometimes an offcut first.
  static const double kSheets[][2] = {{2440, 1220}, {2800, 2070}, {3050, 1530}, {1830, 915}, {2500, 1250}};
  const int32_t sheetTypes = draw.Uniform(1, 4);
  const bool panelSequences = draw.Chance(3, 10);
  for (int32_t s = 0; s < sheetTypes; ++s) {
    const auto& sheet = kSheets[draw.Uniform(0, 4)];
    const int32_t sequence = panelSequences ? draw.Uniform(1, 3) : 2;
    instance.panels.push_back(Panel(sheet[0], sheet[1], draw.Uniform(1, 25), sequence));
  }
  if (sheetTypes > 1) AddTag(&job.tags, "panel-types");
  if (panelSequences) AddTag(&job.tags, "panel-sequence");
  if (draw.Chance(1, 4)) {
    static const double kUtilizations[] = {0.5, 30, 60, 80};
    settings.min_stockutilization = kUtilizations[draw.Uniform(0, 3)];
    const int32_t offcuts = draw.Uniform(1, 2);
    for (int32_t o = 0; o < offcuts; ++o) {
      instance.panels.push_back(
          Panel(draw.Uniform(600, 1600), draw.Uniform(300, 900), draw.Uniform(1, 3), 1, draw.Uniform(1, 3)));
    }
    AddTag(&job.tags, "offcut");
  }

  // Strip cuts: the saw cuts narrower than some panels; rarely a negative saw width.
  if (draw.Chance(1, 6)) {
    settings.max_saw_cuttingwidth = draw.Uniform(500, 1100);
    if (draw.Chance(1, 8)) settings.max_saw_cuttingwidth = -draw.Uniform(1, 200);
    AddTag(&job.tags, "strip");
  }

  // Drilling: a drilling area smaller than the panel, some parts that need drilling.
  const bool drilling = draw.Chance(3, 10);
  if (drilling) {
    for (tVREXPanelData& panel : instance.panels) {
      panel.drilling_area_length = std::floor(panel.length * draw.Uniform(50, 100) / 100.0);
      panel.drilling_area_width = std::floor(panel.width * draw.Uniform(50, 100) / 100.0);
    }
    AddTag(&job.tags, "drilling");
  }

  // Parts: cabinet sizes, some small ones, a few sizes shared so that pairs form.
  const int32_t partTypes = draw.Uniform(2, 24);
  const bool grain = draw.Chance(2, 10);
  const bool partSequences = draw.Chance(1, 4);
  const bool fractions = draw.Chance(1, 8);
  for (int32_t p = 0; p < partTypes; ++p) {
    double length = 0;
    double width = 0;
    if (settings.small_parts_inside != 0 && draw.Chance(1, 3)) {
      length = draw.Uniform(40, 220);
      width = draw.Uniform(30, 150);
    } else {
      length = draw.Uniform(60, 2400) + 0.5 * draw.Uniform(0, 1);
      width = draw.Uniform(40, 900);
    }
    if (fractions) length += 0.125 * draw.Uniform(0, 7);
    // A side shared with an earlier part: pairs stacked or side by side.
    if (p > 0 && draw.Chance(3, 10)) {
      const tVREXPartData& other = instance.parts[draw.Uniform(0, p - 1)];
      switch (draw.Uniform(0, 3)) {
        case 0:
          length = other.length;
          break;
        case 1:
          width = other.width;
          break;
        case 2:
          length = other.width;
          break;
        default:
          width = std::min(other.length, 1500.0);
          break;
      }
    }
    int32_t turnable = grain ? 0 : draw.Uniform(0, 1);
    if (draw.Chance(1, 30)) turnable = draw.Chance(1, 2) ? -1 : 2;
    const int32_t sequence = partSequences ? draw.Uniform(1, 3) : 1;
    tVREXPartData part = Part(p + 1, length, width, draw.Uniform(1, 14), turnable, sequence);
    if (draw.Chance(1, 6)) part.maxnumperpanel = draw.Uniform(1, part.num);
    if (drilling && draw.Chance(1, 2)) {
      part.drilling_required = 1;
      part.drill_length = std::floor(length * draw.Uniform(20, 100) / 100.0);
      part.drill_width = std::floor(width * draw.Uniform(20, 100) / 100.0);
      part.drill_length_turned = std::floor(width * draw.Uniform(20, 100) / 100.0);
      part.drill_width_turned = std::floor(length * draw.Uniform(20, 100) / 100.0);
    }
    instance.parts.push_back(part);
  }
  if (grain) AddTag(&job.tags, "grain");
  if (partSequences) AddTag(&job.tags, "part-sequence");
  if (fractions) AddTag(&job.tags, "fractions");

  // Pairs are only made of parts of one sequence and one drilling flag.
  for (size_t i = 0; i < instance.parts.size(); ++i) {
    for (size_t j = i + 1; j < instance.parts.size(); ++j) {
      const tVREXPartData& a = instance.parts[i];
      const tVREXPartData& b = instance.parts[j];
      if (a.sequence != b.sequence || a.drilling_required != b.drilling_required || !CanPair(a, b)) continue;
      AddTag(&job.tags, a.drilling_required == 1 ? "drilled-pair" : "pair");
    }
  }
  if (job.tags.empty()) job.tags = "plain";
  return job;
}

uint64_t LayoutFingerprint(const RunResult& result) {
  std::string text = Fingerprint(result);
  const tVREXProgress& progress = result.progress;
  text += "P " + std::to_string(progress.numpanelsused) + " " + std::to_string(progress.numlayouts) + " " +
          std::to_string(progress.numpanelstogo) + " " + std::to_string(progress.numpartstogo) + "\n";
  return tv::test_support::Fnv1a(text);
}

std::string FingerprintFixturePath() {
  return std::string(TAVOLIN_SOURCE_DIR) + "/tests/optimizer/fixtures/layout_fingerprints.txt";
}

bool ReadFrozenFingerprints(const std::string& path, std::vector<FrozenFingerprint>* frozen,
                            std::string* error) {
  std::ifstream in(path);
  if (!in) {
    *error = "cannot open " + path;
    return false;
  }
  frozen->clear();
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    FrozenFingerprint entry;
    std::string hash;
    if (!(fields >> entry.number >> hash) || hash.size() != 16) {
      *error = path + ":" + std::to_string(lineNumber) + ": not \"<number> <16 hex digits> <tags>\"";
      return false;
    }
    entry.hash = std::stoull(hash, nullptr, 16);
    std::getline(fields >> std::ws, entry.tags);
    frozen->push_back(entry);
  }
  return true;
}

std::string FormatFrozenFingerprint(const FrozenFingerprint& line) {
  char text[64];
  std::snprintf(text, sizeof text, "%d %016" PRIx64 " ", line.number, line.hash);
  return text + line.tags;
}

}  // namespace sawplan::fixture
