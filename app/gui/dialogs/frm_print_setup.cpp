#include "gui/dialogs/frm_print_setup.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/printing/paper_sources.h"

namespace tv::gui {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

void Fill(QComboBox* box, const std::vector<std::string>& items) {
  box->clear();
  for (const auto& item : items) box->addItem(Q(item));
}

}  // namespace

std::vector<std::string> QtPrinterAccess::PrinterNames() {
  std::vector<std::string> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(name.toStdString());
  return names;
}

std::string QtPrinterAccess::CurrentDeviceName() {
  return current_.printer.printerName().toStdString();
}

void QtPrinterAccess::SelectPrinter(const std::string& deviceName) {
  current_.printer.setPrinterName(Q(deviceName));
  KeepOfferedBin(current_);
}

printing::SetResult QtPrinterAccess::SetOrientation(int code, std::string&) {
  return current_.printer.setPageOrientation(PageOrientationOfCode(code)) ? printing::SetResult::Done
                                                                          : printing::SetResult::Unsupported;
}

printing::SetResult QtPrinterAccess::SetPaperSize(int code, std::string&) {
  const QPageSize size = PageSizeOfCode(code);
  if (!size.isValid()) return printing::SetResult::Unsupported;
  const QPrinterInfo info(current_.printer);
  if (!info.isNull() && !info.supportsCustomPageSizes()) {
    bool offered = false;
    for (const QPageSize& supported : info.supportedPageSizes())
      offered = offered || CodeOfPageSize(supported) == code;
    if (!offered) return printing::SetResult::Unsupported;
  }
  return current_.printer.setPageSize(size) ? printing::SetResult::Done : printing::SetResult::Unsupported;
}

printing::SetResult QtPrinterAccess::SetPaperBin(int code, std::string&) {
  if (TrayOfBin(current_.printer, code) != BinTray::Offered) return printing::SetResult::Unsupported;
  current_.paperBin = code;
  return printing::SetResult::Done;
}

printing::PrinterFacts QtPrinterAccess::Facts() {
  return FactsOf(current_);
}

FrmPrintSetup::FrmPrintSetup(core::Ui& ui, printing::PrinterAccess& printer, QWidget* parent)
    : QDialog(parent), form_(ui, printer) {
  setObjectName(QStringLiteral("frmPrintSetup"));
  setWindowTitle(QString::fromUtf8(printing::PrintSetupForm::kCaption));
  auto make = [this](const char* name) {
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromUtf8(name));
    return box;
  };
  cmbPrinters_ = make("cmbPrinters");
  cmbOrientation_ = make("cmbOrientation");
  cmbSize_ = make("cmbSize");
  cmbBins_ = make("cmbBins");
  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* cmdOK = new QPushButton(QStringLiteral("&OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);

  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("Printer:"), cmbPrinters_);
  fields->addRow(QStringLiteral("Orientation:"), cmbOrientation_);
  fields->addRow(QStringLiteral("Paper size:"), cmbSize_);
  fields->addRow(QStringLiteral("Paper bin:"), cmbBins_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(label1_);
  layout->addWidget(cmdOK, 0, Qt::AlignRight);

  // Only the operator's picks reach the form; showing its state changes the lists too.
  auto pick = [this](QComboBox* box, void (printing::PrintSetupForm::*choose)(int)) {
    connect(box, &QComboBox::activated, this, [this, choose](int index) {
      (form_.*choose)(index);
      ShowForm();
    });
  };
  pick(cmbPrinters_, &printing::PrintSetupForm::cmbPrinters_Click);
  pick(cmbOrientation_, &printing::PrintSetupForm::cmbOrientation_Click);
  pick(cmbSize_, &printing::PrintSetupForm::cmbSize_Click);
  pick(cmbBins_, &printing::PrintSetupForm::cmbBins_Change);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

bool FrmPrintSetup::Load() {
  if (!form_.Form_Load()) return false;
  Fill(cmbPrinters_, form_.Printers());
  Fill(cmbOrientation_, form_.Orientations());
  Fill(cmbSize_, form_.Sizes());
  Fill(cmbBins_, form_.Bins());
  ShowForm();
  return true;
}

void FrmPrintSetup::ShowForm() {
  cmbPrinters_->setCurrentIndex(form_.PrinterIndex());
  cmbOrientation_->setCurrentIndex(form_.OrientationIndex());
  cmbSize_->setCurrentIndex(form_.SizeIndex());
  cmbBins_->setCurrentIndex(form_.BinIndex());
  QString summary = Q(form_.Summary());
  summary.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  label1_->setText(summary.trimmed());
}

void ShowPrinterSetup(core::Ui& ui, printing::PrinterAccess& printer, QWidget* parent) {
  FrmPrintSetup dialog(ui, printer, parent);
  if (dialog.Load()) dialog.exec();
}

}  // namespace tv::gui
