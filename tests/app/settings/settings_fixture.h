// A program with a fresh program folder for the settings tests, and helpers to write
// configuration files and read the settings grid back.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/program.h"
#include "settings/settings.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"

namespace tv::settings {

// A scripted Ui whose configuration-file dialog runs what the test puts in Dialog.
class DialogUi : public test_support::ScriptedUi {
 public:
  std::function<void()> Dialog;
  int DialogShown = 0;
  void ShowConfigFileDialog() override {
    ++DialogShown;
    if (Dialog) Dialog();
  }
};

class SettingsFixture : public ::testing::Test {
 protected:
  SettingsFixture() {
    program_.AppDir = temp_.Path();
    program_.IniPath = temp_.Path() + "TAVO.INI";
    program_.PrinterFonts = [] { return std::vector<std::string>{"Sans", "Serif"}; };
  }

  std::string WriteCfg(const std::string& name, const std::string& text) {
    test_support::WriteText(program_.AppDir + name, text);
    return program_.AppDir + name;
  }
  std::string ReadFile(const std::string& name) const {
    return test_support::ReadText(program_.AppDir + name);
  }
  bool Load(const std::string& text, std::string* error = nullptr) {
    return LoadSettingsCSV(program_, WriteCfg("test.cfg", text), error);
  }
  // Each row as "name=value" with the value as the grid shows it.
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    const grid::Grid& g = program_.Settings;
    for (long r = 1; r <= g.MaxRows(); ++r) rows.push_back(g.CellText(r, 1) + "=" + g.CellText(r, 2));
    return rows;
  }
  std::string SampleCfg() const { return std::string(TAVOLIN_SOURCE_DIR) + "/samples/Tavo.CFG"; }

  test_support::TempFolder temp_;
  DialogUi ui_;
  core::Program program_{ui_};
};

}  // namespace tv::settings
