// Fuzz target for the grid file (Mat.dat, work lists, pull lists): a load either fails
// cleanly or saves and loads back the same (see grid_file_checks.h).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "grid/fuzz/grid_file_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string folder = [] {
    // tmpfs: the checks write files on every input, and a disk would make the run crawl.
    char name[] = "/dev/shm/tavolin-grid-fuzz-XXXXXX";
    return std::string(mkdtemp(name)) + "/";
  }();
  if (size > (1u << 16)) return 0;
  std::string why;
  if (!tv::grid::checks::CheckInput(std::string_view(reinterpret_cast<const char*>(data), size), folder,
                                    why)) {
    std::fwrite(why.data(), 1, why.size(), stderr);  // names may hold any byte
    std::fputc('\n', stderr);
    std::abort();
  }
  return 0;
}
