// The texts and the chart range of the inspection log window, from figures
// computed by the statistics and checked here by hand.
#include "ui/log_window.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "row_name.h"

namespace silvarone {
namespace {

struct FiguresRow {
  const char* name;
  std::vector<double> values;
  Language language;
  const char* text;
};
SILVARONE_PRINT_ROW_NAME(FiguresRow)

class LogFigures : public ::testing::TestWithParam<FiguresRow> {};

// Limits 15.251 and 15.280. The five spans by hand (as in log_page_test):
//   mean 15.265, s 0.0079057, Cp 0.029 / 0.0474342 = 0.611373,
//   Cpk 0.014 / 0.0237171 = 0.590291.
// Five equal values: s = 0, no capability.
TEST_P(LogFigures, SaysWhatTheCapabilityRestsOn) {
  const LogStatistics st = StatisticsOf(GetParam().values, 15.251, 15.280);
  EXPECT_EQ(LogFiguresText(st, GetParam().language), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Log, LogFigures,
    ::testing::Values(
        FiguresRow{"none",
                   {},
                   kGerman,
                   "Anzahl 0   Mittelwert –   s –   Min –   Max –   Cp –   Cpk –   "
                   "(ab 5 Einträgen)"},
        FiguresRow{"one",
                   {15.27},
                   kEnglish,
                   "Count 1   Mean 15.2700 mm   s –   Min 15.2700 mm   Max 15.2700 mm   "
                   "Cp –   Cpk –   (needs 5 records)"},
        FiguresRow{"five",
                   {15.255, 15.265, 15.275, 15.270, 15.260},
                   kGerman,
                   "Anzahl 5   Mittelwert 15.2650 mm   s 0.0079 mm   Min 15.2550 mm   "
                   "Max 15.2750 mm   Cp 0.61   Cpk 0.59   (aus 5 Einträgen)"},
        FiguresRow{"noSpread",
                   {15.27, 15.27, 15.27, 15.27, 15.27},
                   kEnglish,
                   "Count 5   Mean 15.2700 mm   s 0.0000 mm   Min 15.2700 mm   "
                   "Max 15.2700 mm   Cp –   Cpk –"}),
    testing::RowName);

// The span Wk of m 2, z 20: nominal 15.321 above both limits 15.280 and
// 15.251. Two values 15.265 and 15.290: the axis spans 15.251 .. 15.321
// (0.070), a tenth of it beyond: 15.244 .. 15.328; the numbers 1 and 2 with
// half a step either side.
TEST(LogChart, TheRangeHoldsNominalLimitsAndValues) {
  LogSeries series;
  series.values = {15.265, 15.290};
  series.lower = 15.251;
  series.upper = 15.280;
  series.nominal = 15.321;
  const LogChartRange range = ChartRangeOf(series);
  EXPECT_NEAR(range.low, 15.244, 1e-9);
  EXPECT_NEAR(range.high, 15.328, 1e-9);
  EXPECT_EQ(range.first, 0.5);
  EXPECT_EQ(range.last, 2.5);
  EXPECT_EQ(range.step, 1);
  // 25 points: a tick every third, 9 in all.
  series.values.assign(25, 15.27);
  EXPECT_EQ(ChartRangeOf(series).step, 3);
}

// The table marks void records and shows the local time of each.
// The drawn points of the run chart: every point while there are at most
// two per column; beyond, the smallest and largest value of each run of
// consecutive values, in their order, and a run with a value outside the
// limits shows its farthest one outside.
TEST(LogChart, ManyValuesKeepTheirEnvelopeAndTheirOutsidePoints) {
  for (const std::size_t n : {std::size_t{0}, std::size_t{7}, 2 * kChartColumns,
                              2 * kChartColumns + 1, std::size_t{100000}}) {
    std::vector<double> values(n);
    std::vector<bool> outside(n);
    for (std::size_t i = 0; i < n; ++i) {
      // A saw tooth with a spike above the limit every 997 values.
      values[i] = i % 997 == 500 ? 30.0 : 28.40 + 0.001 * static_cast<double>(i % 40);
      outside[i] = values[i] > 29.0;
    }
    const std::vector<LogChartPoint> drawn = ChartPointsOf(values, outside);
    if (n <= 2 * kChartColumns) {
      ASSERT_EQ(drawn.size(), n);
      for (std::size_t i = 0; i < n; ++i) {
        EXPECT_EQ(drawn[i].x, static_cast<double>(i + 1));
        EXPECT_EQ(drawn[i].y, values[i]);
        EXPECT_EQ(drawn[i].outside, outside[i]);
      }
      continue;
    }
    ASSERT_LE(drawn.size(), 2 * kChartColumns) << n;
    double lastX = 0.0;
    for (const LogChartPoint& p : drawn) {
      ASSERT_GT(p.x, lastX);  // in order, each a real point
      lastX = p.x;
      const auto i = static_cast<std::size_t>(p.x) - 1;
      EXPECT_EQ(p.y, values[i]);
      EXPECT_EQ(p.outside, outside[i]);
    }
    for (std::size_t column = 0; column < kChartColumns; ++column) {
      const std::size_t begin = column * n / kChartColumns;
      const std::size_t end = (column + 1) * n / kChartColumns;
      const double low = *std::min_element(values.begin() + static_cast<long>(begin),
                                           values.begin() + static_cast<long>(end));
      const double high = *std::max_element(values.begin() + static_cast<long>(begin),
                                            values.begin() + static_cast<long>(end));
      bool lowDrawn = false;
      bool highDrawn = false;
      for (const LogChartPoint& p : drawn) {
        if (p.x <= static_cast<double>(begin) || p.x > static_cast<double>(end)) continue;
        lowDrawn = lowDrawn || p.y == low;
        highDrawn = highDrawn || p.y == high;
      }
      EXPECT_TRUE(lowDrawn && highDrawn) << "column " << column << " of " << n;
    }
    const auto spikes = std::count(outside.begin(), outside.end(), true);
    const auto drawnOutside =
        std::count_if(drawn.begin(), drawn.end(), [](const LogChartPoint& p) { return p.outside; });
    EXPECT_EQ(drawnOutside, spikes) << n;  // no two spikes share a run of 50
  }
}

TEST(LogTable, RowsNewestFirstWithVoidMarked) {
  LogEntry entry;
  entry.id = 7;
  entry.recordedUtc = "2026-12-08T23:30:00Z";
  entry.utcOffsetMinutes = 60;
  entry.dimension = LogDimension::kSpan;
  entry.measured = "15.290";
  entry.verdict = LogVerdict::kAbove;
  entry.voidReason = "Messuhr nicht genullt";
  const std::vector<LogTableRow> rows = LogTableRows({entry}, kEnglish);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].id, 7);
  EXPECT_TRUE(rows[0].isVoid);
  ASSERT_EQ(rows[0].cells.size(), LogTableHeadings(kEnglish).size());
  EXPECT_EQ(rows[0].cells[0], "2026-12-09 00:30");
  EXPECT_EQ(rows[0].cells[7], "above the upper limit");
  EXPECT_EQ(rows[0].cells[10], "Messuhr nicht genullt");
}

}  // namespace
}  // namespace silvarone
