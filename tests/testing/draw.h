// Whole numbers and chances for generated test and benchmark jobs, taken from the generator's
// raw output only: the standard distributions differ between libraries, and every generated
// job must be the same everywhere. Header only, standard library only.
#pragma once

#include <cstdint>
#include <random>

namespace tv::test_support {

inline int32_t Uniform(std::mt19937& random, int32_t low, int32_t high) {
  return low + static_cast<int32_t>(random() % static_cast<uint32_t>(high - low + 1));
}

class Draw {
 public:
  explicit Draw(uint32_t seed) : random_(seed) {}
  int32_t Uniform(int32_t low, int32_t high) { return test_support::Uniform(random_, low, high); }
  // True in `in` of `outOf` cases.
  bool Chance(int32_t in, int32_t outOf) { return Uniform(1, outOf) <= in; }

 private:
  std::mt19937 random_;
};

}  // namespace tv::test_support
