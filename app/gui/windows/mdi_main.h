// The main window "mdiMain": the frame with the menu bar, toolbar, status bar and the hidden
// popup menu, and the three child windows placed by code (input window at the left, material
// window top right, viewer below it). It runs the start-up and, for every way of closing, the
// shut-down; while a nesting run is in progress the commands that would change what the run
// builds are disabled, and a close waits for the run to end.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "commands/main_layout.h"
#include "core/program.h"

class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace tv::gui {

class FileMgr;
class FrmAbout;
class PrintingCommands;
class ShtStk;
class Viewer;

class MdiMain : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "Tavolin  -  Automatic Panel Nesting";

  explicit MdiMain(core::Program& program, QWidget* parent = nullptr);
  ~MdiMain() override;

  // The start-up; false when there is no configuration file and the program must end.
  // executablePath decides the program folder.
  bool Start(const std::string& executablePath);

  // The desktop session ends: the shut-down runs without showing anything (after a run in
  // progress has ended), and the window closes.
  void EndSession();

  // The shut-down has run (it runs once, however the window closes).
  bool ShutDown() const { return shutDown_; }

  FileMgr* InputWindow() const { return fileMgr_; }
  ShtStk* StockWindow() const { return shtStk_; }
  Viewer* ViewerWindow() const { return viewer_; }
  QMdiSubWindow* InputWindowPlace() const { return fileMgrPlace_; }
  QMdiSubWindow* StockWindowPlace() const { return shtStkPlace_; }
  QMdiSubWindow* ViewerPlace() const { return viewerPlace_; }
  QMdiArea* ClientArea() const { return mdi_; }

  // The hidden popup menu "PopMnu" the input and material windows pop up; its items set the
  // program's popup request flags (Copy and Paste act at once).
  QMenu* PopupMenu() const { return popMnu_; }

  // The child windows' places in twips, as laid out last.
  const commands::MainLayout& Layout() const { return layout_; }
  // The screen's logical dots per inch the twips are converted at.
  double Dpi() const;

  // A menu item or toolbar button by its name.
  QAction* Command(const QString& name) const;
  // Makes a command available (or not); a command whose window has not been built stays
  // unavailable. While a run is in progress, the run-locked commands stay disabled anyway.
  void SetCommandAvailable(const QString& name, bool available);

  // The batch watcher's timer, ticking each second.
  QTimer* BatchTimer() const { return batchTimer_; }

  // The mouse mode command (0 window, 1 spot zoom, 2 pan); nothing when no child window is active.
  void mVZFunction_Click(int index);
  // The layer-list toggle.
  void mELayers_Click();
  // The diagnostic boxes about the viewer's drawing.
  void ShowExtentsAndZoom();
  void ShowZoomCoordinates();

  // The session's printer and the print commands; the Ui's print set-up asks through it.
  PrintingCommands& Printing() { return *printing_; }
  std::optional<core::PrintSetup> AskPrintSetup();
  // Closes the start-up splash (the About box without OK) when it is still up.
  void CloseSplash();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // mdi_menus.cpp
  void BuildMenus();
  void LoadToolBarButtons();
  void BuildStatusBar();
  void BuildPopup();
  QAction* AddCommand(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut,
                      std::function<void()> run);
  void EnableViewMenus();
  void SetToolbarState();
  // mdi_commands.cpp
  void Toolbar1_ButtonClick(const QString& key);
  void RunCommand(const std::function<void()>& command);
  void UpdateCommandStates();
  void CopyToClipboard();
  void PasteFromClipboard();
  void BatchTick();
  // mdi_main.cpp
  void PlaceChildWindows();
  void ApplyLayout();
  void ResizeChildWindows();
  // The viewer moved or resized by the operator: the material window takes the height above it.
  void DockViewer();
  void RunShutdown(bool interactive);
  void RunStateChanged();

  core::Program& program_;
  QMdiArea* mdi_ = nullptr;
  FileMgr* fileMgr_ = nullptr;
  ShtStk* shtStk_ = nullptr;
  Viewer* viewer_ = nullptr;
  QMdiSubWindow* fileMgrPlace_ = nullptr;
  QMdiSubWindow* shtStkPlace_ = nullptr;
  QMdiSubWindow* viewerPlace_ = nullptr;
  QToolBar* toolbar1_ = nullptr;
  QActionGroup* mouseModeButtons_ = nullptr;
  QActionGroup* mouseModeItems_ = nullptr;
  QMenu* popMnu_ = nullptr;
  QTimer* batchTimer_ = nullptr;
  commands::MainLayout layout_;
  bool placed_ = false;
  bool applyingLayout_ = false;
  bool started_ = false;
  bool shutDown_ = false;
  bool closePending_ = false;
  bool closeInteractive_ = true;
  std::string lastSavedDrawing_;
  QSet<QString> unavailable_;
  std::unique_ptr<PrintingCommands> printing_;
  QPointer<FrmAbout> splash_;
};

}  // namespace tv::gui
