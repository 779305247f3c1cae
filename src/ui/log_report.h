// The inspection log on its way out of the window: the page of the report
// that lists the current gear's records with the figures of its run chart,
// the chart's page after the report's text, and the CSV export of the
// records the log window shows.
//
// The report reads the log itself, read-only, each time it is built: a gear
// without records, a missing log or one that cannot be read leave the report
// as it was without the log.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "report/report.h"
#include "storage/part_log.h"
#include "ui/log_statistics.h"

namespace silvarone {

class WindowModel;

// The report lists the newest records up to this many; the figures and the
// chart rest on all valid ones.
inline constexpr std::size_t kReportLogRecords = 100;

// The run chart as the report prints it: its series and which points lie
// outside the limits, with a title and the figures in the language.
struct LogChart {
  Language language = kGerman;
  std::string title;
  std::string figures;
  LogSeries series;
  std::vector<bool> outside;
};

// Which points of the series lie outside the series' limits.
std::vector<bool> OutsideOf(const LogSeries& series);

// The log's page of the report and its chart from a gear's records, newest
// first, void ones included; nothing without records. No chart without a
// valid record.
struct LogReport {
  ReportLog page;
  std::optional<LogChart> chart;
};
// A gear's log as the report needs it: the newest records (up to
// kReportLogRecords), how many there are, and what the chart rests on.
struct LogOfGear {
  std::vector<LogEntry> newest{};
  std::size_t count = 0;
  LogSeriesTexts series{};
};
std::optional<LogReport> LogReportOf(const LogOfGear& log, Language language);
// The same from every record of the gear read whole.
std::optional<LogReport> LogReportOf(const std::vector<LogEntry>& newestFirst, Language language);

// The report of the moment, with the log's page when the gear has records,
// and the chart's page that follows the text.
struct ReportPages {
  std::vector<std::string> lines;
  std::optional<LogChart> chart;
};
ReportPages BuildReportPages(const WindowModel& model);

// "CSV exportieren…": asks for the file and writes the records to it
// through the program's one writer; a file that cannot be written is told
// in a message. True when the file was written.
bool ExportLogCsv(WindowModel& model, const std::vector<LogEntry>& records);

}  // namespace silvarone
