// A calendar time written as people write it, for tests of what a command stamps with the time
// it ran.
#pragma once

#include <ctime>

namespace tv::test_support {

// year as written (2024), month 1 to 12; the rest of the record stays zero.
inline std::tm CalendarTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm when{};
  when.tm_year = year - 1900;
  when.tm_mon = month - 1;
  when.tm_mday = day;
  when.tm_hour = hour;
  when.tm_min = minute;
  when.tm_sec = second;
  return when;
}

}  // namespace tv::test_support
