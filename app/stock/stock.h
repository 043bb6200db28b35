// The sheet-stock procedures the rest of the program uses: material key, units, stock cells,
// material matching and the material window's logic.
#pragma once

#include "stock/material_key.h"
#include "stock/stock_cells.h"
#include "stock/stock_materials.h"
#include "stock/stock_window.h"
#include "stock/units.h"
