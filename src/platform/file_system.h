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

// Replaces the file with `bytes` so that a crash, a full disk or a power cut
// leaves the old or the new contents whole: a uniquely named temporary file
// of ours in the same folder, flushed, given the old file's permissions and
// renamed over it, then the folder flushed. A symbolic link stays a link and
// its target gets the new contents. Temporary files left by an earlier save
// of this file that was killed half-way are removed. False (and the old file
// unchanged) when anything failed.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The name of the temporary files of a save of `fileName`, up to the unique
// part: ".<fileName>.silvarone-".
std::string TemporaryPrefix(const std::string& fileName);

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
