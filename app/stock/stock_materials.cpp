#include "stock/stock_materials.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/program.h"
#include "stock/material_key.h"
#include "stock/stock_cells.h"
#include "text/unicode_text.h"

namespace tv::stock {

namespace {

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

bool IsStockMaterial(core::Program& program, std::string_view material) {
  const std::string key = MaterialKey(material);
  if (key == MaterialKey(program.LastStockMaterial)) return true;
  for (long row = 1; row <= program.SSList.MaxRows(); ++row) {
    program.LastStockMaterial = GetStockCell(program, row, kColMaterial);
    if (MaterialKey(program.LastStockMaterial) == key) return true;
  }
  return false;
}

void AddWorkListMaterialsToStock(core::Program& program) {
  for (long wlRow = 1; wlRow <= program.PList.MaxRows(); ++wlRow) {
    const std::string key = MaterialKey(program.PList.CellText(wlRow, core::kColMaterial));
    if (key.empty()) continue;
    bool present = false;
    long emptyRow = 0;
    for (long row = 1; row <= program.SSList.MaxRows(); ++row) {
      const std::string text = GetStockCell(program, row, kColMaterial);
      // Only a truly empty material cell is free: a material whose name has no character
      // the key keeps (all accented letters, say) is still somebody's stock row.
      if (IsBlank(text)) {
        emptyRow = row;
        break;
      }
      if (text::FoldCase(MaterialKey(text)) == text::FoldCase(key)) {
        present = true;
        break;
      }
      program.ui().ProcessEvents();
    }
    if (!present && emptyRow != 0) SetStockCell(program, emptyRow, kColMaterial, key);
  }
}

void RefreshMaterialChoices(core::Program& program) {
  std::vector<std::string> items;
  for (long row = 1; row <= program.SSList.MaxRows(); ++row) {
    std::string text = GetStockCell(program, row, kColMaterial);
    if (text.empty() || std::find(items.begin(), items.end(), text) != items.end()) continue;
    items.push_back(std::move(text));
  }
  std::string list;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) list += '\t';
    list += items[i];
  }
  grid::Grid& workList = program.PList;
  workList.SetRow(-1);
  workList.SetCol(core::kColMaterial);
  workList.SetChoiceList(list);
}

}  // namespace tv::stock
