// A small file-backed registry with the roots HKLM, HKCU and HKCR: the store behind the
// per-user settings and the component registration of the optimizer library.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tv::registry {

enum class Root { LocalMachine, CurrentUser, ClassesRoot };

// Folder that holds one file per root: $TAVOLIN_REGISTRY when set, else
// $XDG_CONFIG_HOME/tavolin/registry, else ~/.config/tavolin/registry.
std::filesystem::path StoreFolder();

// Key paths use "\" between levels ("Software\\Tavolin\\Paths"); comparison ignores case.
// Every call reads the root's file afresh and every change rewrites it atomically, so two
// processes (the program and the registration tool) see each other's writes.
class Registry {
 public:
  explicit Registry(std::filesystem::path folder = StoreFolder());

  // Creates the key and every missing level above it. False when the store cannot be written.
  bool CreateKey(Root root, const std::string& key);
  bool KeyExists(Root root, const std::string& key) const;

  // name "" is the key's default value. Setting a value creates the key.
  bool SetString(Root root, const std::string& key, const std::string& name, const std::string& value);
  std::optional<std::string> GetString(Root root, const std::string& key, const std::string& name) const;

  // Direct subkey names and value names, in the order they were first created.
  std::vector<std::string> SubKeys(Root root, const std::string& key) const;
  std::vector<std::string> ValueNames(Root root, const std::string& key) const;

  bool DeleteValue(Root root, const std::string& key, const std::string& name);
  // Removes the key with everything below it. True when nothing of it remains.
  bool DeleteTree(Root root, const std::string& key);

  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

}  // namespace tv::registry
