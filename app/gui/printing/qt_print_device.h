// The print device of the window program: drawing pages painted by the canvas painter and the
// grid's own pages, on the program's printer (or the PDF file it was set to).
#pragma once

#include <QPainter>
#include <memory>

#include "gui/canvas/drawing_painter.h"
#include "gui/printing/printer_settings.h"
#include "printing/print_commands.h"

namespace tv::gui {

class QtPrintDevice : public printing::PrintDevice {
 public:
  explicit QtPrintDevice(ProgramPrinter& current) : current_(current) {}
  ~QtPrintDevice() override;

  bool BeginJob(const core::PrintSetup& setup, const std::string& title, std::string& error) override;
  bool PrintDrawing(const drawing::Drawing& drawing, printing::DrawingArea area, bool blackWhite,
                    std::string& error) override;
  bool PrintGrid(const grid::Grid& grid, std::string& error) override;
  bool EndJob(std::string& error) override;

 private:
  // The painter on a fresh page: the first page of the job, or the next one.
  bool NextPage(std::string& error);

  ProgramPrinter& current_;
  std::unique_ptr<QPainter> painter_;
  canvas::DrawingPainter drawingPainter_;
};

}  // namespace tv::gui
