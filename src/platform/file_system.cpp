#include "platform/file_system.h"

#include <cstdio>
#include <ctime>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace silvarone::platform {

long ProcessId() {
#ifdef _WIN32
  return static_cast<long>(_getpid());
#else
  return static_cast<long>(::getpid());
#endif
}

bool FlushToDisk(const std::filesystem::path& path) {
  FILE* file = std::fopen(path.string().c_str(), "rb+");
  if (file == nullptr) return false;
#ifdef _WIN32
  const bool ok = _commit(_fileno(file)) == 0;
#else
  const bool ok = ::fsync(::fileno(file)) == 0;
#endif
  std::fclose(file);
  return ok;
}

}  // namespace silvarone::platform

namespace silvarone::platform {

std::string TodayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[16];
  std::strftime(text, sizeof text, "%d.%m.%Y", &local);
  return text;
}

}  // namespace silvarone::platform
