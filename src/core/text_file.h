// The program's 8-bit text files (settings, projects, tables, ball series):
// Windows-1252 on disk, UTF-8 in memory, converted here and nowhere else.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace silvarone {

std::string Cp1252ToUtf8(std::string_view bytes);
// Characters without a Windows-1252 code become '?'; so does every byte of
// malformed UTF-8 (overlong forms, surrogates, stray or missing continuation
// bytes), which can therefore never turn into '<', '/' or NUL.
std::string Utf8ToCp1252(std::string_view text);
// Whether the text survives the way to Windows-1252 and back unchanged.
bool FitsCp1252(std::string_view text);

// No file the program reads is larger: settings and projects are a few
// kilobytes, tables and ball files less.
inline constexpr std::size_t kMaxFileBytes = 4 << 20;

// The bytes of a regular file of at most `limit` bytes; a kCannotRead
// problem with its reason when the file is missing, is a folder, device or
// pipe, is too large or cannot be read.
Result<std::string> ReadFileBytes(const std::string& path, std::size_t limit = kMaxFileBytes);

// The lines of a Windows-1252 file as UTF-8, without line ends ("\r\n", "\n"
// or a lone "\r"); the problem of ReadFileBytes when it cannot be read.
Result<std::vector<std::string>> ReadTextLines(const std::string& path);

// Writes the lines as Windows-1252 with the line end after each, through a
// temporary file in the same folder that is renamed over the target, so the
// old file survives a failed write whole; permissions and symbolic links stay
// (see platform::ReplaceFileAtomically). False when anything failed, and for
// contents larger than kMaxFileBytes, which no reader would take back.
bool WriteTextLinesAtomic(const std::string& path, const std::vector<std::string>& lines,
                          std::string_view lineEnd = "\r\n");

}  // namespace silvarone
