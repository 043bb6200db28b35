#include "registry/store_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "text/ascii_text.h"
#include "text/codepage.h"

namespace tv::registry::detail {
namespace {

// Names and key levels also escape the characters that give a line its kind; values only
// need what would break the line itself.
bool NeedsEscape(unsigned char c, bool isName) {
  if (c < 0x20 || c == 0x7F || c == '%') return true;
  return isName && (c == '=' || c == '[' || c == ']' || c == '#' || c == '\\');
}

// Non-ASCII characters are written as they are; bytes that are no UTF-8 are escaped too, so
// the file stays UTF-8 and is never read back in the Windows code page.
std::string Escape(std::string_view text, bool isName) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      if (const size_t n = text::Utf8CharLength(text, i); n > 0) {
        out.append(text.substr(i, n));
        i += n - 1;
        continue;
      }
    }
    if (c >= 0x80 || NeedsEscape(c, isName)) {
      out += '%';
      text::AppendHex(out, c, 2);
    } else {
      out += text[i];
    }
  }
  return out;
}

// nullopt for a broken escape, which makes the whole line malformed.
std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const std::optional<std::uint32_t> byte = text::HexValue(text.substr(i + 1, 2));
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
    i += 2;
  }
  return out;
}

std::string EscapeKeyPath(std::string_view path) {
  std::string out;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('\\', start), path.size());
    if (start > 0) out += '\\';
    out += Escape(path.substr(start, end - start), true);
    start = end + 1;
  }
  return out;
}

// The header line's version, or 0 when the line is no header.
int HeaderVersion(std::string_view line) {
  if (line.substr(0, kFormatTag.size()) != kFormatTag) return 0;
  std::string_view rest = line.substr(kFormatTag.size());
  if (rest.empty() || rest.front() != ' ') return 0;
  rest.remove_prefix(1);
  int version = 0;
  const auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), version);
  if (ec != std::errc() || ptr != rest.data() + rest.size() || version < 1) return 0;
  return version;
}

void AddValue(StoredKey& key, std::string name, std::string value) {
  for (StoredLine& line : key.lines) {
    if (!line.verbatim && SameName(line.name, name)) {
      line.value = std::move(value);  // a later line for the same name wins
      return;
    }
  }
  key.lines.push_back({false, {}, std::move(name), std::move(value)});
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

bool IsBelow(std::string_view path, std::string_view ancestor) {
  if (ancestor.empty()) return !path.empty();
  return path.size() > ancestor.size() && path[ancestor.size()] == '\\' &&
         SameName(path.substr(0, ancestor.size()), ancestor);
}

std::string NormalizeKeyPath(std::string_view path) {
  std::string out;
  size_t start = 0;
  while (start < path.size()) {
    const size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) {
      if (!out.empty()) out += '\\';
      out.append(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return out;
}

StoreImage ParseStore(std::string_view text) {
  StoreImage image;
  StoredKey* current = nullptr;
  bool firstLine = true;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    // A kept line is written back as it came, CRs included: read again, it must be the same
    // line (a kept "[K]\r" read without its CR would turn into a key).
    const std::string_view raw = text.substr(start, end - start);
    std::string_view line = raw;
    start = end + 1;
    // Our own line breaks are escaped, so a trailing CR comes from an editor's line ends.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (firstLine) {
      firstLine = false;
      if (const int version = HeaderVersion(line); version > 0) {
        image.version = version;
        continue;
      }
    }
    if (line.empty()) continue;

    auto keep = [&] {
      if (current != nullptr) {
        current->lines.push_back({true, std::string(raw), {}, {}});
      } else {
        image.preamble.emplace_back(raw);
      }
    };
    if (line.front() == '#') {
      keep();
    } else if (line.front() == '[' && line.size() >= 2 && line.back() == ']') {
      const std::optional<std::string> path = Unescape(line.substr(1, line.size() - 2));
      if (!path) {
        keep();
        continue;
      }
      const std::string normalized = NormalizeKeyPath(*path);
      auto found = std::find_if(image.keys.begin(), image.keys.end(),
                                [&](const StoredKey& k) { return SameName(k.path, normalized); });
      if (found == image.keys.end()) {
        image.keys.push_back({normalized, {}});
        current = &image.keys.back();
      } else {
        current = &*found;  // a repeated key continues the first one
      }
    } else if (const size_t eq = line.find('='); eq != std::string_view::npos && current != nullptr) {
      std::optional<std::string> name = Unescape(line.substr(0, eq));
      std::optional<std::string> value = Unescape(line.substr(eq + 1));
      if (!name || !value) {
        keep();
        continue;
      }
      AddValue(*current, std::move(*name), std::move(*value));
    } else {
      keep();
    }
  }
  return image;
}

std::string FormatStore(const StoreImage& image) {
  std::string out;
  out.append(kFormatTag).append(" ").append(std::to_string(kFormatVersion)).append("\n");
  for (const std::string& line : image.preamble) out.append(line).append("\n");
  for (const StoredKey& key : image.keys) {
    out.append("[").append(EscapeKeyPath(key.path)).append("]\n");
    for (const StoredLine& line : key.lines) {
      if (line.verbatim) {
        out.append(line.text);
      } else {
        out.append(Escape(line.name, true)).append("=").append(Escape(line.value, false));
      }
      out.append("\n");
    }
  }
  return out;
}

}  // namespace tv::registry::detail
