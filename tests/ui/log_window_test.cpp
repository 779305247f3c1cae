// The texts and the chart range of the inspection log window, from figures
// computed by the statistics and checked here by hand.
#include "ui/log_window.h"

#include <gtest/gtest.h>

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
