// The files of the storage layer (settings, projects, the instrument's ball
// file) saved under faults: a file-size limit, a pipe or a link in the
// file's place, a private file, a kill at any moment, two processes saving
// at once. Afterwards the file is the old one or a complete new one, the
// save says whether it succeeded, and no temporary file stays behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "core/text_file.h"
#include "device/series.h"
#include "fault_injection.h"
#include "file_fixture.h"
#include "row_name.h"
#include "scripted_dialogs.h"
#include "storage/project.h"
#include "storage/settings.h"

namespace silvarone {
namespace {

namespace fs = std::filesystem;
using testing::FolderNames;

bool EndsWith(const std::string& bytes, const std::string& end) {
  return bytes.size() >= end.size() &&
         bytes.compare(bytes.size() - end.size(), end.size(), end) == 0;
}

// One writer: a save of version `n` of its file, and how a complete file of
// any version ends.
struct StorageWriter {
  const char* name;
  std::function<bool(const std::string& path, int n)> save;
  bool (*complete)(const std::string& bytes);
};

bool SaveSettings(const std::string& path, int n) {
  Workspace workspace;
  ProjectState project;
  testing::ScriptedDialogs dialogs;
  workspace.gear.rec.z.text = std::to_string(n);
  return SettingsFile(path).Write(workspace, project, &dialogs);
}

bool SaveProject(const std::string& path, int n) {
  Workspace workspace;
  ProjectState project;
  ProjectData data;
  testing::ScriptedDialogs dialogs;
  workspace.gear.rec.z.text = std::to_string(n);
  data.name = "Ritzel " + std::to_string(n);
  project.noProjectOpen = false;
  project.writeArmed = true;
  ProjectController controller(workspace, project, data, "", dialogs);
  return controller.WriteProjectFile(path);
}

bool SaveBalls(const std::string& path, int n) {
  return WriteBallFile({"1.000", std::to_string(2 + n % 7) + ".000"}, path, "24.12.2025") == 0;
}

const std::vector<StorageWriter>& Writers() {
  static const std::vector<StorageWriter> writers = {
      // Every save writes the same keys; the last section's last key ends it.
      {"settings", SaveSettings,
       [](const std::string& b) { return EndsWith(b, "\r\nProject File Directory=\r\n"); }},
      {"project", SaveProject,
       [](const std::string& b) { return EndsWith(b, "\r\ncomment lines=0\r\n"); }},
      {"device_ball_file", SaveBalls,
       [](const std::string& b) {
         return b.find("Kugelanzahl: 2") != std::string::npos && EndsWith(b, ".000 mm\r\n") &&
                b.find("\r\n02  ") != std::string::npos;
       }},
  };
  return writers;
}

SILVARONE_PRINT_ROW_NAME(StorageWriter)

class EachWriter : public testing::TempFolder, public ::testing::WithParamInterface<StorageWriter> {
 protected:
  std::string Target() const { return Path("file"); }
  bool Save(int n) const { return GetParam().save(Target(), n); }
  bool Complete(const std::string& bytes) const { return GetParam().complete(bytes); }
};

TEST_P(EachWriter, AFileSizeLimitFailsTheSaveAndKeepsTheOldFile) {
  ASSERT_TRUE(Save(1));
  const std::string old = Read("file");
  ASSERT_TRUE(Complete(old));
  // 100 bytes: less than any of the three files.
  const std::string target = Target();
  const int saved = testing::WithFileSizeLimit(100, [&] { return Save(2) ? 1 : 0; });
  EXPECT_EQ(saved, 0);
  EXPECT_EQ(Read("file"), old);
  EXPECT_EQ(FolderNames(folder_), std::vector<std::string>{"file"});
}

TEST_P(EachWriter, APipeInTheFilesPlaceIsRefusedAndStays) {
  ASSERT_EQ(::mkfifo(Target().c_str(), 0600), 0);
  EXPECT_FALSE(Save(1));
  struct stat info {};
  ASSERT_EQ(::lstat(Target().c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(FolderNames(folder_), std::vector<std::string>{"file"});
}

TEST_P(EachWriter, ALinkStaysALinkAndAPrivateFilePrivate) {
  fs::create_directory(Path("real"));
  ASSERT_TRUE(GetParam().save(Path("real/file"), 1));
  ASSERT_EQ(::chmod(Path("real/file").c_str(), 0600), 0);
  fs::create_symlink("real/file", Target());
  ASSERT_TRUE(Save(2));
  EXPECT_TRUE(fs::is_symlink(Target()));
  EXPECT_TRUE(Complete(Read("real/file")));
  EXPECT_NE(Read("real/file").find('2'), std::string::npos);
  struct stat info {};
  ASSERT_EQ(::stat(Path("real/file").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(FolderNames(folder_ / "real"), std::vector<std::string>{"file"});
}

TEST_P(EachWriter, AKillAtAnyMomentLeavesACompleteFileAndTheNextSaveCleansUp) {
  ASSERT_TRUE(Save(0));
  std::mt19937 random(18);
  for (int run = 0; run < 25; ++run) {
    int n = 0;
    testing::KillWhileSaving([&] { Save(++n); }, std::chrono::milliseconds(20), random);
    ASSERT_TRUE(Complete(Read("file"))) << "run " << run << ":\n" << Read("file");
  }
  ASSERT_TRUE(Save(100));
  EXPECT_EQ(FolderNames(folder_), std::vector<std::string>{"file"});
}

TEST_P(EachWriter, TwoProcessesSavingAtOnceBothSucceed) {
  ASSERT_TRUE(Save(0));
  std::vector<pid_t> children;
  for (int process = 0; process < 2; ++process) {
    const pid_t child = ::fork();
    if (child == 0) {
      int failures = 0;
      for (int i = 0; i < 40; ++i)
        failures += Save(process * 100 + i) ? 0 : 1;
      ::_exit(failures);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) {
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "failed saves: " << status;
  }
  EXPECT_TRUE(Complete(Read("file")));
  EXPECT_EQ(FolderNames(folder_), std::vector<std::string>{"file"});
}

INSTANTIATE_TEST_SUITE_P(Storage, EachWriter, ::testing::ValuesIn(Writers()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace silvarone

namespace silvarone {
namespace {

using SettingsSize = testing::TempFolder;

TEST_F(SettingsSize, ASaveNeverWritesAFileTheReaderWouldRefuse) {
  // The readers take at most 4 MB (4194304 bytes). A file 10 bytes short of
  // that, given one more key of 20 bytes, would no longer open.
  const std::string header = "[data]\r\n;";
  const std::string bytes =
      header + std::string(kMaxFileBytes - 10 - header.size() - 2, 'x') + "\r\n";
  ASSERT_EQ(bytes.size(), kMaxFileBytes - 10);
  const std::string path = Write("settings.ini", bytes);
  IniDocument document(path);
  ASSERT_FALSE(document.ReadProblem().has_value());
  document.WriteString("data", "Zaehnezahl z", "1234567");  // "Zaehnezahl z=1234567\r\n": 22 bytes
  EXPECT_FALSE(document.Save());
  EXPECT_EQ(Read("settings.ini"), bytes);
  // What still fits is written.
  IniDocument fits(path);
  fits.WriteString("data", "z", "1234");  // "z=1234\r\n": 8 bytes, 4194302 in all
  EXPECT_TRUE(fits.Save());
  EXPECT_EQ(Read("settings.ini").size(), kMaxFileBytes - 2);
}

}  // namespace
}  // namespace silvarone
