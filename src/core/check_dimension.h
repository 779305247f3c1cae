// Check dimension Q as the PRALO gear measuring instrument shows it: the
// distance between the centres of measuring balls that sit in tooth gaps
// k_M pitches apart. Spur gears use the plane chord; helical gears a spatial
// model of the anvil, whose two balls are a fixed distance apart along the
// helix. Also the smallest and largest usable measuring ball.
#pragma once

#include "core/gear.h"

namespace silvarone {

// Contact angle alpha_K of a ball of diameter D (spur or helical form) and the
// diameter d_K = d_b / cos alpha_K through the ball centres, into the records.
void BallContact(Gear& gear, BallForm form, double D);

// alpha_M: external k_M * 180 / |z|; internal (|k_M| - 1) * 180 / z.
void MeasuringAngle(Gear& gear);

// Unsigned Q from alpha_M and d_K (spur) or the helical model (needs alpha_K
// and d_K of the helical form). The helical one also fills `model`.
double CheckDimensionSpur(const Gear& gear);
double CheckDimensionHelical(const Gear& gear, HelixModel& model);

// Q positive for an external gear, negative for an internal one.
double SignedCheckDimension(const Gear& gear, double q);

// Q widened by one ball: Q + D_M external, Q - D_M internal.
double TestDimension(const Gear& gear, double q);

// D_M_max: the chord of the normal space width at the useful tip circle.
void BallUpperLimit(Gear& gear);
// D_M_min: the smallest ball that stays clear of the root circle, searched
// down from D_M_max; 0 when no ball reaches the root circle.
void BallLowerLimit(Gear& gear);

}  // namespace silvarone
