#include "testing/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tv::test_support {
namespace {

namespace fs = std::filesystem;

TEST(TempFolder, OwnFolderGoesWithEverythingInIt) {
  std::string kept;
  {
    TempFolder folder;
    TempFolder other;
    kept = folder.Path();
    ASSERT_EQ(kept.back(), '/');
    EXPECT_NE(kept, other.Path());
    EXPECT_TRUE(fs::is_directory(kept));
    // Bytes come back untouched: no line-end translation, NUL kept.
    const std::string bytes("a\r\nb\n\0c", 7);
    const std::string file = folder.Write("deep/er/f.txt", bytes);
    EXPECT_EQ(file, kept + "deep/er/f.txt");
    EXPECT_EQ(ReadText(file), bytes);
    EXPECT_EQ(ReadText(kept + "missing.txt"), "");
  }
  EXPECT_FALSE(fs::exists(kept));
}

}  // namespace
}  // namespace tv::test_support
