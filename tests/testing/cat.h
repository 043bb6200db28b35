// Joining texts in tests and benchmarks (standard library only).
#pragma once

#include <string>

namespace tv::test_support {

// The texts one after the other. Built by appending: gcc 12 reports a false overlap for
// "literal" + std::string.
template <class... Parts>
std::string Cat(const Parts&... parts) {
  std::string text;
  ((text += parts), ...);
  return text;
}

}  // namespace tv::test_support
