#include "viewer/options_dialog.h"

#include <cmath>

#include "support/ini.h"
#include "text/number_text.h"
#include "viewer/viewer_procedures.h"

namespace tv::viewer {
namespace {

// A spot-zoom percentage typed in a box: its leading number, when that is above 0.
std::optional<float> ZoomPercentOf(const std::string& typed) {
  const auto percent = static_cast<float>(text::Val(typed));
  if (!(percent > 0) || !std::isfinite(percent)) return std::nullopt;
  return percent;
}

}  // namespace

const std::vector<std::string>& ZoomPercentChoices() {
  static const std::vector<std::string> choices = {"25", "50", "75", "100", "125", "150", "200"};
  return choices;
}

OptionsForm frmOptions_Load(const core::Program& program) {
  const drawing::Drawing& dxf = program.DXF1;
  OptionsForm form;
  form.Changed = false;
  form.ZoomPercentLeft = text::CStrSingle(dxf.SpotZoomLeft());
  form.ZoomPercentRight = text::CStrSingle(dxf.SpotZoomRight());
  form.PicColor = dxf.BackColor();
  form.PrintBlack = dxf.PrintBlackWhite() ? 1 : 0;
  form.DisplayBlack = dxf.DisplayBlackWhite() ? 1 : 0;
  return form;
}

void chkDisplayBlack_Click(OptionsForm& form) {
  form.Changed = true;
}

void chkPrintBlack_Click(OptionsForm& form) {
  form.Changed = true;
}

void cmdColor_Click(core::Program& program, OptionsForm& form, std::optional<std::int32_t> chosen) {
  if (!chosen) return;
  form.PicColor = *chosen & 0xFFFFFF;
  program.DXF1.SetBackColor(form.PicColor);
  program.Notify(core::Change::Drawing);
}

bool cmdOK_Click(core::Program& program, OptionsForm& form) {
  const std::optional<float> left = ZoomPercentOf(form.ZoomPercentLeft);
  const std::optional<float> right = ZoomPercentOf(form.ZoomPercentRight);
  if (!left || !right) {
    program.ui().Tell("The spot zoom percentage must be a number greater than 0.", "Alert!",
                      core::MsgIcon::Warning);
    return false;
  }
  drawing::Drawing& dxf = program.DXF1;
  dxf.SetSpotZoomLeft(*left);
  dxf.SetSpotZoomRight(*right);
  ShowSpotZoomStatus(program);
  dxf.SetPrintBlackWhite(form.PrintBlack != 0);
  dxf.SetDisplayBlackWhite(form.DisplayBlack != 0);
  // A new colour alone was shown when it was chosen.
  if (form.Changed) program.Notify(core::Change::Drawing);
  bool stored = support::WriteIni(program, "Options", "DisplayBlack", text::Str(form.DisplayBlack));
  stored = support::WriteIni(program, "Options", "PrintBlack", text::Str(form.PrintBlack)) && stored;
  stored = support::WriteIni(program, "Options", "BackColor", text::Str(dxf.BackColor())) && stored;
  stored = support::WriteIni(program, "Options", "ZoomLeft", form.ZoomPercentLeft) && stored;
  stored = support::WriteIni(program, "Options", "ZoomRight", form.ZoomPercentRight) && stored;
  if (!stored) {
    program.ui().Tell(
        "The options could not be stored in " + program.IniPath + ". They apply until the program ends.",
        "Alert!", core::MsgIcon::Warning);
  }
  return true;
}

}  // namespace tv::viewer
