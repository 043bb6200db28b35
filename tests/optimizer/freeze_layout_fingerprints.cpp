// Writes the frozen layout fingerprints of the generated jobs into the source tree. Run by hand
// when a change of layouts is meant; see layout_fingerprints_test.cpp for the commands.
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "files/atomic_write.h"
#include "fingerprint_jobs.h"

namespace {

bool HasTag(const std::string& tags, const std::string& tag) {
  std::istringstream words(tags);
  std::string word;
  while (words >> word) {
    if (word == tag) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace sawplan::fixture;
  if (argc != 2) {
    std::fprintf(stderr,
                 "usage: freeze_layout_fingerprints all|TAG|NUMBER\n"
                 "  all     freeze every job anew\n"
                 "  TAG     freeze anew only the jobs carrying TAG (e.g. drilled-pair)\n"
                 "  NUMBER  freeze anew only that job\n");
    return 2;
  }
  const std::string which = argv[1];
  const std::string path = FingerprintFixturePath();
  std::map<int32_t, FrozenFingerprint> kept;
  std::vector<FrozenFingerprint> old;
  std::string error;
  if (std::filesystem::exists(path)) {
    if (!ReadFrozenFingerprints(path, &old, &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    for (const FrozenFingerprint& line : old) kept[line.number] = line;
  }

  int changed = 0;
  int frozen = 0;
  std::ostringstream text;
  text << "# Layout fingerprints of the generated jobs (tests/optimizer/fingerprint_jobs.cpp):\n"
          "# <job number> <hash of every layout> <tags>. Written by freeze_layout_fingerprints.\n";
  for (int32_t number = 0; number < kFingerprintJobCount; ++number) {
    FingerprintJob job = MakeFingerprintJob(number);
    const auto found = kept.find(number);
    const bool refreeze =
        found == kept.end() || which == "all" || HasTag(job.tags, which) || which == std::to_string(number);
    FrozenFingerprint line;
    if (refreeze) {
      sawplan::Optimizer optimizer;
      line = {number, LayoutFingerprint(RunJob(optimizer, job.instance)), job.tags};
      ++frozen;
      if (found == kept.end() || found->second.hash != line.hash) {
        ++changed;
        std::printf("job %d (%s) %s\n", number, job.tags.c_str(), found == kept.end() ? "added" : "changed");
      }
    } else {
      line = found->second;
      line.tags = job.tags;
    }
    text << FormatFrozenFingerprint(line) << '\n';
  }

  if (!tv::files::WriteFileAtomic(path, text.str(), &error)) {
    std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
    return 1;
  }
  std::printf("%d jobs run, %d fingerprints changed or added; written to %s\n", frozen, changed,
              path.c_str());
  return 0;
}
