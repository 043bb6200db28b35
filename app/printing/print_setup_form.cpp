#include "printing/print_setup_form.h"

#include <algorithm>

namespace tv::printing {

bool PrintSetupForm::Form_Load() {
  printers_ = printer_.PrinterNames();
  if (printers_.empty()) {
    ui_.Tell(kNoPrinter, kCaption, core::MsgIcon::Information);
    return false;
  }
  orientations_ = OrientationChoices();
  sizes_ = PaperSizeChoices();
  bins_ = BinChoices();
  Apply(Setting::Orientation, 0);
  Apply(Setting::Size, 0);
  Apply(Setting::Bin, 0);
  const auto current = std::find(printers_.begin(), printers_.end(), printer_.CurrentDeviceName());
  cmbPrinters_Click(current == printers_.end() ? 0 : static_cast<int>(current - printers_.begin()));
  return true;
}

void PrintSetupForm::cmbPrinters_Click(int index) {
  if (index < 0 || index >= static_cast<int>(printers_.size())) return;
  printerIndex_ = index;
  const int binBefore = printer_.Facts().paperBin;
  printer_.SelectPrinter(printers_[static_cast<std::size_t>(index)]);
  // A printer without the bin's tray takes paper from its own: the bin list shows so.
  if (const int bin = printer_.Facts().paperBin; bin != binBefore) {
    for (std::size_t i = 0; i < bins_.size(); ++i) {
      if (BinOfChoice(bins_[i]) == bin) binIndex_ = static_cast<int>(i);
    }
  }
  Refresh();
}

void PrintSetupForm::cmbOrientation_Click(int index) {
  Apply(Setting::Orientation, index);
}

void PrintSetupForm::cmbSize_Click(int index) {
  Apply(Setting::Size, index);
}

void PrintSetupForm::cmbBins_Change(int index) {
  Apply(Setting::Bin, index);
}

void PrintSetupForm::Apply(Setting setting, int index) {
  const auto& list = setting == Setting::Orientation ? orientations_
                     : setting == Setting::Size      ? sizes_
                                                     : bins_;
  int& selected = setting == Setting::Orientation ? orientationIndex_
                  : setting == Setting::Size      ? sizeIndex_
                                                  : binIndex_;
  if (index < 0 || index >= static_cast<int>(list.size())) return;
  selected = index;
  const std::string& text = list[static_cast<std::size_t>(index)];
  std::string error;
  SetResult result = SetResult::Done;
  const char* refusal = "";
  switch (setting) {
    case Setting::Orientation:
      result = printer_.SetOrientation(OrientationOfChoice(text), error);
      refusal = "The paper orientation selected is not supported by the selected printer.";
      break;
    case Setting::Size:
      result = printer_.SetPaperSize(PaperSizeOfChoice(text), error);
      refusal = "The paper size selected is not supported by the selected printer.";
      break;
    case Setting::Bin:
      result = printer_.SetPaperBin(BinOfChoice(text), error);
      refusal = "The paper bin selected is not supported by the selected printer.";
      break;
  }
  if (result == SetResult::Unsupported) {
    ui_.Tell(refusal, "Printer Setup Error", core::MsgIcon::Question);
    // The list goes back to its first entry; picking it again is a choice of its own, but only
    // when it was not the entry refused (else the same refusal would repeat for ever).
    if (index != 0) {
      Apply(setting, 0);
      return;
    }
  } else if (result == SetResult::Failed) {
    ui_.Tell(error, "", core::MsgIcon::None);
  }
  Refresh();
}

void PrintSetupForm::Refresh() {
  summary_ = DescribePrinter(printer_.Facts());
}

}  // namespace tv::printing
