#include "worklist/search.h"

#include "grid/grid.h"
#include "text/ascii_text.h"
#include "worklist/work_list.h"

namespace tv::worklist {

void WorkListSearch::Activate() {
  Restart();
  text_.clear();
}

void WorkListSearch::SetText(const std::string& text) {
  text_ = text;
  Restart();
}

bool WorkListSearch::Next(core::Program& program) {
  ClearWorkListMarks(program);
  grid::Grid& g = program.PList;
  const std::string wanted = text::TrimBlanks(text_);
  while (true) {
    // The grid never searches its header, so a position left below 1 by a failed search
    // simply starts at the first row.
    const long row = g.SearchCol(searchColumn_, searchRow_, g.MaxRows(), wanted, grid::SearchMatch::Part);
    searchRow_ = row;
    if (row > 0 && row <= g.MaxRows()) {
      g.SetActiveCell(row, searchColumn_);
      g.SetBackColorAt(row, searchColumn_, kSearchHitColor);
      return true;
    }
    ++searchColumn_;
    if (searchColumn_ > g.MaxCols()) {
      program.ui().Tell("Search Text Not Found  ", "Search Status", core::MsgIcon::Information);
      searchColumn_ = 3;
      return false;
    }
    searchRow_ = 0;
  }
}

void WorkListSearch::Cancel(core::Program& program) {
  ClearWorkListMarks(program);
}

}  // namespace tv::worklist
