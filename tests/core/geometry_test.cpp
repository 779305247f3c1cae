// Gear geometry and the inverse involute. Expected values are hand
// calculations from the textbook formulas, shown next to each number.
#include "core/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "row_name.h"
#include "test_gear.h"

namespace silvarone {
namespace {

using testing::Inv;

// A gear of these drawing data, with profile shift 0.
Gear MakeGear(const std::string& m_n, const std::string& z, const std::string& alpha_n,
              const std::string& beta) {
  return testing::MakeGear({.m_n = m_n, .z = z, .alpha_n = alpha_n, .beta = beta});
}

struct GeometryCase {
  const char* name;
  std::string m_n, z, alpha_n, beta;
  double x;
  // expected
  double m_t, d, alpha_t, d_b, beta_b, p_t, s_t, e_t, s_bt, d_Na, d_Nf;
};

SILVARONE_PRINT_ROW_NAME(GeometryCase)

std::vector<GeometryCase> GeometryCases() {
  return {
      // m_t = 2, d = 2*20 = 40, d_b = 40 cos 20 = 37.58770, p_t = 2 pi = 6.28319,
      // s_t = e_t = pi, s_bt = d_b (pi/40 + inv 20) = 37.58770 * 0.0934442 = 3.51235,
      // d_Na = 40 + 4, d_Nf = 40 - 5.
      {"SpurExternal_z20_x0", "2", "20", "20", "0", 0.0, 2.0, 40.0, 20.0, 37.58770483, 0.0,
       6.28318531, 3.14159265, 3.14159265, 3.51235302, 44.0, 35.0},
      // x = 0.5: s_t = pi + 2*0.5*2*tan 20 = 3.86953; e_t = 2 pi - s_t = 2.41365;
      // s_bt = d_b (2*0.5*tan20/20 + pi/40 + inv 20) = 4.19639.
      {"SpurExternal_z20_x0p5", "2", "20", "20", "0", 0.5, 2.0, 40.0, 20.0, 37.58770483, 0.0,
       6.28318531, 3.86953312, 2.41365219, 4.19639330, 44.0, 35.0},
      // Internal gear: the diameters carry the sign of z; the pitches do not.
      // s_bt = -37.58770 (pi/(-40) + inv 20) = -37.58770 * -0.0636354 = 2.39191.
      {"SpurInternal_z20_x0", "2", "-20", "20", "0", 0.0, 2.0, -40.0, 20.0, -37.58770483, 0.0,
       6.28318531, 3.14159265, 3.14159265, 2.39190985, -36.0, -45.0},
      // beta = 15: m_t = 2 / cos 15 = 2.07055, d = 41.41105, alpha_t = atan(tan20/cos15)
      // = 20.64690, beta_b = asin(sin15 cos20) = 14.07610, d_b = d cos alpha_t = 38.75127,
      // p_t = pi m_t = 6.50483, s_t = e_t = p_t / 2.
      {"HelicalExternal_z20_beta15", "2", "20", "20", "15", 0.0, 2.07055236, 41.41104722,
       20.64689649, 38.75126702, 14.07609542, 6.50483209, 3.25241604, 3.25241604, 0.0, 45.41104722,
       36.41104722},
      // m_n 4, z 17, beta 30: d = 68 / cos 30 = 78.51964; the tip circle lies one module
      // above the reference circle: 86.51964 (not (z + 2) m_n = 76, inside d).
      {"HelicalExternal_m4_z17_beta30_TipAboveReference", "4", "17", "20", "30", 0.0, 4.61880215,
       78.51963661, 22.79587726, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 86.51963661, 68.51963661},
  };
}

class GearGeometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(GearGeometry, BasicGeometryAndDiameters) {
  const GeometryCase& c = GetParam();
  Gear gear = MakeGear(c.m_n, c.z, c.alpha_n, c.beta);
  TGear x = gear.rec.x;
  x.value = c.x;
  BasicGeometry(gear, x);
  Diameters(gear);
  const GearRecords& r = gear.rec;
  const auto near = [&](double actual, double expected, const char* name) {
    if (expected != 0.0) {  // 0: not checked for this gear
      EXPECT_NEAR(actual, expected, 5e-8 * std::fabs(expected)) << c.name << " " << name;
    }
  };
  near(r.m_t.value, c.m_t, "m_t");
  near(r.d.value, c.d, "d");
  near(r.alpha_t.value, c.alpha_t, "alpha_t");
  near(r.d_b.value, c.d_b, "d_b");
  near(r.beta_b.value, c.beta_b, "beta_b");
  near(r.p_t.value, c.p_t, "p_t");
  near(r.s_t.value, c.s_t, "s_t");
  near(r.e_t.value, c.e_t, "e_t");
  near(r.s_bt.value, c.s_bt, "s_bt");
  near(r.d_Na.value, c.d_Na, "d_Na");
  near(r.d_Nf.value, c.d_Nf, "d_Nf");
  EXPECT_EQ(r.d_f.value, r.d_Nf.value) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Geometry, GearGeometry, ::testing::ValuesIn(GeometryCases()),
                         testing::RowName);

// The normal-section values of a helical gear, checked against the normal
// section formulas of the gear standard (signed z for internal gears), which
// reach them without the transverse detour the program takes:
//   p_n  = pi m_n                       p_bn = p_n cos alpha_n
//   s_n  = m_n (pi/2 + 2 x tan alpha_n) e_n  = p_n - s_n
//   s_bn = m_n cos alpha_n (pi/2 + 2 x tan alpha_n + z inv alpha_t)
//   e_bn = p_bn - s_bn
// Gear m_n 2, z +-23, alpha_n 20, beta 15, x 0.3 (python3 with mpmath, 30 digits):
//   alpha_t = atan(tan 20 / cos 15) = 20.646896487 deg, inv alpha_t = 0.0164533898967
//   tan 20 = 0.363970234266, cos 20 = 0.939692620786
//   pi/2 + 2 x tan 20 = 1.570796326795 + 0.6 * 0.363970234266 = 1.78917846735
//   p_n  = pi * 2                     = 6.28318530718
//   s_n  = 2 * 1.78917846735          = 3.57835693471
//   e_n  = 6.28318530718 - 3.57835693471 = 2.70482837247
//   p_bn = 6.28318530718 * 0.939692620786 = 5.90426286819
//   z = 23:  z inv alpha_t = 0.378427967623
//     s_bn = 2 * 0.939692620786 * (1.78917846735 + 0.378427967623) = 4.07376754343
//     e_bn = 5.90426286819 - 4.07376754343 = 1.83049532475
//   z = -23: z inv alpha_t = -0.378427967623
//     s_bn = 2 * 0.939692620786 * (1.78917846735 - 0.378427967623) = 2.65134366874
//     e_bn = 5.90426286819 - 2.65134366874 = 3.25291919945
struct NormalSectionCase {
  const char* name;
  std::string z;
  double p_n, s_n, e_n, p_bn, s_bn, e_bn;
};

SILVARONE_PRINT_ROW_NAME(NormalSectionCase)

class NormalSection : public ::testing::TestWithParam<NormalSectionCase> {};

TEST_P(NormalSection, HelicalGearAgreesWithTheNormalSectionFormulas) {
  const NormalSectionCase& c = GetParam();
  Gear gear = testing::MakeGear({.m_n = "2", .z = c.z, .alpha_n = "20", .beta = "15", .x = "0.3"});
  ASSERT_EQ(gear.rec.x.value, 0.3);
  BasicGeometry(gear, gear.rec.x);
  const GearRecords& r = gear.rec;
  EXPECT_NEAR(r.p_n.value, c.p_n, 1e-9);
  EXPECT_NEAR(r.s_n.value, c.s_n, 1e-9);
  EXPECT_NEAR(r.e_n.value, c.e_n, 1e-9);
  EXPECT_NEAR(r.p_bn.value, c.p_bn, 1e-9);
  EXPECT_NEAR(r.s_bn.value, c.s_bn, 1e-9);
  EXPECT_NEAR(r.e_bn.value, c.e_bn, 1e-9);
  // What the user reads, with 4 decimals.
  EXPECT_EQ(r.s_n.text, "3.5784");
  EXPECT_EQ(r.e_n.text, "2.7048");
}

INSTANTIATE_TEST_SUITE_P(
    Geometry, NormalSection,
    ::testing::Values(NormalSectionCase{"external", "23", 6.28318530718, 3.57835693471,
                                        2.70482837247, 5.90426286819, 4.07376754343, 1.83049532475},
                      NormalSectionCase{"internal", "-23", 6.28318530718, 3.57835693471,
                                        2.70482837247, 5.90426286819, 2.65134366874,
                                        3.25291919945}),
    [](const ::testing::TestParamInfo<NormalSectionCase>& info) { return info.param.name; });

TEST(Geometry, TextsAreFormattedAtOnce) {
  Gear gear = MakeGear("2", "20", "20", "0");
  BasicGeometry(gear, gear.rec.x);
  Diameters(gear);
  const GearRecords& r = gear.rec;
  EXPECT_EQ(r.d.text, "40.0000");
  EXPECT_EQ(r.d_b.text, "37.5877");
  EXPECT_EQ(r.alpha_t.text, "20.0000");
  EXPECT_EQ(r.p_t.text, "6.2832");
  EXPECT_EQ(r.p_n.text, "6.2832");
  EXPECT_EQ(r.s_t.text, "3.1416");
  EXPECT_EQ(r.e_t.text, "3.1416");
  EXPECT_EQ(r.m_t.text, "2.0000");
  EXPECT_EQ(r.d_Na.text, "44.0000");
  EXPECT_EQ(r.d_Nf.text, "35.0000");
  EXPECT_EQ(r.d_f.text, "35.0000");
  EXPECT_EQ(r.inv_alpha_n.text, "0.0149");  // inv 20 = 0.0149044
  EXPECT_EQ(r.beta_b.text, "0.0000");
}

TEST(Geometry, MissingModuleMarksDiameterAsNotComputable) {
  Gear gear = MakeGear("2", "20", "20", "0");
  Diameters(gear);
  gear.rec.m_n.text.clear();
  ReferenceDiameter(gear);
  EXPECT_EQ(gear.rec.d.value, kCannotCompute);
  EXPECT_EQ(gear.rec.d.text, "40.0000");  // text left as it was
  BaseDiameter(gear);
  // d_b = -100000 cos 20 = -93969.2621
  EXPECT_NEAR(gear.rec.d_b.value, -93969.26207859, 1e-6);

  gear.rec.alpha_n.text.clear();
  BaseDiameter(gear);
  EXPECT_EQ(gear.rec.d_b.value, kCannotCompute);

  // A tooth count that did not convert gives no diameter either.
  Gear bad = MakeGear("2", "zwanzig", "20", "0");
  ReferenceDiameter(bad);
  EXPECT_EQ(bad.rec.d.value, kCannotCompute);
  EXPECT_TRUE(bad.rec.d.text.empty());
}

TEST(Geometry, TipValuesAndLead) {
  Gear gear = MakeGear("2", "20", "20", "15");
  BasicGeometry(gear, gear.rec.x);
  Lead(gear);
  // lead = |z| m_t pi / tan 15 = 20 * 2.0705524 * pi / 0.2679492 = 485.52728
  EXPECT_NEAR(gear.rec.lead.value, 485.52727677, 1e-6);

  Gear spur = MakeGear("2", "20", "20", "0");
  BasicGeometry(spur, spur.rec.x);
  Diameters(spur);
  Lead(spur);
  EXPECT_EQ(spur.rec.lead.value, 0.0);
  TipPressureAngle(spur);
  // alpha_Na = acos(37.58770 / 44) = 31.32126 degrees
  EXPECT_NEAR(spur.rec.alpha_Na.value, 31.32125793, 1e-7);
  TipInvolute(spur);
  EXPECT_NEAR(spur.rec.inv_alpha_Na.value, Inv(31.32125793), 1e-9);
  TipHelixAngle(spur);
  EXPECT_EQ(spur.rec.beta_Na.value, 0.0);

  spur.rec.d_Na.value = 30.0;  // useful tip circle inside the base circle
  TipPressureAngle(spur);
  EXPECT_EQ(spur.rec.alpha_Na.value, 0.0);
}

struct GearTypeCase {
  const char* name;
  std::string z, beta;
  int external, helical;
  bool settingsWritten;
};

SILVARONE_PRINT_ROW_NAME(GearTypeCase)

class GearTypeFlags : public ::testing::TestWithParam<GearTypeCase> {};

TEST_P(GearTypeFlags, FollowTheToothCountAndHelixAngle) {
  const GearTypeCase& c = GetParam();
  Gear gear;
  gear.rec.z.text = c.z;
  gear.rec.beta.text = c.beta;
  gear.rec.beta.minimum = 0;
  gear.rec.beta.maximum = 45;
  bool written = false;
  gear.settingsChanged = [&] { written = true; };
  gear.state.ExternalGear = 1;
  gear.state.HelicalGear = 1;
  DetermineExternalGear(gear);
  DetermineHelicalGear(gear);
  EXPECT_EQ(gear.state.ExternalGear, c.external) << c.z;
  EXPECT_EQ(gear.state.HelicalGear, c.helical) << c.beta;
  EXPECT_EQ(written, c.settingsWritten) << c.z;
}

INSTANTIATE_TEST_SUITE_P(
    Geometry, GearTypeFlags,
    ::testing::Values(GearTypeCase{"HelicalExternal_z20_beta15", "20", "15", 1, 1, true},
                      GearTypeCase{"SpurInternal_z20_beta0", "-20", "0", 0, 0, true},
                      GearTypeCase{"NotEntered", "-", "-", 0, 0, false},
                      GearTypeCase{"Empty", "", "", 0, 0, false},
                      GearTypeCase{"ZeroTeeth_BetaWithDecimalComma", "0", "0,5", 0, 1, false},
                      GearTypeCase{"TeethNotANumber_BetaBelowMinimum", "abc", "-5", 0, 0, false},
                      GearTypeCase{"TeethWithPlusSign_BetaWithDegreeSign", "+7", "45°", 1, 1,
                                   true}),
    testing::RowName);

TEST(InverseInvolute, NewtonFindsTheRootOnBothSides) {
  const std::vector<double> angles = {0.5,   1.0,   5.0,   10.0,  14.0,  20.0,  30.0,
                                      45.0,  60.0,  80.0,  -0.5,  -1.0,  -5.0,  -10.0,
                                      -14.0, -20.0, -30.0, -45.0, -60.0, -80.0, 9.837};
  for (double alpha : angles) {
    int iterations = 0;
    const double found = SolveInvoluteNewton(Inv(alpha), kNewtonStartDeg, kNewtonTolerance,
                                             kNewtonMaxIterations, &iterations);
    EXPECT_NEAR(found, alpha, 1e-6) << "inv " << alpha;
    EXPECT_LE(iterations, 60) << "inv " << alpha;
  }
  EXPECT_NEAR(SolveInvoluteNewton(0.0), 0.0, 1e-4);
  EXPECT_TRUE(std::isnan(SolveInvoluteNewton(std::nan(""))));
}

TEST(InverseInvolute, FixedPointFindsTheRoot) {
  // inv 20 = 0.0149044 gives 20 degrees.
  EXPECT_NEAR(SolveInvoluteFixedPoint(0.0149044), 20.0, 1e-4);
  for (double alpha : {5.0, 20.0, 24.5, 35.0, -20.0}) {
    EXPECT_NEAR(SolveInvoluteFixedPoint(Inv(alpha)), alpha, 1e-5) << alpha;
  }
}

// The solvers keep recent answers with their whole argument list: an answer
// must not depend on what was solved before it. Each call is solved first on
// a thread of its own (nothing kept yet), then on this thread after all the
// others, forwards and backwards: the same target under another start,
// tolerance or iteration cap is another question.
TEST(InverseInvolute, AnAnswerDoesNotDependOnWhatWasSolvedBefore) {
  struct Call {
    double target, start, tolerance;
    long cap;
  };
  std::vector<Call> newton;
  std::vector<Call> fixedPoint;
  for (const double target : {Inv(20.0), Inv(-20.0), Inv(5.0), 0.0, -0.0}) {
    for (const double start : {kNewtonStartDeg, 60.0}) {
      for (const double tolerance : {kNewtonTolerance, 1e-3}) {
        for (const long cap : {long{kNewtonMaxIterations}, 0L, 2L})
          newton.push_back({target, start, tolerance, cap});
      }
    }
  }
  for (const double target : {Inv(20.0), Inv(24.5)}) {
    for (const double start : {kFixedPointStartRad, 0.5}) {
      for (const double tolerance : {kFixedPointTolerance, 1e-4}) {
        for (const long cap : {kFixedPointMaxIterations, 3L})
          fixedPoint.push_back({target, start, tolerance, cap});
      }
    }
  }
  struct Answer {
    double value;
    int iterations;
    bool operator==(const Answer& other) const {
      return std::memcmp(&value, &other.value, sizeof value) == 0 && iterations == other.iterations;
    }
  };
  const auto solveNewton = [](const Call& c) {
    Answer a{0.0, 0};
    a.value =
        SolveInvoluteNewton(c.target, c.start, c.tolerance, static_cast<int>(c.cap), &a.iterations);
    return a;
  };
  const auto solveFixedPoint = [](const Call& c) {
    return Answer{SolveInvoluteFixedPoint(c.target, c.start, c.tolerance, c.cap), 0};
  };
  const auto alone = [](auto solve, const Call& c) {
    Answer a{0.0, 0};
    std::thread([&] { a = solve(c); }).join();
    return a;
  };
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i < newton.size(); ++i) {
      const Call& c = newton[pass == 0 ? i : newton.size() - 1 - i];
      EXPECT_TRUE(solveNewton(c) == alone(solveNewton, c))
          << "Newton " << c.target << " from " << c.start << " cap " << c.cap;
    }
    for (std::size_t i = 0; i < fixedPoint.size(); ++i) {
      const Call& c = fixedPoint[pass == 0 ? i : fixedPoint.size() - 1 - i];
      EXPECT_TRUE(solveFixedPoint(c) == alone(solveFixedPoint, c))
          << "fixed point " << c.target << " from " << c.start << " cap " << c.cap;
    }
  }
  // A capped search stops early: one step of Newton is not the root.
  int used = 0;
  SolveInvoluteNewton(Inv(20.0), kNewtonStartDeg, kNewtonTolerance, 0, &used);
  EXPECT_EQ(used, 1);
}

// alpha_t = atan(tan alpha_n / cos beta) and beta_b = asin(sin beta cos
// alpha_n) are kept by their inputs: gears in turn, one after the other, each
// get their own angles.
//   20, 30:   tan 20 / cos 30 = 0.36397 / 0.86603 = 0.42028, atan 22.7959;
//             sin 30 cos 20 = 0.5 * 0.93969 = 0.46985, asin 28.0243
//   14.5, 30: 0.25862 / 0.86603 = 0.29863, atan 16.6270;
//             0.5 * 0.96815 = 0.48407, asin 28.9518
//   20, 0:    20 and 0
TEST(Geometry, TransverseAnglesFollowEachGear) {
  struct Angles {
    double alphaN, beta, alphaT, betaB;
  };
  const Angles gears[] = {{20.0, 0.0, 20.0, 0.0},
                          {20.0, 30.0, 22.7959, 28.0243},
                          {14.5, 30.0, 16.6270, 28.9518},
                          {20.0, 30.0, 22.7959, 28.0243},
                          {20.0, 0.0, 20.0, 0.0}};
  Gear gear;
  for (const Angles& g : gears) {
    gear.rec.alpha_n.value = g.alphaN;
    gear.rec.beta.value = g.beta;
    TransversePressureAngle(gear);
    BaseHelixAngle(gear);
    EXPECT_NEAR(gear.rec.alpha_t.value, g.alphaT, 1e-4) << g.alphaN << " " << g.beta;
    EXPECT_NEAR(gear.rec.beta_b.value, g.betaB, 1e-4) << g.alphaN << " " << g.beta;
  }
}

TEST(InverseInvolute, BallTargetForms) {
  // Spur gear: both forms agree. (e_bt - D) / |d_b| = (2.39191 - 3.5) / 37.58770 = -0.029480
  const BallGap spur{2.39190985, -37.58770483, 0.0, 3.5};
  EXPECT_NEAR(BallInvoluteTarget(BallForm::kSpur, spur), -0.02948, 1e-5);
  EXPECT_DOUBLE_EQ(BallInvoluteTarget(BallForm::kSpur, spur),
                   BallInvoluteTarget(BallForm::kHelical, spur));
  // Helical: e_bt/|d_b| - D/(|d_b| cos 14.0761) = 2/40 - 3.5/(40 * 0.969975) = -0.0402086
  const BallGap helical{2.0, 40.0, 14.07609542, 3.5};
  EXPECT_NEAR(BallInvoluteTarget(BallForm::kHelical, helical), -0.0402086, 1e-7);
}

TEST(InverseInvolute, RecordFormsFormatTheirResult) {
  Gear gear;
  gear.state.Nachkommastellenzahl_1 = 3;
  // A ball centre at 20 degrees: D/(cos beta_b d_b) - e_bt/d_b = inv 20 with e_bt = 0,
  // D = d_b inv 20 = 40 * 0.0149044 = 0.596175.
  const BallGap gap{0.0, 40.0, 0.0, 40.0 * Inv(20.0)};
  InvoluteInverseFixedPoint(gear, gear.rec.alpha_kt, gap);
  EXPECT_EQ(gear.rec.alpha_kt.text, "20.000");
  // Spur Newton target (e_bt - D)/|d_b| = -inv 20 gives -20 degrees.
  InvoluteInverseNewton(gear, gear.rec.alpha_K, BallForm::kSpur, gap);
  EXPECT_EQ(gear.rec.alpha_K.text, "-20.000");
}

}  // namespace
}  // namespace silvarone
