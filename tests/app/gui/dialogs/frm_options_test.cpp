// The options dialog as a user meets it: its controls filled from the view, the colour button,
// the check boxes and OK, which stores the options and has the viewer redraw.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "core/program.h"
#include "gui/canvas/drawing_canvas.h"
#include "gui/dialogs/frm_options.h"
#include "gui/windows/viewer.h"
#include "support/ini.h"
#include "testing/paint_counter.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "viewer/viewer_procedures.h"

namespace tv::gui {
namespace {

using test_support::PaintCounter;

class FrmOptionsTest : public ::testing::Test {
 protected:
  FrmOptionsTest() {
    program.IniPath = folder.Path() + "TAVO.INI";
    program.DXF1.AddLine(0, 0, 0, 100, 50, 0, "0");
    program.DXF1.SetSpotZoomLeft(50);
    program.DXF1.SetSpotZoomRight(75);
    program.DXF1.SetBackColor(0);
    program.DXF1.SetPrintBlackWhite(true);
    viewerWindow.resize(400, 300);
    viewerWindow.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&viewerWindow));
    viewer::ZoomExtents(program, -1);
    viewerWindow.Canvas()->installEventFilter(&counter);
  }
  template <class T>
  static T* Find(QWidget& dialog, const char* name) {
    T* found = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  int PaintsAfterEvents() {
    QTest::qWait(20);
    return counter.paints;
  }
  QColor ViewerBackground() { return QColor(viewerWindow.Canvas()->grab().toImage().pixel(2, 2)); }

  test_support::TempFolder folder;
  test_support::ScriptedUi ui;
  core::Program program{ui};
  Viewer viewerWindow{program};
  PaintCounter counter;
  std::vector<std::int32_t> offered;  // colours the colour dialog was opened with
  FrmOptions::ColorChooser chooseWhite = [this](std::int32_t initial, QWidget*) {
    offered.push_back(initial);
    return std::optional<std::int32_t>(0xFFFFFF);
  };
};

TEST_F(FrmOptionsTest, OpensWithTheViewsOptions) {
  FrmOptions dialog(program, nullptr, chooseWhite);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Options"));
  auto* left = Find<QComboBox>(dialog, "cboZoomPercentLeft");
  auto* right = Find<QComboBox>(dialog, "cboZoomPercentRight");
  ASSERT_TRUE(left && right);
  EXPECT_TRUE(left->isEditable());
  EXPECT_EQ(left->currentText(), QStringLiteral("50"));
  EXPECT_EQ(right->currentText(), QStringLiteral("75"));
  ASSERT_EQ(left->count(), 7);
  EXPECT_EQ(left->itemText(0), QStringLiteral("25"));
  EXPECT_EQ(left->itemText(6), QStringLiteral("200"));
  EXPECT_TRUE(Find<QCheckBox>(dialog, "chkPrintBlack")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>(dialog, "chkDisplayBlack")->isChecked());
  EXPECT_EQ(Find<QFrame>(dialog, "picColor")->palette().color(QPalette::Window), QColor(Qt::black));
  EXPECT_EQ(Find<QPushButton>(dialog, "cmdColor")->text(), QStringLiteral("Background Color"));
  EXPECT_EQ(Find<QPushButton>(dialog, "cmdOK")->text(), QStringLiteral("&OK"));
  QStringList labels;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains(QStringLiteral("On the Spot Zoom Percentage (left button - zoom in)")));
  EXPECT_TRUE(labels.contains(QStringLiteral("On the Spot Zoom Percentage (right button - zoom out)")));
}

TEST_F(FrmOptionsTest, TheColourShowsAtOnceAndOkStoresItWithoutASecondRedraw) {
  FrmOptions dialog(program, nullptr, chooseWhite);
  const int before = PaintsAfterEvents();
  QTest::mouseClick(Find<QPushButton>(dialog, "cmdColor"), Qt::LeftButton);
  EXPECT_EQ(offered, (std::vector<std::int32_t>{0}));
  EXPECT_EQ(Find<QFrame>(dialog, "picColor")->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_GT(PaintsAfterEvents(), before);
  EXPECT_EQ(ViewerBackground(), QColor(Qt::white));
  EXPECT_EQ(support::ReadIni(program, "Options", "BackColor"), "");  // stored only by OK

  const int afterColour = PaintsAfterEvents();
  QTest::mouseClick(Find<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(support::ReadIni(program, "Options", "BackColor"), " 16777215");
  EXPECT_EQ(PaintsAfterEvents(), afterColour);
}

TEST_F(FrmOptionsTest, OkAppliesTypedPercentagesAndTicksStoresThemAndRedraws) {
  FrmOptions dialog(program, nullptr, chooseWhite);
  auto* left = Find<QComboBox>(dialog, "cboZoomPercentLeft");
  left->setEditText(QString());
  QTest::keyClicks(left, QStringLiteral("80"));
  Find<QComboBox>(dialog, "cboZoomPercentRight")->setCurrentIndex(6);
  QTest::mouseClick(Find<QCheckBox>(dialog, "chkDisplayBlack"), Qt::LeftButton);
  QTest::mouseClick(Find<QCheckBox>(dialog, "chkPrintBlack"), Qt::LeftButton);
  const int before = PaintsAfterEvents();

  QTest::mouseClick(Find<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(program.DXF1.SpotZoomLeft(), 80);
  EXPECT_EQ(program.DXF1.SpotZoomRight(), 200);
  EXPECT_TRUE(program.DXF1.DisplayBlackWhite());
  EXPECT_FALSE(program.DXF1.PrintBlackWhite());
  EXPECT_EQ(ui.Status(core::StatusPanel::ZoomPct), "Spot Zoom (L/R): 80% / 200% ");
  EXPECT_EQ(support::ReadIni(program, "Options", "ZoomLeft"), "80");
  EXPECT_EQ(support::ReadIni(program, "Options", "ZoomRight"), "200");
  EXPECT_EQ(support::ReadIni(program, "Options", "DisplayBlack"), " 1");
  EXPECT_EQ(support::ReadIni(program, "Options", "PrintBlack"), " 0");
  EXPECT_GT(PaintsAfterEvents(), before);
}

TEST_F(FrmOptionsTest, ABadPercentageKeepsTheDialogOpen) {
  FrmOptions dialog(program, nullptr, chooseWhite);
  dialog.show();
  Find<QComboBox>(dialog, "cboZoomPercentRight")->setEditText(QStringLiteral("lots"));
  QTest::mouseClick(Find<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(ui.LastMessage().title, "Alert!");
  EXPECT_EQ(program.DXF1.SpotZoomRight(), 75);
}

}  // namespace
}  // namespace tv::gui
