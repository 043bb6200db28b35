// The nest-name dialog ("Nest Name"): asks the name a run's sheet files are called after, and
// can empty the nest folder meanwhile ("Clear Nest Dir").
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLineEdit;

namespace tv::gui {

class NestNameDlg : public QDialog {
  Q_OBJECT

 public:
  explicit NestNameDlg(QWidget* parent = nullptr);

  // Shows the dialog modally with proposedName selected in its box; clearNestDir runs on each
  // "Clear Nest Dir". The box's text after OK, unchanged (blanks kept); "" after Cancel or when
  // the dialog is closed any other way.
  std::string Ask(const std::string& proposedName, const std::function<void()>& clearNestDir);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* nestName_;
  std::function<void()> clearNestDir_;
};

}  // namespace tv::gui
