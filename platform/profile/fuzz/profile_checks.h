// What every INI file must survive: shared by the INI fuzz target and the regression test
// that replays the inputs it found.
#pragma once

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/atomic_write.h"
#include "profile/profile.h"
#include "text/codepage.h"
#include "text/file_text.h"
#include "text/lines.h"

namespace tv::profile::checks {

struct Entry {
  std::string section;
  std::string key;
};

inline std::string ReadBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

inline bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

inline bool SameEntry(const Entry& a, const Entry& b) {
  return SameName(TrimBlanks(a.section), TrimBlanks(b.section)) &&
         SameName(TrimBlanks(a.key), TrimBlanks(b.key));
}

// The section and key names the file seems to hold, a few dozen at most: the names a lookup
// may be asked for.
inline std::vector<Entry> NamesIn(std::string_view text) {
  std::vector<Entry> entries;
  std::string section;
  for (std::string_view line : text::SplitLines(text)) {
    const std::string_view trimmed = TrimBlanks(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      section = std::string(trimmed.substr(1, trimmed.find(']') - 1));
    } else if (const size_t eq = line.find('='); eq != std::string_view::npos && eq > 0) {
      entries.push_back({section, std::string(line.substr(0, eq))});
    }
    if (entries.size() >= 40) break;
  }
  return entries;
}

// Reads every name, writes one value (into a key the file has, or a new one), and reads
// again. False (why says what) when a refused write touched the file or gave no reason, when
// the value written does not read back, or when any other value changed.
inline bool CheckWrite(const std::string& ini, const std::vector<Entry>& names, const Entry& target,
                       const std::string& value, std::string& why) {
  std::vector<std::optional<std::string>> before;
  for (const Entry& e : names) before.push_back(ReadValue(ini, e.section, e.key));
  const std::string bytes = ReadBytes(ini);
  std::string error;
  if (!WriteValue(ini, target.section, target.key, value, &error)) {
    if (ReadBytes(ini) != bytes) why = "a refused write changed the file";
    if (error.empty()) why = "a refused write gave no reason";
    return why.empty();
  }
  // A value that is not UTF-8 is taken as the Windows code page, as any text read is.
  if (ReadValue(ini, target.section, target.key) != text::DecodeText(value)) {
    why = "[" + target.section + "] " + target.key + " does not read back as written";
    return false;
  }
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameEntry(names[i], target)) continue;
    if (ReadValue(ini, names[i].section, names[i].key) != before[i]) {
      why = "writing [" + target.section + "] " + target.key + " changed [" + names[i].section + "] " +
            names[i].key;
      return false;
    }
  }
  return true;
}

inline bool CheckInput(std::string_view bytes, const std::string& folder, std::string& why) {
  const std::string ini = folder + "TAVO.INI";
  std::vector<Entry> names = NamesIn(text::DecodeFileText(bytes).text);
  names.push_back({"Config", "MaterialDataPath"});
  names.push_back({"Options", "PrintBlack"});
  const std::vector<std::pair<Entry, std::string>> writes = {
      {names.front(),
       "/srv/k\xC3\xBC"
       "che/"},
      {{"Tavolin Probe", "Value"}, "probe"},
      {{"Config", "MaterialDataPath"}, "/srv/\xC3\xA9tag\xC3\xA8re \xCE\xA9/"},
      {{"Options", "Raw"}, "caf\xE9"},
  };
  for (const auto& [target, value] : writes) {
    if (!files::WriteFileAtomic(ini, std::string(bytes))) {
      why = "cannot write the input";
      return false;
    }
    if (!CheckWrite(ini, names, target, value, why)) return false;
  }
  return true;
}

}  // namespace tv::profile::checks
