// Operating-system services for files that the C++ library does not cover.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace silvarone::platform {

// A number that tells this process from others running at the same time.
long ProcessId();

// Forces the contents of the file to the disk; false when that failed.
bool FlushToDisk(const std::filesystem::path& path);

}  // namespace silvarone::platform

namespace silvarone::platform {

// Today's date on the local clock.
std::chrono::year_month_day LocalToday();

// A date as the program writes dates: dd.MM.yyyy.
std::string DateText(const std::chrono::year_month_day& date);

// DateText(LocalToday()).
std::string TodayText();

}  // namespace silvarone::platform
