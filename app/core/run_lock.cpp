#include "core/run_lock.h"

namespace tv::core {

RunLock::RunLock(Program& program) : program_(program) {
  program_.RunInProgress = true;
  LockGrids(true);
  program_.Notify(Change::RunState);
}

RunLock::~RunLock() {
  program_.RunInProgress = false;
  LockGrids(false);
  program_.Notify(Change::RunState);
}

void RunLock::LockGrids(bool locked) {
  for (grid::Grid* g : {&program_.PList, &program_.Settings, &program_.SSList, &program_.MPL}) {
    g->SetUserLocked(locked);
  }
}

}  // namespace tv::core
