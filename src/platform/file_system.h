// Operating-system services for files that the C++ library does not cover.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace silvarone::platform {

// A number that tells this process from others running at the same time.
long ProcessId();

// Why a file could not be read.
enum class ReadFailure { kNone, kMissing, kNotRegular, kTooLarge, kError };

// Reads a regular file of at most `limit` bytes whole. Folders, devices and
// pipes are refused without being waited on, so a hostile name can neither
// block nor feed the program forever. Never throws.
ReadFailure ReadRegularFile(const std::filesystem::path& path, std::size_t limit,
                            std::string& bytes);

// Why a file could not be written.
enum class WriteFailure {
  kNone,
  kNotRegular,    // the target (or the file its link names) is a folder, device, pipe or socket
  kTooLarge,      // more bytes than the file's reader accepts
  kNoFolder,      // the folder is missing or is no folder
  kNoSpace,       // the disk or the quota is full, or a file-size limit was reached
  kNameTooLong,   // the file system does not take a name that long
  kNotPermitted,  // no permission, or a read-only file system
  kError,         // any other failure of the system
};

// The failure in a few English words ("not a regular file"), for the one-line
// messages of the command line.
const char* WriteFailureText(WriteFailure failure);

// The system calls through which ReplaceFileAtomically creates, fills, flushes
// and renames its temporary file; a test replaces them to see their order or
// to make one of them fail. Each returns what the system call returns.
class WriterCalls {
 public:
  virtual ~WriterCalls() = default;
  // mkostemp: the last six characters of `name`, "XXXXXX", become the
  // unique part of a file created exclusively; the open descriptor, or -1.
  virtual int CreateUnique(std::string& name);
  virtual long Write(int fd, const char* data, std::size_t size);
  virtual int FlushFile(int fd);
  virtual int Close(int fd);
  virtual int Rename(const std::string& from, const std::string& to);
  virtual int FlushFolder(const std::string& folder);
  virtual int Remove(const std::string& path);
};

struct WriteOptions {
  // Larger contents are refused: the file's reader would refuse them.
  std::size_t limit = static_cast<std::size_t>(-1);
  // The system calls; the real ones when null.
  WriterCalls* calls = nullptr;
};

// The one writer of every file the program writes. Replaces the file with
// `bytes` so that a crash, a full disk or a power cut leaves the old or the
// new contents whole: a uniquely named temporary file of ours in the same
// folder (created exclusively, so no planted link is followed), every write
// checked, flushed, closed, given the old file's permissions and owner and
// renamed over it, then the folder flushed. A symbolic link stays a link and
// its target gets the new contents. A target that is no regular file is
// refused without being opened. Temporary files of earlier saves that were
// killed half-way are removed; those of a save running at the same time are
// not (it holds a lock on its temporary until its rename). kNone when the new
// contents are in place; otherwise the old file is unchanged.
WriteFailure ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                   const WriteOptions& options = {});

// The same writer for contents made piece by piece, too large to be held in
// memory (the batch's table): the temporary file is made at once, each
// Append writes through to it, Commit puts it in place of the file. Without
// a Commit (or after a failure) the temporary is removed and the old file
// stays. The first failure sticks: later calls return it and write nothing.
class FileReplacement {
 public:
  explicit FileReplacement(const std::filesystem::path& path, const WriteOptions& options = {});
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  WriteFailure failure() const { return failure_; }
  WriteFailure Append(std::string_view bytes);
  WriteFailure Commit();

 private:
  void Abandon();

  WriterCalls realCalls_;
  WriterCalls& calls_;
  std::size_t limit_;
  std::size_t written_ = 0;
  std::filesystem::path target_;
  std::string temporary_;
  int fd_ = -1;
  int lock_ = -1;
  bool existed_ = false;
  unsigned oldMode_ = 0;
  long oldOwner_ = -1;
  long oldGroup_ = -1;
  WriteFailure failure_ = WriteFailure::kNone;
};

// kNotRegular when the file at `path`, after its symbolic links, exists and
// is no regular file, so that ReplaceFileAtomically would refuse it; else
// kNone. Lets a caller refuse an output before it writes anything.
WriteFailure RefusedTarget(const std::filesystem::path& path);

// The name of the temporary file of a save of `fileName` in a folder that
// takes names of at most `nameMax` bytes, with "XXXXXX" for the unique part:
// ".<fileName>.silvarone-XXXXXX", or ".silvarone-XXXXXX" when that would be
// too long.
std::string TemporaryName(const std::string& fileName, std::size_t nameMax);

// True when this process may create files in `folder` and rename them there,
// as ReplaceFileAtomically does; false for a missing folder. An installed
// program's folder is not writable for its users.
bool FolderWritable(const std::filesystem::path& folder);

// Writes that exceed a file-size limit fail with an error instead of ending
// the process, so that the program can report them.
void ReportFileSizeLimitAsError();

}  // namespace silvarone::platform

namespace silvarone::platform {

// Today's date on the local clock.
std::chrono::year_month_day LocalToday();

// A date as the program writes dates: dd.MM.yyyy.
std::string DateText(const std::chrono::year_month_day& date);

// DateText(LocalToday()).
std::string TodayText();

}  // namespace silvarone::platform
