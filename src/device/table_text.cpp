#include "device/table_text.h"

#include <charconv>

#include "core/text.h"

namespace silvarone {

namespace {

bool IsControlOrBlank(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b <= 0x20 || b == 0x7F;
}

}  // namespace

bool IsDataLine(std::string_view line) {
  return Characters(line) > 2 && line.substr(0, 2) != "//";
}

std::vector<std::string> SplitFields(std::string_view line, std::string_view separators,
                                     std::size_t maxFields) {
  std::vector<std::string> fields;
  std::size_t i = 0;
  while (i < line.size() && fields.size() < maxFields) {
    while (i < line.size() && IsControlOrBlank(line[i]))
      ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsControlOrBlank(line[i]) &&
           separators.find(line[i]) == std::string_view::npos) {
      ++i;
    }
    if (i > start) fields.emplace_back(line.substr(start, i - start));
    if (i < line.size()) ++i;  // the separator
  }
  return fields;
}

std::optional<int> ParseInteger(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace silvarone
