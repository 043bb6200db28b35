// The viewer options dialog "Options": the two spot-zoom percentages, the background colour
// and the two black-and-white flags of the working drawing's view. Its logic lives in
// viewer/options_dialog.h; this window only shows the controls and hands their values over.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/program.h"
#include "viewer/options_dialog.h"

class QCheckBox;
class QComboBox;
class QFrame;

namespace tv::gui {

class FrmOptions : public QDialog {
  Q_OBJECT

 public:
  // Asks for a colour starting at the given one (&HBBGGRR); nothing when cancelled.
  using ColorChooser = std::function<std::optional<std::int32_t>(std::int32_t initial, QWidget* parent)>;

  // Loads the controls from the drawing's view options. chooseColor defaults to the
  // platform's colour dialog.
  explicit FrmOptions(core::Program& program, QWidget* parent = nullptr, ColorChooser chooseColor = {});

  const viewer::OptionsForm& Form() const { return form_; }

 private:
  void cmdColor_Click();
  void cmdOK_Click();
  void ShowColor();

  core::Program& program_;
  ColorChooser chooseColor_;
  viewer::OptionsForm form_;
  QComboBox* cboZoomPercentLeft_ = nullptr;
  QComboBox* cboZoomPercentRight_ = nullptr;
  QFrame* picColor_ = nullptr;
  QCheckBox* chkPrintBlack_ = nullptr;
  QCheckBox* chkDisplayBlack_ = nullptr;
};

}  // namespace tv::gui
