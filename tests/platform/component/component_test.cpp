// Creating the optimizer class through the registry that the registration tool writes, the
// error results of creation and registration, the event connection point, aggregation and the
// unload test of the library.
#include "component/component.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "registry/registry.h"
#include "sawplan/vrex.h"
#include "testing/run_command.h"
#include "testing/temp_folder.h"

namespace tv::component {
namespace {

namespace fs = std::filesystem;
using registry::Root;
using sawplan::IVrex;

using ToolResult = test_support::CommandResult;

// The registration tool's exit code and everything it printed, errors included.
ToolResult RunTool(const std::string& arguments) {
  return test_support::RunCommand(std::string(REGSVR_TOOL) + " " + arguments + " 2>&1");
}

std::string LibraryPath() {
  return fs::canonical(SAWPLAN_LIBRARY).string();
}

class ComponentTest : public ::testing::Test {
 protected:
  void Register() {
    const ToolResult tool = RunTool("--registry " + folder_.string() + " register " + SAWPLAN_LIBRARY);
    ASSERT_EQ(tool.exitCode, 0) << tool.output;
  }

  registry::Registry Store() const { return registry::Registry(folder_); }

  Ref<IVrex> CreateVrex() {
    Ref<IVrex> vrex;
    const Status status = CreateInstance(sawplan::kClsidVrex, sawplan::kIidIVrex, &vrex, Store());
    EXPECT_TRUE(status.Ok()) << status.message;
    return vrex;
  }

  test_support::TempFolder temp_;
  fs::path folder_{temp_.Path()};
};

// Two 500 x 500 squares per 1000 x 500 panel, three demanded: two passes, two layouts.
void PutSmallJob(IVrex* vrex) {
  vrex->Initialize(1, 1, 0);
  sawplan::tVREXSettings settings{};
  settings.max_runtime = 10;
  settings.max_num_iters = 50;
  settings.max_saw_cuttingwidth = 99999.9;
  vrex->PutSettings(&settings);
  sawplan::tVREXPanelData panel{1000, 500, 1000, 500, 0, 1, 10, 0};
  vrex->PutPanel(&panel);
  sawplan::tVREXPartData part{};
  part.pid = 5;
  part.length = 500;
  part.width = 500;
  part.sequence = 1;
  part.maxnumperpanel = 3;
  part.num = 3;
  vrex->PutPart(&part);
}

TEST_F(ComponentTest, RegistrationToolWritesTheClassKeys) {
  Register();
  const registry::Registry store = Store();
  const std::string classKey = "CLSID\\{AE7CF44B-F0A7-49A1-A327-B0AD0EBD1B39}";
  struct Value {
    std::string key;
    std::string name;
    std::string value;
  };
  const Value values[] = {
      {classKey, "", "Vrex Class"},
      {classKey + "\\InprocServer32", "", LibraryPath()},
      {classKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {classKey + "\\TypeLib", "", "{6B74AF40-E83B-11D3-B166-90BE46C1007A}"},
      {classKey + "\\ProgID", "", "Sawplan.Vrex.2"},
      {classKey + "\\VersionIndependentProgID", "", "Sawplan.Vrex"},
      {"Sawplan.Vrex.2", "", "Vrex Class"},
      {"Sawplan.Vrex.2\\CLSID", "", "{AE7CF44B-F0A7-49A1-A327-B0AD0EBD1B39}"},
      {"Sawplan.Vrex", "", "Vrex Class"},
      {"Sawplan.Vrex\\CLSID", "", "{AE7CF44B-F0A7-49A1-A327-B0AD0EBD1B39}"},
      {"Sawplan.Vrex\\CurVer", "", "Sawplan.Vrex.2"},
      {"TypeLib\\{6B74AF40-E83B-11D3-B166-90BE46C1007A}\\2.21", "", "Sawplan 2.21 Type Library"},
      {"Interface\\{D223B72E-4BB2-438E-8DF3-30FC46E02A10}", "", "IVrex Interface"},
      {"Interface\\{D223B72E-4BB2-438E-8DF3-30FC46E02A10}\\TypeLib", "",
       "{6B74AF40-E83B-11D3-B166-90BE46C1007A}"},
      {"Interface\\{F6911B24-CB88-45E2-8A7A-4E8762F298B3}", "", "_IVrexEvents Interface"},
      {"Interface\\{F6911B24-CB88-45E2-8A7A-4E8762F298B3}\\TypeLib", "Version", "2.21"},
  };
  for (const Value& v : values) {
    EXPECT_EQ(store.GetString(Root::ClassesRoot, v.key, v.name).value_or("<missing>"), v.value)
        << v.key << " " << v.name;
  }
  EXPECT_TRUE(store.KeyExists(Root::ClassesRoot, classKey + "\\Programmable"));

  const ToolResult tool = RunTool("--registry " + folder_.string() + " unregister " + SAWPLAN_LIBRARY);
  ASSERT_EQ(tool.exitCode, 0) << tool.output;
  for (const char* key : {"CLSID\\{AE7CF44B-F0A7-49A1-A327-B0AD0EBD1B39}", "Sawplan.Vrex.2", "Sawplan.Vrex",
                          "TypeLib\\{6B74AF40-E83B-11D3-B166-90BE46C1007A}",
                          "Interface\\{D223B72E-4BB2-438E-8DF3-30FC46E02A10}",
                          "Interface\\{F6911B24-CB88-45E2-8A7A-4E8762F298B3}"}) {
    EXPECT_FALSE(store.KeyExists(Root::ClassesRoot, key)) << key;
  }
}

TEST_F(ComponentTest, CreatedClassRunsTheOptimizer) {
  Register();
  Ref<IVrex> vrex = CreateVrex();
  ASSERT_TRUE(vrex);
  PutSmallJob(vrex.Get());
  EXPECT_EQ(vrex->Optimize(0), kOk);
  int32_t count = 0;
  vrex->GetNumLayouts(&count);
  ASSERT_EQ(count, 2);
  sawplan::tVREXLayoutData layout{};
  vrex->GetLayout(0, &layout);
  EXPECT_EQ(layout.numplacedparts, 2);
  sawplan::tVREXPlacedPartData placed{};
  vrex->GetPlacedPart(0, 1, &placed);
  EXPECT_EQ(placed.pid, 5);
  EXPECT_DOUBLE_EQ(placed.lengthcoord, 500);

  // Every object works on the one run of the library.
  Ref<IVrex> other = CreateVrex();
  int32_t seenByOther = 0;
  other->GetNumLayouts(&seenByOther);
  EXPECT_EQ(seenByOther, 2);
  vrex->ReleaseData();
}

TEST_F(ComponentTest, CreationErrorsNameTheClassOrLibraryAndTheReason) {
  Register();
  const fs::path broken = folder_ / "libbroken.so";
  std::ofstream(broken) << "not a library";
  const std::string classKey = "CLSID\\" + GuidText(sawplan::kClsidVrex) + "\\InprocServer32";
  struct Case {
    const char* name;
    std::string serverPath;  // empty: the class is not registered at all
    Guid iid;
    HResult code;
    std::vector<std::string> mentions;
  };
  const Guid otherIid = GuidFromText("{12345678-1234-1234-1234-123456789ABC}");
  const Case cases[] = {
      {"not registered",
       "",
       sawplan::kIidIVrex,
       kClassNotRegistered,
       {"{AE7CF44B-F0A7-49A1-A327-B0AD0EBD1B39}", "not registered"}},
      {"library missing",
       (folder_ / "gone.so").string(),
       sawplan::kIidIVrex,
       kLibraryNotFound,
       {(folder_ / "gone.so").string(), "does not exist"}},
      {"broken library", broken.string(), sawplan::kIidIVrex, kBadLibrary, {broken.string()}},
      {"no component",
       PLAIN_LIBRARY,
       sawplan::kIidIVrex,
       kEntryPointNotFound,
       {PLAIN_LIBRARY, "DllGetClassObject"}},
      {"interface not supported",
       LibraryPath(),
       otherIid,
       kNoInterface,
       {"{12345678-1234-1234-1234-123456789ABC}", "does not support"}},
  };
  for (const Case& c : cases) {
    registry::Registry store = Store();
    if (c.serverPath.empty()) {
      store.DeleteTree(Root::ClassesRoot, "CLSID");
    } else {
      store.SetString(Root::ClassesRoot, classKey, "", c.serverPath);
    }
    void* object = reinterpret_cast<void*>(1);
    const Status status = CreateInstance(sawplan::kClsidVrex, c.iid, &object, store);
    EXPECT_EQ(status.code, c.code) << c.name << ": " << status.message;
    EXPECT_EQ(object, nullptr) << c.name;
    for (const std::string& mention : c.mentions) {
      EXPECT_NE(status.message.find(mention), std::string::npos) << c.name << ": " << status.message;
    }
  }
}

TEST_F(ComponentTest, RegistrationToolReportsBadLibrariesAndUsage) {
  const fs::path broken = folder_ / "libbroken.so";
  std::ofstream(broken) << "not a library";
  struct Case {
    std::string arguments;
    int exitCode;
    std::vector<std::string> mentions;
  };
  const std::string registryOption = "--registry " + folder_.string() + " ";
  const Case cases[] = {
      {registryOption + "register " + (folder_ / "gone.so").string(), 1, {"gone.so", "does not exist"}},
      {registryOption + "register " + broken.string(), 1, {broken.string()}},
      {registryOption + "unregister " + PLAIN_LIBRARY, 1, {PLAIN_LIBRARY, "not a component library"}},
      {registryOption + "install " + SAWPLAN_LIBRARY, 2, {"usage"}},
      {"register", 2, {"usage"}},
  };
  for (const Case& c : cases) {
    const ToolResult tool = RunTool(c.arguments);
    EXPECT_EQ(tool.exitCode, c.exitCode) << c.arguments << "\n" << tool.output;
    for (const std::string& mention : c.mentions) {
      EXPECT_NE(tool.output.find(mention), std::string::npos) << c.arguments << "\n" << tool.output;
    }
  }
  EXPECT_FALSE(Store().KeyExists(Root::ClassesRoot, "CLSID"));
}

// A sink that records every Connecto and may interrupt the run at a given call.
class RecordingSink final : public sawplan::_IVrexEvents {
 public:
  HResult QueryInterface(const Guid& iid, void** object) override {
    if (iid == kIidIUnknown || iid == sawplan::kIidIVrexEvents) {
      *object = static_cast<sawplan::_IVrexEvents*>(this);
      AddRef();
      return kOk;
    }
    *object = nullptr;
    return kNoInterface;
  }
  uint32_t AddRef() override { return ++refs; }
  uint32_t Release() override { return --refs; }
  HResult Connecto(int32_t numpanelsused, int32_t numlayouts, int32_t numpanelstogo,
                   int32_t numpartstogo) override {
    calls.push_back({numpanelsused, numlayouts, numpanelstogo, numpartstogo});
    if (interruptAt == static_cast<int>(calls.size()) && vrex != nullptr) vrex->InterruptRun();
    if (unadviseFrom != nullptr) std::exchange(unadviseFrom, nullptr)->Unadvise(unadviseCookie);
    return kOk;
  }

  std::atomic<uint32_t> refs{1};
  std::vector<sawplan::tVREXProgress> calls;
  int interruptAt = 0;
  IVrex* vrex = nullptr;
  // Unadvised from inside the next Connecto.
  IConnectionPoint* unadviseFrom = nullptr;
  uint32_t unadviseCookie = 0;
};

// An object that has no event interface.
class NotASink final : public IUnknown {
 public:
  HResult QueryInterface(const Guid&, void** object) override {
    *object = nullptr;
    return kNoInterface;
  }
  uint32_t AddRef() override { return 2; }
  uint32_t Release() override { return 1; }
};

TEST_F(ComponentTest, AdvisedSinksGetConnectoOncePerPass) {
  Register();
  Ref<IVrex> vrex = CreateVrex();
  ASSERT_TRUE(vrex);
  void* containerObject = nullptr;
  ASSERT_EQ(vrex->QueryInterface(kIidIConnectionPointContainer, &containerObject), kOk);
  Ref<IConnectionPointContainer> container(static_cast<IConnectionPointContainer*>(containerObject));
  IConnectionPoint* rawPoint = nullptr;
  EXPECT_EQ(container->FindConnectionPoint(sawplan::kIidIVrex, &rawPoint), kNoConnection);
  ASSERT_EQ(container->FindConnectionPoint(sawplan::kIidIVrexEvents, &rawPoint), kOk);
  Ref<IConnectionPoint> point(rawPoint);

  NotASink notASink;
  uint32_t cookie = 0;
  EXPECT_EQ(point->Advise(&notASink, &cookie), kCannotConnect);

  RecordingSink sink;
  ASSERT_EQ(point->Advise(&sink, &cookie), kOk);
  EXPECT_EQ(sink.refs, 2u);

  PutSmallJob(vrex.Get());
  vrex->Optimize(0);
  EXPECT_TRUE(sink.calls.empty());
  vrex->ReleaseData();

  PutSmallJob(vrex.Get());
  vrex->Optimize(1);
  ASSERT_EQ(sink.calls.size(), 2u);
  const int32_t first[4] = {sink.calls[0].numpanelsused, sink.calls[0].numlayouts,
                            sink.calls[0].numpanelstogo, sink.calls[0].numpartstogo};
  const int32_t second[4] = {sink.calls[1].numpanelsused, sink.calls[1].numlayouts,
                             sink.calls[1].numpanelstogo, sink.calls[1].numpartstogo};
  EXPECT_EQ(std::vector<int32_t>(first, first + 4), (std::vector<int32_t>{0, 0, 10, 3}));
  EXPECT_EQ(std::vector<int32_t>(second, second + 4), (std::vector<int32_t>{1, 1, 9, 1}));
  vrex->ReleaseData();

  // Interrupting from the sink at the second pass keeps the first pass's layout.
  sink.calls.clear();
  sink.interruptAt = 2;
  sink.vrex = vrex.Get();
  PutSmallJob(vrex.Get());
  vrex->Optimize(1);
  int32_t count = 0;
  vrex->GetNumLayouts(&count);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(sink.calls.size(), 2u);
  vrex->ReleaseData();

  ASSERT_EQ(point->Unadvise(cookie), kOk);
  EXPECT_EQ(point->Unadvise(cookie), kNoConnection);
  EXPECT_EQ(sink.refs, 1u);
  sink.calls.clear();
  PutSmallJob(vrex.Get());
  vrex->Optimize(1);
  EXPECT_TRUE(sink.calls.empty());
  vrex->ReleaseData();
}

TEST_F(ComponentTest, SinkUnadvisedDuringAFiringIsNotCalled) {
  Register();
  Ref<IVrex> vrex = CreateVrex();
  ASSERT_TRUE(vrex);
  void* containerObject = nullptr;
  ASSERT_EQ(vrex->QueryInterface(kIidIConnectionPointContainer, &containerObject), kOk);
  Ref<IConnectionPointContainer> container(static_cast<IConnectionPointContainer*>(containerObject));
  IConnectionPoint* rawPoint = nullptr;
  ASSERT_EQ(container->FindConnectionPoint(sawplan::kIidIVrexEvents, &rawPoint), kOk);
  Ref<IConnectionPoint> point(rawPoint);

  // The first sink drops the second (a window closing its progress display, say) at the first
  // event; the second is gone from then on, that first event included.
  RecordingSink first;
  RecordingSink second;
  RecordingSink third;
  uint32_t firstCookie = 0;
  uint32_t secondCookie = 0;
  uint32_t thirdCookie = 0;
  ASSERT_EQ(point->Advise(&first, &firstCookie), kOk);
  ASSERT_EQ(point->Advise(&second, &secondCookie), kOk);
  ASSERT_EQ(point->Advise(&third, &thirdCookie), kOk);
  first.unadviseFrom = point.Get();
  first.unadviseCookie = secondCookie;

  PutSmallJob(vrex.Get());
  vrex->Optimize(1);
  vrex->ReleaseData();
  EXPECT_EQ(first.calls.size(), 2u);
  EXPECT_TRUE(second.calls.empty());
  EXPECT_EQ(third.calls.size(), 2u);
  EXPECT_EQ(second.refs, 1u);
  EXPECT_EQ(point->Unadvise(secondCookie), kNoConnection);
  ASSERT_EQ(point->Unadvise(firstCookie), kOk);
  ASSERT_EQ(point->Unadvise(thirdCookie), kOk);
}

// An outer object that counts the references its inner object hands on to it.
class Outer final : public IUnknown {
 public:
  HResult QueryInterface(const Guid&, void** object) override {
    *object = nullptr;
    return kNoInterface;
  }
  uint32_t AddRef() override { return ++refs; }
  uint32_t Release() override { return --refs; }
  uint32_t refs = 1;
};

TEST_F(ComponentTest, ClassFactoryAggregationAndUnloading) {
  void* library = dlopen(SAWPLAN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  DllGetClassObjectFn getClassObject = nullptr;
  DllCanUnloadNowFn canUnloadNow = nullptr;
  void* symbol = dlsym(library, kDllGetClassObjectName);
  std::memcpy(&getClassObject, &symbol, sizeof symbol);
  symbol = dlsym(library, kDllCanUnloadNowName);
  std::memcpy(&canUnloadNow, &symbol, sizeof symbol);
  ASSERT_NE(getClassObject, nullptr);
  ASSERT_NE(canUnloadNow, nullptr);
  EXPECT_EQ(canUnloadNow(), kOk);

  void* unused = nullptr;
  const Guid otherClass = GuidFromText("{00000000-1111-2222-3333-444444444444}");
  EXPECT_EQ(getClassObject(&otherClass, &kIidIClassFactory, &unused), kClassNotAvailable);

  void* factoryObject = nullptr;
  ASSERT_EQ(getClassObject(&sawplan::kClsidVrex, &kIidIClassFactory, &factoryObject), kOk);
  auto* factory = static_cast<IClassFactory*>(factoryObject);
  EXPECT_EQ(canUnloadNow(), kFalse);

  Outer outer;
  void* object = nullptr;
  EXPECT_EQ(factory->CreateInstance(&outer, sawplan::kIidIVrex, &object), kNoAggregation);
  ASSERT_EQ(factory->CreateInstance(&outer, kIidIUnknown, &object), kOk);
  auto* inner = static_cast<IUnknown*>(object);
  void* vrexObject = nullptr;
  ASSERT_EQ(inner->QueryInterface(sawplan::kIidIVrex, &vrexObject), kOk);
  auto* vrex = static_cast<IVrex*>(vrexObject);
  // References taken through the interface belong to the outer object.
  EXPECT_EQ(outer.refs, 2u);
  vrex->AddRef();
  EXPECT_EQ(outer.refs, 3u);
  vrex->Release();
  vrex->Release();
  EXPECT_EQ(outer.refs, 1u);

  factory->Release();
  EXPECT_EQ(canUnloadNow(), kFalse);  // the inner object still lives
  inner->Release();
  EXPECT_EQ(canUnloadNow(), kOk);

  ASSERT_EQ(getClassObject(&sawplan::kClsidVrex, &kIidIClassFactory, &factoryObject), kOk);
  factory = static_cast<IClassFactory*>(factoryObject);
  factory->LockServer(1);
  factory->Release();
  EXPECT_EQ(canUnloadNow(), kFalse);
  ASSERT_EQ(getClassObject(&sawplan::kClsidVrex, &kIidIClassFactory, &factoryObject), kOk);
  factory = static_cast<IClassFactory*>(factoryObject);
  factory->LockServer(0);
  factory->Release();
  EXPECT_EQ(canUnloadNow(), kOk);
  dlclose(library);
}

TEST(GuidTest, TextRoundTrip) {
  EXPECT_EQ(GuidText(sawplan::kClsidVrex), "{AE7CF44B-F0A7-49A1-A327-B0AD0EBD1B39}");
  EXPECT_EQ(GuidText(sawplan::kIidIVrexEvents), "{F6911B24-CB88-45E2-8A7A-4E8762F298B3}");
  EXPECT_FALSE(sawplan::kIidIVrex == sawplan::kIidIVrexEvents);
}

}  // namespace
}  // namespace tv::component
