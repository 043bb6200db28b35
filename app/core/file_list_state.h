// A list of the drawings in one folder, as a file-list widget shows them: what the folder
// listing fills and the windows observe.
#pragma once

#include <string>
#include <vector>

namespace tv::core {

struct FileListState {
  std::string Path;                // the folder shown
  std::string Pattern = "*.DXF";   // matched without regard to case
  std::vector<std::string> Items;  // file names without folder, in file-list order
  std::vector<bool> Selected;      // one flag per item
  bool Visible = true;
  // The window is asked to show the list in front of the controls sharing its place; it clears
  // the request when it has done so.
  bool BringToFront = false;
};

}  // namespace tv::core
