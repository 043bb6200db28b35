// The batch watcher: another program drops a request "Batch.lst" into the source folder, one
// part drawing per line; the watcher loads the drawings into a cleared work list, starts the
// nesting run and deletes the request. The timer that calls it each second is the window's.
#pragma once

#include <string>
#include <string_view>

#include "core/program.h"
#include "nesting/material_group.h"

namespace tv::nesting {

inline constexpr const char* kBatchRequestName = "Batch.lst";

// The drawing a request line names: the text before the first comma, without its folder (the
// drawing is taken from the source folder), with ".dxf" appended unless it ends in ".DXF" in any
// case. "" for a line that names nothing.
std::string BatchRequestName(std::string_view line);

// One tick; nothing at all while the watcher is switched off (Input.BatchWatcherOn, off while
// the source-folder dialog is open). Otherwise it refreshes the two drawing lists when their folders' file
// counts changed, then, with "Respond to Batch" on and a request present, raises the main window, loads the
// request's drawings that exist (others are skipped silently), runs "Process" when it is enabled and deletes
// the request whether or not a run took place. While a run or a pickup is in progress the request is left for
// a later tick.
void BLT_Timer(core::Program& program);
// The same with the optimizer objects made by createVrex.
void BLT_Timer(core::Program& program, const VrexFactory& createVrex);

}  // namespace tv::nesting
