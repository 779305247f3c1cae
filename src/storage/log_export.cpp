#include "storage/log_export.h"

#include <charconv>

#include "storage/gear_table.h"

namespace silvarone {
namespace {

constexpr const char* kCsvLineEnd = "\r\n";

std::string NumberText(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

struct CsvField {
  std::string operator()(std::monostate) const { return {}; }
  std::string operator()(const std::string& text) const { return text; }
  std::string operator()(std::int64_t number) const { return std::to_string(number); }
  std::string operator()(double number) const { return NumberText(number); }
};

}  // namespace

const std::vector<LogExportColumn>& LogExportColumns() {
  using E = const LogEntry&;
  using V = LogExportValue;
  static const std::vector<LogExportColumn> columns = {
      {"id", [](E e) { return V(e.id); }},
      {"recorded_utc", [](E e) { return V(e.recordedUtc); }},
      {"utc_offset_minutes", [](E e) { return V(std::int64_t{e.utcOffsetMinutes}); }},
      {"local_date", [](E e) { return V(LogLocalDate(e)); }},
      {"project_file", [](E e) { return V(e.projectFile); }},
      {"project_name", [](E e) { return V(e.projectName); }},
      {"drawing", [](E e) { return V(e.gear.drawing); }},
      {"m_n", [](E e) { return V(e.gear.m_n); }},
      {"z", [](E e) { return V(e.gear.z); }},
      {"alpha_n", [](E e) { return V(e.gear.alpha_n); }},
      {"beta", [](E e) { return V(e.gear.beta); }},
      {"x", [](E e) { return V(e.gear.x); }},
      {"dimension", [](E e) { return V(std::string(LogDimensionWord(e.dimension))); }},
      {"measured", [](E e) { return V(e.measured); }},
      {"nominal", [](E e) { return V(e.nominal); }},
      {"upper", [](E e) { return V(e.upper); }},
      {"lower", [](E e) { return V(e.lower); }},
      {"verdict", [](E e) { return V(std::string(LogVerdictWord(e.verdict))); }},
      {"back_calculation",
       [](E e) { return V(std::string(LogBackCalculationWord(e.backCalculation))); }},
      {"xE", [](E e) { return V(e.xE); }},
      {"user", [](E e) { return V(e.user); }},
      {"serial", [](E e) { return V(e.serial); }},
      {"void_reason", [](E e) { return e.voidReason ? V(*e.voidReason) : V(); }},
      {"voided_utc", [](E e) { return V(e.voidedUtc); }},
  };
  return columns;
}

std::string LogCsv(const std::vector<LogEntry>& entries) {
  std::vector<std::string> cells;
  for (const LogExportColumn& column : LogExportColumns())
    cells.emplace_back(column.name);
  std::string text;
  AppendCsvHeader(text, cells, ',', kCsvLineEnd);
  for (const LogEntry& entry : entries) {
    cells.clear();
    for (const LogExportColumn& column : LogExportColumns())
      cells.push_back(std::visit(CsvField{}, column.value(entry)));
    AppendCsvRow(text, cells, ',', kCsvLineEnd);
  }
  return text;
}

}  // namespace silvarone
