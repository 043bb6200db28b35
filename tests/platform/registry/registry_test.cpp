// The file-backed registry: values survive a fresh read, names ignore case, keys nest, and a
// file it cannot fully understand is never damaged by a write.
#include "registry/registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "testing/encodings.h"
#include "testing/temp_folder.h"

namespace tv::registry {
namespace {

namespace fs = std::filesystem;

using test_support::ReadText;
using test_support::WriteText;

class RegistryTest : public ::testing::Test {
 protected:
  fs::path UserFile() const { return folder_ / "HKEY_CURRENT_USER.txt"; }

  test_support::TempFolder temp_;
  fs::path folder_{temp_.Path()};
};

TEST_F(RegistryTest, ValuesRoundTripThroughTheFile) {
  const struct {
    std::string name;
    std::string value;
  } cases[] = {
      {"Plain", "/home/anna/work lists/"},
      {"", "the default value"},
      {"Lines", "first\nsecond\r\nthird\n"},
      {"Equals", "a=b==c"},
      {"Na=me", "name with an equals sign"},
      {"[Looks Like A Key]", "x"},
      {"#NotAComment", "y"},
      {"Percent", "100% and %41 stay as typed"},
      {"Accents", "Küche/Eiche géant ¢"},
      {"Blanks", "  leading and trailing  "},
      {"Empty", ""},
      {"Nul", std::string("a\0b", 3)},
      // Bytes that are no UTF-8 (a file name from another system) beside UTF-8 text.
      {"Not UTF-8", "caf\xE9 \xFF"},
      {"N\xE4me", "x"},
  };
  {
    Registry writer(folder_);
    for (const auto& c : cases)
      ASSERT_TRUE(writer.SetString(Root::CurrentUser, "Software\\Test", c.name, c.value));
  }
  Registry reader(folder_);
  for (const auto& c : cases) {
    EXPECT_EQ(reader.GetString(Root::CurrentUser, "Software\\Test", c.name), c.value) << "name " << c.name;
  }
  std::vector<std::string> expectedNames;
  for (const auto& c : cases) expectedNames.push_back(c.name);
  EXPECT_EQ(reader.ValueNames(Root::CurrentUser, "Software\\Test"), expectedNames);
}

TEST_F(RegistryTest, ValueTextCannotForgeKeysOrValues) {
  Registry reg(folder_);
  ASSERT_TRUE(reg.SetString(Root::CurrentUser, "Software", "Name", "x\n[Software\\Forged]\nOther=1"));
  ASSERT_TRUE(reg.SetString(Root::CurrentUser, "Software", "A=B", "c"));
  EXPECT_FALSE(reg.KeyExists(Root::CurrentUser, "Software\\Forged"));
  EXPECT_EQ(reg.ValueNames(Root::CurrentUser, "Software"), (std::vector<std::string>{"Name", "A=B"}));
  EXPECT_EQ(reg.GetString(Root::CurrentUser, "Software", "A"), std::nullopt);
}

TEST_F(RegistryTest, KeysAndValueNamesIgnoreCaseAndKeepTheirFirstSpelling) {
  Registry reg(folder_);
  ASSERT_TRUE(reg.SetString(Root::CurrentUser, "Software\\Tavolin\\Paths", "PList", "/a/"));
  ASSERT_TRUE(reg.SetString(Root::CurrentUser, "SOFTWARE\\tavolin\\PATHS", "plist", "/b/"));

  EXPECT_EQ(reg.GetString(Root::CurrentUser, "software\\TAVOLIN\\paths", "PLIST"), "/b/");
  EXPECT_EQ(reg.ValueNames(Root::CurrentUser, "Software\\Tavolin\\Paths"), std::vector<std::string>{"PList"});
  EXPECT_EQ(reg.SubKeys(Root::CurrentUser, "software"), std::vector<std::string>{"Tavolin"});
  EXPECT_EQ(reg.SubKeys(Root::CurrentUser, "Software\\Tavolin"), std::vector<std::string>{"Paths"});
}

TEST_F(RegistryTest, KeyPathsIgnoreEmptyLevels) {
  Registry reg(folder_);
  ASSERT_TRUE(reg.SetString(Root::CurrentUser, "\\Software\\\\Tavolin\\", "Name", "v"));
  EXPECT_EQ(reg.GetString(Root::CurrentUser, "Software\\Tavolin", "Name"), "v");
}

TEST_F(RegistryTest, MissingKeysAndValuesReadAsAbsent) {
  Registry reg(folder_ / "not" / "there");
  EXPECT_EQ(reg.GetString(Root::CurrentUser, "Software\\Tavolin", "Name"), std::nullopt);
  EXPECT_FALSE(reg.KeyExists(Root::CurrentUser, "Software"));
  EXPECT_TRUE(reg.SubKeys(Root::CurrentUser, "").empty());

  ASSERT_TRUE(reg.CreateKey(Root::CurrentUser, "Software\\Tavolin"));
  EXPECT_TRUE(reg.KeyExists(Root::CurrentUser, "Software"));
  EXPECT_TRUE(reg.KeyExists(Root::CurrentUser, "software\\tavolin"));
  EXPECT_FALSE(reg.KeyExists(Root::CurrentUser, "Software\\Tavolin\\Paths"));
  EXPECT_EQ(reg.GetString(Root::CurrentUser, "Software\\Tavolin", "Name"), std::nullopt);
  EXPECT_EQ(reg.GetString(Root::CurrentUser, "Software\\Tavolin", ""), std::nullopt);
}

TEST_F(RegistryTest, RootsAreSeparate) {
  Registry reg(folder_);
  ASSERT_TRUE(reg.SetString(Root::LocalMachine, "Software\\X", "Name", "machine"));
  ASSERT_TRUE(reg.SetString(Root::CurrentUser, "Software\\X", "Name", "user"));
  ASSERT_TRUE(reg.CreateKey(Root::ClassesRoot, "CLSID\\{1234}"));

  EXPECT_EQ(reg.GetString(Root::LocalMachine, "Software\\X", "Name"), "machine");
  EXPECT_EQ(reg.GetString(Root::CurrentUser, "Software\\X", "Name"), "user");
  EXPECT_FALSE(reg.KeyExists(Root::ClassesRoot, "Software"));
  EXPECT_FALSE(reg.KeyExists(Root::CurrentUser, "CLSID"));
}

TEST_F(RegistryTest, SubKeysListDirectChildrenInCreationOrder) {
  Registry reg(folder_);
  ASSERT_TRUE(reg.CreateKey(Root::ClassesRoot, "CLSID\\{B}\\InprocServer32"));
  ASSERT_TRUE(reg.CreateKey(Root::ClassesRoot, "CLSID\\{A}"));
  ASSERT_TRUE(reg.CreateKey(Root::ClassesRoot, "CLSID\\{B}"));
  ASSERT_TRUE(reg.CreateKey(Root::ClassesRoot, "CLSID\\{C}\\ProgID"));
  ASSERT_TRUE(reg.CreateKey(Root::ClassesRoot, "Other"));

  EXPECT_EQ(reg.SubKeys(Root::ClassesRoot, "CLSID"), (std::vector<std::string>{"{B}", "{A}", "{C}"}));
  EXPECT_EQ(reg.SubKeys(Root::ClassesRoot, ""), (std::vector<std::string>{"CLSID", "Other"}));
  EXPECT_EQ(reg.SubKeys(Root::ClassesRoot, "CLSID\\{B}"), std::vector<std::string>{"InprocServer32"});
}

TEST_F(RegistryTest, DeleteTreeRemovesTheKeyAndEverythingBelowButNoNeighbour) {
  Registry reg(folder_);
  ASSERT_TRUE(reg.SetString(Root::ClassesRoot, "CLSID\\{A}\\InprocServer32", "", "/lib/a.so"));
  ASSERT_TRUE(reg.SetString(Root::ClassesRoot, "CLSID\\{A}", "", "A class"));
  ASSERT_TRUE(reg.SetString(Root::ClassesRoot, "CLSID\\{A}Extra", "", "kept"));
  ASSERT_TRUE(reg.SetString(Root::ClassesRoot, "CLSID\\{B}", "", "kept too"));

  EXPECT_TRUE(reg.DeleteTree(Root::ClassesRoot, "clsid\\{a}"));

  EXPECT_FALSE(reg.KeyExists(Root::ClassesRoot, "CLSID\\{A}"));
  EXPECT_FALSE(reg.KeyExists(Root::ClassesRoot, "CLSID\\{A}\\InprocServer32"));
  EXPECT_EQ(reg.GetString(Root::ClassesRoot, "CLSID\\{A}Extra", ""), "kept");
  EXPECT_EQ(reg.GetString(Root::ClassesRoot, "CLSID\\{B}", ""), "kept too");
  EXPECT_TRUE(reg.DeleteTree(Root::ClassesRoot, "CLSID\\{Never}"));
}

TEST_F(RegistryTest, DeleteTreeRefusesToWipeAWholeRoot) {
  Registry reg(folder_);
  ASSERT_TRUE(reg.SetString(Root::CurrentUser, "Software", "Name", "v"));
  EXPECT_FALSE(reg.DeleteTree(Root::CurrentUser, ""));
  EXPECT_FALSE(reg.DeleteTree(Root::CurrentUser, "\\"));
  EXPECT_EQ(reg.GetString(Root::CurrentUser, "Software", "Name"), "v");
}

TEST_F(RegistryTest, DeleteValueLeavesTheKeyAndOtherValues) {
  Registry reg(folder_);
  ASSERT_TRUE(reg.SetString(Root::CurrentUser, "K", "A", "1"));
  ASSERT_TRUE(reg.SetString(Root::CurrentUser, "K", "B", "2"));
  EXPECT_TRUE(reg.DeleteValue(Root::CurrentUser, "K", "a"));
  EXPECT_EQ(reg.GetString(Root::CurrentUser, "K", "A"), std::nullopt);
  EXPECT_EQ(reg.GetString(Root::CurrentUser, "K", "B"), "2");
  EXPECT_TRUE(reg.KeyExists(Root::CurrentUser, "K"));
  EXPECT_TRUE(reg.DeleteValue(Root::CurrentUser, "K", "Missing"));
}

TEST_F(RegistryTest, HandWrittenFileIsReadLenientlyAndItsOtherLinesSurviveAWrite) {
  const std::string comment = "# written by hand";
  const std::string orphan = "Orphan=value before any key";
  const std::string noEquals = "this line has no equals sign";
  const std::string badEscape = "Broken=%G1";
  WriteText(UserFile(), comment + "\r\n" + orphan + "\n[Software\\Tavolin\\Paths]\n" + noEquals +
                            "\nOpen=/home/x/\n" + badEscape +
                            "\n[software\\tavolin\\paths]\nOpen=/home/y/\r\n");
  Registry reg(folder_);

  // A repeated key continues the first one and the later value wins; the deepest key also
  // implies the levels above it.
  EXPECT_EQ(reg.GetString(Root::CurrentUser, "Software\\Tavolin\\Paths", "Open"), "/home/y/");
  EXPECT_EQ(reg.GetString(Root::CurrentUser, "Software\\Tavolin\\Paths", "Broken"), std::nullopt);
  EXPECT_TRUE(reg.KeyExists(Root::CurrentUser, "Software\\Tavolin"));
  EXPECT_EQ(reg.ValueNames(Root::CurrentUser, "Software\\Tavolin\\Paths"), std::vector<std::string>{"Open"});

  ASSERT_TRUE(reg.SetString(Root::CurrentUser, "Software\\Tavolin\\Paths", "PList", "/w/"));
  const std::string after = ReadText(UserFile());
  for (const std::string& line : {comment + "\r", orphan, noEquals, badEscape}) {
    EXPECT_NE(after.find("\n" + line + "\n"), std::string::npos) << line << "\n--- file:\n" << after;
  }
  EXPECT_EQ(reg.GetString(Root::CurrentUser, "Software\\Tavolin\\Paths", "Open"), "/home/y/");
  EXPECT_EQ(reg.GetString(Root::CurrentUser, "Software\\Tavolin\\Paths", "PList"), "/w/");
}

TEST_F(RegistryTest, AFileReEncodedByAnEditorReadsTheSame) {
  const std::string store =
      "[Software\\Tavolin\\Paths]\r\nOpen=/home/j\xC3\xBCrgen/K\xC3\xBC"
      "che/\r\nPList=/w/\r\n";
  for (const test_support::EncodedText& encoded : test_support::InEveryEncoding(store)) {
    WriteText(UserFile(), encoded.bytes);
    Registry reg(folder_);
    EXPECT_EQ(reg.GetString(Root::CurrentUser, "Software\\Tavolin\\Paths", "Open"),
              "/home/j\xC3\xBCrgen/K\xC3\xBC"
              "che/")
        << encoded.what;
    EXPECT_EQ(reg.ValueNames(Root::CurrentUser, "Software\\Tavolin\\Paths"),
              (std::vector<std::string>{"Open", "PList"}))
        << encoded.what;
  }
}

TEST_F(RegistryTest, FileOfANewerFormatIsReadButNotRewritten) {
  // Behind a byte-order mark too: the mark used to hide the header, and the file was rewritten
  // as version 1.
  for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
    const std::string text = mark + "TavolinRegistry 2\n[Software]\nName=v\n";
    WriteText(UserFile(), text);
    Registry reg(folder_);
    EXPECT_EQ(reg.GetString(Root::CurrentUser, "Software", "Name"), "v") << mark.size();
    EXPECT_FALSE(reg.SetString(Root::CurrentUser, "Software", "Name", "w")) << mark.size();
    EXPECT_EQ(ReadText(UserFile()), text) << mark.size();
  }
}

// A line ending in CR CR LF lost a CR on every write, and a kept "[K]\r" became a real key.
TEST_F(RegistryTest, KeptLinesCrossEveryRewriteByteForByte) {
  const std::vector<std::string> kept = {"# edited on Windows\r", "# two CRs\r\r", "[K]\r\r", "no equals\r"};
  std::string text = "TavolinRegistry 1\n[Software\\Tavolin]\n";
  for (const std::string& line : kept) text += line + "\n";
  WriteText(UserFile(), text);
  Registry reg(folder_);
  for (int write = 0; write < 3; ++write) {
    ASSERT_TRUE(reg.SetString(Root::CurrentUser, "Software\\Tavolin", "Count", std::to_string(write)));
    const std::string after = ReadText(UserFile());
    for (const std::string& line : kept) {
      EXPECT_NE(after.find("\n" + line + "\n"), std::string::npos) << write << ": " << line;
    }
    EXPECT_FALSE(reg.KeyExists(Root::CurrentUser, "K")) << write;
    EXPECT_FALSE(reg.KeyExists(Root::CurrentUser, "Software\\Tavolin\\K")) << write;
  }
}

TEST_F(RegistryTest, UnreadableFileReadsAsEmptyAndIsNotReplaced) {
  fs::create_directory(UserFile());  // a folder where the file should be cannot be read
  Registry reg(folder_);
  EXPECT_FALSE(reg.KeyExists(Root::CurrentUser, "Software"));
  EXPECT_FALSE(reg.SetString(Root::CurrentUser, "Software", "Name", "v"));
  EXPECT_FALSE(reg.CreateKey(Root::CurrentUser, "Software"));
  EXPECT_TRUE(fs::is_directory(UserFile()));
}

TEST_F(RegistryTest, WriteThatCannotHappenReportsFailure) {
  WriteText(folder_ / "file", "not a folder");
  Registry reg(folder_ / "file" / "registry");
  EXPECT_FALSE(reg.SetString(Root::CurrentUser, "Software", "Name", "v"));
  EXPECT_FALSE(reg.CreateKey(Root::CurrentUser, "Software"));
}

TEST_F(RegistryTest, WritesLeaveNoTemporaryFilesBehind) {
  Registry reg(folder_);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(reg.SetString(Root::CurrentUser, "K", "N", std::to_string(i)));
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"HKEY_CURRENT_USER.txt"});
}

TEST_F(RegistryTest, ConcurrentWritersDoNotLoseEachOthersValues) {
  constexpr int kPerWriter = 40;
  auto writer = [&](const std::string& prefix) {
    Registry reg(folder_);
    for (int i = 0; i < kPerWriter; ++i) {
      EXPECT_TRUE(reg.SetString(Root::CurrentUser, "Software\\Race", prefix + std::to_string(i), "x"));
    }
  };
  std::thread a(writer, "a");
  std::thread b(writer, "b");
  a.join();
  b.join();
  EXPECT_EQ(Registry(folder_).ValueNames(Root::CurrentUser, "Software\\Race").size(), 2u * kPerWriter);
}

class StoreFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"TAVOLIN_REGISTRY", "XDG_CONFIG_HOME", "HOME"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }
  static void Set(const char* name, const char* value) {
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }

  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(StoreFolderTest, ChoosesTheFolderFromTheEnvironment) {
  const struct {
    const char* registry;
    const char* config;
    const char* home;
    fs::path expected;
  } cases[] = {
      {"/tmp/reg", "/cfg", "/home/u", "/tmp/reg"},
      {"", "/cfg", "/home/u", "/cfg/tavolin/registry"},
      {nullptr, "/cfg", "/home/u", "/cfg/tavolin/registry"},
      {nullptr, "relative/cfg", "/home/u", "/home/u/.config/tavolin/registry"},
      {nullptr, "", "/home/u", "/home/u/.config/tavolin/registry"},
      {nullptr, nullptr, "/home/u", "/home/u/.config/tavolin/registry"},
  };
  for (const auto& c : cases) {
    Set("TAVOLIN_REGISTRY", c.registry);
    Set("XDG_CONFIG_HOME", c.config);
    Set("HOME", c.home);
    EXPECT_EQ(StoreFolder(), c.expected)
        << (c.registry ? c.registry : "-") << " " << (c.config ? c.config : "-");
  }
}

}  // namespace
}  // namespace tv::registry
