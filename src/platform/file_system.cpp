#include "platform/file_system.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace silvarone::platform {
namespace fs = std::filesystem;

long ProcessId() {
#ifdef _WIN32
  return static_cast<long>(_getpid());
#else
  return static_cast<long>(::getpid());
#endif
}

namespace {

// Temporary files are ours by their name: the mark, then six characters of
// mkstemp's choice.
constexpr std::string_view kTemporaryMark = ".silvarone-";
constexpr std::size_t kUniqueLength = 6;

// Whether `name` is a temporary file of a save of `fileName` (or of any file,
// in the short form).
bool IsOurTemporary(const std::string& name, const std::string& fileName) {
  for (const std::string& prefix :
       {"." + fileName + std::string(kTemporaryMark), std::string(kTemporaryMark)}) {
    if (name.size() == prefix.size() + kUniqueLength && name.compare(0, prefix.size(), prefix) == 0)
      return true;
  }
  return false;
}

// The file a chain of symbolic links ends in (the path itself when it is no
// link); a dangling link gives the file it names, so that a save creates it.
fs::path FollowLinks(fs::path path) {
  std::error_code error;
  for (int hop = 0; hop < 40 && fs::is_symlink(path, error); ++hop) {
    const fs::path next = fs::read_symlink(path, error);
    if (error) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

}  // namespace

std::string TemporaryName(const std::string& fileName, std::size_t nameMax) {
  std::string name = "." + fileName + std::string(kTemporaryMark) + "XXXXXX";
  // A name near the limit of the file system still gets a temporary file.
  if (name.size() > nameMax) name = std::string(kTemporaryMark) + "XXXXXX";
  return name;
}

const char* WriteFailureText(WriteFailure failure) {
  switch (failure) {
    case WriteFailure::kNone:
      return "written";
    case WriteFailure::kNotRegular:
      return "not a regular file";
    case WriteFailure::kTooLarge:
      return "larger than the program reads back";
    case WriteFailure::kNoFolder:
      return "no such folder";
    case WriteFailure::kNoSpace:
      return "no space left (disk, quota or file-size limit)";
    case WriteFailure::kNameTooLong:
      return "file name too long";
    case WriteFailure::kNotPermitted:
      return "permission denied";
    case WriteFailure::kError:
      break;
  }
  return "write error";
}

WriteFailure RefusedTarget(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(FollowLinks(path), error);
  if (error || !fs::exists(status) || fs::is_regular_file(status)) return WriteFailure::kNone;
  return WriteFailure::kNotRegular;
}

#ifndef _WIN32

ReadFailure ReadRegularFile(const fs::path& path, std::size_t limit, std::string& bytes) {
  bytes.clear();
  // Non-blocking, so that opening a named pipe does not wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0)
    return errno == ENOENT || errno == ENOTDIR ? ReadFailure::kMissing : ReadFailure::kError;
  struct stat info {};
  ReadFailure result = ReadFailure::kNone;
  if (::fstat(fd, &info) != 0) {
    result = ReadFailure::kError;
  } else if (!S_ISREG(info.st_mode)) {
    result = ReadFailure::kNotRegular;
  } else if (static_cast<unsigned long long>(info.st_size) > limit) {
    result = ReadFailure::kTooLarge;
  } else {
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    // One byte past the limit tells a file that grew while it was read.
    char probe = 0;
    while (result == ReadFailure::kNone) {
      const bool full = done == bytes.size();
      const ssize_t n =
          full ? ::read(fd, &probe, 1) : ::read(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result = ReadFailure::kError;
      } else if (n == 0) {
        break;
      } else if (full) {
        // The file grew: take what is there, up to the limit.
        if (bytes.size() >= limit) {
          result = ReadFailure::kTooLarge;
        } else {
          bytes += probe;
          done = bytes.size();
        }
      } else {
        done += static_cast<std::size_t>(n);
      }
    }
    bytes.resize(done);
  }
  ::close(fd);
  if (result != ReadFailure::kNone) bytes.clear();
  return result;
}

int WriterCalls::CreateUnique(std::string& name) {
  // Exclusive: a link planted under the name is never followed.
  return ::mkostemp(name.data(), O_CLOEXEC);
}

long WriterCalls::Write(int fd, const char* data, std::size_t size) {
  return static_cast<long>(::write(fd, data, size));
}

int WriterCalls::FlushFile(int fd) {
  return ::fsync(fd);
}

int WriterCalls::Close(int fd) {
  return ::close(fd);
}

int WriterCalls::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str());
}

int WriterCalls::FlushFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  const int result = ::fsync(fd);
  ::close(fd);
  return result;
}

int WriterCalls::Remove(const std::string& path) {
  return ::unlink(path.c_str());
}

namespace {

// A temporary file whose save cannot take its lock (a file system without
// locks) counts as left behind once it is this old; a save takes seconds.
constexpr auto kStaleAge = std::chrono::minutes(10);

WriteFailure FailureOf(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return WriteFailure::kNoSpace;
    case ENOENT:
    case ENOTDIR:
      return WriteFailure::kNoFolder;
    case ENAMETOOLONG:
      return WriteFailure::kNameTooLong;
    case EACCES:
    case EPERM:
    case EROFS:
      return WriteFailure::kNotPermitted;
    case EISDIR:
      return WriteFailure::kNotRegular;
    default:
      return WriteFailure::kError;
  }
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool OlderThanStaleAge(const struct stat& info) {
  return std::time(nullptr) - info.st_mtime >
         std::chrono::duration_cast<std::chrono::seconds>(kStaleAge).count();
}

// A save holds an exclusive lock on its temporary file from its creation to
// its rename, and the system drops the lock when the process dies, however
// it dies. So a temporary file of ours that can be locked belongs to no live
// save: it is removed, under the lock, if its name still names it.
void RemoveIfStale(const fs::path& path) {
  struct stat named {};
  if (::lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) return;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    // Unreadable for us (a mode without read permission): by its age only.
    if (errno == EACCES && OlderThanStaleAge(named)) ::unlink(path.c_str());
    return;
  }
  struct stat opened {};
  bool stale = false;
  if (::fstat(fd, &opened) == 0 && SameFile(named, opened)) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      stale = true;
    } else if (errno != EWOULDBLOCK) {
      stale = OlderThanStaleAge(opened);
    }
  }
  struct stat now {};
  if (stale && ::lstat(path.c_str(), &now) == 0 && SameFile(now, opened)) ::unlink(path.c_str());
  ::close(fd);
}

void RemoveStaleTemporaries(const fs::path& folder, const std::string& fileName) {
  std::error_code error;
  std::vector<fs::path> ours;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (IsOurTemporary(it->path().filename().string(), fileName)) ours.push_back(it->path());
  }
  for (const fs::path& path : ours)
    RemoveIfStale(path);
}

// The longest file name the folder takes.
std::size_t NameMax(const fs::path& folder) {
  const long max = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  return max > 0 ? static_cast<std::size_t>(max) : 255;
}

// Creates the temporary file and takes its lock. A cleaner of another save
// may have removed the name between the two (it found the file unlocked):
// then another name is tried. The lock lives on in `lock`, a second
// descriptor of the same open file, until after the rename.
int CreateLockedTemporary(WriterCalls& calls, const std::string& pattern, std::string& name,
                          int& lock) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    name = pattern;
    const int fd = calls.CreateUnique(name);
    if (fd < 0) return -1;
    lock = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (lock < 0) return fd;  // no descriptor left: the save goes on unlocked
    if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
      // A file system without locks: the age protects the file. Else a
      // cleaner holds the lock and is removing the file: another name.
      if (errno != EWOULDBLOCK) return fd;
    } else {
      struct stat created {};
      struct stat named {};
      if (::fstat(fd, &created) == 0 && ::lstat(name.c_str(), &named) == 0 &&
          SameFile(created, named)) {
        return fd;
      }
    }
    ::close(lock);
    lock = -1;
    calls.Close(fd);
  }
  errno = EEXIST;
  return -1;
}

WriteFailure WriteAll(WriterCalls& calls, int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const long n = calls.Write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return FailureOf(errno);
    if (n == 0) return WriteFailure::kNoSpace;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return WriteFailure::kNone;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

WriteFailure ReplaceFileAtomically(const fs::path& path, std::string_view bytes,
                                   const WriteOptions& options) {
  if (bytes.size() > options.limit) return WriteFailure::kTooLarge;
  FileReplacement file(path, options);
  file.Append(bytes);
  return file.Commit();
}

FileReplacement::FileReplacement(const fs::path& path, const WriteOptions& options)
    : calls_(options.calls != nullptr ? *options.calls : realCalls_), limit_(options.limit) {
  target_ = FollowLinks(path);
  const std::string fileName = target_.filename().string();
  const fs::path folder = target_.parent_path().empty() ? fs::path(".") : target_.parent_path();
  // A folder, device or pipe is refused without being opened: opening a pipe
  // would wait for a reader, and the rename would put a file in its place.
  struct stat old {};
  existed_ = ::lstat(target_.c_str(), &old) == 0;
  if (existed_ && !S_ISREG(old.st_mode)) {
    failure_ = WriteFailure::kNotRegular;
    return;
  }
  if (!existed_ && errno != ENOENT) {
    failure_ = FailureOf(errno);
    return;
  }
  if (fileName.empty()) {
    failure_ = WriteFailure::kNotRegular;
    return;
  }
  oldMode_ = old.st_mode & 07777;
  oldOwner_ = old.st_uid;
  oldGroup_ = old.st_gid;
  const std::size_t nameMax = NameMax(folder);
  if (fileName.size() > nameMax) {
    failure_ = WriteFailure::kNameTooLong;
    return;
  }
  RemoveStaleTemporaries(folder, fileName);
  fd_ = CreateLockedTemporary(calls_, (folder / TemporaryName(fileName, nameMax)).string(),
                              temporary_, lock_);
  if (fd_ < 0) {
    failure_ = FailureOf(errno);
    temporary_.clear();  // nothing of ours was left under that name
  }
}

FileReplacement::~FileReplacement() {
  if (fd_ >= 0 || lock_ >= 0) Abandon();
}

void FileReplacement::Abandon() {
  if (fd_ >= 0) calls_.Close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) calls_.Remove(temporary_);
  temporary_.clear();
  if (lock_ >= 0) ::close(lock_);
  lock_ = -1;
}

WriteFailure FileReplacement::Append(std::string_view bytes) {
  if (failure_ != WriteFailure::kNone) return failure_;
  if (bytes.size() > limit_ - written_) {
    failure_ = WriteFailure::kTooLarge;
  } else {
    failure_ = WriteAll(calls_, fd_, bytes);
    written_ += bytes.size();
  }
  if (failure_ != WriteFailure::kNone) Abandon();
  return failure_;
}

WriteFailure FileReplacement::Commit() {
  if (failure_ != WriteFailure::kNone) return failure_;
  const auto check = [&](bool ok) {
    if (!ok && failure_ == WriteFailure::kNone) failure_ = FailureOf(errno);
  };
  if (existed_) {
    check(::fchmod(fd_, static_cast<mode_t>(oldMode_)) == 0);
    // The owner stays when an administrator saves someone's file; a user
    // cannot give a file away, and that is no failure.
    if (static_cast<uid_t>(oldOwner_) != ::geteuid() ||
        static_cast<gid_t>(oldGroup_) != ::getegid()) {
      [[maybe_unused]] const int ignored =
          ::fchown(fd_, static_cast<uid_t>(oldOwner_), static_cast<gid_t>(oldGroup_));
    }
  } else {
    check(::fchmod(fd_, NewFileMode()) == 0);
  }
  // The new contents must be on the disk before they replace the old file,
  // or a power cut could leave an empty file under the old name.
  if (failure_ == WriteFailure::kNone) check(calls_.FlushFile(fd_) == 0);
  // Some file systems (NFS) report a failed write only when the file closes.
  check(calls_.Close(fd_) == 0);
  fd_ = -1;
  if (failure_ == WriteFailure::kNone) check(calls_.Rename(temporary_, target_.string()) == 0);
  if (failure_ != WriteFailure::kNone) {
    Abandon();
    return failure_;
  }
  temporary_.clear();
  if (lock_ >= 0) ::close(lock_);
  lock_ = -1;
  // The rename is only durable once the folder that holds the name is
  // flushed. The new contents are in place either way, so a failure here
  // does not make the save a failure.
  const fs::path folder = target_.parent_path().empty() ? fs::path(".") : target_.parent_path();
  calls_.FlushFolder(folder.string());
  return WriteFailure::kNone;
}

void ReportFileSizeLimitAsError() {
  std::signal(SIGXFSZ, SIG_IGN);
}

#else

ReadFailure ReadRegularFile(const fs::path& path, std::size_t limit, std::string& bytes) {
  bytes.clear();
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (!fs::exists(status)) return ReadFailure::kMissing;
  if (!fs::is_regular_file(status)) return ReadFailure::kNotRegular;
  const auto size = fs::file_size(path, error);
  if (error) return ReadFailure::kError;
  if (size > limit) return ReadFailure::kTooLarge;
  std::ifstream in(path, std::ios::binary);
  if (!in) return ReadFailure::kError;
  bytes.resize(static_cast<std::size_t>(size));
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return in.bad() ? ReadFailure::kError : ReadFailure::kNone;
}

int WriterCalls::CreateUnique(std::string& name) {
  if (_mktemp_s(name.data(), name.size() + 1) != 0) return -1;
  return _open(name.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
}

long WriterCalls::Write(int fd, const char* data, std::size_t size) {
  return _write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1 << 30)));
}

int WriterCalls::FlushFile(int fd) {
  return _commit(fd);
}

int WriterCalls::Close(int fd) {
  return _close(fd);
}

int WriterCalls::Rename(const std::string& from, const std::string& to) {
  std::error_code error;
  fs::rename(from, to, error);
  return error ? -1 : 0;
}

int WriterCalls::FlushFolder(const std::string&) {
  return 0;  // the rename is written through
}

int WriterCalls::Remove(const std::string& path) {
  return _unlink(path.c_str());
}

WriteFailure ReplaceFileAtomically(const fs::path& path, std::string_view bytes,
                                   const WriteOptions& options) {
  WriterCalls real;
  WriterCalls& calls = options.calls != nullptr ? *options.calls : real;
  if (bytes.size() > options.limit) return WriteFailure::kTooLarge;
  const fs::path target = FollowLinks(path);
  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  if (fs::exists(status) && !fs::is_regular_file(status)) return WriteFailure::kNotRegular;
  const std::string fileName = target.filename().string();
  // A file open in a live save cannot be removed here; an old one can.
  for (fs::directory_iterator it(target.parent_path(), error), end; !error && it != end;
       it.increment(error)) {
    std::error_code ignored;
    if (IsOurTemporary(it->path().filename().string(), fileName)) fs::remove(it->path(), ignored);
  }
  std::string name = (target.parent_path() / TemporaryName(fileName, 255)).string();
  const int fd = calls.CreateUnique(name);
  if (fd < 0) return WriteFailure::kError;
  bool ok = true;
  for (std::string_view rest = bytes; ok && !rest.empty();) {
    const long n = calls.Write(fd, rest.data(), rest.size());
    ok = n > 0;
    if (ok) rest.remove_prefix(static_cast<std::size_t>(n));
  }
  ok = ok && calls.FlushFile(fd) == 0;
  ok = calls.Close(fd) == 0 && ok;
  ok = ok && calls.Rename(name, target.string()) == 0;
  if (!ok) {
    calls.Remove(name);
    return WriteFailure::kError;
  }
  calls.FlushFolder(target.parent_path().string());
  return WriteFailure::kNone;
}

// Elsewhere the contents are gathered and written whole at the commit.
FileReplacement::FileReplacement(const fs::path& path, const WriteOptions& options)
    : calls_(options.calls != nullptr ? *options.calls : realCalls_),
      limit_(options.limit),
      target_(path) {}

FileReplacement::~FileReplacement() = default;

void FileReplacement::Abandon() {
  temporary_.clear();
}

WriteFailure FileReplacement::Append(std::string_view bytes) {
  if (failure_ == WriteFailure::kNone) temporary_.append(bytes);
  return failure_;
}

WriteFailure FileReplacement::Commit() {
  if (failure_ != WriteFailure::kNone) return failure_;
  WriteOptions options;
  options.limit = limit_;
  options.calls = &calls_;
  failure_ = ReplaceFileAtomically(target_, temporary_, options);
  return failure_;
}

void ReportFileSizeLimitAsError() {}

#endif

bool FolderWritable(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return false;
#ifdef _WIN32
  return _waccess(folder.c_str(), 2) == 0;
#else
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

}  // namespace silvarone::platform

namespace silvarone::platform {

std::chrono::year_month_day LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return {std::chrono::year{local.tm_year + 1900},
          std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
          std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::string DateText(const std::chrono::year_month_day& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%02u.%02u.%04d", static_cast<unsigned>(date.day()),
                static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
  return text;
}

std::string TodayText() {
  return DateText(LocalToday());
}

}  // namespace silvarone::platform
