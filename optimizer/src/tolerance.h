// The tolerance of every real-number comparison of the search, and the mark of "no value".
#pragma once

namespace sawplan {

inline constexpr double kEps = 0.0001;
// Marks "no value" in weights, shifts and placement penalties.
inline constexpr double kHuge = 10000000.0;

}  // namespace sawplan
