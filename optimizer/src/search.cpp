// The body of Optimize: one stored layout per pass, the repeated construction on each panel
// type, the rules that compare layouts and panel types, and commit, compaction and storage.
#include <algorithm>
#include <chrono>
#include <cmath>

#include "optimizer.h"

namespace sawplan {

namespace {

constexpr uint32_t kSeed = 250465;
constexpr int32_t kMaxConstructions = 5000;
// Panel sequences above this are never tried.
constexpr int32_t kLastPanelSequence = 999999;

// d = 100 x utilization difference, squared when above 1: how much one layout's better use of
// the panel weighs against the other's higher repeat count.
double UtilizationGain(double better, double worse) {
  double d = 100 * (better - worse);
  if (d > 1) d = d * d;
  return d;
}

}  // namespace

double Optimizer::ElapsedSeconds() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<double>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()) * 0.001;
}

void Optimizer::Optimize(int32_t useCallback, const std::function<void(const tVREXProgress&)>& connecto) {
  LogText("------- Optimize Start");
  numLayouts = 0;
  results.clear();
  progress = {};

  PreparePanels();
  PrepareParts();
  progress.numpanelstogo = panelsLeft;
  progress.numpartstogo = copiesLeft;

  Layout candidate;
  Layout choice;
  AllocLayout(candidate);
  AllocLayout(choice);
  results.reserve(std::max(0, std::min(panelsLeft, copiesLeft)));

  while (!stop && copiesLeft > 0 && panelsLeft > 0) {
    // Every pass starts the generator afresh, so a pass depends only on the stock and demand
    // left by the passes before it.
    random.Seed(kSeed);
    for (int i = 0; i < 5; ++i) random.Next();

    progress = {panelsUsed, numLayouts, panelsLeft, copiesLeft};
    if (useCallback != 0 && connecto) connecto(progress);

    ResetLayout(choice);
    int32_t minSeq = kLastPanelSequence;
    for (int32_t p = 0; p < numPanels; ++p) {
      if (panels[p].num > 0 && panels[p].sequence < minSeq) minSeq = panels[p].sequence;
    }
    double bestU = -1;
    bool first = true;
    bool triedAny = false;

    for (int32_t p = 0; p < numPanels && !stop; ++p) {
      if (panels[p].sequence != minSeq || panels[p].num == 0) continue;
      triedAny = true;
      GenerateBlocks(panels[p].length, panels[p].width, panels[p].drilling_area_length,
                     panels[p].drilling_area_width);
      OptimizePanel(candidate, p);

      if (!LayoutHasParts(candidate) ||
          (panels[p].instock != 0 && LayoutUtilization(candidate) < settings.min_stockutilization * 0.01)) {
        // Offcuts that cannot be used well enough, and panels that take nothing, leave the run.
        panelsLeft -= panels[p].num;
        panels[p].num = 0;
      } else {
        const double u = LayoutUtilization(candidate);
        bool take = false;
        if (first) {
          take = true;
        } else if (!choice.onePanel && candidate.onePanel) {
          take = true;
        } else if (choice.onePanel == candidate.onePanel) {
          take = u > 1.02 * bestU ||
                 (u > bestU && LayoutRepeatCount(candidate) >= LayoutRepeatCount(choice)) ||
                 (u > 0.98 * bestU && LayoutRepeatCount(candidate) > LayoutRepeatCount(choice));
        }
        if (take) {
          bestU = u;
          first = false;
          CopyLayout(choice, candidate);
        }
      }
      DiscardBlocks();
    }

    if (first) {
      // A pass that could try no panel type at all would repeat itself for ever.
      if (!triedAny) break;
      continue;
    }
    CommitLayout(choice);
    CompactLayout(choice);
    StoreLayout(choice);
  }

  progress = {panelsUsed, numLayouts, panelsLeft, copiesLeft};
  LogInt("------- Optimize End - Layouts", numLayouts);
  FreeLayout(candidate);
  FreeLayout(choice);
}

void Optimizer::OptimizePanel(Layout& candidate, int32_t panelIndex) {
  Layout trial;
  AllocLayout(trial);
  trial.totalArea = 0;
  for (int32_t p = 0; p < numParts; ++p) trial.totalArea += parts[p].num * parts[p].length * parts[p].width;

  // The smallest unit every part size is a whole multiple of: a layout that must come out
  // shorter than the best must be shorter by at least that much.
  double scale = 1;
  for (;;) {
    bool offScale = false;
    for (int32_t p = 0; p < numParts && !offScale; ++p) {
      for (const double s : {parts[p].length, parts[p].width}) {
        if (std::fabs(scale * s - std::floor(scale * s + 0.0001)) > kEps) offScale = true;
      }
    }
    if (!offScale) break;
    scale *= 10;
  }
  trial.lengthStep = 0.99 / scale;

  near_.Reserve(static_cast<int32_t>(trial.placed.size()));
  const double t0 = ElapsedSeconds();
  int32_t lastImprovement = 0;
  ResetLayout(candidate);
  candidate.usedLength = kHuge;

  trial.panel = panels[panelIndex];
  const double width = trial.panel.width;
  trial.stripCut =
      settings.max_saw_cuttingwidth < width - kEps ? width - settings.max_saw_cuttingwidth : width;

  PanelSearchReport report;
  report.panelIndex = panelIndex;
  report.end = SearchEnd::Constructions;
  int32_t i = 0;
  for (; i < kMaxConstructions; ++i) {
    if (stop) {
      report.end = SearchEnd::Stopped;
      break;
    }
    if (ElapsedSeconds() - t0 >= settings.max_runtime) {
      report.end = SearchEnd::Clock;
      break;
    }
    if (i - lastImprovement > settings.max_num_iters) {
      report.end = SearchEnd::NoImprovement;
      break;
    }
    ResetLayout(trial);
    // Early constructions ask for blocks that leave enough demand for the layout to be cut
    // several times over.
    if (settings.minimize_number_of_layouts == 0) {
      trial.demandMultiplier = 1;
    } else if (i <= 20 && i < settings.max_num_iters / 10) {
      trial.demandMultiplier = 4;
    } else if (i <= 40 && i < settings.max_num_iters / 5) {
      trial.demandMultiplier = 2;
    } else {
      trial.demandMultiplier = 1;
    }
    ConstructLayout(trial, panelIndex);
    if (KeepBetterLayout(candidate, trial)) lastImprovement = i;
  }
  report.constructions = i;
  report.seconds = ElapsedSeconds() - t0;
  if (panelSearchObserver) panelSearchObserver(report);
  FreeLayout(trial);
}

bool Optimizer::KeepBetterLayout(Layout& best, Layout& trial) const {
  // Between layouts of equal weight and length, the one with its parts nearer the origin.
  double distance = 0;
  for (int32_t i = 0; i < trial.placedCount; ++i) {
    const PlacedPart& placed = trial.placed[i];
    const tVREXPartData& part = parts[placed.part];
    const double cx = placed.x + 0.5 * part.length;
    const double cy = placed.y + 0.5 * part.width;
    distance += std::sqrt(cx * cx + cy * cy) * (part.length * part.width);
  }
  trial.distance = distance;

  const double wT = trial.usedWeight;
  const double wB = best.usedWeight;
  bool take = false;
  if (std::fabs(wB) <= kEps) {
    take = true;
  } else if (settings.minimize_number_of_layouts == 0 || best.onePanel) {
    const bool sameWeight = std::fabs(wT - wB) <= kEps;
    take = wT > wB + kEps || (sameWeight && trial.usedLength < best.usedLength - kEps) ||
           (sameWeight && std::fabs(trial.usedLength - best.usedLength) <= kEps &&
            trial.distance < best.distance - kEps);
  } else {
    const int32_t rT = LayoutRepeatCount(trial);
    const int32_t rB = LayoutRepeatCount(best);
    if (wT >= wB - kEps && rT > rB) {
      take = true;
    } else if (wT > wB + kEps && rT >= rB) {
      take = true;
    } else if (wT > wB + kEps && rT < rB) {
      const double d = UtilizationGain(LayoutUtilization(trial), LayoutUtilization(best));
      take = rT * d > 3 * (rB - rT);
    } else if (wT < wB - kEps && rT > rB) {
      const double d = UtilizationGain(LayoutUtilization(best), LayoutUtilization(trial));
      take = rB * d < 3 * (rT - rB);
    }
  }
  if (!take) return false;

  CopyLayout(best, trial);
  // Everything fits: from now on only a shorter layout can win.
  if (std::fabs(trial.usedWeight - trial.totalArea) <= kEps) {
    trial.panel.length = trial.usedLength - trial.lengthStep;
  }
  return true;
}

double Optimizer::LayoutUtilization(const Layout& layout) {
  return layout.usedWeight / (layout.panel.width * layout.usedLength);
}

int32_t Optimizer::LayoutRepeatCount(const Layout& layout) const {
  int32_t value = layout.panel.num;
  for (int32_t p = 0; p < numParts; ++p) {
    if (value < 2) break;
    const int32_t c = layout.counts[p];
    if (c > 0) value = std::min(value, parts[p].num / c);
  }
  return value;
}

void Optimizer::CommitLayout(Layout& layout) {
  const int32_t r = LayoutRepeatCount(layout);
  layout.repeatCount = r;
  layout.panel.num -= r;
  panels[layout.panelIndex].num -= r;
  panelsUsed += r;
  panelsLeft -= r;
  for (int32_t p = 0; p < numParts; ++p) {
    const int32_t c = layout.counts[p];
    if (c <= 0) continue;
    parts[p].num -= c * r;
    copiesLeft -= c * r;
  }
}

void Optimizer::CompactLayout(Layout& layout) {
  bool moved = true;
  while (moved) {
    moved = false;
    for (int32_t i = 0; i < layout.placedCount; ++i) {
      PlacedPart& part = layout.placed[i];
      const double x = part.x;
      const double y = part.y;
      const double l = part.length;
      const double w = part.width;

      double gapX = x;
      for (int32_t j = 0; j < layout.placedCount && gapX > kEps; ++j) {
        if (j == i) continue;
        const PlacedPart& q = layout.placed[j];
        if (q.y < y + w - kEps && y + kEps < q.y + q.width && q.x < x + l - kEps) {
          const double gap = x - (q.x + q.length);
          if (gap < gapX - kEps) gapX = gap;
        }
      }
      double gapY = y;
      for (int32_t j = 0; j < layout.placedCount && gapY > kEps; ++j) {
        if (j == i) continue;
        const PlacedPart& q = layout.placed[j];
        if (q.x < x + l - kEps && x + kEps < q.x + q.length && q.y < y + w - kEps) {
          const double gap = y - (q.y + q.width);
          if (gap < gapY - kEps) gapY = gap;
        }
      }

      // Slide along the axis with the larger gap.
      if (gapX <= gapY + kEps) {
        if (gapY > kEps) {
          part.y -= gapY;
          moved = true;
        }
      } else if (gapX > kEps) {
        part.x -= gapX;
        moved = true;
      }
    }
  }
}

void Optimizer::StoreLayout(const Layout& layout) {
  StoredLayout stored;
  stored.panelIndex = layout.panelIndex;
  stored.repeatCount = layout.repeatCount;
  stored.placedCount = layout.placedCount;
  stored.parts.reserve(layout.placedCount);
  const double panelLength = panels[layout.panelIndex].length;
  const double panelWidth = panels[layout.panelIndex].width;
  const double kerf = settings.saw_kerf;
  for (int32_t i = 0; i < layout.placedCount; ++i) {
    const PlacedPart& placed = layout.placed[i];
    tVREXPlacedPartData out{};
    out.pid = parts[placed.part].pid;
    out.length = placed.length - kerf;
    out.width = placed.width - kerf;
    switch (settings.start_corner) {
      case 0:
        out.lengthcoord = placed.x;
        out.widthcoord = placed.y;
        break;
      case 1:
        out.lengthcoord = placed.x;
        out.widthcoord = panelWidth - placed.y - placed.width;
        break;
      case 2:
        out.lengthcoord = panelLength - placed.x - placed.length;
        out.widthcoord = panelWidth - placed.y - placed.width;
        break;
      default:
        out.lengthcoord = panelLength - placed.x - placed.length;
        out.widthcoord = placed.y;
        break;
    }
    stored.parts.push_back(out);
  }
  results.push_back(std::move(stored));
  ++numLayouts;
}

}  // namespace sawplan
