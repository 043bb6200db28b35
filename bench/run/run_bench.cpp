// Nesting-run benchmark: a headless "Process" over the sample kitchen job and over a generated
// job of 500 parts in three materials, with the optimizer created as the program creates it.
// Prints per job the median total time, the median time inside Optimize and its share.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/program.h"
#include "core/ui_port.h"
#include "files/files.h"
#include "nesting/material_group.h"
#include "nesting/run_driver.h"
#include "stock/stock_window.h"
#include "testing/cat.h"
#include "testing/generated_job.h"
#include "testing/temp_folder.h"
#include "worklist/input_window.h"
#include "worklist/row_builder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using tv::test_support::Cat;

// No person at the keyboard: every question is answered Yes, messages are counted.
class SilentUi : public tv::core::Ui {
 public:
  int messages = 0;
  tv::core::MsgResult Message(const std::string& text, const std::string& title, tv::core::MsgIcon,
                              tv::core::MsgButtons buttons) override {
    ++messages;
    if (buttons == tv::core::MsgButtons::Ok)
      std::fprintf(stderr, "  message: %s: %s\n", title.c_str(), text.c_str());
    return buttons == tv::core::MsgButtons::Ok ? tv::core::MsgResult::Ok : tv::core::MsgResult::Yes;
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&,
                                          const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseFileToOpen(const FileChoice&) override { return std::nullopt; }
  std::optional<std::string> ChooseFileToSave(const FileChoice&) override { return std::nullopt; }
  double TimeOfDay() override { return 36000; }
  void WaitWithoutEvents(double) override {}
  void CloseSplash() override {}
  void SetStatus(const std::string&, const std::string&) override {}
  void SetPointer(tv::core::Pointer) override {}
  void ProcessEvents() override {}
  void RaiseMainWindow() override {}
  void ActivateWindowByTitle(const std::string&) override {}
  void OpenUrl(const std::string&) override {}
};

// Forwards to the real optimizer and adds up the time spent in Optimize.
class TimedVrex final : public sawplan::IVrex {
 public:
  TimedVrex(tv::nesting::VrexRef inner, double* optimizeSeconds)
      : inner_(std::move(inner)), seconds_(optimizeSeconds) {}
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
    return inner_->Initialize(a, b, c);
  }
  sawplan::HResult PutSettings(const sawplan::tVREXSettings* s) override { return inner_->PutSettings(s); }
  sawplan::HResult PutPanel(const sawplan::tVREXPanelData* p) override { return inner_->PutPanel(p); }
  sawplan::HResult PutPart(const sawplan::tVREXPartData* p) override { return inner_->PutPart(p); }
  sawplan::HResult Optimize(int32_t useCallback) override {
    const auto start = Clock::now();
    const sawplan::HResult result = inner_->Optimize(useCallback);
    *seconds_ += std::chrono::duration<double>(Clock::now() - start).count();
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
  double* seconds_;
  uint32_t references_ = 1;
};

struct Result {
  double total = 0;
  double optimize = 0;
  std::size_t sheets = 0;
  int parts = 0;
};

Result RunOnce(const std::string& job, const fs::path& root) {
  fs::remove_all(root);
  fs::copy(fs::path(TAVOLIN_SOURCE_DIR) / "samples", root, fs::copy_options::recursive);
  if (job == "generated") tv::test_support::GenerateCabinetJob(root / "Generated", 500);

  SilentUi ui;
  tv::core::Program program(ui);
  program.AppDir = root.string() + "/";
  program.IniPath = program.AppDir + "TAVO.INI";
  program.RegistryFolder = TAVOLIN_BUILD_REGISTRY;
  program.PrinterFonts = [] {
    return std::optional<std::vector<std::string>>(std::vector<std::string>{"Arial"});
  };
  tv::worklist::InputWindow_Load(program);
  tv::stock::ShtStk_Load(program);
  tv::worklist::SPath_Change(program, program.AppDir + (job == "generated" ? "Generated/" : "Parts/"));
  program.Input.SourceList.Selected.assign(program.Input.SourceList.Items.size(), true);
  tv::worklist::AddFile_Click(program);

  Result result;
  for (long r = 1; r <= program.PList.MaxRows(); ++r) {
    result.parts += static_cast<int>(std::atof(program.PList.CellText(r, tv::core::kColQty).c_str()));
  }
  const tv::nesting::VrexFactory registered = tv::nesting::RegisteredVrexFactory(program.RegistryFolder);
  const tv::nesting::VrexFactory timed = [&](std::string& reason) {
    tv::nesting::VrexRef inner = registered(reason);
    if (!inner) return inner;
    return tv::nesting::VrexRef(new TimedVrex(std::move(inner), &result.optimize));
  };
  const auto start = Clock::now();
  tv::nesting::Proc_Click(program, timed);
  result.total = std::chrono::duration<double>(Clock::now() - start).count();
  result.sheets = program.NestFiles.size();
  return result;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int repeat = 5;
  std::vector<std::string> jobs = {"sample", "generated"};
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) repeat = std::max(1, std::atoi(argv[++i]));
    if (std::strcmp(argv[i], "--job") == 0 && i + 1 < argc) jobs = {argv[++i]};
  }
  const tv::test_support::TempFolder temp;
  const fs::path root = fs::path(temp.Path()).parent_path();
  std::printf("%-10s %6s %7s %10s %10s %7s\n", "job", "parts", "sheets", "total s", "optimize s", "share");
  for (const std::string& job : jobs) {
    std::vector<double> totals;
    std::vector<double> optimizes;
    Result last;
    for (int r = 0; r < repeat; ++r) {
      last = RunOnce(job, root);
      totals.push_back(last.total);
      optimizes.push_back(last.optimize);
    }
    const double total = Median(totals);
    const double optimize = Median(optimizes);
    std::printf("%-10s %6d %7zu %10.3f %10.3f %6.1f%%\n", job.c_str(), last.parts, last.sheets, total,
                optimize, total > 0 ? optimize / total * 100 : 0);
  }
  return 0;
}
