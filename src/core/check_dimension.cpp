#include "core/check_dimension.h"

#include <array>
#include <cmath>
#include <cstring>

#include "core/geometry.h"

namespace silvarone {
namespace {

// Ball-centre diameter d_b / cos alpha_K of a ball D, without touching the records.
double BallCentreDiameter(const Gear& gear, BallForm form, double D) {
  const double alphaK = SolveInvoluteNewton(BallInvoluteTarget(form, GapOf(gear, D)));
  return gear.rec.d_b.value / std::cos(Rad(alphaK));
}

}  // namespace

void BallContact(Gear& gear, BallForm form, double D) {
  GearRecords& r = gear.rec;
  InvoluteInverseNewton(gear, r.alpha_K, form, GapOf(gear, D));
  StoreValue(gear, r.d_K, r.d_b.value / std::cos(Rad(r.alpha_K.value)));
}

void MeasuringAngle(Gear& gear) {
  GearRecords& r = gear.rec;
  const double z = r.z.value;
  const double k = r.k_M.value;
  StoreValue(
      gear, r.alpha_M,
      gear.state.ExternalGear == 1 ? k * 180.0 / std::fabs(z) : (std::fabs(k) - 1.0) * 180.0 / z);
}

double CheckDimensionSpur(const Gear& gear) {
  return std::sin(Rad(gear.rec.alpha_M.value)) * std::fabs(gear.rec.d_K.value);
}

double CheckDimensionHelical(const Gear& gear, HelixModel& m) {
  const GearRecords& r = gear.rec;
  const bool external = gear.state.ExternalGear == 1;
  const double tanBeta = std::tan(Rad(r.beta.value));
  m.p_z = tanBeta != 0.0 ? kPi * std::fabs(r.z.value) * r.m_t.value / tanBeta : 0.0;
  m.a = m.p_z / (2.0 * kPi);
  m.R = std::fabs(r.d_K.value) / 2.0;
  m.p_Teil = 2.0 * kPi / std::fabs(r.z.value);
  m.n_Teil = external ? r.k_M.value : std::fabs(r.k_M.value) - 1.0;
  const double a = m.a;
  const double R = m.R;
  const double dist = r.D_distance.value;

  // Second ball of the anvil: on the helix at the ball distance from the first.
  double t = 1e-6;
  double tNew = t;
  for (int i = 0; i <= 10000; ++i) {
    const double f = 2.0 * R * R * (1.0 - std::cos(t)) + a * a * t * t - dist * dist;
    const double fd = 2.0 * R * R * std::sin(t) + 2.0 * a * a * t;
    if (fd == 0.0) break;
    tNew = t - f / fd;
    if (std::fabs(tNew - t) < 1e-7) break;
    t = tNew;
  }
  m.t_B = tNew;
  const double A[3] = {R, 0.0, 0.0};
  const double B[3] = {R * std::cos(m.t_B), R * std::sin(m.t_B), a * m.t_B};
  for (int i = 0; i < 3; ++i) {
    m.A[i] = A[i];
    m.B[i] = B[i];
    m.N[i] = (B[i] - A[i]) / dist;  // over the ball distance, not the computed length
    m.C[i] = (A[i] + B[i]) / 2.0;
  }
  const double* N = m.N;
  const double* C = m.C;

  // Opposite contact: the ball-centre helix of the gap n_Teil pitches away,
  // cut by the plane through C normal to N.
  const double phi = m.p_Teil * m.n_Teil;
  t = 1e-7;
  tNew = 0.0;
  for (int i = 0; i <= 10000; ++i) {
    const double F = N[0] * (R * std::cos(phi + t) - C[0]) + N[1] * (R * std::sin(phi + t) - C[1]) +
                     N[2] * (a * t - C[2]);
    const double Fd = -N[0] * R * std::sin(phi + t) + N[1] * R * std::cos(phi + t) + a * N[2];
    if (Fd != 0.0) tNew = t - F / Fd;
    if (std::fabs(tNew - t) < 1e-7) break;
    t = tNew;
  }
  m.t_D = tNew;
  m.D[0] = R * std::cos(phi + m.t_D);
  m.D[1] = R * std::sin(phi + m.t_D);
  m.D[2] = a * m.t_D;
  return std::hypot(C[0] - m.D[0], C[1] - m.D[1], C[2] - m.D[2]);
}

double SignedCheckDimension(const Gear& gear, double q) {
  return gear.state.ExternalGear == 1 ? std::fabs(q) : -std::fabs(q);
}

double TestDimension(const Gear& gear, double q) {
  const double ball = gear.rec.D_M.value;
  return gear.state.ExternalGear == 1 ? q + ball : q - ball;
}

void BallUpperLimit(Gear& gear) {
  GearRecords& r = gear.rec;
  TipPressureAngle(gear);
  TipInvolute(gear);
  TipHelixAngle(gear);
  const double dNa = r.d_Na.value;
  StoreValue(gear, r.s_Nat,
             (r.s_t.value / r.d.value + r.inv_alpha_t.value - r.inv_alpha_Na.value) * dNa);
  StoreValue(gear, r.p_Nat, kPi * dNa / r.z.value);
  StoreValue(gear, r.e_Nan, std::cos(Rad(r.beta_Na.value)) * (r.p_Nat.value - r.s_Nat.value));
  StoreValue(gear, r.eta_Nan, r.e_Nan.value / dNa * kRadToDeg);
  StoreValue(gear, r._e_Nan, std::sin(Rad(r.eta_Nan.value)) * dNa);
  StoreValue(gear, r.D_M_max, r._e_Nan.value);
}

namespace {

double SmallestBall(const Gear& gear) {
  const GearRecords& r = gear.rec;
  const bool external = gear.state.ExternalGear == 1;
  const BallForm form = BallFormOf(gear);
  const double root = std::fabs(r.d_f.value);
  double D = r.D_M_max.value;
  const double step = D / 10.0;

  // Coarse descent until the ball reaches the root circle. A ball that never
  // does would be searched into negative diameters: then no ball is too small.
  for (int round = 0; round < 100; ++round) {
    const double dK = std::fabs(BallCentreDiameter(gear, form, D));
    if (external ? root > dK - D : root < dK + D) break;
    if (!(D - step > 0.5 * step)) return 0.0;
    D -= step;
  }
  // Fine ascent in half millimetres until the ball is clear of the root circle.
  for (int round = 0; round < 100; ++round) {
    const double dK = std::fabs(BallCentreDiameter(gear, form, D));
    if (external ? root < dK - D : root > dK + D) break;
    D += 0.5;
  }
  return D;
}

}  // namespace

void BallLowerLimit(Gear& gear) {
  GearRecords& r = gear.rec;
  // Everything SmallestBall reads, compared bit for bit: the same inputs give
  // the same search, so its result is the search's own.
  const std::array<double, 5> inputs = {std::fabs(r.d_f.value), r.D_M_max.value, r.e_bt.value,
                                        r.d_b.value, r.beta_b.value};
  const int kind = (gear.state.ExternalGear == 1 ? 1 : 0) + (gear.state.HelicalGear == 1 ? 2 : 0);
  Gear::SmallestBallSearch& last = gear.smallestBall;
  if (last.kind != kind || std::memcmp(last.inputs.data(), inputs.data(), sizeof inputs) != 0) {
    last = {inputs, kind, SmallestBall(gear)};
  }
  StoreValue(gear, r.D_M_min, last.result);
}

}  // namespace silvarone
