// The row builder: turns part drawings of the source folder into work-list rows, checking
// units, sizes and materials, and the commands of the input window that drive it.
#pragma once

#include <string>

#include "core/program.h"

namespace tv::worklist {

// The two markers of a batch; the cent sign is part of each.
inline constexpr const char* kStartMarker = "Start\xC2\xA2";
inline constexpr const char* kFinishMarker = "Finish\xC2\xA2";

// One step of a batch: kStartMarker, then one call per drawing name in the source folder, then
// kFinishMarker. A drawing that cannot be loaded adds nothing and says nothing. The finish step
// asks whether to add missing materials to the sheet stock, reports a batch that will not nest
// and brings "Process" in step with the ticks.
void AddToProc(core::Program& program, const std::string& name);

// The "\V/" button: every selected drawing of the source list as one batch.
void AddFile_Click(core::Program& program);

// Deletes every drawing of the source list after asking, when the source list was clicked last.
void DeleteAllSourceFiles(core::Program& program);

}  // namespace tv::worklist
