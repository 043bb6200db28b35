// One randomized greedy construction of a layout: pick a free rectangle, score every block of
// the current sequence there, place one of the five best drawn with fixed odds, update the
// free rectangles. The order of the random draws decides every layout.
#include <algorithm>
#include <cmath>
#include <limits>

#include "optimizer.h"

namespace sawplan {

namespace {

// Sequences at or above this are never placed.
constexpr int32_t kNoSequence = 100000;

}  // namespace

void Optimizer::ResetLayout(Layout& layout) {
  layout.onePanel = false;
  layout.usedWeight = 0;
  layout.usedLength = 0;

  // A panel wider than the saw can cut is worked as two strips; the cut between them wanders
  // from reset to reset so the search sees different splits.
  const double width = layout.panel.width;
  const double maxCut = settings.max_saw_cuttingwidth;
  if (width - kEps > maxCut) {
    const double r = Random01();
    layout.stripCut = (102 - 4 * r) * layout.stripCut * 0.0101;
    if (layout.stripCut > 0.5 * width + kEps) layout.stripCut = width - maxCut;
    if (layout.stripCut < (width - maxCut) - kEps) layout.stripCut = width - maxCut;
  }

  layout.remainingArea = 0;
  for (int32_t p = 0; p < numParts; ++p) {
    const tVREXPartData& part = parts[p];
    remainingDemand[p] = part.num;
    layout.remainingArea += part.num * part.length * part.width;
    layout.counts[p] = 0;
  }

  layout.placedCount = 0;
  layout.freeCount = 0;
  layout.freeRects[layout.freeCount++] = {0, 0, layout.panel.length, StripWidthAt(layout, 0), false};
  if (layout.stripCut < width - kEps) {
    layout.freeRects[layout.freeCount++] = {0, layout.stripCut, layout.panel.length, width - layout.stripCut,
                                            false};
  }
  layout.parkedCount = 0;
}

double Optimizer::StripWidthAt(const Layout& layout, double y) {
  return y < layout.stripCut - kEps ? layout.stripCut : layout.panel.width;
}

void Optimizer::AddFreeRect(Layout& layout, double x, double y, double length, double width) const {
  // A corner that cannot take even the smallest part is no use.
  if (x <= layout.panel.length - smallestPartDimension + kEps &&
      y <= StripWidthAt(layout, y) - smallestPartDimension + kEps) {
    const FreeRect rect{x, y, length, width, settings.small_parts_inside == 1};
    if (layout.freeCount < static_cast<int32_t>(layout.freeRects.size())) {
      layout.freeRects[layout.freeCount] = rect;
    } else {
      layout.freeRects.push_back(rect);
    }
    ++layout.freeCount;
  }
}

void Optimizer::RemoveFreeRect(Layout& layout, int32_t i) {
  std::copy(layout.freeRects.begin() + i + 1, layout.freeRects.begin() + layout.freeCount,
            layout.freeRects.begin() + i);
  --layout.freeCount;
}

void Optimizer::ParkFreeRect(Layout& layout, int32_t i) {
  const FreeRect& rect = layout.freeRects[i];
  const FreeRect parked{rect.x, rect.y, rect.length, rect.width, false};
  if (layout.parkedCount < static_cast<int32_t>(layout.parkedRects.size())) {
    layout.parkedRects[layout.parkedCount] = parked;
  } else {
    layout.parkedRects.push_back(parked);
  }
  ++layout.parkedCount;
}

void Optimizer::RestoreParkedRects(Layout& layout) const {
  // A restored rectangle is as good as a new one, so it gets the flag a new one would get.
  const bool smallParts = settings.small_parts_inside == 1;
  for (int32_t i = layout.parkedCount - 1; i >= 0; --i) {
    FreeRect rect = layout.parkedRects[i];
    rect.smallParts = smallParts;
    if (layout.freeCount < static_cast<int32_t>(layout.freeRects.size())) {
      layout.freeRects[layout.freeCount] = rect;
    } else {
      layout.freeRects.push_back(rect);
    }
    ++layout.freeCount;
  }
  layout.parkedCount = 0;
}

bool Optimizer::BlockExceedsDemand(const Layout& layout, const Block& block) const {
  if (block.runCount > 0) {
    for (int32_t r = 0; r < block.runCount; ++r) {
      const int32_t part = block.runPart[r];
      const int32_t k = block.runLength[r];
      if (static_cast<int64_t>(layout.demandMultiplier) * k > remainingDemand[part] ||
          static_cast<int64_t>(layout.counts[part]) + k > parts[part].maxnumperpanel) {
        return true;
      }
    }
    return false;
  }
  const BlockPlacement* placement = &blockPlacements[block.first];
  int32_t i = 0;
  while (i < block.count) {
    const int32_t part = placement[i].part;
    int32_t k = 1;
    while (i + k < block.count && placement[i + k].part == part) ++k;
    if (static_cast<int64_t>(layout.demandMultiplier) * k > remainingDemand[part] ||
        static_cast<int64_t>(layout.counts[part]) + k > parts[part].maxnumperpanel) {
      return true;
    }
    i += k;
  }
  return false;
}

bool Optimizer::OverlapsPlacedPart(const Layout& layout, int32_t part, bool turned, double x,
                                   double y) const {
  const double pl = ExtentLength(part, turned);
  const double pw = ExtentWidth(part, turned);
  for (int32_t i = 0; i < layout.placedCount; ++i) {
    const PlacedPart& q = layout.placed[i];
    if (x + kEps < q.x + q.length && q.x < x + pl - kEps && y + kEps < q.y + q.width && q.y < y + pw - kEps) {
      return true;
    }
  }
  return false;
}

StepFrame Optimizer::ConstructionFrame(const Layout& layout) const {
  const double panelLength = layout.panel.length;
  const double panelWidth = layout.panel.width;
  StepFrame frame;
  frame.scoringVariant = layout.scoringVariant;
  frame.smallPartsInside = settings.small_parts_inside != 0;
  frame.panelLength = panelLength;
  frame.panelWidth = panelWidth;
  frame.stripCut = layout.stripCut;
  frame.lengthLimit = panelLength + kEps;
  frame.stripCutLow = layout.stripCut - kEps;
  frame.drillLengthLimit = layout.panel.drilling_area_length + kEps;
  frame.drillWidthLimit = layout.panel.drilling_area_width + kEps;
  const double smaller = std::min(panelLength, panelWidth);
  frame.band75Width = 0.75 * panelWidth + kEps;
  frame.band75Length = 0.75 * panelLength + kEps;
  frame.bigMinimum = 0.2 * smaller + kEps;
  frame.smallMinimum = 0.1 * smaller - kEps;
  frame.lowLength = 0.1 * panelLength - kEps;
  frame.highLength = 0.9 * panelLength + kEps;
  frame.lowWidth = 0.1 * panelWidth - kEps;
  frame.highWidth = 0.9 * panelWidth + kEps;
  frame.areaExceedsPanel = panelLength * panelWidth + kEps < layout.remainingArea;
  return frame;
}

void Optimizer::SetFrameRect(StepFrame& frame, const Layout& layout, const FreeRect& rect) {
  frame.x = rect.x;
  frame.y = rect.y;
  frame.rectLength = rect.length;
  frame.rectWidth = rect.width;
  frame.smallParts = rect.smallParts;
  frame.stripLimitAtY = StripWidthAt(layout, rect.y) + kEps;
  frame.moveYCorner = rect.y > 0.25 * frame.panelWidth + kEps;
  frame.moveXCorner = frame.areaExceedsPanel && rect.x > 0.25 * frame.panelLength + kEps;
}

bool Optimizer::SamePoint(Point a, Point b) {
  return std::fabs(a.x - b.x) <= kEps && std::fabs(a.y - b.y) <= kEps;
}

void Optimizer::PlaceBlock(Layout& layout, Block& block, Point p, Point q) {
  layout.usedWeight += block.weight;
  const bool moved = !SamePoint(p, q);
  ArrangePairBlock(block, p.x, p.y, layout.panel.length, layout.panel.width);
  // A block shifted off its rectangle's corner puts each part back at the corner where that
  // part alone is free, unless the block touches the panel's far edges.
  const bool tryCorner = moved && p.x + block.length < layout.panel.length - kEps &&
                         p.y + block.width < layout.panel.width - kEps;
  for (int32_t i = 0; i < block.count; ++i) {
    const BlockPlacement& placement = blockPlacements[block.first + i];
    double x = p.x + placement.x;
    double y = p.y + placement.y;
    if (tryCorner &&
        !OverlapsPlacedPart(layout, placement.part, placement.turned, q.x + placement.x, q.y + placement.y)) {
      x = q.x + placement.x;
      y = q.y + placement.y;
    }
    PlacedPart& placed = layout.placed[layout.placedCount++];
    placed.part = placement.part;
    placed.turned = placement.turned;
    placed.x = x;
    placed.y = y;
    placed.length = ExtentLength(placement.part, placement.turned);
    placed.width = ExtentWidth(placement.part, placement.turned);
    --remainingDemand[placement.part];
    ++layout.counts[placement.part];
    layout.usedLength = std::max(layout.usedLength, x + placed.length);
  }
}

void Optimizer::UpdateFreeRects(Layout& layout, const Block& block, int32_t rect, Point p) const {
  const double panelLength = layout.panel.length;
  const double panelWidth = layout.panel.width;
  const double rx = layout.freeRects[rect].x;
  const double ry = layout.freeRects[rect].y;
  const double bx2 = p.x + block.length;
  const double by2 = p.y + block.width;

  if (SamePoint(p, {rx, ry})) {
    RemoveFreeRect(layout, rect);
  } else {
    // The block was shifted: what lies before it stays free.
    FreeRect& used = layout.freeRects[rect];
    if (p.x > rx + kEps) used.length = p.x - rx;
    if (p.y > ry + kEps) used.width = p.y - ry;
    used.smallParts = false;
  }

  const double stripAtP = StripWidthAt(layout, p.y);
  AddFreeRect(layout, bx2, p.y, std::min(panelLength - bx2, 2 * largestPartDimension),
              stripAtP - smallestPartDimension >= by2 ? block.width : stripAtP - p.y);

  AddFreeRect(layout, p.x, by2, panelLength - smallestPartDimension >= bx2 ? block.length : panelLength - p.x,
              StripWidthAt(layout, by2) - by2);

  if (std::fabs(p.x - rx) <= kEps && std::fabs(p.y - ry) > kEps) {
    AddFreeRect(layout, bx2, ry,
                panelLength - smallestPartDimension >= bx2 ? block.length : panelLength - bx2,
                StripWidthAt(layout, ry) - by2);
  }
  if (std::fabs(p.y - ry) <= kEps && std::fabs(p.x - rx) > kEps) {
    AddFreeRect(layout, rx, by2, panelLength - bx2,
                panelWidth - smallestPartDimension >= by2 ? block.width : panelWidth - by2);
  }
}

int32_t Optimizer::MinRemainingSequence() const {
  int32_t minSeq = kNoSequence;
  for (int32_t p = 0; p < numParts; ++p) {
    if (remainingDemand[p] > 0 && parts[p].sequence < minSeq) minSeq = parts[p].sequence;
  }
  return minSeq;
}

int32_t Optimizer::PartsLeftInSequence(int32_t sequence) const {
  int32_t left = 0;
  for (int32_t p = 0; p < numParts; ++p) {
    if (remainingDemand[p] > 0 && parts[p].sequence == sequence) ++left;
  }
  return left;
}

void Optimizer::CollectActiveBlocks(const Layout& layout, int32_t sequence) {
  active_.Clear();
  std::fill(activeSlot_.begin(), activeSlot_.end(), -1);
  for (int32_t b = 0; b < static_cast<int32_t>(blocks.size()); ++b) {
    if (blocks[b].sequence == sequence && !BlockExceedsDemand(layout, blocks[b])) {
      activeSlot_[b] = active_.count;
      active_.Append(blocks[b], b);
    }
  }
  active_.Pad();
}

void Optimizer::StartActiveBlocks(const Layout& layout, int32_t sequence, double bigMinimum) {
  // The demand a construction starts from: every copy still to place, none on the layout.
  bool fresh = true;
  for (int32_t p = 0; p < numParts && fresh; ++p) {
    fresh = remainingDemand[p] == parts[p].num && layout.counts[p] == 0;
  }
  if (!fresh) {
    CollectActiveBlocks(layout, sequence);
  } else if (initialSequence_ != sequence || initialMultiplier_ != layout.demandMultiplier) {
    CollectActiveBlocks(layout, sequence);
    // Measured before it is kept, so that every copy starts measured.
    active_.MeasureMovable(bigMinimum);
    initialActive_ = active_;
    initialSlot_ = activeSlot_;
    initialSequence_ = sequence;
    initialMultiplier_ = layout.demandMultiplier;
  } else {
    active_.CopyFrom(initialActive_);
    activeSlot_ = initialSlot_;
  }
  // A list collected anew, or a copy kept for another panel size, is measured for this panel.
  active_.MeasureMovable(bigMinimum);
}

void Optimizer::MarkExceedingBlocks(const Layout& layout, const Block& placed) {
  auto markPart = [&](int32_t part) {
    for (int32_t k = partBlockStart_[part]; k < partBlockStart_[part + 1]; ++k) {
      const int32_t b = partBlocks_[k];
      const int32_t slot = activeSlot_[b];
      if (slot < 0 || active_.live[slot] == 0 || !BlockExceedsDemand(layout, blocks[b])) continue;
      active_.Kill(slot);
    }
  };
  ForEachPartRun(placed, markPart);
  // Dead entries cost a masked lane each; once they are half the list, it is packed again in
  // the same order.
  if (2 * active_.dead <= active_.count) return;
  int32_t kept = 0;
  for (int32_t slot = 0; slot < active_.count; ++slot) {
    const int32_t b = active_.block[slot];
    if (b < 0) continue;
    if (active_.live[slot] == 0) {
      activeSlot_[b] = -1;
      continue;
    }
    activeSlot_[b] = kept++;
  }
  // The packed list holds fewer blocks: the bounds measured on the whole one still hold.
  const double maxMovableLength = active_.maxMovableLength;
  const double maxMovableWidth = active_.maxMovableWidth;
  const double measuredFor = active_.movableMeasuredFor;
  active_.Clear();
  for (int32_t b = 0; b < static_cast<int32_t>(blocks.size()); ++b) {
    if (activeSlot_[b] >= 0) active_.Append(blocks[b], b);
  }
  active_.Pad();
  active_.maxMovableLength = maxMovableLength;
  active_.maxMovableWidth = maxMovableWidth;
  active_.movableMeasuredFor = measuredFor;
}

void Optimizer::ConstructLayout(Layout& layout, int32_t panelIndex) {
  // Normally sized once per panel search; only a direct call may need them here.
  if (activeSlot_.size() != blocks.size()) CollectPartBlocks();
  if (near_.x0.size() < layout.placed.size()) near_.Reserve(static_cast<int32_t>(layout.placed.size()));

  layout.panelIndex = panelIndex;
  int32_t minSeq = MinRemainingSequence();
  int32_t partsLeftInSequence = PartsLeftInSequence(minSeq);
  layout.scoringVariant = Random01() < 0.5;
  StepFrame frame = ConstructionFrame(layout);
  StartActiveBlocks(layout, minSeq, frame.bigMinimum);
  const auto scan =
      scanPath == ScanPath::Avx2 && ScanPathAvailable(ScanPath::Avx2) ? ScanStepAvx2 : ScanStepScalar;

  BestFive best;
  while (layout.freeCount > 0 && minSeq < kNoSequence) {
    best.Reset();

    // Mostly the rectangle nearest the origin, sometimes the leftmost or the lowest one.
    const double r = Random01();
    auto key = [r](const FreeRect& f) { return r < 0.8 ? f.x + f.y : (r < 0.9 ? f.x : f.y); };
    int32_t chosen = 0;
    double chosenKey = key(layout.freeRects[0]);
    for (int32_t i = 1; i < layout.freeCount; ++i) {
      const double k = key(layout.freeRects[i]);
      if (k < chosenKey - kEps) {
        chosen = i;
        chosenKey = k;
      }
    }
    const FreeRect rect = layout.freeRects[chosen];

    SetFrameRect(frame, layout, rect);
    // Every position a block is scored at lies at or beyond the rectangle's corner, or, for a
    // block the small-parts rule moves to the panel's far edge, at or beyond that edge less
    // the longest (widest) block it may move; shifts only move further. Floating-point
    // addition keeps that order, so a part that ends (with the tolerance) before the lowest
    // such position in either direction can block nothing and is left out.
    double lowX = rect.x;
    double lowY = rect.y;
    if (frame.smallParts && frame.moveXCorner)
      lowX = std::min(lowX, frame.panelLength - active_.maxMovableLength);
    if (frame.smallParts && frame.moveYCorner)
      lowY = std::min(lowY, frame.panelWidth - active_.maxMovableWidth);
    if (active_.unordered) lowX = lowY = -std::numeric_limits<double>::infinity();
    const double reachX = lowX + kEps;
    const double reachY = lowY + kEps;
    near_.count = 0;
    for (int32_t i = 0; i < layout.placedCount; ++i) {
      const PlacedPart& q = layout.placed[i];
      const double x1 = q.x + q.length;
      const double y1 = q.y + q.width;
      if (reachX < x1 && reachY < y1) {
        near_.x0[near_.count] = q.x;
        near_.y0[near_.count] = q.y;
        near_.x1[near_.count] = x1;
        near_.y1[near_.count] = y1;
        ++near_.count;
      }
    }

    // Most rectangles that take nothing are proved so here at a fraction of the scan's cost;
    // then only blocks the small-parts rule moves need scoring.
    if (active_.leastStale) active_.RefreshLeast();
    frame.onlyMoved =
        !active_.unordered && NoUnmovedBlockFits(frame, near_, active_.leastLength, active_.leastWidth);
    if (!frame.onlyMoved || (frame.smallParts && (frame.moveYCorner || frame.moveXCorner))) {
      scan(frame, active_, near_, best);
    }

    const Candidate* entry = best.entry;
    if (entry[0].block < 0) {
      // Nothing of this sequence fits here; the rectangle waits for the next sequence.
      ParkFreeRect(layout, chosen);
      RemoveFreeRect(layout, chosen);
      continue;
    }

    const double draw = Random01();
    int counting = 0;
    for (int k = 0; k < 5; ++k) {
      if (entry[k].score < kHuge && entry[k].score - entry[0].score < kHuge) ++counting;
    }
    int pick = 0;
    if (counting >= 4) {
      pick = draw < 0.15 ? 3 : draw < 0.35 ? 2 : draw < 0.6 ? 1 : 0;
    } else if (counting == 3) {
      const double t2 = std::fabs(entry[1].score - entry[2].score) > kEps ? 0.15 : 0.3;
      if (draw < t2) {
        pick = 2;
      } else {
        const double t1 = std::fabs(entry[0].score - entry[1].score) > kEps ? 0.45 : 0.725;
        pick = draw < t1 ? 1 : 0;
      }
    } else if (counting == 2) {
      const double t = std::fabs(entry[0].score - entry[1].score) > kEps ? 0.33 : 0.5;
      pick = draw < t ? 1 : 0;
    }

    Block& block = blocks[entry[pick].block];
    const Point position = entry[pick].position;
    PlaceBlock(layout, block, position, {rect.x, rect.y});
    UpdateFreeRects(layout, block, chosen, position);
    MarkExceedingBlocks(layout, block);

    // The smallest sequence with demand left changes only once no part of it has demand left;
    // counting those parts spares a look at every part type after every placement.
    ForEachPartRun(block, [&](int32_t part) {
      int32_t copies = 0;
      for (int32_t k = 0; k < block.count; ++k)
        copies += blockPlacements[block.first + k].part == part ? 1 : 0;
      if (parts[part].sequence == minSeq && remainingDemand[part] <= 0 &&
          remainingDemand[part] + copies > 0) {
        --partsLeftInSequence;
      }
    });
    if (partsLeftInSequence > 0) continue;
    const int32_t nextSeq = MinRemainingSequence();
    partsLeftInSequence = PartsLeftInSequence(nextSeq);
    if (nextSeq != minSeq) {
      minSeq = nextSeq;
      RestoreParkedRects(layout);
      CollectActiveBlocks(layout, minSeq);
      active_.MeasureMovable(frame.bigMinimum);
    }
  }

  layout.onePanel = settings.use_one_panel_if_possible != 0 && layout.placedCount == copiesLeft;
}

void Optimizer::CopyLayout(Layout& target, const Layout& source) const {
  target.panelIndex = source.panelIndex;
  target.panel = panels[source.panelIndex];
  target.placedCount = source.placedCount;
  if (target.placed.size() < static_cast<size_t>(source.placedCount))
    target.placed.resize(source.placedCount);
  std::copy_n(source.placed.begin(), source.placedCount, target.placed.begin());
  target.counts = source.counts;
  target.usedWeight = source.usedWeight;
  target.usedLength = source.usedLength;
  target.distance = source.distance;
  target.onePanel = source.onePanel;
}

}  // namespace sawplan
