// The figures under the run chart of the inspection log: count, mean,
// sample standard deviation, smallest and largest value, and the process
// capability against the limits. Void records do not count.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "storage/part_log.h"

namespace silvarone {

// Cp and Cpk rest on at least this many records.
inline constexpr std::size_t kCapabilityMinimumRecords = 5;

struct LogStatistics {
  std::size_t count = 0;
  std::optional<double> mean;  // from 1 value
  std::optional<double> s;     // sample standard deviation (n - 1), from 2 values
  std::optional<double> minimum;
  std::optional<double> maximum;
  // Cp = (USL - LSL) / 6 s and Cpk = min(USL - mean, mean - LSL) / 3 s: from
  // kCapabilityMinimumRecords values on, and only while s > 0.
  std::optional<double> cp;
  std::optional<double> cpk;
};

// The figures of the values against the limits `lower` and `upper`.
LogStatistics StatisticsOf(std::span<const double> values, double lower, double upper);

// The measured values of a gear's records in the order they were recorded
// (oldest first), with the limits they are judged against: the records of
// the dimension of the newest valid record, void ones and values that are
// no number left out; the limits those of the newest valid record (the
// drawing's limits as they stand now).
struct LogSeries {
  std::optional<LogDimension> dimension;  // nothing without a valid record
  std::vector<double> values;
  double lower = 0.0;
  double upper = 0.0;
  double nominal = 0.0;
};
LogSeries SeriesOf(const std::vector<LogEntry>& newestFirst);
// The same series from what the log's series query read.
LogSeries SeriesOf(const LogSeriesTexts& texts);
// What the log's series query reads, taken from records read whole.
LogSeriesTexts SeriesTextsOf(const std::vector<LogEntry>& newestFirst);

// A length text of the log ('.' decimal point); nothing when it is none.
std::optional<double> LogNumber(const std::string& text);

}  // namespace silvarone
