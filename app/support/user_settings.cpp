#include "support/user_settings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "core/program.h"
#include "support/paths.h"

namespace tv::support {
namespace {

registry::Registry Store(const core::Program& program) {
  return program.RegistryFolder.empty() ? registry::Registry() : registry::Registry(program.RegistryFolder);
}

}  // namespace

std::string UserSettingsKey(const std::string& section) {
  return "Software\\Tavolin\\" + section;
}

std::string GetUserSetting(const core::Program& program, const std::string& section, const std::string& key,
                           const std::string& defaultValue) {
  return Store(program)
      .GetString(registry::Root::CurrentUser, UserSettingsKey(section), key)
      .value_or(defaultValue);
}

bool SaveUserSetting(const core::Program& program, const std::string& section, const std::string& key,
                     const std::string& value) {
  return Store(program).SetString(registry::Root::CurrentUser, UserSettingsKey(section), key, value);
}

std::string DefaultStartFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return AddBackslash(home);
  if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr && *pw->pw_dir != '\0') {
    return AddBackslash(pw->pw_dir);
  }
  return "/";
}

bool GetKeyValue(const core::Program& program, registry::Root root, const std::string& keyName,
                 const std::string& valueName, std::string& keyVal) {
  std::optional<std::string> value = Store(program).GetString(root, keyName, valueName);
  if (!value) {
    keyVal.clear();
    return false;
  }
  if (!value->empty() && value->back() == '\0') value->pop_back();
  keyVal = std::move(*value);
  return true;
}

}  // namespace tv::support
