// The program: one Program context, the Qt Ui and the main window, whose start-up ends the program
// at once when there is no configuration file.
#include <QApplication>

#include "core/program.h"
#include "files/file_ops.h"
#include "gui/dialogs/load_cfg.h"
#include "gui/qt_ui.h"
#include "gui/termination_signals.h"
#include "gui/windows/mdi_main.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tavolin"));
  QApplication::setApplicationVersion(QStringLiteral(TAVOLIN_VERSION_TEXT));

  tv::gui::QtUi ui;
  tv::core::Program program(ui);
  tv::gui::MdiMain window(program);
  ui.SetMainWindow(&window);
  ui.SetPrintSetupDialog([&window] { return window.AskPrintSetup(); });
  ui.SetSplashCloser([&window] { window.CloseSplash(); });
  ui.SetConfigFileDialog([&program, &window] { tv::gui::LoadCfg::ShowModal(program, &window); });
  std::string executable = tv::files::ExeName();
  if (executable.empty()) executable = QCoreApplication::applicationFilePath().toStdString();
  if (!window.Start(executable)) return 1;
  tv::gui::HandleTerminationSignals(&window, [&window] { window.EndSession(); });
  return QApplication::exec();
}
