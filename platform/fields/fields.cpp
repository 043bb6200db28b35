#include "fields/fields.h"

namespace tv::fields {

std::vector<std::string> SplitFields(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  std::vector<std::string> fields;
  if (line.empty()) return fields;

  std::size_t pos = 0;
  while (true) {
    std::string field;
    const std::size_t firstNonBlank = line.find_first_not_of(' ', pos);
    if (firstNonBlank != std::string_view::npos && line[firstNonBlank] == '"') {
      pos = firstNonBlank + 1;
      while (pos < line.size()) {
        if (line[pos] == '"') {
          if (pos + 1 < line.size() && line[pos + 1] == '"') {
            field += '"';
            pos += 2;
            continue;
          }
          ++pos;
          break;
        }
        field += line[pos++];
      }
    }
    const std::size_t comma = line.find(',', pos);
    field.append(line.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos));
    fields.push_back(std::move(field));
    if (comma == std::string_view::npos) break;
    pos = comma + 1;
  }
  return fields;
}

}  // namespace tv::fields
