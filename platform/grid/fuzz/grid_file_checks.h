// What every grid file must survive: shared by the grid file's fuzz target and the
// regression test that replays the inputs it found.
#pragma once

#include <string>
#include <string_view>

#include "files/atomic_write.h"
#include "grid/grid.h"

namespace tv::grid::checks {

// A grid shaped like the sheet stock: a check-box column, a choice column, texts.
inline void ShapeLikeStock(Grid& g) {
  g.SetMaxRows(3);
  g.SetMaxCols(4);
  g.SetHeaders({"OK", "Material", "Grain", "Qty"});
  g.SetRow(-1);
  g.SetCol(1);
  g.SetCellKind(Kind::CheckBox);
  g.SetCol(3);
  g.SetCellKind(Kind::Choice);
  g.SetChoiceList("No\tAlong\tAcross");
  g.SetColumnHiddenAt(4, true);
  g.SetColumnWidth(2, 1800);
  g.SetCellText(1, 2, "MEL WHITE 19");
  g.SetCheckValueAt(1, 1, 1);
  g.SetChoiceIndexAt(1, 3, 1);
}

// Loads the file into a stock-shaped grid. False (why says what) when a failed load gave no
// reason or changed the grid, or when a grid that loaded does not save and load back the same,
// whole or as data only.
inline bool CheckInput(std::string_view bytes, const std::string& folder, std::string& why) {
  const std::string file = folder + "Mat.dat";
  if (!files::WriteFileAtomic(file, std::string(bytes))) {
    why = "cannot write the input";
    return false;
  }
  Grid g;
  ShapeLikeStock(g);
  const std::string before = g.SaveGridText(false);
  std::string error;
  if (!g.LoadGridFile(file, &error)) {
    if (g.SaveGridText(false) != before) why = "a failed load changed the grid (" + error + ")";
    if (error.empty()) why = "a failed load gave no reason";
    return why.empty();
  }
  for (const bool dataOnly : {false, true}) {
    const std::string saved = g.SaveGridText(dataOnly);
    if (!g.SaveGridFile(file, dataOnly, &error)) {
      why = "cannot save: " + error;
      return false;
    }
    Grid again;
    ShapeLikeStock(again);
    if (!again.LoadGridFile(file, &error)) {
      why = std::string(dataOnly ? "data" : "full") + " file saved does not load: " + error;
      return false;
    }
    if (again.SaveGridText(dataOnly) != saved) {
      why = std::string(dataOnly ? "data" : "full") + " file saved loads back otherwise";
      return false;
    }
  }
  return true;
}

}  // namespace tv::grid::checks
