// Where the program keeps its files (TAVO.INI, the configuration, "Mat.dat", TMP, NestTmp and the
// default nest and CSV folders): next to the executable, or in the user's data folder when the
// executable sits in a folder the user cannot write (an installed copy).
#pragma once

#include <string>

namespace tv::commands {

// The executable's folder (ending in "/") when it can be written; else $XDG_DATA_HOME/tavolin/
// (else ~/.local/share/tavolin/), made when missing. Should that fail too, the executable's
// folder after all.
std::string ProgramFolder(const std::string& executablePath);

// The per-user data folder used when the executable's folder cannot be written.
std::string UserDataFolder();

}  // namespace tv::commands
