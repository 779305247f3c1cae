#include "device/series.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/text.h"
#include "core/text_file.h"
#include "device/table_text.h"
#include "platform/file_system.h"

namespace silvarone {

const std::array<std::string_view, 34> kModuleSeries1 = {
    "0.05", "0.06", "0.08", "0.1", "0.12", "0.16", "0.2", "0.25", "0.3", "0.4", "0.5", "0.6",
    "0.7",  "0.8",  "0.9",  "1",   "1.25", "1.5",  "2",   "2.5",  "3",   "4",   "5",   "6",
    "8",    "10",   "12",   "16",  "20",   "25",   "32",  "40",   "50",  "60"};

const std::array<std::string_view, 34> kModuleSeries2 = {
    "0.055", "0.07", "0.09", "0.11", "0.14", "0.18", "0.22",  "0.28",  "0.35",
    "0.45",  "0.55", "0.65", "0.75", "0.85", "0.95", "1.125", "1.375", "1.75",
    "2.25",  "2.75", "3.5",  "4.5",  "5.5",  "7",    "9",     "11",    "14",
    "18",    "22",   "28",   "36",   "45",   "55",   "70"};

namespace {

// The value of a module or ball text as its field would read it.
std::optional<double> NumberValue(std::string_view text) {
  TGear probe;
  probe.text = std::string(text);
  probe.minimum = -HUGE_VAL;
  probe.maximum = HUGE_VAL;
  if (ParseParameter(probe, {}) != kStatusValid) return std::nullopt;
  return probe.value;
}

// Index of the entry with the value of `text`: "1,0" finds "1", "10" finds
// "10.000". The first entry for a value the list lacks; -1 for an empty list.
template <typename List>
int IndexByValue(const List& entries, const std::string& text) {
  if (entries.empty()) return -1;
  const std::optional<double> wanted = NumberValue(text);
  if (!wanted) return 0;
  const auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const auto& entry) { return NumberValue(entry) == wanted; });
  return it == entries.end() ? 0 : static_cast<int>(it - entries.begin());
}

}  // namespace

int ModuleChoiceFromSetting(std::string_view setting) {
  if (setting == "0") return kModuleSeries1Item;
  if (setting == "1") return kModuleSeries2Item;
  return kModuleManual;
}

const std::array<std::string_view, 34>& ModuleSeries(int item) {
  return item == kModuleSeries2Item ? kModuleSeries2 : kModuleSeries1;
}

int ModuleSeriesIndex(int item, const std::string& text) {
  return IndexByValue(ModuleSeries(item), text);
}

Result<std::vector<std::string>> ReadBallFile(const std::string& path) {
  const auto lines = ReadTextLines(path);
  if (!lines) return lines.problem();
  std::vector<std::string> diameters;
  for (const std::string& line : *lines) {
    if (!IsDataLine(line)) continue;
    const auto fields = SplitFields(line, "", 10);
    if (fields.size() >= 2) diameters.push_back(fields[1]);
  }
  return diameters;
}

std::vector<std::string> BallFileLines(const std::vector<std::string>& diameters,
                                       const std::string& date) {
  const std::string rule(53, '/');
  std::vector<std::string> lines = {
      rule,
      "//",
      "// Tabelle Messkugeldurchmesser",
      "// Silvaronenmessung",
      "// Nummer: 00001",
      "//",
      "// Kugelanzahl: " + std::to_string(diameters.size()),
      "//",
      "// Datum:       " + date,
      "//",
      rule,
      "",
  };
  const bool twoDigits = diameters.size() <= 9;
  for (std::size_t i = 0; i < diameters.size(); ++i) {
    const std::string number = std::to_string(i + 1);
    lines.push_back((twoDigits ? "0" + number : number) + "  " + diameters[i] + " mm");
  }
  return lines;
}

int WriteBallFile(const std::vector<std::string>& diameters, const std::string& path) {
  return WriteBallFile(diameters, path, platform::TodayText());
}

int WriteBallFile(const std::vector<std::string>& diameters, const std::string& path,
                  const std::string& date) {
  if (diameters.empty()) return -1;
  return WriteTextLinesAtomic(path, BallFileLines(diameters, date)) ? 0 : -2;
}

int BallChoiceFromSetting(std::string_view setting) {
  if (setting == "0") return kBallRecommended;
  if (setting == "1") return kBallDinSeries;
  if (setting == "2") return kBallDeviceSequence;
  return kBallManual;
}

int BallIndex(const std::vector<std::string>& balls, const std::string& text) {
  return IndexByValue(balls, text);
}

DocumentList ReadDocumentList(const std::string& path) {
  DocumentList list;
  const auto lines = ReadTextLines(path);
  if (!lines) {
    std::error_code ignored;
    list.problem = std::filesystem::exists(path, ignored)
                       ? lines.problem()
                       : Problem{.kind = ProblemKind::kNoDocumentList, .path = path};
    return list;
  }
  if (lines->empty()) {
    list.problem = Problem{.kind = ProblemKind::kEmptyDocumentList, .path = path};
    return list;
  }
  const auto start = std::find(lines->begin(), lines->end(), "[list start]");
  if (start == lines->end()) return list;
  for (auto it = start + 1; it != lines->end(); ++it) {
    if (it->find("file_") == std::string::npos) continue;
    // "file_N: name": the first eight characters are the entry's key.
    list.documents.push_back(it->size() > 7 ? std::string(Trim(std::string_view(*it).substr(8)))
                                            : *it);
  }
  return list;
}

}  // namespace silvarone
