// Small text helpers shared by the number texts, the file readers and the
// report: blanks around a text, lines of a file, characters of UTF-8.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace silvarone {

inline constexpr std::string_view kBlanks = " \t";

// The text without the given blanks at either end.
std::string_view Trim(std::string_view text, std::string_view blanks = kBlanks);

// The lines of a file's bytes, without their line ends ("\r\n", "\n" or a lone
// "\r"); a last line without a line end counts, an empty rest does not.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// The width of a UTF-8 text in characters.
std::size_t Characters(std::string_view text);

}  // namespace silvarone
