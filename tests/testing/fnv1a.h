// The 64-bit FNV-1a hash of a text: how tests freeze an output without storing it, so that any
// change of a single byte shows.
#pragma once

#include <cstdint>
#include <string_view>

namespace tv::test_support {

inline std::uint64_t Fnv1a(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace tv::test_support
