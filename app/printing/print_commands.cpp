#include "printing/print_commands.h"

#include <cstdio>
#include <functional>

#include "files/file_ops.h"
#include "printing/printer_codes.h"
#include "viewer/viewer_procedures.h"

namespace tv::printing {
namespace {

// Printing that failed is said: a silent failure would read as a printed page.
void TellFailure(core::Program& program, const std::string& error) {
  program.ui().Tell(
      "Printing failed."
      "\r" +
          error,
      "Alert!", core::MsgIcon::Warning);
}

std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// One print job: begun, its pages, and ended also after a failed page; the first failure is said.
void PrintJob(core::Program& program, PrintDevice& device, const core::PrintSetup& setup,
              const std::string& title, const std::function<bool(std::string& error)>& pages) {
  std::string error;
  if (!device.BeginJob(setup, title, error)) return TellFailure(program, error);
  const bool printed = pages(error);
  std::string endError;
  const bool ended = device.EndJob(endError);
  if (!printed) return TellFailure(program, error);
  if (!ended) TellFailure(program, endError);
}

void PrintViewerDrawing(core::Program& program, PrintDevice& device, DrawingArea area) {
  if (program.RunInProgress) return;
  const auto setup = program.ui().AskPrintSetup();
  if (!setup) return;
  const drawing::Drawing& drawing = program.DXF1;
  const std::string title = drawing.DrawingFile().empty() ? "Tavolin" : FileNameOf(drawing.DrawingFile());
  PrintJob(program, device, *setup, title, [&](std::string& error) {
    return device.PrintDrawing(drawing, area, drawing.PrintBlackWhite(), error);
  });
}

}  // namespace

std::string PullListHeader(const std::string& jobName, const std::tm& when) {
  char stamp[48];
  std::snprintf(stamp, sizeof stamp, "%02d-%02d-%04d    %02d:%02d:%02d", when.tm_mon + 1, when.tm_mday,
                when.tm_year + 1900, when.tm_hour, when.tm_min, when.tm_sec);
  return "Job: " + jobName + std::string(11, ' ') + stamp;
}

void mFPrintCurrentView_Click(core::Program& program, PrintDevice& device) {
  PrintViewerDrawing(program, device, DrawingArea::CurrentView);
}

void mFPrintExtents_Click(core::Program& program, PrintDevice& device) {
  PrintViewerDrawing(program, device, DrawingArea::Extents);
}

void mfPAN_Click(core::Program& program, PrintDevice& device) {
  // The run builds its sheets in the viewer's drawing, which printing the nests replaces.
  if (program.RunInProgress) return;
  const auto setup = program.ui().AskPrintSetup();
  if (!setup) return;
  const std::string previous = program.DXF1.DrawingFile();
  // Copied: loading a sheet must not be able to change the list walked.
  const std::vector<std::string> sheets = program.NestFiles;
  bool jobOpen = false;
  bool loadedAny = false;
  std::string error;
  bool failed = false;
  for (const std::string& sheet : sheets) {
    if (sheet.empty() || !files::Exist(sheet)) continue;
    if (!viewer::ShowDxf(program, sheet, &error)) {
      failed = true;
      break;
    }
    loadedAny = true;
    if (!jobOpen) {
      if (!device.BeginJob(*setup, "Nests", error)) {
        failed = true;
        break;
      }
      jobOpen = true;
    }
    if (!device.PrintDrawing(program.DXF1, DrawingArea::Extents, program.DXF1.PrintBlackWhite(), error)) {
      failed = true;
      break;
    }
  }
  if (jobOpen) {
    std::string endError;
    if (!device.EndJob(endError) && !failed) {
      failed = true;
      error = endError;
    }
  }
  // The viewer shows what it showed before, also after a failure part way.
  if (loadedAny && !previous.empty()) viewer::ShowDxf(program, previous);
  if (failed) TellFailure(program, error);
}

void mFPrtMPL_Click(core::Program& program, PrintDevice& device, const std::tm& now) {
  if (program.RunInProgress) return;
  const auto setup = program.ui().AskPrintSetup();
  if (!setup) return;
  grid::PrintOptions& options = program.MPL.Printing();
  options.orientation =
      setup->orientation == kLandscape ? grid::Orientation::Landscape : grid::Orientation::Portrait;
  options.margin = 500;
  options.header = PullListHeader(program.JobName, now);
  PrintJob(program, device, *setup, "Material Pull List",
           [&](std::string& error) { return device.PrintGrid(program.MPL, error); });
}

}  // namespace tv::printing
