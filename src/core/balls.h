// Dimension over (between) two balls MdK, its limits from the tooth thickness
// deviations, and the recommended measuring ball from the virtual spur gear
// of a helical gear.
#pragma once

#include <array>

#include "core/gear.h"

namespace silvarone {

// K_M(beta) per whole degree of helix angle 0..45.
extern const std::array<double, 46> BallFactorTable;
double BallFactor(double beta);

// True when the tooth count is even, so that the two balls sit in opposite gaps.
bool EvenTeeth(double z);
// Factor from the ball-centre circle to the dimension over balls: 1 for an
// even tooth count (opposite gaps), cos(pi / 2z) for an odd one.
double ChordFactor(double z);

// alpha_kt and d_Kt for a ball of diameter D.
void BallCentreAngle(Gear& gear, double D);
// M_dk, AMd*, A_Mdke, A_Mdki, MdKe, MdKi for the ball record D.
void DimensionOverBalls(Gear& gear, TGear D);
// AMd* = cos alpha_t / (sin alpha_kt cos beta), with cos(pi / 2z) for a
// helical gear with an odd tooth count; 0 when the ball centre lies on the
// base circle, where the factor has no finite value.
double BallDeviationFactor(const Gear& gear, double alphaKtDeg);
// z_nM, alpha_vnM, alpha_KnM and the recommended ball into `result`.
void RecommendedBallDiameter(Gear& gear, TGear x, TGear& result);

bool BallBelowMinimum(const Gear& gear);
bool BallAboveMaximum(const Gear& gear);
bool BallOutOfRange(const Gear& gear);

}  // namespace silvarone
