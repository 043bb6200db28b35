// Nesting-run benchmark: a headless "Process" over the sample kitchen job and over generated
// jobs of 500, 1,000 and 2,000 parts in three materials, with the optimizer created as the
// program creates it. Each run is a child process of its own, so its peak memory is its own.
// Prints per job the median total time, the time inside Optimize, its share, the peak memory,
// the time of each material group and a hash of everything the run wrote. With --compare the
// runs alternate between two optimizer builds (two registry stores) in one session, each build
// going first in every other pair, so both see the same machine load, and the table shows both
// side by side.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "../optimizer/bench_jobs.h"
#include "core/program.h"
#include "core/ui_port.h"
#include "files/files.h"
#include "nesting/material_group.h"
#include "nesting/run_driver.h"
#include "stock/stock_window.h"
#include "testing/generated_job.h"
#include "testing/silent_ui.h"
#include "testing/temp_folder.h"
#include "worklist/input_window.h"
#include "worklist/row_builder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// No person at the keyboard: every question is answered Yes, plain messages go to stderr.
class SilentUi : public tv::test_support::SilentUi {
 public:
  tv::core::MsgResult Message(const std::string& text, const std::string& title, tv::core::MsgIcon,
                              tv::core::MsgButtons buttons) override {
    if (buttons == tv::core::MsgButtons::Ok)
      std::fprintf(stderr, "  message: %s: %s\n", title.c_str(), text.c_str());
    return buttons == tv::core::MsgButtons::Ok ? tv::core::MsgResult::Ok : tv::core::MsgResult::Yes;
  }
  double TimeOfDay() override { return 36000; }
  std::string AskNestName(const std::string& proposedName, const std::function<void()>&) override {
    return proposedName;
  }
};

// Forwards to the real optimizer and times each Optimize call: one call per material group.
class TimedVrex final : public sawplan::IVrex {
 public:
  TimedVrex(tv::nesting::VrexRef inner, std::vector<std::pair<int, double>>* groups, std::string dumpPrefix)
      : inner_(std::move(inner)), groups_(groups), dumpPrefix_(std::move(dumpPrefix)) {}
  sawplan::HResult QueryInterface(const sawplan::Guid& iid, void** object) override {
    if (iid == sawplan::kIidIVrex || iid == sawplan::kIidIUnknown) {
      *object = this;
      AddRef();
      return sawplan::kOk;
    }
    return inner_->QueryInterface(iid, object);
  }
  uint32_t AddRef() override { return ++references_; }
  uint32_t Release() override {
    const uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
  }
  sawplan::HResult Initialize(int32_t a, int32_t b, int32_t c) override {
    parts_ = 0;
    input_ = {};
    return inner_->Initialize(a, b, c);
  }
  sawplan::HResult PutSettings(const sawplan::tVREXSettings* s) override {
    input_.settings = *s;
    return inner_->PutSettings(s);
  }
  sawplan::HResult PutPanel(const sawplan::tVREXPanelData* p) override {
    input_.panels.push_back(*p);
    return inner_->PutPanel(p);
  }
  sawplan::HResult PutPart(const sawplan::tVREXPartData* p) override {
    parts_ += p->num;
    input_.parts.push_back(*p);
    return inner_->PutPart(p);
  }
  sawplan::HResult Optimize(int32_t useCallback) override {
    if (!dumpPrefix_.empty()) {
      tv::files::WriteFileAtomic(dumpPrefix_ + "-group" + std::to_string(groups_->size() + 1) + ".txt",
                                 sawplan::bench::JobText(input_));
    }
    const auto start = Clock::now();
    const sawplan::HResult result = inner_->Optimize(useCallback);
    groups_->push_back({parts_, std::chrono::duration<double>(Clock::now() - start).count()});
    return result;
  }
  sawplan::HResult InterruptRun() override { return inner_->InterruptRun(); }
  sawplan::HResult GetProgress(sawplan::tVREXProgress* p) override { return inner_->GetProgress(p); }
  sawplan::HResult GetNumLayouts(int32_t* n) override { return inner_->GetNumLayouts(n); }
  sawplan::HResult GetLayout(int32_t k, sawplan::tVREXLayoutData* l) override {
    return inner_->GetLayout(k, l);
  }
  sawplan::HResult GetPlacedPart(int32_t k, int32_t p, sawplan::tVREXPlacedPartData* d) override {
    return inner_->GetPlacedPart(k, p, d);
  }
  sawplan::HResult ReleaseData() override { return inner_->ReleaseData(); }

 private:
  ~TimedVrex() = default;
  tv::nesting::VrexRef inner_;
  std::vector<std::pair<int, double>>* groups_;
  std::string dumpPrefix_;
  sawplan::bench::Job input_;
  int parts_ = 0;
  uint32_t references_ = 1;
};

constexpr int kMaxGroups = 8;

// What one run reports to the parent process (plain data, written through a pipe).
struct Result {
  double total = 0;
  double optimize = 0;
  int sheets = 0;
  int parts = 0;
  int groups = 0;
  int groupParts[kMaxGroups] = {};
  double groupSeconds[kMaxGroups] = {};
  uint64_t outputs = 0;  // hash of the files written, the time line of each sheet left out
  long peakKb = 0;       // filled in by the parent
};

uint64_t Mix(uint64_t hash, const std::string& text) {
  for (const unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

// Jobs: "sample", or the number of generated parts ("generated" is the 500-part job).
int GeneratedParts(const std::string& job) {
  if (job == "generated") return 500;
  return job == "sample" ? 0 : std::atoi(job.c_str());
}

Result RunOnce(const std::string& job, const fs::path& root, const std::string& registry,
               const std::string& dumpFolder) {
  fs::remove_all(root);
  fs::copy(fs::path(TAVOLIN_SOURCE_DIR) / "samples", root, fs::copy_options::recursive);
  const int generated = GeneratedParts(job);
  if (generated > 0) tv::test_support::GenerateCabinetJob(root / "Generated", generated);

  SilentUi ui;
  tv::core::Program program(ui);
  program.AppDir = root.string() + "/";
  program.IniPath = program.AppDir + "TAVO.INI";
  program.RegistryFolder = registry;
  program.PrinterFonts = [] {
    return std::optional<std::vector<std::string>>(std::vector<std::string>{"Arial"});
  };
  tv::worklist::InputWindow_Load(program);
  tv::stock::ShtStk_Load(program);
  // The sample stock holds enough sheets for the 500-part job; the larger jobs get enough of
  // every full sheet for all their parts.
  if (generated > 500) {
    for (long r = 1; r <= program.SSList.MaxRows(); ++r) {
      if (program.SSList.CellText(r, 3) == "0" && !program.SSList.CellText(r, 2).empty())
        program.SSList.SetCellText(r, 5, "500");
    }
  }
  tv::worklist::SPath_Change(program, program.AppDir + (generated > 0 ? "Generated/" : "Parts/"));
  program.Input.SourceList.Selected.assign(program.Input.SourceList.Items.size(), true);
  tv::worklist::AddFile_Click(program);

  Result result;
  for (long r = 1; r <= program.PList.MaxRows(); ++r) {
    result.parts += static_cast<int>(std::atof(program.PList.CellText(r, tv::core::kColQty).c_str()));
  }
  std::vector<std::pair<int, double>> groups;
  const tv::nesting::VrexFactory registered = tv::nesting::RegisteredVrexFactory(program.RegistryFolder);
  const tv::nesting::VrexFactory timed = [&](std::string& reason) {
    tv::nesting::VrexRef inner = registered(reason);
    if (!inner) return inner;
    return tv::nesting::VrexRef(
        new TimedVrex(std::move(inner), &groups, dumpFolder.empty() ? "" : dumpFolder + "/" + job));
  };
  const auto start = Clock::now();
  tv::nesting::Proc_Click(program, timed);
  result.total = std::chrono::duration<double>(Clock::now() - start).count();
  result.sheets = static_cast<int>(program.NestFiles.size());
  for (const auto& [parts, seconds] : groups) {
    result.optimize += seconds;
    if (result.groups < kMaxGroups) {
      result.groupParts[result.groups] = parts;
      result.groupSeconds[result.groups] = seconds;
      ++result.groups;
    }
  }

  static const std::regex kTime("  -  [0-9]{2}:[0-9]{2}:[0-9]{2}  -  [0-9]{4}-[0-9]{2}-[0-9]{2}  -  ");
  std::vector<fs::path> written;
  for (const char* folder : {"Nests", "CSV"}) {
    if (!fs::exists(root / folder)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
      if (entry.is_regular_file()) written.push_back(entry.path());
    }
  }
  std::sort(written.begin(), written.end());
  result.outputs = 14695981039346656037ull;
  for (const fs::path& path : written) {
    result.outputs = Mix(result.outputs, fs::relative(path, root).generic_string());
    const std::string text = tv::files::ReadFile(path.string()).value_or("");
    std::string normalized = std::regex_replace(text, kTime, "  -  <time>  -  ");
    // The program folder is a fresh temporary one in every session.
    for (size_t at = normalized.find(root.string()); at != std::string::npos;
         at = normalized.find(root.string(), at)) {
      normalized.replace(at, root.string().size(), "<root>");
    }
    result.outputs = Mix(result.outputs, normalized);
  }
  for (long r = 0; r <= program.MPL.MaxRows(); ++r) {
    for (long c = 1; c <= program.MPL.MaxCols(); ++c)
      result.outputs = Mix(result.outputs, program.MPL.CellText(r, c));
  }
  return result;
}

// Runs one job in a child process and measures the child's peak resident memory.
Result RunChild(const std::string& job, const fs::path& root, const std::string& registry,
                const std::string& dumpFolder) {
  int channel[2];
  if (pipe(channel) != 0) std::exit(1);
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    const Result result = RunOnce(job, root, registry, dumpFolder);
    const bool written = write(channel[1], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
    _exit(written ? 0 : 1);
  }
  close(channel[1]);
  Result result;
  const bool read = ::read(channel[0], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
  close(channel[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "the run of %s failed\n", job.c_str());
    std::exit(1);
  }
  result.peakKb = usage.ru_maxrss;
  return result;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

struct Series {
  std::vector<Result> runs;
  double Total() const {
    return Pick([](const Result& r) { return r.total; });
  }
  double Optimize() const {
    return Pick([](const Result& r) { return r.optimize; });
  }
  double PeakMb() const {
    return Pick([](const Result& r) { return r.peakKb / 1024.0; });
  }
  double Group(int g) const {
    return Pick([g](const Result& r) { return r.groupSeconds[g]; });
  }
  template <class F>
  double Pick(F field) const {
    std::vector<double> values;
    for (const Result& r : runs) values.push_back(field(r));
    return Median(values);
  }
  bool SameOutputs() const {
    for (const Result& r : runs) {
      if (r.outputs != runs.front().outputs || r.sheets != runs.front().sheets) return false;
    }
    return true;
  }
};

void PrintRow(const char* build, const std::string& job, const Series& series) {
  const Result& last = series.runs.back();
  std::printf("%-6s %-9s %6d %6d %9.3f %9.3f %6.1f%% %8.1f  %016llx%s ", build, job.c_str(), last.parts,
              last.sheets, series.Total(), series.Optimize(),
              series.Total() > 0 ? series.Optimize() / series.Total() * 100 : 0, series.PeakMb(),
              static_cast<unsigned long long>(last.outputs), series.SameOutputs() ? "" : " (varies!)");
  for (int g = 0; g < last.groups; ++g) std::printf(" %dp:%.3f", last.groupParts[g], series.Group(g));
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  int repeat = 5;
  std::vector<std::string> jobs;
  std::string registry = TAVOLIN_BUILD_REGISTRY;
  std::string compare;
  std::string dump;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--repeat" && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--job" && i + 1 < argc) {
      jobs.push_back(argv[++i]);
    } else if (arg == "--registry" && i + 1 < argc) {
      registry = argv[++i];
    } else if (arg == "--dump" && i + 1 < argc) {
      dump = fs::absolute(argv[++i]).string();
    } else if (arg == "--compare" && i + 1 < argc) {
      compare = argv[++i];
    } else {
      std::fprintf(stderr,
                   "usage: run_bench [--repeat N] [--job sample|500|1000|2000]... [--registry DIR]\n"
                   "                 [--compare BASELINE_REGISTRY_DIR]\n"
                   "  --registry  the registry store whose optimizer is measured (default: the build's)\n"
                   "  --compare   also measure the optimizer registered in this store (before),\n"
                   "              alternating run by run with the measured one (after)\n"
                   "  --dump      write each material group's optimizer input to DIR/<job>-group<k>.txt\n"
                   "              (optimizer_bench --input runs it on the engine alone)\n");
      return 2;
    }
  }
  if (jobs.empty()) jobs = {"sample", "500", "1000", "2000"};
  const tv::test_support::TempFolder temp;
  const fs::path root = fs::path(temp.Path()).parent_path();
  std::printf("%-6s %-9s %6s %6s %9s %9s %7s %8s  %-16s  %s\n", "build", "job", "parts", "sheets", "total s",
              "optim s", "share", "peak MB", "outputs", "per group: parts:optimize s");
  for (const std::string& job : jobs) {
    Series after;
    Series before;
    for (int r = 0; r < repeat; ++r) {
      // On long jobs the second run of a pair is the slower one whichever build it is, so the
      // builds take turns going first.
      const bool beforeFirst = r % 2 == 0;
      if (!compare.empty() && beforeFirst) before.runs.push_back(RunChild(job, root, compare, ""));
      after.runs.push_back(RunChild(job, root, registry, r == 0 ? dump : ""));
      if (!compare.empty() && !beforeFirst) before.runs.push_back(RunChild(job, root, compare, ""));
    }
    if (!compare.empty()) PrintRow("before", job, before);
    PrintRow(compare.empty() ? "" : "after", job, after);
    if (!compare.empty()) {
      std::printf("%-6s %-9s total x%.2f, optimize x%.2f, outputs %s\n", "", job.c_str(),
                  before.Total() / after.Total(), before.Optimize() / after.Optimize(),
                  before.runs.back().outputs == after.runs.back().outputs ? "identical" : "DIFFER");
    }
    std::fflush(stdout);
  }
  return 0;
}
