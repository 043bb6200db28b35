// The optimizer's random numbers: a 32-bit linear congruential generator. Every layout depends
// on its exact sequence, so it is reseeded with a fixed seed at the start of each pass.
#pragma once

#include <cstdint>

namespace sawplan {

class Random {
 public:
  void Seed(uint32_t seed) { state_ = seed; }

  // An integer from 0 to 32767.
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
  }

  // A real in [0, 1]: the drawn integer times the double nearest to 1/32767.
  double Random01() { return Next() * 3.0518509475997192e-05; }

 private:
  uint32_t state_ = 0;
};

}  // namespace sawplan
