#include "ui/log_report.h"

#include <algorithm>
#include <filesystem>

#include "platform/file_system.h"
#include "storage/log_export.h"
#include "ui/log_entry.h"
#include "ui/log_texts.h"
#include "ui/log_window.h"
#include "ui/texts.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

namespace fs = std::filesystem;

// A serial longer than this is cut in the report's table (the CSV export
// keeps it whole).
constexpr std::size_t kSerialWidth = 24;

// A text of the log on one line of the report: control characters (a line
// end typed into a serial) become blanks; longer than `width` characters,
// cut with "…".
std::string OneLine(const std::string& text, std::size_t width = std::string::npos) {
  std::string line;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool starts = (byte & 0xC0) != 0x80;  // not a UTF-8 continuation byte
    if (starts && ++characters > width) {
      // The last character kept gives way to the mark.
      if (line.empty()) return "…";
      std::size_t cut = line.size() - 1;
      while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
        --cut;
      return line.substr(0, cut) + "…";
    }
    line.push_back(byte < 0x20 || byte == 0x7F ? ' ' : text[i]);
  }
  return line;
}

// The dimensions by the symbols of the report's own table.
const char* DimensionSymbol(LogDimension dimension) {
  switch (dimension) {
    case LogDimension::kSpan:
      return "Wk";
    case LogDimension::kBallDimension:
      return "MdK";
    case LogDimension::kTest:
      break;
  }
  return "QD";
}

std::string ShortVerdict(LogVerdict verdict, Language language) {
  switch (verdict) {
    case LogVerdict::kAbove:
      return Text(TextId::kLogAboveShort, language);
    case LogVerdict::kBelow:
      return Text(TextId::kLogBelowShort, language);
    case LogVerdict::kWithin:
      break;
  }
  return Text(TextId::kLogWithinShort, language);
}

// The window's headings of the columns the report lists, after the void mark.
std::vector<std::string> Headings(Language language) {
  const std::vector<std::string> all = LogTableHeadings(language);
  return {"", all[0], all[1], all[2], all[3], all[7], all[8]};
}

ReportLog::Row RowOf(const LogEntry& e, Language language) {
  ReportLog::Row row;
  row.cells = {e.voidReason ? "*" : "",
               LogLocalTime(e),
               OneLine(e.serial, kSerialWidth),
               DimensionSymbol(e.dimension),
               OneLine(e.measured),
               ShortVerdict(e.verdict, language),
               OneLine(e.xE)};
  if (e.voidReason) row.voidLine = Text(TextId::kLogVoidLine, language, {OneLine(*e.voidReason)});
  return row;
}

// What the figures rest on: the dimension and the limits of the newest valid
// record, as the run chart takes them.
std::string SeriesLine(const LogSeriesTexts& newest, Language language) {
  if (!newest.dimension) return "";
  const std::string limits = Text(TextId::kLogUpperLower, language, {newest.upper, newest.lower});
  return Text(TextId::kLogFiguresOf, language,
              {LogDimensionText(*newest.dimension, language),
               Text(TextId::kLogLimits, language, {newest.nominal, limits})});
}

// The current gear's log, read-only, without reading every record whole;
// nothing when there is no log or it cannot be read.
std::optional<LogOfGear> RecordsOfGear(const WindowModel& model) {
  if (model.settingsDirectory().empty()) return std::nullopt;
  const std::string path = model.settingsDirectory() + kInspectionLogFileName;
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  auto log = InspectionLog::Open(path, {.busyTimeoutMs = 1000, .readOnly = true});
  if (!log) return std::nullopt;
  const LogFilter filter{.gear = LogGearOf(model)};
  auto ids = log->QueryIds(filter);
  auto series = log->QuerySeries(filter);
  if (!ids || !series) return std::nullopt;
  LogOfGear gear{.count = ids->size(), .series = std::move(*series)};
  if (ids->empty()) return gear;
  const std::size_t listed = std::min(ids->size(), kReportLogRecords);
  auto newest = log->QueryRange(filter, ids->front(), (*ids)[listed - 1]);
  if (!newest) return std::nullopt;
  gear.newest = std::move(*newest);
  return gear;
}

}  // namespace

std::vector<bool> OutsideOf(const LogSeries& series) {
  std::vector<bool> outside;
  outside.reserve(series.values.size());
  for (const double value : series.values)
    outside.push_back(VerdictOf(value, series.lower, series.upper) != LogVerdict::kWithin);
  return outside;
}

std::optional<LogReport> LogReportOf(const std::vector<LogEntry>& newestFirst, Language language) {
  LogOfGear log{.count = newestFirst.size(), .series = SeriesTextsOf(newestFirst)};
  log.newest.assign(
      newestFirst.begin(),
      newestFirst.begin() + static_cast<long>(std::min(newestFirst.size(), kReportLogRecords)));
  return LogReportOf(log, language);
}

std::optional<LogReport> LogReportOf(const LogOfGear& log, Language language) {
  const std::vector<LogEntry>& newestFirst = log.newest;
  if (log.count == 0 || newestFirst.empty()) return std::nullopt;
  const LogSeries series = SeriesOf(log.series);
  const LogStatistics statistics = StatisticsOf(series.values, series.lower, series.upper);
  LogReport report;
  ReportLog& page = report.page;
  page.title = Text(TextId::kLogPage, language);
  page.series = SeriesLine(log.series, language);
  page.figures = LogFigures(statistics, language);
  page.headings = Headings(language);
  const std::size_t listed = std::min(newestFirst.size(), kReportLogRecords);
  for (std::size_t i = 0; i < listed; ++i)
    page.rows.push_back(RowOf(newestFirst[i], language));
  if (log.count > listed) {
    page.more = Text(TextId::kLogOlderRecords, language, {std::to_string(log.count - listed)});
  }
  page.voidNote = Text(TextId::kLogVoidNote, language);
  if (series.dimension) {
    report.chart = LogChart{.language = language,
                            .title = Text(TextId::kLogChartTitle, language,
                                          {LogDimensionText(*series.dimension, language)}),
                            .figures = LogFiguresText(statistics, language),
                            .series = series,
                            .outside = OutsideOf(series)};
  }
  return report;
}

ReportPages BuildReportPages(const WindowModel& model) {
  ReportInput input = model.ReportData();
  ReportPages pages;
  if (const auto records = RecordsOfGear(model)) {
    if (auto log = LogReportOf(*records, model.language())) {
      input.log = std::move(log->page);
      pages.chart = std::move(log->chart);
    }
  }
  pages.lines = BuildReport(input);
  return pages;
}

bool ExportLogCsv(WindowModel& model, const std::vector<LogEntry>& records) {
  const std::optional<std::string> path = model.ChooseLogCsv();
  if (!path) return false;
  if (platform::ReplaceFileAtomically(*path, LogCsv(records)) != platform::WriteFailure::kNone) {
    model.ReportOutputFailed(OutputFailure::kCsvNotWritten, *path);
    return false;
  }
  return true;
}

}  // namespace silvarone
