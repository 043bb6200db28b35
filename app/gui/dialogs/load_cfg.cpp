#include "gui/dialogs/load_cfg.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <optional>

#include "settings/config_commands.h"

namespace tv::gui {

LoadCfg::LoadCfg(core::Program& program, QWidget* parent)
    : QDialog(parent), program_(program), fileTB_(new QLineEdit(this)), file3_(new QListWidget(this)) {
  setObjectName(QStringLiteral("LoadCfg"));
  setModal(true);
  auto* okButton = new QPushButton(QStringLiteral("OK"), this);
  auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  fileTB_->setObjectName(QStringLiteral("FileTB"));
  file3_->setObjectName(QStringLiteral("File3"));
  okButton->setObjectName(QStringLiteral("OKButton"));
  cancelButton->setObjectName(QStringLiteral("CancelButton"));
  okButton->setDefault(true);

  auto* layout = new QGridLayout(this);
  layout->addWidget(fileTB_, 0, 0);
  layout->addWidget(okButton, 0, 1);
  layout->addWidget(file3_, 1, 0, 2, 1);
  layout->addWidget(cancelButton, 1, 1);
  layout->setRowStretch(2, 1);
  resize(360, 260);

  connect(file3_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { fileTB_->setText(item->text()); });
  connect(file3_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    fileTB_->setText(item->text());
    OKButton_Click();
  });
  connect(okButton, &QPushButton::clicked, this, &LoadCfg::OKButton_Click);
  connect(cancelButton, &QPushButton::clicked, this, &LoadCfg::CancelButton_Click);
}

LoadCfg* LoadCfg::Of(core::Program& program, QWidget* parent) {
  if (auto* existing = parent->findChild<LoadCfg*>(QStringLiteral("LoadCfg"), Qt::FindDirectChildrenOnly)) {
    return existing;
  }
  return new LoadCfg(program, parent);
}

void LoadCfg::ShowModal(core::Program& program, QWidget* parent) {
  Of(program, parent)->exec();
}

void LoadCfg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  const settings::LoadCfgView view = settings::LoadCfg_Activate(program_, fileTB_->text().toStdString());
  setWindowTitle(QString::fromStdString(view.caption));
  fileTB_->setText(QString::fromStdString(view.nameBox));
  if (view.selectName) fileTB_->selectAll();
  file3_->clear();
  for (const std::string& file : view.files) file3_->addItem(QString::fromStdString(file));
  fileTB_->setFocus(Qt::OtherFocusReason);
}

void LoadCfg::OKButton_Click() {
  std::string nameBox = fileTB_->text().toStdString();
  std::optional<std::string> selected;
  if (QListWidgetItem* item = file3_->currentItem(); item != nullptr && item->isSelected()) {
    selected = item->text().toStdString();
  }
  const bool closes = settings::LoadCfg_OK(program_, nameBox, selected);
  fileTB_->setText(QString::fromStdString(nameBox));
  if (closes) QDialog::accept();
}

void LoadCfg::CancelButton_Click() {
  settings::LoadCfg_Cancel(program_);
  QDialog::reject();
}

void LoadCfg::reject() {
  CancelButton_Click();
}

}  // namespace tv::gui
