// The step scan four blocks at a time in AVX2 lanes. Each lane runs exactly the operations of
// ScoreBlockAt (step_scan.cpp) in the same order, with no fused multiply-add (this file is built
// with -ffp-contract=off and without FMA), and the lanes' candidates are offered to the five
// best in table order, so the result is that of the scalar scan bit for bit. Built only for
// x86-64; elsewhere the scalar scan is the only path. Only these functions carry the AVX2
// target: the file is not built with -mavx2, so no inline function of a shared header is
// emitted here with instructions an older processor lacks.
#include "step_scan.h"

#include <cstdint>

#include "optimizer.h"

#if defined(__x86_64__)
#include <immintrin.h>

#define SAWPLAN_AVX2 __attribute__((target("avx2"), always_inline)) inline

namespace sawplan {

namespace {

SAWPLAN_AVX2 __m256d Set(double value) {
  return _mm256_set1_pd(value);
}
SAWPLAN_AVX2 __m256d Gt(__m256d a, __m256d b) {
  return _mm256_cmp_pd(a, b, _CMP_GT_OQ);
}
SAWPLAN_AVX2 __m256d Lt(__m256d a, __m256d b) {
  return _mm256_cmp_pd(a, b, _CMP_LT_OQ);
}
SAWPLAN_AVX2 __m256d Le(__m256d a, __m256d b) {
  return _mm256_cmp_pd(a, b, _CMP_LE_OQ);
}
SAWPLAN_AVX2 __m256d Eq(__m256d a, __m256d b) {
  return _mm256_cmp_pd(a, b, _CMP_EQ_OQ);
}
SAWPLAN_AVX2 __m256d And(__m256d a, __m256d b) {
  return _mm256_and_pd(a, b);
}
SAWPLAN_AVX2 __m256d Or(__m256d a, __m256d b) {
  return _mm256_or_pd(a, b);
}
SAWPLAN_AVX2 __m256d AndNot(__m256d notThis, __m256d b) {
  return _mm256_andnot_pd(notThis, b);
}
// mask ? b : a
SAWPLAN_AVX2 __m256d Pick(__m256d a, __m256d b, __m256d mask) {
  return _mm256_blendv_pd(a, b, mask);
}
// std::min(a, b): b when b < a, else a.
SAWPLAN_AVX2 __m256d Min(__m256d a, __m256d b) {
  return Pick(a, b, Lt(b, a));
}
SAWPLAN_AVX2 __m256d Mask(bool on) {
  return _mm256_castsi256_pd(_mm256_set1_epi64x(on ? -1 : 0));
}
SAWPLAN_AVX2 __m256d LoadMask(const int64_t* p) {
  return _mm256_castsi256_pd(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)));
}

}  // namespace

__attribute__((target("avx2"))) void ScanStepAvx2(const StepFrame& f, const ActiveBlocks& a,
                                                  const NearBoxes& near, BestFive& best) {
  // Only moved blocks wanted, and none can move: nothing to score.
  if (f.onlyMoved && !f.smallParts) return;
  const double* blockLength = a.length.data();
  const double* blockWidth = a.width.data();
  const double* blockRatio = a.ratio.data();
  const double* blockArea = a.area.data();
  const double* blockWeight = a.weight.data();
  const double* blockMinLength = a.minLength.data();
  const double* blockMinWidth = a.minWidth.data();
  const double* blockDrillLength = a.drillLength.data();
  const double* blockDrillWidth = a.drillWidth.data();
  const int64_t* blockLive = a.live.data();
  const int64_t* blockDrilled = a.drilled.data();
  const int32_t* blockIndex = a.block.data();
  const double* boxX0 = near.x0.data();
  const double* boxY0 = near.y0.data();
  const double* boxX1 = near.x1.data();
  const double* boxY1 = near.y1.data();
  const __m256d eps = Set(kEps);
  const __m256d huge = Set(kHuge);
  const __m256d absMask = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7FFFFFFFFFFFFFFF));
  const __m256d x0 = Set(f.x);
  const __m256d y0 = Set(f.y);
  const __m256d rectLength = Set(f.rectLength);
  const __m256d rectWidth = Set(f.rectWidth);
  const __m256d lengthLimit = Set(f.lengthLimit);
  const __m256d stripLimitAtY = Set(f.stripLimitAtY);
  const __m256d panelLength = Set(f.panelLength);
  const __m256d panelWidth = Set(f.panelWidth);
  const __m256d stripCut = Set(f.stripCut);
  const __m256d stripCutLow = Set(f.stripCutLow);
  const __m256d moveY = Mask(f.smallParts && f.moveYCorner);
  const __m256d moveX = Mask(f.smallParts && f.moveXCorner);
  const __m256d band75Width = Set(f.band75Width);
  const __m256d band75Length = Set(f.band75Length);
  const __m256d bigMinimum = Set(f.bigMinimum);
  const __m256d drillLengthLimit = Set(f.drillLengthLimit);
  const __m256d drillWidthLimit = Set(f.drillWidthLimit);
  const __m256d smallMinimum = Set(f.smallMinimum);
  const __m256d lowLength = Set(f.lowLength);
  const __m256d highLength = Set(f.highLength);
  const __m256d lowWidth = Set(f.lowWidth);
  const __m256d highWidth = Set(f.highWidth);
  const __m256d margin = Set(1 - 1e-9);
  const __m256d zero = _mm256_setzero_pd();
  const __m256d two = Set(2);
  const __m256d four = Set(4);
  const __m256d six = Set(6);
  const int32_t boxes = near.count;

  for (int32_t g = 0; g < a.count; g += ActiveBlocks::kLanes) {
    __m256d m = LoadMask(blockLive + g);
    if (_mm256_movemask_pd(m) == 0) continue;
    const __m256d bl = _mm256_loadu_pd(blockLength + g);
    const __m256d bw = _mm256_loadu_pd(blockWidth + g);

    // The bound against the five best as they stand when the group begins (see the scalar
    // scan for why that is exact).
    const __m256d dL = _mm256_and_pd(_mm256_sub_pd(rectLength, bl), absMask);
    const __m256d dW = _mm256_and_pd(_mm256_sub_pd(rectWidth, bw), absMask);
    __m256d leastValue;
    if (f.scoringVariant) {
      leastValue = Min(_mm256_add_pd(_mm256_mul_pd(four, dL), _mm256_mul_pd(two, dW)),
                       _mm256_add_pd(_mm256_mul_pd(two, dL), _mm256_mul_pd(four, dW)));
    } else {
      leastValue = Min(dL, dW);
    }
    const __m256d ratio = _mm256_loadu_pd(blockRatio + g);
    const __m256d refused = Set(best.worst + kEps);
    m = AndNot(And(Gt(ratio, zero), Gt(_mm256_mul_pd(_mm256_mul_pd(ratio, leastValue), margin), refused)), m);

    // Beyond the panel or the strip.
    m = AndNot(Gt(_mm256_add_pd(x0, bl), lengthLimit), m);
    m = AndNot(Gt(_mm256_add_pd(y0, bw), stripLimitAtY), m);
    if (_mm256_movemask_pd(m) == 0) continue;

    __m256d x = x0;
    __m256d y = y0;
    if (f.smallParts) {
      const __m256d minWidth = _mm256_loadu_pd(blockMinWidth + g);
      const __m256d minLength = _mm256_loadu_pd(blockMinLength + g);
      const __m256d toFarWidth =
          And(moveY, And(Gt(_mm256_add_pd(y0, bw), band75Width), Gt(minWidth, bigMinimum)));
      y = Pick(y, _mm256_sub_pd(panelWidth, bw), toFarWidth);
      const __m256d toFarLength =
          And(moveX, And(Gt(_mm256_add_pd(x0, bl), band75Length), Gt(minLength, bigMinimum)));
      x = Pick(x, _mm256_sub_pd(panelLength, bl), toFarLength);
      if (f.onlyMoved) {
        m = And(m, Or(toFarWidth, toFarLength));
        if (_mm256_movemask_pd(m) == 0) continue;
      }
    }

    // The first box, in placement order, that each lane's block overlaps.
    __m256d hit = zero;
    __m256d fx0 = zero;
    __m256d fy0 = zero;
    __m256d fx1 = zero;
    __m256d fy1 = zero;
    {
      const __m256d xe = _mm256_add_pd(x, eps);
      const __m256d xbe = _mm256_sub_pd(_mm256_add_pd(x, bl), eps);
      const __m256d ye = _mm256_add_pd(y, eps);
      const __m256d ybe = _mm256_sub_pd(_mm256_add_pd(y, bw), eps);
      for (int32_t j = 0; j < boxes; ++j) {
        const __m256d bx0 = Set(boxX0[j]);
        const __m256d by0 = Set(boxY0[j]);
        const __m256d bx1 = Set(boxX1[j]);
        const __m256d by1 = Set(boxY1[j]);
        const __m256d overlap = And(And(Lt(xe, bx1), Lt(bx0, xbe)), And(Lt(ye, by1), Lt(by0, ybe)));
        const __m256d firstHere = AndNot(hit, overlap);
        fx0 = Pick(fx0, bx0, firstHere);
        fy0 = Pick(fy0, by0, firstHere);
        fx1 = Pick(fx1, bx1, firstHere);
        fy1 = Pick(fy1, by1, firstHere);
        hit = Or(hit, overlap);
      }
    }
    __m256d shift = zero;
    const __m256d blocked = And(hit, m);
    if (_mm256_movemask_pd(blocked) != 0) {
      const __m256d alongLength = _mm256_sub_pd(fx1, x);
      const __m256d lengthOk = And(Lt(fx0, _mm256_sub_pd(x, eps)),
                                   Le(_mm256_add_pd(_mm256_add_pd(x, bl), alongLength), lengthLimit));
      const __m256d lengthShift = Pick(huge, alongLength, lengthOk);
      const __m256d acrossWidth = _mm256_sub_pd(fy1, y);
      const __m256d strip = Pick(panelWidth, stripCut, Lt(y, stripCutLow));
      const __m256d widthOk =
          And(Lt(fy0, _mm256_sub_pd(y, eps)),
              Le(_mm256_add_pd(_mm256_add_pd(y, bw), acrossWidth), _mm256_add_pd(strip, eps)));
      const __m256d widthShift = Pick(huge, acrossWidth, widthOk);
      const __m256d stuck = And(Eq(lengthShift, huge), Eq(widthShift, huge));
      m = AndNot(And(blocked, stuck), m);
      const __m256d acrossFirst = Lt(_mm256_add_pd(widthShift, eps), lengthShift);
      const __m256d shiftedY = Pick(y, _mm256_add_pd(y, widthShift), acrossFirst);
      const __m256d shiftedX = Pick(_mm256_add_pd(x, lengthShift), x, acrossFirst);
      x = Pick(x, shiftedX, blocked);
      y = Pick(y, shiftedY, blocked);
      shift = Pick(zero, Pick(lengthShift, widthShift, acrossFirst), blocked);
      if (_mm256_movemask_pd(m) == 0) continue;

      // Still blocked after the shift: no place here.
      const __m256d xe = _mm256_add_pd(x, eps);
      const __m256d xbe = _mm256_sub_pd(_mm256_add_pd(x, bl), eps);
      const __m256d ye = _mm256_add_pd(y, eps);
      const __m256d ybe = _mm256_sub_pd(_mm256_add_pd(y, bw), eps);
      __m256d again = zero;
      for (int32_t j = 0; j < boxes; ++j) {
        const __m256d overlap = And(And(Lt(xe, Set(boxX1[j])), Lt(Set(boxX0[j]), xbe)),
                                    And(Lt(ye, Set(boxY1[j])), Lt(Set(boxY0[j]), ybe)));
        again = Or(again, overlap);
      }
      m = AndNot(And(blocked, again), m);
    }

    const __m256d drilled = LoadMask(blockDrilled + g);
    if (_mm256_movemask_pd(And(drilled, m)) != 0) {
      const __m256d outside =
          Or(Gt(_mm256_add_pd(x, _mm256_loadu_pd(blockDrillLength + g)), drillLengthLimit),
             Gt(_mm256_add_pd(y, _mm256_loadu_pd(blockDrillWidth + g)), drillWidthLimit));
      m = AndNot(And(drilled, outside), m);
    }
    if (_mm256_movemask_pd(m) == 0) continue;

    const __m256d lengthTighter = Le(dL, _mm256_add_pd(dW, eps));
    const __m256d sixShift = _mm256_mul_pd(six, shift);
    __m256d value;
    if (!f.scoringVariant) {
      value = _mm256_add_pd(sixShift, Pick(dW, dL, lengthTighter));
    } else {
      const __m256d lengthWeighted =
          _mm256_add_pd(_mm256_add_pd(sixShift, _mm256_mul_pd(four, dL)), _mm256_mul_pd(two, dW));
      const __m256d widthWeighted =
          _mm256_add_pd(_mm256_add_pd(sixShift, _mm256_mul_pd(two, dL)), _mm256_mul_pd(four, dW));
      value = Pick(widthWeighted, lengthWeighted, lengthTighter);
    }
    if (f.smallPartsInside) {
      const __m256d minLength = _mm256_loadu_pd(blockMinLength + g);
      const __m256d minWidth = _mm256_loadu_pd(blockMinWidth + g);
      const __m256d alongBand =
          And(Lt(minLength, smallMinimum), Or(Lt(x, lowLength), Gt(_mm256_add_pd(x, bl), highLength)));
      value = Pick(value, _mm256_add_pd(value, huge), alongBand);
      const __m256d acrossBand =
          And(Lt(minWidth, smallMinimum), Or(Lt(y, lowWidth), Gt(_mm256_add_pd(y, bw), highWidth)));
      value = Pick(value, _mm256_add_pd(value, huge), acrossBand);
    }
    const __m256d score =
        _mm256_div_pd(_mm256_mul_pd(_mm256_loadu_pd(blockArea + g), value), _mm256_loadu_pd(blockWeight + g));

    // A group none of whose lanes can enter the five best as they stand needs no merge: the
    // list only gets better while the group is merged.
    const __m256d candidate = AndNot(Gt(score, refused), m);
    int lanes = _mm256_movemask_pd(candidate);
    if (lanes == 0) continue;
    alignas(32) double scores[4];
    alignas(32) double xs[4];
    alignas(32) double ys[4];
    _mm256_store_pd(scores, score);
    _mm256_store_pd(xs, x);
    _mm256_store_pd(ys, y);
    while (lanes != 0) {
      const int lane = __builtin_ctz(static_cast<unsigned>(lanes));
      lanes &= lanes - 1;
      best.Offer(scores[lane], blockIndex[g + lane], blockLength[g + lane], blockWidth[g + lane],
                 blockArea[g + lane], xs[lane], ys[lane]);
    }
  }
}

}  // namespace sawplan

#else

namespace sawplan {

// Never chosen where the processor is not x86-64 (ScanPathAvailable).
void ScanStepAvx2(const StepFrame& frame, const ActiveBlocks& active, const NearBoxes& near, BestFive& best) {
  ScanStepScalar(frame, active, near, best);
}

}  // namespace sawplan

#endif
