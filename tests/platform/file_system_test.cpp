// The one writer of every file: what it does to the old file when anything
// goes wrong, and in which order it makes a save durable.
#include "platform/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <random>

#include "fault_injection.h"
#include "file_fixture.h"
#include "row_name.h"

namespace silvarone::platform {
namespace {

namespace fs = std::filesystem;
using silvarone::testing::FolderNames;

class Writer : public silvarone::testing::TempFolder {
 protected:
  WriteFailure Save(const std::string& name, std::string_view bytes,
                    const WriteOptions& options = {}) {
    return ReplaceFileAtomically(Path(name), bytes, options);
  }
};

// The real calls, each one noted; one of them can be made to fail.
class RecordingCalls : public WriterCalls {
 public:
  std::vector<std::string> calls;
  std::string failing;  // the call that fails, with errno `error`
  int error = EIO;

  int CreateUnique(std::string& name) override {
    return Note("create") ? WriterCalls::CreateUnique(name) : -1;
  }
  long Write(int fd, const char* data, std::size_t size) override {
    return Note("write") ? WriterCalls::Write(fd, data, size) : -1;
  }
  int FlushFile(int fd) override { return Note("flush file") ? WriterCalls::FlushFile(fd) : -1; }
  int Close(int fd) override {
    // The descriptor is closed even when the close reports a failure.
    const int result = WriterCalls::Close(fd);
    return Note("close") ? result : -1;
  }
  int Rename(const std::string& from, const std::string& to) override {
    return Note("rename") ? WriterCalls::Rename(from, to) : -1;
  }
  int FlushFolder(const std::string& folder) override {
    return Note("flush folder") ? WriterCalls::FlushFolder(folder) : -1;
  }
  int Remove(const std::string& path) override {
    calls.push_back("remove");
    return WriterCalls::Remove(path);
  }

 private:
  bool Note(const std::string& call) {
    calls.push_back(call);
    if (call != failing) return true;
    errno = error;
    return false;
  }
};

TEST_F(Writer, WritesFlushesClosesRenamesAndFlushesTheFolderInThisOrder) {
  // Without the flush before the rename a power cut can leave the new name
  // on an empty file; without the folder's flush, the old file.
  Write("settings.ini", "old");
  RecordingCalls calls;
  ASSERT_EQ(Save("settings.ini", "new contents", {.calls = &calls}), WriteFailure::kNone);
  EXPECT_EQ(calls.calls, (std::vector<std::string>{"create", "write", "flush file", "close",
                                                   "rename", "flush folder"}));
  EXPECT_EQ(Read("settings.ini"), "new contents");
  EXPECT_EQ(FolderNames(folder_), std::vector<std::string>{"settings.ini"});
}

struct FailingCall {
  const char* name;  // of the row
  const char* call;
  int error;
  WriteFailure failure;
  std::vector<std::string> calls;  // made, in order
};

SILVARONE_PRINT_ROW_NAME(FailingCall)

class WriterCallFails : public Writer, public ::testing::WithParamInterface<FailingCall> {};

TEST_P(WriterCallFails, TheSaveFailsAndTheOldFileStaysWhole) {
  const FailingCall& row = GetParam();
  Write("project.tvp", "old contents");
  RecordingCalls calls;
  calls.failing = row.call;
  calls.error = row.error;
  EXPECT_EQ(Save("project.tvp", "new contents", {.calls = &calls}), row.failure);
  EXPECT_EQ(calls.calls, row.calls);
  EXPECT_EQ(Read("project.tvp"), "old contents");
  EXPECT_EQ(FolderNames(folder_), std::vector<std::string>{"project.tvp"});
}

INSTANTIATE_TEST_SUITE_P(
    EachCall, WriterCallFails,
    ::testing::Values(FailingCall{"create", "create", ENOSPC, WriteFailure::kNoSpace, {"create"}},
                      FailingCall{"write_disk_full",
                                  "write",
                                  ENOSPC,
                                  WriteFailure::kNoSpace,
                                  {"create", "write", "close", "remove"}},
                      FailingCall{"write_file_size_limit",
                                  "write",
                                  EFBIG,
                                  WriteFailure::kNoSpace,
                                  {"create", "write", "close", "remove"}},
                      FailingCall{"flush_file",
                                  "flush file",
                                  EIO,
                                  WriteFailure::kError,
                                  {"create", "write", "flush file", "close", "remove"}},
                      FailingCall{"close_network_file_system",
                                  "close",
                                  EIO,
                                  WriteFailure::kError,
                                  {"create", "write", "flush file", "close", "remove"}},
                      FailingCall{"rename",
                                  "rename",
                                  EACCES,
                                  WriteFailure::kNotPermitted,
                                  {"create", "write", "flush file", "close", "rename", "remove"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Writer, AFolderFlushThatFailsLeavesTheNewContentsInPlaceAndCountsAsDone) {
  Write("a.ini", "old");
  RecordingCalls calls;
  calls.failing = "flush folder";
  EXPECT_EQ(Save("a.ini", "new", {.calls = &calls}), WriteFailure::kNone);
  EXPECT_EQ(Read("a.ini"), "new");
}

TEST_F(Writer, ContentsLargerThanTheReaderTakesAreRefused) {
  Write("a.ini", "old");
  EXPECT_EQ(Save("a.ini", std::string(101, 'x'), {.limit = 100}), WriteFailure::kTooLarge);
  EXPECT_EQ(Read("a.ini"), "old");
  EXPECT_EQ(Save("a.ini", std::string(100, 'x'), {.limit = 100}), WriteFailure::kNone);
}

// A file made piece by piece replaces the old one only when committed: an
// abandoned or failed one leaves the old contents and no temporary file.
TEST_F(Writer, AFileMadePieceByPieceReplacesTheOldOneOnlyWhenCommitted) {
  Write("table.csv", "old");
  {
    FileReplacement abandoned(Path("table.csv"));
    EXPECT_EQ(abandoned.Append("m_n,z\n"), WriteFailure::kNone);
    EXPECT_EQ(Read("table.csv"), "old");
  }
  EXPECT_EQ(FolderNames(folder_), std::vector<std::string>{"table.csv"});
  {
    FileReplacement tooLarge(Path("table.csv"), {.limit = 8});
    EXPECT_EQ(tooLarge.Append("m_n,z\n"), WriteFailure::kNone);
    EXPECT_EQ(tooLarge.Append("2,20\n"), WriteFailure::kTooLarge);  // 6 + 5 bytes > 8
    EXPECT_EQ(tooLarge.Append("x"), WriteFailure::kTooLarge);       // the failure sticks
    EXPECT_EQ(tooLarge.Commit(), WriteFailure::kTooLarge);
  }
  EXPECT_EQ(Read("table.csv"), "old");
  EXPECT_EQ(FolderNames(folder_), std::vector<std::string>{"table.csv"});
  FileReplacement committed(Path("table.csv"));
  for (const char* piece : {"m_n,z\n", "2,20\n", "3,31\n"})
    EXPECT_EQ(committed.Append(piece), WriteFailure::kNone);
  EXPECT_EQ(committed.Commit(), WriteFailure::kNone);
  EXPECT_EQ(Read("table.csv"), "m_n,z\n2,20\n3,31\n");
  EXPECT_EQ(FolderNames(folder_), std::vector<std::string>{"table.csv"});
}

// A target that is no regular file is left as it is: a pipe would block the
// program (or take the contents away), a device would be replaced by a file.
struct Node {
  const char* name;
  std::function<bool(const std::string& path)> make;  // false: cannot be made here
};

SILVARONE_PRINT_ROW_NAME(Node)

class WriterNode : public Writer, public ::testing::WithParamInterface<Node> {};

TEST_P(WriterNode, IsRefusedAndStaysWhatItWas) {
  const std::string path = Path("target");
  if (!GetParam().make(path)) GTEST_SKIP() << "needs privileges";
  struct stat before {};
  ASSERT_EQ(::lstat(path.c_str(), &before), 0);
  EXPECT_EQ(Save("target", "new"), WriteFailure::kNotRegular);
  struct stat after {};
  ASSERT_EQ(::lstat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mode, before.st_mode);
  // Only the node (and what a link names) is in the folder.
  for (const std::string& name : FolderNames(folder_))
    EXPECT_NE(name.front(), '.') << name;
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, WriterNode,
    ::testing::Values(Node{"pipe",
                           [](const std::string& p) { return ::mkfifo(p.c_str(), 0600) == 0; }},
                      Node{"folder", [](const std::string& p) { return fs::create_directory(p); }},
                      Node{"device",
                           [](const std::string& p) {
                             // A node like /dev/null (character device 1, 3); root only.
                             return ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
                           }},
                      Node{"link_to_pipe",
                           [](const std::string& p) {
                             return ::mkfifo((p + "-pipe").c_str(), 0600) == 0 &&
                                    ::symlink((p + "-pipe").c_str(), p.c_str()) == 0;
                           }},
                      Node{"link_loop",
                           [](const std::string& p) {
                             return ::symlink((p + "-b").c_str(), p.c_str()) == 0 &&
                                    ::symlink(p.c_str(), (p + "-b").c_str()) == 0;
                           }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Writer, KeepsModeLinkAndOwner) {
  Write("private.ini", "old");
  ASSERT_EQ(::chmod(Path("private.ini").c_str(), 0600), 0);
  fs::create_directory(Path("real"));
  Write("real/target.pdf", "old");
  fs::create_symlink("real/target.pdf", Path("link.pdf"));
  ASSERT_EQ(Save("private.ini", "new"), WriteFailure::kNone);
  ASSERT_EQ(Save("link.pdf", "new"), WriteFailure::kNone);
  struct stat info {};
  ASSERT_EQ(::stat(Path("private.ini").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_TRUE(fs::is_symlink(Path("link.pdf")));
  EXPECT_EQ(Read("real/target.pdf"), "new");
  // Another user's file saved by the administrator stays that user's.
  if (::geteuid() == 0) {
    Write("theirs.ini", "old");
    ASSERT_EQ(::chown(Path("theirs.ini").c_str(), 4321, 4321), 0);
    ASSERT_EQ(Save("theirs.ini", "new"), WriteFailure::kNone);
    ASSERT_EQ(::stat(Path("theirs.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4321u);
  }
}

TEST_F(Writer, EveryNameTheFileSystemTakesCanBeSaved) {
  // The temporary name adds 18 bytes (".", ".silvarone-" and six); names of
  // 238 bytes and more need the short temporary name.
  const long nameMax = ::pathconf(folder_.c_str(), _PC_NAME_MAX);
  ASSERT_GE(nameMax, 255);
  for (const std::size_t length : {5, 237, 238, 250, 255}) {
    const std::string name = std::string(length - 4, 'n') + ".tvp";
    Write(name, "old");
    EXPECT_EQ(Save(name, "new"), WriteFailure::kNone) << length;
    EXPECT_EQ(Read(name), "new") << length;
    fs::remove(Path(name));
  }
  EXPECT_EQ(Save(std::string(static_cast<std::size_t>(nameMax) + 1, 'n'), "new"),
            WriteFailure::kNameTooLong);
  EXPECT_TRUE(FolderNames(folder_).empty());
}

TEST_F(Writer, TemporaryNamesStayWithinTheLimitOfANameAndAreOurs) {
  EXPECT_EQ(TemporaryName("a.ini", 255), ".a.ini.silvarone-XXXXXX");
  EXPECT_EQ(TemporaryName(std::string(237, 'n'), 255).size(), 255u);
  EXPECT_EQ(TemporaryName(std::string(238, 'n'), 255), ".silvarone-XXXXXX");
}

TEST_F(Writer, MissingFolderFileInPlaceOfAFolder) {
  EXPECT_EQ(Save("missing/a.ini", "x"), WriteFailure::kNoFolder);
  Write("file", "x");
  EXPECT_EQ(Save("file/a.ini", "x"), WriteFailure::kNoFolder);
}

TEST_F(Writer, AFileSizeLimitFailsTheSaveAndKeepsTheOldFile) {
  // 1000 bytes allowed: the old file (3 bytes) fits, the new one (5000) not.
  Write("report.pdf", "old");
  const std::string path = Path("report.pdf");
  const int status = silvarone::testing::WithFileSizeLimit(
      1000, [&] { return static_cast<int>(ReplaceFileAtomically(path, std::string(5000, 'n'))); });
  EXPECT_EQ(status, static_cast<int>(WriteFailure::kNoSpace));
  EXPECT_EQ(Read("report.pdf"), "old");
  EXPECT_EQ(FolderNames(folder_), std::vector<std::string>{"report.pdf"});
}

TEST_F(Writer, TemporariesOfKilledSavesGoTemporariesOfLiveSavesStay) {
  Write("a.ini", "old");
  // Left by a save that was killed: nobody holds its lock.
  Write(".a.ini.silvarone-Ab12Cd", "half");
  Write(".silvarone-Zz99Yy", "half of a long name");
  // A save running in another process holds the lock on its temporary.
  const std::string live = Write(".a.ini.silvarone-Live01", "being written");
  const int held = ::open(live.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  // Not ours: other programs' names, or another file's temporary.
  Write(".a.ini.other", "x");
  Write(".b.ini.silvarone-Ab12Cd", "x");

  ASSERT_EQ(Save("a.ini", "new"), WriteFailure::kNone);
  EXPECT_EQ(FolderNames(folder_),
            (std::vector<std::string>{".a.ini.other", ".a.ini.silvarone-Live01",
                                      ".b.ini.silvarone-Ab12Cd", "a.ini"}));
  // Once its save is gone, the next save removes it.
  ::close(held);
  ASSERT_EQ(Save("a.ini", "newer"), WriteFailure::kNone);
  EXPECT_FALSE(fs::exists(live));
}

TEST_F(Writer, TwoProcessesSavingOneFileAtTheSameTimeBothSucceed) {
  // Each process writes its own complete contents 150 times; every save
  // succeeds and the file is always one of the two complete versions.
  const std::string path = Path("project.tvp");
  const std::string first(20000, 'a');
  const std::string second(30000, 'b');
  Write("project.tvp", first);
  const auto saver = [&](const std::string& contents) {
    const pid_t child = ::fork();
    if (child == 0) {
      int failures = 0;
      for (int i = 0; i < 150; ++i) {
        if (ReplaceFileAtomically(path, contents) != WriteFailure::kNone) ++failures;
        std::string bytes;
        if (ReadRegularFile(path, 1 << 20, bytes) != ReadFailure::kNone ||
            (bytes != first && bytes != second)) {
          ++failures;
        }
      }
      ::_exit(std::min(failures, 100));
    }
    return child;
  };
  const pid_t a = saver(first);
  const pid_t b = saver(second);
  for (const pid_t child : {a, b}) {
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "failed saves or torn reads";
  }
  const std::string last = Read("project.tvp");
  EXPECT_TRUE(last == first || last == second);
  EXPECT_EQ(FolderNames(folder_), std::vector<std::string>{"project.tvp"});
}

TEST_F(Writer, AKillAtAnyMomentLeavesTheOldOrTheNewFileAndTheNextSaveCleansUp) {
  const std::string path = Path("settings.ini");
  // Large enough that many kills land in the middle of a write.
  const std::string first(400000, '1');
  const std::string second(600000, '2');
  Write("settings.ini", first);
  std::mt19937 random(18);
  int hits = 0;
  for (int run = 0; run < 40; ++run) {
    bool flip = false;
    hits += silvarone::testing::KillWhileSaving(
        [&] {
          flip = !flip;
          ReplaceFileAtomically(path, flip ? second : first);
        },
        std::chrono::milliseconds(30), random);
    const std::string now = Read("settings.ini");
    ASSERT_TRUE(now == first || now == second) << "torn after run " << run << ": " << now.size();
  }
  EXPECT_GT(hits, 30);
  ASSERT_EQ(Save("settings.ini", "last"), WriteFailure::kNone);
  EXPECT_EQ(FolderNames(folder_), std::vector<std::string>{"settings.ini"});
}

}  // namespace
}  // namespace silvarone::platform
