// The File menu's print items, Help > About and the toolbar's help reach their commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "gui/dialogs/frm_about.h"
#include "gui/windows/mdi_main.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"

namespace tv::gui {
namespace {

using test_support::ScriptedUi;
using test_support::TempFolder;

class MdiPrintHelpTest : public ::testing::Test {
 protected:
  MdiPrintHelpTest() {
    program.RegistryFolder = store.Path();
    program.AppDir = store.Path();
  }
  TempFolder store;
  ScriptedUi ui;
  core::Program program{ui};
  MdiMain window{program};
};

TEST_F(MdiPrintHelpTest, EachPrintItemAsksForThePrintSetUpAndCancelPrintsNothing) {
  for (const char* name : {"mFPrtMPL", "mFPrintExtents", "mFPrintCurrentView", "mfPAN"}) {
    QAction* item = window.Command(QString::fromUtf8(name));
    ASSERT_NE(item, nullptr) << name;
    EXPECT_TRUE(item->isEnabled()) << name;
    ui.ExpectPrintSetup(std::nullopt);
    item->trigger();
  }
  EXPECT_EQ(ui.PrintSetupCalls(), 4);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(MdiPrintHelpTest, AboutShowsTheBoxModalWithOK) {
  QAction* about = window.Command(QStringLiteral("mHAbout"));
  ASSERT_NE(about, nullptr);
  ASSERT_TRUE(about->isEnabled());
  bool shown = false;
  QTimer::singleShot(0, &window, [&shown] {
    auto* box = qobject_cast<FrmAbout*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    auto* ok = box->findChild<QPushButton*>("cmdOK");
    ASSERT_NE(ok, nullptr);
    shown = ok->isVisible();
    ok->click();
  });
  about->trigger();
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace tv::gui
