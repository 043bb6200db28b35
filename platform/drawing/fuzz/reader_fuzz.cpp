// Fuzz target for the DXF reader: every input must either fail with an error text or give
// a drawing that the queries, transforms, the view and the writer handle, whose written file
// reads back and then writes the same again (see drawing_checks.h).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "drawing/fuzz/drawing_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > (1u << 20)) return 0;
  std::string why;
  if (!tv::drawing::checks::CheckInput(std::string_view(reinterpret_cast<const char*>(data), size), why)) {
    std::fprintf(stderr, "%s\n", why.c_str());
    std::abort();
  }
  return 0;
}
