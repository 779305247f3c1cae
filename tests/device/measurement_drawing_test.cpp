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
  const char* faceWidth = "20";
};
SILVARONE_PRINT_ROW_NAME(DrawnGear)

// The gear after the calculation page, with the row's ball and tooth count.
Gear Calculated(const GearInput& in, const char* faceWidth = "20") {
  Gear gear = MakeGear(in);
  gear.rec.b_w.text = faceWidth;
  EXPECT_EQ(ParseParameter(gear.rec.b_w, {}), kStatusValid);
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

// The drawing marks what the checks of the calculation page report, on every
// contact, ball and anvil, for gears that pass and gears that fail; and it
// puts the marks where the checks measure.
class DrawingAndChecks : public ::testing::TestWithParam<DrawnGear> {};

TEST_P(DrawingAndChecks, MarkTheSameFailures) {
  const Gear gear = Calculated(GetParam().in, GetParam().faceWidth);
  const MeasurementDrawing m = BuildMeasurementDrawing(DrawingInputOf(gear));
  const Measurability checks = CheckMeasurability(gear);
  ASSERT_TRUE(m.valid);
  ASSERT_TRUE(checks.span.known && checks.overBalls.known && checks.instrument.known);
  const auto ballFails = [](const BallCheck& b) {
    return !b.protrudes || b.flank == FlankContact::kNoInvolute;
  };
  for (const DrawContact& contact : m.spanContacts)
    EXPECT_EQ(contact.failed, checks.span.flank != FlankContact::kUsable);
  for (const DrawAnvil& anvil : m.anvils)
    EXPECT_EQ(anvil.failed, !checks.span.widthCarries);
  for (const DrawContact& contact : m.ballContacts)
    EXPECT_EQ(contact.failed, checks.overBalls.flank != FlankContact::kUsable);
  for (const DrawBall& ball : m.balls)
    EXPECT_EQ(ball.failed, ballFails(checks.overBalls));
  for (const DrawContact& contact : m.instrumentContacts)
    EXPECT_EQ(contact.failed, checks.instrument.flank != FlankContact::kUsable);
  for (const DrawBall& ball : m.instrumentBalls)
    EXPECT_EQ(ball.failed, ballFails(checks.instrument));
  EXPECT_EQ(m.AnyFailed(), !checks.AllSound());
}

double Radius(DrawPoint p) {
  return std::hypot(p.x, p.y);
}

// The marks stand where the checks measure: the drawing rolls its flanks and
// seats its balls, the checks use the closed formulas of d_Wk, d_K and d_MK.
// A helical ball's drawn contact is the section point nearest its centre, not
// the contact in space, so d_MK is compared on spur gears only.
TEST_P(DrawingAndChecks, MarksStandWhereTheChecksMeasure) {
  const Gear gear = Calculated(GetParam().in, GetParam().faceWidth);
  const MeasurementDrawing m = BuildMeasurementDrawing(DrawingInputOf(gear));
  const Measurability checks = CheckMeasurability(gear);
  ASSERT_TRUE(m.valid);
  for (const DrawContact& contact : m.spanContacts)
    EXPECT_NEAR(2.0 * Radius(contact.point), std::fabs(checks.span.d_Wk), kMicrometre);
  const auto sameSeat = [&](const BallCheck& check, const DrawBall& ball) {
    if (check.flank == FlankContact::kNoInvolute) return;  // no seat to compare
    const double centre = 2.0 * Radius(ball.circle.centre);
    EXPECT_NEAR(centre, std::fabs(check.d_K), kMicrometre);
    // The reach: the ball's far edge from the axis, or its near edge inside.
    EXPECT_NEAR(m.internal ? centre - check.D : centre + check.D, std::fabs(check.reach),
                kMicrometre);
  };
  for (const DrawBall& ball : m.balls)
    sameSeat(checks.overBalls, ball);
  ASSERT_FALSE(m.instrumentBalls.empty());
  sameSeat(checks.instrument, m.instrumentBalls.front());
  if (m.helical || checks.overBalls.flank == FlankContact::kNoInvolute) return;
  for (const DrawContact& contact : m.ballContacts)
    EXPECT_NEAR(2.0 * Radius(contact.point), std::fabs(checks.overBalls.d_MK), kMicrometre);
}

// Hand numbers of the failing rows, alpha_n 20 deg, m_n 2, x 0 (the formulas
// as in measurability_test.cpp):
// internal_ball_without_seat z -40, k -5, D 6: d_b 75.175410, e_bt 4.072575,
//   d_Na 76; alpha_Kt -23.792590, r_b tan alpha_Kt = -16.572347, the contact
//   -16.572347 + 3 lies before the point of tangency: no involute; d_K
//   82.157854, near edge 82.157854 - 6 = 76.157854 >= 76: it does not stand out.
//   Balls and contacts red; the span's d_Wk 80.112781 lies in 76..85.
// internal_ball_too_small D 1.5: alpha_Kt 26.065797, d_K 83.687235, d_MK
//   84.357101 in 76..85 (contacts sound), near edge 82.187235 >= 76: the
//   ball hides between the tips; the balls red.
// helical_face_too_narrow z 20, beta 30, k 3, D 3.5, b_w 6: beta_b 28.024321,
//   W_k 15.603130 takes W_k sin beta_b = 7.331073 > 6 of the face width: the
//   anvils red; d_Wk 46.103272 in 41.188..50.188, the ball's reach 51.166732
//   beyond d_Na 50.188.
struct RedMarks {
  bool spanContacts;
  bool anvils;
  bool ballContacts;
  bool balls;  // of MdK and of the instrument: the same ball and shift
};
struct FailingGear {
  const char* name;
  DrawnGear gear;
  RedMarks red;
};
SILVARONE_PRINT_ROW_NAME(FailingGear)

bool Finite(DrawPoint p) {
  return std::isfinite(p.x) && std::isfinite(p.y);
}

class FailingGears : public ::testing::TestWithParam<FailingGear> {};

TEST_P(FailingGears, RedWhereTheHandCalculationFails) {
  const FailingGear& row = GetParam();
  const Gear gear = Calculated(row.gear.in, row.gear.faceWidth);
  const MeasurementDrawing m = BuildMeasurementDrawing(DrawingInputOf(gear));
  ASSERT_TRUE(m.valid);
  ASSERT_FALSE(m.instrumentBalls.empty());
  for (const DrawContact& contact : m.spanContacts)
    EXPECT_EQ(contact.failed, row.red.spanContacts);
  for (const DrawAnvil& anvil : m.anvils)
    EXPECT_EQ(anvil.failed, row.red.anvils);
  for (const DrawContact& contact : m.ballContacts)
    EXPECT_EQ(contact.failed, row.red.ballContacts);
  for (const DrawContact& contact : m.instrumentContacts)
    EXPECT_EQ(contact.failed, row.red.ballContacts);
  for (const DrawBall& ball : m.balls)
    EXPECT_EQ(ball.failed, row.red.balls);
  for (const DrawBall& ball : m.instrumentBalls)
    EXPECT_EQ(ball.failed, row.red.balls);
  // Drawn all the same, a ball without a seat too: in its gap, nothing lost.
  for (const DrawContact& c : m.ballContacts)
    EXPECT_TRUE(Finite(c.point));
  for (const DrawContact& c : m.instrumentContacts)
    EXPECT_TRUE(Finite(c.point));
  for (const DrawBall& ball : m.balls) {
    EXPECT_TRUE(Finite(ball.circle.centre));
    EXPECT_GE(Radius(ball.circle.centre), m.baseRadius - 1e-9);
  }
  EXPECT_TRUE(Finite(m.ballDimension.from) && Finite(m.ballDimension.to));
  EXPECT_TRUE(std::isfinite(m.checkTo.x) && std::isfinite(m.checkTo.y));
}

INSTANTIATE_TEST_SUITE_P(Rows, FailingGears,
                         ::testing::Values(FailingGear{"internal_ball_without_seat",
                                                       {"", Gear_("-40", "0", "0", "-5", "6")},
                                                       {false, false, true, true}},
                                           FailingGear{"internal_ball_too_small",
                                                       {"", Gear_("-40", "0", "0", "-5", "1.5")},
                                                       {false, false, false, true}},
                                           FailingGear{
                                               "helical_face_too_narrow",
                                               {"", Gear_("20", "30", "0", "3", "3.5"), "6"},
                                               {false, true, false, false}}),
                         testing::RowName);

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
                      DrawnGear{"helical_small_ball", Gear_("24", "15", "0.2", "4", "2.5")},
                      DrawnGear{"internal_ball_without_seat", Gear_("-40", "0", "0", "-5", "6")},
                      DrawnGear{"internal_ball_too_small", Gear_("-40", "0", "0", "-5", "1.5")},
                      DrawnGear{"helical_face_too_narrow", Gear_("20", "30", "0", "3", "3.5"),
                                "6"}),
    testing::RowName);

}  // namespace
}  // namespace silvarone
