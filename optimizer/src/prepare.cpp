// Preparation of the panel and part tables before a search, and the blocks (grids of one part,
// pairs of two parts) that the construction places as units.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "optimizer.h"

namespace sawplan {

namespace {

// A whole number of copies from a floored quotient; quotients of degenerate sizes (zero or
// not a number) give no copies instead of an undefined conversion.
int32_t ToCount(double value) {
  if (!(value > 0)) return 0;
  if (value > 2147483647.0) return 2147483647;
  return static_cast<int32_t>(value);
}

// Copies of a part along one axis for a grid block: two thirds of the panel, within the
// drilling area for a drilled part, else the whole panel when not even one fits.
double GridCopies(double panelExtent, double drillingExtent, double partExtent, bool drilled) {
  double n = std::floor(0.66 * panelExtent / partExtent);
  if (drilled && std::floor(drillingExtent / partExtent) < n) n = std::floor(drillingExtent / partExtent);
  if (n == 0) n = std::floor(panelExtent / partExtent);
  return n;
}

// The run 1, 2, 3, ... n for a short run, 1, 2, 4, 8, ... n (doubling) for a long one.
int32_t NextCopies(int32_t current, int32_t n) {
  if (current >= n) return n + 1;
  if (n < 9) return current + 1;
  return static_cast<int32_t>(std::min<int64_t>(2 * static_cast<int64_t>(current), n));
}

// Order of a drilled pair along one axis: j first when that keeps the drilled reach shorter;
// on equal reach, when j is the larger across the axis, as an undrilled pair is ordered.
bool JGoesFirst(double reachJFirst, double reachIFirst, double extentI, double extentJ) {
  if (reachJFirst < reachIFirst - kEps) return true;
  if (reachIFirst < reachJFirst - kEps) return false;
  return extentI < extentJ - kEps;
}

}  // namespace

void Optimizer::PreparePanels() {
  const double kerf = settings.saw_kerf;
  panelsLeft = 0;
  for (int32_t p = 0; p < numPanels; ++p) {
    tVREXPanelData& panel = panels[p];
    panel.length += kerf;
    panel.width += kerf;
    panel.drilling_area_length += kerf;
    panel.drilling_area_width += kerf;
    panelsLeft += panel.num;
  }
  panelsUsed = 0;
}

void Optimizer::PrepareParts() {
  partWeights.assign(numParts, 0.0);
  remainingDemand.assign(numParts, 0);
  totalDemand = 0;
  copiesLeft = 0;
  placedCapacity_ = 0;
  smallestPartDimension = kHuge;
  largestPartDimension = 0;
  const double kerf = settings.saw_kerf;

  for (int32_t i = 0; i < numParts; ++i) {
    tVREXPartData& part = parts[i];
    part.length += kerf;
    part.width += kerf;

    // A square part gains nothing by turning, and turning it would only double its blocks.
    if (part.length <= part.width + kEps && part.width <= part.length + kEps) part.turnable = 0;

    bool fits = false;
    for (int32_t p = 0; p < numPanels && !fits; ++p) {
      const tVREXPanelData& panel = panels[p];
      if (panel.num <= 0) continue;
      fits = (part.length <= panel.length + kEps && part.width <= panel.width + kEps) ||
             (part.turnable != 0 && part.width <= panel.length + kEps && part.length <= panel.width + kEps);
    }
    if (!fits) part.num = 0;

    // The weight is what one copy costs of the panel that suits it best: a quarter of its
    // own area plus three quarters of the panel's share per copy.
    double weight = kHuge;
    for (int32_t p = 0; p < numPanels; ++p) {
      const tVREXPanelData& panel = panels[p];
      if (panel.num <= 0) continue;
      double best = 0;
      for (int64_t o = 0; o <= part.turnable; ++o) {
        const bool turned = (o == 1);
        const double pl = ExtentLength(i, turned);
        const double pw = ExtentWidth(i, turned);
        double n = 0;
        double m = 0;
        if (part.drilling_required == 0) {
          n = std::floor(panel.length / pl);
          m = std::floor(panel.width / pw);
        } else {
          n = std::floor(panel.drilling_area_length / pl);
          if (n * pl + DrillLength(i, turned) <= panel.drilling_area_length + kEps &&
              (n + 1) * pl <= panel.length + kEps) {
            n += 1;
          }
          m = std::floor(panel.drilling_area_width / pw);
          if (m * pw + DrillWidth(i, turned) <= panel.drilling_area_width + kEps &&
              (m + 1) * pw <= panel.width + kEps) {
            m += 1;
          }
        }
        if (n * m > best) best = n * m;
      }
      if (best > 0) {
        const double candidate = 0.25 * part.length * part.width + 0.75 * panel.length * panel.width / best;
        if (candidate < weight - kEps) weight = candidate;
      }
    }
    if (weight > 8000000.0) weight = part.length * part.width;
    partWeights[i] = weight;

    totalDemand += part.num;
    copiesLeft += part.num;
    if (part.num > 0) placedCapacity_ += part.num;

    if (part.length < smallestPartDimension - kEps) smallestPartDimension = part.length;
    if (part.width < smallestPartDimension - kEps) smallestPartDimension = part.width;
    if (part.length > largestPartDimension + kEps) largestPartDimension = part.length;
    if (part.width > largestPartDimension + kEps) largestPartDimension = part.width;
  }
}

void Optimizer::FreeDemandArrays() {
  std::vector<double>().swap(partWeights);
  std::vector<int32_t>().swap(remainingDemand);
}

void Optimizer::GenerateBlocks(double length, double width, double drillingAreaLength,
                               double drillingAreaWidth) {
  DiscardBlocks();
  // Two passes with the same rules: the first only counts, so the table is allocated once.
  int32_t blockCount = 0;
  int32_t placementCount = 0;
  for (int pass = 0; pass < 2; ++pass) {
    const bool build = (pass == 1);
    if (build) {
      blocks.reserve(blockCount);
      blockPlacements.reserve(placementCount);
    }
    blockCount = 0;

    for (int32_t i = 0; i < numParts; ++i) {
      const tVREXPartData& part = parts[i];
      if (part.num <= 0) continue;
      for (int64_t o = 0; o <= part.turnable; ++o) {
        const bool turned = (o == 1);
        const double pl = ExtentLength(i, turned);
        const double pw = ExtentWidth(i, turned);
        const bool drilled = part.drilling_required != 0;
        double n = GridCopies(length, drillingAreaLength, pl, drilled);
        if (n == 0) continue;
        double m = GridCopies(width, drillingAreaWidth, pw, drilled);
        n = std::min({n, static_cast<double>(part.num), static_cast<double>(part.maxnumperpanel)});
        m = std::min({m, static_cast<double>(part.num), static_cast<double>(part.maxnumperpanel)});
        const int32_t nCount = ToCount(n);
        const int32_t mCount = ToCount(m);
        for (int32_t a = 1; a <= nCount; a = NextCopies(a, nCount)) {
          for (int32_t b = 1; b <= mCount; b = NextCopies(b, mCount)) {
            const int64_t copies = static_cast<int64_t>(a) * b;
            if (copies > part.num || copies > part.maxnumperpanel) break;
            if (build) {
              AddGridBlock(i, turned, a, b);
            } else {
              placementCount += static_cast<int32_t>(copies);
            }
            ++blockCount;
          }
        }
      }
    }

    for (int32_t i = 0; i + 1 < numParts; ++i) {
      for (int64_t oi = 0; oi <= parts[i].turnable; ++oi) {
        for (int32_t j = i + 1; j < numParts; ++j) {
          // Counting ignores which parts may pair; it only needs an upper bound.
          if (build && (parts[j].sequence != parts[i].sequence ||
                        parts[j].drilling_required != parts[i].drilling_required)) {
            continue;
          }
          for (int64_t oj = 0; oj <= parts[j].turnable; ++oj) {
            AddPairBlocks(i, oi == 1, j, oj == 1, length, width, build, &blockCount, &placementCount);
          }
        }
      }
    }
  }
  CollectPartBlocks();
}

void Optimizer::CollectPartBlocks() {
  const int32_t blockCount = static_cast<int32_t>(blocks.size());
  active_.Reserve(blockCount);
  active_.Clear();
  activeSlot_.assign(blockCount, -1);
  initialSequence_ = -1;
  // Every part type a block holds, once per run of it.
  partBlockStart_.assign(static_cast<size_t>(numParts) + 1, 0);
  for (const Block& block : blocks) ForEachPartRun(block, [&](int32_t part) { ++partBlockStart_[part + 1]; });
  for (int32_t p = 0; p < numParts; ++p) partBlockStart_[p + 1] += partBlockStart_[p];
  partBlocks_.assign(partBlockStart_[numParts], 0);
  std::vector<int32_t> filled(partBlockStart_.begin(), partBlockStart_.end() - 1);
  for (int32_t b = 0; b < blockCount; ++b) {
    ForEachPartRun(blocks[b], [&](int32_t part) { partBlocks_[filled[part]++] = b; });
  }
}

void Optimizer::AddPairBlocks(int32_t i, bool turnedI, int32_t j, bool turnedJ, double length, double width,
                              bool build, int32_t* blockCount, int32_t* placementCount) {
  const double d1 = ExtentLength(i, turnedI);
  const double d2 = ExtentWidth(i, turnedI);
  const double d3 = ExtentLength(j, turnedJ);
  const double d4 = ExtentWidth(j, turnedJ);
  if (std::fabs(d1 - d3) <= kEps && d2 + d4 <= 0.66 * width + kEps) {
    if (build) AppendPairBlock(i, turnedI, j, turnedJ, true);
    ++*blockCount;
    if (!build) *placementCount += 2;
  }
  if (std::fabs(d2 - d4) <= kEps && d1 + d3 <= 0.66 * length + kEps) {
    if (build) AppendPairBlock(i, turnedI, j, turnedJ, false);
    ++*blockCount;
    if (!build) *placementCount += 2;
  }
}

void Optimizer::AppendPairBlock(int32_t i, bool turnedI, int32_t j, bool turnedJ, bool stacked) {
  const double d1 = ExtentLength(i, turnedI);
  const double d2 = ExtentWidth(i, turnedI);
  const double d3 = ExtentLength(j, turnedJ);
  const double d4 = ExtentWidth(j, turnedJ);

  Block block;
  block.count = 2;
  block.first = static_cast<int32_t>(blockPlacements.size());
  block.weight = partWeights[i] + partWeights[j];
  block.area = d1 * d2 + d3 * d4;
  block.sequence = parts[i].sequence;
  block.minLength = std::min(d1, d3);
  block.minWidth = std::min(d2, d4);
  block.drilled = parts[i].drilling_required == 1 || parts[j].drilling_required == 1;

  bool jFirst = false;
  if (stacked) {
    block.length = d1;
    block.width = d2 + d4;
    if (!block.drilled) {
      jFirst = d2 < d4 - kEps;
    } else {
      block.drillLength = std::max(DrillLength(i, turnedI), DrillLength(j, turnedJ));
      // The drilled reach across the width with j below i, and with i below j: the farther of
      // the two parts' drilling, since a part's drilling may reach beyond its partner. The
      // pair takes the order that keeps the drilling nearer the origin.
      const double reachJFirst = std::max(DrillWidth(j, turnedJ), d4 + DrillWidth(i, turnedI));
      const double reachIFirst = std::max(DrillWidth(i, turnedI), d2 + DrillWidth(j, turnedJ));
      jFirst = JGoesFirst(reachJFirst, reachIFirst, d2, d4);
      block.drillWidth = jFirst ? reachJFirst : reachIFirst;
    }
  } else {
    block.length = d1 + d3;
    block.width = d2;
    if (!block.drilled) {
      jFirst = d1 < d3 - kEps;
    } else {
      block.drillWidth = std::max(DrillWidth(i, turnedI), DrillWidth(j, turnedJ));
      const double reachJFirst = std::max(DrillLength(j, turnedJ), d3 + DrillLength(i, turnedI));
      const double reachIFirst = std::max(DrillLength(i, turnedI), d1 + DrillLength(j, turnedJ));
      jFirst = JGoesFirst(reachJFirst, reachIFirst, d1, d3);
      block.drillLength = jFirst ? reachJFirst : reachIFirst;
    }
  }

  BlockPlacement first{i, turnedI, 0, 0};
  BlockPlacement second{j, turnedJ, 0, 0};
  if (jFirst) std::swap(first, second);
  if (stacked) {
    second.y = ExtentWidth(first.part, first.turned);
  } else {
    second.x = ExtentLength(first.part, first.turned);
  }
  blockPlacements.push_back(first);
  blockPlacements.push_back(second);
  SummariseRuns(block, &blockPlacements[block.first]);
  blocks.push_back(block);
}

void Optimizer::AddGridBlock(int32_t part, bool turned, int32_t n, int32_t m) {
  const double pl = ExtentLength(part, turned);
  const double pw = ExtentWidth(part, turned);
  Block block;
  block.count = n * m;
  block.first = static_cast<int32_t>(blockPlacements.size());
  for (int32_t a = 0; a < n; ++a) {
    for (int32_t b = 0; b < m; ++b) blockPlacements.push_back({part, turned, a * pl, b * pw});
  }
  block.area = n * m * pl * pw;
  block.weight = n * m * partWeights[part];
  block.length = n * pl;
  block.width = m * pw;
  block.drilled = parts[part].drilling_required == 1;
  if (block.drilled) {
    block.drillLength = (n - 1) * pl + DrillLength(part, turned);
    block.drillWidth = (m - 1) * pw + DrillWidth(part, turned);
  }
  block.sequence = parts[part].sequence;
  block.minLength = pl;
  block.minWidth = pw;
  SummariseRuns(block, &blockPlacements[block.first]);
  blocks.push_back(block);
}

void Optimizer::ArrangePairBlock(Block& block, double x, double y, double panelLength, double panelWidth) {
  if (block.count != 2) return;
  BlockPlacement& first = blockPlacements[block.first];
  BlockPlacement& second = blockPlacements[block.first + 1];

  // Side by side: near the low end of the panel the longer part goes first, near the high
  // end last, so the long part lies against the panel edge.
  if (std::fabs(second.y) <= kEps) {
    const double e0 = ExtentLength(first.part, first.turned);
    const double e1 = ExtentLength(second.part, second.turned);
    bool swap = false;
    if (x < 0.1 * panelLength - kEps && e1 > e0 + kEps) {
      swap = true;
    } else if (x + block.length > 0.9 * panelLength + kEps && e1 + kEps < e0) {
      swap = true;
    }
    // A drilled pair keeps its order when the other order would reach beyond the drilled
    // extent its placement was checked against.
    if (swap && block.drilled &&
        std::max(DrillLength(second.part, second.turned),
                 ExtentLength(second.part, second.turned) + DrillLength(first.part, first.turned)) >
            block.drillLength + kEps) {
      swap = false;
    }
    if (swap) {
      std::swap(first, second);
      first.x = 0;
      second.x = ExtentLength(first.part, first.turned);
    }
  }
  // Stacked: the same across the width.
  if (std::fabs(second.x) <= kEps) {
    const double w0 = ExtentWidth(first.part, first.turned);
    const double w1 = ExtentWidth(second.part, second.turned);
    bool swap = false;
    if (y < 0.1 * panelWidth - kEps && w0 < w1 - kEps) {
      swap = true;
    } else if (y + block.width > 0.9 * panelWidth + kEps && w0 > w1 + kEps) {
      swap = true;
    }
    if (swap && block.drilled &&
        std::max(DrillWidth(second.part, second.turned),
                 ExtentWidth(second.part, second.turned) + DrillWidth(first.part, first.turned)) >
            block.drillWidth + kEps) {
      swap = false;
    }
    if (swap) {
      std::swap(first, second);
      first.y = 0;
      second.y = ExtentWidth(first.part, first.turned);
    }
  }
}

void Optimizer::SummariseRuns(Block& block, const BlockPlacement* placements) {
  block.runCount = 0;
  int32_t i = 0;
  while (i < block.count) {
    int32_t k = 1;
    while (i + k < block.count && placements[i + k].part == placements[i].part) ++k;
    if (block.runCount == 2) {
      block.runCount = 0;
      return;
    }
    block.runPart[block.runCount] = placements[i].part;
    block.runLength[block.runCount] = k;
    ++block.runCount;
    i += k;
  }
}

void Optimizer::DiscardBlocks() {
  std::vector<Block>().swap(blocks);
  std::vector<BlockPlacement>().swap(blockPlacements);
  active_ = {};
  std::vector<int32_t>().swap(activeSlot_);
  initialActive_ = {};
  std::vector<int32_t>().swap(initialSlot_);
  initialSequence_ = -1;
  std::vector<int32_t>().swap(partBlockStart_);
  std::vector<int32_t>().swap(partBlocks_);
}

void Optimizer::AllocLayout(Layout& layout) const {
  layout.counts.assign(numParts, 0);
  layout.placed.assign(placedCapacity_, PlacedPart{});
  const size_t rects = 4 * static_cast<size_t>(placedCapacity_) + 2;
  layout.freeRects.assign(rects, FreeRect{});
  layout.parkedRects.assign(rects, FreeRect{});
  layout.placedCount = 0;
  layout.usedWeight = 0;
  layout.usedLength = 0;
  layout.freeCount = 0;
  layout.parkedCount = 0;
  layout.remainingArea = 0;
  layout.onePanel = false;
  layout.stripCut = 0;
}

void Optimizer::FreeLayout(Layout& layout) {
  std::vector<PlacedPart>().swap(layout.placed);
  std::vector<int32_t>().swap(layout.counts);
  std::vector<FreeRect>().swap(layout.freeRects);
  std::vector<FreeRect>().swap(layout.parkedRects);
  layout.placedCount = 0;
  layout.freeCount = 0;
  layout.parkedCount = 0;
}

}  // namespace sawplan
