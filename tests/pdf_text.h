// A PDF of fixed-pitch lines read back with poppler's pdftotext: its pages,
// its words with their places, and its lines with every blank where it was.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "core/text.h"

namespace silvarone::testing {

inline std::string Shell(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    output.append(buffer.data(), n);
  pclose(pipe);
  return output;
}

// A word as pdftotext -bbox finds it, in points (1/72 inch), on page 1, 2, ...
struct PdfWord {
  int page;
  double xMin, yMin, xMax;
  std::string text;
};

inline std::vector<PdfWord> PdfWords(const std::string& pdf) {
  const std::string html = Shell("pdftotext -bbox '" + pdf + "' - 2>/dev/null");
  const auto number = [&](std::size_t word, const char* name) {
    return std::stod(html.substr(html.find(name, word) + std::strlen(name)));
  };
  std::vector<PdfWord> words;
  int page = 0;
  for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
    if (html.compare(at, 6, "<page ") == 0) ++page;
    if (html.compare(at, 6, "<word ") != 0) continue;
    const std::size_t text = html.find('>', at) + 1;
    words.push_back({page, number(at, "xMin=\""), number(at, "yMin=\""), number(at, "xMax=\""),
                     html.substr(text, html.find('<', text) - text)});
  }
  return words;
}

inline int PdfPages(const std::string& pdf) {
  const std::string info = Shell("pdfinfo '" + pdf + "' 2>/dev/null");
  const std::size_t pages = info.find("Pages:");
  return pages == std::string::npos ? -1 : std::stoi(info.substr(pages + 6));
}

// The lines that are not blank, without trailing blanks and without the
// page's left margin: pdftotext -fixed with the font's own character width
// (taken from the longest word) puts every character back in its column.
inline std::vector<std::string> PdfLines(const std::string& pdf) {
  const std::vector<PdfWord> words = PdfWords(pdf);
  if (words.empty()) return {};
  const PdfWord& longest = *std::max_element(
      words.begin(), words.end(),
      [](const PdfWord& a, const PdfWord& b) { return Characters(a.text) < Characters(b.text); });
  const double advance =
      (longest.xMax - longest.xMin) / static_cast<double>(Characters(longest.text));
  double left = words.front().xMin;
  for (const PdfWord& word : words)
    left = std::min(left, word.xMin);
  const auto margin = static_cast<std::size_t>(std::lround(left / advance));
  std::istringstream text(
      Shell("pdftotext -fixed " + std::to_string(advance) + " '" + pdf + "' - 2>/dev/null"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) {
    line.erase(std::remove(line.begin(), line.end(), '\f'), line.end());
    line.erase(0, std::min(margin, line.find_first_not_of(' ')));
    line.erase(line.find_last_not_of(' ') + 1);
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// The lines that are not blank, without trailing blanks, as they were printed.
inline std::vector<std::string> NonBlank(const std::vector<std::string>& printed) {
  std::vector<std::string> lines;
  for (std::string line : printed) {
    line.erase(line.find_last_not_of(' ') + 1);
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

}  // namespace silvarone::testing
