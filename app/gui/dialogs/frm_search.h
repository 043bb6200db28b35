// The search dialog "Search Worklist": each "Next" finds the next work-list cell holding the
// text and marks it yellow; "Cancel" takes the mark away. The dialog is hidden rather than
// destroyed when it closes, so it keeps where the search stands for the next time.
#pragma once

#include <QDialog>

#include "core/program.h"
#include "worklist/search.h"

class QLineEdit;

namespace tv::gui {

class FrmSearch : public QDialog {
  Q_OBJECT

 public:
  explicit FrmSearch(core::Program& program, QWidget* parent = nullptr);

  // The one search dialog of the window parent, made on first use; shown modally.
  static FrmSearch* Of(core::Program& program, QWidget* parent);
  static void ShowModal(core::Program& program, QWidget* parent);

  const worklist::WorkListSearch& Search() const { return search_; }

  void cmdNext_Click();
  void cmdCancel_Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  core::Program& program_;
  worklist::WorkListSearch search_;
  QLineEdit* txtSearch_;
};

}  // namespace tv::gui
