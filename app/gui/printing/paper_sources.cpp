#include "gui/printing/paper_sources.h"

#include <cups/cups.h>

#include <QPrintEngine>
#include <QStringList>
#include <memory>

namespace tv::gui {
namespace {

// Qt's CUPS print engine takes extra job options under this key; it has kept the number since
// Qt 5 without making it public.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

struct DestFree {
  void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
struct InfoFree {
  void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};

}  // namespace

std::optional<std::vector<std::string>> OfferedPaperSources(const QString& printerName) {
  if (printerName.isEmpty()) return std::nullopt;
  // Qt names an instance of a queue "queue/instance"; CUPS takes the two apart.
  const QStringList parts = printerName.split(u'/');
  const QByteArray queue = parts.at(0).toLocal8Bit();
  const QByteArray instance = parts.size() > 1 ? parts.at(1).toLocal8Bit() : QByteArray();
  const std::unique_ptr<cups_dest_t, DestFree> dest(cupsGetNamedDest(
      CUPS_HTTP_DEFAULT, queue.constData(), instance.isEmpty() ? nullptr : instance.constData()));
  if (!dest) return std::nullopt;
  const std::unique_ptr<cups_dinfo_t, InfoFree> info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()));
  if (!info) return std::nullopt;
  std::vector<std::string> sources;
  ipp_attribute_t* offered =
      cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest.get(), info.get(), CUPS_MEDIA_SOURCE);
  for (int i = 0; offered != nullptr && i < ippGetCount(offered); ++i) {
    if (const char* name = ippGetString(offered, i, nullptr); name != nullptr) sources.emplace_back(name);
  }
  return sources;
}

BinTray TrayOfBin(const QPrinter& printer, int bin) {
  if (bin == printing::kDefaultBin) return BinTray::Offered;
  if (printer.outputFormat() != QPrinter::NativeFormat) return BinTray::Lacking;
  const auto offered = OfferedPaperSources(printer.printerName());
  if (!offered) return BinTray::Unknown;
  return printing::BinOffered(bin, *offered) ? BinTray::Offered : BinTray::Lacking;
}

void KeepOfferedBin(ProgramPrinter& current) {
  if (TrayOfBin(current.printer, current.paperBin) == BinTray::Lacking)
    current.paperBin = printing::kDefaultBin;
}

void SetJobPaperSource(QPrinter& printer, int bin) {
  QPrintEngine* engine = printer.printEngine();
  if (engine == nullptr || printer.outputFormat() != QPrinter::NativeFormat) return;
  std::vector<std::string> options = JobOptions(printer);
  QStringList updated;
  for (const auto& text : printing::JobOptionsWithBin(std::move(options), bin))
    updated.push_back(QString::fromStdString(text));
  engine->setProperty(kCupsOptions, updated);
}

std::vector<std::string> JobOptions(const QPrinter& printer) {
  std::vector<std::string> options;
  if (const QPrintEngine* engine = printer.printEngine(); engine != nullptr) {
    for (const QString& text : engine->property(kCupsOptions).toStringList())
      options.push_back(text.toStdString());
  }
  return options;
}

std::string DriverTray(const QPrinter& printer) {
  return printing::DriverTrayOfJob(JobOptions(printer));
}

}  // namespace tv::gui
