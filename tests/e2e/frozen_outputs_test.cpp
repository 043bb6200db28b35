// Whole nesting runs whose every written file, message, status text, pull list and stock list is
// frozen: a speed-up of the optimizer that moves one part on one sheet fails here. The time line
// of a sheet ("TVV: ... - hh:mm:ss - yyyy-mm-dd - ") and the temporary folder's path are the
// only things taken out before hashing.
//
// Freezing anew (only when a change of output is meant; commit the fixtures with that change):
//   TAVOLIN_REFREEZE_OUTPUTS=1 build/tests/e2e/e2e_tests --gtest_filter='FrozenOutputs*'
// rewrites tests/e2e/fixtures/<job>.txt, one line per output ("<what> <hash>"); `git diff`
// then names the files that changed. Add a job name to the filter to refreeze one job only,
// e.g. --gtest_filter='*FrozenOutputs*/sample'.
#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <sstream>

#include "files/files.h"
#include "nesting/run_driver.h"
#include "sample_job.h"
#include "testing/fnv1a.h"
#include "testing/generated_job.h"

namespace tv::e2e {
namespace {

struct OutputCase {
  std::string name;
  std::string folder;      // job folder under the program folder
  int generatedParts = 0;  // > 0: the folder is generated with that many parts
  std::vector<std::pair<std::string, std::string>> settings;  // name, value ("YES"/"NO" for flags)
  std::string scan;      // the optimizer's scan path forced through SAWPLAN_SCAN ("" for its own)
  std::string frozenAs;  // the fixture it must match ("" for its own name)
  std::string Fixture() const { return frozenAs.empty() ? name : frozenAs; }
};

constexpr const char* kRefreeze =
    " (when that change of output is meant, freeze anew as the header of "
    "tests/e2e/frozen_outputs_test.cpp says)";

using test_support::Fnv1a;

std::ostream& operator<<(std::ostream& out, const OutputCase& c) {
  return out << c.name;
}

std::string Hex(uint64_t value) {
  char text[20];
  std::snprintf(text, sizeof text, "%016" PRIx64, value);
  return text;
}

class FrozenOutputs : public SampleJob, public ::testing::WithParamInterface<OutputCase> {
 protected:
  // What may differ from run to run: the clock on each sheet and where the program folder is.
  std::string Normalized(std::string text) const {
    static const std::regex kTime("  -  [0-9]{2}:[0-9]{2}:[0-9]{2}  -  [0-9]{4}-[0-9]{2}-[0-9]{2}  -  ");
    text = std::regex_replace(text, kTime, "  -  <time>  -  ");
    const std::string rootText = root.string();
    for (std::size_t at = text.find(rootText); at != std::string::npos; at = text.find(rootText, at)) {
      text.replace(at, rootText.size(), "<root>");
    }
    return text;
  }

  std::string GridText(const grid::Grid& grid) const {
    std::string text;
    for (long r = 0; r <= grid.MaxRows(); ++r) {
      for (long c = 1; c <= grid.MaxCols(); ++c) text += grid.CellText(r, c) + '\t';
      text += '\n';
    }
    return text;
  }

  // "file <path>" and its hash for every file in the program folder.
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> hashes;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      if (!entry.is_regular_file()) continue;
      const std::optional<std::string> bytes = files::ReadFile(entry.path().string());
      hashes["file " + fs::relative(entry.path(), root).generic_string()] =
          Hex(Fnv1a(Normalized(bytes.value_or("<unreadable>"))));
    }
    return hashes;
  }

  // "<what> <hash>" per output, sorted by what: the files the run wrote or changed, then what
  // it showed and left in its lists.
  std::map<std::string, std::string> Outputs(const std::map<std::string, std::string>& before) const {
    std::map<std::string, std::string> outputs;
    for (const auto& [what, hash] : Files()) {
      const auto found = before.find(what);
      if (found == before.end() || found->second != hash) outputs[what] = hash;
    }
    std::string messages;
    for (const test_support::RecordedMessage& message : ui.Messages()) {
      messages +=
          message.title + "|" + message.text + "|" + std::to_string(static_cast<int>(message.icon)) + "\n";
    }
    outputs["messages"] = Hex(Fnv1a(Normalized(messages)));
    std::string status;
    for (const auto& [panel, text] : ui.StatusHistory()) status += panel + "|" + text + "\n";
    outputs["status"] = Hex(Fnv1a(Normalized(status)));
    outputs["pull-list"] = Hex(Fnv1a(GridText(program.MPL)));
    outputs["sheet-stock"] = Hex(Fnv1a(GridText(program.SSList)));
    std::string nestFiles;
    for (const std::string& path : program.NestFiles) nestFiles += path + "\n";
    outputs["nest-files"] = Hex(Fnv1a(Normalized(nestFiles)));
    return outputs;
  }
};

TEST_P(FrozenOutputs, EveryOutputOfTheRunStaysAsFrozen) {
  const OutputCase& job = GetParam();
  if (job.generatedParts > 0) test_support::GenerateCabinetJob(root / job.folder, job.generatedParts);
  StartWithJob(job.folder);
  for (const auto& [name, value] : job.settings) {
    if (value == "YES" || value == "NO") {
      Flag(name, value == "YES");
    } else {
      Text(name, value);
    }
  }
  const std::map<std::string, std::string> before = Files();
  if (!job.scan.empty()) setenv("SAWPLAN_SCAN", job.scan.c_str(), 1);
  nesting::Proc_Click(program);
  if (!job.scan.empty()) unsetenv("SAWPLAN_SCAN");
  ASSERT_FALSE(program.NestFiles.empty());

  const std::map<std::string, std::string> outputs = Outputs(before);
  const std::string fixture = Cat(TAVOLIN_SOURCE_DIR, "/tests/e2e/fixtures/", job.Fixture(), ".txt");
  if (std::getenv("TAVOLIN_REFREEZE_OUTPUTS") != nullptr) {
    // A case frozen as another only compares.
    if (!job.frozenAs.empty()) GTEST_SKIP() << "frozen as " << job.frozenAs;
    std::string text = "# Frozen outputs of the nesting run \"" + job.name + "\" (frozen_outputs_test.cpp)\n";
    for (const auto& [what, hash] : outputs) text += what + " " + hash + "\n";
    ASSERT_TRUE(files::WriteFileAtomic(fixture, text)) << fixture;
    std::printf("frozen %zu outputs into %s\n", outputs.size(), fixture.c_str());
    return;
  }

  const std::optional<std::string> frozenText = files::ReadFile(fixture);
  ASSERT_TRUE(frozenText.has_value()) << fixture << " is missing";
  std::map<std::string, std::string> frozen;
  std::istringstream lines(*frozenText);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t blank = line.rfind(' ');
    ASSERT_NE(blank, std::string::npos) << line;
    frozen[line.substr(0, blank)] = line.substr(blank + 1);
  }
  for (const auto& [what, hash] : frozen) {
    const auto found = outputs.find(what);
    if (found == outputs.end()) {
      ADD_FAILURE() << what << " is no longer written" << kRefreeze;
    } else {
      EXPECT_EQ(found->second, hash) << what << " differs from its frozen form" << kRefreeze;
    }
  }
  for (const auto& [what, hash] : outputs) {
    EXPECT_TRUE(frozen.count(what) > 0) << what << " is new" << kRefreeze;
  }
}

INSTANTIATE_TEST_SUITE_P(
    FrozenOutputs, FrozenOutputs,
    ::testing::Values(
        OutputCase{"sample", "Parts", 0, {{"Generate Batch", "YES"}}, "", ""},
        OutputCase{
            "sample-by-cabinet",
            "Parts",
            0,
            {{"Nest by Cabinet", "YES"}, {"Small Parts Inside", "NO"}, {"Nest From Corner", "UPPER RIGHT"}},
            "",
            ""},
        OutputCase{"inch-job", "InchJob", 0, {}, "", ""},
        // The scalar scan path must write what the default path writes.
        OutputCase{"sample-scalar-scan", "Parts", 0, {{"Generate Batch", "YES"}}, "scalar", "sample"},
        OutputCase{"generated-500", "Generated", 500, {{"Generate Batch", "YES"}}, "", ""}),
    [](const ::testing::TestParamInfo<OutputCase>& param) {
      std::string name = param.param.name;
      std::replace(name.begin(), name.end(), '-', '_');
      return name;
    });

}  // namespace
}  // namespace tv::e2e
