#include "ui/log_statistics.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace silvarone {

LogStatistics StatisticsOf(std::span<const double> values, double lower, double upper) {
  LogStatistics result;
  result.count = values.size();
  if (values.empty()) return result;
  // Welford's running mean and sum of squares: no loss of digits for values
  // of 100 mm that differ in micrometres.
  double mean = 0.0;
  double squares = 0.0;
  std::size_t n = 0;
  for (const double value : values) {
    ++n;
    const double delta = value - mean;
    mean += delta / static_cast<double>(n);
    squares += delta * (value - mean);
  }
  result.mean = mean;
  const auto [smallest, largest] = std::minmax_element(values.begin(), values.end());
  result.minimum = *smallest;
  result.maximum = *largest;
  if (n < 2) return result;
  const double s = std::sqrt(squares / static_cast<double>(n - 1));
  result.s = s;
  if (n < kCapabilityMinimumRecords || !(s > 0.0)) return result;
  result.cp = (upper - lower) / (6.0 * s);
  result.cpk = std::min(upper - mean, mean - lower) / (3.0 * s);
  return result;
}

std::optional<double> LogNumber(const std::string& text) {
  // The program's own number parser, with limits no length reaches.
  TGear probe;
  probe.text = text;
  probe.minimum = -1e12;
  probe.maximum = 1e12;
  if (ParseParameter(probe, {}) != kStatusValid) return std::nullopt;
  return probe.value;
}

LogSeries SeriesOf(const LogSeriesTexts& texts) {
  LogSeries series;
  if (!texts.dimension) return series;
  series.dimension = texts.dimension;
  series.lower = LogNumber(texts.lower).value_or(0.0);
  series.upper = LogNumber(texts.upper).value_or(0.0);
  series.nominal = LogNumber(texts.nominal).value_or(0.0);
  series.values.reserve(texts.measured.size());
  for (const std::string& measured : texts.measured) {
    if (const auto value = LogNumber(measured)) series.values.push_back(*value);
  }
  return series;
}

LogSeriesTexts SeriesTextsOf(const std::vector<LogEntry>& newestFirst) {
  LogSeriesTexts texts;
  const auto newest = std::find_if(newestFirst.begin(), newestFirst.end(),
                                   [](const LogEntry& e) { return !e.voidReason; });
  if (newest == newestFirst.end()) return texts;
  texts.dimension = newest->dimension;
  texts.nominal = newest->nominal;
  texts.upper = newest->upper;
  texts.lower = newest->lower;
  for (auto e = newestFirst.rbegin(); e != newestFirst.rend(); ++e) {
    if (!e->voidReason && e->dimension == texts.dimension) texts.measured.push_back(e->measured);
  }
  return texts;
}

LogSeries SeriesOf(const std::vector<LogEntry>& newestFirst) {
  return SeriesOf(SeriesTextsOf(newestFirst));
}

}  // namespace silvarone
