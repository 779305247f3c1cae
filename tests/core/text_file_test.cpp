// Windows-1252 on disk, UTF-8 in memory.
#include "core/text_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "file_fixture.h"

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

using TextFile = testing::TempFolder;

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
