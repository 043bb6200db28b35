// Component services of the main program: creating a registered class by its class
// identifier (registry lookup, loading its library, class factory, requested interface), and
// registering or unregistering a component library.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "component/binary_interface.h"
#include "registry/registry.h"

namespace tv::component {

struct Status {
  HResult code = kOk;
  std::string message;  // empty on success; else names the class or library and the reason
  bool Ok() const { return Succeeded(code); }
};

// The library registered for a class (its InprocServer32 value), if any.
std::optional<std::string> ServerPath(const Guid& clsid, const registry::Registry& registry);

// Creates the class registered under clsid and asks it for the interface iid; on success
// *object holds one reference to that interface. A loaded library stays loaded for the life of
// the process, since objects it made may still be alive anywhere.
Status CreateInstance(const Guid& clsid, const Guid& iid, void** object,
                      const registry::Registry& registry = registry::Registry());

// Loads a component library and calls its DllRegisterServer or DllUnregisterServer. The
// library writes to the registry store that registry::StoreFolder() names.
Status RegisterServer(const std::string& libraryPath);
Status UnregisterServer(const std::string& libraryPath);

// An owning interface pointer: releases its reference when it goes.
template <class T>
class Ref {
 public:
  Ref() = default;
  // Takes over a reference the caller already holds.
  explicit Ref(T* adopted) : p_(adopted) {}
  Ref(const Ref& other) : p_(other.p_) {
    if (p_ != nullptr) p_->AddRef();
  }
  Ref(Ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  Ref& operator=(Ref other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~Ref() { Reset(); }

  void Reset() {
    if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
  }
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

// CreateInstance for an interface type T whose identifier is iid.
template <class T>
Status CreateInstance(const Guid& clsid, const Guid& iid, Ref<T>* out,
                      const registry::Registry& registry = registry::Registry()) {
  void* raw = nullptr;
  Status status = CreateInstance(clsid, iid, &raw, registry);
  *out = Ref<T>(status.Ok() ? static_cast<T*>(raw) : nullptr);
  return status;
}

}  // namespace tv::component
