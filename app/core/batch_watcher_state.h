// What the batch watcher remembers from one tick to the next about the request file another
// program writes into the source folder.
#pragma once

#include <optional>

#include "files/regular_file.h"

namespace tv::core {

struct BatchWatcherState {
  // The request as the last tick found it: a request is taken only when the next tick finds it
  // unchanged, so one still being written is not nested half-way.
  std::optional<files::FileStamp> Seen;
  // A request that was run but could not be deleted: reported once, and not run again until it
  // changes.
  std::optional<files::FileStamp> Undeletable;
};

}  // namespace tv::core
