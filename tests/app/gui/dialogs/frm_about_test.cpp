#include "gui/dialogs/frm_about.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"

namespace tv::gui {
namespace {

using test_support::ScriptedUi;
using test_support::TempFolder;

QString LabelText(QWidget& box, const char* name) {
  auto* label = box.findChild<QLabel*>(QString::fromUtf8(name));
  return label != nullptr ? label->text() : QStringLiteral("<none>");
}

class FrmAboutTest : public ::testing::Test {
 protected:
  FrmAboutTest() { program.RegistryFolder = store.Path(); }
  TempFolder store;
  ScriptedUi ui;
  core::Program program{ui};
};

TEST_F(FrmAboutTest, TheAboutBoxShowsTitleDescriptionAndTheBuildsVersionAndClosesWithOK) {
  FrmAbout box(program, FrmAbout::Mode::About);
  EXPECT_EQ(box.windowTitle(), "About Tavolin");
  EXPECT_EQ(LabelText(box, "lblTitle"), "Tavolin");
  EXPECT_EQ(LabelText(box, "lblDescription"), "Automatic Nesting System for Panel Processing");
  EXPECT_EQ(LabelText(box, "lblVersion"), QStringLiteral("Version ") + TAVOLIN_PROJECT_VERSION);
  EXPECT_FALSE(LabelText(box, "lblDisclaimer").isEmpty());
  EXPECT_EQ(LabelText(box, "lblDisclaimer"), QString::fromStdString(about::LegalNotice()));
  auto* ok = box.findChild<QPushButton*>("cmdOK");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_EQ(box.findChild<QPushButton*>("cmdSysInfo")->text(), "&System Info...");
  QTimer::singleShot(0, ok, [ok] {
    EXPECT_TRUE(ok->isVisible());
    ok->click();
  });
  EXPECT_EQ(box.exec(), QDialog::Accepted);
}

TEST_F(FrmAboutTest, TheSplashHasNoOKDoesNotWaitAndGoesWhenClosed) {
  QPointer<FrmAbout> splash = ShowSplash(program, nullptr);
  ASSERT_FALSE(splash.isNull());
  EXPECT_TRUE(splash->isVisible());
  EXPECT_FALSE(splash->isModal());
  EXPECT_FALSE(splash->findChild<QPushButton*>("cmdOK")->isVisible());
  EXPECT_EQ(LabelText(*splash, "lblVersion"), QStringLiteral("Version ") + TAVOLIN_PROJECT_VERSION);
  splash->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(splash.isNull());
}

TEST_F(FrmAboutTest, SystemInfoTellsWhatASupportCallNeeds) {
  program.AppDir = "/opt/tavolin/";
  FrmAbout box(program, FrmAbout::Mode::About);
  box.findChild<QPushButton*>("cmdSysInfo")->click();
  ASSERT_EQ(ui.Messages().size(), 1u);
  const std::string& text = ui.LastMessage().text;
  EXPECT_EQ(ui.LastMessage().title, "System Information");
  for (const std::string& line : std::vector<std::string>{
           "Distribution: ", "Kernel: ", "Processor: ", "Memory: ", "Screen 1: ",
           "Program folder: /opt/tavolin/\r\n", std::string("Qt: ") + qVersion() + "\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  }
}

}  // namespace
}  // namespace tv::gui
