#include "ui/log_statistics.h"

#include <gtest/gtest.h>

#include <vector>

namespace silvarone {
namespace {

// Five test dimensions against the limits 9.95 and 10.05, by hand:
//   sum 50.05, mean 10.01; deviations .01, 0, .02, -.02, -.01;
//   squares 1, 0, 4, 4, 1 (x 1e-4) = 10e-4; / (5 - 1) = 2.5e-4; s = 0.015811388
//   Cp  = 0.10 / (6 x 0.015811388) = 0.10 / 0.094868330 = 1.054092553
//   Cpk = min(10.05 - 10.01, 10.01 - 9.95) / (3 s) = 0.04 / 0.047434165 = 0.843274043
TEST(LogStatistics, FiveValuesAgainstTheirLimits) {
  const std::vector<double> values = {10.02, 10.01, 10.03, 9.99, 10.00};
  const LogStatistics st = StatisticsOf(values, 9.95, 10.05);
  EXPECT_EQ(st.count, 5u);
  EXPECT_NEAR(*st.mean, 10.01, 1e-12);
  EXPECT_NEAR(*st.s, 0.015811388, 1e-9);
  EXPECT_DOUBLE_EQ(*st.minimum, 9.99);
  EXPECT_DOUBLE_EQ(*st.maximum, 10.03);
  EXPECT_NEAR(*st.cp, 1.054092553, 1e-8);
  EXPECT_NEAR(*st.cpk, 0.843274043, 1e-8);
}

// The same values shifted by 100 mm: the spread of micrometres stays (a
// sum of squares of the raw values would lose it), and Cp, which does not
// see the location, stays 1.054092553.
TEST(LogStatistics, LargeValuesKeepTheirSpread) {
  const std::vector<double> values = {110.02, 110.01, 110.03, 109.99, 110.00};
  const LogStatistics st = StatisticsOf(values, 109.95, 110.05);
  EXPECT_NEAR(*st.s, 0.015811388, 1e-9);
  EXPECT_NEAR(*st.cp, 1.054092553, 1e-7);
}

struct FewRow {
  const char* name;
  std::vector<double> values;
  bool mean, s, capability;
};

class LogStatisticsFew : public ::testing::TestWithParam<FewRow> {};

TEST_P(LogStatisticsFew, GiveOnlyWhatTheyCanBear) {
  const FewRow& row = GetParam();
  const LogStatistics st = StatisticsOf(row.values, 9.95, 10.05);
  EXPECT_EQ(st.count, row.values.size());
  EXPECT_EQ(st.mean.has_value(), row.mean);
  EXPECT_EQ(st.s.has_value(), row.s);
  EXPECT_EQ(st.cp.has_value(), row.capability);
  EXPECT_EQ(st.cpk.has_value(), row.capability);
}

INSTANTIATE_TEST_SUITE_P(
    LogStatistics, LogStatisticsFew,
    ::testing::Values(FewRow{"none", {}, false, false, false},
                      FewRow{"one", {10.0}, true, false, false},
                      FewRow{"four", {10.0, 10.01, 10.02, 10.03}, true, true, false},
                      // No spread: a capability would be a division by zero.
                      FewRow{"five_equal", {10.0, 10.0, 10.0, 10.0, 10.0}, true, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

LogEntry Entry(const std::string& measured, LogDimension dimension, bool isVoid = false) {
  LogEntry e;
  e.measured = measured;
  e.dimension = dimension;
  e.nominal = "10.000";
  e.upper = "10.050";
  e.lower = "9.950";
  if (isVoid) e.voidReason = "Messfehler";
  return e;
}

TEST(LogSeries, NewestValidRecordChoosesDimensionAndLimits) {
  // Newest first, as the log gives them.
  std::vector<LogEntry> entries = {
      Entry("10.5", LogDimension::kTest, true),  // void: neither counted nor setting the limits
      Entry("10,02", LogDimension::kTest),
      Entry("47.1", LogDimension::kSpan),  // another dimension of the same gear
      Entry("x", LogDimension::kTest),     // no number
      Entry("10.01", LogDimension::kTest)};
  entries[1].upper = "10.060";
  const LogSeries series = SeriesOf(entries);
  ASSERT_EQ(series.dimension, LogDimension::kTest);
  EXPECT_EQ(series.values, (std::vector<double>{10.01, 10.02}));  // oldest first
  EXPECT_DOUBLE_EQ(series.upper, 10.06);
  EXPECT_DOUBLE_EQ(series.lower, 9.95);
  EXPECT_DOUBLE_EQ(series.nominal, 10.0);
  EXPECT_FALSE(SeriesOf({Entry("10", LogDimension::kTest, true)}).dimension);
}

}  // namespace
}  // namespace silvarone
