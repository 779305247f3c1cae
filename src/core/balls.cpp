#include "core/balls.h"

#include <cmath>

#include "core/geometry.h"

namespace silvarone {

const std::array<double, 46> BallFactorTable = {
    1.0000, 1.0005, 1.0020, 1.0045, 1.0081, 1.0127, 1.0183, 1.0250, 1.0328, 1.0417,  //  0.. 9
    1.0518, 1.0631, 1.0756, 1.0895, 1.1046, 1.1212, 1.1393, 1.1589, 1.1801, 1.2031,  // 10..19
    1.2279, 1.2546, 1.2834, 1.3144, 1.3477, 1.3835, 1.4221, 1.4635, 1.5080, 1.5560,  // 20..29
    1.6075, 1.6630, 1.7227, 1.7871, 1.8565, 1.9315, 2.0125, 2.1001, 2.1950, 2.2980,  // 30..39
    2.4097, 2.5312, 2.6635, 2.8079, 2.9656, 3.1383,                                  // 40..45
};

double BallFactor(double beta) {
  return WholeDegreeLookup(BallFactorTable, beta);
}

bool EvenTeeth(double z) {
  return z / 2.0 == std::trunc(z / 2.0);
}

double ChordFactor(double z) {
  return EvenTeeth(z) ? 1.0 : std::cos(kPi / (2.0 * z));
}

void BallCentreAngle(Gear& gear, double D) {
  GearRecords& r = gear.rec;
  BaseDiameter(gear);
  InvoluteInverseFixedPoint(gear, r.alpha_kt, GapOf(gear, D));
  StoreValue(gear, r.d_Kt, r.d_b.value / std::cos(Rad(r.alpha_kt.value)));
}

double BallDeviationFactor(const Gear& gear, double alphaKtDeg) {
  const GearRecords& r = gear.rec;
  const double sinKt = std::sin(Rad(alphaKtDeg));
  if (sinKt == 0.0) return 0.0;
  double factor = std::cos(Rad(r.alpha_t.value)) / (sinKt * std::cos(Rad(r.beta.value)));
  // Odd teeth: the balls are not opposite; only the helical factor carries it.
  if (gear.state.HelicalGear == 1 && !EvenTeeth(r.z.value)) {
    factor *= std::cos(kPi / (2.0 * r.z.value));
  }
  return factor;
}

void DimensionOverBalls(Gear& gear, TGear D) {
  GearRecords& r = gear.rec;
  BallCentreAngle(gear, D.value);
  StoreValue(gear, r.M_dk, r.d_Kt.value * ChordFactor(r.z.value) + D.value);
  TransversePressureAngle(gear);
  StoreValue(gear, r.AMd_star, BallDeviationFactor(gear, r.alpha_kt.value));
  StoreValue(gear, r.A_Mdke, r.AMd_star.value * r.A_sne.value / 1000.0);
  StoreValue(gear, r.A_Mdki, r.AMd_star.value * r.A_sni.value / 1000.0);
  StoreValue(gear, r.MdKi, r.M_dk.value - std::fabs(r.A_Mdki.value));
  StoreValue(gear, r.MdKe, r.M_dk.value - std::fabs(r.A_Mdke.value));
}

void RecommendedBallDiameter(Gear& gear, TGear x, TGear& result) {
  GearRecords& r = gear.rec;
  StoreValue(gear, r.z_nM, r.z.value * BallFactor(r.beta.value));
  InvoluteNormal(gear);
  const double alphaN = Rad(r.alpha_n.value);
  const double zn = r.z_nM.value;
  const double c = std::cos(alphaN) * zn / (zn + 2.0 * x.value);
  // Profile shift too negative for the virtual tooth count: keep the angle.
  if (std::fabs(c) <= 1.0) StoreValue(gear, r.alpha_vnM, ArcCos(c) * kRadToDeg);
  StoreValue(gear, r.tan_alpha, std::tan(Rad(r.alpha_vnM.value)));
  const double tanVn = r.tan_alpha.value;
  StoreValue(gear, r.alpha_KnM,
             ((kPi - 4.0 * x.value * std::tan(alphaN)) / (2.0 * zn) + tanVn - r.inv_alpha_n.value) *
                 kRadToDeg);
  StoreValue(gear, r.tan_alpha, std::tan(Rad(r.alpha_KnM.value)));
  StoreValue(gear, result, std::cos(alphaN) * zn * r.m_n.value * (r.tan_alpha.value - tanVn));
}

bool BallBelowMinimum(const Gear& gear) {
  return gear.rec.D_M.value < gear.rec.D_M_min.value;
}
bool BallAboveMaximum(const Gear& gear) {
  return gear.rec.D_M.value > gear.rec.D_M_max.value;
}
bool BallOutOfRange(const Gear& gear) {
  return BallBelowMinimum(gear) || BallAboveMaximum(gear);
}

}  // namespace silvarone
