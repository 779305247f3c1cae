#include "ui/log_window.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "ui/log_texts.h"

namespace silvarone {
namespace {

// What stands for a figure the records do not give.
constexpr const char* kNoFigure = "–";

std::string Fixed(const std::optional<double>& value, int decimals) {
  if (!value) return kNoFigure;
  std::array<char, 48> text{};
  std::snprintf(text.data(), text.size(), "%.*f", decimals, *value);
  return text.data();
}

}  // namespace

WindowTexts LogWindowTexts(Language language) {
  const bool english = language == kEnglish;
  return {{"TLogWindow", english ? "Inspection log" : "Prüfprotokoll"},
          {"EntryGroup", english ? "Measured part" : "Gemessenes Teil"},
          {"SerialLabel", english ? "Serial number" : "Seriennummer"},
          {"MeasuredLabel", english ? "Measured value (mm)" : "Messwert (mm)"},
          {"DimensionLabel", english ? "Dimension" : "Maß"},
          {"RecordButton", english ? "Record" : "Aufzeichnen"},
          {"FilterGroup", english ? "Filter" : "Filter"},
          {"FromLabel", english ? "From (YYYY-MM-DD)" : "Von (JJJJ-MM-TT)"},
          {"ToLabel", english ? "To" : "Bis"},
          {"SerialPartLabel", english ? "Serial contains" : "Seriennummer enthält"},
          {"FilterButton", english ? "Apply" : "Anwenden"},
          {"VoidReasonLabel", english ? "Reason" : "Grund"},
          {"VoidButton", english ? "Mark void" : "Ungültig machen"},
          {"ExportButton", english ? "Export CSV…" : "CSV exportieren…"},
          {"CloseButton", english ? "Close" : "Beenden"},
          {"ChartMeasured", english ? "Measured" : "Messwert"},
          {"ChartNominal", english ? "Nominal" : "Nennmaß"},
          {"ChartUpper", english ? "Upper limit" : "Oberes Grenzmaß"},
          {"ChartLower", english ? "Lower limit" : "Unteres Grenzmaß"},
          {"ChartOutside", english ? "Outside the limits" : "Außerhalb der Grenzmaße"}};
}

std::vector<std::string> LogDimensionChoices(Language language) {
  return {LogDimensionText(LogDimension::kTest, language),
          LogDimensionText(LogDimension::kSpan, language),
          LogDimensionText(LogDimension::kBallDimension, language)};
}

LogDimension LogDimensionOfChoice(int index) {
  switch (index) {
    case 1:
      return LogDimension::kSpan;
    case 2:
      return LogDimension::kBallDimension;
    default:
      return LogDimension::kTest;
  }
}

std::vector<LogChartPoint> ChartPointsOf(const std::vector<double>& values,
                                         const std::vector<bool>& outside) {
  const std::size_t n = values.size();
  const auto point = [&](std::size_t i) {
    return LogChartPoint{static_cast<double>(i + 1), values[i], i < outside.size() && outside[i]};
  };
  std::vector<LogChartPoint> points;
  if (n <= 2 * kChartColumns) {
    points.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
      points.push_back(point(i));
    return points;
  }
  points.reserve(2 * kChartColumns);
  for (std::size_t column = 0; column < kChartColumns; ++column) {
    const std::size_t begin = column * n / kChartColumns;
    const std::size_t end = (column + 1) * n / kChartColumns;
    std::size_t low = begin;
    std::size_t high = begin;
    for (std::size_t i = begin + 1; i < end; ++i) {
      if (values[i] < values[low]) low = i;
      if (values[i] > values[high]) high = i;
    }
    points.push_back(point(std::min(low, high)));
    if (low != high) points.push_back(point(std::max(low, high)));
  }
  return points;
}

std::vector<std::string> LogTableHeadings(Language language) {
  if (language == kEnglish)
    return {"Date/time", "Serial",  "Dimension", "Measured", "Nominal",    "Upper",
            "Lower",     "Verdict", "xE",        "User",     "Void reason"};
  return {"Datum/Zeit",       "Seriennummer", "Maß", "Messwert", "Nennmaß",       "Oberes Grenzmaß",
          "Unteres Grenzmaß", "Urteil",       "xE",  "Benutzer", "Ungültig, weil"};
}

LogTableRow LogTableRowOf(const LogEntry& e, Language language) {
  return {e.id,
          e.voidReason.has_value(),
          {LogLocalTime(e), e.serial, LogDimensionText(e.dimension, language), e.measured,
           e.nominal, e.upper, e.lower, LogVerdictText(e.verdict, language), e.xE, e.user,
           e.voidReason.value_or("")}};
}

std::vector<LogTableRow> LogTableRows(const std::vector<LogEntry>& records, Language language) {
  std::vector<LogTableRow> rows;
  rows.reserve(records.size());
  for (const LogEntry& e : records)
    rows.push_back(LogTableRowOf(e, language));
  return rows;
}

std::vector<std::string> LogFigures(const LogStatistics& st, Language language) {
  const bool english = language == kEnglish;
  const auto length = [](const std::optional<double>& value) {
    return value ? Fixed(value, 4) + " mm" : std::string(kNoFigure);
  };
  std::vector<std::string> parts = {(english ? "Count " : "Anzahl ") + std::to_string(st.count),
                                    (english ? "Mean " : "Mittelwert ") + length(st.mean),
                                    "s " + length(st.s),
                                    "Min " + length(st.minimum),
                                    "Max " + length(st.maximum),
                                    "Cp " + Fixed(st.cp, 2),
                                    "Cpk " + Fixed(st.cpk, 2)};
  // Cp and Cpk say what they rest on; without them, what they need (from
  // enough records with no spread there is none either).
  const std::string needed = std::to_string(kCapabilityMinimumRecords);
  const std::string counted = std::to_string(st.count);
  if (st.cp)
    parts.push_back(english ? "(from " + counted + " records)" : "(aus " + counted + " Einträgen)");
  else if (st.count < kCapabilityMinimumRecords)
    parts.push_back(english ? "(needs " + needed + " records)" : "(ab " + needed + " Einträgen)");
  return parts;
}

std::string LogFiguresText(const LogStatistics& statistics, Language language) {
  std::string text;
  for (const std::string& part : LogFigures(statistics, language))
    text += (text.empty() ? "" : "   ") + part;
  return text;
}

LogChartRange ChartRangeOf(const LogSeries& series) {
  // The nominal value too: a span's limits may both lie below it.
  double low = std::min(series.lower, series.nominal);
  double high = std::max(series.upper, series.nominal);
  for (const double value : series.values) {
    low = std::min(low, value);
    high = std::max(high, value);
  }
  // A margin of a tenth of the span, and some span even for one value.
  const double margin = std::max((high - low) * 0.1, 0.001);
  // Half a step beyond the first and the last point, so that their marks
  // show whole; about ten numbered ticks at most.
  const int count = std::max(static_cast<int>(series.values.size()), 1);
  return {low - margin, high + margin, 0.5, count + 0.5, (count + 9) / 10};
}

}  // namespace silvarone
