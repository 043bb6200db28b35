#include "gui/dialogs/frm_search.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tv::gui {

FrmSearch::FrmSearch(core::Program& program, QWidget* parent)
    : QDialog(parent), program_(program), txtSearch_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("frmSearch"));
  setWindowTitle(QStringLiteral("Search Worklist"));
  setModal(true);
  auto* lblLabels = new QLabel(QStringLiteral("Find:"), this);
  auto* cmdNext = new QPushButton(QStringLiteral("Next"), this);
  auto* cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
  lblLabels->setObjectName(QStringLiteral("lblLabels"));
  txtSearch_->setObjectName(QStringLiteral("txtSearch"));
  cmdNext->setObjectName(QStringLiteral("cmdNext"));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdNext->setDefault(true);
  lblLabels->setBuddy(txtSearch_);
  txtSearch_->setMinimumWidth(220);

  auto* layout = new QGridLayout(this);
  layout->addWidget(lblLabels, 0, 0);
  layout->addWidget(txtSearch_, 0, 1);
  layout->addWidget(cmdNext, 0, 2);
  layout->addWidget(cmdCancel, 1, 2);
  layout->setColumnStretch(1, 1);

  connect(txtSearch_, &QLineEdit::textEdited, this,
          [this](const QString& text) { search_.SetText(text.toStdString()); });
  connect(cmdNext, &QPushButton::clicked, this, &FrmSearch::cmdNext_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &FrmSearch::cmdCancel_Click);
}

FrmSearch* FrmSearch::Of(core::Program& program, QWidget* parent) {
  if (auto* existing =
          parent->findChild<FrmSearch*>(QStringLiteral("frmSearch"), Qt::FindDirectChildrenOnly)) {
    return existing;
  }
  return new FrmSearch(program, parent);
}

void FrmSearch::ShowModal(core::Program& program, QWidget* parent) {
  Of(program, parent)->exec();
}

void FrmSearch::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Each time it comes up the search starts again, with an empty box.
  search_.Activate();
  txtSearch_->clear();
  txtSearch_->setFocus(Qt::OtherFocusReason);
}

void FrmSearch::cmdNext_Click() {
  search_.Next(program_);
}

void FrmSearch::cmdCancel_Click() {
  search_.Cancel(program_);
  QDialog::reject();
}

void FrmSearch::reject() {
  // Closed by its frame or Escape: as Cancel, so no mark is left behind.
  cmdCancel_Click();
}

}  // namespace tv::gui
