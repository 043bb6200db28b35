// Fuzz target for the registry store file: every input must read, and a change to one key
// must keep everything else it holds (see store_checks.h).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "registry/fuzz/store_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path folder = [] {
    // tmpfs: the checks write files on every input, and a disk would make the run crawl.
    char name[] = "/dev/shm/tavolin-registry-fuzz-XXXXXX";
    return std::filesystem::path(mkdtemp(name));
  }();
  if (size > (1u << 16)) return 0;
  std::string why;
  if (!tv::registry::checks::CheckInput(std::string_view(reinterpret_cast<const char*>(data), size), folder,
                                        why)) {
    std::fwrite(why.data(), 1, why.size(), stderr);  // names may hold any byte
    std::fputc('\n', stderr);
    std::abort();
  }
  return 0;
}
