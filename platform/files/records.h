// In-place sort and removal of records in arrays (part sort keys, part extents, point lists).
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <ranges>
#include <span>
#include <utility>
#include <vector>

namespace tv::files {

enum class SortDirection { Ascending, Descending };

// Sorts the records by the key that `key` projects from each (a member pointer or a callable).
// Stable: records with equal keys keep their order in both directions. Sort part of an array
// with std::span(records).subspan(first, count).
template <std::ranges::random_access_range Records, class Projection>
void SortRecords(Records&& records, Projection key, SortDirection direction = SortDirection::Ascending) {
  if (direction == SortDirection::Ascending) {
    std::ranges::stable_sort(records, std::ranges::less{}, key);
  } else {
    std::ranges::stable_sort(records, std::ranges::greater{}, key);
  }
}

// Removes the record at index, the later ones moving up. False when index is past the end.
template <class T>
bool DeleteRecord(std::vector<T>& records, std::size_t index) {
  if (index >= records.size()) return false;
  records.erase(records.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

// The same for an array of fixed size: the later records move up and the last slot is reset
// to a default record.
template <class T>
bool DeleteRecord(std::span<T> records, std::size_t index) {
  if (index >= records.size()) return false;
  std::move(records.begin() + static_cast<std::ptrdiff_t>(index) + 1, records.end(),
            records.begin() + static_cast<std::ptrdiff_t>(index));
  records.back() = T{};
  return true;
}

}  // namespace tv::files
