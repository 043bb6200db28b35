// Materials of the work list against the sheet stock: the stock test, adding missing
// materials, and the material choices offered in the work list.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace tv::core {
class Program;
}

namespace tv::stock {

// Whether the material's key is the key of some sheet-stock material (case counts). The
// stock text compared last is remembered in Program::LastStockMaterial and answers first.
bool IsStockMaterial(core::Program& program, std::string_view material);

// Writes the key of every work-list material missing from the sheet stock (compared without
// regard to case) into the first empty stock row; nothing when the stock has no empty row.
// Pending events are let through every ~50 ms while it scans.
void AddWorkListMaterialsToStock(core::Program& program);

// What the scans of AddWorkListMaterialsToStock settled, kept by a caller that fills the work
// list row after row (the import): the rows already looked at, and the material keys found in
// the stock, added to it, or missing from a full stock. With it, each call costs only the new
// rows and materials not seen before. It holds while the work list changes only by the
// caller's new rows and the stock only by the additions: the caller forgets it whenever either
// may have changed otherwise (while it let events through), and so does each call when the
// operator changed them during its own scan.
class MaterialScanMemo {
 public:
  void Forget() { valid_ = false; }

 private:
  friend void AddWorkListMaterialsToStock(core::Program& program, MaterialScanMemo& memo, long lastRow);
  bool valid_ = false;
  long rowsSettled_ = 0;
  std::unordered_set<std::string> keys_;  // case-folded
};

// The same for a work list filled in order up to lastRow, its rows after lastRow being empty
// (the import cleared the list first): with a valid memo only the rows after the ones it has
// settled are looked at; otherwise the whole list, as above.
void AddWorkListMaterialsToStock(core::Program& program, MaterialScanMemo& memo, long lastRow);

// The choice list of the work list's material column: every stock material text, once.
void RefreshMaterialChoices(core::Program& program);

}  // namespace tv::stock
