#include "core/check_dimension.h"

#include <cmath>

#include "core/geometry.h"

namespace silvarone {
namespace {

long double Rad(double degrees) { return degrees * kDegToRad; }

// Ball-centre diameter d_b / cos alpha_K of a ball D, without touching the records.
long double BallCentreDiameter(const Gear& gear, int selector, double D) {
  const GearRecords& r = gear.rec;
  const double alphaK =
      SolveInvoluteNewton(BallInvoluteTarget(selector, {r.e_bt.value, r.d_b.value,
                                                         r.beta_b.value, D}),
                          0.5, 1e-7, 10000);
  return r.d_b.value / std::cos(Rad(alphaK));
}

}  // namespace

void BallContact(Gear& gear, int selector, double D) {
  GearRecords& r = gear.rec;
  InvoluteInverseNewton(gear, 10000, r.alpha_K, selector,
                        BallGap{r.e_bt.value, r.d_b.value, r.beta_b.value, D}, 1e-7, 0.5);
  StoreValue(gear, r.d_K, r.d_b.value / std::cos(Rad(r.alpha_K.value)));
}

void MeasuringAngle(Gear& gear) {
  GearRecords& r = gear.rec;
  const long double z = r.z.value;
  const long double k = r.k_M.value;
  StoreValue(gear, r.alpha_M,
             gear.state.ExternalGear == 1 ? k * 180.0L / std::fabs(z)
                                          : (std::fabs(k) - 1.0L) * 180.0L / z);
}

long double CheckDimensionSpur(const Gear& gear) {
  return std::sin(Rad(gear.rec.alpha_M.value)) * std::fabs(gear.rec.d_K.value);
}

long double CheckDimensionHelical(const Gear& gear, HelixModel& m) {
  const GearRecords& r = gear.rec;
  const bool external = gear.state.ExternalGear == 1;
  const long double tanBeta = std::tan(Rad(r.beta.value));
  long double pz = 0.0L;
  if (tanBeta != 0.0L) pz = kPi * std::fabs(r.z.value) * r.m_t.value / tanBeta;
  const long double a = pz / (2.0L * kPi);
  const long double R = std::fabs(r.d_K.value) / 2.0L;
  const long double pTeil = 2.0L * kPi / std::fabs(r.z.value);
  const long double nTeil = external ? r.k_M.value : std::fabs(r.k_M.value) - 1.0L;
  const long double dist = r.D_distance.value;

  // Second ball of the anvil: on the helix at the ball distance from the first.
  long double t = 1e-6L;
  long double tNew = t;
  for (int i = 0; i <= 10000; ++i) {
    const long double f = 2.0L * R * R * (1.0L - std::cos(t)) + a * a * t * t - dist * dist;
    const long double fd = 2.0L * R * R * std::sin(t) + 2.0L * a * a * t;
    if (fd == 0.0L) break;
    tNew = t - f / fd;
    if (std::fabs(tNew - t) < 1e-7L) break;
    t = tNew;
  }
  const long double tB = tNew;
  const long double A[3] = {R, 0.0L, 0.0L};
  const long double B[3] = {R * std::cos(tB), R * std::sin(tB), a * tB};
  long double N[3];
  long double C[3];
  for (int i = 0; i < 3; ++i) {
    N[i] = (B[i] - A[i]) / dist;
    C[i] = (A[i] + B[i]) / 2.0L;
  }

  // Opposite contact: the ball-centre helix of the gap n_Teil pitches away,
  // cut by the plane through C normal to N.
  const long double phi = pTeil * nTeil;
  t = 1e-7L;
  tNew = 0.0L;
  for (int i = 0; i <= 10000; ++i) {
    const long double F = N[0] * (R * std::cos(phi + t) - C[0]) +
                          N[1] * (R * std::sin(phi + t) - C[1]) + N[2] * (a * t - C[2]);
    const long double Fd =
        -N[0] * R * std::sin(phi + t) + N[1] * R * std::cos(phi + t) + a * N[2];
    if (Fd != 0.0L) tNew = t - F / Fd;
    if (std::fabs(tNew - t) < 1e-7L) break;
    t = tNew;
  }
  const long double tD = tNew;
  const long double P[3] = {R * std::cos(phi + tD), R * std::sin(phi + tD), a * tD};

  m.p_z = static_cast<double>(pz);
  m.a = static_cast<double>(a);
  m.R = static_cast<double>(R);
  m.p_Teil = static_cast<double>(pTeil);
  m.n_Teil = static_cast<double>(nTeil);
  m.t_B = static_cast<double>(tB);
  m.t_D = static_cast<double>(tD);
  for (int i = 0; i < 3; ++i) {
    m.A[i] = static_cast<double>(A[i]);
    m.B[i] = static_cast<double>(B[i]);
    m.N[i] = static_cast<double>(N[i]);
    m.C[i] = static_cast<double>(C[i]);
    m.D[i] = static_cast<double>(P[i]);
  }
  return std::sqrt((C[0] - P[0]) * (C[0] - P[0]) + (C[1] - P[1]) * (C[1] - P[1]) +
                   (C[2] - P[2]) * (C[2] - P[2]));
}

long double SignedCheckDimension(const Gear& gear, long double q) {
  return gear.state.ExternalGear == 1 ? std::fabs(q) : -std::fabs(q);
}

long double TestDimension(const Gear& gear, double q) {
  const double ball = gear.rec.D_M.value;
  return gear.state.ExternalGear == 1 ? q + static_cast<long double>(ball)
                                      : q - static_cast<long double>(ball);
}

void BallUpperLimit(Gear& gear) {
  GearRecords& r = gear.rec;
  TipPressureAngle(gear);
  TipInvolute(gear);
  TipHelixAngle(gear);
  const long double dNa = r.d_Na.value;
  StoreValue(gear, r.s_Nat,
             (r.s_t.value / r.d.value + r.inv_alpha_t.value - r.inv_alpha_Na.value) * dNa);
  StoreValue(gear, r.p_Nat, kPi * dNa / r.z.value);
  StoreValue(gear, r.e_Nan,
             std::cos(Rad(r.beta_Na.value)) * (r.p_Nat.value - static_cast<long double>(r.s_Nat.value)));
  StoreValue(gear, r.eta_Nan, r.e_Nan.value / dNa * kRadToDeg);
  StoreValue(gear, r._e_Nan, std::sin(Rad(r.eta_Nan.value)) * dNa);
  StoreValue(gear, r.D_M_max, r._e_Nan.value);
}

void BallLowerLimit(Gear& gear) {
  GearRecords& r = gear.rec;
  const bool external = gear.state.ExternalGear == 1;
  const int selector = gear.state.HelicalGear;
  const long double root = std::fabs(r.d_f.value);
  long double D = r.D_M_max.value;
  const long double step = D / 10.0L;

  // Coarse descent until the ball reaches the root circle. A ball that never
  // does would be searched into negative diameters: then no ball is too small.
  for (int round = 0; round < 100; ++round) {
    const long double dK = std::fabs(BallCentreDiameter(gear, selector, static_cast<double>(D)));
    if (external ? root > dK - D : root < dK + D) break;
    if (!(D - step > 0.5L * step)) {
      StoreValue(gear, r.D_M_min, 0.0L);
      return;
    }
    D -= step;
  }
  // Fine ascent in half millimetres until the ball is clear of the root circle.
  for (int round = 0; round < 100; ++round) {
    const long double dK = std::fabs(BallCentreDiameter(gear, selector, static_cast<double>(D)));
    if (external ? root < dK - D : root > dK + D) break;
    D += 0.5L;
  }
  StoreValue(gear, r.D_M_min, D);
}

}  // namespace silvarone
