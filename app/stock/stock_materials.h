// Materials of the work list against the sheet stock: the stock test, adding missing
// materials, and the material choices offered in the work list.
#pragma once

#include <string_view>

namespace tv::core {
class Program;
}

namespace tv::stock {

// Whether the material's key is the key of some sheet-stock material (case counts). The
// stock text compared last is remembered in Program::LastStockMaterial and answers first.
bool IsStockMaterial(core::Program& program, std::string_view material);

// Writes the key of every work-list material missing from the sheet stock (compared without
// regard to case) into the first empty stock row; nothing when the stock has no empty row.
// Pending events are let through while it scans.
void AddWorkListMaterialsToStock(core::Program& program);

// The choice list of the work list's material column: every stock material text, once.
void RefreshMaterialChoices(core::Program& program);

}  // namespace tv::stock
