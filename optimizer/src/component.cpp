// The class Vrex as a component: the object with its connection point for _IVrexEvents, its
// class factory, and the four exported entry points (class object, unload test, registration
// and unregistration in the registry).
#include <dlfcn.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "optimizer.h"
#include "registry/registry.h"
#include "sawplan/vrex.h"

namespace sawplan {

namespace {

using tv::component::IClassFactory;
using tv::component::IConnectionPoint;
using tv::component::IConnectionPointContainer;
using tv::component::kCannotConnect;
using tv::component::kClassNotAvailable;
using tv::component::kFalse;
using tv::component::kIidIClassFactory;
using tv::component::kIidIConnectionPoint;
using tv::component::kIidIConnectionPointContainer;
using tv::component::kInvalidPointer;
using tv::component::kNoAggregation;
using tv::component::kNoConnection;
using tv::component::kNoInterface;
using tv::component::kOutOfMemory;
using tv::component::kRegistrationFailed;
using tv::component::Succeeded;

// Live objects (instances and class factories) and LockServer locks: the library may be
// unloaded only when both are zero.
std::atomic<int32_t> liveObjects{0};
std::atomic<int32_t> serverLocks{0};

class Vrex final : public IVrex, public IConnectionPointContainer {
 public:
  // outer is the controlling object when aggregated; every reference of the interfaces goes
  // to it, while inner_ holds the object's own count.
  explicit Vrex(IUnknown* outer) : inner_(*this), point_(*this), outer_(outer != nullptr ? outer : &inner_) {
    ++liveObjects;
  }

  IUnknown* InnerUnknown() { return &inner_; }

  HResult QueryInterface(const Guid& iid, void** object) override {
    return outer_->QueryInterface(iid, object);
  }
  uint32_t AddRef() override { return outer_->AddRef(); }
  uint32_t Release() override { return outer_->Release(); }

  HResult Initialize(int32_t numpanels, int32_t numparts, int32_t useLogfile) override {
    ModuleOptimizer().Initialize(numpanels, numparts, useLogfile);
    return kOk;
  }
  HResult PutSettings(const tVREXSettings* settings) override {
    if (settings != nullptr) ModuleOptimizer().PutSettings(*settings);
    return kOk;
  }
  HResult PutPanel(const tVREXPanelData* panel) override {
    if (panel != nullptr) ModuleOptimizer().PutPanel(*panel);
    return kOk;
  }
  HResult PutPart(const tVREXPartData* part) override {
    if (part != nullptr) ModuleOptimizer().PutPart(*part);
    return kOk;
  }
  HResult Optimize(int32_t useCallback) override {
    // A sink may release the caller's last reference while the run goes on.
    AddRef();
    // SAWPLAN_SCAN is read for every run, so one process can run each scan path in turn.
    ModuleOptimizer().scanPath = DefaultScanPath();
    ModuleOptimizer().Optimize(useCallback,
                               [this](const tVREXProgress& progress) { FireConnecto(progress); });
    Release();
    return kOk;
  }
  HResult InterruptRun() override {
    ModuleOptimizer().InterruptRun();
    return kOk;
  }
  HResult GetProgress(tVREXProgress* progress) override {
    if (progress != nullptr) *progress = ModuleOptimizer().GetProgress();
    return kOk;
  }
  HResult GetNumLayouts(int32_t* numLayouts) override {
    if (numLayouts != nullptr) *numLayouts = ModuleOptimizer().GetNumLayouts();
    return kOk;
  }
  HResult GetLayout(int32_t LayoutIndex, tVREXLayoutData* layout) override {
    ModuleOptimizer().GetLayout(LayoutIndex, layout);
    return kOk;
  }
  HResult GetPlacedPart(int32_t LayoutIndex, int32_t PartIndex, tVREXPlacedPartData* placedpart) override {
    ModuleOptimizer().GetPlacedPart(LayoutIndex, PartIndex, placedpart);
    return kOk;
  }
  HResult ReleaseData() override {
    ModuleOptimizer().ReleaseData();
    return kOk;
  }

  HResult FindConnectionPoint(const Guid& iid, IConnectionPoint** point) override {
    if (point == nullptr) return kInvalidPointer;
    *point = nullptr;
    if (!(iid == kIidIVrexEvents)) return kNoConnection;
    *point = &point_;
    point_.AddRef();
    return kOk;
  }

 private:
  class Inner final : public IUnknown {
   public:
    explicit Inner(Vrex& owner) : owner_(owner) {}
    HResult QueryInterface(const Guid& iid, void** object) override {
      if (object == nullptr) return kInvalidPointer;
      *object = nullptr;
      // The reference is taken through the interface handed out: the object's own count for
      // its unknown, the controlling object's for the others.
      if (iid == kIidIUnknown) {
        *object = static_cast<IUnknown*>(this);
        AddRef();
      } else if (iid == kIidIVrex) {
        *object = static_cast<IVrex*>(&owner_);
        owner_.AddRef();
      } else if (iid == kIidIConnectionPointContainer) {
        *object = static_cast<IConnectionPointContainer*>(&owner_);
        owner_.AddRef();
      } else {
        return kNoInterface;
      }
      return kOk;
    }
    uint32_t AddRef() override { return ++refs_; }
    uint32_t Release() override {
      const uint32_t left = --refs_;
      if (left == 0) delete &owner_;
      return left;
    }

   private:
    Vrex& owner_;
    std::atomic<uint32_t> refs_{1};
  };

  class Point final : public IConnectionPoint {
   public:
    explicit Point(Vrex& owner) : owner_(owner) {}
    HResult QueryInterface(const Guid& iid, void** object) override {
      if (object == nullptr) return kInvalidPointer;
      *object = nullptr;
      if (!(iid == kIidIUnknown) && !(iid == kIidIConnectionPoint)) return kNoInterface;
      *object = static_cast<IConnectionPoint*>(this);
      AddRef();
      return kOk;
    }
    // The point lives inside the object and keeps it alive.
    uint32_t AddRef() override { return owner_.AddRef(); }
    uint32_t Release() override { return owner_.Release(); }
    HResult GetConnectionInterface(Guid* iid) override {
      if (iid == nullptr) return kInvalidPointer;
      *iid = kIidIVrexEvents;
      return kOk;
    }
    HResult Advise(IUnknown* sink, uint32_t* cookie) override {
      if (sink == nullptr || cookie == nullptr) return kInvalidPointer;
      *cookie = 0;
      void* events = nullptr;
      if (!Succeeded(sink->QueryInterface(kIidIVrexEvents, &events)) || events == nullptr)
        return kCannotConnect;
      *cookie = owner_.nextCookie_++;
      owner_.sinks_.push_back({*cookie, static_cast<_IVrexEvents*>(events)});
      return kOk;
    }
    HResult Unadvise(uint32_t cookie) override {
      auto& sinks = owner_.sinks_;
      for (auto it = sinks.begin(); it != sinks.end(); ++it) {
        if (it->cookie != cookie) continue;
        _IVrexEvents* events = it->events;
        sinks.erase(it);
        events->Release();
        return kOk;
      }
      return kNoConnection;
    }

   private:
    Vrex& owner_;
  };

  struct Sink {
    uint32_t cookie = 0;
    _IVrexEvents* events = nullptr;
  };

  ~Vrex() {
    for (const Sink& sink : sinks_) sink.events->Release();
    --liveObjects;
  }

  bool StillAdvised(uint32_t cookie) const {
    for (const Sink& sink : sinks_) {
      if (sink.cookie == cookie) return true;
    }
    return false;
  }

  // Calls the advised sinks with the four progress values; a sink's result is ignored. A sink
  // may advise or unadvise from inside its Connecto: the walk goes over the sinks advised when
  // the firing began, held alive by a reference of their own, and skips any that an earlier
  // sink has unadvised meanwhile (its owner may be tearing it down).
  void FireConnecto(const tVREXProgress& progress) {
    std::vector<Sink> sinks = sinks_;
    for (const Sink& sink : sinks) sink.events->AddRef();
    for (const Sink& sink : sinks) {
      if (!StillAdvised(sink.cookie)) continue;
      sink.events->Connecto(progress.numpanelsused, progress.numlayouts, progress.numpanelstogo,
                            progress.numpartstogo);
    }
    for (const Sink& sink : sinks) sink.events->Release();
  }

  Inner inner_;
  Point point_;
  IUnknown* outer_;
  std::vector<Sink> sinks_;
  uint32_t nextCookie_ = 1;
};

class VrexFactory final : public IClassFactory {
 public:
  VrexFactory() { ++liveObjects; }

  HResult QueryInterface(const Guid& iid, void** object) override {
    if (object == nullptr) return kInvalidPointer;
    *object = nullptr;
    if (!(iid == kIidIUnknown) && !(iid == kIidIClassFactory)) return kNoInterface;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return kOk;
  }
  uint32_t AddRef() override { return ++refs_; }
  uint32_t Release() override {
    const uint32_t left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  HResult CreateInstance(IUnknown* outer, const Guid& iid, void** object) override {
    if (object == nullptr) return kInvalidPointer;
    *object = nullptr;
    // An aggregated object hands its own unknown to the outer object and nothing else.
    if (outer != nullptr && !(iid == kIidIUnknown)) return kNoAggregation;
    Vrex* vrex = new (std::nothrow) Vrex(outer);
    if (vrex == nullptr) return kOutOfMemory;
    IUnknown* inner = vrex->InnerUnknown();
    const HResult result = inner->QueryInterface(iid, object);
    inner->Release();
    return result;
  }
  HResult LockServer(int32_t lock) override {
    if (lock != 0) {
      ++serverLocks;
    } else {
      --serverLocks;
    }
    return kOk;
  }

 private:
  ~VrexFactory() { --liveObjects; }
  std::atomic<uint32_t> refs_{1};
};

// Full path of this library, found through an address inside it.
std::string OwnLibraryPath() {
  static const char anchor = 0;
  Dl_info info{};
  if (dladdr(&anchor, &info) == 0 || info.dli_fname == nullptr) return {};
  std::error_code error;
  const std::filesystem::path path = std::filesystem::canonical(info.dli_fname, error);
  if (error) return std::filesystem::absolute(info.dli_fname, error).string();
  return path.string();
}

std::string ClassKey() {
  return "CLSID\\" + GuidText(kClsidVrex);
}
std::string TypeLibKey() {
  return "TypeLib\\" + GuidText(kLibidSawplan);
}
std::string InterfaceKey(const Guid& iid) {
  return "Interface\\" + GuidText(iid);
}

}  // namespace

}  // namespace sawplan

using sawplan::Guid;
using sawplan::HResult;
using tv::registry::Root;

extern "C" __attribute__((visibility("default"))) HResult DllGetClassObject(const Guid* clsid,
                                                                            const Guid* iid, void** object) {
  if (clsid == nullptr || iid == nullptr || object == nullptr) return tv::component::kInvalidPointer;
  *object = nullptr;
  if (!(*clsid == sawplan::kClsidVrex)) return tv::component::kClassNotAvailable;
  auto* factory = new (std::nothrow) sawplan::VrexFactory();
  if (factory == nullptr) return tv::component::kOutOfMemory;
  const HResult result = factory->QueryInterface(*iid, object);
  factory->Release();
  return result;
}

extern "C" __attribute__((visibility("default"))) HResult DllCanUnloadNow() {
  return sawplan::liveObjects == 0 && sawplan::serverLocks == 0 ? tv::component::kOk : tv::component::kFalse;
}

extern "C" __attribute__((visibility("default"))) HResult DllRegisterServer() {
  using namespace sawplan;
  const std::string path = OwnLibraryPath();
  if (path.empty()) return kRegistrationFailed;
  tv::registry::Registry registry;
  const std::string clsid = GuidText(kClsidVrex);
  const std::string libid = GuidText(kLibidSawplan);
  const std::string classKey = ClassKey();
  const std::string progIdCurrent = kProgIdVrex;
  const std::string progIdIndependent = kVersionIndependentProgIdVrex;
  const std::string typeLibVersionKey = TypeLibKey() + "\\" + kTypeLibVersion;

  bool ok = registry.SetString(Root::ClassesRoot, classKey, "", kVrexDescription);
  ok = ok && registry.SetString(Root::ClassesRoot, classKey + "\\ProgID", "", progIdCurrent);
  ok = ok &&
       registry.SetString(Root::ClassesRoot, classKey + "\\VersionIndependentProgID", "", progIdIndependent);
  ok = ok && registry.SetString(Root::ClassesRoot, classKey + "\\InprocServer32", "", path);
  ok = ok && registry.SetString(Root::ClassesRoot, classKey + "\\InprocServer32", "ThreadingModel",
                                kThreadingModel);
  ok = ok && registry.CreateKey(Root::ClassesRoot, classKey + "\\Programmable");
  ok = ok && registry.SetString(Root::ClassesRoot, classKey + "\\TypeLib", "", libid);

  ok = ok && registry.SetString(Root::ClassesRoot, progIdCurrent, "", kVrexDescription);
  ok = ok && registry.SetString(Root::ClassesRoot, progIdCurrent + "\\CLSID", "", clsid);
  ok = ok && registry.SetString(Root::ClassesRoot, progIdIndependent, "", kVrexDescription);
  ok = ok && registry.SetString(Root::ClassesRoot, progIdIndependent + "\\CLSID", "", clsid);
  ok = ok && registry.SetString(Root::ClassesRoot, progIdIndependent + "\\CurVer", "", progIdCurrent);

  // The type library's identity and the interfaces it describes.
  ok = ok && registry.SetString(Root::ClassesRoot, typeLibVersionKey, "", kTypeLibHelpString);
  ok = ok && registry.SetString(Root::ClassesRoot, typeLibVersionKey + "\\" + std::to_string(kTypeLibLocale),
                                "", path);
  const std::pair<Guid, const char*> interfaces[] = {{kIidIVrex, kIVrexDescription},
                                                     {kIidIVrexEvents, kIVrexEventsDescription}};
  for (const auto& [iid, description] : interfaces) {
    const std::string key = InterfaceKey(iid);
    ok = ok && registry.SetString(Root::ClassesRoot, key, "", description);
    ok = ok && registry.SetString(Root::ClassesRoot, key + "\\TypeLib", "", libid);
    ok = ok && registry.SetString(Root::ClassesRoot, key + "\\TypeLib", "Version", kTypeLibVersion);
  }
  return ok ? kOk : kRegistrationFailed;
}

extern "C" __attribute__((visibility("default"))) HResult DllUnregisterServer() {
  using namespace sawplan;
  tv::registry::Registry registry;
  bool ok = registry.DeleteTree(Root::ClassesRoot, ClassKey());
  ok = registry.DeleteTree(Root::ClassesRoot, kProgIdVrex) && ok;
  ok = registry.DeleteTree(Root::ClassesRoot, kVersionIndependentProgIdVrex) && ok;
  ok = registry.DeleteTree(Root::ClassesRoot, TypeLibKey()) && ok;
  ok = registry.DeleteTree(Root::ClassesRoot, InterfaceKey(kIidIVrex)) && ok;
  ok = registry.DeleteTree(Root::ClassesRoot, InterfaceKey(kIidIVrexEvents)) && ok;
  return ok ? kOk : kRegistrationFailed;
}
