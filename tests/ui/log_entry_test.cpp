#include "ui/log_entry.h"

#include <gtest/gtest.h>

#include "core/number_text.h"
#include "model_fixture.h"
#include "row_name.h"
#include "ui/log_statistics.h"

namespace silvarone {
namespace {

const LogContext kContext{{"2026-12-09T07:00:00Z", 60}, "pruef"};

double Number(const std::string& text) {
  return *LogNumber(text);
}

// The span of the spur gear m 2, z 20, alpha 20, x 0 over k = 3 teeth, by
// hand: inv 20 = tan 20 - 0.3490659 = 0.0149044;
//   Wk  = 2 cos 20 (2.5 pi + 20 inv 20) = 1.8793852 x 8.1520693 = 15.32088
// and its limits with the DIN 3967 deviations of d = 40 (A_sne -44, A_sni -74):
//   Wke = 15.32088 - 0.044 cos 20 = 15.32088 - 0.04135 = 15.27953
//   Wki = 15.32088 - 0.074 cos 20 = 15.32088 - 0.06954 = 15.25134
struct VerdictRow {
  const char* name;
  const char* measured;
  LogVerdict verdict;
};
SILVARONE_PRINT_ROW_NAME(VerdictRow)

class LogEntrySpan : public Window, public ::testing::WithParamInterface<VerdictRow> {};

TEST_P(LogEntrySpan, JudgesTheMeasuredSpanAgainstThePagesLimits) {
  Start();
  ExternalSpurGear(model);
  const auto entry =
      MakeLogEntry(model, {GetParam().measured, LogDimension::kSpan, "S-1"}, kContext);
  ASSERT_TRUE(entry);
  EXPECT_NEAR(Number(entry->nominal), 15.32088, 0.0006);
  EXPECT_NEAR(Number(entry->upper), 15.27953, 0.0006);
  EXPECT_NEAR(Number(entry->lower), 15.25134, 0.0006);
  EXPECT_EQ(entry->verdict, GetParam().verdict);
  EXPECT_EQ(entry->backCalculation, LogBackCalculation::kNotRun);
  EXPECT_EQ(entry->dimension, LogDimension::kSpan);
  EXPECT_EQ(entry->gear.m_n, 2.0);
  EXPECT_EQ(entry->gear.z, 20.0);
  EXPECT_EQ(entry->serial, "S-1");
  EXPECT_EQ(entry->user, "pruef");
  EXPECT_EQ(entry->recordedUtc, "2026-12-09T07:00:00Z");
}

INSTANTIATE_TEST_SUITE_P(Log, LogEntrySpan,
                         ::testing::Values(VerdictRow{"above", "15.282", LogVerdict::kAbove},
                                           VerdictRow{"within", "15,265", LogVerdict::kWithin},
                                           VerdictRow{"below", " 15.249 ", LogVerdict::kBelow}),
                         testing::RowName);

TEST_F(Window, ALogEntryOnALimitIsWithin) {
  Start();
  ExternalSpurGear(model);
  const std::string upper = Text("Edit101");
  const std::string lower = Text("Edit102");
  for (const std::string& measured : {upper, lower}) {
    const auto entry = MakeLogEntry(model, {measured, LogDimension::kSpan}, kContext);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->verdict, LogVerdict::kWithin) << measured;
  }
}

// The lower test dimension measured: within, and its back-calculated
// profile shift is the lower generating profile shift, by hand
//   xEi = x + A_sni / (2 m_n tan 20) = -0.074 / (4 x 0.3639702) = -0.05083
TEST_F(Window, AMeasuredTestDimensionIsBackCalculated) {
  Start();
  ExternalSpurGear(model);
  const std::string lower = model.gear().rec.Q_plus_D_M_lower.text;
  const auto entry = MakeLogEntry(model, {lower, LogDimension::kTest, ""}, kContext);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->lower, lower);
  EXPECT_EQ(entry->verdict, LogVerdict::kWithin);
  EXPECT_EQ(entry->backCalculation, LogBackCalculation::kSucceeded);
  EXPECT_NEAR(Number(entry->xE), -0.05083, 0.0002);
}

TEST_F(Window, AFailedBackCalculationIsRecordedAsFailed) {
  Start();
  ExternalSpurGear(model);
  const std::string far = FormatFixed(model.gear().rec.Q_plus_D_M.value + 6.0, 15, 3);
  const auto entry = MakeLogEntry(model, {far, LogDimension::kTest, ""}, kContext);
  ASSERT_TRUE(entry);
  EXPECT_EQ(presenter.TakeTexts(),
            std::vector<std::string>{"Rückrechnung nicht möglich! Bitte Parameter korrigieren!"});
  EXPECT_EQ(entry->verdict, LogVerdict::kAbove);
  EXPECT_EQ(entry->backCalculation, LogBackCalculation::kFailed);
  EXPECT_EQ(entry->xE, "");
}

TEST_F(Window, ALogEntryNeedsTheCalculationPageAndANumber) {
  Start();
  auto refused = MakeLogEntry(model, {"15.3", LogDimension::kSpan}, kContext);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.problem(), LogEntryRefusal::kNotCalculated);
  ExternalSpurGear(model);
  refused = MakeLogEntry(model, {"15,3x", LogDimension::kSpan}, kContext);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.problem(), LogEntryRefusal::kNotANumber);
}

}  // namespace
}  // namespace silvarone
