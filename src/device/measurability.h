// Whether the test dimensions of the calculation page can be measured as
// stated: where the span anvils and the measuring balls touch the flanks, and
// whether a ball stands out over the tips far enough for flat anvils. The
// checks read the records after the page's calculation and change none of
// them; they return facts and codes, never texts.
//
// Diameters are signed like the geometry: negative for an internal gear.
// The usable flank lies between the usable root circle d_Nf and the usable
// tip circle d_Na, whichever of them is the smaller in absolute value.
#pragma once

#include "core/gear.h"

namespace silvarone {

// Where a contact lies on the flank.
enum class FlankContact {
  kUsable,      // between d_Nf and d_Na
  kPastTip,     // on or beyond the usable tip circle d_Na
  kPastRoot,    // on or beyond the usable root circle d_Nf
  kNoInvolute,  // the ball would touch below the base circle: there is no involute
};

// Span measurement W_k over k teeth (checks 1 and 2).
struct SpanCheck {
  bool known = false;  // false: no span, or no geometry to check it against
  double W_k = 0.0;    // the nominal span of the page
  double d_Wk = 0.0;   // diameter of the anvils' contact
  FlankContact flank = FlankContact::kUsable;
  double b_w = 0.0;
  double widthNeeded = 0.0;  // |W_k| sin beta_b: the face width the span takes up
  bool widthCarries = true;  // b_w > widthNeeded
};

// One measuring ball in its gaps (checks 3 and 4).
struct BallCheck {
  bool known = false;    // false: no ball, or no geometry to check it against
  double D = 0.0;        // ball diameter
  double alphaKt = 0.0;  // transverse pressure angle at the ball centre, degrees (signed)
  double d_K = 0.0;      // diameter of the ball centres
  double d_MK = 0.0;     // diameter of the contact; not finite for kNoInvolute
  FlankContact flank = FlankContact::kUsable;
  double reach = 0.0;  // d_K + D_M external, d_K - D_M internal (signed): the balls' outer edge
  bool protrudes = true;
};

struct Measurability {
  // The circles the checks measure against.
  double d_b = 0.0;
  double d_Na = 0.0;
  double d_Nf = 0.0;
  SpanCheck span;        // W_k over k_given of the comparison table
  BallCheck overBalls;   // the ball DM_given of MdK
  BallCheck instrument;  // the instrument's ball D_M of Q

  bool AllSound() const;
};

// --- The formulas, each on plain numbers ----------------------------------

// Diameter at which the anvils of a span W_k touch the flanks, in the
// transverse section: sqrt(d_b^2 + (W_k / cos beta_b)^2), with the sign of d_b.
double SpanContactDiameter(double d_b, double W_k, double beta_b_deg);

// Diameter at which a ball D with its centre at the transverse pressure angle
// alphaKt touches the flank; not finite when the contact would lie below the
// base circle. `external` tells on which side of the centre the contact lies.
double BallContactDiameter(double d_b, double alphaKt_deg, double D, double beta_b_deg,
                           bool external);

// Where a contact diameter lies between the usable root and tip circles.
FlankContact OnFlank(double diameter, double d_Nf, double d_Na);

// The balls' edge that flat anvils touch: |d_K| + D external, |d_K| - D
// internal, signed like d_K.
double BallReach(double d_K, double D, bool external);
// The ball stands out over the tips: external |reach| > |d_Na|, internal
// |reach| < |d_Na|.
bool BallProtrudes(double reach, double d_Na, bool external);

// --- The checks of the page ------------------------------------------------

// The span over k_given, the MdK ball DM_given at the nominal xE of the
// comparison table, and the instrument's ball D_M at the drawing's x, as the
// records stand after the calculation page.
Measurability CheckMeasurability(const Gear& gear);

}  // namespace silvarone
