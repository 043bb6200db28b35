// A scripted stand-in for the layout optimizer: records every call with its records and answers
// GetNumLayouts, GetLayout and GetPlacedPart from the layouts a test gives it.
#pragma once

#include <string>
#include <vector>

#include "sawplan/vrex.h"

namespace tv::nesting::testing {

struct FakeLayout {
  sawplan::tVREXLayoutData layout{};
  std::vector<sawplan::tVREXPlacedPartData> placed;
};

class FakeVrex final : public sawplan::IVrex {
 public:
  std::vector<std::string> calls;
  std::vector<sawplan::tVREXSettings> settings;
  std::vector<sawplan::tVREXPanelData> panels;
  std::vector<sawplan::tVREXPartData> parts;
  std::vector<FakeLayout> layouts;
  int references = 1;

  sawplan::HResult QueryInterface(const sawplan::Guid&, void** object) override {
    *object = this;
    ++references;
    return sawplan::kOk;
  }
  uint32_t AddRef() override { return static_cast<uint32_t>(++references); }
  uint32_t Release() override { return static_cast<uint32_t>(--references); }

  sawplan::HResult Initialize(int32_t numpanels, int32_t numparts, int32_t useLogfile) override {
    calls.push_back("Initialize " + std::to_string(numpanels) + " " + std::to_string(numparts) + " " +
                    std::to_string(useLogfile));
    return sawplan::kOk;
  }
  sawplan::HResult PutSettings(const sawplan::tVREXSettings* s) override {
    calls.push_back("PutSettings");
    settings.push_back(*s);
    return sawplan::kOk;
  }
  sawplan::HResult PutPanel(const sawplan::tVREXPanelData* panel) override {
    calls.push_back("PutPanel");
    panels.push_back(*panel);
    return sawplan::kOk;
  }
  sawplan::HResult PutPart(const sawplan::tVREXPartData* part) override {
    calls.push_back("PutPart");
    parts.push_back(*part);
    return sawplan::kOk;
  }
  sawplan::HResult Optimize(int32_t useCallback) override {
    calls.push_back("Optimize " + std::to_string(useCallback));
    return sawplan::kOk;
  }
  sawplan::HResult InterruptRun() override {
    calls.push_back("InterruptRun");
    return sawplan::kOk;
  }
  sawplan::HResult GetProgress(sawplan::tVREXProgress*) override {
    calls.push_back("GetProgress");
    return sawplan::kOk;
  }
  sawplan::HResult GetNumLayouts(int32_t* numLayouts) override {
    calls.push_back("GetNumLayouts");
    *numLayouts = static_cast<int32_t>(layouts.size());
    return sawplan::kOk;
  }
  sawplan::HResult GetLayout(int32_t index, sawplan::tVREXLayoutData* layout) override {
    calls.push_back("GetLayout " + std::to_string(index));
    *layout = layouts.at(static_cast<size_t>(index)).layout;
    return sawplan::kOk;
  }
  sawplan::HResult GetPlacedPart(int32_t index, int32_t part, sawplan::tVREXPlacedPartData* placed) override {
    calls.push_back("GetPlacedPart " + std::to_string(index) + " " + std::to_string(part));
    *placed = layouts.at(static_cast<size_t>(index)).placed.at(static_cast<size_t>(part));
    return sawplan::kOk;
  }
  sawplan::HResult ReleaseData() override {
    calls.push_back("ReleaseData");
    return sawplan::kOk;
  }
};

}  // namespace tv::nesting::testing
