#include "files/records.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace tv::files {
namespace {

struct Extents {
  float minX = 0;
  float maxX = 0;
  int id = 0;
};

std::vector<int> Ids(const std::vector<Extents>& records) {
  std::vector<int> ids;
  for (const auto& r : records) ids.push_back(r.id);
  return ids;
}

TEST(SortRecords, SortsByAProjectedKeyKeepingEqualKeysInOrder) {
  const std::vector<Extents> start = {{5, 9, 1}, {-1.5f, 2, 2}, {5, 1, 3}, {0, 4, 4}, {5, 3, 5}};
  std::vector<Extents> records = start;
  SortRecords(records, &Extents::minX);
  EXPECT_EQ(Ids(records), (std::vector<int>{2, 4, 1, 3, 5}));

  records = start;
  SortRecords(records, &Extents::minX, SortDirection::Descending);
  EXPECT_EQ(Ids(records), (std::vector<int>{1, 3, 5, 4, 2}));

  records = start;
  SortRecords(records, [](const Extents& e) { return e.maxX; });
  EXPECT_EQ(Ids(records), (std::vector<int>{3, 2, 5, 4, 1}));
}

TEST(SortRecords, SortsOnlyThePartOfAnArrayItIsGiven) {
  std::vector<Extents> records = {{9, 0, 1}, {3, 0, 2}, {2, 0, 3}, {1, 0, 4}};
  SortRecords(std::span(records).subspan(1, 2), &Extents::minX);
  EXPECT_EQ(Ids(records), (std::vector<int>{1, 3, 2, 4}));
}

TEST(SortRecords, SortsFixedWidthTextKeysByteWise) {
  std::vector<std::string> keys = {"B10                 ", "A2                  ", "a1                  ",
                                   "B1                  "};
  SortRecords(keys, [](const std::string& k) -> const std::string& { return k; });
  EXPECT_EQ(keys, (std::vector<std::string>{"A2                  ", "B1                  ",
                                            "B10                 ", "a1                  "}));
}

TEST(DeleteRecord, RemovesOneRecordAndMovesTheLaterOnesUp) {
  std::vector<Extents> points = {{0, 0, 1}, {0, 0, 2}, {0, 0, 3}};
  EXPECT_TRUE(DeleteRecord(points, 1));
  EXPECT_EQ(Ids(points), (std::vector<int>{1, 3}));
  EXPECT_FALSE(DeleteRecord(points, 2));
  EXPECT_EQ(points.size(), 2u);

  std::array<int, 4> fixed = {1, 2, 3, 4};
  EXPECT_TRUE(DeleteRecord(std::span<int>(fixed), 0));
  EXPECT_EQ(fixed, (std::array<int, 4>{2, 3, 4, 0}));
  EXPECT_FALSE(DeleteRecord(std::span<int>(fixed), 4));
}

}  // namespace
}  // namespace tv::files
