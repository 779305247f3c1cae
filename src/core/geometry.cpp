#include "core/geometry.h"

#include <cmath>

#include "core/recent_results.h"

namespace silvarone {
double Involute(double alphaRad) {
  return std::tan(alphaRad) - alphaRad;
}

double ArcCos(double v) {
  if (v == 0.0) return kPi / 2.0;
  return std::atan(std::sqrt(1.0 - v * v) / v);
}

double ArcSin(double v) {
  const double c = std::sqrt(1.0 - v * v);
  if (c == 0.0) return std::copysign(kPi / 2.0, v);
  return std::atan(v / c);
}

void DetermineExternalGear(Gear& gear) {
  gear.state.ExternalGear = 0;
  TGear& z = gear.rec.z;
  if (IsEntered(z) && ParseParameter(z, {.normalise = true}) == kStatusValid) {
    gear.state.ExternalGear = z.value >= 0.0 ? 1 : 0;
    gear.NotifySettingsChanged();
  }
}

void DetermineHelicalGear(Gear& gear) {
  gear.state.HelicalGear = 0;
  TGear& beta = gear.rec.beta;
  if (IsEntered(beta) && ParseParameter(beta, {.normalise = true}) == kStatusValid &&
      beta.value > 0.0) {
    gear.state.HelicalGear = 1;
  }
}

void TransverseModule(Gear& gear) {
  GearRecords& r = gear.rec;
  r.m_t.value = (r.m_n.value / std::cos(Rad(r.beta.value)));
}

void ReferenceDiameter(Gear& gear) {
  GearRecords& r = gear.rec;
  TransverseModule(gear);
  // Only from a module and a tooth count that converted: a stale or marker
  // value would put a plausible-looking wrong diameter on screen.
  if (HasText(r.m_n) && HasText(r.z) && r.m_n.status == kStatusValid &&
      r.z.status == kStatusValid) {
    StoreValue(gear, r.d, r.m_t.value * r.z.value);
  } else {
    r.d.value = kCannotCompute;
  }
}

void TransversePressureAngle(Gear& gear) {
  GearRecords& r = gear.rec;
  // Asked for by most of the geometry, dozens of times a gear.
  thread_local RecentResults<1> recent;
  const double alphaN = r.alpha_n.value;
  const double beta = r.beta.value;
  StoreValue(gear, r.alpha_t, recent.Of({alphaN, beta, 0.0, 0.0}, [&] {
    return std::atan(std::tan(Rad(alphaN)) / std::cos(Rad(beta))) * kRadToDeg;
  }));
}

void BaseDiameter(Gear& gear) {
  GearRecords& r = gear.rec;
  TransversePressureAngle(gear);
  if (HasText(r.d) && HasText(r.alpha_n)) {
    StoreValue(gear, r.d_b, r.d.value * std::cos(Rad(r.alpha_t.value)));
  } else {
    r.d_b.value = kCannotCompute;
  }
}

void BaseHelixAngle(Gear& gear) {
  GearRecords& r = gear.rec;
  thread_local RecentResults<1> recent;
  const double alphaN = r.alpha_n.value;
  const double beta = r.beta.value;
  StoreValue(gear, r.beta_b, recent.Of({beta, alphaN, 0.0, 0.0}, [&] {
    return ArcSin(std::sin(Rad(beta)) * std::cos(Rad(alphaN))) * kRadToDeg;
  }));
}

void InvoluteNormal(Gear& gear) {
  StoreValue(gear, gear.rec.inv_alpha_n, Involute(Rad(gear.rec.alpha_n.value)));
}

void InvoluteTransverse(Gear& gear) {
  StoreValue(gear, gear.rec.inv_alpha_t, Involute(Rad(gear.rec.alpha_t.value)));
}

void TransversePitch(Gear& gear) {
  GearRecords& r = gear.rec;
  StoreValue(gear, r.p_t, kPi * r.m_n.value / std::cos(Rad(r.beta.value)));
}

void NormalPitch(Gear& gear) {
  StoreValue(gear, gear.rec.p_n, kPi * gear.rec.m_n.value);
}

void TransverseBasePitch(Gear& gear) {
  GearRecords& r = gear.rec;
  TransversePressureAngle(gear);
  StoreValue(gear, r.p_bt,
             kPi * r.m_n.value / std::cos(Rad(r.beta.value)) * std::cos(Rad(r.alpha_t.value)));
}

void NormalBasePitch(Gear& gear) {
  GearRecords& r = gear.rec;
  StoreValue(gear, r.p_bn, kPi * r.m_n.value * std::cos(Rad(r.alpha_n.value)));
}

void TransverseToothThickness(Gear& gear, TGear x) {
  GearRecords& r = gear.rec;
  TransversePitch(gear);
  TransversePressureAngle(gear);
  StoreValue(gear, r.s_t,
             r.p_t.value / 2.0 + 2.0 * x.value * r.m_n.value * std::tan(Rad(r.alpha_t.value)));
}

void NormalToothThickness(Gear& gear, TGear x) {
  GearRecords& r = gear.rec;
  TransverseToothThickness(gear, x);
  StoreValue(gear, r.s_n, r.s_t.value * std::cos(Rad(r.beta.value)));
}

void BaseToothThickness(Gear& gear, TGear x) {
  GearRecords& r = gear.rec;
  InvoluteTransverse(gear);
  const double z = r.z.value;
  StoreValue(gear, r.s_bt,
             r.d_b.value * (2.0 * x.value * std::tan(Rad(r.alpha_n.value)) / z + kPi / (2.0 * z) +
                            r.inv_alpha_t.value));
}

void NormalBaseToothThickness(Gear& gear) {
  GearRecords& r = gear.rec;
  InvoluteNormal(gear);
  StoreValue(gear, r.s_bn, r.s_bt.value * std::cos(Rad(r.beta_b.value)));
}

void TransverseSpaceWidth(Gear& gear) {
  GearRecords& r = gear.rec;
  StoreValue(gear, r.e_t, r.p_t.value - r.s_t.value);
}

void NormalSpaceWidth(Gear& gear) {
  GearRecords& r = gear.rec;
  StoreValue(gear, r.e_n, r.e_t.value * std::cos(Rad(r.beta.value)));
}

void BaseSpaceWidth(Gear& gear) {
  GearRecords& r = gear.rec;
  StoreValue(gear, r.e_bt, r.p_bt.value - r.s_bt.value);
}

void NormalBaseSpaceWidth(Gear& gear) {
  GearRecords& r = gear.rec;
  BaseHelixAngle(gear);
  StoreValue(gear, r.e_bn, r.e_bt.value * std::cos(Rad(r.beta_b.value)));
}

// Tip and root circle one addendum above and 1.25 modules below the
// reference circle. Built on d rather than on z * m_n, so that a helical gear
// gets its tip circle above its (larger) reference circle; for internal gears
// the negative d carries the sign.
void DefaultTipDiameter(Gear& gear) {
  GearRecords& r = gear.rec;
  StoreValue(gear, r.d_Na, r.d.value + 2.0 * r.m_n.value);
}

void DefaultRootDiameter(Gear& gear) {
  GearRecords& r = gear.rec;
  StoreValue(gear, r.d_Nf, r.d.value - 2.5 * r.m_n.value);
}

void RootDiameter(Gear& gear) {
  StoreValue(gear, gear.rec.d_f, gear.rec.d_Nf.value);
}

void TipPressureAngle(Gear& gear) {
  GearRecords& r = gear.rec;
  const double ratio = r.d_b.value / r.d_Na.value;
  // A useful tip circle inside the base circle has no pressure angle.
  StoreValue(gear, r.alpha_Na, ratio > 1.0 ? 0.0 : ArcCos(ratio) * kRadToDeg);
}

void TipInvolute(Gear& gear) {
  StoreValue(gear, gear.rec.inv_alpha_Na, Involute(Rad(gear.rec.alpha_Na.value)));
}

void TipHelixAngle(Gear& gear) {
  GearRecords& r = gear.rec;
  r.beta_Na.value = (std::atan(std::tan(Rad(r.beta.value)) * r.d_Na.value / r.d.value) * kRadToDeg);
}

void Lead(Gear& gear) {
  GearRecords& r = gear.rec;
  const double tanBeta = std::tan(Rad(r.beta.value));
  r.lead.value = tanBeta == 0.0 ? 0.0 : (std::fabs(r.z.value) * r.m_t.value * kPi / tanBeta);
}

void BasicGeometry(Gear& gear, TGear x) {
  ReferenceDiameter(gear);
  TransversePressureAngle(gear);
  BaseDiameter(gear);
  BaseHelixAngle(gear);
  InvoluteNormal(gear);
  InvoluteTransverse(gear);
  TransverseModule(gear);
  FormatValue(gear, gear.rec.m_t);
  TransversePitch(gear);
  NormalPitch(gear);
  TransverseBasePitch(gear);
  NormalBasePitch(gear);
  TransverseToothThickness(gear, x);
  NormalToothThickness(gear, x);
  BaseToothThickness(gear, x);
  NormalBaseToothThickness(gear);
  TransverseSpaceWidth(gear);
  NormalSpaceWidth(gear);
  BaseSpaceWidth(gear);
  NormalBaseSpaceWidth(gear);
}

void Diameters(Gear& gear) {
  ReferenceDiameter(gear);
  BaseDiameter(gear);
  DefaultTipDiameter(gear);
  DefaultRootDiameter(gear);
  RootDiameter(gear);
}

BallGap GapOf(const Gear& gear, double D) {
  const GearRecords& r = gear.rec;
  return {r.e_bt.value, r.d_b.value, r.beta_b.value, D};
}

double BallCentreTarget(const BallGap& gap) {
  return gap.D / (std::cos(Rad(gap.beta_b)) * gap.d_b) - gap.e_bt / gap.d_b;
}

double BallInvoluteTarget(BallForm form, const BallGap& gap) {
  const double db = std::fabs(gap.d_b);
  if (form == BallForm::kSpur) return (gap.e_bt - gap.D) / db;
  return gap.e_bt / db - gap.D / (db * (std::cos(Rad(gap.beta_b))));
}

namespace {

double NewtonIterations(double target, double startDeg, double tolerance, int maxIterations,
                        int* iterationsUsed) {
  *iterationsUsed = 0;
  if (!std::isfinite(target)) return std::nan("");
  double alpha = startDeg;
  double next = alpha;
  for (int i = 0; i <= maxIterations; ++i) {
    *iterationsUsed = i + 1;
    const double a = alpha * kDegToRad;
    const double t = std::tan(a);
    const double f = t - a - target;
    if (f == 0.0) return alpha;
    // d(tan a - a)/d(alpha in degrees) = tan^2 a * pi/180: flat near 0 degrees,
    // so a raw step can leave the branch; halve towards +-90 degrees instead.
    const double slope = t * t * kDegToRad;
    next = slope == 0.0 ? alpha : alpha - f / slope;
    if (!(next < 90.0) || (slope == 0.0 && f < 0.0)) next = (alpha + 90.0) / 2.0;
    if (!(next > -90.0) || (slope == 0.0 && f > 0.0)) next = (alpha - 90.0) / 2.0;
    if (std::fabs(next - alpha) < tolerance) break;
    alpha = next;
  }
  return next;
}

double FixedPointIterations(double target, double startRad, double tolerance, long maxIterations) {
  if (!std::isfinite(target)) return std::nan("");
  // tan a = a + inv a, so a = arctan(a + target) has the wanted angle as its fixed point.
  double alpha = startRad;
  for (long i = 0; i <= maxIterations; ++i) {
    const double previous = alpha;
    alpha = std::atan(previous + target);
    if (std::fabs(alpha - previous) < tolerance) break;
  }
  return (alpha * kRadToDeg);
}

}  // namespace

double SolveInvoluteNewton(double target, double startDeg, double tolerance, int maxIterations,
                           int* iterationsUsed) {
  // A gear's page solves the same contact several times (the ball limits,
  // the contact, each profile shift's check dimension).
  thread_local RecentResults<32> recent;
  const RecentResults<32>::Key key = {target, startDeg, tolerance,
                                      static_cast<double>(maxIterations)};
  RecentResults<32>::Solution solution;
  if (!recent.Find(key, solution)) {
    int used = 0;
    solution = {NewtonIterations(target, startDeg, tolerance, maxIterations, &used), used};
    recent.Keep(key, solution);
  }
  if (iterationsUsed != nullptr) *iterationsUsed = static_cast<int>(solution.iterations);
  return solution.value;
}

double SolveInvoluteFixedPoint(double target, double startRad, double tolerance,
                               long maxIterations) {
  // The ball centres of one dimension over balls are solved twice a gear.
  thread_local RecentResults<8> recent;
  const RecentResults<8>::Key key = {target, startRad, tolerance,
                                     static_cast<double>(maxIterations)};
  RecentResults<8>::Solution solution;
  if (!recent.Find(key, solution)) {
    solution = {FixedPointIterations(target, startRad, tolerance, maxIterations), 0};
    recent.Keep(key, solution);
  }
  return solution.value;
}

void InvoluteInverseNewton(Gear& gear, TGear& result, BallForm form, const BallGap& gap) {
  StoreValue(gear, result, SolveInvoluteNewton(BallInvoluteTarget(form, gap)));
}

void InvoluteInverseFixedPoint(Gear& gear, TGear& result, const BallGap& gap) {
  StoreValue(gear, result, SolveInvoluteFixedPoint(BallCentreTarget(gap)));
}

}  // namespace silvarone
