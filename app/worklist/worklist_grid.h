// Where the input window's grids live in the program.
#pragma once

#include "core/program.h"
#include "grid/grid.h"

namespace tv::worklist {

inline grid::Grid& WorkListGrid(core::Program& program) {
  return program.PList;
}

}  // namespace tv::worklist
