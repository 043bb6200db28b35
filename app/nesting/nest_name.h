// The nest-name dialog's logic: the name a run's sheet files are called after, and the dialog's
// "Clear Nest Dir" action. The window itself is the Ui port's.
#pragma once

#include <string>

#include "core/program.h"

namespace tv::nesting {

// Shows the dialog with CurrentNestName proposed; "Clear Nest Dir" deletes the drawings the
// nest list shows from the nest folder and leaves the dialog open. EnteredNestName becomes the
// typed name as it stands (blanks kept), or "" after Cancel; it is also returned.
std::string NestNameDlg(core::Program& program);

}  // namespace tv::nesting
