// The header sort belongs to the shared grid procedures (support/sort_grid.h); this header keeps
// the name worklist::SortGridByColumn for code that still calls it by that name.
#pragma once

#include "support/sort_grid.h"

namespace tv::worklist {

using support::SortGridByColumn;

}  // namespace tv::worklist
