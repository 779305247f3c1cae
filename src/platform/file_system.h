// Operating-system services for files that the C++ library does not cover.
#pragma once

#include <filesystem>
#include <string>

namespace silvarone::platform {

// A number that tells this process from others running at the same time.
long ProcessId();

// Forces the contents of the file to the disk; false when that failed.
bool FlushToDisk(const std::filesystem::path& path);

}  // namespace silvarone::platform

namespace silvarone::platform {

// Today's local date as the program writes dates: dd.MM.yyyy.
std::string TodayText();

}  // namespace silvarone::platform
