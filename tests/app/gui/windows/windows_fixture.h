// A main window started on a copy of the sample program folder, with the scripted Ui answering
// its questions: the input and material windows as the operator finds them after start-up.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/program.h"
#include "gui/gridview/grid_view.h"
#include "gui/models/grid_model.h"
#include "gui/windows/file_mgr.h"
#include "gui/windows/mdi_main.h"
#include "gui/windows/sht_stk.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"

namespace tv::gui::testing {

namespace fs = std::filesystem;

class WindowsTest : public ::testing::Test {
 protected:
  WindowsTest() : program(ui) {
    fs::copy(fs::path(TAVOLIN_SOURCE_DIR) / "samples", root, fs::copy_options::recursive);
    program.RegistryFolder = TAVOLIN_BUILD_REGISTRY;
    program.PrinterFonts = [] {
      return std::optional<std::vector<std::string>>(std::vector<std::string>{"Arial"});
    };
    ui.SetTimeOfDay(36000);
  }

  void SetUp() override {
    main = std::make_unique<MdiMain>(program);
    main->resize(1280, 900);
    ASSERT_TRUE(main->Start((root / "tavolin").string()));
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    ASSERT_NE(Input(), nullptr);
    ASSERT_NE(Stock(), nullptr);
  }
  void TearDown() override {
    // The shut-down saves the stock and settings into the copy, not the samples.
    main.reset();
  }

  FileMgr* Input() const { return main->InputWindow(); }
  ShtStk* Stock() const { return main->StockWindow(); }
  template <typename T = QWidget>
  T* Control(QWidget* window, const char* name) const {
    T* control = window->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  // The popup runner that picks the named item of the menu, as a click on it would.
  static std::function<void(QMenu*, QPoint)> Pick(const char* item, QStringList* visible = nullptr,
                                                  QString* caption = nullptr) {
    return [item, visible, caption](QMenu* menu, QPoint) {
      for (QAction* action : menu->actions()) {
        if (visible != nullptr && action->isVisible() && !action->isSeparator())
          visible->append(action->objectName());
        if (action->objectName() == QLatin1String(item)) {
          if (caption != nullptr) *caption = action->text();
          if (*item != '\0') action->trigger();
        }
      }
    };
  }

  // Where a grid cell sits in its view, and its colour as painted.
  static QPoint CellCenter(GridView* view, long row, long col) {
    const QModelIndex index = view->Model()->IndexOf(row, col);
    view->scrollTo(index);
    return view->visualRect(index).center();
  }
  // Read inside the cell's right edge, clear of its text (the column is wide enough) and of the
  // frame around the current cell.
  static QColor PaintedColor(GridView* view, long row, long col) {
    const QModelIndex index = view->Model()->IndexOf(row, col);
    view->scrollTo(index);
    const QRect cell = view->visualRect(index);
    const QPoint at(cell.right() - 6, cell.center().y());
    return view->viewport()->grab().toImage().pixelColor(at);
  }
  static QPoint CheckPoint(GridView* view, long row, long col) {
    const QRect cell = view->visualRect(view->Model()->IndexOf(row, col));
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    return {cell.left() + margin + view->style()->pixelMetric(QStyle::PM_IndicatorWidth) / 2,
            cell.center().y()};
  }

  // With TAVOLIN_SCREENSHOTS set to a folder, the main window is saved there as a picture.
  void Screenshot(const char* name) {
    const char* folder = std::getenv("TAVOLIN_SCREENSHOTS");
    if (folder == nullptr || *folder == '\0') return;
    QApplication::processEvents();
    main->grab().save(QDir(QString::fromUtf8(folder)).filePath(QString::fromUtf8(name) + ".png"));
  }

  std::string AppDir() const { return program.AppDir; }

  test_support::TempFolder temp;
  fs::path root = fs::path(temp.Path()).parent_path();
  test_support::ScriptedUi ui;
  core::Program program;
  std::unique_ptr<MdiMain> main;
};

}  // namespace tv::gui::testing
