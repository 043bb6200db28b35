// The companion program reads the hand-over file line by line; the markers and the "^" are its
// own, the program only writes them.
#include "nesting/handover.h"

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
  ui.ActivateWindowByTitle(kCompanionWindowTitle);
  // One atomic replacement: the companion never sees a half-written or missing list.
  const std::string path = nestFolder + kHandOverFileName;
  std::string error;
  if (files::WriteFileAtomic(path, sheetsText + partsText, &error)) return true;
  ui.Tell("Hand-over file not written:\r\n" + path + "\r\n" + error, "Alert!", core::MsgIcon::Critical);
  return false;
}

}  // namespace tv::nesting
