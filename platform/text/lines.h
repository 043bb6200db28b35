// Splitting a text file's contents into its lines, whatever line ends it was written with.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tv::text {

// The lines of a text one after the other, each without its end. A line ends at CR LF, LF or
// a lone CR; a line end at the very end of the text starts no further line, so "a\n" is one
// line and "" none. For readers that go through a text once, or need only its start.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {}

  // The next line (a view into the text); false when the text holds no more.
  bool Next(std::string_view& line) {
    if (AtEnd()) return false;
    const char* start = p_;
    while (p_ < end_ && *p_ != '\n' && *p_ != '\r') ++p_;
    line = std::string_view(start, static_cast<std::size_t>(p_ - start));
    if (p_ < end_) {
      if (*p_ == '\r' && p_ + 1 < end_ && p_[1] == '\n') ++p_;
      ++p_;
    }
    return true;
  }
  bool AtEnd() const { return p_ >= end_; }

 private:
  const char* p_;
  const char* end_;
};

// All the lines of a text, as LineCursor gives them. The views point into text.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace tv::text
