// Layout fingerprints of a fixed set of jobs. Speed-ups of the search must keep every layout
// bit for bit; a changed fingerprint means a change of behaviour, not of speed.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <random>
#include <string>

#include "instance_fixture.h"
#include "optimizer.h"
#include "testing/fnv1a.h"

namespace sawplan {
namespace {

using tv::test_support::Fnv1a;

TEST(FingerprintTest, FixedJobsKeepTheirLayouts) {
  const uint64_t expected[] = {
      0xbb86a9368822768cull, 0xd97096ab03c57d5eull, 0xc6e86a509527dd5eull, 0x91858185d4594769ull,
      0x700409d056cb0708ull, 0x109678f660d5bf09ull, 0x5b7152b3ae4be4e3ull, 0xe24bea42083d9c05ull,
      0x4d8bbdd640bfb6c4ull, 0xb9a52732dff17c76ull, 0x921825a6f3430eaeull, 0xe8cfe55ebb30fddbull,
  };
  std::mt19937 random(424242);
  for (size_t i = 0; i < std::size(expected); ++i) {
    fixture::Instance instance = fixture::RandomInstance(random, i % 2 == 1, 40);
    instance.settings.max_num_iters = 150;
    Optimizer optimizer;
    const uint64_t hash = Fnv1a(fixture::Fingerprint(fixture::RunJob(optimizer, instance)));
    char text[40];
    std::snprintf(text, sizeof text, "0x%016" PRIx64 "ull", hash);
    EXPECT_EQ(hash, expected[i]) << "job " << i << " now gives " << text;
  }
}

}  // namespace
}  // namespace sawplan
