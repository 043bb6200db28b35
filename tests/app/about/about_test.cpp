#include "about/about.h"

#include <gtest/gtest.h>

#include "registry/registry.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"

namespace tv::about {
namespace {

using test_support::ScriptedUi;
using test_support::TempFolder;

TEST(About, TextsAndTheVersionOfThisBuild) {
  EXPECT_EQ(AboutCaption(), "About Tavolin");
  EXPECT_EQ(VersionText(), std::string("Version ") + TAVOLIN_PROJECT_VERSION);
  EXPECT_EQ(VersionText(2, 0, 17), "Version 2.0.17");
  EXPECT_EQ(VersionText(10, 3, 0), "Version 10.3.0");
}

TEST(About, SystemFactsAreReadFromTheSystemsFiles) {
  TempFolder root;
  root.Write("etc/os-release", "NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n");
  root.Write("proc/sys/kernel/ostype", "Linux\n");
  root.Write("proc/sys/kernel/osrelease", "6.1.0-18-amd64\n");
  root.Write(
      "proc/cpuinfo",
      "processor\t: 0\nmodel name\t: AMD Ryzen 7 5700G\n\nprocessor\t: 1\nmodel name\t: AMD Ryzen 7 5700G\n");
  root.Write("proc/meminfo", "MemTotal:       16777216 kB\nMemFree: 1 kB\nMemAvailable:    8388608 kB\n");
  ScriptedUi ui;
  core::Program program(ui);
  program.AppDir = "/opt/tavolin/";
  const std::string text = SystemInfoText(GatherSystemFacts(program, root.Path()));
  for (const char* line : {"Distribution: Debian GNU/Linux 12 (bookworm)\r\n",
                           "Processor: AMD Ryzen 7 5700G, 2 logical processors\r\n",
                           "Memory: 16.0 GB (8.0 GB available)\r\n", "Program folder: /opt/tavolin/\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  }
  EXPECT_NE(text.find("Kernel: Linux 6.1.0-18-amd64"), std::string::npos) << text;
  EXPECT_NE(text.find(std::string("Program: Tavolin ") + TAVOLIN_PROJECT_VERSION), std::string::npos) << text;

  // A system that lets nothing be read still gives every line.
  TempFolder empty;
  const auto facts = GatherSystemFacts(program, empty.Path());
  EXPECT_EQ(facts.lines.size(), 6u);
  EXPECT_NE(SystemInfoText(facts).find("Memory: unknown\r\n"), std::string::npos);
}

class SysInfoTest : public ::testing::Test {
 protected:
  SysInfoTest() { program.RegistryFolder = store.Path(); }
  registry::Registry Store() { return registry::Registry(store.Path()); }
  bool Start(const std::string& tool) {
    started.push_back(tool);
    return startWorks;
  }
  void Run() {
    StartSysInfo(
        program, [this](const std::string& tool) { return Start(tool); }, SystemFacts{{{"Kernel", "X"}}});
  }

  TempFolder store, tools;
  ScriptedUi ui;
  core::Program program{ui};
  std::vector<std::string> started;
  bool startWorks = true;
};

TEST_F(SysInfoTest, WithoutAConfiguredToolTheProgramsOwnBoxTellsTheFacts) {
  Run();
  EXPECT_TRUE(started.empty());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text, "Kernel: X\r\n");
  EXPECT_EQ(ui.LastMessage().title, "System Information");
}

TEST_F(SysInfoTest, TheToolPathIsStartedFirst) {
  Store().SetString(registry::Root::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                    "/usr/bin/hardinfo");
  Run();
  EXPECT_EQ(started, std::vector<std::string>{"/usr/bin/hardinfo"});
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(SysInfoTest, TheToolFolderCountsOnlyWhenItHoldsTheTool) {
  Store().SetString(registry::Root::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                    tools.Path());
  Run();  // the folder has no tool: the program's own box
  EXPECT_TRUE(started.empty());
  EXPECT_EQ(ui.LastMessage().title, "System Information");

  tools.Write("MSINFO32.EXE", "");
  Run();
  EXPECT_EQ(started, std::vector<std::string>{tools.Path() + "MSINFO32.EXE"});
}

TEST_F(SysInfoTest, AToolThatDoesNotStartIsReported) {
  Store().SetString(registry::Root::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                    "/nowhere/msinfo");
  startWorks = false;
  Run();
  EXPECT_EQ(ui.LastMessage().text, kSysInfoUnavailable);
}

TEST(HelpIndex, OpensTheHelpFileOrNamesTheMissingOne) {
  TempFolder appDir;
  ScriptedUi ui;
  core::Program program(ui);
  program.AppDir = appDir.Path();
  ShowHelpIndex(program);
  EXPECT_TRUE(ui.OpenedUrls().empty());
  EXPECT_EQ(ui.CountMessages(appDir.Path() + "Tavolin.html"), 1u);

  appDir.Write("Tavolin.html", "<html></html>");
  ShowHelpIndex(program);
  EXPECT_EQ(ui.OpenedUrls(), std::vector<std::string>{"file://" + appDir.Path() + "Tavolin.html"});
}

TEST(HelpIndex, TheSampleProgramFolderHasItsHelpFile) {
  ScriptedUi ui;
  core::Program program(ui);
  program.AppDir = std::string(TAVOLIN_SOURCE_DIR) + "/samples/";
  ShowHelpIndex(program);
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(ui.OpenedUrls().size(), 1u);
}

}  // namespace
}  // namespace tv::about
