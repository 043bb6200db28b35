// The reply is kept in the program so that the run, which shows the dialog, reads it afterwards.
#include "nesting/nest_name.h"

#include "worklist/listed_file_removal.h"

namespace tv::nesting {

std::string NestNameDlg(core::Program& program) {
  program.EnteredNestName =
      program.ui().AskNestName(program.CurrentNestName, [&program] { worklist::ClearDestDir(program); });
  return program.EnteredNestName;
}

}  // namespace tv::nesting
