#include "platform/locations.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace silvarone::platform {
namespace fs = std::filesystem;

namespace {

std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != PathSeparator()) folder += PathSeparator();
  return folder;
}

fs::path ExecutableFolder() {
#ifdef _WIN32
  wchar_t buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return fs::path(std::wstring(buffer, length)).parent_path();
#else
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::current_path(error) : self.parent_path();
#endif
}

}  // namespace

char PathSeparator() {
  return static_cast<char>(fs::path::preferred_separator);
}

std::string SettingsDirectory() {
  if (const char* home = std::getenv("SILVARONE_HOME"); home != nullptr && *home != '\0') {
    return WithSeparator(home);
  }
#ifdef _WIN32
  // The folder Silvarone in the root of the program's drive.
  return ExecutableFolder().root_name().string() + "\\Silvarone\\";
#else
  const char* home = std::getenv("HOME");
  return WithSeparator((fs::path(home != nullptr ? home : ".") / "Silvarone").string());
#endif
}

bool FolderWritable(const std::string& folder) {
#ifdef _WIN32
  return _access(folder.c_str(), 2) == 0;
#else
  return ::access(folder.c_str(), W_OK) == 0;
#endif
}

std::string ProgramDirectory() {
  const fs::path folder = ExecutableFolder();
  std::error_code error;
  if (fs::is_directory(folder / "dat", error)) return WithSeparator(folder.string());
  const fs::path installed = folder.parent_path() / "share" / "silvarone";
  if (fs::is_directory(installed / "dat", error)) return WithSeparator(installed.string());
  return WithSeparator(folder.string());
}

std::string LoginName() {
#ifndef _WIN32
  // The account, not a variable a script may have changed.
  passwd entry{};
  passwd* found = nullptr;
  char buffer[4096];
  if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr &&
      found->pw_name != nullptr) {
    return found->pw_name;
  }
#endif
  for (const char* name : {"USER", "USERNAME"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

}  // namespace silvarone::platform
