#include "core/span.h"

#include <algorithm>
#include <cmath>

#include "core/geometry.h"

namespace silvarone {

const std::array<double, 46> HelixFactorTable = {
    1.0000, 1.0004, 1.0017, 1.0039, 1.0070, 1.0109, 1.0158, 1.0216, 1.0283, 1.0360,  //  0.. 9
    1.0447, 1.0544, 1.0651, 1.0769, 1.0898, 1.1039, 1.1192, 1.1358, 1.1538, 1.1731,  // 10..19
    1.1938, 1.2162, 1.2401, 1.2658, 1.2933, 1.3227, 1.3543, 1.3880, 1.4240, 1.4626,  // 20..29
    1.5038, 1.5480, 1.5952, 1.6457, 1.6999, 1.7579, 1.8201, 1.8869, 1.9586, 2.0356,  // 30..39
    2.1185, 2.2078, 2.3040, 2.4078, 2.5200, 2.6414,                                  // 40..45
};

double HelixFactor(double beta) {
  return WholeDegreeLookup(HelixFactorTable, beta);
}

double HelixFactorTimesTeeth(double beta, double z) {
  return HelixFactor(beta) * z;
}

void SpanMeasurementNominal(Gear& gear, TGear& result, TGear k, TGear x) {
  const GearRecords& r = gear.rec;
  const double z = r.z.value;
  const double alphaN = Rad(r.alpha_n.value);
  // k - z / (2|z|): half a pitch less for an external, more for an internal gear.
  const double teeth = k.value - ToothSign(r.z.value) * 0.5;
  StoreValue(gear, result,
             r.m_n.value * std::cos(alphaN) * (teeth * kPi + z * r.inv_alpha_t.value) +
                 2.0 * x.value * r.m_n.value * std::sin(alphaN));
}

void SpanMeasurement(Gear& gear) {
  GearRecords& r = gear.rec;
  SpanMeasurementNominal(gear, r.W_k, r.k_M, r.x);
  StoreValue(gear, r.AWk_star, std::cos(Rad(r.alpha_n.value)));
  StoreValue(gear, r.A_Wke, r.AWk_star.value * r.A_sne.value / 1000.0);
  StoreValue(gear, r.A_Wki, r.AWk_star.value * r.A_sni.value / 1000.0);
  // Both limits lie below the nominal value, whatever the signs.
  StoreValue(gear, r.Wki, r.W_k.value - std::fabs(r.A_Wki.value));
  StoreValue(gear, r.Wke, r.W_k.value - std::fabs(r.A_Wke.value));
}

void RecommendedMeasuringTeeth(Gear& gear, BallForm form, double D) {
  GearRecords& r = gear.rec;
  InvoluteInverseNewton(gear, r.alpha_K, form, GapOf(gear, D));
  const double recommended = -(std::fabs(r.z.value) * r.alpha_K.value / 180.0 + 1.0);
  StoreCount(gear, r.k_M_recommended, recommended);
  StoreValue(gear, r.k_M_recommended_int, std::trunc(recommended));
}

void SpanToothCount(Gear& gear, TGear x) {
  GearRecords& r = gear.rec;
  ReferenceDiameter(gear);
  const double d = r.d.value;
  StoreValue(gear, r.d_x, d + 2.0 * x.value * r.m_n.value);
  const double dx = r.d_x.value;
  StoreValue(gear, r.beta_x, std::atan(std::tan(Rad(r.beta.value)) * dx / d) * kRadToDeg);
  const double c = std::cos(Rad(r.alpha_n.value)) * (d / dx) * std::cos(Rad(r.beta.value)) /
                   std::cos(Rad(r.beta_x.value));
  StoreValue(gear, r.alpha_x, std::fabs(c) <= 1.0 ? ArcCos(c) * kRadToDeg : 0.0);
  const double ratio = HelixFactor(r.beta.value) * std::fabs(r.z.value) * r.alpha_x.value / 180.0;
  const double count = ToothSign(r.z.value) * std::trunc(ratio + 1.0);
  StoreCount(gear, r.k_span, count);
  StoreValue(gear, r.k_span_value, count);
}

}  // namespace silvarone
