// The INI document: matching rules, in-place updates, untrusted files and
// saving without ever leaving a half-written file.
#include "storage/ini_document.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "file_fixture.h"

namespace silvarone {
namespace {

using Ini = testing::TempFolder;

TEST(FoldName, CaseAndBlanks) {
  EXPECT_EQ(FoldName("  Messkugeldurchmesser D_M "), "messkugeldurchmesser d_m");
  EXPECT_EQ(FoldName("MESSZÄHNEZAHL K"), FoldName("Messzähnezahl k"));
  EXPECT_EQ(FoldName("×"), "×");
}

TEST_F(Ini, MatchingIgnoresCaseAndSurroundingBlanks) {
  Write("a.ini", "[ DATA ]\r\nMesskugeldurchmesser D_M=12\r\n  zahnbreite B_W   =  20 \r\n");
  IniDocument document(Path("a.ini"));
  EXPECT_EQ(document.ReadString("data", "Messkugeldurchmesser D_M ", "x"), "12");
  EXPECT_EQ(document.ReadString("Data", "Zahnbreite b_w ", "x"), "20");
  EXPECT_EQ(document.ReadString("data", "missing", "fallback"), "fallback");
  EXPECT_EQ(document.ReadString("other", "Zahnbreite b_w", "fallback"), "fallback");
  EXPECT_EQ(IniDocument(Path("missing.ini")).ReadString("data", "x", "d"), "d");
}

TEST_F(Ini, WritingReplacesOneLineAndKeepsEveryOtherLine) {
  const std::string original =
      "; a comment\r\n[common configuration]\r\nlanguage=deutsch\r\n\r\n[data]\r\n"
      "Zaehnezahl z=-50\r\nno equals sign here\r\nZahnbreite b_w =20\r\n\r\n[other]\r\nk=v\r\n";
  Write("a.ini", original);
  IniDocument document(Path("a.ini"));
  document.WriteString("DATA", "zaehnezahl Z", "33");
  document.WriteString("data", "new key", "1");
  document.WriteString("new section", "key", "v");
  ASSERT_TRUE(document.Save());
  EXPECT_EQ(Read("a.ini"),
            "; a comment\r\n[common configuration]\r\nlanguage=deutsch\r\n\r\n[data]\r\n"
            "zaehnezahl Z=33\r\nno equals sign here\r\nZahnbreite b_w =20\r\nnew key=1\r\n\r\n"
            "[other]\r\nk=v\r\n[new section]\r\nkey=v\r\n");
}

// A key belongs to the section above it: the search for it ends at the next
// section header. The settings and project files hold several sections, and a
// key missing from one must not be read from, or written over, the same key
// of another.
TEST_F(Ini, AKeyIsLookedUpOnlyInItsOwnSection) {
  Write("a.ini",
        "[common configuration]\r\nlanguage=englisch\r\n\r\n"
        "[data]\r\nZaehnezahl z=-50\r\nMode=1\r\n\r\n"
        "[Project data]\r\nlanguage=deutsch\r\nZaehnezahl z=17\r\n");
  const IniDocument document(Path("a.ini"));
  // Present in the asked section and in another: each section its own.
  EXPECT_EQ(document.ReadString("common configuration", "language", "x"), "englisch");
  EXPECT_EQ(document.ReadString("Project data", "language", "x"), "deutsch");
  EXPECT_EQ(document.ReadString("data", "Zaehnezahl z", "x"), "-50");
  EXPECT_EQ(document.ReadString("Project data", "Zaehnezahl z", "x"), "17");
  // Absent from the asked section, present in a later one: the fallback.
  EXPECT_EQ(document.ReadString("common configuration", "Zaehnezahl z", "fallback"), "fallback");
  EXPECT_EQ(document.ReadString("data", "language", "fallback"), "fallback");
  EXPECT_EQ(document.ReadInteger("common configuration", "Zaehnezahl z", 3), 3);
  // Absent from the asked section, present in an earlier one: the fallback.
  EXPECT_EQ(document.ReadInteger("Project data", "Mode", 0), 0);
}

TEST_F(Ini, AKeyMissingFromItsSectionIsAddedThereAndTheOtherSectionStaysAsItWas) {
  Write("a.ini",
        "[common configuration]\r\nlanguage=englisch\r\n\r\n"
        "[data]\r\nZaehnezahl z=-50\r\n\r\n"
        "[Project data]\r\nZaehnezahl z=17\r\nlanguage=deutsch\r\n");
  IniDocument document(Path("a.ini"));
  document.WriteString("common configuration", "Zaehnezahl z", "33");
  document.WriteString("data", "language", "englisch");
  document.WriteInteger("data", "Mode", 1);
  ASSERT_TRUE(document.Save());
  // Each new line after the last line of its own section; the lines of
  // "Project data" are untouched.
  EXPECT_EQ(Read("a.ini"),
            "[common configuration]\r\nlanguage=englisch\r\nZaehnezahl z=33\r\n\r\n"
            "[data]\r\nZaehnezahl z=-50\r\nlanguage=englisch\r\nMode=1\r\n\r\n"
            "[Project data]\r\nZaehnezahl z=17\r\nlanguage=deutsch\r\n");
  const IniDocument again(Path("a.ini"));
  EXPECT_EQ(again.ReadString("common configuration", "Zaehnezahl z", ""), "33");
  EXPECT_EQ(again.ReadString("Project data", "Zaehnezahl z", ""), "17");
  EXPECT_EQ(again.ReadString("Project data", "language", ""), "deutsch");
}

TEST_F(Ini, AnEmptySectionGetsItsKeyBeforeTheNextHeader) {
  Write("a.ini", "[data]\r\n[Project data]\r\nProject File Name=gear.tvp\r\n");
  IniDocument document(Path("a.ini"));
  EXPECT_EQ(document.ReadString("data", "Project File Name", "none"), "none");
  document.WriteString("data", "Project File Name", "other.tvp");
  EXPECT_EQ(document.Bytes(),
            "[data]\r\nProject File Name=other.tvp\r\n"
            "[Project data]\r\nProject File Name=gear.tvp\r\n");
}

TEST_F(Ini, UnixLineEndsStayUnixLineEnds) {
  Write("a.ini", "[data]\nk=1\n");
  IniDocument document(Path("a.ini"));
  document.WriteString("data", "k", "2");
  ASSERT_TRUE(document.Save());
  EXPECT_EQ(Read("a.ini"), "[data]\nk=2\n");
}

TEST_F(Ini, UntrustedFilesReadSafelyAndStayUntouched) {
  std::string random;
  unsigned state = 12345;
  for (int i = 0; i < 1 << 20; ++i) {
    state = state * 1103515245u + 12345u;
    random += static_cast<char>(state >> 16);
  }
  std::string repeated = "[data]\r\n";
  for (int i = 0; i < 10000; ++i)
    repeated += "k=" + std::to_string(i) + "\r\n";
  struct Case {
    std::string what, bytes, expected;
  };
  const std::vector<Case> files = {
      {"random", random, ""},
      {"huge line", std::string(50 << 20, 'x'), "default"},
      {"header without bracket", "[data\r\nk=open\r\n", "open"},
      {"repeated keys", repeated, "0"},  // the first one
      {"control characters", "[data]\r\nk=a\x01\x02\tb\x7f\r\n", "a\x01\x02\tb\x7f"},
      {"only equals", "[data]\r\n=\r\n==\r\n", "default"},
  };
  for (const auto& [what, bytes, expected] : files) {
    Write("u.ini", bytes);
    IniDocument document(Path("u.ini"));
    const std::string value = document.ReadString("data", "k", "default");
    if (!expected.empty()) {
      EXPECT_EQ(value, expected) << what;
    }
    EXPECT_EQ(Read("u.ini").size(), bytes.size()) << what;  // a read never writes
  }
}

TEST_F(Ini, IntegersAndLineEndsInValues) {
  Write("a.ini",
        "[s]\r\nplain=42\r\nnegative=-5\r\nbig=2147483648\r\ntext=12abc\r\nempty=\r\nplus=+7\r\n");
  IniDocument document(Path("a.ini"));
  EXPECT_EQ(document.ReadInteger("s", "plain", 0), 42);
  EXPECT_EQ(document.ReadInteger("s", "negative", 0), -5);
  EXPECT_EQ(document.ReadInteger("s", "big", 3), 3);
  EXPECT_EQ(document.ReadInteger("s", "text", 3), 3);
  EXPECT_EQ(document.ReadInteger("s", "empty", 3), 3);
  EXPECT_EQ(document.ReadInteger("s", "plus", 3), 7);
  // A value cannot smuggle in a key of its own.
  document.WriteString("s", "name", "line one\r\n[evil]\nk=1");
  ASSERT_TRUE(document.Save());
  IniDocument again(Path("a.ini"));
  EXPECT_EQ(again.ReadString("evil", "k", "none"), "none");
  EXPECT_EQ(again.ReadString("s", "name", ""), "line one  [evil] k=1");
}

TEST_F(Ini, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  Write("a.ini", "[data]\r\nk=old\r\n");
  IniDocument document(Path("a.ini"));
  document.WriteString("data", "k", "new");
  // A file-size limit of one byte: the write fails with an error, the
  // process goes on (SIGXFSZ ignored as the program does).
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1, 1};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::_exit(document.Save() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  EXPECT_EQ(Read("a.ini"), "[data]\r\nk=old\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(Ini, AFileThatCannotBeReadGivesAnEmptyDocumentThatIsNeverSaved) {
  std::filesystem::create_directory(Path("folder.ini"));
  Write("large.ini", "[data]\r\nk=v\r\n" + std::string(5 << 20, ';'));
  for (const char* name : {"folder.ini", "large.ini"}) {
    IniDocument document(Path(name));
    EXPECT_EQ(document.ReadString("data", "k", "default"), "default") << name;
    document.WriteString("data", "k", "new");
    EXPECT_FALSE(document.Save()) << name;  // what the file holds is not lost
  }
  EXPECT_EQ(Read("large.ini").size(), 13u + (5 << 20));  // "[data]\r\nk=v\r\n" and the rest
}

TEST_F(Ini, AWriterKilledDuringTheSaveLeavesTheOldOrTheNewFileWhole) {
  // A document of 200 000 keys (about 2.7 MB) saved over a small old file.
  std::string big = "[data]\r\n";
  for (int i = 0; i < 200000; ++i)
    big += "key " + std::to_string(i) + "=v\r\n";
  Write("a.ini", big);
  const IniDocument document(Path("a.ini"));
  const std::string old = "[data]\r\nk=old\r\n";
  Write("a.ini", old);
  for (int delayMs : {0, 1, 3, 10, 30}) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      document.Save();
      ::_exit(0);
    }
    ::usleep(static_cast<useconds_t>(delayMs * 1000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    // Either the old file or the complete new one, never a mixture.
    const std::string now = Read("a.ini");
    const std::string lastLine = "key 199999=v\r\n";
    EXPECT_TRUE(now == old ||
                (now.size() >= lastLine.size() &&
                 now.compare(now.size() - lastLine.size(), lastLine.size(), lastLine) == 0))
        << "delay " << delayMs << " size " << now.size();
    if (now != old) Write("a.ini", old);
  }
  // A temporary file that a killed save left behind goes with the next save.
  ASSERT_TRUE(document.Save());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace silvarone
