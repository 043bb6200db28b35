// What every "Mat.dat" must survive: shared by the sheet stock's fuzz target and the
// regression test that replays the inputs it found.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "core/fuzz/bench.h"
#include "files/atomic_write.h"
#include "stock/stock_window.h"

namespace tv::stock::checks {

inline std::string ReadBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Loads the bytes as the stock library at start-up. False (why says what) when a file that
// could not be read whole gets overwritten by a save, or when a stock that loaded does not
// save and load back the same.
inline bool CheckInput(std::string_view bytes, const std::string& folder, std::string& why) {
  core::FuzzBench bench(folder);
  core::Program& program = bench.program;
  const std::string file = program.AppDir + "Mat.dat";
  if (!files::WriteFileAtomic(file, std::string(bytes))) {
    why = "cannot write the input";
    return false;
  }
  ShtStk_Load(program);
  if (program.StockFileUnreadable) {
    // The rows read stay on show, but the library on disk is the operator's.
    if (SaveStock(program) || ReadBytes(file) != bytes)
      why = "a stock file that did not load was overwritten";
    return why.empty();
  }
  // The library holds data; the grid's formats are the window's (saves write data only).
  const std::string loaded = program.SSList.SaveGridText(true);
  std::string error;
  if (!SaveStock(program, &error)) {
    why = "the stock loaded does not save: " + error;
    return false;
  }
  core::FuzzBench again(folder);
  ShtStk_Load(again.program);
  if (again.program.StockFileUnreadable) {
    why = "the stock saved does not load";
    return false;
  }
  if (again.program.SSList.SaveGridText(true) != loaded) {
    why = "the stock saved loads back otherwise";
    return false;
  }
  return true;
}

}  // namespace tv::stock::checks
