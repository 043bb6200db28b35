// The About box "frmAbout": the program's title, description, version and legal notice, with
// "System Info". Modal with OK from Help > About; at start-up the same box without OK, shown
// without waiting, is the splash.
#pragma once

#include <QDialog>

#include "about/about.h"
#include "core/program.h"

namespace tv::gui {

class FrmAbout : public QDialog {
  Q_OBJECT

 public:
  enum class Mode { About, Splash };
  FrmAbout(core::Program& program, Mode mode, QWidget* parent = nullptr);

  // What "System Info" reads beyond the system's files: the window system's facts.
  static about::SystemFacts SystemFacts(const core::Program& program);

 private:
  void cmdOK_Click();
  void cmdSysInfo_Click();

  core::Program& program_;
};

// Help > About: the box with OK, modal; made anew each time.
void ShowAboutBox(core::Program& program, QWidget* parent);
// The start-up splash: the box without OK, shown without waiting. It deletes itself when closed.
FrmAbout* ShowSplash(core::Program& program, QWidget* parent);

}  // namespace tv::gui
