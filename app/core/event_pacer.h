// Lets pending window events through at a steady pace while a long loop runs: often enough for
// the window to stay responsive, seldom enough that the loop does not spend its time there.
#pragma once

#include <chrono>

#include "core/ui_port.h"

namespace tv::core {

class EventPacer {
 public:
  static constexpr std::chrono::milliseconds kInterval{50};

  explicit EventPacer(Ui& ui) : ui_(ui), last_(std::chrono::steady_clock::now()) {}

  // Lets events through when the interval has passed since the last time (or the start);
  // true when it did.
  bool Tick() {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < kInterval) return false;
    ui_.ProcessEvents();
    last_ = std::chrono::steady_clock::now();
    return true;
  }

 private:
  Ui& ui_;
  std::chrono::steady_clock::time_point last_;
};

}  // namespace tv::core
