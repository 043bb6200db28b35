#include "gui/dialogs/frm_options.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/canvas/drawing_painter.h"

namespace tv::gui {
namespace {

std::optional<std::int32_t> PlatformColorDialog(std::int32_t initial, QWidget* parent) {
  const QColor chosen = QColorDialog::getColor(canvas::ColorOf(initial), parent, QStringLiteral("Color"));
  if (!chosen.isValid()) return std::nullopt;
  return (chosen.blue() << 16) | (chosen.green() << 8) | chosen.red();
}

QComboBox* ZoomBox(const char* name, const std::string& text, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& choice : viewer::ZoomPercentChoices()) box->addItem(QString::fromStdString(choice));
  box->setEditText(QString::fromStdString(text));
  return box;
}

}  // namespace

FrmOptions::FrmOptions(core::Program& program, QWidget* parent, ColorChooser chooseColor)
    : QDialog(parent),
      program_(program),
      chooseColor_(chooseColor ? std::move(chooseColor) : ColorChooser(PlatformColorDialog)),
      form_(viewer::frmOptions_Load(program)) {
  setObjectName(QStringLiteral("frmOptions"));
  setWindowTitle(QStringLiteral("Options"));
  setModal(true);

  cboZoomPercentLeft_ = ZoomBox("cboZoomPercentLeft", form_.ZoomPercentLeft, this);
  cboZoomPercentRight_ = ZoomBox("cboZoomPercentRight", form_.ZoomPercentRight, this);
  picColor_ = new QFrame(this);
  picColor_->setObjectName(QStringLiteral("picColor"));
  picColor_->setFrameShape(QFrame::Box);
  picColor_->setAutoFillBackground(true);
  picColor_->setMinimumSize(48, 24);
  auto* cmdColor = new QPushButton(QStringLiteral("Background Color"), this);
  cmdColor->setObjectName(QStringLiteral("cmdColor"));
  chkPrintBlack_ = new QCheckBox(QStringLiteral("Print Using Black and White"), this);
  chkPrintBlack_->setObjectName(QStringLiteral("chkPrintBlack"));
  chkPrintBlack_->setChecked(form_.PrintBlack != 0);
  chkDisplayBlack_ = new QCheckBox(QStringLiteral("Display Using Black and White"), this);
  chkDisplayBlack_->setObjectName(QStringLiteral("chkDisplayBlack"));
  chkDisplayBlack_->setChecked(form_.DisplayBlack != 0);
  auto* cmdOK = new QPushButton(QStringLiteral("&OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  ShowColor();

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("On the Spot Zoom Percentage (left button - zoom in)"), this), 0,
                  0);
  grid->addWidget(cboZoomPercentLeft_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("On the Spot Zoom Percentage (right button - zoom out)"), this),
                  1, 0);
  grid->addWidget(cboZoomPercentRight_, 1, 1);
  auto* color = new QHBoxLayout;
  color->addWidget(picColor_);
  color->addWidget(cmdColor);
  color->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(color);
  layout->addWidget(chkPrintBlack_);
  layout->addWidget(chkDisplayBlack_);
  layout->addLayout(buttons);

  // clicked: only the user's clicks count as a change, not the values set on opening.
  connect(chkPrintBlack_, &QCheckBox::clicked, this, [this] { viewer::chkPrintBlack_Click(form_); });
  connect(chkDisplayBlack_, &QCheckBox::clicked, this, [this] { viewer::chkDisplayBlack_Click(form_); });
  connect(cmdColor, &QPushButton::clicked, this, &FrmOptions::cmdColor_Click);
  connect(cmdOK, &QPushButton::clicked, this, &FrmOptions::cmdOK_Click);
}

void FrmOptions::ShowColor() {
  QPalette palette = picColor_->palette();
  palette.setColor(QPalette::Window, canvas::ColorOf(form_.PicColor));
  picColor_->setPalette(palette);
}

void FrmOptions::cmdColor_Click() {
  const std::optional<std::int32_t> chosen = chooseColor_(form_.PicColor, this);
  if (!chosen) return;
  viewer::cmdColor_Click(program_, form_, chosen);
  ShowColor();
}

void FrmOptions::cmdOK_Click() {
  form_.ZoomPercentLeft = cboZoomPercentLeft_->currentText().toStdString();
  form_.ZoomPercentRight = cboZoomPercentRight_->currentText().toStdString();
  form_.PrintBlack = chkPrintBlack_->isChecked() ? 1 : 0;
  form_.DisplayBlack = chkDisplayBlack_->isChecked() ? 1 : 0;
  if (!viewer::cmdOK_Click(program_, form_)) return;
  accept();
}

}  // namespace tv::gui
