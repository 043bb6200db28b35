// Program: the one context object of the main program. Every program-wide value lives
// here; main() creates it and hands it by reference to whatever needs it.
#pragma once

#include <string>

#include "core/ui_port.h"

namespace tv::core {

class Program {
 public:
  explicit Program(Ui& ui) : ui_(ui) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Ui& ui() { return ui_; }

  // Folders set at start-up. AppDir ends in "/".
  std::string AppDir;
  std::string IniPath;     // AppDir + "TAVO.INI"
  std::string TmpDir;      // AppDir + "TMP/"
  std::string NestTmpDir;  // AppDir + "NestTmp/"

  // Paths and settings stores: folder of the per-user settings store; empty means the user's
  // own (registry::StoreFolder()). Tests point it at a temporary folder.
  std::string RegistryFolder;

  // Set while a nesting run is in progress: commands that change the work list, the
  // settings or the stock, Exit, and the batch watcher's pickup wait until it clears.
  bool RunInProgress = false;

 private:
  Ui& ui_;
};

}  // namespace tv::core
