// The companion program reads the hand-over file line by line; the markers and the "^" are its
// own, the program only writes them.
#include "nesting/handover.h"

#include <filesystem>
#include <system_error>

#include "files/files.h"
#include "text/number_text.h"
#include "worklist/work_list.h"

namespace tv::nesting {

std::string HandOverHead() {
  return "!HBDOff\r\n";
}

std::string HandOverSheetLine(const std::string& sheetPath) {
  return sheetPath + "\r\n";
}

std::string HandOverPartsText(const grid::Grid& workList) {
  std::string text = "!CNCOff\r\n!HBDOn\r\n";
  for (long r = 1; r <= workList.MaxRows(); ++r) {
    if (text::Val(workList.CellText(r, worklist::kColQty)) == 0) continue;
    text += workList.CellText(r, worklist::kColPath) + workList.CellText(r, worklist::kColFileName) + "^\r\n";
  }
  return text;
}

bool WriteHandOver(core::Ui& ui, const std::string& nestFolder, const std::string& sheetsText,
                   const std::string& partsText) {
  return WriteHandOver(ui, nestFolder, sheetsText, partsText, files::WriteFileAtomic);
}

bool WriteHandOver(core::Ui& ui, const std::string& nestFolder, const std::string& sheetsText,
                   const std::string& partsText, const FileWriter& write) {
  const std::string path = files::ResolveForWriting(nestFolder + kHandOverFileName);
  // The old list goes before the new one is written: should that fail, the companion must not
  // find the last run's sheets and take them for this run's. A folder in the way is not ours.
  std::error_code ec;
  if (!std::filesystem::is_directory(path, ec)) std::filesystem::remove(path, ec);
  std::string error;
  if (!write(path, sheetsText + partsText, &error)) {
    ui.Tell("Hand-over file not written:\r\n" + path + "\r\n" + error, "Alert!", core::MsgIcon::Critical);
    return false;
  }
  // Raised only now, so that it reads this run's list.
  ui.ActivateWindowByTitle(kCompanionWindowTitle);
  return true;
}

}  // namespace tv::nesting
