// The full calculation run of one gear, and the conversions between the three
// equivalent statements of tooth thickness: span measurement Wk over k teeth,
// dimension over balls MdK with ball DM, and generating profile shift xE.
// CalculationMode says which one the user gives.
#pragma once

#include "core/gear.h"

namespace silvarone {

// Geometry for profile shift x, the contact of the ball D_M and the signed
// check dimension Q in the ball form given.
// Returns Q. This is what the instrument would show for that profile shift.
double CheckDimensionFor(Gear& gear, BallForm form, TGear x);

// CheckDimensionFor, then the recommended tooth count, the span measurement
// over k_M and the dimension over balls with DM_given.
void FullCalculation(Gear& gear, BallForm form, TGear x);

// Transverse pressure angle in degrees at the ball centres of a ball D for
// profile shift xE, from the geometry records of the gear but without
// writing any of them, so that a conversion never depends on what ran before.
double BallCentreAngleFor(const Gear& gear, double D, double xE);

// Single conversions; angles as in the geometry, deviations in micrometres
// unless stated.
void XeFromSpan(Gear& gear, TGear& result, double Wk, double k);
void XeFromDeviation(Gear& gear, TGear& result, double x, double A_mm);
void DeviationFromXe(Gear& gear, TGear& result, double xELimit, double xE);
// inv alpha_kt of the ball centres of dimension M with ball D into `result`;
// returns alpha_kt in degrees (0 when the ball centres lie inside the base circle).
double InvAlphaFromBallDimension(Gear& gear, TGear& result, double M, double D);
void XeFromInvolute(Gear& gear, TGear& result, double D, double inv);

// The upper and lower tooth thickness deviation, in micrometres. Named
// members, so that a swap is visible where the pair is built.
struct Deviations {
  double upper = 0.0;
  double lower = 0.0;
};

// Nominal value for profile shift xE and the two limits below it.
void SpanFromXe(Gear& gear, TGear& Wk, TGear& Wke, TGear& Wki, Deviations A, double xE, double k);
void BallDimensionFromXe(Gear& gear, TGear& Mdk, TGear& Mdke, TGear& Mdki, Deviations A, double D,
                         double xE);

// Gives the entered given dimensions and k_given the sign of the gear type
// (positive external, negative internal) and reformats them.
void ReSignGivenValues(Gear& gear);

// The conversions of mode 0 (standard), 1 (Wk given), 2 (MdK given) or
// 3 (xE given).
void ModeCalculation(Gear& gear, CalculationModeKind mode);

}  // namespace silvarone
