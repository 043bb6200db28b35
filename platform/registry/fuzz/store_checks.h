// What every registry store file must survive: shared by the store's fuzz target and the
// regression test that replays the inputs it found.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "files/atomic_write.h"
#include "registry/registry.h"
#include "registry/store_file.h"
#include "text/file_text.h"

namespace tv::registry::checks {

inline constexpr std::string_view kProbeKey = "Tavolin Probe\\Checks";

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// What a file holds, as the registry reads it.
inline detail::StoreImage ImageOf(const std::filesystem::path& file) {
  return detail::ParseStore(text::DecodeFileText(ReadBytes(file)).text);
}

// Puts bytes in place of the current user's store and sets one value through the registry.
// False (why says what) when a refused change touched the file, or when the rewritten file
// reads back as anything but what was read plus the value set: every key, value and kept
// line of the file survives a change to another key. Crashes are for the sanitizers.
inline bool CheckInput(std::string_view bytes, const std::filesystem::path& folder, std::string& why) {
  const std::filesystem::path file = folder / "HKEY_CURRENT_USER.txt";
  if (!files::WriteFileAtomic(file.string(), std::string(bytes))) {
    why = "cannot write the input";
    return false;
  }
  const detail::StoreImage before = ImageOf(file);
  for (const detail::StoredKey& key : before.keys) {
    if (detail::SameName(key.path, kProbeKey) || detail::IsBelow(kProbeKey, key.path)) return true;
  }
  Registry reg(folder);
  if (!reg.SetString(Root::CurrentUser, std::string(kProbeKey), "Value", "probe")) {
    if (ReadBytes(file) != bytes) why = "a refused change altered the file";
    return why.empty();
  }
  if (reg.GetString(Root::CurrentUser, std::string(kProbeKey), "Value") != "probe") {
    why = "the value set does not read back";
    return false;
  }
  const detail::StoreImage after = ImageOf(file);
  if (after.preamble != before.preamble) {
    why = "lines before the first key changed";
    return false;
  }
  if (after.keys.size() != before.keys.size() + 1) {
    why = "the rewritten file holds " + std::to_string(after.keys.size()) + " keys, not " +
          std::to_string(before.keys.size() + 1);
    return false;
  }
  for (size_t i = 0; i < before.keys.size(); ++i) {
    if (before.keys[i] != after.keys[i]) {
      why = "key " + std::to_string(i + 1) + " (" + before.keys[i].path + ") changed on a rewrite";
      return false;
    }
  }
  // Writing what was read gives the same file again.
  const std::string written = ReadBytes(file);
  if (detail::FormatStore(after) != written) {
    why = "the store is not written the same way twice";
    return false;
  }
  return true;
}

}  // namespace tv::registry::checks
