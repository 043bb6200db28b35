// The configuration-file dialog "LoadCfg": in load mode the operator picks a "*.cfg" file of the
// program folder, in save mode types the name to save the settings under. Hidden rather than
// destroyed when it closes, so the name box keeps its text between uses.
#pragma once

#include <QDialog>
#include <string>

#include "core/program.h"

class QLineEdit;
class QListWidget;

namespace tv::gui {

class LoadCfg : public QDialog {
  Q_OBJECT

 public:
  explicit LoadCfg(core::Program& program, QWidget* parent = nullptr);

  // The one dialog of the window parent, made on first use; shown modally.
  static LoadCfg* Of(core::Program& program, QWidget* parent);
  static void ShowModal(core::Program& program, QWidget* parent);

  void OKButton_Click();
  void CancelButton_Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  core::Program& program_;
  QLineEdit* fileTB_;
  QListWidget* file3_;
};

}  // namespace tv::gui
