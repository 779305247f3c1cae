#include "device/measurability.h"

#include <cmath>
#include <limits>

#include "core/geometry.h"
#include "core/modes.h"
#include "core/span.h"
#include "device/page_sequence.h"

namespace silvarone {
namespace {

// A record that holds a number of this gear: entered or computed, converted,
// and none of the markers of a value that is not there.
bool Usable(const TGear& record) {
  const double value = record.value;
  return IsEntered(record.text) && std::isfinite(value) && value != kNotSet &&
         value != kCannotCompute && value != kGivenDimensionUnset &&
         (record.status == kStatusValid || record.status == kStatusNeverParsed);
}

bool GeometryUsable(const GearRecords& r) {
  for (const TGear* record : {&r.z, &r.d_b, &r.beta_b, &r.d_Na, &r.d_Nf}) {
    if (!Usable(*record)) return false;
  }
  return r.d_b.value != 0.0;
}

bool External(const Gear& gear) {
  return ToothSign(gear.rec.z.value) > 0.0;
}

SpanCheck CheckSpan(const Gear& gear) {
  const GearRecords& r = gear.rec;
  SpanCheck check;
  const TGear& span = *ComparisonTable(gear)[0][0];
  if (!GeometryUsable(r) || !Usable(span)) return check;
  check.known = true;
  check.W_k = span.value;
  check.d_Wk = SpanContactDiameter(r.d_b.value, span.value, r.beta_b.value);
  check.flank = OnFlank(check.d_Wk, r.d_Nf.value, r.d_Na.value);
  // The anvils' contact points lie W_k apart along the normal, which rises
  // at beta_b out of the transverse plane: both must lie on the face width.
  check.widthNeeded = std::fabs(span.value) * std::sin(Rad(r.beta_b.value));
  if (Usable(r.b_w)) {
    check.b_w = r.b_w.value;
    check.widthCarries = check.b_w > check.widthNeeded;
  }
  return check;
}

BallCheck CheckBall(const Gear& gear, const TGear& ball, const TGear& shift) {
  const GearRecords& r = gear.rec;
  BallCheck check;
  if (!GeometryUsable(r) || !Usable(ball) || ball.value <= 0.0 || !Usable(shift)) return check;
  const bool external = External(gear);
  check.known = true;
  check.D = ball.value;
  check.alphaKt = BallCentreAngleFor(gear, check.D, shift.value);
  check.d_K = r.d_b.value / std::cos(Rad(check.alphaKt));
  check.d_MK = BallContactDiameter(r.d_b.value, check.alphaKt, check.D, r.beta_b.value, external);
  check.flank = std::isfinite(check.d_MK) ? OnFlank(check.d_MK, r.d_Nf.value, r.d_Na.value)
                                          : FlankContact::kNoInvolute;
  check.reach = BallReach(check.d_K, check.D, external);
  check.protrudes = BallProtrudes(check.reach, r.d_Na.value, external);
  return check;
}

}  // namespace

bool Measurability::AllSound() const {
  const auto sound = [](const BallCheck& ball) {
    return !ball.known || (ball.flank == FlankContact::kUsable && ball.protrudes);
  };
  const bool spanSound = !span.known || (span.flank == FlankContact::kUsable && span.widthCarries);
  return spanSound && sound(overBalls) && sound(instrument);
}

// DIN 3960:1987 and ISO 21771:2007, span measurement (Zahnweite / base
// tangent length): the anvils touch the flanks on the base tangent, W_k / 2
// on either side of its tangent point in the normal section, W_k / (2 cos
// beta_b) in the transverse section.
double SpanContactDiameter(double d_b, double W_k, double beta_b_deg) {
  const double transverse = W_k / std::cos(Rad(beta_b_deg));
  return std::copysign(std::hypot(d_b, transverse), d_b);
}

// DIN 3960:1987 and DIN 3977 (dimension over balls): the ball centre lies on
// the base tangent at r_b tan alpha_Kt from its tangent point. The contact
// normal lies in the base tangent plane and rises at beta_b out of the
// transverse plane, so the contact lies (D / 2) cos beta_b nearer the tangent
// point along the transverse tangent (farther for internal teeth, whose flank
// faces the other way). For a spur gear this is D / 2.
double BallContactDiameter(double d_b, double alphaKt_deg, double D, double beta_b_deg,
                           bool external) {
  const double r_b = std::fabs(d_b) / 2.0;
  const double toCentre = r_b * std::tan(Rad(alphaKt_deg));
  const double centreToContact = D / 2.0 * std::cos(Rad(beta_b_deg));
  const double toContact = external ? toCentre - centreToContact : toCentre + centreToContact;
  // Before the tangent point the line meets no involute of this flank.
  if (!(toContact >= 0.0)) return std::numeric_limits<double>::quiet_NaN();
  return std::copysign(2.0 * std::hypot(r_b, toContact), d_b);
}

FlankContact OnFlank(double diameter, double d_Nf, double d_Na) {
  const double at = std::fabs(diameter);
  const double tip = std::fabs(d_Na);
  const double root = std::fabs(d_Nf);
  // External teeth have their tips outside the root circle, internal inside.
  const bool tipOutside = tip > root;
  if (tipOutside ? at >= tip : at <= tip) return FlankContact::kPastTip;
  if (tipOutside ? at <= root : at >= root) return FlankContact::kPastRoot;
  return FlankContact::kUsable;
}

// DIN 3977: the anvils of the instrument and of the micrometer are flat; they
// must touch the balls, so the balls must stand out over the tip circle.
double BallReach(double d_K, double D, bool external) {
  const double edge = external ? std::fabs(d_K) + D : std::fabs(d_K) - D;
  return std::copysign(edge, d_K);
}

bool BallProtrudes(double reach, double d_Na, bool external) {
  return external ? std::fabs(reach) > std::fabs(d_Na) : std::fabs(reach) < std::fabs(d_Na);
}

Measurability CheckMeasurability(const Gear& gear) {
  const GearRecords& r = gear.rec;
  Measurability result;
  result.d_b = r.d_b.value;
  result.d_Na = r.d_Na.value;
  result.d_Nf = r.d_Nf.value;
  result.span = CheckSpan(gear);
  result.overBalls = CheckBall(gear, r.DM_given, *ComparisonTable(gear)[2][0]);
  result.instrument = CheckBall(gear, r.D_M, r.x);
  return result;
}

}  // namespace silvarone
