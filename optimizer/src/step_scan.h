// The scan of one construction step: every live block of the current sequence scored at the
// chosen rectangle and the five best kept. The same arithmetic runs either one block at a time
// (any processor) or four blocks side by side in AVX2 lanes; both give the same bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "tolerance.h"

namespace sawplan {

struct Block;

// The blocks of the current sequence, field by field in table order, padded with dead entries
// to a whole number of lane groups. A block whose demand is exceeded dies in place; the list is
// compacted only now and then, keeping the order.
struct ActiveBlocks {
  static constexpr int32_t kLanes = 4;
  std::vector<double> length, width, ratio, area, weight, minLength, minWidth, drillLength, drillWidth;
  std::vector<int64_t> live;     // -1: may be scored; 0: dead or padding
  std::vector<int64_t> drilled;  // -1: a drilled block
  std::vector<int32_t> block;    // index into the block table
  int32_t count = 0;             // entries, padding included (a multiple of kLanes)
  int32_t dead = 0;              // entries that died since the list was built
  // The longest entry whose parts are all longer than bigMinimum, and the widest whose parts
  // are all wider (MeasureMovable): only those can the small-parts rule move to a far edge.
  double maxMovableLength = 0;
  double maxMovableWidth = 0;
  double movableMeasuredFor = std::numeric_limits<double>::quiet_NaN();  // its bigMinimum
  // The shortest length and the smallest width among the live entries; leastStale when a
  // death may have raised them.
  double leastLength = 0;
  double leastWidth = 0;
  bool leastStale = false;
  // Some entry's size is not a number: sizes order nothing and nothing is proved from them.
  bool unordered = false;

  void Reserve(int32_t blocks);
  void Clear() {
    count = 0;
    dead = 0;
    leastLength = leastWidth = std::numeric_limits<double>::infinity();
    leastStale = false;
    unordered = false;
    movableMeasuredFor = std::numeric_limits<double>::quiet_NaN();
  }
  void Append(const Block& block, int32_t index);
  // Becomes a copy of other, whose arrays are no longer than these: only its entries are
  // copied, not the room behind them.
  void CopyFrom(const ActiveBlocks& other);
  void Kill(int32_t slot) {
    live[slot] = 0;
    ++dead;
    if (length[slot] == leastLength || width[slot] == leastWidth) leastStale = true;
  }
  void RefreshLeast();
  void MeasureMovable(double bigMinimum);
  void Pad();
};

// The placed parts that may block a block at the step's rectangle, in placement order, as
// boxes: x1 and y1 are x + length and y + width as the blocking test computes them.
struct NearBoxes {
  std::vector<double> x0, y0, x1, y1;
  int32_t count = 0;
  void Reserve(int32_t parts);
};

// What one step's scan reads besides the blocks and boxes, each value computed as the
// scoring computes it.
struct StepFrame {
  double x = 0, y = 0;                   // the rectangle's corner
  double rectLength = 0, rectWidth = 0;  // its size
  bool smallParts = false;               // its small-parts flag
  bool scoringVariant = false;
  bool smallPartsInside = false;  // the setting is non-zero
  // Only the blocks the small-parts rule moves to a far edge are scored: every other one is
  // known not to fit (NoUnmovedBlockFits).
  bool onlyMoved = false;
  double panelLength = 0, panelWidth = 0;
  double stripCut = 0;
  double lengthLimit = 0;       // panel length + eps
  double stripLimitAtY = 0;     // strip limit at the corner + eps
  double stripCutLow = 0;       // strip cut - eps
  double drillLengthLimit = 0;  // drilling area length + eps
  double drillWidthLimit = 0;   // drilling area width + eps
  // Small-parts rectangles: a block may go to the far edge across (moveY) or along (moveX).
  bool moveYCorner = false;                  // y > 0.25 x width + eps
  bool moveXCorner = false;                  // areaExceedsPanel and x > 0.25 x length + eps
  bool areaExceedsPanel = false;             // panel area + eps < the layout's remaining area
  double band75Width = 0, band75Length = 0;  // 0.75 x width + eps, 0.75 x length + eps
  double bigMinimum = 0;                     // 0.2 x min(length, width) + eps
  // Penalties of small blocks in the outer band.
  double smallMinimum = 0;               // 0.1 x min(length, width) - eps
  double lowLength = 0, highLength = 0;  // 0.1 x length - eps, 0.9 x length + eps
  double lowWidth = 0, highWidth = 0;    // 0.1 x width - eps, 0.9 x width + eps

  // Whether the small-parts rule, at a rectangle that has the flag, moves entry i of the list
  // to the panel's far edge across the width, or along the length.
  bool MovesAcross(const ActiveBlocks& a, std::size_t i) const {
    return moveYCorner && y + a.width[i] > band75Width && a.minWidth[i] > bigMinimum;
  }
  bool MovesAlong(const ActiveBlocks& a, std::size_t i) const {
    return moveXCorner && x + a.length[i] > band75Length && a.minLength[i] > bigMinimum;
  }
};

struct Point {
  double x = 0;
  double y = 0;
};

// An entry of the list of the five best placements of one construction step.
struct Candidate {
  double score = 0;
  int32_t block = -1;  // index into the block table; -1 for none
  Point position;
};

struct BestFive {
  Candidate entry[5];
  // The size and area of each entry's block, which the list compares.
  double entryLength[5] = {};
  double entryWidth[5] = {};
  double entryArea[5] = {};
  double worst = 0;  // the largest score of the five

  void Reset();
  // The candidate at the first position where it is among the best, shifting the rest down:
  // the same candidate (same score, same size) never takes two places; a lower score goes
  // before an entry, an equal one (within eps) only with more area.
  void Offer(double score, int32_t block, double length, double width, double area, double x, double y) {
    // A score above every entry by more than the tolerance is refused at every position.
    if (score > worst + kEps) return;
    for (int k = 0; k < 5; ++k) {
      // The same candidate already in the list before position k refuses it here and at every
      // later position; the entries before k - 1 were looked at on the way.
      if (k > 0 && entry[k - 1].block >= 0 && entry[k - 1].score == score && entryLength[k - 1] == length &&
          entryWidth[k - 1] == width) {
        return;
      }
      bool among = score < entry[k].score;
      if (!among && !(score > entry[k].score + kEps)) {
        among = area > (entry[k].block >= 0 ? entryArea[k] : 0) + kEps;
      }
      if (!among) continue;
        // At most four moves: unrolled, so the compiler makes no library calls of them.
#pragma GCC unroll 4
      for (int e = 4; e > k; --e) {
        entry[e] = entry[e - 1];
        entryLength[e] = entryLength[e - 1];
        entryWidth[e] = entryWidth[e - 1];
        entryArea[e] = entryArea[e - 1];
      }
      entry[k] = {score, block, {x, y}};
      entryLength[k] = length;
      entryWidth[k] = width;
      entryArea[k] = area;
      worst = entry[0].score;
      for (int e = 1; e < 5; ++e) worst = entry[e].score > worst ? entry[e].score : worst;
      return;
    }
  }
};

enum class ScanPath { Scalar, Avx2 };

// The best scan path this processor runs, unless SAWPLAN_SCAN names one ("scalar", "avx2").
ScanPath DefaultScanPath();
bool ScanPathAvailable(ScanPath path);
const char* ScanPathName(ScanPath path);

// One block (entry i of the list) at the step's rectangle: false when it cannot go there, else
// its position and score, lower being better.
bool ScoreBlockAt(const StepFrame& frame, const ActiveBlocks& active, std::size_t i, const NearBoxes& near,
                  double* x, double* y, double* score);

// True when no block that stays at the rectangle's corner (one the small-parts rule does not
// move) can be placed: the smallest length and width among the blocks, as one block, fits
// nowhere a block can end up. Every test of a placement is monotone in the block's length and
// width (floating-point addition keeps order), so what the smallest cannot do, no block can.
bool NoUnmovedBlockFits(const StepFrame& frame, const NearBoxes& near, double leastLength, double leastWidth);

void ScanStepScalar(const StepFrame& frame, const ActiveBlocks& active, const NearBoxes& near,
                    BestFive& best);
void ScanStepAvx2(const StepFrame& frame, const ActiveBlocks& active, const NearBoxes& near, BestFive& best);

}  // namespace sawplan
