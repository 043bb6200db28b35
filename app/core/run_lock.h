// The "run in progress" state of a nesting run: while a RunLock lives, RunInProgress is set, the
// four grids refuse the operator's edits, and windows have been told (Change::RunState), so no
// click or edit delivered while the run yields can change what it is building.
#pragma once

#include "core/program.h"

namespace tv::core {

class RunLock {
 public:
  explicit RunLock(Program& program);
  // Undoes all of it, whichever way the run ends (an exception included).
  ~RunLock();
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

 private:
  void LockGrids(bool locked);

  Program& program_;
};

}  // namespace tv::core
