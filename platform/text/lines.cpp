#include "text/lines.h"

namespace tv::text {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  LineCursor cursor(text);
  for (std::string_view line; cursor.Next(line);) lines.push_back(line);
  return lines;
}

}  // namespace tv::text
