#include "fields/fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tv::fields {
namespace {

using Fields = std::vector<std::string>;

TEST(SplitFields, SplitsAtCommasAndUnquotesFields) {
  const struct {
    std::string line;
    Fields fields;
  } cases[] = {
      {"2,Part7,Door", {"2", "Part7", "Door"}},
      {"a,,b,", {"a", "", "b", ""}},
      {",", {"", ""}},
      {"", {}},
      {"single", {"single"}},
      {" 600 , Maple ", {" 600 ", " Maple "}},  // blanks belong to the field
      {"\"3/4, Maple\",2", {"3/4, Maple", "2"}},
      {"1, \"a,b\" ,2", {"1", "a,b ", "2"}},  // blanks before the opening quote are skipped
      {"\"\",x", {"", "x"}},
      {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
      {"\"ab\"cd,e", {"abcd", "e"}},
      {"12\" Door,2", {"12\" Door", "2"}},  // an inch mark is no quote
      {"\"open,to the end", {"open,to the end"}},
      {"a,b\r\n", {"a", "b"}},
      {"a,b\r", {"a", "b"}},
      {std::string("a\0b,\xff\xfe", 6), {std::string("a\0b", 3), "\xff\xfe"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitFields(c.line), c.fields) << c.line;
}

TEST(SplitFields, CountsTheFieldsOfAWorkListLine) {
  // 25 fields fill columns 2 to 26, 26 fields fill every column, and a quoted comma is no field.
  const std::string line25 = "2,Part7,,,,,\"3/4, Maple\",600,400,0.75,/jobs/,,,,,,,,,,,,,,Sub";
  EXPECT_EQ(SplitFields(line25).size(), 25u);
  EXPECT_EQ(SplitFields(line25)[6], "3/4, Maple");
  EXPECT_EQ(SplitFields("1," + line25).size(), 26u);
}

}  // namespace
}  // namespace tv::fields
