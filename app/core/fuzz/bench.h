// A program in a folder of its own for the readers' fuzz checks: nothing reaches the user's
// registry store, INI file or folders.
#pragma once

#include <filesystem>
#include <string>

#include "core/fuzz/quiet_ui.h"
#include "core/program.h"

namespace tv::core {

struct FuzzBench {
  // folder ends in "/".
  explicit FuzzBench(const std::string& folder) : program(ui) {
    std::filesystem::create_directories(folder + "app");
    program.AppDir = folder + "app/";
    program.IniPath = program.AppDir + "TAVO.INI";
    program.TmpDir = program.AppDir + "TMP/";
    program.NestTmpDir = program.AppDir + "NestTmp/";
    program.RegistryFolder = folder + "registry";
    program.PrinterFonts = [] { return std::vector<std::string>{"Sans", "Serif"}; };
  }
  QuietUi ui;
  Program program;
};

}  // namespace tv::core
