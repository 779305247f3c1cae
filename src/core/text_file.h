// The program's 8-bit text files (settings, projects, tables, ball series):
// Windows-1252 on disk, UTF-8 in memory, converted here and nowhere else.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace silvarone {

std::string Cp1252ToUtf8(std::string_view bytes);
// Characters without a Windows-1252 code become '?'; malformed UTF-8 too.
std::string Utf8ToCp1252(std::string_view text);

// The lines of a Windows-1252 file as UTF-8, without line ends ("\r\n", "\n"
// or a lone "\r"). Nothing when the file cannot be opened.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// Writes the lines as Windows-1252 with the line end after each, through a
// temporary file in the same folder that is renamed over the target, so the
// old file survives a failed write whole. False when anything failed.
bool WriteTextLinesAtomic(const std::string& path, const std::vector<std::string>& lines,
                          std::string_view lineEnd = "\r\n");

}  // namespace silvarone
