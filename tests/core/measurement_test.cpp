// Span measurement, dimension over balls, the recommendations and the
// conversions between Wk, MdK and xE. Expected values are hand calculations
// from the textbook formulas (shown beside them) or the printed examples of
// the gear data sheets this program replaces.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "core/balls.h"
#include "core/modes.h"
#include "core/span.h"
#include "row_name.h"
#include "test_gear.h"

namespace silvarone {
namespace {

using testing::GearInput;
using testing::Inv;
using testing::MakeGear;

constexpr double kDeg = 3.14159265358979323846 / 180.0;

TEST(HelixFactorTable, MatchesInvoluteRatioToFourDecimals) {
  for (int beta = 0; beta <= 45; ++beta) {
    // K = inv alpha_t / inv alpha_n, alpha_t = atan(tan 20 / cos beta)
    const double alphaT = std::atan(std::tan(20 * kDeg) / std::cos(beta * kDeg)) / kDeg;
    const double k = Inv(alphaT) / Inv(20.0);
    // Rows 18, 26 and 31 stand as printed in the data sheet, 0.0001 above the rounding.
    const bool printedHigh = beta == 18 || beta == 26 || beta == 31;
    EXPECT_NEAR(HelixFactorTable[static_cast<std::size_t>(beta)], k,
                printedHigh ? 0.00015 : 0.00005)
        << beta;
  }
}

TEST(HelixFactorTable, PrintedRowsAndLookup) {
  const std::vector<std::pair<double, double>> rows = {
      {0, 1.0000},  {10, 1.0447}, {15, 1.1039}, {18, 1.1538}, {20, 1.1938},   {26, 1.3543},
      {30, 1.5038}, {31, 1.5480}, {40, 2.1185}, {45, 2.6414}, {15.2, 1.1192}, {0.5, 1.0004},
  };
  for (const auto& [beta, factor] : rows)
    EXPECT_DOUBLE_EQ(HelixFactor(beta), factor) << beta;
  EXPECT_DOUBLE_EQ(HelixFactorTimesTeeth(15.0, 20.0), 1.1039 * 20.0);
}

TEST(BallFactorTable, PrintedRowsAndLookup) {
  const std::vector<std::pair<double, double>> rows = {
      {0, 1.0000}, {0.5, 1.0005}, {10, 1.0518}, {14.5, 1.1212}, {30, 1.6075}, {45, 3.1383},
  };
  for (const auto& [beta, factor] : rows)
    EXPECT_DOUBLE_EQ(BallFactor(beta), factor) << beta;
  for (std::size_t i = 1; i < BallFactorTable.size(); ++i) {
    EXPECT_GT(BallFactorTable[i], BallFactorTable[i - 1]) << "row " << i;
  }
}

struct SpanCase {
  const char* name;
  GearInput in;
  double W_k, Wke, Wki;
};

SILVARONE_PRINT_ROW_NAME(SpanCase)

// W_k = 2 cos20 (2.5 pi + 20 * 0.01490438) = 1.87938524 * 8.15206965 = 15.320879;
// x = 0.5 adds 2*0.5*2*sin20 = 0.684040.
// A_Wke = cos20 * -50 / 1000 = -0.046985, A_Wki = cos20 * -80 / 1000 = -0.075175.
std::vector<SpanCase> SpanCases() {
  return {
      {"SpurExternal_z20", {}, 15.320879, 15.320879, 15.320879},
      {"SpurExternal_z20_x0p5", {.x = "0.5"}, 16.004919, 16.004919, 16.004919},
      {"SpurExternal_z20_Deviations",
       {.A_sne = "-50", .A_sni = "-80"},
       15.320879,
       15.273894,
       15.245703},
      // Internal gear z = -20, k = -3: the bracket is (-3 + 0.5) pi - 20 inv 20.
      {"SpurInternal_z20", {.z = "-20", .k_M = "-3"}, -15.320879, -15.320879, -15.320879},
      // Limits always below the nominal value, also for an internal gear.
      {"SpurInternal_z20_Deviations",
       {.z = "-20", .k_M = "-3", .A_sne = "-50", .A_sni = "-80"},
       -15.320879,
       -15.367863,
       -15.396054},
  };
}

class SpanGear : public ::testing::TestWithParam<SpanCase> {};

TEST_P(SpanGear, NominalAndLimits) {
  const SpanCase& c = GetParam();
  Gear gear = MakeGear(c.in);
  BasicGeometry(gear, gear.rec.x);
  SpanMeasurement(gear);
  EXPECT_NEAR(gear.rec.W_k.value, c.W_k, 1e-6) << c.name;
  EXPECT_NEAR(gear.rec.Wke.value, c.Wke, 1e-6) << c.name;
  EXPECT_NEAR(gear.rec.Wki.value, c.Wki, 1e-6) << c.name;
}

INSTANTIATE_TEST_SUITE_P(SpanMeasurement, SpanGear, ::testing::ValuesIn(SpanCases()),
                         testing::RowName);

TEST(SpanMeasurement, TextsOfNominalAndDeviations) {
  // W_k = 15.320879; A_Wke = cos20 * -50 / 1000 = -0.046985,
  // A_Wki = cos20 * -80 / 1000 = -0.075175.
  Gear gear = MakeGear({.A_sne = "-50", .A_sni = "-80"});
  BasicGeometry(gear, gear.rec.x);
  SpanMeasurement(gear);
  EXPECT_EQ(gear.rec.W_k.text, "15.3209");
  EXPECT_EQ(gear.rec.A_Wke.text, "-0.0470");
  EXPECT_EQ(gear.rec.A_Wki.text, "-0.0752");
}

struct ToothCountCase {
  const char* name;
  GearInput in;
  double alpha_x;
  double k_span;
};

SILVARONE_PRINT_ROW_NAME(ToothCountCase)

class SpanToothCountGear : public ::testing::TestWithParam<ToothCountCase> {};

TEST_P(SpanToothCountGear, StandardRule) {
  const ToothCountCase& c = GetParam();
  Gear gear = MakeGear(c.in);
  BasicGeometry(gear, gear.rec.x);
  SpanToothCount(gear, gear.rec.x);
  EXPECT_NEAR(gear.rec.alpha_x.value, c.alpha_x, 1e-9) << c.in.z << " x " << c.in.x;
  EXPECT_EQ(gear.rec.k_span.value, c.k_span) << c.in.z << " x " << c.in.x;
  EXPECT_EQ(gear.rec.k_span_value.value, c.k_span);
}

INSTANTIATE_TEST_SUITE_P(
    SpanToothCount, SpanToothCountGear,
    ::testing::Values(
        // alpha_x = 20, r = 20 * 20 / 180 = 2.222, k = int(3.222) = 3
        ToothCountCase{"SpurExternal_z20", {}, 20.0, 3},
        ToothCountCase{"SpurInternal_z20", {.z = "-20"}, 20.0, -3},
        // x = -3: d_x = 40 - 12 = 28, c = cos20 * 40 / 28 = 1.342 > 1, alpha_x = 0, k = 1
        ToothCountCase{"SpurExternal_z20_xMinus3", {.x = "-3"}, 0.0, 1},
        // z = 60: r = 60 * 20 / 180 = 6.667, k = 7
        ToothCountCase{"SpurExternal_z60", {.z = "60"}, 20.0, 7}),
    testing::RowName);

TEST(RecommendedBall, VirtualSpurGear) {
  // z_nM = 20, alpha_vnM = 20, alpha_KnM = (pi/40 + tan20 - inv20) * 180/pi = 24.5000,
  // D = cos20 * 40 * (tan 24.5 - tan 20) = 3.4489
  Gear gear = MakeGear({});
  BasicGeometry(gear, gear.rec.x);
  RecommendedBallDiameter(gear, gear.rec.x, gear.rec.D_M_recommended);
  EXPECT_EQ(gear.rec.z_nM.text, "20.0000");
  EXPECT_EQ(gear.rec.alpha_vnM.text, "20.0000");
  EXPECT_EQ(gear.rec.alpha_KnM.text, "24.5000");
  EXPECT_EQ(gear.rec.D_M_recommended.text, "3.4489");

  // beta = 0.5 takes K_M(1) = 1.0005
  Gear helical = MakeGear({.beta = "0.5"});
  RecommendedBallDiameter(helical, helical.rec.x, helical.rec.D_M_recommended);
  EXPECT_DOUBLE_EQ(helical.rec.z_nM.value, 20.0 * 1.0005);

  // x = -3 on 20 teeth: c = cos20 * 20 / 14 > 1, the angle of the last run stays.
  Gear shifted = MakeGear({});
  shifted.rec.alpha_vnM.value = 12.5;
  TGear x = shifted.rec.x;
  x.value = -3.0;
  RecommendedBallDiameter(shifted, x, shifted.rec.D_M_recommended);
  EXPECT_EQ(shifted.rec.alpha_vnM.value, 12.5);
}

struct BallCase {
  const char* name;
  GearInput in;
  double alpha_kt, M_dk, AMd;
};

SILVARONE_PRINT_ROW_NAME(BallCase)

class BallGear : public ::testing::TestWithParam<BallCase> {};

TEST_P(BallGear, EvenOddSpurHelical) {
  const BallCase& c = GetParam();
  Gear gear = MakeGear(c.in);
  BasicGeometry(gear, gear.rec.x);
  DimensionOverBalls(gear, gear.rec.DM_given);
  EXPECT_NEAR(gear.rec.alpha_kt.value, c.alpha_kt, 1e-6) << c.name;
  EXPECT_NEAR(gear.rec.M_dk.value, c.M_dk, 1e-6) << c.name;
  EXPECT_NEAR(gear.rec.AMd_star.value, c.AMd, 1e-6) << c.name;
}

// inv alpha_kt = D / (d_b cos beta_b) - e_bt / d_b, solved by bisection by hand:
//   z 20: e_bt = 2.391910, d_b = 37.587705 -> alpha_kt 24.868727, d_Kt = 41.429290,
//         M = d_Kt + D = 44.929290; AMd = cos20 / sin alpha_kt = 2.234487
//   z 21: e_bt = 2.363899, d_b = 39.467090 -> alpha_kt 24.682044, d_Kt = 43.435386,
//         M = d_Kt cos(pi/42) + D = 46.813932; AMd = 2.250317 (spur: no odd factor)
//   z 21, beta 10: alpha_kt 24.861177, M = 47.465742,
//         AMd = cos alpha_t / (sin alpha_kt cos 10) * cos(pi/42) = 2.259152
INSTANTIATE_TEST_SUITE_P(
    DimensionOverBalls, BallGear,
    ::testing::Values(BallCase{"SpurExternal_z20_EvenTeeth", {}, 24.868727, 44.929290, 2.234487},
                      BallCase{
                          "SpurExternal_z21_OddTeeth", {.z = "21"}, 24.682044, 46.813932, 2.250317},
                      BallCase{"HelicalExternal_z21_beta10_OddTeeth",
                               {.z = "21", .beta = "10"},
                               24.861177,
                               47.465742,
                               2.259152}),
    testing::RowName);

TEST(DimensionOverBalls, LimitsFollowTheDeviations) {
  // z 20: M_dk = 44.929290, AMd = 2.234487 (see above).
  // A_sne = -50: A_Mdke = -0.05 AMd, MdKe = M_dk - 0.05 |AMd|
  Gear gear = MakeGear({.A_sne = "-50", .A_sni = "-80"});
  BasicGeometry(gear, gear.rec.x);
  DimensionOverBalls(gear, gear.rec.DM_given);
  EXPECT_NEAR(gear.rec.A_Mdke.value, -0.05 * 2.234487, 1e-6);
  EXPECT_NEAR(gear.rec.MdKe.value, 44.929290 - 0.05 * 2.234487, 1e-6);
  EXPECT_NEAR(gear.rec.MdKi.value, 44.929290 - 0.08 * 2.234487, 1e-6);
}

TEST(BallRange, BelowAboveOutOf) {
  Gear gear;
  gear.rec.D_M_min.value = 2.0;
  gear.rec.D_M_max.value = 5.0;
  for (const auto& [ball, below, above] : std::vector<std::tuple<double, bool, bool>>{
           {1.9, true, false}, {2.0, false, false}, {5.0, false, false}, {5.1, false, true}}) {
    gear.rec.D_M.value = ball;
    EXPECT_EQ(BallBelowMinimum(gear), below) << ball;
    EXPECT_EQ(BallAboveMaximum(gear), above) << ball;
    EXPECT_EQ(BallOutOfRange(gear), below || above) << ball;
  }
}

// The mode-0 run of a gear, as the comparison table shows it.
struct ModeRun {
  double Wk, Wke, Wki, Mdk, Mdke, Mdki, xE, xEe, xEi;
};

ModeRun RunStandard(Gear& gear) {
  FullCalculation(gear, BallFormOf(gear), gear.rec.x);
  ModeCalculation(gear, kModeStandard);
  const GearRecords& r = gear.rec;
  return {r.Wk_mode.value,  r.Wke_mode.value,  r.Wki_mode.value,
          r.Mdk_mode.value, r.Mdke_mode.value, r.Mdki_mode.value,
          r.xE.value,       r.xEe.value,       r.xEi.value};
}

TEST(ModeCalculation, StandardWithoutDeviationsGivesEqualLimits) {
  Gear gear = MakeGear({.x = "0.2"});
  const ModeRun run = RunStandard(gear);
  EXPECT_EQ(run.Wke, run.Wk);
  EXPECT_EQ(run.Wki, run.Wk);
  EXPECT_EQ(run.Mdke, run.Mdk);
  EXPECT_EQ(run.Mdki, run.Mdk);
  EXPECT_NEAR(run.xE, 0.2, 1e-12);
  EXPECT_EQ(run.xEe, run.xE);
  EXPECT_EQ(run.xEi, run.xE);
  // Mode 0 span equals the full calculation's for the same k and ball.
  EXPECT_NEAR(run.Wk, gear.rec.W_k.value, 1e-12);
  EXPECT_NEAR(run.Mdk, gear.rec.M_dk.value, 1e-9);
}

struct ConversionCase {
  const char* name;
  GearInput in;
};

SILVARONE_PRINT_ROW_NAME(ConversionCase)

class ConvertedGear : public ::testing::TestWithParam<ConversionCase> {};

// Mode 1 fed with the Wk of a mode-0 run and mode 2 fed with its MdK give
// back the run's xE and the other dimensions; mode 3 fed with its xE too.
TEST_P(ConvertedGear, ConversionsAreInverse) {
  const GearInput& in = GetParam().in;
  Gear gear = MakeGear(in);
  const ModeRun standard = RunStandard(gear);
  GearRecords& r = gear.rec;
  const std::string what = "z " + in.z + " beta " + in.beta;

  // A given value as the window holds it: its number and its text.
  const auto give = [](std::initializer_list<std::pair<TGear*, double>> values) {
    for (const auto& [given, value] : values) {
      given->value = value;
      FormatParameter(*given, 15, 10);
    }
  };

  give({{&r.Wk_given, standard.Wk}, {&r.Wke_given, standard.Wke}, {&r.Wki_given, standard.Wki}});
  ModeCalculation(gear, kModeGivenSpan);
  EXPECT_NEAR(r.xE.value, standard.xE, 1e-9) << what;
  EXPECT_NEAR(r.xEe.value, standard.xEe, 1e-9) << what;
  EXPECT_NEAR(r.xEi.value, standard.xEi, 1e-9) << what;
  // Deviations come back as magnitudes below the nominal value.
  EXPECT_NEAR(r.A_upper_mode.value, std::fabs(r.A_sne.value), 1e-6) << what;
  EXPECT_NEAR(r.A_lower_mode.value, std::fabs(r.A_sni.value), 1e-6) << what;
  EXPECT_NEAR(r.Mdk_mode.value, standard.Mdk, 1e-8) << what;
  EXPECT_NEAR(r.Mdke_mode.value, standard.Mdke, 1e-8) << what;
  EXPECT_NEAR(r.Mdki_mode.value, standard.Mdki, 1e-8) << what;

  give({{&r.Mdk_given, standard.Mdk},
        {&r.Mdke_given, standard.Mdke},
        {&r.Mdki_given, standard.Mdki}});
  ModeCalculation(gear, kModeGivenBallDimension);
  EXPECT_NEAR(r.xE.value, standard.xE, 1e-7) << what;
  EXPECT_NEAR(r.Wk_mode.value, standard.Wk, 1e-7) << what;
  EXPECT_NEAR(r.Wke_mode.value, standard.Wke, 1e-6) << what;
  EXPECT_NEAR(r.Wki_mode.value, standard.Wki, 1e-6) << what;

  r.Xe_given.value = standard.xE;
  r.Xee_given.value = standard.xEe;
  r.Xei_given.value = standard.xEi;
  ModeCalculation(gear, kModeGivenProfileShift);
  EXPECT_NEAR(r.Wk_xE.value, standard.Wk, 1e-9) << what;
  EXPECT_NEAR(r.Wki_xE.value, standard.Wki, 1e-9) << what;
  EXPECT_NEAR(r.Mdk_xE.value, standard.Mdk, 1e-8) << what;
  EXPECT_NEAR(r.Mdke_xE.value, standard.Mdke, 1e-8) << what;
}

INSTANTIATE_TEST_SUITE_P(
    ModeCalculation, ConvertedGear,
    ::testing::Values(
        ConversionCase{"SpurExternal_z20", {.A_sne = "-50", .A_sni = "-80"}},
        ConversionCase{"SpurExternal_z21_x0p3",
                       {.z = "21", .x = "0.3", .A_sne = "-40", .A_sni = "-100"}},
        ConversionCase{
            "HelicalExternal_z33_beta15_xMinus0p2",
            {.z = "33", .beta = "15", .x = "-0.2", .k_M = "4", .A_sne = "-60", .A_sni = "-90"}},
        ConversionCase{"SpurInternal_z40_x0p1",
                       {.z = "-40", .x = "0.1", .k_M = "-5", .A_sne = "-50", .A_sni = "-80"}},
        ConversionCase{"HelicalInternal_z41_beta20",
                       {.z = "-41", .beta = "20", .k_M = "-5", .A_sne = "-30", .A_sni = "-70"}}),
    testing::RowName);

TEST(ModeCalculation, GivenBallDimensionDoesNotDependOnThePreviousRun) {
  Gear gear = MakeGear({.z = "21", .A_sne = "-50", .A_sni = "-80"});
  GearRecords& r = gear.rec;
  FullCalculation(gear, BallForm::kSpur, r.x);
  r.Mdk_given.text = "46.8";
  r.Mdke_given.text = "46.7";
  r.Mdki_given.text = "46.62";
  ValidateInputs(gear);
  ModeCalculation(gear, kModeGivenBallDimension);
  const double wke = r.Wke_mode.value;
  const double wki = r.Wki_mode.value;
  // Another ball leaves another ball-centre angle behind.
  TGear otherBall = r.DM_given;
  otherBall.value = 5.0;
  DimensionOverBalls(gear, otherBall);
  ModeCalculation(gear, kModeGivenBallDimension);
  EXPECT_EQ(r.Wke_mode.value, wke);
  EXPECT_EQ(r.Wki_mode.value, wki);
}

TEST(ModeCalculation, GivenBallDimensionOnTheBaseCircle) {
  // Even z and M - D = d_b: the ball centres lie on the base circle, inv alpha_kt = 0.
  Gear gear = MakeGear({});
  BasicGeometry(gear, gear.rec.x);
  TGear inv;
  InvAlphaFromBallDimension(gear, inv, gear.rec.d_b.value + 3.5, 3.5);
  EXPECT_EQ(inv.value, 0.0);
  // No finite deviation factor there: the deviations read 0, nothing is infinite.
  gear.rec.Mdk_given.value = gear.rec.d_b.value + 3.5;
  gear.rec.Mdke_given.value = gear.rec.Mdk_given.value - 0.1;
  gear.rec.Mdki_given.value = gear.rec.Mdk_given.value - 0.2;
  ModeCalculation(gear, kModeGivenBallDimension);
  EXPECT_EQ(gear.rec.A_upper_mode.value, 0.0);
  EXPECT_TRUE(std::isfinite(gear.rec.xE.value));
}

TEST(ModeCalculation, GivenProfileShiftWithoutUpperDeviation) {
  Gear gear = MakeGear({});
  GearRecords& r = gear.rec;
  FullCalculation(gear, BallForm::kSpur, r.x);
  r.Xe_given.value = 0.1;
  r.Xee_given.value = 0.1;
  r.Xei_given.value = 0.05;
  ModeCalculation(gear, kModeGivenProfileShift);
  EXPECT_EQ(r.A_upper_mode.value, 0.0);
  EXPECT_EQ(r.Wke_xE.value, r.Wk_xE.value);
  // A_lower = 2000 * 2 * tan20 * (0.05 - 0.1) = -72.794 um
  EXPECT_NEAR(r.A_lower_mode.value, -72.79404, 1e-5);
}

struct SignCase {
  const char* name;
  std::string z, wk, k;
  std::string wkAfter, kAfter;
};

SILVARONE_PRINT_ROW_NAME(SignCase)

class GivenValueSign : public ::testing::TestWithParam<SignCase> {};

TEST_P(GivenValueSign, FollowsTheGearType) {
  const SignCase& c = GetParam();
  Gear gear = MakeGear({.z = c.z});
  gear.rec.Wk_given.text = c.wk;
  gear.rec.k_given.text = c.k;
  ReSignGivenValues(gear);
  EXPECT_EQ(gear.rec.Wk_given.text, c.wkAfter) << c.z << " " << c.wk;
  EXPECT_EQ(gear.rec.k_given.text, c.kAfter) << c.z << " " << c.k;
  EXPECT_EQ(gear.rec.Wk_given.status, kStatusValid);
  // Not entered: left alone, the marker is not turned into a dimension.
  EXPECT_EQ(gear.rec.Mdk_given.value, kGivenDimensionUnset);
}

INSTANTIATE_TEST_SUITE_P(
    ModeCalculation, GivenValueSign,
    ::testing::Values(SignCase{"Internal_PositiveGiven", "-20", "15.3", "3", "-15.3000", "-3"},
                      SignCase{"Internal_NegativeGiven", "-20", "-15.3", "-3", "-15.3000", "-3"},
                      SignCase{"External_NegativeGiven", "20", "-15.3", "-3", "15.3000", "3"},
                      SignCase{"External_PositiveGiven", "20", "15.3", "3", "15.3000", "3"}),
    testing::RowName);

}  // namespace
}  // namespace silvarone
