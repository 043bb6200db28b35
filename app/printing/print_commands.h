// The main window's four print commands: the viewer's drawing as shown or whole, every sheet of
// the last nesting run, and the material pull list with its job header. Each asks for the print
// set-up first; the pages themselves are made by a PrintDevice (Qt printing in the program).
// While a nesting run is in progress they do nothing: the run builds its sheets in the viewer's
// drawing and fills the pull list.
#pragma once

#include <ctime>
#include <string>

#include "core/program.h"

namespace tv::printing {

// What PrintDrawing prints of a drawing.
enum class DrawingArea { Extents = 0, CurrentView = 1 };

// The printer the commands print on. A command opens one job, adds its pages, then ends it, so
// that all nests become one document of one page per sheet.
class PrintDevice {
 public:
  virtual ~PrintDevice() = default;
  // A job named title on the printer the set-up chose.
  virtual bool BeginJob(const core::PrintSetup& setup, const std::string& title, std::string& error) = 0;
  // One page: the drawing's current view or its whole extents, fitted to the page; black on
  // white when blackWhite is set.
  virtual bool PrintDrawing(const drawing::Drawing& drawing, DrawingArea area, bool blackWhite,
                            std::string& error) = 0;
  // The grid's pages with its print options (orientation, margin in twips, header line).
  virtual bool PrintGrid(const grid::Grid& grid, std::string& error) = 0;
  // Ends the job: the pages go to the printer (or the file).
  virtual bool EndJob(std::string& error) = 0;
};

// "Job: " & jobName & eleven blanks & the date as mm-dd-yyyy & four blanks & hh:mm:ss (24 hours).
std::string PullListHeader(const std::string& jobName, const std::tm& when);

// Print Current View (mode 1) and Print Extents (mode 0, also the toolbar's print button).
void mFPrintCurrentView_Click(core::Program& program, PrintDevice& device);
void mFPrintExtents_Click(core::Program& program, PrintDevice& device);
// Print All Nests: each sheet file of the last run that still exists, loaded into the viewer
// and printed whole; the viewer shows its earlier drawing again afterwards.
void mfPAN_Click(core::Program& program, PrintDevice& device);
// Print Material Pull List: the pull-list grid in the chosen orientation, margin 500 twips,
// with the job header stamped at now.
void mFPrtMPL_Click(core::Program& program, PrintDevice& device, const std::tm& now);

}  // namespace tv::printing
