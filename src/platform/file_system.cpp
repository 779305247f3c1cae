#include "platform/file_system.h"

#include <csignal>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <fcntl.h>
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

std::string TemporaryPrefix(const std::string& fileName) {
  return "." + fileName + ".silvarone-";
}

namespace {

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

// Temporary files of earlier saves of this file, left by a save that was
// killed half-way: ours by their name.
void RemoveStaleTemporaries(const fs::path& folder, const std::string& prefix) {
  std::error_code error;
  std::vector<fs::path> stale;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    // The unique part is the six characters mkstemp chose.
    if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0) {
      stale.push_back(it->path());
    }
  }
  for (const fs::path& path : stale)
    fs::remove(path, error);
}

}  // namespace

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

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The rename is only durable once the folder that holds the name is flushed.
bool FlushFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool ReplaceFileAtomically(const fs::path& path, std::string_view bytes) {
  const fs::path target = FollowLinks(path);
  const fs::path folder = target.parent_path();
  const std::string prefix = TemporaryPrefix(target.filename().string());
  RemoveStaleTemporaries(folder.empty() ? fs::path(".") : folder, prefix);

  std::string name = (folder / (prefix + "XXXXXX")).string();
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return false;
  const fs::path temporary(name);
  struct stat old {};
  const bool existed = ::stat(target.c_str(), &old) == 0;
  bool ok = WriteAll(fd, bytes);
  if (existed) {
    ok = ok && ::fchmod(fd, old.st_mode & 07777) == 0;
    // The owner stays when an administrator saves someone's file; a user
    // cannot give a file away, and that is no failure.
    if (ok && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
      [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
    }
  } else {
    ok = ok && ::fchmod(fd, NewFileMode()) == 0;
  }
  // The new contents must be on the disk before they replace the old file.
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(name.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(name.c_str());
    return false;
  }
  FlushFolder(folder);
  return true;
}

void ReportFileSizeLimitAsError() {
  std::signal(SIGXFSZ, SIG_IGN);
}

#else

namespace {

bool FlushToDisk(const fs::path& path) {
  FILE* file = std::fopen(path.string().c_str(), "rb+");
  if (file == nullptr) return false;
  const bool ok = _commit(_fileno(file)) == 0;
  std::fclose(file);
  return ok;
}

}  // namespace

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

bool ReplaceFileAtomically(const fs::path& path, std::string_view bytes) {
  const fs::path target = FollowLinks(path);
  const std::string prefix = TemporaryPrefix(target.filename().string());
  RemoveStaleTemporaries(target.parent_path(), prefix);
  fs::path temporary = target.parent_path() / (prefix + std::to_string(ProcessId() % 1000000));
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  if (!FlushToDisk(temporary)) {
    fs::remove(temporary, error);
    return false;
  }
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    return false;
  }
  return true;
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
