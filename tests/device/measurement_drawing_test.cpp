// The measurement drawing agrees with the program's numbers: its anvils, balls
// and instrument balls are built by rolling the flanks and searching the ball
// seats, the numbers by the closed formulas; both must give the same W_k,
// M_dk and Q. Its contact points lie on the program's involutes.
#include "device/measurement_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/geometry.h"
#include "device/instrument.h"
#include "device/measurability.h"
#include "device/page_sequence.h"
#include "row_name.h"
#include "test_gear.h"

namespace silvarone {
namespace {

using testing::GearInput;
using testing::MakeGear;

constexpr double kMicrometre = 1e-3;

struct DrawnGear {
  const char* name;
  GearInput in;
};
SILVARONE_PRINT_ROW_NAME(DrawnGear)

// The gear after the calculation page, with the row's ball and tooth count.
Gear Calculated(const GearInput& in) {
  Gear gear = MakeGear(in);
  DetermineExternalGear(gear);
  InstrumentState instrument;
  ApplyInstrumentSettings(gear, instrument);
  const BallAndTeethChoice choice{[&](const std::string&) { return in.D_M; },
                                  [&](const std::string&) { return in.k_M; }};
  CalculatePage(gear, instrument, choice);
  return gear;
}

double Distance(DrawPoint a, DrawPoint b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// How far p lies from the nearest involute of the program's gear, measured
// along the involute's normal: r_b times the difference of the roll origins.
// The origins of the flanks are pair centre +- half angle, the half angle the
// program's base tooth thickness (external) or base space width (internal)
// over the base diameter.
double DistanceToProgramInvolute(const MeasurementDrawing& m, const Gear& gear, DrawPoint p) {
  const GearRecords& r = gear.rec;
  const double rb = std::fabs(r.d_b.value) / 2.0;
  const double half = (r.z.value > 0 ? r.s_bt.value : r.e_bt.value) / std::fabs(r.d_b.value);
  const double radius = std::hypot(p.x, p.y);
  const double theta = std::atan2(p.y, p.x);
  const double inv = Involute(std::acos(rb / radius));
  double best = 1e9;
  for (const int side : {-1, +1}) {
    // Side +1 turns back by inv alpha from its origin, side -1 forward.
    const double origin = theta + side * inv;
    const double offset = origin - (m.pairOffset + side * half);
    const double off = std::remainder(offset, m.pitch);
    best = std::min(best, rb * std::fabs(off));
  }
  return best;
}

class DrawingAgrees : public ::testing::TestWithParam<DrawnGear> {};

// Span: the anvil traces stand W_k / cos beta_b apart along the base tangent;
// the program's W_k (comparison row, over k_given) is the normal section.
TEST_P(DrawingAgrees, AnvilDistanceIsTheSpan) {
  const Gear gear = Calculated(GetParam().in);
  const MeasurementDrawing m = BuildMeasurementDrawing(DrawingInputOf(gear));
  ASSERT_TRUE(m.valid);
  const DrawPoint a = m.anvils[0].from;
  const DrawPoint b = m.anvils[1].from;
  const double transverse = std::fabs((b.x - a.x) * m.spanNormal.x + (b.y - a.y) * m.spanNormal.y);
  const double cosBetaB = std::cos(Rad(gear.rec.beta_b.value));
  EXPECT_NEAR(transverse * cosBetaB, std::fabs(gear.rec.Wk_mode.value), kMicrometre);
  EXPECT_EQ(m.span.text, gear.rec.Wk_mode.text);
  // The anvils are parallel and normal to the line of the span.
  for (const DrawAnvil& anvil : m.anvils) {
    const double along =
        (anvil.to.x - anvil.from.x) * m.spanNormal.x + (anvil.to.y - anvil.from.y) * m.spanNormal.y;
    EXPECT_NEAR(along, 0.0, 1e-9);
  }
}

// Dimension over balls: centre distance plus one ball outside an external
// gear, minus one ball between the balls of an internal gear.
TEST_P(DrawingAgrees, BallDistanceIsTheDimensionOverBalls) {
  const Gear gear = Calculated(GetParam().in);
  const MeasurementDrawing m = BuildMeasurementDrawing(DrawingInputOf(gear));
  ASSERT_TRUE(m.valid);
  const double D = gear.rec.DM_given.value;
  const double centres = Distance(m.balls[0].circle.centre, m.balls[1].circle.centre);
  const double measured = m.internal ? centres - D : centres + D;
  EXPECT_NEAR(measured, std::fabs(gear.rec.Mdk_mode.value), kMicrometre);
  EXPECT_NEAR(Distance(m.ballDimension.from, m.ballDimension.to), measured, 1e-9);
  EXPECT_EQ(m.ballDimension.text, gear.rec.Mdk_mode.text);
}

// Instrument: Q between the ball centres (spur) or from the first anvil's
// midpoint to the opposite ball in space (helical).
TEST_P(DrawingAgrees, InstrumentDistanceIsQ) {
  const Gear gear = Calculated(GetParam().in);
  const MeasurementDrawing m = BuildMeasurementDrawing(DrawingInputOf(gear));
  ASSERT_TRUE(m.valid);
  const SpacePoint& p = m.checkFrom;
  const SpacePoint& q = m.checkTo;
  EXPECT_NEAR(std::hypot(p.x - q.x, p.y - q.y, p.z - q.z), std::fabs(gear.rec.Q.value),
              kMicrometre);
  EXPECT_EQ(m.checkDimension.text, gear.rec.Q.text);
}

TEST_P(DrawingAgrees, ContactPointsLieOnTheInvolutes) {
  const Gear gear = Calculated(GetParam().in);
  const MeasurementDrawing m = BuildMeasurementDrawing(DrawingInputOf(gear));
  ASSERT_TRUE(m.valid);
  std::vector<DrawPoint> contacts;
  for (const DrawContact& c : m.spanContacts)
    contacts.push_back(c.point);
  for (const DrawContact& c : m.ballContacts)
    contacts.push_back(c.point);
  for (const DrawContact& c : m.instrumentContacts)
    contacts.push_back(c.point);
  // The instrument's balls in the section: both of a spur gear, the first of a
  // helical one (the others lie on the helix, out of the section).
  ASSERT_EQ(contacts.size(), m.helical ? 8u : 10u);
  for (const DrawPoint& c : contacts)
    EXPECT_LT(DistanceToProgramInvolute(m, gear, c), kMicrometre) << c.x << ", " << c.y;
  // A ball touches both flanks of its gap at the same distance from its centre.
  const double rho = gear.rec.DM_given.value / (2.0 * std::cos(Rad(gear.rec.beta_b.value)));
  for (int i = 0; i < 4; ++i)
    EXPECT_NEAR(Distance(m.ballContacts[i].point, m.balls[i / 2].circle.centre), rho, 1e-6);
}

GearInput Gear_(const char* z, const char* beta, const char* x, const char* k, const char* D,
                const char* m = "2") {
  GearInput in;
  in.z = z;
  in.beta = beta;
  in.x = x;
  in.k_M = k;
  in.D_M = D;
  in.m_n = m;
  return in;
}

INSTANTIATE_TEST_SUITE_P(
    Gears, DrawingAgrees,
    ::testing::Values(DrawnGear{"spur_external_even", Gear_("20", "0", "0", "3", "3.5")},
                      DrawnGear{"spur_external_odd", Gear_("21", "0", "0.3", "3", "3.5")},
                      DrawnGear{"helical_external_even", Gear_("24", "15", "0.2", "4", "3.5")},
                      DrawnGear{"helical_external_odd", Gear_("23", "20", "-0.1", "3", "3.5")},
                      DrawnGear{"spur_internal_even", Gear_("-40", "0", "0", "-5", "3.5")},
                      DrawnGear{"spur_internal_odd", Gear_("-41", "0", "0.2", "-5", "3.5")},
                      DrawnGear{"helical_internal_even", Gear_("-50", "12", "0", "-6", "3.5")},
                      DrawnGear{"helical_internal_odd", Gear_("-37", "18", "0.1", "-5", "3.5")},
                      DrawnGear{"five_teeth", Gear_("5", "0", "0.5", "2", "4", "3")},
                      DrawnGear{"thousand_teeth", Gear_("1000", "10", "0", "112", "3.5", "1")}),
    testing::RowName);

}  // namespace
}  // namespace silvarone

namespace silvarone {
namespace {

struct CheckCase {
  const char* name;
  const char* k;
  const char* D;
  bool spanFails;
  bool ballFails;
};
SILVARONE_PRINT_ROW_NAME(CheckCase)

class DrawingMarks : public ::testing::TestWithParam<CheckCase> {};

// m_n = 2, z = 20, alpha_n = 20 deg, x = 0: r_b = 18.7939, usable flank
// 17.5 .. 22 (d_Nf = 35, d_Na = 44); the half tooth at the base circle
// pi/40 + inv 20 deg = 0.093444 rad, e_bt = 5.9043 - 3.5124 = 2.3919.
// Span contact at r_b sqrt(1 + u^2), u = (k - 1) pi / 20 + 0.093444:
//   k = 3: u = 0.4076, r = 20.30 (on the usable flank);
//   k = 6: u = 0.8788, r = 25.02 (above the tip: failed).
// Ball centre at r_b / cos alpha_kt, inv alpha_kt = (D - 2.3919) / 37.5877:
//   D = 3.5: alpha_kt = 24.9 deg, centre 20.72, top 22.47 > 22 (protrudes);
//   D = 2.5: alpha_kt = 11.7 deg, centre 19.19, top 20.44 < 22 (failed).
TEST_P(DrawingMarks, FailedChecksAtTheirPlace) {
  const CheckCase& c = GetParam();
  GearInput in;
  in.k_M = c.k;
  in.D_M = c.D;
  const Gear gear = Calculated(in);
  const MeasurementDrawing m = BuildMeasurementDrawing(DrawingInputOf(gear));
  ASSERT_TRUE(m.valid);
  EXPECT_EQ(m.spanContacts[0].failed, c.spanFails);
  EXPECT_EQ(m.spanContacts[1].failed, c.spanFails);
  EXPECT_EQ(m.balls[0].failed, c.ballFails);
  EXPECT_EQ(m.balls[1].failed, c.ballFails);
  EXPECT_EQ(m.AnyFailed(), c.spanFails || c.ballFails);
}

INSTANTIATE_TEST_SUITE_P(Checks, DrawingMarks,
                         ::testing::Values(CheckCase{"all_pass", "3", "3.5", false, false},
                                           CheckCase{"span_above_tip", "6", "3.5", true, false},
                                           CheckCase{"ball_below_tips", "3", "2.5", false, true}),
                         testing::RowName);

TEST(MeasurementDrawing, NoGearNoDrawing) {
  DrawingInput in;  // all zero
  EXPECT_FALSE(BuildMeasurementDrawing(in).valid);
  in.z = 4;  // below five teeth
  in.m_n = 2;
  in.alpha_n = 20;
  EXPECT_FALSE(BuildMeasurementDrawing(in).valid);
}

}  // namespace
}  // namespace silvarone

namespace silvarone {
namespace {

// The drawing marks what the checks of the calculation page report: the
// drawing finds its contacts by rolling the flanks and seating the balls, the
// checks by the closed formulas of the contact diameters; both must agree on
// every contact and ball, for gears that pass and gears that fail.
class DrawingAndChecks : public ::testing::TestWithParam<DrawnGear> {};

TEST_P(DrawingAndChecks, MarkTheSameFailures) {
  const Gear gear = Calculated(GetParam().in);
  const MeasurementDrawing m = BuildMeasurementDrawing(DrawingInputOf(gear));
  const Measurability checks = CheckMeasurability(gear);
  ASSERT_TRUE(m.valid);
  ASSERT_TRUE(checks.span.known && checks.overBalls.known && checks.instrument.known);
  for (const DrawContact& contact : m.spanContacts)
    EXPECT_EQ(contact.failed, checks.span.flank != FlankContact::kUsable);
  for (const DrawContact& contact : m.ballContacts)
    EXPECT_EQ(contact.failed, checks.overBalls.flank != FlankContact::kUsable);
  for (const DrawBall& ball : m.balls)
    EXPECT_EQ(ball.failed, !checks.overBalls.protrudes);
  for (const DrawContact& contact : m.instrumentContacts)
    EXPECT_EQ(contact.failed, checks.instrument.flank != FlankContact::kUsable);
  for (const DrawBall& ball : m.instrumentBalls)
    EXPECT_EQ(ball.failed, !checks.instrument.protrudes);
}

INSTANTIATE_TEST_SUITE_P(
    Gears, DrawingAndChecks,
    ::testing::Values(DrawnGear{"spur_external_even", Gear_("20", "0", "0", "3", "3.5")},
                      DrawnGear{"spur_external_odd", Gear_("21", "0", "0.3", "3", "3.5")},
                      DrawnGear{"helical_external_even", Gear_("24", "15", "0.2", "4", "3.5")},
                      DrawnGear{"helical_external_odd", Gear_("23", "20", "-0.1", "3", "3.5")},
                      DrawnGear{"spur_internal_even", Gear_("-40", "0", "0", "-5", "3.5")},
                      DrawnGear{"helical_internal_odd", Gear_("-37", "18", "0.1", "-5", "3.5")},
                      DrawnGear{"span_above_tip", Gear_("20", "0", "0", "6", "3.5")},
                      DrawnGear{"ball_below_tips", Gear_("20", "0", "0", "3", "2.5")},
                      DrawnGear{"helical_span_above_tip", Gear_("24", "15", "0.2", "8", "3.5")},
                      DrawnGear{"helical_small_ball", Gear_("24", "15", "0.2", "4", "2.5")}),
    testing::RowName);

}  // namespace
}  // namespace silvarone
