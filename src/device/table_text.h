// Helpers shared by the readers of the data files: which lines are comments,
// how a line splits into fields, and integers as the table files write them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace silvarone {

// Empty lines, lines of at most 2 characters and "//" comments carry no data.
bool IsDataLine(std::string_view line);

// Splits at any of `separators` and at every control character; blanks and
// control characters at the start of a field are skipped, so runs of them
// separate once. Empty fields are dropped. At most `maxFields` are returned.
std::vector<std::string> SplitFields(std::string_view line, std::string_view separators,
                                     std::size_t maxFields);

// A signed decimal integer that fits 32 bits, or nothing.
std::optional<int> ParseInteger(std::string_view text);

}  // namespace silvarone
