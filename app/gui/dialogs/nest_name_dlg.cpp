#include "gui/dialogs/nest_name_dlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tv::gui {

NestNameDlg::NestNameDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("NestNameDlg"));
  setWindowTitle(QStringLiteral("Nest Name"));
  setModal(true);

  auto* label = new QLabel(QStringLiteral("Nest as:"), this);
  label->setObjectName(QStringLiteral("lblLabels"));
  nestName_ = new QLineEdit(this);
  nestName_->setObjectName(QStringLiteral("NestName"));
  nestName_->setMinimumWidth(220);
  label->setBuddy(nestName_);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  auto* clear = new QPushButton(QStringLiteral("Clear Nest Dir"), this);
  clear->setObjectName(QStringLiteral("BtnClr"));
  clear->setAutoDefault(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0);
  layout->addWidget(nestName_, 0, 1, 1, 2);
  layout->addWidget(clear, 1, 0, 1, 2, Qt::AlignLeft);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(clear, &QPushButton::clicked, this, [this] {
    if (clearNestDir_) clearNestDir_();
  });
}

std::string NestNameDlg::Ask(const std::string& proposedName, const std::function<void()>& clearNestDir) {
  clearNestDir_ = clearNestDir;
  nestName_->setText(QString::fromStdString(proposedName));
  nestName_->selectAll();
  const bool chosen = exec() == QDialog::Accepted;
  clearNestDir_ = nullptr;
  return chosen ? nestName_->text().toStdString() : std::string();
}

void NestNameDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  nestName_->setFocus(Qt::OtherFocusReason);
  nestName_->selectAll();
}

}  // namespace tv::gui
