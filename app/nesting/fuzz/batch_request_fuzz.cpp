// Fuzz target for the batch request: it is taken whole and once, loads only drawings of
// the source folder, and reads alike in every form (see batch_request_checks.h).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "nesting/fuzz/batch_request_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string folder = [] {
    // tmpfs: the checks write files on every input, and a disk would make the run crawl.
    char name[] = "/dev/shm/tavolin-batch-request-fuzz-XXXXXX";
    return std::string(mkdtemp(name)) + "/";
  }();
  if (size > (1u << 16)) return 0;
  std::string why;
  if (!tv::nesting::checks::CheckInput(std::string_view(reinterpret_cast<const char*>(data), size), folder,
                                       why)) {
    std::fwrite(why.data(), 1, why.size(), stderr);  // names may hold any byte
    std::fputc('\n', stderr);
    std::abort();
  }
  return 0;
}
