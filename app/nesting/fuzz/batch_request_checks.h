// What every batch request must survive: shared by the batch request's fuzz target and the
// regression test that replays the inputs it found.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/fuzz/bench.h"
#include "files/atomic_write.h"
#include "files/path_resolve.h"
#include "nesting/batch_watcher.h"
#include "stock/stock_window.h"
#include "text/file_text.h"
#include "worklist/work_list.h"

namespace tv::nesting::checks {

// A part drawing: its comment block and a 600 x 400 outline.
inline std::string PartDrawing(const std::string& title) {
  std::string dxf = "999\nTavolin: " + title + "\n999\nMaterial: MEL\n0\nSECTION\n2\nENTITIES\n";
  const double x[] = {0, 600, 600, 0, 0};
  const double y[] = {0, 0, 400, 400, 0};
  for (int i = 0; i < 4; ++i) {
    dxf += "0\nLINE\n8\nBORDER_Z19\n10\n" + std::to_string(x[i]) + "\n20\n" + std::to_string(y[i]) +
           "\n11\n" + std::to_string(x[i + 1]) + "\n21\n" + std::to_string(y[i + 1]) + "\n";
  }
  return dxf + "0\nENDSEC\n0\nEOF\n";
}

// The drawings the work list holds, in order.
inline std::vector<std::string> WorkListFiles(const core::Program& program) {
  std::vector<std::string> names;
  for (long r = 1; r <= program.PList.MaxRows(); ++r) {
    const std::string name = program.PList.CellText(r, core::kColFileName);
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

// Puts the request in a source folder with three drawings and lets the watcher take it (the
// run stops at the nest-name prompt). The work list it made, or why it failed.
inline std::vector<std::string> Pickup(std::string_view bytes, const std::string& folder, std::string& why) {
  core::FuzzBench bench(folder);
  core::Program& program = bench.program;
  const std::string source = folder + "src/";
  std::filesystem::create_directories(source);
  for (const char* name : {"Door1.dxf", "SIDE.DXF", "T\xC3\xBCr 2.dxf"}) {
    if (!std::filesystem::exists(source + name)) files::WriteFileAtomic(source + name, PartDrawing(name));
  }
  stock::SetUpStockGrids(program);
  worklist::SetUpWorkListGrid(program, 10);
  program.Settings.SetMaxRows(2);
  program.Settings.SetMaxCols(2);
  program.Settings.SetCellText(1, 1, "Respond to Batch");
  program.Settings.SetCellText(1, 2, "YES");
  program.Settings.SetCellText(2, 1, "Prompt for Nest");
  program.Settings.SetCellText(2, 2, "YES");
  program.Input.SourceFolderText = source;

  const std::string request = source + kBatchRequestName;
  if (!files::WriteFileAtomic(request, std::string(bytes))) {
    why = "cannot write the input";
    return {};
  }
  const VrexFactory noOptimizer = [](std::string&) { return VrexRef(); };
  BLT_Timer(program, noOptimizer);  // seen
  BLT_Timer(program, noOptimizer);  // taken
  if (std::filesystem::exists(request)) why = "the request was not taken and deleted";
  for (const std::string& name : WorkListFiles(program)) {
    // Drawings are found whatever the case of their names.
    if (name.find_first_of("/\\") != std::string::npos || !files::FindExisting(source + name)) {
      why = "the work list names \"" + name + "\", which is no drawing of the source folder";
    }
  }
  return WorkListFiles(program);
}

// False (why says what) when a request is left behind or loads a name that is no drawing in
// the source folder, or when the same request written with other line ends or in another
// encoding loads other drawings.
inline bool CheckInput(std::string_view bytes, const std::string& folder, std::string& why) {
  const std::vector<std::string> loaded = Pickup(bytes, folder, why);
  if (!why.empty()) return false;
  const text::FileText read = text::DecodeFileText(bytes);
  std::string lf;
  for (size_t i = 0; i < read.text.size(); ++i) {
    const char c = read.text[i];
    if (c == '\r' && i + 1 < read.text.size() && read.text[i + 1] == '\n') continue;
    lf += c == '\r' ? '\n' : c;
  }
  struct Form {
    const char* what;
    std::string bytes;
  };
  const Form forms[] = {{"with LF line ends", text::EncodeFileText(lf, read.encoding)},
                        {"in UTF-16", text::EncodeFileText(read.text, text::FileEncoding::Utf16Le)}};
  for (const Form& form : forms) {
    if (Pickup(form.bytes, folder, why) != loaded)
      why = "the request " + std::string(form.what) + " loads other drawings";
    if (!why.empty()) return false;
  }
  return true;
}

}  // namespace tv::nesting::checks
