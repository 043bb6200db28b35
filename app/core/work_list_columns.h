// The columns of the work-list grid by name. Program sizes the grid with them, so they live
// here; the work list's own procedures (app/worklist) name them the same way.
#pragma once

namespace tv::core {

// Work-list columns, numbered from 1 as the grid numbers them.
enum WorkListColumn : long {
  kColOk = 1,
  kColQty = 2,
  kColFileName = 3,
  kColJob = 4,
  kColRoom = 5,
  kColCabinet = 6,
  kColDescription = 7,
  kColMaterial = 8,
  kColLength = 9,
  kColWidth = 10,
  kColThick = 11,
  kColPath = 12,
  kColEMat1 = 13,
  kColECo1 = 14,
  kColEMat2 = 15,
  kColECo2 = 16,
  kColEMat3 = 17,
  kColECo3 = 18,
  kColEMat4 = 19,
  kColECo4 = 20,
  kColLength2 = 21,
  kColWidth2 = 22,
  kColRotatable = 23,
  kColXOfs = 24,
  kColYOfs = 25,
  kColSubName = 26,
};
constexpr long kWorkListCols = 26;

}  // namespace tv::core
