// What every part drawing's comment block must survive: shared by the comment block's fuzz
// target and the regression test that replays the inputs it found.
#pragma once

#include <sstream>
#include <string>
#include <string_view>

#include "core/fuzz/bench.h"
#include "text/codepage.h"
#include "text/lines.h"
#include "viewer/comment_block.h"
#include "viewer/drawing_inspection.h"

namespace tv::viewer::checks {

// Reads the comment block of the bytes. False (why says what) when the block is not UTF-8,
// when the drawing written again with LF line ends reads back as another block, or when a
// field taken from it keeps blanks at its ends or runs past a comma.
inline bool CheckInput(std::string_view bytes, const std::string& folder, std::string& why) {
  std::istringstream in{std::string(bytes)};
  const std::string block = ReadCommentBlock(in);
  if (!text::IsValidUtf8(block)) {
    why = "the block is not UTF-8";
    return false;
  }
  std::string again;
  for (const std::string_view line : text::SplitLines(bytes)) {
    again += line;
    again += '\n';
  }
  std::istringstream written(again);
  if (ReadCommentBlock(written) != block) {
    why = "the block written again reads back otherwise";
    return false;
  }
  core::FuzzBench bench(folder);
  bench.program.DrawingCommentText = block;
  for (const char* name : {"Material", "Cabinet", "Job", "Room", "Description", "Qty", "Part", "Thick"}) {
    std::string key = name;
    const std::string value = GetDrawingField(bench.program, key);
    if (!value.empty() &&
        (value.front() == ' ' || value.back() == ' ' || value.find(',') != std::string::npos)) {
      why = std::string(name) + " field is \"" + value + "\"";
      return false;
    }
  }
  return true;
}

}  // namespace tv::viewer::checks
