// The generated jobs whose layouts are frozen as fingerprints: each job is made from its own
// number alone, and carries tags naming the features it exercises, so the frozen lines of one
// kind of job (drilled pairs, say) can be found and refrozen on their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "instance_fixture.h"
#include "optimizer.h"

namespace sawplan::fixture {

// Number of generated jobs in the frozen set.
inline constexpr int32_t kFingerprintJobCount = 320;

struct FingerprintJob {
  int32_t number = 0;
  std::string tags;  // blank-separated, e.g. "kerf strip drilled-pair"
  Instance instance;
};

FingerprintJob MakeFingerprintJob(int32_t number);

// FNV-1a of the text of every layout and of the final progress record.
uint64_t LayoutFingerprint(const RunResult& result);

// One frozen line: "<number> <hash> <tags>".
struct FrozenFingerprint {
  int32_t number = 0;
  uint64_t hash = 0;
  std::string tags;
};

// The frozen set as stored in the source tree, in job order.
std::string FingerprintFixturePath();
bool ReadFrozenFingerprints(const std::string& path, std::vector<FrozenFingerprint>* frozen,
                            std::string* error);
std::string FormatFrozenFingerprint(const FrozenFingerprint& line);

}  // namespace sawplan::fixture
