// A PDF of fixed-pitch lines read back with poppler's pdftotext: its pages,
// its words with their places, and its lines with every blank where it was.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <regex>
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
  std::vector<PdfWord> words;
  int page = 0;
  const std::regex pattern(
      R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
  for (std::sregex_iterator it(html.begin(), html.end(), pattern), end; it != end; ++it) {
    if ((*it)[0].str() == "<page ") {
      ++page;
      continue;
    }
    words.push_back(
        {page, std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), (*it)[4].str()});
  }
  return words;
}

inline int PdfPages(const std::string& pdf) {
  std::smatch match;
  const std::string info = Shell("pdfinfo '" + pdf + "' 2>/dev/null");
  return std::regex_search(info, match, std::regex(R"(Pages:\s+(\d+))")) ? std::stoi(match[1]) : -1;
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
