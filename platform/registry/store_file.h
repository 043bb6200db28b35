// The text form of one registry root: one file per root, read into an image and written back
// whole. Lines the reader does not understand are carried along so a rewrite keeps them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv::registry::detail {

// The first line of every file this code writes; a file without it reads as this version.
inline constexpr std::string_view kFormatTag = "TavolinRegistry";
inline constexpr int kFormatVersion = 1;

// One line under a key: a value, or a line kept byte for byte (comments, malformed lines),
// line-end CRs included.
struct StoredLine {
  bool verbatim = false;
  std::string text;  // the kept line when verbatim
  std::string name;
  std::string value;

  bool operator==(const StoredLine&) const = default;
};

struct StoredKey {
  std::string path;  // normalised: levels joined by one "\", no leading or trailing "\"
  std::vector<StoredLine> lines;

  bool operator==(const StoredKey&) const = default;
};

struct StoreImage {
  int version = kFormatVersion;
  std::vector<std::string> preamble;  // kept lines found before the first key
  std::vector<StoredKey> keys;        // in the order they were first created
};

StoreImage ParseStore(std::string_view text);
std::string FormatStore(const StoreImage& image);

// Key path with empty levels dropped ("\\A\\\\B\\" -> "A\\B").
std::string NormalizeKeyPath(std::string_view path);
// ASCII letters compared without case; other bytes exactly.
bool SameName(std::string_view a, std::string_view b);
// True when path lies strictly below ancestor ("" is above every key).
bool IsBelow(std::string_view path, std::string_view ancestor);

}  // namespace tv::registry::detail
