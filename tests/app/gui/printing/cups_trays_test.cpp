// Paper trays through a real CUPS print server: a private server of the test's own, with a queue
// whose driver has an upper and a lower tray and a manual feed and prints into a file, shows which
// tray a job took. Machines without the CUPS server skip these tests.
#include <cups/cups.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "gui/dialogs/frm_print_setup.h"
#include "gui/printing/paper_sources.h"
#include "gui/printing/print_setup_dialog.h"
#include "gui/printing/qt_print_device.h"
#include "printing/print_commands.h"
#include "testing/dxf_fixture.h"
#include "testing/qt_offscreen.h"
#include "testing/run_command.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "viewer/viewer_procedures.h"

extern char** environ;

namespace tv::gui {
namespace {

namespace fs = std::filesystem;
using test_support::DxfFixture;
using test_support::ReadText;
using test_support::RunCommand;
using test_support::ScriptedUi;
using test_support::TempFolder;
using test_support::WriteText;

// A PostScript driver with three trays besides the automatic one; each tray's code leaves its
// name in the printed file.
constexpr const char* kTrayDriver = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "TRAYS.PPD"
*Manufacturer: "Test"
*Product: "(Tray Test)"
*ModelName: "Tray Test Printer"
*ShortNickName: "Tray Test Printer"
*NickName: "Tray Test Printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize Letter/US Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion Letter/US Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea Letter/US Letter: "18 18 594 774"
*ImageableArea A4/A4: "18 18 577 824"
*DefaultPaperDimension: A4
*PaperDimension Letter/US Letter: "612 792"
*PaperDimension A4/A4: "595 842"
)ppd"
                                    R"ppd(*OpenUI *InputSlot/Paper Source: PickOne
*OrderDependency: 20 AnySetup *InputSlot
*DefaultInputSlot: Auto
*InputSlot Auto/Automatic: "%% TRAY-AUTO"
*InputSlot Upper/Upper Tray: "%% TRAY-UPPER"
*InputSlot Lower/Lower Tray: "%% TRAY-LOWER"
*InputSlot Manual/Manual Feed: "%% TRAY-MANUAL"
*CloseUI: *InputSlot
*DefaultFont: Courier
*Font Courier: Standard "(002.004S)" Standard ROM
)ppd";

// The same printer without its lower tray.
std::string UpperTrayOnly() {
  std::string driver = kTrayDriver;
  const std::string lower = "*InputSlot Lower/Lower Tray: \"%% TRAY-LOWER\"\n";
  driver.erase(driver.find(lower), lower.size());
  return driver;
}

bool CupsServerInstalled() {
  for (const char* program : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/lib/cups/filter/pdftops"}) {
    if (access(program, X_OK) != 0) return false;
  }
  return true;
}

// A CUPS server listening on a socket in a folder of its own, for this test program only (every
// CUPS call of the program, Qt's included, goes to it through CUPS_SERVER).
class PrivateCupsServer {
 public:
  bool Start() {
    const std::string root = folder_.Path();
    for (const char* sub : {"spool", "cache", "state", "log", "ppd"}) fs::create_directories(root + sub);
    // Filters run as another user: they need to read the spool and write the output.
    for (const char* open : {"tmp", "out"}) {
      fs::create_directories(root + open);
      fs::permissions(root + open, fs::perms::all | fs::perms::sticky_bit);
    }
    fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    socket_ = root + "cups.sock";
    WriteText(root + "cupsd.conf",
              "Listen " + socket_ +
                  "\nLogLevel warn\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                  "<Policy default>\n<Limit All>\nOrder allow,deny\nAllow all\n</Limit>\n"
                  "</Policy>\n");
    std::string files = "ServerRoot " + root + "\nRequestRoot " + root + "spool\nTempDir " + root +
                        "tmp\nCacheDir " + root + "cache\nStateDir " + root + "state\nAccessLog " + root +
                        "log/access_log\nErrorLog " + root + "log/error_log\nPageLog " + root +
                        "log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\nFileDevice Yes\n";
    if (geteuid() == 0) {
      files += "User lp\nGroup lp\nSystemGroup root\n";
    } else {
      const passwd* user = getpwuid(geteuid());
      const group* group = getgrgid(getegid());
      if (user == nullptr || group == nullptr) return false;
      files += std::string("User ") + user->pw_name + "\nGroup " + group->gr_name + "\nSystemGroup " +
               group->gr_name + "\n";
    }
    WriteText(root + "cups-files.conf", files);

    const std::string conf = root + "cupsd.conf", filesConf = root + "cups-files.conf";
    char* argv[] = {const_cast<char*>("cupsd"),
                    const_cast<char*>("-f"),
                    const_cast<char*>("-c"),
                    const_cast<char*>(conf.c_str()),
                    const_cast<char*>("-s"),
                    const_cast<char*>(filesConf.c_str()),
                    nullptr};
    if (posix_spawn(&pid_, "/usr/sbin/cupsd", nullptr, nullptr, argv, environ) != 0) return false;
    for (int i = 0; i < 100 && !fs::exists(socket_); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (!fs::exists(socket_)) return false;
    setenv("CUPS_SERVER", socket_.c_str(), 1);
    return true;
  }

  ~PrivateCupsServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }

  // A queue printing into out/<name>.ps with the driver given.
  bool AddQueue(const std::string& name, const std::string& driver) {
    const std::string ppd = folder_.Path() + name + ".ppd";
    WriteText(ppd, driver);
    return RunCommand("lpadmin -h '" + socket_ + "' -p " + name + " -E -v 'file://" + Output(name) +
                      "' -P '" + ppd + "' 2>&1")
               .exitCode == 0;
  }

  std::string Output(const std::string& name) const { return folder_.Path() + "out/" + name + ".ps"; }
  std::string ErrorLog() const { return ReadText(folder_.Path() + "log/error_log"); }

 private:
  TempFolder folder_;
  std::string socket_;
  pid_t pid_ = -1;
};

PrivateCupsServer* server = nullptr;
bool serverReady = false;

// Waits until the queue has no job left to print.
bool WaitForQueue(const std::string& queue) {
  for (int i = 0; i < 600; ++i) {
    cups_job_t* jobs = nullptr;
    const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ACTIVE);
    cupsFreeJobs(active, jobs);
    if (active == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

// Answers the print dialog as an operator would: the tray among the printer's properties, then
// Print.
void PickTrayInPrintDialog(const QString& tray) {
  QTimer::singleShot(0, [tray] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* properties = dialog->findChild<QPushButton*>("properties");
    ASSERT_NE(properties, nullptr);
    QTimer::singleShot(0, [tray] {
      QWidget* sheet = QApplication::activeModalWidget();
      int picked = 0;
      for (auto* box : sheet->findChildren<QComboBox*>()) {
        if (const int at = box->findText(tray); at >= 0) {
          box->setCurrentIndex(at);
          ++picked;
        }
      }
      EXPECT_EQ(picked, 1) << "the tray among the printer's properties";
      sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    properties->click();
    // Print once the properties are closed.
    auto* print = new QTimer(dialog);
    QObject::connect(print, &QTimer::timeout, dialog, [dialog] {
      if (QApplication::activeModalWidget() == dialog) dialog->accept();
    });
    print->start(20);
  });
}

class CupsTrays : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!serverReady) GTEST_SKIP() << "no CUPS server on this machine";
    current.printer.setPrinterName("Trays");
    ASSERT_EQ(current.printer.printerName(), "Trays");
    ASSERT_TRUE(viewer::ShowDxf(
        program, folder.Write("S.DXF", DxfFixture().LineRect("BORDER", 0, 0, 200, 100).Dxf())));
  }

  // Prints the drawing's extents from the bin and gives the tray the driver was told to use.
  std::string TrayOfPrintFrom(int bin) { return TrayOfPrint(core::PrintSetup{1, "Trays", bin, 9}); }
  std::string TrayOfPrint(const core::PrintSetup& setup) {
    fs::remove(server->Output("Trays"));
    ui.ExpectPrintSetup(setup);
    printing::mFPrintExtents_Click(program, device);
    EXPECT_TRUE(ui.Messages().empty()) << ui.LastMessage().text;
    EXPECT_TRUE(WaitForQueue("Trays")) << server->ErrorLog();
    const std::string printed = ReadText(server->Output("Trays"));
    const auto at = printed.find("%% TRAY-");
    if (at == std::string::npos) return "no tray in: " + printed.substr(0, 200) + server->ErrorLog();
    return printed.substr(at + 8, printed.find_first_of("\r\n", at) - at - 8);
  }

  TempFolder folder;
  ProgramPrinter current;
  QtPrintDevice device{current};
  ScriptedUi ui;
  core::Program program{ui};
};

TEST_F(CupsTrays, PrintersTellTheirTrays) {
  EXPECT_EQ(OfferedPaperSources("Trays"), (std::vector<std::string>{"auto", "top", "bottom", "manual"}));
  EXPECT_EQ(OfferedPaperSources("Upper"), (std::vector<std::string>{"auto", "top", "manual"}));
  EXPECT_FALSE(OfferedPaperSources("Missing").has_value());
  EXPECT_FALSE(OfferedPaperSources("").has_value());
}

TEST_F(CupsTrays, TheSettingsTakeOnlyTraysThePrinterHas) {
  QtPrinterAccess access(current);
  std::string error;
  const struct {
    int bin;
    printing::SetResult result;
  } cases[] = {{1, printing::SetResult::Done},        {3, printing::SetResult::Unsupported},
               {2, printing::SetResult::Done},        {4, printing::SetResult::Done},
               {5, printing::SetResult::Unsupported}, {7, printing::SetResult::Done}};
  int inForce = printing::kDefaultBin;
  for (const auto& c : cases) {
    EXPECT_EQ(access.SetPaperBin(c.bin, error), c.result) << "bin " << c.bin;
    if (c.result == printing::SetResult::Done) inForce = c.bin;
    EXPECT_EQ(access.Facts().paperBin, inForce) << "after bin " << c.bin;
  }
  ASSERT_EQ(access.SetPaperBin(2, error), printing::SetResult::Done);
  EXPECT_NE(printing::DescribePrinter(access.Facts()).find("Bin: Use paper from the lower bin.\r\n"),
            std::string::npos);
  // Another printer without the lower tray: the summary goes back to the printer's own tray.
  access.SelectPrinter("Upper");
  EXPECT_EQ(access.Facts().paperBin, printing::kDefaultBin);
  EXPECT_EQ(access.SetPaperBin(2, error), printing::SetResult::Unsupported);
}

TEST_F(CupsTrays, TheJobTakesPaperFromTheBinsTray) {
  const struct {
    int bin;
    const char* tray;
  } cases[] = {{1, "UPPER"},
               {2, "LOWER"},
               {4, "MANUAL"},
               // the printer's own tray, also right after another bin's
               {7, "AUTO"},
               // a tray the printer lacks is not asked for
               {3, "AUTO"}};
  for (const auto& c : cases) EXPECT_EQ(TrayOfPrintFrom(c.bin), c.tray) << "bin " << c.bin;
}

TEST_F(CupsTrays, TheTrayPickedInThePrintDialogIsTheLatestChoice) {
  current.paperBin = 1;  // the upper bin, chosen earlier in the printer settings
  PickTrayInPrintDialog("Lower Tray");
  const auto setup = RunPrintSetupDialog(current, nullptr);
  ASSERT_TRUE(setup.has_value());
  EXPECT_EQ(setup->deviceName, "Trays");
  EXPECT_EQ(setup->paperBin, printing::kDefaultBin);
  EXPECT_EQ(DriverTray(current.printer), "Lower");
  EXPECT_EQ(TrayOfPrint(*setup), "LOWER");
}

TEST_F(CupsTrays, ThePrinterSetupDialogRefusesATrayThePrinterLacks) {
  QtPrinterAccess access(current);
  FrmPrintSetup dialog(ui, access);
  ASSERT_TRUE(dialog.Load());
  EXPECT_TRUE(ui.Messages().empty()) << "the upper bin, picked on opening, is a tray of this printer";
  auto* printers = dialog.findChild<QComboBox*>("cmbPrinters");
  auto* bins = dialog.findChild<QComboBox*>("cmbBins");
  auto* summary = dialog.findChild<QLabel*>("Label1");
  EXPECT_EQ(printers->currentText(), "Trays");
  EXPECT_TRUE(summary->text().contains("Bin: Use paper from the upper bin."))
      << summary->text().toStdString();
  if (const char* shots = std::getenv("TAVOLIN_SCREENSHOTS")) {
    dialog.adjustSize();
    dialog.grab().save(QString::fromUtf8(shots) + "/printer-setup.png");
  }

  emit bins->activated(1);  // lower
  EXPECT_TRUE(summary->text().contains("Bin: Use paper from the lower bin."));
  emit printers->activated(printers->findText("Upper"));
  EXPECT_TRUE(summary->text().contains("Device name: Upper"));
  EXPECT_TRUE(summary->text().contains("Bin: (Default) Use paper from the current default bin."))
      << "that printer has no lower tray";
  EXPECT_EQ(bins->currentIndex(), 4);
  emit bins->activated(1);
  EXPECT_EQ(ui.CountMessages("The paper bin selected is not supported by the selected printer."), 1u);
  EXPECT_EQ(bins->currentIndex(), 0);
  EXPECT_TRUE(summary->text().contains("Bin: Use paper from the upper bin."))
      << summary->text().toStdString();
}

TEST_F(CupsTrays, APrinterThatDoesNotAnswerKeepsTheBin) {
  ASSERT_TRUE(server->AddQueue("Gone", kTrayDriver));
  ProgramPrinter gone;
  gone.printer.setPrinterName("Gone");
  ASSERT_EQ(gone.printer.printerName(), "Gone");
  gone.paperBin = 2;
  ASSERT_EQ(RunCommand("lpadmin -x Gone 2>&1").exitCode, 0);
  KeepOfferedBin(gone);
  EXPECT_EQ(gone.paperBin, 2) << "no answer is no news that the tray is missing";

  ProgramPrinter upper;
  upper.printer.setPrinterName("Upper");
  upper.paperBin = 2;
  KeepOfferedBin(upper);
  EXPECT_EQ(upper.paperBin, printing::kDefaultBin) << "an answer without the lower tray";
}

}  // namespace
}  // namespace tv::gui

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::tv::test_support::UseOffscreenQtWhenUnset();
  // The server comes first: Qt asks CUPS for printers as soon as printing starts.
  std::unique_ptr<tv::gui::PrivateCupsServer> cups;
  if (tv::gui::CupsServerInstalled() && !GTEST_FLAG_GET(list_tests)) {
    cups = std::make_unique<tv::gui::PrivateCupsServer>();
    tv::gui::server = cups.get();
    tv::gui::serverReady = cups->Start() && cups->AddQueue("Trays", tv::gui::kTrayDriver) &&
                           cups->AddQueue("Upper", tv::gui::UpperTrayOnly()) &&
                           tv::test_support::RunCommand("lpadmin -d Trays 2>&1").exitCode == 0;
    if (!tv::gui::serverReady) {
      std::fprintf(stderr, "The private CUPS server did not start:\n%s\n", cups->ErrorLog().c_str());
      return 1;
    }
  }
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
