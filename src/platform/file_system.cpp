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
