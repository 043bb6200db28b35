// The viewer options dialog "Options" without its widgets: what its controls show when it
// opens, the background colour chosen in it, and OK, which applies the options to the working
// drawing's view, shows the spot-zoom percentages in the status bar and stores them in the INI
// file's [Options] section.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/program.h"

namespace tv::viewer {

// The percentages both spot-zoom boxes offer; any other number may be typed.
const std::vector<std::string>& ZoomPercentChoices();

// What the dialog's controls hold.
struct OptionsForm {
  std::string ZoomPercentLeft;   // cboZoomPercentLeft: zooming in with the left button
  std::string ZoomPercentRight;  // cboZoomPercentRight: zooming out with the right button
  std::int32_t PicColor = 0;     // picColor: the background colour shown (&HBBGGRR)
  int PrintBlack = 0;            // chkPrintBlack: 1 ticked, 0 not
  int DisplayBlack = 0;          // chkDisplayBlack
  // A check box was clicked since the dialog opened: OK has the viewer show the drawing anew
  // (Change::Drawing). A new colour alone was shown when it was chosen.
  bool Changed = false;
};

// The controls as the dialog opens: the drawing's current view options.
OptionsForm frmOptions_Load(const core::Program& program);

// A click on either check box (after the box has taken its new value).
void chkDisplayBlack_Click(OptionsForm& form);
void chkPrintBlack_Click(OptionsForm& form);

// The colour dialog's answer: a chosen colour shows in the picture box and becomes the
// drawing's background at once, the viewer showing it (OK stores it); nothing when the dialog
// was cancelled.
void cmdColor_Click(core::Program& program, OptionsForm& form, std::optional<std::int32_t> chosen);

// OK: the options go to the drawing and the INI file. False, with a message, when a spot-zoom
// box holds no number above 0: nothing is applied and the dialog stays open.
bool cmdOK_Click(core::Program& program, OptionsForm& form);

}  // namespace tv::viewer
