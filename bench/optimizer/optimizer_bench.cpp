// Optimizer benchmark: per job the constructions per second, how each panel-type search ended
// (5000 constructions, max_num_iters without improvement, or the clock) and the longest search,
// the sheets used against the area lower bound, and the time; medians over --repeat runs.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench_jobs.h"
#include "files/file_ops.h"
#include "optimizer.h"

namespace {

using sawplan::Optimizer;
using sawplan::PanelSearchReport;
using sawplan::SearchEnd;
using sawplan::bench::Job;

struct Outcome {
  double seconds = 0;
  int64_t constructions = 0;
  int32_t searches[4] = {0, 0, 0, 0};  // by SearchEnd
  double longestSearch = 0;
  int32_t layouts = 0;
  int64_t sheets = 0;
  int64_t placed = 0;
  uint64_t fingerprint = 14695981039346656037ull;
};

void Mix(uint64_t* hash, const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) {
    *hash ^= bytes[i];
    *hash *= 1099511628211ull;
  }
}

Outcome RunJob(const Job& job) {
  Optimizer optimizer;
  Outcome outcome;
  optimizer.panelSearchObserver = [&](const PanelSearchReport& report) {
    outcome.constructions += report.constructions;
    ++outcome.searches[static_cast<int>(report.end)];
    outcome.longestSearch = std::max(outcome.longestSearch, report.seconds);
  };
  const auto start = std::chrono::steady_clock::now();
  optimizer.Initialize(static_cast<int32_t>(job.panels.size()), static_cast<int32_t>(job.parts.size()), 0);
  optimizer.PutSettings(job.settings);
  for (const auto& panel : job.panels) optimizer.PutPanel(panel);
  for (const auto& part : job.parts) optimizer.PutPart(part);
  optimizer.Optimize(0);
  outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  outcome.layouts = optimizer.GetNumLayouts();
  for (int32_t k = 0; k < outcome.layouts; ++k) {
    sawplan::tVREXLayoutData layout{};
    optimizer.GetLayout(k, &layout);
    outcome.sheets += layout.numused;
    outcome.placed += static_cast<int64_t>(layout.numused) * layout.numplacedparts;
    Mix(&outcome.fingerprint, &layout, sizeof layout);
    for (int32_t p = 0; p < layout.numplacedparts; ++p) {
      sawplan::tVREXPlacedPartData placed{};
      optimizer.GetPlacedPart(k, p, &placed);
      Mix(&outcome.fingerprint, &placed, sizeof placed);
    }
  }
  optimizer.ReleaseData();
  return outcome;
}

// Sheets of the largest size that the parts' area needs at least.
int64_t AreaLowerBound(const Job& job) {
  double partArea = 0;
  for (const auto& part : job.parts) partArea += part.num * part.length * part.width;
  double sheetArea = 0;
  for (const auto& panel : job.panels) sheetArea = std::max(sheetArea, panel.length * panel.width);
  return static_cast<int64_t>(std::ceil(partArea / sheetArea));
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

}  // namespace

int main(int argc, char** argv) {
  bool quick = false;
  int repeat = 1;
  std::string only;
  std::vector<Job> inputs;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0) {
      quick = true;
    } else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--input") == 0 && i + 1 < argc) {
      // A job written by run_bench --dump.
      Job job;
      std::string error;
      const std::optional<std::string> text = tv::files::ReadFile(argv[++i]);
      if (!text || !sawplan::bench::ParseJobText(*text, &job, &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[i], text ? error.c_str() : "cannot read");
        return 2;
      }
      job.name = std::filesystem::path(argv[i]).stem().string();
      inputs.push_back(job);
    } else if (std::strcmp(argv[i], "--job") == 0 && i + 1 < argc) {
      only = argv[++i];
    } else {
      std::fprintf(stderr, "usage: optimizer_bench [--quick] [--repeat N] [--job NAME] [--input FILE]...\n");
      return 2;
    }
  }

  std::printf("%-22s %5s %6s %7s %6s %6s %9s %6s %6s %6s %8s %9s %10s %18s\n", "job", "types", "copies",
              "layouts", "sheets", "bound", "construct", "n5000", "nIter", "clock", "longest", "seconds",
              "constr/s", "fingerprint");
  double totalSeconds = 0;
  int32_t totalClock = 0;
  const std::vector<Job> jobs = inputs.empty() ? sawplan::bench::StandardJobs(quick) : inputs;
  for (const Job& job : jobs) {
    if (!only.empty() && job.name != only) continue;
    int64_t copies = 0;
    for (const auto& part : job.parts) copies += part.num;
    std::vector<double> seconds;
    Outcome outcome;
    for (int r = 0; r < repeat; ++r) {
      outcome = RunJob(job);
      seconds.push_back(outcome.seconds);
    }
    const double median = Median(seconds);
    totalSeconds += median;
    totalClock += outcome.searches[static_cast<int>(SearchEnd::Clock)];
    std::printf("%-22s %5zu %6lld %7d %6lld %6lld %9lld %6d %6d %6d %8.3f %9.3f %10.0f   %016llx\n",
                job.name.c_str(), job.parts.size(), static_cast<long long>(copies), outcome.layouts,
                static_cast<long long>(outcome.sheets), static_cast<long long>(AreaLowerBound(job)),
                static_cast<long long>(outcome.constructions),
                outcome.searches[static_cast<int>(SearchEnd::Constructions)],
                outcome.searches[static_cast<int>(SearchEnd::NoImprovement)],
                outcome.searches[static_cast<int>(SearchEnd::Clock)], outcome.longestSearch, median,
                median > 0 ? outcome.constructions / median : 0.0,
                static_cast<unsigned long long>(outcome.fingerprint));
    std::fflush(stdout);
  }
  std::printf("total %.3f s (medians), searches ended by the clock: %d\n", totalSeconds, totalClock);
  return 0;
}
