// The work-list search dialog's logic: each "Next" finds the next cell holding the text, down
// one column and then on to the next column to the right, and marks it yellow.
#pragma once

#include <string>

#include "core/program.h"

namespace tv::worklist {

class WorkListSearch {
 public:
  // The dialog is shown: the search starts again with an empty text.
  void Activate();
  // The text box changed: the next search starts again at the top of "File Name".
  void SetText(const std::string& text);
  const std::string& Text() const { return text_; }

  // Finds and marks the next cell holding the text; "Search Text Not Found  " once every
  // column from "File Name" on is searched through. True when a cell was found.
  bool Next(core::Program& program);
  // "Cancel": the mark goes; the position is kept for the next time the dialog is shown.
  void Cancel(core::Program& program);

  // Column searched next (from 3: "OK" and "Qty" are never searched) and the row after which
  // the search in it goes on (0: from the first row).
  long SearchColumn() const { return searchColumn_; }
  long SearchRow() const { return searchRow_; }

 private:
  void Restart() {
    searchColumn_ = 3;
    searchRow_ = 0;
  }

  std::string text_;
  long searchColumn_ = 3;
  long searchRow_ = 0;
};

}  // namespace tv::worklist
