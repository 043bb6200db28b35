// The menu commands that move the work list to and from files: Load, Save and Import Work List,
// Import Material Descr. From Nest and Verify DXFs in Worklist. File choices come through the
// Ui's file dialogs; the folder last used is remembered per user ("Paths", "PList").
#pragma once

#include "core/program.h"

namespace tv::worklist {

// Loads a saved work list (".PRC") over the work list. A file that cannot be loaded whole (or
// holds another grid's columns) is reported with its line and reason and leaves the work list
// exactly as it was, marks and sort included. Otherwise, also after Cancel, ends with the marks
// cleared and the list sorted by material.
void LoadWorkList(core::Program& program);

// Saves the whole work list to a ".PRC" file; a failed write is reported.
void SaveWorkList(core::Program& program);

// Reads a comma-separated list into the emptied work list: 26 fields fill columns 1 to 26,
// fewer fill columns 2 onwards, more are rejected (the row stays empty). A configuration line
// before the first row names a configuration file instead. Rows whose drawing exists are
// ticked; materials missing from the sheet stock are added to it. A file that cannot be read
// is reported and the work list is left as it was.
void ImportWorkList(core::Program& program);

// Every work-list material missing from the sheet stock is added to it.
void ImportMaterialDescrFromNest(core::Program& program);

// Checks the drawings of the ticked rows and reports the result, also when all are found.
void VerifyDxfsInWorklist(core::Program& program);

}  // namespace tv::worklist
