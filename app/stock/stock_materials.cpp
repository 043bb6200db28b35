#include "stock/stock_materials.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/event_pacer.h"
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

namespace {

// Adds the missing materials of work-list rows first to last. settled: keys (case-folded) known
// to need nothing (skipped, and filled in as rows are settled), or null. False when events let
// through during the scans changed the work list or the stock.
bool AddMaterialsOfRows(core::Program& program, long first, long last,
                        std::unordered_set<std::string>* settled) {
  core::EventPacer pacer(program.ui());
  bool undisturbed = true;
  for (long wlRow = first; wlRow <= last; ++wlRow) {
    const std::string key = MaterialKey(program.PList.CellText(wlRow, core::kColMaterial));
    if (key.empty()) continue;
    const std::string folded = text::FoldCase(key);
    if (settled != nullptr && settled->count(folded) != 0) continue;
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
      if (text::FoldCase(MaterialKey(text)) == folded) {
        present = true;
        break;
      }
      const unsigned long listBefore = program.PList.Revision();
      const unsigned long stockBefore = program.SSList.Revision();
      if (pacer.Tick() &&
          (program.PList.Revision() != listBefore || program.SSList.Revision() != stockBefore)) {
        undisturbed = false;
      }
    }
    if (!present && emptyRow != 0) SetStockCell(program, emptyRow, kColMaterial, key);
    // Found, added, or missing from a stock without an empty row: as long as nothing but the
    // additions changes the stock, a later row of this material finds the same.
    if (settled != nullptr) settled->insert(folded);
  }
  return undisturbed;
}

}  // namespace

void AddWorkListMaterialsToStock(core::Program& program) {
  AddMaterialsOfRows(program, 1, program.PList.MaxRows(), nullptr);
}

void AddWorkListMaterialsToStock(core::Program& program, MaterialScanMemo& memo, long lastRow) {
  if (!memo.valid_) {
    // Everything again, as without a memo, and what it settles is the new memo.
    memo.keys_.clear();
    memo.valid_ = AddMaterialsOfRows(program, 1, program.PList.MaxRows(), &memo.keys_);
  } else {
    memo.valid_ = AddMaterialsOfRows(program, memo.rowsSettled_ + 1, lastRow, &memo.keys_);
  }
  memo.rowsSettled_ = lastRow;
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
