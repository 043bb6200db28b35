#include "profile/profile.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

#include "files/files.h"
#include "text/codepage.h"
#include "text/file_text.h"

namespace tv::profile {
namespace {

// One line of the file: its text and the line break after it ("", "\n" or "\r\n").
struct Line {
  std::string_view body;
  std::string_view ending;
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t nl = text.find('\n', start);
    if (nl == std::string_view::npos) {
      lines.push_back({text.substr(start), {}});
      break;
    }
    size_t bodyEnd = nl;
    if (bodyEnd > start && text[bodyEnd - 1] == '\r') --bodyEnd;
    lines.push_back({text.substr(start, bodyEnd - start), text.substr(bodyEnd, nl + 1 - bodyEnd)});
    start = nl + 1;
  }
  return lines;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// What one line is, as far as lookups are concerned.
struct Parsed {
  enum Kind { Other, Section, Key } kind = Other;
  std::string_view name;  // section or key name, trimmed
  size_t valueStart = 0;  // offset of the value in the line's body (Key)
};

Parsed ParseLine(std::string_view body) {
  const std::string_view trimmed = Trim(body);
  if (trimmed.empty() || trimmed.front() == ';') return {};
  if (trimmed.front() == '[') {
    const size_t close = trimmed.find(']');
    if (close == std::string_view::npos) return {};
    return {Parsed::Section, Trim(trimmed.substr(1, close - 1)), 0};
  }
  const size_t eq = body.find('=');
  if (eq == std::string_view::npos) return {};
  const std::string_view name = Trim(body.substr(0, eq));
  if (name.empty()) return {};
  return {Parsed::Key, name, eq + 1};
}

// Where section and key stand in the file; npos when missing.
struct Location {
  size_t section = std::string_view::npos;  // index of the section's header line
  size_t key = std::string_view::npos;      // index of the key's line
  size_t lastKey = std::string_view::npos;  // index of the section's last key line
};

Location Locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Location at;
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const Parsed parsed = ParseLine(lines[i].body);
    if (parsed.kind == Parsed::Section) {
      if (inSection) break;  // only the first section of that name counts
      inSection = SameName(parsed.name, section);
      if (inSection) at.section = i;
    } else if (inSection && parsed.kind == Parsed::Key) {
      at.lastKey = i;
      if (at.key == std::string_view::npos && SameName(parsed.name, key)) at.key = i;
    }
  }
  return at;
}

// The file to work on: an existing file whose name differs only in case stands for the name
// given, so an INI file copied from another system is read and updated rather than shadowed.
// An editor may have saved it in UTF-16 or with a byte-order mark; it is rewritten the same way.
struct ProfileFile {
  std::string path;
  bool exists = false;
  bool readable = false;
  std::string text;
  text::FileEncoding encoding = text::FileEncoding::Utf8;
};

ProfileFile OpenProfile(const std::string& file) {
  ProfileFile opened{file, false, false, {}, text::FileEncoding::Utf8};
  if (std::optional<std::string> found = files::FindExisting(file)) {
    opened.path = *found;
    opened.exists = true;
    if (std::optional<std::string> bytes = files::ReadFile(opened.path)) {
      opened.readable = true;
      text::FileText decoded = text::DecodeFileText(*bytes);
      opened.text = std::move(decoded.text);
      opened.encoding = decoded.encoding;
    }
  }
  return opened;
}

// One pair of double or single quotes around the whole text.
bool IsQuoted(std::string_view text) {
  return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
}

// The value as the private-profile read gives it: up to the line's end (a stray CR included),
// without the blanks and tabs around it and without one pair of quotes around it.
std::string_view StoredValue(std::string_view body, size_t valueStart) {
  std::string_view value = body.substr(valueStart);
  value = value.substr(0, value.find('\r'));
  value = Trim(value);
  if (IsQuoted(value)) value = value.substr(1, value.size() - 2);
  return value;
}

// The text that reads back as value: quoted when the reader would otherwise drop its edges.
std::string ValueText(std::string_view value) {
  const bool blankEdge = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
  if (!blankEdge && !IsQuoted(value)) return std::string(value);
  return '"' + std::string(value) + '"';
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// Why section, key or value cannot be written as one well-formed line; empty when they can.
std::string Unstorable(std::string_view section, std::string_view key, std::string_view value) {
  if (Trim(section).empty() || HasLineBreak(section) || section.find(']') != std::string_view::npos) {
    return "unusable section name";
  }
  const std::string_view trimmedKey = Trim(key);
  if (trimmedKey.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
      trimmedKey.front() == '[' || trimmedKey.front() == ';') {
    return "unusable key name";
  }
  if (HasLineBreak(value)) return "a value cannot hold a line break";
  return {};
}

}  // namespace

std::optional<std::string> ReadValue(const std::string& file, const std::string& section,
                                     const std::string& key) {
  const ProfileFile opened = OpenProfile(file);
  if (!opened.readable) return std::nullopt;
  const std::vector<Line> lines = SplitLines(opened.text);
  const Location at = Locate(lines, Trim(section), Trim(key));
  if (at.key == std::string_view::npos) return std::nullopt;
  const Parsed parsed = ParseLine(lines[at.key].body);
  return std::string(StoredValue(lines[at.key].body, parsed.valueStart));
}

bool WriteValue(const std::string& file, const std::string& sectionBytes, const std::string& keyBytes,
                const std::string& valueBytes, std::string* error) {
  // The file is text: what is not UTF-8 is taken as the Windows code page, as a reader of the
  // file would take it, so one such value never turns the whole file into another encoding.
  const std::string section = text::DecodeText(sectionBytes);
  const std::string key = text::DecodeText(keyBytes);
  const std::string value = text::DecodeText(valueBytes);
  if (const std::string why = Unstorable(section, key, value); !why.empty()) {
    if (error != nullptr) *error = why;
    return false;
  }
  const ProfileFile opened = OpenProfile(file);
  if (opened.exists && !opened.readable) {
    // Rewriting it would drop whatever it holds.
    if (error != nullptr) *error = "Cannot read " + opened.path;
    return false;
  }
  const std::string& text = opened.text;
  const std::vector<Line> lines = SplitLines(text);
  const Location at = Locate(lines, Trim(section), Trim(key));

  // New lines follow the file's own line breaks.
  std::string_view eol = "\n";
  for (const Line& line : lines) {
    if (!line.ending.empty()) {
      eol = line.ending;
      break;
    }
  }
  const std::string valueText = ValueText(value);
  const std::string keyLine = std::string(Trim(key)) + "=" + valueText;

  std::string out;
  out.reserve(text.size() + keyLine.size() + section.size() + 8);
  auto append = [&](const Line& line) {
    out.append(line.body);
    out.append(line.ending);
  };
  if (at.key != std::string_view::npos) {
    const Parsed parsed = ParseLine(lines[at.key].body);
    if (StoredValue(lines[at.key].body, parsed.valueStart) == value) return true;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i == at.key) {
        out.append(lines[i].body.substr(0, parsed.valueStart)).append(valueText).append(lines[i].ending);
      } else {
        append(lines[i]);
      }
    }
  } else if (at.section != std::string_view::npos) {
    const size_t after = at.lastKey != std::string_view::npos ? at.lastKey : at.section;
    for (size_t i = 0; i < lines.size(); ++i) {
      append(lines[i]);
      if (i == after) {
        if (lines[i].ending.empty()) out.append(eol);
        out.append(keyLine).append(lines[i].ending.empty() ? std::string_view() : eol);
      }
    }
  } else {
    out = text;
    if (!out.empty() && out.back() != '\n') out.append(eol);
    out.append("[").append(Trim(section)).append("]").append(eol).append(keyLine).append(eol);
  }
  return files::WriteFileAtomic(opened.path, text::EncodeFileText(out, opened.encoding), error);
}

}  // namespace tv::profile
