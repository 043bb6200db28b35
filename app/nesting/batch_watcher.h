// The batch watcher: another program drops a request "Batch.lst" into the source folder, one
// part drawing per line; the watcher loads the drawings into a cleared work list, starts the
// nesting run and deletes the request. The timer that calls it each second is the window's.
#pragma once

#include <functional>
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
// the source-folder dialog is open). Otherwise it refreshes the two drawing lists when their
// folders' file counts changed; then, with "Respond to Batch" on, a source folder set and no run
// or pickup in progress, it looks for the request in the source folder. Only a regular file is
// taken (a pipe or device is never opened), and only when this tick finds it as the previous
// one did, so a request still being written waits. A taken request raises the main window,
// loads its drawings that are there (others are skipped silently) and runs "Process" when it
// is enabled. Afterwards it is deleted when it is still the file that was run, whether or not
// a run took place; one changed meanwhile waits for the next tick, and one that cannot be
// deleted is reported once and not run again until it changes.
void BLT_Timer(core::Program& program);
// The same with the optimizer objects made by createVrex.
void BLT_Timer(core::Program& program, const VrexFactory& createVrex);

// Deletes the file at path; false, with reason set, when it could not.
using FileRemover = std::function<bool(const std::string& path, std::string& reason)>;
// The same, deleting the request through removeRequest.
void BLT_Timer(core::Program& program, const VrexFactory& createVrex, const FileRemover& removeRequest);

}  // namespace tv::nesting
