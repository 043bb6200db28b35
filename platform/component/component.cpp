#include "component/component.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tv::component {

namespace {

using registry::Root;

std::string CodeText(HResult code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
  return text;
}

Status Failure(HResult code, std::string message) {
  return {code, std::move(message)};
}

// Opens a library for its entry points. On failure the status names the path and why.
void* OpenLibrary(const std::string& path, Status* status) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    *status = Failure(kLibraryNotFound, "Cannot load " + path + ": the file does not exist");
    return nullptr;
  }
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    *status = Failure(kBadLibrary,
                      "Cannot load " + path + ": " + (reason != nullptr ? reason : "unknown loader error"));
  }
  return handle;
}

template <class Fn>
Fn FindEntry(void* handle, const char* name) {
  void* symbol = dlsym(handle, name);
  Fn entry = nullptr;
  static_assert(sizeof entry == sizeof symbol);
  // dlsym hands out functions as object pointers; copying the bits is the portable way back.
  std::memcpy(&entry, &symbol, sizeof entry);
  return entry;
}

Status CallRegistration(const std::string& libraryPath, const char* entryName, const char* action) {
  Status status;
  void* handle = OpenLibrary(libraryPath, &status);
  if (handle == nullptr) return status;
  auto entry = FindEntry<DllRegisterServerFn>(handle, entryName);
  if (entry == nullptr) {
    dlclose(handle);
    return Failure(kEntryPointNotFound, "Cannot " + std::string(action) + " " + libraryPath +
                                            ": it is not a component library (no " + entryName + ")");
  }
  const HResult code = entry();
  dlclose(handle);
  if (!Succeeded(code)) {
    return Failure(code, "Cannot " + std::string(action) + " " + libraryPath + ": " + entryName +
                             " failed (" + CodeText(code) + ") writing the registry in " +
                             registry::StoreFolder().string());
  }
  return status;
}

}  // namespace

std::optional<std::string> ServerPath(const Guid& clsid, const registry::Registry& registry) {
  auto path = registry.GetString(Root::ClassesRoot, "CLSID\\" + GuidText(clsid) + "\\InprocServer32", "");
  if (path && path->empty()) return std::nullopt;
  return path;
}

Status CreateInstance(const Guid& clsid, const Guid& iid, void** object, const registry::Registry& registry) {
  if (object == nullptr) return Failure(kInvalidPointer, "No place for the created object");
  *object = nullptr;
  const std::string classText = GuidText(clsid);
  const std::optional<std::string> path = ServerPath(clsid, registry);
  if (!path) {
    return Failure(kClassNotRegistered,
                   "Class " + classText + " is not registered (registry " + registry.Folder().string() + ")");
  }

  Status status;
  void* handle = OpenLibrary(*path, &status);
  if (handle == nullptr) return status;
  auto getClassObject = FindEntry<DllGetClassObjectFn>(handle, kDllGetClassObjectName);
  if (getClassObject == nullptr) {
    return Failure(kEntryPointNotFound,
                   "Cannot create class " + classText + ": " + *path + " does not export DllGetClassObject");
  }

  void* factoryObject = nullptr;
  HResult code = getClassObject(&clsid, &kIidIClassFactory, &factoryObject);
  if (!Succeeded(code) || factoryObject == nullptr) {
    return Failure(Succeeded(code) ? kClassNotAvailable : code, "Cannot create class " + classText + ": " +
                                                                    *path + " has no class factory for it (" +
                                                                    CodeText(code) + ")");
  }
  auto* factory = static_cast<IClassFactory*>(factoryObject);
  code = factory->CreateInstance(nullptr, iid, object);
  factory->Release();
  if (code == kNoInterface) {
    return Failure(
        code, "Class " + classText + " in " + *path + " does not support the interface " + GuidText(iid));
  }
  if (!Succeeded(code)) {
    return Failure(code, "Cannot create class " + classText + " from " + *path + " (" + CodeText(code) + ")");
  }
  return status;
}

Status RegisterServer(const std::string& libraryPath) {
  return CallRegistration(libraryPath, kDllRegisterServerName, "register");
}

Status UnregisterServer(const std::string& libraryPath) {
  return CallRegistration(libraryPath, kDllUnregisterServerName, "unregister");
}

}  // namespace tv::component
