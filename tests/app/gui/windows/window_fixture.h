// The real main window started on a program folder seeded from the samples (configuration,
// sheet stock, letters and the sample parts as the source folder), with the optimizer found in
// a copy of the build's registry store.
#pragma once

#include <QApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "core/program.h"
#include "gui/qt_ui.h"
#include "gui/windows/mdi_main.h"
#include "testing/temp_folder.h"

namespace tv::gui {

namespace fs = std::filesystem;

// A program folder like the one scripts/run makes.
inline void SeedProgramFolder(const std::string& folder) {
  fs::copy(fs::path(TAVOLIN_SOURCE_DIR) / "samples", folder, fs::copy_options::recursive);
  test_support::WriteText(folder + "TAVO.INI",
                          "[Config]\r\nCfgFile=Tavo.CFG\r\nSourceDir=" + folder + "Parts/\r\n");
  // A nest folder with a drawing in it, so the start-up has no "Nest Path Not Found" to say.
  test_support::WriteText(folder + "Nests/OLD001.DXF", "0\nEOF\n");
  fs::copy(fs::path(TAVOLIN_BUILD_REGISTRY), folder + "registry", fs::copy_options::recursive);
}

struct StartedWindow {
  StartedWindow() {
    SeedProgramFolder(folder.Path());
    program.RegistryFolder = folder.Path() + "registry";
    window = std::make_unique<MdiMain>(program);
    ui.SetMainWindow(window.get());
    ui.SetSplashCloser([this] { window->CloseSplash(); });
    started = window->Start(folder.Path() + "tavolin");
  }
  ~StartedWindow() {
    if (window && !window->ShutDown()) window->close();
  }
  std::string Path(const std::string& name) const { return folder.Path() + name; }

  test_support::TempFolder folder;
  QtUi ui;
  core::Program program{ui};
  std::unique_ptr<MdiMain> window;
  bool started = false;
};

}  // namespace tv::gui
