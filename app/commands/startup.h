// The program's start-up and shut-down without windows: the main window runs Startup when it
// opens and Shutdown whenever it closes; the window's own parts of the sequence (splash,
// toolbar, placing the child windows) are handed in as steps.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/program.h"

namespace tv::commands {

// The window's steps of the start-up, each optional.
struct StartupSteps {
  std::function<void()> ShowSplash;        // the About box without OK, modeless
  std::function<void()> BuildToolbar;      // toolbar buttons, view menus and view buttons enabled
  std::function<void()> PlaceInputWindow;  // the input window shown in its place
  std::function<void()> PlaceStockWindow;  // the material window shown in its place
  std::function<long()> PlaceViewer;       // the viewer shown in its place; returns its width in twips
};

enum class StartupResult { Started, NoConfiguration };

// The start-up in its order: splash and its start time, program folder and INI path (see
// ProgramFolder), the per-user "Paths"/"Executable", TMP and NestTmp, toolbar, input window
// (NoConfiguration when no configuration file exists: the program must end), material window,
// viewer, RightPaneWidth, the drawing engine's temporary folder, NestFiles emptied, and the
// viewer options of INI [Options]. From the folders on, a step that fails is skipped.
StartupResult Startup(core::Program& program, const std::string& executablePath,
                      const StartupSteps& steps = {});

// The viewer options of INI [Options] applied to the working drawing: PrintBlack and
// DisplayBlack on when not 0, BackColor always (a missing key is black), ZoomLeft and ZoomRight
// only when above 0.
void ApplyViewerOptions(core::Program& program);

// The shut-down, for every way the main window closes: the sheet stock to "Mat.dat", the
// settings to the configuration file the settings frame names, and that name into INI [Config]
// CfgFile. Never asks and deletes nothing; a step that fails does not stop the others. Returns
// what could not be saved (empty when everything was). The caller waits for a run in progress
// to end before it calls this.
std::vector<std::string> Shutdown(core::Program& program);

}  // namespace tv::commands
