// The measurability checks: where the span anvils and the balls touch the
// flanks, whether the face width carries the span and whether the balls
// stand out over the tips, each against a hand calculation, and the contact
// diameters against the involute flank found numerically.
#include "device/measurability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "core/balls.h"
#include "device/page_sequence.h"
#include "row_name.h"
#include "test_gear.h"

namespace silvarone {
namespace {

using testing::GearInput;
using testing::MakeGear;

// A gear through the calculation page in the standard mode: the span over
// `k` teeth with the MdK ball `ballOfMdK`, the instrument's ball `ballOfQ`
// over the same number of teeth.
Gear PageGear(GearInput in, const std::string& ballOfMdK, const std::string& faceWidth = "20",
              const std::string& ballOfQ = "") {
  const std::string ball = ballOfQ.empty() ? ballOfMdK : ballOfQ;
  const std::string teeth = in.k_M;
  in.D_M = ballOfMdK;
  Gear gear = MakeGear(in);
  gear.rec.b_w.text = faceWidth;
  EXPECT_EQ(ParseParameter(gear.rec.b_w, {}), kStatusValid);
  InstrumentState instrument;
  CalculatePage(gear, instrument,
                {.ball = [&](const std::string&) { return ball; },
                 .teeth = [&](const std::string&) { return teeth; }});
  return gear;
}

constexpr double kNoContact = -1.0;  // the row expects no involute contact

struct SpanExpected {
  double d_Wk;
  FlankContact flank;
  double widthNeeded;
  bool widthCarries;
};
struct BallExpected {
  double d_K;
  double d_MK;  // kNoContact: none
  FlankContact flank;
  double reach;
  bool protrudes;
};
// Expected, from the hand calculation in the comment above the table.
struct CheckRow {
  const char* name;
  GearInput gear;
  std::string diameter;  // of both balls
  std::string faceWidth;
  SpanExpected span;
  BallExpected ball;  // both balls
};
SILVARONE_PRINT_ROW_NAME(CheckRow)

// Hand calculation, alpha_n = 20 degrees, x = 0 unless given; per gear:
//   alpha_t = atan(tan alpha_n / cos beta), d = z m_n / cos beta,
//   d_b = d cos alpha_t, beta_b = asin(sin beta cos alpha_n),
//   d_Na = d + 2 m_n, d_Nf = d - 2.5 m_n (the program's usable circles),
//   W_k = m_n cos alpha_n ((k -+ 0.5) pi + z inv alpha_t) + 2 x m_n sin alpha_n,
//   d_Wk = sqrt(d_b^2 + (W_k / cos beta_b)^2), width needed |W_k| sin beta_b,
//   s_bt = d_b (2 x tan alpha_n / z + pi / 2z + inv alpha_t), e_bt = p_bt - s_bt,
//   inv alpha_Kt = D / (d_b cos beta_b) - e_bt / d_b, d_K = d_b / cos alpha_Kt,
//   roll to contact = r_b tan alpha_Kt -+ (D / 2) cos beta_b,
//   d_MK = 2 sqrt(r_b^2 + roll^2), reach = |d_K| +- D.
//
// Spur_MESYS m_n 1, z 20, k 2, D 1.7: the published worked example of the
//   MESYS online gear calculation (www.mesys.ag, helical gear): d_b 18.7939,
//   W_k 4.7083, "diameter of measuring circle (span)" 19.3746, "(balls)"
//   19.9594, MdK 22.2941 = d_K + D; d_Na 22, d_Nf 17.5.
//   Here: e_bt 1.195955, inv alpha_Kt 0.0268197, alpha_Kt 24.134994,
//   r_b tan alpha_Kt 4.210338, roll 3.360338.
// Spur_PastTip m_n 2, z 10, k 5, D 3.5: d_b 18.793852, W_k 26.849294,
//   d_Wk 32.773365 beyond d_Na 24; e_bt 2.672021, inv alpha_Kt 0.0440559,
//   alpha_Kt 28.208649, d_K 21.326790, roll 5.040414 - 1.75 = 3.290414,
//   d_MK 19.912714 (d_Nf 15), reach 24.826790 > 24.
// Spur_PastRoot m_n 2, z 60, k 1, D 3.5: d_b 112.763114, W_k 4.632796,
//   d_Wk 112.858242 below d_Nf 115; e_bt 1.271467, alpha_Kt 21.897393,
//   d_K 121.531198, roll 22.662260 - 1.75, d_MK 120.269741, reach 125.031198 > 124.
// Spur_SmallBall m_n 2, z 20, k 3, D 2.5: d_b 37.587705, W_k 15.320879,
//   d_Wk 40.590207 (35..44); e_bt 2.391910, inv alpha_Kt 0.0028757,
//   alpha_Kt 11.685494, d_K 38.383231, roll 3.887058 - 1.25, d_MK 37.955920,
//   reach 40.883231 <= 44: the ball does not stand out.
// Spur_TinyBall as before, D 1.0: inv alpha_Kt -0.0370310, alpha_Kt
//   -26.719530, d_K 42.081213, roll -9.460351 - 0.5 < 0: no involute there;
//   reach 43.081213 <= 44.
// Spur_BigBall as before, D 8: inv alpha_Kt 0.1492001, alpha_Kt 40.654501,
//   d_K 49.545388, roll 16.139315 - 4, d_MK 44.746927 beyond d_Na 44.
// Helical_Narrow m_n 2, z 20, beta 30, k 3, D 3.5, b_w 6: alpha_t 22.795877,
//   d 46.188022, d_b 42.580323, beta_b 28.024321, W_k 15.603130,
//   W_k / cos beta_b 17.675628, d_Wk 46.103272 (41.188..50.188), width
//   needed 7.331073 > 6; e_bt 2.389876, inv alpha_Kt 0.0369893, alpha_Kt
//   26.710088, d_K 47.666732, roll 10.712533 - 1.544809, d_MK 46.360247,
//   reach 51.166732 > 50.188.
// Helical_Shifted m_n 3, z 27, beta 15, x 0.3, k 4, D 5, b_w 30: alpha_t
//   20.646896, d 83.857371, d_b 78.471316, beta_b 14.076095, W_k 32.865368,
//   d_Wk 85.473902 (76.357..89.857), width needed 7.993197; e_bt 2.639463,
//   inv alpha_Kt 0.0320540, alpha_Kt 25.534547, d_K 86.965637, roll
//   18.743497 - 2.424934, d_MK 84.987819, reach 91.965637 > 89.857.
// Internal m_n 2, z -40, k -5, D 3.5: d -80, d_b -75.175410, d_Na -76,
//   d_Nf -85, W_k -27.689626, d_Wk -80.112781; e_bt 4.072575, inv alpha_Kt
//   0.0076165, alpha_Kt 16.085789, d_K -78.238615, roll 10.839034 + 1.75,
//   d_MK -79.279741, reach -(78.238615 - 3.5) = -74.738615, |.| < 76.
// Internal_ManyGaps k -12: W_k -69.019466, d_Wk -102.054049 beyond d_Nf -85.
// Internal_FewGaps z -100, k -2: d_b -187.938524, d_Na -196, W_k -11.657502,
//   d_Wk -188.299724 inside the tip circle; alpha_Kt 18.642036, d_K
//   -198.344857, roll 31.700920 + 1.75, d_MK -199.491216, reach -194.844857.
// Internal_SmallBall D 1.5: inv alpha_Kt 0.0342210, alpha_Kt 26.065797,
//   d_K -83.687235, roll 18.386211 + 0.75, d_MK -84.357101, reach -82.187235:
//   |.| >= 76, the ball does not stand out over the tips.
// Internal_BigBall D 6: inv alpha_Kt -0.0256390, alpha_Kt -23.792590, roll
//   -16.572347 + 3 < 0: no involute; d_K -82.157854, reach -76.157854.
// Internal_Helical z -40, beta 20, k -5, D 3.5: alpha_t 21.172832, d
//   -85.134222, d_b -79.387250, beta_b 18.747237, W_k -27.906809, W_k / cos
//   beta_b -29.470339, d_Wk -84.680791 (81.134..90.134), width 8.969076;
//   e_bt 4.530099, alpha_Kt 17.860510, d_K -83.406964, roll 12.790486 +
//   1.657155, d_MK -84.482382, reach -79.906964.
using FC = FlankContact;
class MeasurabilityRows : public ::testing::TestWithParam<CheckRow> {};

TEST_P(MeasurabilityRows, MatchTheHandCalculation) {
  const CheckRow& row = GetParam();
  const Gear gear = PageGear(row.gear, row.diameter, row.faceWidth);
  const Measurability m = CheckMeasurability(gear);
  ASSERT_TRUE(m.span.known);
  const SpanExpected& span = row.span;
  EXPECT_NEAR(m.span.d_Wk, span.d_Wk, 5e-6);
  EXPECT_EQ(m.span.flank, span.flank);
  EXPECT_NEAR(m.span.widthNeeded, span.widthNeeded, 5e-6);
  EXPECT_EQ(m.span.widthCarries, span.widthCarries);
  const BallExpected& expected = row.ball;
  for (const BallCheck* ball : {&m.overBalls, &m.instrument}) {
    ASSERT_TRUE(ball->known);
    EXPECT_NEAR(ball->d_K, expected.d_K, 5e-6);
    if (expected.d_MK == kNoContact) {
      EXPECT_FALSE(std::isfinite(ball->d_MK));
    } else {
      EXPECT_NEAR(ball->d_MK, expected.d_MK, 5e-6);
    }
    EXPECT_EQ(ball->flank, expected.flank);
    EXPECT_NEAR(ball->reach, expected.reach, 5e-6);
    EXPECT_EQ(ball->protrudes, expected.protrudes);
  }
  const bool sound = span.flank == FC::kUsable && span.widthCarries &&
                     expected.flank == FC::kUsable && expected.protrudes;
  EXPECT_EQ(m.AllSound(), sound);
}

INSTANTIATE_TEST_SUITE_P(
    Gears, MeasurabilityRows,
    ::testing::Values(CheckRow{"Spur_MESYS",
                               {.m_n = "1", .k_M = "2"},
                               "1.7",
                               "20",
                               {19.374650, FC::kUsable, 0.0, true},
                               {20.594093, 19.959368, FC::kUsable, 22.294093, true}},
                      CheckRow{"Spur_PastTip",
                               {.z = "10", .k_M = "5"},
                               "3.5",
                               "20",
                               {32.773365, FC::kPastTip, 0.0, true},
                               {21.326790, 19.912714, FC::kUsable, 24.826790, true}},
                      CheckRow{"Spur_PastRoot",
                               {.z = "60", .k_M = "1"},
                               "3.5",
                               "20",
                               {112.858242, FC::kPastRoot, 0.0, true},
                               {121.531198, 120.269741, FC::kUsable, 125.031198, true}},
                      CheckRow{"Spur_SmallBall",
                               {.k_M = "3"},
                               "2.5",
                               "20",
                               {40.590207, FC::kUsable, 0.0, true},
                               {38.383231, 37.955920, FC::kUsable, 40.883231, false}},
                      CheckRow{"Spur_TinyBall",
                               {.k_M = "3"},
                               "1",
                               "20",
                               {40.590207, FC::kUsable, 0.0, true},
                               {42.081213, kNoContact, FC::kNoInvolute, 43.081213, false}},
                      CheckRow{"Spur_BigBall",
                               {.k_M = "3"},
                               "8",
                               "20",
                               {40.590207, FC::kUsable, 0.0, true},
                               {49.545388, 44.746927, FC::kPastTip, 57.545388, true}},
                      CheckRow{"Helical_Narrow",
                               {.beta = "30", .k_M = "3"},
                               "3.5",
                               "6",
                               {46.103272, FC::kUsable, 7.331073, false},
                               {47.666732, 46.360247, FC::kUsable, 51.166732, true}},
                      CheckRow{"Helical_Shifted",
                               {.m_n = "3", .z = "27", .beta = "15", .x = "0.3", .k_M = "4"},
                               "5",
                               "30",
                               {85.473902, FC::kUsable, 7.993197, true},
                               {86.965637, 84.987819, FC::kUsable, 91.965637, true}},
                      CheckRow{"Internal",
                               {.z = "-40", .k_M = "-5"},
                               "3.5",
                               "20",
                               {-80.112781, FC::kUsable, 0.0, true},
                               {-78.238615, -79.279741, FC::kUsable, -74.738615, true}},
                      CheckRow{"Internal_ManyGaps",
                               {.z = "-40", .k_M = "-12"},
                               "3.5",
                               "20",
                               {-102.054049, FC::kPastRoot, 0.0, true},
                               {-78.238615, -79.279741, FC::kUsable, -74.738615, true}},
                      CheckRow{"Internal_FewGaps",
                               {.z = "-100", .k_M = "-2"},
                               "3.5",
                               "20",
                               {-188.299724, FC::kPastTip, 0.0, true},
                               {-198.344857, -199.491216, FC::kUsable, -194.844857, true}},
                      CheckRow{"Internal_SmallBall",
                               {.z = "-40", .k_M = "-5"},
                               "1.5",
                               "20",
                               {-80.112781, FC::kUsable, 0.0, true},
                               {-83.687235, -84.357101, FC::kUsable, -82.187235, false}},
                      CheckRow{"Internal_BigBall",
                               {.z = "-40", .k_M = "-5"},
                               "6",
                               "20",
                               {-80.112781, FC::kUsable, 0.0, true},
                               {-82.157854, kNoContact, FC::kNoInvolute, -76.157854, false}},
                      CheckRow{"Internal_Helical",
                               {.z = "-40", .beta = "20", .k_M = "-5"},
                               "3.5",
                               "20",
                               {-84.680791, FC::kUsable, 8.969076, true},
                               {-83.406964, -84.482382, FC::kUsable, -79.906964, true}}),
    testing::RowName);

// The two balls are different balls: the MdK ball's checks follow DM_given,
// the instrument's follow D_M (the rows Spur_BigBall and Spur_TinyBall above).
TEST(Measurability, MdkBallAndInstrumentBallAreCheckedApart) {
  const Gear gear = PageGear({.k_M = "3"}, "8", "20", "1");
  const Measurability m = CheckMeasurability(gear);
  EXPECT_EQ(m.overBalls.D, 8.0);
  EXPECT_EQ(m.overBalls.flank, FlankContact::kPastTip);  // Spur_BigBall
  EXPECT_EQ(m.instrument.D, 1.0);
  EXPECT_EQ(m.instrument.flank, FlankContact::kNoInvolute);  // Spur_TinyBall
  EXPECT_FALSE(m.instrument.protrudes);
  // Two paths: the ball centres of the page's own records. MdK over an even
  // tooth count is d_K + D; the instrument's ball centre circle is d_K.
  EXPECT_NEAR(m.overBalls.d_K + 8.0, gear.rec.Mdk_mode.value, 1e-9);
  EXPECT_NEAR(m.instrument.d_K, gear.rec.d_K.value, 1e-7);  // the records' solver stops at 1e-7
}

// The MdK ball sits at the comparison table's nominal xE, in every mode;
// with a given MdK the checked ball centres reproduce the given dimension.
TEST(Measurability, MdkBallFollowsTheGivenDimension) {
  Gear gear = MakeGear({.k_M = "3"});
  gear.state.CalculationMode = kModeGivenBallDimension;
  gear.rec.Mdk_given.text = "44.9";
  gear.rec.Mdke_given.text = "44.85";
  gear.rec.Mdki_given.text = "44.8";
  for (TGear* given : {&gear.rec.Mdk_given, &gear.rec.Mdke_given, &gear.rec.Mdki_given})
    ASSERT_EQ(ParseParameter(*given, {}), kStatusValid);
  InstrumentState instrument;
  CalculatePage(gear, instrument,
                {.ball = [](const std::string&) { return std::string("3.5"); },
                 .teeth = [](const std::string&) { return std::string("3"); }});
  const Measurability m = CheckMeasurability(gear);
  ASSERT_TRUE(m.overBalls.known);
  EXPECT_NEAR(m.overBalls.d_K + 3.5, 44.9, 1e-7);
}

// Nothing to check without a ball: no warning from a number that is not there.
TEST(Measurability, NoBallNoBallChecks) {
  Gear gear = MakeGear({});
  gear.rec.D_M.status = kStatusNotANumber;
  gear.rec.DM_given.text = "-";
  const Measurability m = CheckMeasurability(gear);
  EXPECT_FALSE(m.overBalls.known);
  EXPECT_FALSE(m.instrument.known);
  EXPECT_TRUE(m.AllSound());
}

// --- The contact diameters against the involute flank itself ---------------

// Golden-section search for the minimum of f on [a, b].
double Minimise(const std::function<double(double)>& f, double a, double b) {
  const double g = (std::sqrt(5.0) - 1.0) / 2.0;
  double c = b - g * (b - a);
  double d = a + g * (b - a);
  while (b - a > 1e-13) {
    if (f(c) < f(d)) {
      b = d;
    } else {
      a = c;
    }
    c = b - g * (b - a);
    d = a + g * (b - a);
  }
  return (a + b) / 2.0;
}

// The outer flank of the last of k spanned teeth of a spur gear, laid
// symmetric about the x axis: the involute of the base circle r_b that starts
// at the polar angle th0 = (k - 1) pi / z + s_bt / d_b and unwinds towards
// smaller angles, P(u) = r_b (cos(th0 - u) - u sin(th0 - u), sin(th0 - u) + u
// cos(th0 - u)). The flat anvil y = W / 2 touches it where y is largest.
TEST(Measurability, SpanContactIsWhereTheAnvilTouchesTheInvolute) {
  struct Case {
    std::string z, k;
  };
  for (const Case& c : {Case{"20", "3"}, Case{"10", "5"}, Case{"60", "1"}, Case{"31", "4"}}) {
    SCOPED_TRACE("z " + c.z + " k " + c.k);
    const Gear gear = PageGear({.z = c.z, .k_M = c.k}, "3.5");
    const GearRecords& r = gear.rec;
    const double r_b = r.d_b.value / 2.0;
    const double th0 = (r.k_given.value - 1.0) * kPi / r.z.value + r.s_bt.value / r.d_b.value;
    const auto x = [&](double u) { return r_b * (std::cos(th0 - u) - u * std::sin(th0 - u)); };
    const auto y = [&](double u) { return r_b * (std::sin(th0 - u) + u * std::cos(th0 - u)); };
    const double u = Minimise([&](double t) { return -y(t); }, 0.0, 3.0);
    const Measurability m = CheckMeasurability(gear);
    EXPECT_NEAR(2.0 * y(u), r.Wk_mode.value, 1e-7);  // the anvils are W_k apart
    // y is flat at its top, so the search finds u to about 1e-8 only.
    EXPECT_NEAR(2.0 * std::hypot(x(u), y(u)), m.span.d_Wk, 1e-6);
  }
}

// The flank of a gap on the involute helicoid: the transverse involute of the
// gap's boundary, turned about the axis by w tan(beta_b) / r_b at the axial
// position w. External gap boundary at polar angle eta_b + inv(alpha), internal
// at eta_b - inv(alpha), with eta_b = e_bt / |d_b|. A ball whose centre lies
// on the gap's centre line at |d_K| / 2 touches the flank at its nearest point.
struct Flank {
  double r_b, eta, lead;  // lead: turn per axial mm
  bool external;
  void Point(double u, double w, double p[3]) const {
    const double a = eta + (external ? u : -u);  // roll towards the gap's side
    double px = r_b * (std::cos(a) + (external ? u : -u) * std::sin(a));
    double py = r_b * (std::sin(a) - (external ? u : -u) * std::cos(a));
    const double turn = w * lead;
    p[0] = px * std::cos(turn) - py * std::sin(turn);
    p[1] = px * std::sin(turn) + py * std::cos(turn);
    p[2] = w;
  }
};

// Nearest point of the flank to the centre (c, 0, 0): a coarse grid, then
// pattern search down to 1e-12.
void NearestPoint(const Flank& flank, double c, double& u, double& w) {
  const auto distance = [&](double uu, double ww) {
    double p[3];
    flank.Point(uu, ww, p);
    return std::hypot(p[0] - c, p[1], p[2]);
  };
  double best = 1e300;
  for (int i = 0; i <= 400; ++i) {
    for (int j = -100; j <= 100; ++j) {
      const double d = distance(i * 0.004, j * 0.05);
      if (d < best) {
        best = d;
        u = i * 0.004;
        w = j * 0.05;
      }
    }
  }
  for (double step = 1e-3; step > 1e-12; step /= 2.0) {
    for (bool moved = true; moved;) {
      moved = false;
      for (const auto& [du, dw] : {std::pair{step, 0.0}, {-step, 0.0}, {0.0, step}, {0.0, -step}}) {
        if (distance(u + du, w + dw) < distance(u, w)) {
          u += du;
          w += dw;
          moved = true;
        }
      }
    }
  }
}

TEST(Measurability, BallContactIsTheNearestPointOfTheHelicoid) {
  struct Case {
    const char* name;
    GearInput gear;
    std::string ball;
  };
  const Case cases[] = {
      {"Spur", {.k_M = "3"}, "3.5"},
      {"Helical30", {.beta = "30", .k_M = "3"}, "3.5"},
      {"HelicalShifted", {.m_n = "3", .z = "27", .beta = "15", .x = "0.3", .k_M = "4"}, "5"},
      {"Internal", {.z = "-40", .k_M = "-5"}, "3.5"},
      {"InternalHelical", {.z = "-40", .beta = "20", .k_M = "-5"}, "3.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Gear gear = PageGear(c.gear, c.ball);
    const GearRecords& r = gear.rec;
    const BallCheck ball = CheckMeasurability(gear).instrument;
    ASSERT_TRUE(ball.known);
    const double r_b = std::fabs(r.d_b.value) / 2.0;
    const Flank flank{r_b, r.e_bt.value / std::fabs(r.d_b.value),
                      std::tan(r.beta_b.value * kDegToRad) / r_b, r.z.value > 0};
    double u = 0.0;
    double w = 0.0;
    NearestPoint(flank, std::fabs(ball.d_K) / 2.0, u, w);
    double p[3];
    flank.Point(u, w, p);
    // The ball centre lies D / 2 from the flank, and touches it at d_MK.
    EXPECT_NEAR(std::hypot(p[0] - std::fabs(ball.d_K) / 2.0, p[1], p[2]), ball.D / 2.0, 1e-7);
    EXPECT_NEAR(2.0 * std::hypot(p[0], p[1]), std::fabs(ball.d_MK), 1e-6);
  }
}

}  // namespace
}  // namespace silvarone
