// Every generated job of fingerprint_jobs.cpp must keep its frozen layouts bit for bit: a speed-up
// of the search that changes one coordinate, turn, count or progress value fails here. Every
// scan path runs: the scalar one and each vector one the processor offers (the others skip).
//
// Freezing anew (only when a change of layouts is meant; commit the fixture with that change):
//   cmake --build build --target freeze_layout_fingerprints
//   build/tests/optimizer/freeze_layout_fingerprints drilled-pair   # only jobs tagged drilled-pair
//   build/tests/optimizer/freeze_layout_fingerprints 117             # only job 117
//   build/tests/optimizer/freeze_layout_fingerprints all             # every job
// It rewrites tests/optimizer/fixtures/layout_fingerprints.txt and lists the jobs that changed;
// `git diff` of the fixture then shows whether only the intended kind of job moved. Tags: kerf,
// small-inside, min-layouts, one-panel, panel-types, panel-sequence, offcut, strip, drilling,
// grain, part-sequence, fractions, pair, drilled-pair (plain when none).
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "fingerprint_jobs.h"

namespace sawplan {

// Names the path in the test's parameter text.
void PrintTo(ScanPath path, std::ostream* out) {
  *out << ScanPathName(path);
}

namespace {

constexpr int32_t kShards = 8;

class LayoutFingerprints : public ::testing::TestWithParam<std::tuple<ScanPath, int32_t>> {};

TEST_P(LayoutFingerprints, GeneratedJobsKeepTheirFrozenLayouts) {
  const auto [path, shard] = GetParam();
  if (!ScanPathAvailable(path)) GTEST_SKIP() << "this processor has no " << ScanPathName(path);
  std::vector<fixture::FrozenFingerprint> frozen;
  std::string error;
  ASSERT_TRUE(fixture::ReadFrozenFingerprints(fixture::FingerprintFixturePath(), &frozen, &error)) << error;
  ASSERT_EQ(static_cast<int32_t>(frozen.size()), fixture::kFingerprintJobCount);
  int32_t checked = 0;
  for (int32_t number = shard; number < fixture::kFingerprintJobCount; number += kShards) {
    const fixture::FrozenFingerprint& expected = frozen[number];
    ASSERT_EQ(expected.number, number) << "the fixture's lines are out of order";
    const fixture::FingerprintJob job = fixture::MakeFingerprintJob(number);
    // The jobs themselves must not drift, or the hashes compare different work.
    EXPECT_EQ(job.tags, expected.tags) << "job " << number << " is no longer generated as frozen";
    Optimizer optimizer;
    optimizer.scanPath = path;
    const uint64_t hash = fixture::LayoutFingerprint(fixture::RunJob(optimizer, job.instance));
    char text[20];
    std::snprintf(text, sizeof text, "%016" PRIx64, hash);
    EXPECT_EQ(hash, expected.hash) << "job " << number << " (" << job.tags << ") now gives " << text;
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

INSTANTIATE_TEST_SUITE_P(PathsAndShards, LayoutFingerprints,
                         ::testing::Combine(::testing::Values(ScanPath::Scalar, ScanPath::Avx2),
                                            ::testing::Range(0, kShards)),
                         [](const ::testing::TestParamInfo<std::tuple<ScanPath, int32_t>>& param) {
                           return std::string(ScanPathName(std::get<0>(param.param))) + "_" +
                                  std::to_string(std::get<1>(param.param));
                         });

}  // namespace
}  // namespace sawplan
