// The window of the inspection log ("Prüfprotokoll"/"Inspection log"): its
// captions, the table's headings and rows and the figures under the run
// chart as texts in the language of the moment. The Qt window puts these
// texts in its widgets and draws the series of the log page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/part_log.h"
#include "ui/log_statistics.h"
#include "ui/secondary_windows.h"

namespace silvarone {

// TLogWindow: its title, the labels and buttons of the part entry, the
// filter and the voiding, and the names of the chart's lines.
WindowTexts LogWindowTexts(Language language);

// The dimensions the part entry offers, in the order of LogDimension.
std::vector<std::string> LogDimensionChoices(Language language);
LogDimension LogDimensionOfChoice(int index);

// The table: date/time, serial, dimension, measured, nominal, upper, lower,
// verdict, xE, user, void reason.
std::vector<std::string> LogTableHeadings(Language language);
struct LogTableRow {
  std::int64_t id = 0;
  bool isVoid = false;
  std::vector<std::string> cells;
};
LogTableRow LogTableRowOf(const LogEntry& record, Language language);
std::vector<LogTableRow> LogTableRows(const std::vector<LogEntry>& records, Language language);

// The figures under the chart: count, mean, s, min, max in mm (4 decimals)
// and Cp, Cpk (2 decimals) with the number of records they rest on, or
// that they need at least kCapabilityMinimumRecords.
std::string LogFiguresText(const LogStatistics& statistics, Language language);
// The same figures one by one, as the report lists them.
std::vector<std::string> LogFigures(const LogStatistics& statistics, Language language);

// The measured axis of the run chart: the nominal value, the limits and
// every value, with a
// margin of a tenth of what they span.
// The other axis: the points' numbers 1, 2, ... with a tick every `step`.
struct LogChartRange {
  double low = 0.0;
  double high = 0.0;
  double first = 0.0;
  double last = 0.0;
  int step = 1;
};
LogChartRange ChartRangeOf(const LogSeries& series);

// The run chart's points as drawn: point i at (i + 1, values[i]), marked
// when outside[i]. A chart a thousand pixels wide cannot show a hundred
// thousand points apart, and drawing them all makes the window slow: beyond
// 2 * kChartColumns values the values are cut into kChartColumns runs of
// consecutive values, and of each run its smallest and largest value are
// drawn, in their order. The line keeps its whole envelope, and a run with a
// value outside the limits draws its farthest one outside.
inline constexpr std::size_t kChartColumns = 1000;
struct LogChartPoint {
  double x = 0.0;
  double y = 0.0;
  bool outside = false;
};
std::vector<LogChartPoint> ChartPointsOf(const std::vector<double>& values,
                                         const std::vector<bool>& outside);

}  // namespace silvarone
