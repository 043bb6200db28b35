#include "gui/printing/printing_commands.h"

#include <ctime>

namespace tv::gui {

void PrintingCommands::mFPrtMPL_Click() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  printing::mFPrtMPL_Click(program_, device_, local);
}

}  // namespace tv::gui
