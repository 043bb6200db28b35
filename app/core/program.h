// Program: the one context object of the main program. Every program-wide value lives
// here; main() creates it and hands it by reference to whatever needs it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/batch_watcher_state.h"
#include "core/change_notice.h"
#include "core/input_window_state.h"
#include "core/ui_port.h"
#include "core/work_list_columns.h"
#include "drawing/drawing.h"
#include "grid/grid.h"

namespace tv::core {

class Program {
 public:
  explicit Program(Ui& ui) : ui_(ui) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Ui& ui() { return ui_; }

  // Notices of changes to the state below that windows show and no grid carries; see Change
  // for which value each notice stands for.
  ChangeNotifier Changes;
  void Notify(Change change) { Changes.Notify(change); }

  // Folders set at start-up. AppDir ends in "/".
  std::string AppDir;
  std::string IniPath;     // AppDir + "TAVO.INI"
  std::string TmpDir;      // AppDir + "TMP/"
  std::string NestTmpDir;  // AppDir + "NestTmp/"

  // Paths and settings stores: folder of the registry store behind the per-user settings and
  // GetKeyValue; empty means the user's own (registry::StoreFolder()). Tests point it at a
  // temporary folder.
  std::string RegistryFolder;

  // Set while a nesting run is in progress: commands that change the work list, the
  // settings or the stock, Exit, and the batch watcher's pickup wait until it clears. Set and
  // cleared through RunLock (run_lock.h), which also locks the grids against the operator.
  bool RunInProgress = false;
  // Width in twips of the main window's right column (the viewer's width after the start-up
  // layout); the material window and the viewer take it when they resize.
  long RightPaneWidth = 0;

  // ---- Viewer and drawing inspection (app/viewer) ----
  // The working drawing the viewer shows: part drawings are loaded, measured and merged into
  // nested sheets here. DXFText is the hidden drawing letter texts are composed in.
  tv::drawing::Drawing DXF1;
  tv::drawing::Drawing DXFText;
  // The viewer window's caption: the drawing's title comment, or its path.
  std::string ViewerCaption;
  // The input window's layer list (names of DXF1's layers in collection order).
  std::vector<std::string> LayerList;
  // The layer list is shown in front of the part information (Edit > Layers... toggles it;
  // Change::LayerList tells the window).
  bool LayerListShown = false;
  // The input window's part-information list; BringToFront asks the window to show it in
  // front, and the window clears it when it has done so.
  struct PartSpecList {
    std::vector<std::string> Lines;
    bool BringToFront = false;
  };
  PartSpecList PartSpec;
  // Results of the last border measurement (MeasureBorder): least X and Y of the outline
  // (999999999 when there was none), a mismatch with the expected size, and outlines on
  // differently named layers (only ever set; callers clear it before a batch of drawings).
  double BorderMinX = 999999999;
  double BorderMinY = 999999999;
  bool BorderSizeMismatch = false;
  bool MultipleBorderLayers = false;
  // Allowed difference between measured and expected sizes, from INI [Config]; 0 becomes 2
  // at the first measurement.
  double DimensionTolerance = 0;
  // Comment block of the drawing whose title was read last (each line followed by ", ").
  std::string DrawingCommentText;
  // True when work-list sizes are millimetres (set by the work list; the viewer's part
  // information scales its hit window by it).
  bool MetricUnits = true;

  // ---- Grids, settings and sheet stock (app/settings, app/stock, app/worklist) ----
  // The four grids; the Qt grids are views over these models.
  tv::grid::Grid PList{0, kWorkListCols};  // work list
  tv::grid::Grid Settings{0, 2};           // settings: name, value
  tv::grid::Grid SSList{0, 8};             // sheet stock
  tv::grid::Grid MPL{0, 8};                // pull list

  // Setting values, copied from the settings grid by SetSettings. Lengths are in the work unit.
  double PerimeterMargin = 0;
  std::string CurrentNestName;
  std::string NestPath;
  std::string CsvPath;
  double OsArea = 0;
  double OsThickness = 0;
  double LeadLength = 0;
  double CutOutClearance = 0;
  double CutOutDiameter = 0;
  std::string CutOutRouter;
  bool CutOutFirst = false;
  bool CutOutClockwise = false;
  bool CutOutsOn = true;
  double CutOutDepthPlus = 0;
  std::int16_t NestFromCorner = 0;
  std::int16_t SmallPartsInside = 0;
  bool GenerateBatch = false;
  bool RespondToBatch = false;
  bool PerimeterClean = false;
  bool DropCut = false;
  float DropCutLength = 0;
  std::int32_t DropCutPasses = 0;
  bool AttachBarcode = false;
  bool BcmBarcode = false;
  std::string SFieldBarcode;
  bool TagParts = false;
  bool ZLimitOn = false;
  bool NestByCabinet = false;
  bool MakeCsvFiles = false;
  bool SheetStockQty = false;
  bool PromptForNest = false;

  // The current configuration file name (a bare name such as "Tavo.CFG"), shown as the
  // caption of the settings frame.
  std::string FrameSetCaption = "System Settings";
  // False after the start-up load could not read the configuration file whole: the shut-down
  // save must not write the shortened settings over that file. Saving or loading settings sets
  // it again.
  bool ConfigMayBeWrittenBack = true;
  // Configuration-file dialog: the file picked in load mode (AppDir + name, "" after Cancel)
  // and the name proposed in save mode ("" = load mode).
  std::string ChosenConfigPath;
  std::string SaveConfigName;
  // True while the folder dialog of a settings PATH row is open.
  bool SettingsPathEditing = false;
  // What the folder dialog fills: 1 the source folder, 2 a settings path row.
  int BrowseMode = 0;
  // Tool-tip requests of the settings grid since start-up.
  int SettingsTipCount = 0;
  // Font names the system printer offers, for the "NEST FONT" choice; set by the GUI.
  // Unset or nothing: the printer offers no font list.
  std::function<std::optional<std::vector<std::string>>()> PrinterFonts;

  // Folder of "Mat.dat" from INI [Config] MaterialDataPath, with a trailing separator.
  std::string MaterialDataPath;
  // True while the material window loads "Mat.dat" (no tick checks meanwhile).
  bool StockLoading = false;
  // Set when "Mat.dat" exists but could not be read whole: the stock library on disk is
  // not overwritten until the operator has entered stock.
  bool StockFileUnreadable = false;
  // The stock-save failure last told to the operator ("" after a save went through), so the
  // same failure is not told again on every focus change.
  std::string StockSaveFailureTold;
  // Sheet-stock material text last compared by IsStockMaterial.
  std::string LastStockMaterial;
  // Grid that Copy and Paste act on: 1 work list, 2 sheet stock.
  int FocusedGrid = 0;
  // State of SortGridByColumn: order of the next sort (1 ascending, 2 descending) and the
  // column sorted last.
  long SortOrder = 1;
  long LastSortColumn = 0;

  // ---- Work list and input window (app/worklist) ----
  // Seconds since midnight when the start-up splash was shown; the input window's load keeps
  // the splash up until 3 seconds have passed.
  float SplashStart = 0;
  // Unit kind of the rows the row builder added: 0 unset, 1 metric, 2 inch. Only clearing the
  // work list (or deleting all of its rows) forgets it.
  int BatchUnitState = 0;
  // Some row of the current batch will not nest, and the reason shown for it (the last one set).
  bool BadBatch = false;
  std::string NotNestReason;
  // Per work-list row of the current batch (index = row, 0 unused): its material is not in the
  // sheet stock. Lives from the batch's start to its finish.
  std::vector<bool> RowMaterialMissing;
  // The row the row builder filled last.
  long LastFilledRow = 0;
  // True while a work list is imported: the "OK" column's click handler waits meanwhile.
  bool ImportingWorkList = false;
  // The source list was clicked after the last double click in the work list.
  bool SourceListClicked = false;
  // Requests set by the items of the shared popup menu; the window that popped it up reads and
  // resets them when the menu has closed.
  bool PopupExpandRequested = false;
  bool PopupDeleteRequested = false;
  bool PopupToWorkListRequested = false;
  bool PopupCheckUncheckRequested = false;
  bool PopupClearWorkListRequested = false;
  // What the input window shows: source folder, drawing lists, "Process".
  InputWindowState Input;

  // ---- Nested sheets: layer rules, cut paths, barcodes (app/nesting) ----
  // Depth-limit alert of the last sheet whose layers were tested; shown after the run.
  std::string RunAlertText;

  // ---- Nesting run, nest name and batch watcher (app/nesting) ----
  // Sheet files written by the last run, in sheet order (for printing all nests).
  std::vector<std::string> NestFiles;
  // Job of the last run's work list (work-list row 1, "Job"): the printed pull list's header.
  std::string JobName;
  // Sheets the last run took from each sheet-stock row (index = row, 0 unused).
  std::vector<long> SheetsUsedByRow;
  // Pull-list rows filled since the pull list was last cleared.
  int PullListRowCount = 0;
  // Reply of the last nest-name dialog: "" when no name was chosen.
  std::string EnteredNestName;
  // True while the batch watcher loads a request and runs it: later ticks leave the request
  // alone meanwhile.
  bool BatchPickupInProgress = false;
  // The request the watcher found at its last tick, and one it could not delete.
  BatchWatcherState BatchWatcher;

 private:
  Ui& ui_;
};

}  // namespace tv::core
