// The optimizer engine: the state of one run (tables, progress, stored layouts, work arrays,
// trace log) and every step of the layout search. The library keeps one Optimizer for the
// whole process (ModuleOptimizer); tests and benchmarks may make their own.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "random.h"
#include "sawplan/vrex.h"
#include "step_scan.h"
#include "tolerance.h"
#include "trace_log.h"

namespace sawplan {

// One part of a block, offset from the block's origin.
struct BlockPlacement {
  int32_t part = 0;
  bool turned = false;
  double x = 0;
  double y = 0;
};

// A small arrangement of parts placed as a unit: a grid of copies of one part or a pair.
struct Block {
  int32_t count = 0;
  int32_t first = 0;  // its placements are blockPlacements[first, first + count)
  double length = 0;
  double width = 0;
  double weight = 0;
  double area = 0;
  bool drilled = false;
  double drillLength = 0;
  double drillWidth = 0;
  int32_t sequence = 0;
  double minLength = 0;
  double minWidth = 0;
  // Its placements as runs of one part type, for the demand test: a grid is one run, a pair
  // two. runCount 0 means the runs were not summarised and the placements are walked.
  int32_t runCount = 0;
  int32_t runPart[2] = {0, 0};
  int32_t runLength[2] = {0, 0};
};

struct PlacedPart {
  int32_t part = 0;
  bool turned = false;
  double x = 0;  // corner nearest the panel origin
  double y = 0;
  double length = 0;  // extents along the panel length and width as placed
  double width = 0;
};

struct FreeRect {
  double x = 0;
  double y = 0;
  double length = 0;
  double width = 0;
  bool smallParts = false;
};

// One cutting pattern for one panel and the working state of its construction.
struct Layout {
  int32_t panelIndex = 0;
  tVREXPanelData panel{};  // kerf-enlarged; a panel search may shorten its length
  int32_t placedCount = 0;
  std::vector<PlacedPart> placed;
  std::vector<int32_t> counts;  // copies of each part type
  double usedWeight = 0;
  double usedLength = 0;
  double distance = 0;
  int32_t freeCount = 0;
  std::vector<FreeRect> freeRects;
  int32_t parkedCount = 0;
  std::vector<FreeRect> parkedRects;
  bool scoringVariant = false;
  double lengthStep = 0;
  double remainingArea = 0;
  double totalArea = 0;
  int32_t repeatCount = 0;
  bool onePanel = false;
  double stripCut = 0;
  int32_t demandMultiplier = 0;
};

// A stored result in caller coordinates.
struct StoredLayout {
  int32_t panelIndex = 0;
  int32_t repeatCount = 0;
  int32_t placedCount = 0;
  std::vector<tVREXPlacedPartData> parts;
};

// How one panel-type search ended; reported to an observer for benchmarks.
enum class SearchEnd { Constructions, NoImprovement, Clock, Stopped };

struct PanelSearchReport {
  int32_t panelIndex = 0;
  int32_t constructions = 0;
  SearchEnd end = SearchEnd::Constructions;
  double seconds = 0;
};

class Optimizer {
 public:
  Optimizer() = default;
  Optimizer(const Optimizer&) = delete;
  Optimizer& operator=(const Optimizer&) = delete;

  // --- The operations of IVrex ---
  void Initialize(int32_t numpanels, int32_t numparts, int32_t useLogfile);
  void PutSettings(const tVREXSettings& settings);
  void PutPanel(const tVREXPanelData& panel);
  void PutPart(const tVREXPartData& part);
  // connecto is called at the top of every pass when useCallback is non-zero.
  void Optimize(int32_t useCallback, const std::function<void(const tVREXProgress&)>& connecto = {});
  void InterruptRun() { stop = true; }
  tVREXProgress GetProgress() const { return progress; }
  int32_t GetNumLayouts() const { return numLayouts; }
  void GetLayout(int32_t layoutIndex, tVREXLayoutData* layout);
  void GetPlacedPart(int32_t layoutIndex, int32_t partIndex, tVREXPlacedPartData* placedPart);
  void ReleaseData();

  // --- Preparation and blocks ---
  void PreparePanels();
  void PrepareParts();
  void FreeDemandArrays();
  void GenerateBlocks(double length, double width, double drillingAreaLength, double drillingAreaWidth);
  void AddGridBlock(int32_t part, bool turned, int32_t n, int32_t m);
  void ArrangePairBlock(Block& block, double x, double y, double panelLength, double panelWidth);
  void DiscardBlocks();
  void AllocLayout(Layout& layout) const;
  static void FreeLayout(Layout& layout);

  // --- Layout construction ---
  void ResetLayout(Layout& layout);
  static double StripWidthAt(const Layout& layout, double y);
  void AddFreeRect(Layout& layout, double x, double y, double length, double width) const;
  static void RemoveFreeRect(Layout& layout, int32_t i);
  static void ParkFreeRect(Layout& layout, int32_t i);
  void RestoreParkedRects(Layout& layout) const;
  bool BlockExceedsDemand(const Layout& layout, const Block& block) const;
  // What every step of a construction scores against, and the chosen rectangle's part of it.
  StepFrame ConstructionFrame(const Layout& layout) const;
  static void SetFrameRect(StepFrame& frame, const Layout& layout, const FreeRect& rect);
  bool OverlapsPlacedPart(const Layout& layout, int32_t part, bool turned, double x, double y) const;
  static bool SamePoint(Point a, Point b);
  void PlaceBlock(Layout& layout, Block& block, Point p, Point q);
  void UpdateFreeRects(Layout& layout, const Block& block, int32_t rect, Point p) const;
  void ConstructLayout(Layout& layout, int32_t panelIndex);
  void CopyLayout(Layout& target, const Layout& source) const;

  // --- Panel search, choice and storage ---
  void OptimizePanel(Layout& candidate, int32_t panelIndex);
  bool KeepBetterLayout(Layout& best, Layout& trial) const;
  static double LayoutUtilization(const Layout& layout);
  int32_t LayoutRepeatCount(const Layout& layout) const;
  static bool LayoutHasParts(const Layout& layout) { return layout.placedCount > 0; }
  void CommitLayout(Layout& layout);
  static void CompactLayout(Layout& layout);
  void StoreLayout(const Layout& layout);
  double Random01() { return random.Random01(); }
  static double ElapsedSeconds();

  // A part's extents along the panel length and width in one orientation.
  double ExtentLength(int32_t part, bool turned) const {
    return turned ? parts[part].width : parts[part].length;
  }
  double ExtentWidth(int32_t part, bool turned) const {
    return turned ? parts[part].length : parts[part].width;
  }
  double DrillLength(int32_t part, bool turned) const {
    return turned ? parts[part].drill_length_turned : parts[part].drill_length;
  }
  double DrillWidth(int32_t part, bool turned) const {
    return turned ? parts[part].drill_width_turned : parts[part].drill_width;
  }

  // --- State of the run ---
  tVREXSettings settings{};
  std::vector<tVREXPanelData> panels;  // capacity from Initialize
  int32_t numPanels = 0;               // filled entries
  std::vector<tVREXPartData> parts;
  int32_t numParts = 0;
  tVREXProgress progress{};
  // Set by InterruptRun, which a caller may also reach from another thread.
  std::atomic<bool> stop{false};

  int32_t panelsUsed = 0;
  int32_t panelsLeft = 0;
  int32_t copiesLeft = 0;
  int32_t totalDemand = 0;
  double smallestPartDimension = kHuge;
  double largestPartDimension = 0;
  std::vector<double> partWeights;
  std::vector<int32_t> remainingDemand;

  std::vector<Block> blocks;
  std::vector<BlockPlacement> blockPlacements;

  int32_t numLayouts = 0;
  std::vector<StoredLayout> results;

  Random random;
  TraceLog log;
  bool logRequested = false;

  // Told how each panel-type search ended (benchmarks).
  std::function<void(const PanelSearchReport&)> panelSearchObserver;

  // How a construction step scans the blocks; every path gives the same layouts. Tests force
  // each path the processor offers.
  ScanPath scanPath = DefaultScanPath();

 private:
  void AddPairBlocks(int32_t i, bool turnedI, int32_t j, bool turnedJ, double length, double width,
                     bool build, int32_t* blockCount, int32_t* placementCount);
  void AppendPairBlock(int32_t i, bool turnedI, int32_t j, bool turnedJ, bool stacked);
  int32_t MinRemainingSequence() const;
  // Part types of that sequence with demand left.
  int32_t PartsLeftInSequence(int32_t sequence) const;
  static void SummariseRuns(Block& block, const BlockPlacement* placements);
  // use(part) for each run of one part type among the block's placements, in order.
  template <class Use>
  void ForEachPartRun(const Block& block, Use&& use) const {
    if (block.runCount > 0) {
      for (int32_t r = 0; r < block.runCount; ++r) use(block.runPart[r]);
      return;
    }
    for (int32_t i = 0; i < block.count; ++i) {
      const int32_t part = blockPlacements[block.first + i].part;
      if (i == 0 || blockPlacements[block.first + i - 1].part != part) use(part);
    }
  }
  void CollectActiveBlocks(const Layout& layout, int32_t sequence);
  // After a placement: the blocks that hold one of the placed parts and no longer meet the
  // demand die. Demand only falls and counts only rise during a construction, so a block that
  // exceeds the demand once stays out until the sequence changes.
  void MarkExceedingBlocks(const Layout& layout, const Block& placed);
  void CollectPartBlocks();
  // Work arrays of the construction, sized before it starts so it allocates nothing: the
  // blocks of the current sequence (table order) and the placed parts near the chosen
  // rectangle.
  ActiveBlocks active_;
  NearBoxes near_;
  // Per block of the table, its entry in active_ or -1.
  std::vector<int32_t> activeSlot_;
  // The list every construction of a panel search starts from: built once for the first
  // sequence and demand multiplier, then copied, since every construction starts from the same
  // demand (initialSequence_ -1: not built). It leaves the list measured for bigMinimum.
  void StartActiveBlocks(const Layout& layout, int32_t sequence, double bigMinimum);
  ActiveBlocks initialActive_;
  std::vector<int32_t> initialSlot_;
  int32_t initialSequence_ = -1;
  int32_t initialMultiplier_ = 0;
  // Per part type, the blocks of the table that hold it: partBlocks_[partBlockStart_[p] ...
  // partBlockStart_[p + 1]).
  std::vector<int32_t> partBlockStart_;
  std::vector<int32_t> partBlocks_;
  void LogText(const char* text) {
    if (logRequested) log.LogText(text);
  }
  void LogInt(const char* label, int32_t value) {
    if (logRequested) log.LogInt(label, value);
  }
  void LogReal(const char* label, double value) {
    if (logRequested) log.LogReal(label, value);
  }
  // Room in a layout's placed-part array: the demand of the run, never counting negative demands.
  int32_t placedCapacity_ = 0;
};

// The one optimizer of the loaded library.
Optimizer& ModuleOptimizer();

}  // namespace sawplan
