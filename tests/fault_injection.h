// Faults a save must survive, made in a child process so that the test
// process keeps its own limits: a file-size limit (as a full disk looks to a
// writer) and a SIGKILL at a random moment.
#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace silvarone::testing {

// Runs `action` in a child process whose files cannot grow beyond `bytes`
// (writes past the limit fail with EFBIG, as the program's main arranges);
// the child's exit status is what `action` returned, or -1 when it died.
inline int WithFileSizeLimit(std::size_t bytes, const std::function<int()>& action) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(99);
    ::_exit(action());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs `save` over and over in a child process and kills it with SIGKILL
// after a random time of up to `longest`; true when the kill hit a running
// child (not one that had already ended by itself).
inline bool KillWhileSaving(const std::function<void()>& save, std::chrono::microseconds longest,
                            std::mt19937& random) {
  const pid_t child = ::fork();
  if (child == 0) {
    for (;;)
      save();
  }
  std::uniform_int_distribution<long> delay(0, longest.count());
  std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// The names in the folder (not below it), sorted.
inline std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace silvarone::testing
