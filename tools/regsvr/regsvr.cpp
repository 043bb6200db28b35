// tavolin-regsvr: registers or unregisters a component library (its DllRegisterServer or
// DllUnregisterServer), in the registry store of $TAVOLIN_REGISTRY or of --registry.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "component/component.h"
#include "registry/registry.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: tavolin-regsvr [--registry FOLDER] register|unregister LIBRARY\n"
               "  Registers (or removes) the component classes of LIBRARY in the registry store:\n"
               "  FOLDER when given, else $TAVOLIN_REGISTRY, else the user's store.\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string registryFolder;
  std::string action;
  std::string library;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--registry" && i + 1 < argc) {
      registryFolder = argv[++i];
    } else if (arg == "-h" || arg == "--help") {
      Usage();
      return 0;
    } else if (action.empty()) {
      action = arg;
    } else if (library.empty()) {
      library = arg;
    } else {
      return Usage();
    }
  }
  if (library.empty() || (action != "register" && action != "unregister")) return Usage();

  // The library writes to the store the registry layer finds through the environment.
  if (!registryFolder.empty()) setenv("TAVOLIN_REGISTRY", registryFolder.c_str(), 1);

  const bool registering = action == "register";
  const tv::component::Status status =
      registering ? tv::component::RegisterServer(library) : tv::component::UnregisterServer(library);
  if (!status.Ok()) {
    std::fprintf(stderr, "tavolin-regsvr: %s\n", status.message.c_str());
    return 1;
  }
  std::printf("%s %s in %s\n", registering ? "Registered" : "Unregistered", library.c_str(),
              tv::registry::StoreFolder().string().c_str());
  return 0;
}
