// Windows-1252 on disk, UTF-8 in memory.
#include "core/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ostream>
#include <vector>

#include "file_fixture.h"
#include "row_name.h"

namespace silvarone {
namespace {

TEST(Cp1252, ConvertsBothWays) {
  // Latin-1 range and the codes where Windows-1252 differs from Latin-1.
  EXPECT_EQ(Cp1252ToUtf8("20\xB0"), "20\xC2\xB0");                                  // degree sign
  EXPECT_EQ(Cp1252ToUtf8("\xE4\xF6\xFC\xDF"), "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F");  // äöüß
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");                                  // euro sign
  EXPECT_EQ(Cp1252ToUtf8("\x93x\x94"), "\xE2\x80\x9Cx\xE2\x80\x9D");                // curly quotes
  EXPECT_EQ(Utf8ToCp1252("Zähnezahl 20°"), "Z\xE4hnezahl 20\xB0");
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");  // no Windows-1252 code
  EXPECT_EQ(Utf8ToCp1252("a\xFF"
                         "b\xC3"),
            "a?b?");               // malformed UTF-8
  for (int b = 0; b < 256; ++b) {  // every byte survives, the undefined five too
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
  }
}

struct MalformedCase {
  const char* name;
  const char* utf8;
  const char* cp1252;
};

SILVARONE_PRINT_ROW_NAME(MalformedCase)

class MalformedUtf8 : public ::testing::TestWithParam<MalformedCase> {};

// Each byte of a malformed sequence stands alone and becomes '?'.
TEST_P(MalformedUtf8, NeverBecomesAnAsciiCharacter) {
  const MalformedCase& c = GetParam();
  EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.name;
}

std::vector<MalformedCase> MalformedCases() {
  return {
      {"OverlongLessThan", "\xC0\xBC", "??"},                       // overlong '<'
      {"OverlongSlash", "\xC0\xAF", "??"},                          // overlong '/'
      {"OverlongNul", "\xC0\x80", "??"},                            // overlong NUL
      {"OverlongSlashInThreeBytes", "\xE0\x80\xAF", "???"},         // overlong '/' in three bytes
      {"OverlongLessThanInFourBytes", "\xF0\x80\x80\xBC", "????"},  // overlong '<' in four bytes
      {"SurrogateHalf", "\xED\xA0\x80", "???"},                     // a surrogate half
      {"PastTheLastCodePoint", "\xF4\x90\x80\x80", "????"},         // past U+10FFFF
      {"ShortestFormsConvert", "\xC2\xA0\xC3\xBF", "\xA0\xFF"},  // the shortest forms still convert
  };
}

INSTANTIATE_TEST_SUITE_P(Cp1252, MalformedUtf8, ::testing::ValuesIn(MalformedCases()),
                         testing::RowName);

using TextFile = testing::TempFolder;

TEST_F(TextFile, WhatIsNoRegularFileOfBoundedSizeIsNotRead) {
  std::filesystem::create_directory(Path("folder"));
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);          // no writer: opening must not wait
  std::filesystem::create_symlink("/dev/zero", Path("zero"));  // would never end
  const std::size_t limit = 4 << 20;  // the program reads no file above 4 MB
  Write("large", std::string(limit + 1, 'x'));
  Write("limit", std::string(limit, 'x'));
  for (const char* name : {"folder", "pipe", "zero", "large"}) {
    EXPECT_FALSE(ReadTextLines(Path(name)).has_value()) << name;
  }
  EXPECT_EQ(ReadTextLines(Path("limit"))->size(), 1u);
}

TEST_F(TextFile, SavesKeepPermissionsAndLinksAndUseTheirOwnTemporaryNames) {
  Write("private.ini", "old");
  ::chmod(Path("private.ini").c_str(), 0600);
  std::filesystem::create_directory(Path("real"));
  Write("real/target.ini", "old");
  std::filesystem::create_symlink("real/target.ini", Path("link.ini"));
  // A folder where a fixed temporary name would go, and one that a save
  // killed half-way left behind (the program's own pattern).
  std::filesystem::create_directory(Path("private.ini.tmp" + std::to_string(::getpid())));
  Write(".private.ini.silvarone-Ab12Cd", "half");
  Write(".private.ini.other", "someone else's");

  ASSERT_TRUE(WriteTextLinesAtomic(Path("private.ini"), {"new"}));
  ASSERT_TRUE(WriteTextLinesAtomic(Path("link.ini"), {"new"}));

  struct stat info {};
  ASSERT_EQ(::stat(Path("private.ini").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_TRUE(std::filesystem::is_symlink(Path("link.ini")));
  EXPECT_EQ(Read("real/target.ini"), "new\r\n");
  EXPECT_FALSE(std::filesystem::exists(Path(".private.ini.silvarone-Ab12Cd")));
  EXPECT_TRUE(std::filesystem::exists(Path(".private.ini.other")));
  // Nothing of ours is left beside the files.
  for (const auto& entry : std::filesystem::directory_iterator(folder_ / "real")) {
    EXPECT_EQ(entry.path().filename(), "target.ini");
  }
}

TEST_F(TextFile, UmlautsAndDegreeSurviveAWriteAndARead) {
  const std::vector<std::string> lines = {"Normaleingriffswinkel alpha_n=20°", "Zähnezahl", "Fuß",
                                          ""};
  ASSERT_TRUE(WriteTextLinesAtomic(Path("a.ini"), lines));
  EXPECT_EQ(Read("a.ini"),
            "Normaleingriffswinkel alpha_n=20\xB0\r\nZ\xE4hnezahl\r\nFu\xDF\r\n\r\n");
  EXPECT_EQ(ReadTextLines(Path("a.ini")), lines);
}

TEST_F(TextFile, LineEndsAndMissingFiles) {
  Write("mixed.txt", "a\r\nb\nc\rd");
  EXPECT_EQ(ReadTextLines(Path("mixed.txt")), (std::vector<std::string>{"a", "b", "c", "d"}));
  Write("empty.txt", "");
  EXPECT_EQ(ReadTextLines(Path("empty.txt")), std::vector<std::string>{});
  EXPECT_FALSE(ReadTextLines(Path("missing.txt")).has_value());
  EXPECT_FALSE(WriteTextLinesAtomic(Path("no/such/folder/x.txt"), {"x"}));
}

TEST_F(TextFile, AFailedWriteLeavesNoTemporaryFileBehind) {
  // The rename cannot replace a folder that holds a file: the write fails
  // after the temporary file was complete, and it is cleaned up.
  std::filesystem::create_directory(folder_ / "target");
  Write("target/inside", "x");
  EXPECT_FALSE(WriteTextLinesAtomic(Path("target"), {"new"}));
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / "target"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace silvarone
