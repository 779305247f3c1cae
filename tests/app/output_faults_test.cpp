// Every file the program writes from the command line (the PDF of the
// report, the pictures of `screenshots`, the settings of `report --save`)
// under the faults a shop floor meets: a full disk (a file-size limit), a
// pipe or a link in the file's place, a private file, a kill at any moment,
// two runs at once. Afterwards the file is the old one or a complete new one,
// the status says what happened, and no temporary file stays behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "fault_injection.h"
#include "file_fixture.h"
#include "pdf_text.h"
#include "row_name.h"

namespace silvarone {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string err;
};

const std::string kExample =
    std::string(SILVARONE_DATA_DIR) + "/../docs/manual/examples/stirnrad_m2_z20.tvp";

class Outputs : public testing::TempFolder {
 protected:
  // The program without a display and without a desktop session, on a
  // settings folder of its own; `launcher` goes before it (prlimit,
  // timeout), `shell` before that (commands ending in ';').
  Outcome Silvarone(const std::string& arguments, const std::string& launcher = "",
                    const std::string& shell = "", const std::string& home = "") {
    const std::string command =
        "cd '" + folder_.string() + "' && " + shell + " " + launcher +
        " env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR "
        "SILVARONE_HOME='" +
        (home.empty() ? Path("home") : home) + "' '" SILVARONE_EXECUTABLE "' " + arguments +
        " >/dev/null 2>'" + Path("err") + "'; echo $?";
    Outcome run;
    run.status = std::stoi(testing::Shell(command));
    run.err = Read("err");
    return run;
  }
  std::string Settings() const { return Path("home/diruvavida_roduzaz.ini"); }

  // The names starting with '.' in the folder: temporary files left over.
  std::vector<std::string> Hidden(const std::string& folder) const {
    std::vector<std::string> hidden;
    for (const std::string& name : testing::FolderNames(Path(folder)))
      if (name.front() == '.') hidden.push_back(name);
    return hidden;
  }
};

// One file the program writes, and how to tell a complete one.
struct Output {
  const char* name;
  std::string folder;  // relative to the test folder
  std::string file;
  std::string arguments;
  int failedStatus;  // when the file cannot be written
  std::string old;   // what is there before
  bool (*complete)(const std::string& bytes);
};

bool EndsWith(const std::string& bytes, const std::string& end) {
  return bytes.size() >= end.size() &&
         bytes.compare(bytes.size() - end.size(), end.size(), end) == 0;
}

const std::vector<Output>& AllOutputs() {
  static const std::vector<Output> outputs = {
      {"pdf", "out", "report.pdf", "report '" + kExample + "' --pdf out/report.pdf", 5, "old",
       [](const std::string& b) { return b.starts_with("%PDF-") && EndsWith(b, "%%EOF\n"); }},
      // The first of the pictures; the program writes them in order.
      {"screenshots", "out", "TabSheet1.png", "screenshots out", 5, "old",
       [](const std::string& b) {
         return b.starts_with("\x89PNG") && EndsWith(b, std::string("IEND\xae\x42\x60\x82", 8));
       }},
      {"settings", "home", "diruvavida_roduzaz.ini", "report --save --lang en", 4,
       "[common configuration]\r\nlanguage=deutsch\r\n",
       [](const std::string& b) {
         // The section a save appends comes last, its last key written last.
         return b.starts_with("[common configuration]\r\n") && EndsWith(b, "\r\n") &&
                b.rfind("\r\nProject File Directory=") == b.rfind("\r\n", b.size() - 3);
       }},
  };
  return outputs;
}

class EachOutput : public Outputs, public ::testing::WithParamInterface<Output> {
 protected:
  void SetUp() override {
    Outputs::SetUp();
    fs::create_directories(Path("home"));
    fs::create_directories(Path("out"));
  }
  std::string Target() const { return Path(GetParam().folder + "/" + GetParam().file); }
  std::string TargetBytes() const { return Read(GetParam().folder + "/" + GetParam().file); }
  Outcome RunOutput(const std::string& launcher = "") {
    return Silvarone(GetParam().arguments, launcher);
  }
};

TEST_P(EachOutput, AFileSizeLimitFailsWithItsStatusAndKeepsTheOldFile) {
  // 1000 bytes: a report PDF is about 15 kB, a picture 30 kB and more, the
  // settings about 2 kB.
  std::ofstream(Target(), std::ios::binary) << GetParam().old;
  const Outcome run = RunOutput("prlimit --fsize=1000");
  EXPECT_EQ(run.status, GetParam().failedStatus) << run.err;
  EXPECT_EQ(TargetBytes(), GetParam().old);
  EXPECT_EQ(Hidden(GetParam().folder), std::vector<std::string>{});
}

TEST_P(EachOutput, APipeInTheFilesPlaceIsRefusedWithoutWaiting) {
  ASSERT_EQ(::mkfifo(Target().c_str(), 0600), 0);
  const Outcome run = RunOutput("timeout -s KILL 120");
  EXPECT_EQ(run.status, GetParam().failedStatus) << run.err;
  struct stat info {};
  ASSERT_EQ(::lstat(Target().c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(Hidden(GetParam().folder), std::vector<std::string>{});
}

TEST_P(EachOutput, ALinkStaysALinkAndItsFileGetsTheNewContents) {
  fs::create_directories(Path("elsewhere"));
  std::ofstream(Path("elsewhere/real"), std::ios::binary) << GetParam().old;
  fs::create_symlink(Path("elsewhere/real"), Target());
  const Outcome run = RunOutput();
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::is_symlink(Target()));
  EXPECT_TRUE(GetParam().complete(Read("elsewhere/real")));
}

TEST_P(EachOutput, APrivateFileStaysPrivate) {
  std::ofstream(Target(), std::ios::binary) << GetParam().old;
  ASSERT_EQ(::chmod(Target().c_str(), 0600), 0);
  const Outcome run = RunOutput();
  EXPECT_EQ(run.status, 0) << run.err;
  struct stat info {};
  ASSERT_EQ(::stat(Target().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_TRUE(GetParam().complete(TargetBytes()));
}

TEST_P(EachOutput, AKillAtAnyMomentLeavesTheOldOrACompleteFile) {
  std::ofstream(Target(), std::ios::binary) << GetParam().old;
  // Kills spread over the run: before the start, while the window model
  // runs, while Qt draws, while the file is written, after the end. A run
  // takes from about 50 ms (the settings) to about 600 ms (the pictures),
  // several times that with the sanitizers.
  for (const char* after : {"0.01", "0.02", "0.03", "0.04", "0.05", "0.06", "0.08", "0.1", "0.13",
                            "0.17", "0.2", "0.3", "0.4", "0.5", "0.7", "1", "1.5"}) {
    RunOutput("timeout -s KILL " + std::string(after));
    const std::string now = TargetBytes();
    EXPECT_TRUE(now == GetParam().old || GetParam().complete(now))
        << "killed after " << after << " s: " << now.size() << " bytes";
  }
  // The next run that completes cleans up after the killed ones.
  const Outcome run = RunOutput();
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(GetParam().complete(TargetBytes()));
  EXPECT_EQ(Hidden(GetParam().folder), std::vector<std::string>{});
}

SILVARONE_PRINT_ROW_NAME(Output)

INSTANTIATE_TEST_SUITE_P(Files, EachOutput, ::testing::ValuesIn(AllOutputs()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Outputs, ALinkPlantedWhereATemporaryFileWouldGoIsNotFollowed) {
  // A save once wrote ".NAME.silvarone-PID" beside the file: a link planted
  // there by someone else made the report overwrite the file it names.
  fs::create_directories(Path("home"));
  Write("victim", "someone's data");
  const Outcome run =
      Silvarone("report '" + kExample + "' --pdf report.pdf",
                "sh -c 'ln -s victim .report.pdf.silvarone-$$ && exec \"$0\" \"$@\"'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Read("victim"), "someone's data");
  EXPECT_TRUE(Read("report.pdf").starts_with("%PDF-"));
}

struct OverInputCase {
  const char* name;
  std::string arguments;
};

SILVARONE_PRINT_ROW_NAME(OverInputCase)

class OutputOverInput : public Outputs, public ::testing::WithParamInterface<OverInputCase> {};

TEST_P(OutputOverInput, AnOutputOverTheFileBeingReadIsRefused) {
  const OverInputCase& c = GetParam();
  fs::create_directories(Path("home"));
  fs::copy_file(kExample, Path("gear.tvp"));
  const std::string project = Read("gear.tvp");
  fs::create_symlink("gear.tvp", Path("link.pdf"));
  Write("home/diruvavida_roduzaz.ini", "[common configuration]\r\nlanguage=deutsch\r\n");
  const Outcome run = Silvarone(c.arguments);
  EXPECT_EQ(run.status, 2) << c.name << ": " << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_EQ(Read("gear.tvp"), project) << c.name;
  EXPECT_EQ(Read("home/diruvavida_roduzaz.ini"), "[common configuration]\r\nlanguage=deutsch\r\n")
      << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, OutputOverInput,
    ::testing::Values(OverInputCase{"TheProject", "report gear.tvp --pdf gear.tvp"},
                      OverInputCase{"ALinkToTheProject", "report gear.tvp --pdf link.pdf"},
                      OverInputCase{"TheSettings",
                                    "report --save --pdf home/diruvavida_roduzaz.ini"}),
    testing::RowName);

TEST_F(Outputs, ARefusedPdfWritesNothingElseEither) {
  // A device in the PDF's place: refused before the settings are saved.
  ASSERT_EQ(::mkfifo(Path("report.pdf").c_str(), 0600), 0);
  const Outcome run = Silvarone("report '" + kExample + "' --save --pdf report.pdf");
  EXPECT_EQ(run.status, 5);
  EXPECT_EQ(run.err, "silvarone: cannot write the PDF file 'report.pdf': not a regular file\n");
  EXPECT_FALSE(fs::exists(Path("home")));
}

TEST_F(Outputs, FileNamesUpToTheLimitOfTheFileSystemAreWritten) {
  // 255 bytes, the longest name most file systems take.
  const std::string name = std::string(251, 'r') + ".pdf";
  const Outcome run = Silvarone("report '" + kExample + "' --pdf " + name);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Read(name).starts_with("%PDF-"));
  EXPECT_EQ(Hidden(""), std::vector<std::string>{});
}

TEST_F(Outputs, StandardErrorCarriesNoNoticesOfQt) {
  // Without a runtime folder and on the offscreen platform Qt has notes to
  // make; a successful run prints nothing.
  Outcome run = Silvarone("report '" + kExample + "' --pdf report.pdf");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  run = Silvarone("screenshots pictures");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
}

TEST_F(Outputs, ASettingsFolderThatCannotBeMadeFailsTheSaveAndNothingGoesBesideTheProgram) {
  const fs::path program = fs::path(SILVARONE_EXECUTABLE).parent_path();
  ASSERT_FALSE(fs::exists(program / "diruvavida_roduzaz.ini"));
  Write("file", "x");
  const Outcome run = Silvarone("report --save", "", "", Path("file"));
  EXPECT_EQ(run.status, 4) << run.err;
  EXPECT_EQ(run.err, "Verzeichnis " + Path("file") + "/ kann nicht erstellt werden\nIn " +
                         Path("file") + "/diruvavida_roduzaz.ini kann nicht geschrieben werden\n");
  EXPECT_FALSE(fs::exists(program / "diruvavida_roduzaz.ini"));
  EXPECT_EQ(Read("file"), "x");
}

TEST_F(Outputs, ASaveNeverWritesASettingsFileLargerThanTheReaderTakes) {
  // 4 MB is the most the program reads; a file 100 bytes short of it grows
  // past the limit by the keys a save appends.
  fs::create_directories(Path("home"));
  const std::string header = "[common configuration]\r\nlanguage=deutsch\r\n;";
  const std::string big = header + std::string((4 << 20) - 100 - header.size() - 2, 'x') + "\r\n";
  ASSERT_EQ(big.size(), (4u << 20) - 100);
  Write("home/diruvavida_roduzaz.ini", big);
  const Outcome save = Silvarone("report --save");
  EXPECT_EQ(save.status, 4) << save.err;
  EXPECT_EQ(Read("home/diruvavida_roduzaz.ini"), big);
  // The file still opens.
  const Outcome read = Silvarone("report");
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(read.err, "");
}

TEST_F(Outputs, TwoSavesAtTheSameTimeBothSucceed) {
  fs::create_directories(Path("home"));
  for (int pair = 0; pair < 10; ++pair) {
    // Two programs on one settings folder, started together.
    const std::string both =
        "cd '" + folder_.string() + "' && export SILVARONE_HOME='" + Path("home") +
        "'; '" SILVARONE_EXECUTABLE
        "' report --save >/dev/null 2>err1 & a=$!; '" SILVARONE_EXECUTABLE
        "' report --save --lang en >/dev/null 2>err2 & b=$!; wait $a; x=$?; wait $b; echo $x $?";
    EXPECT_EQ(testing::Shell(both), "0 0\n") << Read("err1") << Read("err2");
    EXPECT_EQ(Read("err1") + Read("err2"), "");
    const std::string settings = Read("home/diruvavida_roduzaz.ini");
    EXPECT_NE(settings.find("Project File Directory="), std::string::npos);
  }
  EXPECT_EQ(Hidden("home"), std::vector<std::string>{});
}

}  // namespace
}  // namespace silvarone
