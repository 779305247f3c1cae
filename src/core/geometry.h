// Gear geometry of an involute cylindrical gear from its drawing data: the
// transverse values, reference and base circle, pitches, tooth thicknesses and
// space widths, the default useful tip and root diameters, the gear-type
// flags, and the inverse of the involute function.
//
// Geometry is signed: an internal gear has a negative tooth count, and with it
// negative diameters, so one set of formulas serves both gear types. Pitches
// stay positive because they are built from the module.
#pragma once

#include <array>
#include <cstddef>

#include "core/gear.h"

namespace silvarone {

inline constexpr double kPi = 3.1415926535897932385;
inline constexpr double kDegToRad = kPi / 180.0;
inline constexpr double kRadToDeg = 180.0 / kPi;

// Degrees to radians: every angle is stored in degrees.
inline double Rad(double degrees) {
  return degrees * kDegToRad;
}

// The factor of a table with one row per whole degree of helix angle 0..45:
// the first row whose key is >= beta, so a fractional angle takes the next
// whole degree (beta is limited to 45 degrees).
template <std::size_t N>
double WholeDegreeLookup(const std::array<double, N>& table, double beta) {
  for (std::size_t key = 0; key < N; ++key) {
    if (static_cast<double>(key) >= beta) return table[key];
  }
  return table.back();
}

// inv(a) = tan a - a, a in radians.
double Involute(double alphaRad);
// Arc cosine and arc sine as the gear formulas define them: through the arc
// tangent, so a negative argument gives a negative angle.
double ArcCos(double v);
double ArcSin(double v);

// Gear type flags.
void DetermineExternalGear(Gear& gear);
void DetermineHelicalGear(Gear& gear);

// Single values; each writes its result record and formats it.
void TransverseModule(Gear& gear);  // value only
void ReferenceDiameter(Gear& gear);
void TransversePressureAngle(Gear& gear);
void BaseDiameter(Gear& gear);
void BaseHelixAngle(Gear& gear);
void InvoluteNormal(Gear& gear);
void InvoluteTransverse(Gear& gear);
void TransversePitch(Gear& gear);
void NormalPitch(Gear& gear);
void TransverseBasePitch(Gear& gear);
void NormalBasePitch(Gear& gear);
void TransverseToothThickness(Gear& gear, TGear x);
void NormalToothThickness(Gear& gear, TGear x);
void BaseToothThickness(Gear& gear, TGear x);
void NormalBaseToothThickness(Gear& gear);
void TransverseSpaceWidth(Gear& gear);
void NormalSpaceWidth(Gear& gear);
void BaseSpaceWidth(Gear& gear);
void NormalBaseSpaceWidth(Gear& gear);
void DefaultTipDiameter(Gear& gear);
void DefaultRootDiameter(Gear& gear);
void RootDiameter(Gear& gear);
void TipPressureAngle(Gear& gear);
void TipInvolute(Gear& gear);
void TipHelixAngle(Gear& gear);  // value only
void Lead(Gear& gear);           // value only

// Composite runs.
void BasicGeometry(Gear& gear, TGear x);
void Diameters(Gear& gear);

// The gap a measuring ball of diameter D sits in, as the inverse involute
// solvers see it.
struct BallGap {
  double e_bt;    // transverse base space width
  double d_b;     // base diameter (signed)
  double beta_b;  // base helix angle, degrees
  double D;       // ball diameter
};

// The gap of the gear's geometry records for a ball D.
BallGap GapOf(const Gear& gear, double D);

// How the two inverse-involute solvers iterate, the same in every use: a
// start value, the step below which they stop, and a cap on the iterations
// after which the last iterate is the result.
inline constexpr double kNewtonStartDeg = 0.5;
inline constexpr double kNewtonTolerance = 1e-7;
inline constexpr int kNewtonMaxIterations = 10000;
inline constexpr double kFixedPointStartRad = 0.03;
inline constexpr double kFixedPointTolerance = 1e-10;
inline constexpr long kFixedPointMaxIterations = 10000000;

// Target of the Newton solver: inv(alpha) of the ball contact.
// Spur form (e_bt - D) / |d_b|; helical form e_bt / |d_b| - D / (|d_b| cos beta_b).
double BallInvoluteTarget(BallForm form, const BallGap& gap);

// Target of the fixed-point solver: inv(alpha_kt) of the ball centres,
// D / (cos beta_b d_b) - e_bt / d_b with the signed d_b.
double BallCentreTarget(const BallGap& gap);

// Angle alpha in degrees with inv(alpha) = target, by Newton's method from
// startDeg. Each step is held inside (-90, 90) degrees, where the involute is
// defined and monotonic. Returns the last iterate when the cap is reached.
double SolveInvoluteNewton(double target, double startDeg = kNewtonStartDeg,
                           double tolerance = kNewtonTolerance,
                           int maxIterations = kNewtonMaxIterations, int* iterationsUsed = nullptr);

// Angle in degrees with inv(alpha) = target by the fixed point
// alpha = arctan(alpha + target) in radians, from startRad.
double SolveInvoluteFixedPoint(double target, double startRad = kFixedPointStartRad,
                               double tolerance = kFixedPointTolerance,
                               long maxIterations = kFixedPointMaxIterations);

// Contact angle of the ball in degrees into `result` (spur or helical form of
// the target), formatted.
void InvoluteInverseNewton(Gear& gear, TGear& result, BallForm form, const BallGap& gap);

// Transverse pressure angle at the ball centre in degrees into `result`,
// formatted.
void InvoluteInverseFixedPoint(Gear& gear, TGear& result, const BallGap& gap);

}  // namespace silvarone
