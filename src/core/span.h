// Span measurement (base tangent length) Wk over k teeth, its limits from the
// tooth thickness deviations, and the two recommendations for the number of
// measuring teeth. Signed like the geometry: internal gears have negative
// tooth counts and span measurements.
#pragma once

#include <array>

#include "core/gear.h"

namespace silvarone {

// K(beta) = inv alpha_t / inv alpha_n for alpha_n = 20 degrees, per whole
// degree of helix angle 0..45, to four decimals.
extern const std::array<double, 46> HelixFactorTable;

// Factor of the first table row whose helix angle is >= beta (a fractional
// angle takes the next whole degree).
double HelixFactor(double beta);
double HelixFactorTimesTeeth(double beta, double z);

// +1 for an external gear (z >= 0), -1 for an internal one.
inline double ToothSign(double z) {
  return z < 0.0 ? -1.0 : 1.0;
}

// W_k over k teeth for profile shift x, into `result`.
void SpanMeasurementNominal(Gear& gear, TGear& result, TGear k, TGear x);
// W_k over k_M for x, with AWk*, A_Wke, A_Wki, Wke, Wki.
void SpanMeasurement(Gear& gear);
// k_M_recommended from the contact angle of the ball D (spur or helical form).
void RecommendedMeasuringTeeth(Gear& gear, BallForm form, double D);
// k_span by the standard rule with d_x, beta_x, alpha_x.
void SpanToothCount(Gear& gear, TGear x);

}  // namespace silvarone
