// Holds a program flag set while a step runs, so that other commands wait for it whichever
// way the step ends (an exception included).
#pragma once

namespace tv::nesting {

class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace tv::nesting
