// The step scan one block at a time, the list of the five best, and the choice of the scan
// path. The lane code in step_scan_avx2.cpp repeats the arithmetic of ScoreBlockAt operation
// for operation; a change here must be made there too (the fingerprint tests run both).
#include "step_scan.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "optimizer.h"

namespace sawplan {

void ActiveBlocks::Reserve(int32_t blocks) {
  const size_t n = static_cast<size_t>(blocks) + kLanes;
  for (std::vector<double>* field :
       {&length, &width, &ratio, &area, &weight, &minLength, &minWidth, &drillLength, &drillWidth}) {
    field->resize(n);
  }
  live.resize(n);
  drilled.resize(n);
  block.resize(n);
}

void ActiveBlocks::Append(const Block& b, int32_t index) {
  const size_t i = static_cast<size_t>(count++);
  length[i] = b.length;
  width[i] = b.width;
  ratio[i] = b.area / b.weight;
  area[i] = b.area;
  weight[i] = b.weight;
  minLength[i] = b.minLength;
  minWidth[i] = b.minWidth;
  drillLength[i] = b.drillLength;
  drillWidth[i] = b.drillWidth;
  live[i] = -1;
  drilled[i] = b.drilled ? -1 : 0;
  block[i] = index;
  leastLength = std::min(leastLength, b.length);
  leastWidth = std::min(leastWidth, b.width);
  if (std::isnan(b.length) || std::isnan(b.width)) unordered = true;
}

void ActiveBlocks::CopyFrom(const ActiveBlocks& other) {
  const size_t n = static_cast<size_t>(other.count);
  auto copy = [n](const auto& from, auto& to) {
    if (to.size() < from.size()) to.resize(from.size());
    std::copy_n(from.begin(), n, to.begin());
  };
  copy(other.length, length);
  copy(other.width, width);
  copy(other.ratio, ratio);
  copy(other.area, area);
  copy(other.weight, weight);
  copy(other.minLength, minLength);
  copy(other.minWidth, minWidth);
  copy(other.drillLength, drillLength);
  copy(other.drillWidth, drillWidth);
  copy(other.live, live);
  copy(other.drilled, drilled);
  copy(other.block, block);
  count = other.count;
  dead = other.dead;
  maxMovableLength = other.maxMovableLength;
  maxMovableWidth = other.maxMovableWidth;
  movableMeasuredFor = other.movableMeasuredFor;
  leastLength = other.leastLength;
  leastWidth = other.leastWidth;
  leastStale = other.leastStale;
  unordered = other.unordered;
}

void ActiveBlocks::Pad() {
  while (count % kLanes != 0) {
    const size_t i = static_cast<size_t>(count++);
    length[i] = width[i] = ratio[i] = area[i] = minLength[i] = minWidth[i] = 0;
    drillLength[i] = drillWidth[i] = 0;
    weight[i] = 1;
    live[i] = 0;
    drilled[i] = 0;
    block[i] = -1;
  }
}

void ActiveBlocks::RefreshLeast() {
  leastLength = leastWidth = std::numeric_limits<double>::infinity();
  for (int32_t i = 0; i < count; ++i) {
    if (live[i] == 0) continue;
    leastLength = std::min(leastLength, length[i]);
    leastWidth = std::min(leastWidth, width[i]);
  }
  leastStale = false;
}

void ActiveBlocks::MeasureMovable(double bigMinimum) {
  if (movableMeasuredFor == bigMinimum) return;
  movableMeasuredFor = bigMinimum;
  maxMovableLength = maxMovableWidth = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (block[i] < 0) continue;
    if (minLength[i] > bigMinimum) maxMovableLength = std::max(maxMovableLength, length[i]);
    if (minWidth[i] > bigMinimum) maxMovableWidth = std::max(maxMovableWidth, width[i]);
  }
}

void NearBoxes::Reserve(int32_t parts) {
  const size_t n = static_cast<size_t>(std::max(parts, 1));
  x0.resize(n);
  y0.resize(n);
  x1.resize(n);
  y1.resize(n);
}

void BestFive::Reset() {
  for (int k = 0; k < 5; ++k) {
    entry[k] = {10000000000.0 + k, -1, {}};
    entryLength[k] = entryWidth[k] = entryArea[k] = 0;
  }
  worst = entry[4].score;
}

bool NoUnmovedBlockFits(const StepFrame& f, const NearBoxes& near, double leastLength, double leastWidth) {
  if (f.x + leastLength > f.lengthLimit || f.y + leastWidth > f.stripLimitAtY) return true;
  auto freeAt = [&](double x, double y) {
    const double xe = x + kEps;
    const double xbe = x + leastLength - kEps;
    const double ye = y + kEps;
    const double ybe = y + leastWidth - kEps;
    for (int32_t j = 0; j < near.count; ++j) {
      if (xe < near.x1[j] && near.x0[j] < xbe && ye < near.y1[j] && near.y0[j] < ybe) return false;
    }
    return true;
  };
  if (freeAt(f.x, f.y)) return false;
  // A shift clears the first part the block meets at the corner: one that reaches past the
  // corner in both directions.
  const double xe = f.x + kEps;
  const double ye = f.y + kEps;
  const double strip = f.y < f.stripCutLow ? f.stripCut : f.panelWidth;
  for (int32_t i = 0; i < near.count; ++i) {
    if (!(xe < near.x1[i] && ye < near.y1[i])) continue;
    const double alongLength = near.x1[i] - f.x;
    if (near.x0[i] < f.x - kEps && f.x + leastLength + alongLength <= f.lengthLimit &&
        freeAt(f.x + alongLength, f.y)) {
      return false;
    }
    const double acrossWidth = near.y1[i] - f.y;
    if (near.y0[i] < f.y - kEps && f.y + leastWidth + acrossWidth <= strip + kEps &&
        freeAt(f.x, f.y + acrossWidth)) {
      return false;
    }
  }
  return true;
}

bool ScoreBlockAt(const StepFrame& f, const ActiveBlocks& a, size_t i, const NearBoxes& near, double* px,
                  double* py, double* score) {
  const double bl = a.length[i];
  const double bw = a.width[i];
  if (f.x + bl > f.lengthLimit) return false;
  if (f.y + bw > f.stripLimitAtY) return false;
  double x = f.x;
  double y = f.y;
  if (f.smallParts) {
    if (f.MovesAcross(a, i)) y = f.panelWidth - bw;
    if (f.MovesAlong(a, i)) x = f.panelLength - bl;
  }

  double shift = 0;
  int32_t first = -1;
  {
    const double xe = x + kEps;
    const double xbe = x + bl - kEps;
    const double ye = y + kEps;
    const double ybe = y + bw - kEps;
    for (int32_t j = 0; j < near.count; ++j) {
      if (xe < near.x1[j] && near.x0[j] < xbe && ye < near.y1[j] && near.y0[j] < ybe) {
        first = j;
        break;
      }
    }
  }
  if (first >= 0) {
    const double alongLength = near.x1[first] - x;
    const double lengthShift =
        (near.x0[first] < x - kEps && x + bl + alongLength <= f.lengthLimit) ? alongLength : kHuge;
    const double acrossWidth = near.y1[first] - y;
    const double strip = y < f.stripCutLow ? f.stripCut : f.panelWidth;
    const double widthShift =
        (near.y0[first] < y - kEps && y + bw + acrossWidth <= strip + kEps) ? acrossWidth : kHuge;
    if (lengthShift == kHuge && widthShift == kHuge) return false;
    if (widthShift + kEps < lengthShift) {
      y += widthShift;
      shift = widthShift;
    } else {
      x += lengthShift;
      shift = lengthShift;
    }
    const double xe = x + kEps;
    const double xbe = x + bl - kEps;
    const double ye = y + kEps;
    const double ybe = y + bw - kEps;
    for (int32_t j = 0; j < near.count; ++j) {
      if (xe < near.x1[j] && near.x0[j] < xbe && ye < near.y1[j] && near.y0[j] < ybe) return false;
    }
  }

  if (a.drilled[i] != 0 &&
      (x + a.drillLength[i] > f.drillLengthLimit || y + a.drillWidth[i] > f.drillWidthLimit)) {
    return false;
  }

  const double dL = std::fabs(f.rectLength - bl);
  const double dW = std::fabs(f.rectWidth - bw);
  const bool lengthTighter = dL <= dW + kEps;
  double value = 0;
  if (!f.scoringVariant) {
    value = 6 * shift + (lengthTighter ? dL : dW);
  } else {
    value = lengthTighter ? 6 * shift + 4 * dL + 2 * dW : 6 * shift + 2 * dL + 4 * dW;
  }
  if (f.smallPartsInside) {
    if (a.minLength[i] < f.smallMinimum && (x < f.lowLength || x + bl > f.highLength)) value += kHuge;
    if (a.minWidth[i] < f.smallMinimum && (y < f.lowWidth || y + bw > f.highWidth)) value += kHuge;
  }
  *px = x;
  *py = y;
  *score = a.area[i] * value / a.weight[i];
  return true;
}

void ScanStepScalar(const StepFrame& f, const ActiveBlocks& a, const NearBoxes& near, BestFive& best) {
  // Only moved blocks wanted, and none can move: nothing to score.
  if (f.onlyMoved && !f.smallParts) return;
  for (int32_t g = 0; g < a.count; g += ActiveBlocks::kLanes) {
    // The bound of each lane is measured against the five best as they stood when the group
    // began, as the lane code does; a lane it lets through is then held against the list as
    // it stands (Offer), so the result does not depend on the grouping.
    const double refused = best.worst + kEps;
    for (int32_t lane = 0; lane < ActiveBlocks::kLanes; ++lane) {
      const size_t i = static_cast<size_t>(g + lane);
      if (a.live[i] == 0) continue;
      if (f.onlyMoved && !(f.MovesAcross(a, i) || f.MovesAlong(a, i))) {
        continue;
      }
      // The score is at least area / weight times the block's misfit with the rectangle alone
      // (shifts and penalties only add). When that bound, less a margin far above the rounding
      // of either computation, is still refused, the block need not be scored.
      const double dL = std::fabs(f.rectLength - a.length[i]);
      const double dW = std::fabs(f.rectWidth - a.width[i]);
      const double leastValue =
          f.scoringVariant ? std::min(4 * dL + 2 * dW, 2 * dL + 4 * dW) : std::min(dL, dW);
      if (a.ratio[i] > 0 && a.ratio[i] * leastValue * (1 - 1e-9) > refused) continue;
      double x = 0;
      double y = 0;
      double score = 0;
      if (ScoreBlockAt(f, a, i, near, &x, &y, &score)) {
        best.Offer(score, a.block[i], a.length[i], a.width[i], a.area[i], x, y);
      }
    }
  }
}

bool ScanPathAvailable(ScanPath path) {
  switch (path) {
    case ScanPath::Scalar:
      return true;
    case ScanPath::Avx2:
      // The lane code is built for x86-64 only (step_scan_avx2.cpp).
#if defined(__x86_64__)
      return __builtin_cpu_supports("avx2");
#else
      return false;
#endif
  }
  return false;
}

const char* ScanPathName(ScanPath path) {
  return path == ScanPath::Avx2 ? "avx2" : "scalar";
}

ScanPath DefaultScanPath() {
  // A named path the processor lacks falls back to what it has.
  if (const char* named = std::getenv("SAWPLAN_SCAN")) {
    if (std::strcmp(named, "scalar") == 0) return ScanPath::Scalar;
    if (std::strcmp(named, "avx2") == 0 && ScanPathAvailable(ScanPath::Avx2)) return ScanPath::Avx2;
  }
  return ScanPathAvailable(ScanPath::Avx2) ? ScanPath::Avx2 : ScanPath::Scalar;
}

}  // namespace sawplan
