#include "commands/startup.h"

#include <exception>

#include "commands/program_folder.h"
#include "files/file_ops.h"
#include "settings/settings_file.h"
#include "stock/stock_window.h"
#include "support/ini.h"
#include "support/user_settings.h"
#include "text/number_text.h"
#include "worklist/input_window.h"

namespace tv::commands {
namespace {

// From the folders on, one failing step leaves that one thing undone and the start-up goes on.
template <typename Step>
void Tolerant(Step&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

StartupResult Startup(core::Program& program, const std::string& executablePath, const StartupSteps& steps) {
  core::Ui& ui = program.ui();
  if (steps.ShowSplash) steps.ShowSplash();
  ui.ProcessEvents();
  program.SplashStart = static_cast<float>(ui.TimeOfDay());

  program.AppDir = ProgramFolder(executablePath);
  program.IniPath = program.AppDir + "TAVO.INI";
  support::SaveUserSetting(program, "Paths", "Executable", program.AppDir);

  Tolerant([&] {
    program.TmpDir = program.AppDir + "TMP/";
    files::MakeDir(program.TmpDir);
    program.NestTmpDir = program.AppDir + "NestTmp/";
    files::MakeDir(program.NestTmpDir);
  });
  Tolerant([&] {
    if (steps.BuildToolbar) steps.BuildToolbar();
  });

  if (worklist::InputWindow_Load(program) == worklist::InputWindowLoad::NoConfiguration) {
    return StartupResult::NoConfiguration;
  }
  Tolerant([&] {
    if (steps.PlaceInputWindow) steps.PlaceInputWindow();
  });
  Tolerant([&] { stock::ShtStk_Load(program); });
  Tolerant([&] {
    if (steps.PlaceStockWindow) steps.PlaceStockWindow();
  });
  Tolerant([&] {
    if (steps.PlaceViewer) program.RightPaneWidth = steps.PlaceViewer();
  });
  Tolerant([&] { program.DXF1.SetTmpFileNamePath(program.TmpDir); });
  program.NestFiles.clear();
  program.Notify(core::Change::NestFiles);
  Tolerant([&] { ApplyViewerOptions(program); });
  return StartupResult::Started;
}

void ApplyViewerOptions(core::Program& program) {
  const auto number = [&program](const char* key) {
    return text::Val(support::ReadIni(program, "Options", key));
  };
  drawing::Drawing& dxf = program.DXF1;
  dxf.SetPrintBlackWhite(number("PrintBlack") != 0);
  dxf.SetDisplayBlackWhite(number("DisplayBlack") != 0);
  dxf.SetBackColor(static_cast<std::int32_t>(text::RoundHalfEven(number("BackColor"))));
  const long long left = text::RoundHalfEven(number("ZoomLeft"));
  if (left > 0) dxf.SetSpotZoomLeft(static_cast<float>(left));
  const long long right = text::RoundHalfEven(number("ZoomRight"));
  if (right > 0) dxf.SetSpotZoomRight(static_cast<float>(right));
}

std::vector<std::string> Shutdown(core::Program& program) {
  std::vector<std::string> failures;
  std::string error;
  if (!stock::SaveStock(program, &error) && !program.StockFileUnreadable) {
    failures.push_back(stock::StockFilePath(program) + ": " + error);
  }
  error.clear();
  const std::string name = program.FrameSetCaption;
  // A configuration read only in part is not written back shortened over the user's file.
  if (program.ConfigMayBeWrittenBack && !settings::SaveSettingsCsv(program, name, &error)) {
    failures.push_back(program.AppDir + name + ": " + error);
  }
  if (!support::WriteIni(program, "Config", "CfgFile", name)) failures.push_back(program.IniPath);
  return failures;
}

}  // namespace tv::commands
