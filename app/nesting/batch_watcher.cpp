// Every step of a tick ignores its own failures and the tick goes on: a request that cannot be
// read gives an empty or partial batch, and a failed delete leaves it for the next tick.
#include "nesting/batch_watcher.h"

#include <exception>

#include "files/files.h"
#include "nesting/flag_scope.h"
#include "nesting/run_driver.h"
#include "settings/setting_lookup.h"
#include "support/file_lists.h"
#include "support/paths.h"
#include "text/ascii_text.h"
#include "text/file_text.h"
#include "worklist/row_builder.h"
#include "worklist/work_list.h"

namespace tv::nesting {
namespace {

void RefreshWhenChanged(core::FileListState& list) {
  if (list.Path.empty()) return;
  const int count = files::FCount(support::AddBackslash(list.Path) + list.Pattern);
  if (static_cast<int>(list.Items.size()) != count) support::RefreshFileList(list);
}

}  // namespace

std::string BatchRequestName(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  const std::string_view reference = line.substr(0, line.find(','));
  const auto first = reference.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  std::string name = support::GetFileName(std::string(reference));
  if (name.find_first_not_of(' ') == std::string::npos) return {};
  if (reference.size() < 4 || text::UpperAscii(reference.substr(reference.size() - 4)) != ".DXF")
    name += ".dxf";
  return name;
}

void BLT_Timer(core::Program& program) {
  BLT_Timer(program, RegisteredVrexFactory(program.RegistryFolder));
}

void BLT_Timer(core::Program& program, const VrexFactory& createVrex) {
  // Switched off while the source-folder dialog is open: the folder text follows the dialog's
  // selection then, and a request in a folder the user merely passes over is not theirs to run.
  if (!program.Input.BatchWatcherOn) return;
  try {
    RefreshWhenChanged(program.Input.SourceList);
  } catch (const std::exception&) {
  }
  try {
    RefreshWhenChanged(program.Input.NestList);
  } catch (const std::exception&) {
  }

  program.RespondToBatch = settings::GetSettingValue(program, "Respond to Batch") == "YES";
  if (!program.RespondToBatch) return;
  // A request is taken only between runs: the run yields to the window system, and a second
  // pickup would clear the work list it is nesting.
  if (program.RunInProgress || program.BatchPickupInProgress) return;
  const std::string sourceFolder = program.Input.SourceFolderText;
  const std::string request = support::AddBackslash(sourceFolder) + kBatchRequestName;
  if (!files::Exist(request)) return;

  const FlagScope pickup(program.BatchPickupInProgress);
  core::Ui& ui = program.ui();
  try {
    ui.RaiseMainWindow();
    ui.ProcessEvents();

    program.BadBatch = false;
    program.MetricUnits = false;
    worklist::ClearWorkList(program);
    worklist::AddToProc(program, worklist::kStartMarker);
    ui.SetStatus("Progress", "*** Loading Parts...*** ");

    const std::string text = text::DecodeFileText(files::ReadFile(request).value_or(std::string())).text;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      const std::string name = BatchRequestName(std::string_view(text).substr(start, end - start));
      start = end + 1;
      if (name.empty() || !files::Exist(sourceFolder + name)) continue;
      worklist::AddToProc(program, name);
    }
    worklist::AddToProc(program, worklist::kFinishMarker);

    if (program.Input.ProcEnabled) Proc_Click(program, createVrex);
  } catch (const std::exception&) {
  }
  files::KillFile(request);
}

}  // namespace tv::nesting
