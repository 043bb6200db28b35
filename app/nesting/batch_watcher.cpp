// The request comes from another program through a shared folder: it is taken only when it is a
// regular file that has stopped changing, and deleted only when it is still the file that ran.
// Loading steps ignore their own failures: a drawing that cannot be loaded is skipped.
#include "nesting/batch_watcher.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>

#include "files/files.h"
#include "nesting/flag_scope.h"
#include "nesting/run_driver.h"
#include "settings/setting_lookup.h"
#include "support/folder_list.h"
#include "support/paths.h"
#include "text/ascii_text.h"
#include "text/file_text.h"
#include "text/lines.h"
#include "worklist/row_builder.h"
#include "worklist/work_list.h"

namespace tv::nesting {
namespace {

bool RefreshWhenChanged(core::FileListState& list) {
  if (list.Path.empty()) return false;
  const int count = files::FCount(support::AddBackslash(list.Path) + list.Pattern);
  if (static_cast<int>(list.Items.size()) == count) return false;
  support::RefreshFileList(list);
  return true;
}

// The request file in the source folder, as it is named on disk. Without a source folder there is
// no request: the bare name would be a file of the working folder or of the file system's root.
std::optional<std::string> FindRequest(const std::string& sourceFolder) {
  if (sourceFolder.empty()) return std::nullopt;
  return files::FindExisting(support::AddBackslash(sourceFolder) + kBatchRequestName);
}

// A drawing the request names is loaded only when it is a regular file directly in the folder
// (a pipe under a drawing's name would block its reader).
bool IsDrawingThere(const std::string& folder, const std::string& name) {
  const std::optional<std::string> entry = files::FindEntryName(folder, name);
  return entry && files::RegularFileStamp(folder + *entry);
}

// After the run: the request goes only when it is still the file that was run; one the other
// program replaced or extended meanwhile is its next job and waits for the next tick. A request
// that cannot be deleted is reported once and not run again until it changes.
void FinishRequest(core::Program& program, const std::string& request, const files::RegularFileBytes& taken,
                   const FileRemover& removeRequest) {
  core::BatchWatcherState& state = program.BatchWatcher;
  const std::optional<files::RegularFileBytes> now = files::ReadRegularFile(request);
  if (!now) {
    state = {};
    return;
  }
  if (now->Stamp != taken.Stamp || now->Bytes != taken.Bytes) {
    state.Seen = now->Stamp;
    return;
  }
  std::string reason;
  if (removeRequest(request, reason)) {
    state = {};
    return;
  }
  state.Undeletable = now->Stamp;
  program.ui().Tell("Batch request could not be deleted:\r\n" + request + "\r\n" + reason +
                        "\r\nIt is not run again until it changes.",
                    "Alert!", core::MsgIcon::Information);
}

// Gone is as good as deleted: the other program may have taken it back meanwhile.
bool RemoveFile(const std::string& path, std::string& reason) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (!ec) return true;
  reason = ec.message();
  return false;
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
  BLT_Timer(program, createVrex, RemoveFile);
}

void BLT_Timer(core::Program& program, const VrexFactory& createVrex, const FileRemover& removeRequest) {
  // Switched off while the source-folder dialog is open: the folder text follows the dialog's
  // selection then, and a request in a folder the user merely passes over is not theirs to run.
  if (!program.Input.BatchWatcherOn) return;
  if (RefreshWhenChanged(program.Input.SourceList)) program.Notify(core::Change::SourceList);
  if (RefreshWhenChanged(program.Input.NestList)) program.Notify(core::Change::NestList);

  program.RespondToBatch = settings::GetSettingValue(program, "Respond to Batch") == "YES";
  if (!program.RespondToBatch) return;
  // A request is taken only between runs: the run yields to the window system, and a second
  // pickup would clear the work list it is nesting.
  if (program.RunInProgress || program.BatchPickupInProgress) return;

  core::BatchWatcherState& state = program.BatchWatcher;
  const std::optional<std::string> request = FindRequest(program.Input.SourceFolderText);
  const std::optional<files::FileStamp> stamp = request ? files::RegularFileStamp(*request) : std::nullopt;
  if (!stamp) {
    state = {};
    return;
  }
  if (state.Undeletable) {
    if (*stamp == *state.Undeletable) return;
    state.Undeletable.reset();
  }
  // The other program may still be writing it: taken when a tick finds it as the last one did.
  if (state.Seen != stamp) {
    state.Seen = stamp;
    return;
  }
  const std::optional<files::RegularFileBytes> taken = files::ReadRegularFile(*request);
  if (!taken || taken->Stamp != *stamp) {
    state.Seen = taken ? std::optional(taken->Stamp) : std::nullopt;
    return;
  }
  const std::string folder = support::GetFolderName(*request);

  {
    const FlagScope pickup(program.BatchPickupInProgress);
    core::Ui& ui = program.ui();
    try {
      ui.RaiseMainWindow();
      ui.ProcessEvents();

      program.BadBatch = false;
      program.MetricUnits = false;
      worklist::ClearWorkList(program);
      worklist::AddToProc(program, worklist::kStartMarker);
      ui.SetStatus(core::StatusPanel::Progress, "*** Loading Parts...*** ");

      const std::string text = text::DecodeFileText(taken->Bytes).text;
      // A line ends at CR LF, LF or a lone CR, whichever program wrote the request.
      for (const std::string_view line : text::SplitLines(text)) {
        const std::string name = BatchRequestName(line);
        if (name.empty() || !IsDrawingThere(folder, name)) continue;
        worklist::AddToProc(program, name);
      }
      worklist::AddToProc(program, worklist::kFinishMarker);

      if (program.Input.ProcEnabled) Proc_Click(program, createVrex);
    } catch (const std::exception& error) {
      // Nobody watches an unattended pickup: what stopped it must still be seen.
      ui.Tell("Batch request not run:\r\n" + *request + "\r\n" + error.what(), "Alert!",
              core::MsgIcon::Critical);
    }
  }
  FinishRequest(program, *request, *taken, removeRequest);
}

}  // namespace tv::nesting
