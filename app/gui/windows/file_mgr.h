// The input window "Input Selection": the source folder with its drawing list, the "\V/" button,
// the work-list grid, "Process", the nest list (with the layer list and the part information in
// its place) and the "System Settings" frame. Its controls follow Program through the change
// notices and the grids' observers; what they do is the work list's and the settings' logic.
#pragma once

#include <QPoint>
#include <QWidget>

#include "commands/file_mgr_layout.h"
#include "core/program.h"
#include "gui/windows/popup_menu.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tv::gui {

class GridView;

class FileMgr : public QWidget {
  Q_OBJECT

 public:
  explicit FileMgr(core::Program& program, QWidget* parent = nullptr);

  GridView* WorkList() const { return pList_; }
  GridView* SettingsGrid() const { return settings_; }
  const commands::InputWindowLayout& Layout() const { return layout_; }

  // How the shared popup menu is shown (see PopupRunner).
  void SetPopupRunner(PopupRunner runner) { popupRunner_ = std::move(runner); }

  // The window's outer width and inner height in twips, as the layout rules read them.
  long OuterWidthTwips() const;
  long InnerHeightTwips() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // file_mgr.cpp
  void BuildControls();
  void ConnectNotices();
  void ShowSourceFolder();
  void ShowSourceList();
  void ShowNestList();
  void ShowLayerList();
  void ShowPartSpec();
  void ShowRunState();
  void SourceSelectionToProgram();
  void ApplyLayout();
  void SetSettingsColumnWidths();
  // file_mgr_events.cpp
  void File1_MouseUp(QPoint globalPos);
  void File2_MouseUp();
  void PList_RightClick(QPoint globalPos);
  void Settings_MouseUp();
  void SetWindowWidth(long twips);
  void ExpandOrRestoreWorkList();

  core::Program& program_;
  commands::InputWindowLayout layout_;
  QLineEdit* sPath_ = nullptr;
  QPushButton* pBrwseS_ = nullptr;
  QListWidget* file1_ = nullptr;
  QLabel* label1_ = nullptr;
  QPushButton* addFile_ = nullptr;
  GridView* pList_ = nullptr;
  QPushButton* proc_ = nullptr;
  QListWidget* file2_ = nullptr;
  QListWidget* layerList_ = nullptr;
  QListWidget* partSpec_ = nullptr;
  QGroupBox* frameSet_ = nullptr;
  GridView* settings_ = nullptr;
  QPushButton* btnLoadCfg_ = nullptr;
  QPushButton* btnSaveAs_ = nullptr;
  QPushButton* btnSave_ = nullptr;
  PopupRunner popupRunner_;
  bool showingLists_ = false;
  bool layerListShown_ = false;
};

}  // namespace tv::gui
