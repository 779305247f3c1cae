// Back-calculation of the actual generating profile shift from a measured
// test dimension.
#include "device/back_calculation.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "core/check_dimension.h"
#include "core/modes.h"
#include "row_name.h"
#include "test_gear.h"

namespace silvarone {
namespace {

using testing::GearInput;
using testing::MakeGear;

// A text that parses back to exactly this double.
std::string ExactText(double value) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr;
  return std::string(buffer, end);
}

// The test dimension the instrument shows for a gear cut with profile shift xE.
double TestDimensionAt(const Gear& gear, double xE) {
  Gear probe = gear;
  TGear x = probe.rec.x;
  x.value = xE;
  const double q = CheckDimensionFor(probe, BallFormOf(probe), x);
  return static_cast<double>(TestDimension(probe, q));
}

struct KnownShiftCase {
  const char* name;
  GearInput in;
  double xE;
};

SILVARONE_PRINT_ROW_NAME(KnownShiftCase)

class BackCalculatedGear : public ::testing::TestWithParam<KnownShiftCase> {};

TEST_P(BackCalculatedGear, RecoversAKnownProfileShift) {
  const KnownShiftCase& c = GetParam();
  Gear gear = MakeGear(c.in);
  const double measured = TestDimensionAt(gear, c.xE);
  BackCalculation back;
  const auto outcome = back.Run(gear, FormatFixed(measured, 15, 9));
  ASSERT_EQ(outcome, BackCalculationOutcome::kSucceeded) << c.in.z << " " << c.xE;
  EXPECT_TRUE(back.valid);
  // Within the fine step of 0.0001.
  EXPECT_NEAR(gear.rec.xE_working.value, c.xE, 1.5e-4) << c.in.z;
  EXPECT_EQ(back.xEText, gear.rec.xE_working.text);
  // Wkreal and MdKreal are the span and ball dimensions of that profile shift.
  Gear probe = gear;
  TGear up, low;
  SpanFromXe(probe, probe.rec.Wk_mode, up, low, {}, gear.rec.xE_working.value,
             gear.rec.k_given.value);
  EXPECT_EQ(back.WkText, probe.rec.Wk_mode.text);
  EXPECT_FALSE(back.MdkText.empty());
}

INSTANTIATE_TEST_SUITE_P(
    BackCalculation, BackCalculatedGear,
    ::testing::Values(
        KnownShiftCase{"SpurExternal_z20_xEMinus0p05", {}, -0.05},
        KnownShiftCase{"SpurExternal_z20_xE0p12", {}, 0.12},
        KnownShiftCase{
            "HelicalExternal_z21_beta15_xEMinus0p031", {.z = "21", .beta = "15"}, -0.031},
        KnownShiftCase{"SpurInternal_z40_xEMinus0p07", {.z = "-40", .k_M = "-5"}, -0.07},
        KnownShiftCase{
            "HelicalInternal_z41_beta20_xE0p04", {.z = "-41", .beta = "20", .k_M = "-5"}, 0.04}),
    testing::RowName);

// Round trip over profile shifts near the coarse grid: the coarse pass steps
// by bigStepSize (0.1) from the drawing's x and lands on the grid point
// nearest the actual xE; the fine pass must then scan from the side of that
// grid point that holds xE. A value just below or just above a grid point
// tells a fine pass that starts on the wrong side: it would stop up to a tenth
// of a coarse step away. The result must lie within the fine step (0.0001).
struct RoundTripCase {
  std::string name;
  GearInput in;
  double xE;
};

SILVARONE_PRINT_ROW_NAME(RoundTripCase)

std::vector<RoundTripCase> RoundTripCases() {
  struct NamedGear {
    const char* name;
    GearInput in;
  };
  const std::vector<NamedGear> gears = {
      {"SpurExternal", {}},
      {"HelicalExternal", {.z = "21", .beta = "15"}},
      // Internal gears with a 2.5 mm ball: with a larger one the contact
      // reaches the base circle within the ten coarse steps the scan runs
      // past its best, and beyond it the test dimension turns back and meets
      // the measured value a second time.
      {"SpurInternal", {.z = "-40", .k_M = "-5", .D_M = "2.5"}},
      {"HelicalInternal", {.z = "-41", .beta = "20", .k_M = "-5", .D_M = "2.5"}},
  };
  struct Start {
    const char* name;
    const char* x;
    double value;
  };
  const std::vector<Start> starts = {{"FromX0", "0", 0.0}, {"FromX0p15", "0.15", 0.15}};
  struct Steps {
    const char* name;
    int k;
  };
  const std::vector<Steps> steps = {{"MinusOneStep", -1}, {"SameStep", 0}, {"PlusTwoSteps", 2}};
  struct Offset {
    const char* name;
    double delta;
  };
  const std::vector<Offset> offsets = {
      {"Below0p0093", -0.0093}, {"Below0p003", -0.003}, {"Below0p0004", -0.0004},
      {"Above0p0004", 0.0004},  {"Above0p003", 0.003},  {"Above0p0093", 0.0093},
  };
  std::vector<RoundTripCase> cases;
  for (const NamedGear& gear : gears) {
    for (const Start& start : starts) {
      for (const Steps& step : steps) {
        for (const Offset& offset : offsets) {
          GearInput in = gear.in;
          in.x = start.x;
          cases.push_back(
              {std::string(gear.name) + "_" + start.name + "_" + step.name + "_" + offset.name, in,
               start.value + step.k * 0.1 + offset.delta});
        }
      }
    }
  }
  return cases;
}

class BackCalculationRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(BackCalculationRoundTrip, FindsTheProfileShiftWithinTheFineStep) {
  const RoundTripCase& c = GetParam();
  Gear gear = MakeGear(c.in);
  ASSERT_EQ(gear.rec.bigStepSize.value, 0.1);
  ASSERT_EQ(gear.rec.smallStepSize.value, 0.0001);
  const double measured = TestDimensionAt(gear, c.xE);
  BackCalculation back;
  ASSERT_EQ(back.Run(gear, FormatFixed(measured, 15, 9)), BackCalculationOutcome::kSucceeded);
  EXPECT_LE(std::fabs(gear.rec.xE_working.value - c.xE), 0.0001)
      << "xE " << c.xE << " found " << gear.rec.xE_working.value;
}

INSTANTIATE_TEST_SUITE_P(NearTheCoarseGrid, BackCalculationRoundTrip,
                         ::testing::ValuesIn(RoundTripCases()),
                         [](const ::testing::TestParamInfo<RoundTripCase>& info) {
                           return info.param.name;
                         });

TEST(BackCalculation, RefusesImplausibleAndUnconvertibleValues) {
  Gear gear = MakeGear({});
  const double nominal = TestDimensionAt(gear, 0.0);
  BackCalculation back;
  EXPECT_EQ(back.Run(gear, ExactText(nominal + 5.0)), BackCalculationOutcome::kImplausible);
  EXPECT_EQ(back.Run(gear, ExactText(nominal - 5.0)), BackCalculationOutcome::kImplausible);
  EXPECT_FALSE(back.valid);
  // 4.999 mm away is searched (and far outside any sensible profile shift).
  EXPECT_NE(back.Run(gear, FormatFixed(nominal + 4.999, 15, 6)),
            BackCalculationOutcome::kImplausible);
  EXPECT_EQ(back.Run(gear, "abc"), BackCalculationOutcome::kRejected);
  EXPECT_EQ(back.Run(gear, "1001"), BackCalculationOutcome::kRejected);
}

struct NominalCase {
  const char* name;
  GearInput in;
};

SILVARONE_PRINT_ROW_NAME(NominalCase)

class NominalGear : public ::testing::TestWithParam<NominalCase> {};

// The scan's window is 200 * |measured - computed| wide, zero here: the
// gear is exactly nominal, its xE is the drawing's x, spur and helical.
TEST_P(NominalGear, MeasuredExactlyAtTheNominalTestDimensionIsTheDrawingsProfileShift) {
  const GearInput& in = GetParam().in;
  Gear gear = MakeGear(in);
  const double nominal = TestDimensionAt(gear, gear.rec.x.value);
  BackCalculation back;
  ASSERT_EQ(back.Run(gear, ExactText(nominal)), BackCalculationOutcome::kSucceeded) << in.z;
  EXPECT_EQ(gear.rec.xE_working.value, gear.rec.x.value);
  Gear probe = gear;
  TGear up, low;
  SpanFromXe(probe, probe.rec.Wk_mode, up, low, {}, gear.rec.x.value, gear.rec.k_given.value);
  EXPECT_EQ(back.WkText, probe.rec.Wk_mode.text);
  EXPECT_FALSE(back.MdkText.empty());
}

INSTANTIATE_TEST_SUITE_P(
    BackCalculation, NominalGear,
    ::testing::Values(NominalCase{"SpurExternal_z20_x0p15", {.x = "0.15"}},
                      NominalCase{"HelicalInternal_z41_beta20_xMinus0p2",
                                  {.z = "-41", .beta = "20", .x = "-0.2", .k_M = "-5"}}),
    testing::RowName);

TEST(BackCalculation, Pass1AtItsStepCapSkipsPass2) {
  Gear gear = MakeGear({});
  gear.rec.bigStepSize.value = 1e-7;  // too small to reach the measured value in 500 steps
  const double measured = TestDimensionAt(gear, -0.05);
  BackCalculation back;
  std::vector<int> bar;
  back.progress = [&](int position) { bar.push_back(position); };
  EXPECT_EQ(back.Run(gear, FormatFixed(measured, 15, 9)), BackCalculationOutcome::kNotFound);
  // 501 steps of pass 1, none of pass 2; the bar cycles 0..100.
  ASSERT_EQ(bar.size(), 501u);
  EXPECT_EQ(bar[0], 0);
  EXPECT_EQ(bar[100], 100);
  EXPECT_EQ(bar[101], 0);
}

TEST(BackCalculation, ScanStopsNineStepsAfterTheLastImprovement) {
  Gear gear = MakeGear({});
  BackCalculation back;
  const double measured = TestDimensionAt(gear, 0.3);
  // Upwards from 0 in steps of 0.1: the best is 0.3 at step 4, then 9 more steps.
  const ScanResult scan = back.Scan(gear, -1000, 1000, 0.1, 500, 0.0, measured, 1);
  EXPECT_TRUE(scan.found);
  EXPECT_NEAR(scan.best, 0.3, 1e-12);
  EXPECT_EQ(scan.steps, 13);
  EXPECT_LT(scan.smallest, 1e-9);
}

TEST(BackCalculation, DirectionAndDiscard) {
  EXPECT_EQ(Direction(10.0, 9.0), 0);
  EXPECT_EQ(Direction(9.0, 10.0), 1);
  EXPECT_EQ(Direction(10.0, 10.0), 1);
  BackCalculation back;
  back.valid = true;
  back.xEText = "0.1";
  back.WkText = "15";
  back.MdkText = "44";
  back.Discard();
  EXPECT_FALSE(back.valid);
  EXPECT_TRUE(back.xEText.empty() && back.WkText.empty() && back.MdkText.empty());
}

}  // namespace
}  // namespace silvarone
