#include "core/modes.h"

#include <cmath>

#include "core/balls.h"
#include "core/check_dimension.h"
#include "core/geometry.h"
#include "core/span.h"

namespace silvarone {

double BallCentreAngleFor(const Gear& gear, double D, double xE) {
  const GearRecords& r = gear.rec;
  const double z = r.z.value;
  const double sbt = r.d_b.value * (2.0 * xE * std::tan(Rad(r.alpha_n.value)) / z +
                                    kPi / (2.0 * z) + r.inv_alpha_t.value);
  const double ebt = r.p_bt.value - sbt;
  return SolveInvoluteFixedPoint(BallCentreTarget({ebt, r.d_b.value, r.beta_b.value, D}));
}

namespace {

// The deviations a given dimension or profile shift stands for.
Deviations ModeDeviations(const GearRecords& r) {
  return {.upper = r.A_upper_mode.value, .lower = r.A_lower_mode.value};
}

}  // namespace

double CheckDimensionFor(Gear& gear, BallForm form, TGear x) {
  GearRecords& r = gear.rec;
  // The geometry for x, with the default tip and root circles.
  BasicGeometry(gear, x);
  DefaultTipDiameter(gear);
  DefaultRootDiameter(gear);
  RootDiameter(gear);

  MeasuringAngle(gear);
  BallContact(gear, form, r.D_M.value);
  FormatValue(gear, r.D_M);
  FormatCount(gear, r.k_M);

  const double q = form == BallForm::kHelical ? CheckDimensionHelical(gear, gear.state.helix)
                                              : CheckDimensionSpur(gear);
  StoreValue(gear, r.Q, SignedCheckDimension(gear, q));
  return r.Q.value;
}

void FullCalculation(Gear& gear, BallForm form, TGear x) {
  GearRecords& r = gear.rec;
  CheckDimensionFor(gear, form, x);
  RecommendedMeasuringTeeth(gear, form, r.D_M.value);
  SpanMeasurement(gear);
  DimensionOverBalls(gear, r.DM_given);
}

void XeFromSpan(Gear& gear, TGear& result, double Wk, double k) {
  const GearRecords& r = gear.rec;
  const double alphaN = Rad(r.alpha_n.value);
  const double teeth = k - ToothSign(r.z.value) * 0.5;
  const double nominalAtZero =
      r.m_n.value * std::cos(alphaN) * (teeth * kPi + r.z.value * r.inv_alpha_t.value);
  StoreValue(gear, result, (Wk - nominalAtZero) / (2.0 * r.m_n.value * std::sin(alphaN)));
}

void XeFromDeviation(Gear& gear, TGear& result, double x, double A_mm) {
  const GearRecords& r = gear.rec;
  StoreValue(gear, result, x + A_mm / (2.0 * r.m_n.value * std::tan(Rad(r.alpha_n.value))));
}

void DeviationFromXe(Gear& gear, TGear& result, double xELimit, double xE) {
  const GearRecords& r = gear.rec;
  StoreValue(gear, result, 2000.0 * r.m_n.value * std::tan(Rad(r.alpha_n.value)) * (xELimit - xE));
}

double InvAlphaFromBallDimension(Gear& gear, TGear& result, double M, double D) {
  const GearRecords& r = gear.rec;
  const double dKt = (M - D) / ChordFactor(r.z.value);
  double alphaKt = 0.0;  // ball centres inside the base circle: arccos(1)
  if (std::fabs(r.d_b.value) < std::fabs(dKt)) alphaKt = ArcCos(r.d_b.value / dKt);
  StoreValue(gear, result, Involute(alphaKt));
  return (alphaKt * kRadToDeg);
}

void XeFromInvolute(Gear& gear, TGear& result, double D, double inv) {
  const GearRecords& r = gear.rec;
  const double alphaN = Rad(r.alpha_n.value);
  const double z = r.z.value;
  const double b = D / (std::cos(alphaN) * z * r.m_n.value) + r.inv_alpha_t.value - inv;
  StoreValue(gear, result, (kPi - 2.0 * z * b) / (4.0 * std::tan(alphaN)));
}

void SpanFromXe(Gear& gear, TGear& Wk, TGear& Wke, TGear& Wki, Deviations A, double xE, double k) {
  GearRecords& r = gear.rec;
  TGear teeth;
  teeth.value = k;
  TGear shift;
  shift.value = xE;
  SpanMeasurementNominal(gear, Wk, teeth, shift);
  StoreValue(gear, r.AWk_star, std::cos(Rad(r.alpha_n.value)));
  StoreValue(gear, Wke, Wk.value - std::fabs(r.AWk_star.value * A.upper / 1000.0));
  StoreValue(gear, Wki, Wk.value - std::fabs(r.AWk_star.value * A.lower / 1000.0));
}

void BallDimensionFromXe(Gear& gear, TGear& Mdk, TGear& Mdke, TGear& Mdki, Deviations A, double D,
                         double xE) {
  const GearRecords& r = gear.rec;
  for (TGear* result : {&Mdk, &Mdke, &Mdki})
    StoreValue(gear, *result, 0.0);
  const double alphaKt = BallCentreAngleFor(gear, D, xE);
  const double dKt = r.d_b.value / std::cos(Rad(alphaKt));
  StoreValue(gear, Mdk, dKt * ChordFactor(r.z.value) + D);
  const double factor = BallDeviationFactor(gear, alphaKt);
  StoreValue(gear, Mdke, Mdk.value - std::fabs(factor * A.upper / 1000.0));
  StoreValue(gear, Mdki, Mdk.value - std::fabs(factor * A.lower / 1000.0));
}

void ReSignGivenValues(Gear& gear) {
  GearRecords& r = gear.rec;
  const bool external = gear.state.ExternalGear == 1;
  for (TGear* given : {&r.Wk_given, &r.Wke_given, &r.Wki_given, &r.Mdk_given, &r.Mdke_given,
                       &r.Mdki_given, &r.k_given}) {
    if (!IsEntered(*given)) continue;
    if (ParseParameter(*given, {}) == kStatusNotANumber) continue;
    if (external ? given->value < 0.0 : given->value > 0.0) given->value = -given->value;
    if (given == &r.k_given) {
      FormatParameter(*given, 15, 0);
    } else {
      FormatValue(gear, *given);
    }
    // The value keeps the digits the user gave; only the text follows the
    // display decimals. The status follows the sign now given.
    given->status = given->value < given->minimum   ? kStatusBelowMinimum
                    : given->value > given->maximum ? kStatusAboveMaximum
                                                    : kStatusValid;
  }
}

namespace {

// Standard input: Wk, MdK and xE from the profile shift x and the deviations
// in effect.
void StandardConversions(Gear& gear, double k, double D) {
  GearRecords& r = gear.rec;
  SpanToothCount(gear, r.x);
  const Deviations inEffect{.upper = r.A_sne.value, .lower = r.A_sni.value};
  SpanFromXe(gear, r.Wk_mode, r.Wke_mode, r.Wki_mode, inEffect, r.x.value, k);
  RecommendedBallDiameter(gear, r.x, r.D_M_recommended);
  BallDimensionFromXe(gear, r.Mdk_mode, r.Mdke_mode, r.Mdki_mode, inEffect, D, r.x.value);
  XeFromDeviation(gear, r.xE, r.x.value, 0.0);
  XeFromDeviation(gear, r.xEe, r.x.value, r.A_sne.value / 1000.0);
  XeFromDeviation(gear, r.xEi, r.x.value, r.A_sni.value / 1000.0);
}

// Given span Wk: the deviations and xE it stands for, then MdK.
void GivenSpanConversions(Gear& gear, double k, double D) {
  GearRecords& r = gear.rec;
  const double factor = std::cos(Rad(r.alpha_n.value));
  StoreValue(gear, r.AWk_star, factor);
  StoreValue(gear, r.A_upper_mode, (r.Wk_given.value - r.Wke_given.value) * 1000.0 / factor);
  StoreValue(gear, r.A_lower_mode, (r.Wk_given.value - r.Wki_given.value) * 1000.0 / factor);
  XeFromSpan(gear, r.xE, r.Wk_given.value, k);
  XeFromSpan(gear, r.xEe, r.Wke_given.value, k);
  XeFromSpan(gear, r.xEi, r.Wki_given.value, k);
  BallDimensionFromXe(gear, r.Mdk_mode, r.Mdke_mode, r.Mdki_mode, ModeDeviations(r), D, r.xE.value);
}

// Given dimension over balls MdK: the deviations and xE it stands for, then Wk.
void GivenBallDimensionConversions(Gear& gear, double k, double D) {
  GearRecords& r = gear.rec;
  // The deviation factor belongs to the ball centres of the given nominal
  // dimension, not to whatever ball the last calculation placed.
  TGear inv;
  const double alphaKt = InvAlphaFromBallDimension(gear, inv, r.Mdk_given.value, D);
  const double factor = BallDeviationFactor(gear, alphaKt);
  StoreValue(gear, r.AMd_star, factor);
  const auto deviation = [&](double limit) -> double {
    if (factor == 0.0) return 0.0;  // no finite factor on the base circle
    return (r.Mdk_given.value - limit) * 1000.0 / factor;
  };
  StoreValue(gear, r.A_upper_mode, deviation(r.Mdke_given.value));
  StoreValue(gear, r.A_lower_mode, deviation(r.Mdki_given.value));
  const std::pair<const TGear*, TGear*> rows[] = {
      {&r.Mdk_given, &r.xE}, {&r.Mdke_given, &r.xEe}, {&r.Mdki_given, &r.xEi}};
  for (const auto& [given, result] : rows) {
    InvAlphaFromBallDimension(gear, inv, given->value, D);
    XeFromInvolute(gear, *result, D, inv.value);
  }
  SpanFromXe(gear, r.Wk_mode, r.Wke_mode, r.Wki_mode, ModeDeviations(r), r.xE.value, k);
}

// Given profile shift xE: the deviations it stands for, then Wk and MdK.
void GivenProfileShiftConversions(Gear& gear, double k, double D) {
  GearRecords& r = gear.rec;
  DeviationFromXe(gear, r.A_upper_mode, r.Xee_given.value, r.Xe_given.value);
  DeviationFromXe(gear, r.A_lower_mode, r.Xei_given.value, r.Xe_given.value);
  SpanFromXe(gear, r.Wk_xE, r.Wke_xE, r.Wki_xE, ModeDeviations(r), r.Xe_given.value, k);
  BallDimensionFromXe(gear, r.Mdk_xE, r.Mdke_xE, r.Mdki_xE, ModeDeviations(r), D, r.Xe_given.value);
}

}  // namespace

void ModeCalculation(Gear& gear, CalculationModeKind mode) {
  GearRecords& r = gear.rec;
  ReSignGivenValues(gear);
  const double k = r.k_given.value;
  const double D = r.DM_given.value;
  switch (mode) {
    case kModeStandard:
      StandardConversions(gear, k, D);
      break;
    case kModeGivenSpan:
      GivenSpanConversions(gear, k, D);
      break;
    case kModeGivenBallDimension:
      GivenBallDimensionConversions(gear, k, D);
      break;
    case kModeGivenProfileShift:
      GivenProfileShiftConversions(gear, k, D);
      break;
    default:
      break;
  }
}

}  // namespace silvarone
