// The measurement drawn to scale: the gear's transverse section with the span
// anvils, the two balls of the dimension over balls and the instrument's balls,
// as plain geometry (points in mm, gear axis at the origin). The Qt view only
// paints it; the tests measure it.
//
// The drawing builds its own measurement: the flanks are rolled off the base
// circle, the anvils are laid on them along one base tangent, and each ball
// centre is searched on its gap's centre line until the nearest flank point
// lies at the ball's contact distance. The dimension texts are the program's
// own numbers, so a drawing that disagrees with them shows it.
//
// Helical gears: the section is transverse. The span and the dimension over
// balls are measured in the normal section; an anvil plane cuts the section in
// a line tangent to the section's flank, and two anvil planes W_k apart cut it
// in lines W_k / cos beta_b apart, measured along the base tangent. The W_k
// dimension therefore spans the anvil traces and carries the W_k the program
// shows. A ball touches a helical flank outside the section through its
// centre: in the section its circle (diameter D) keeps a gap of
// D / 2 (1 / cos beta_b - 1) to the flank, and the marked contact is the flank
// point nearest the centre, D / (2 cos beta_b) from it. The instrument of a
// helical gear measures in space (two balls on the ball-centre helix of one
// gap, the opposite ball in the plane through their midpoint normal to the
// line between them): its points are kept in space and drawn projected, and
// Q is the spatial distance.
//
// What is marked red is not the drawing's own judgement: it is the verdict of
// CheckMeasurability, handed in with the input, so the window, the report and
// the drawing never disagree. The drawing only says where the marks are: a
// ball that finds no seat in its gap still gets a place (on the base circle,
// across the flanks) to carry its mark.
#pragma once

#include <string>
#include <vector>

#include "core/gear.h"
#include "device/measurability.h"

namespace silvarone {

struct DrawPoint {
  double x = 0.0;
  double y = 0.0;
};

// The gear and its three measurements as the drawing needs them.
struct DrawingInput {
  double z = 0.0;                   // signed: negative for an internal gear
  double m_n = 0.0;                 // normal module
  double alpha_n = 0.0;             // normal pressure angle, degrees
  double beta = 0.0;                // helix angle, degrees
  double x = 0.0;                   // profile shift of the tooth thickness drawn
  double d_Na = 0.0;                // usable flank: tip end (signed)
  double d_Nf = 0.0;                // usable flank: root end (signed)
  double d_f = 0.0;                 // root circle (signed)
  double kSpan = 0.0;               // teeth (internal: spaces) the span is taken over, signed
  double ballDiameter = 0.0;        // ball of the dimension over balls
  double kInstrument = 0.0;         // the instrument's k_M, signed
  double instrumentBall = 0.0;      // the instrument's ball D_M
  double instrumentDistance = 0.0;  // distance of the two balls of one anvil
  std::string spanText;             // the numbers the dimensions carry
  std::string ballDimensionText;
  std::string checkDimensionText;
  // The verdict the marks show; a check not known marks nothing.
  Measurability checks;
};

struct DrawCircle {
  DrawPoint centre;
  double radius = 0.0;
};

// A point in space: the drawing's x and y, and the axial position.
struct SpacePoint {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

enum class DimensionKind { kSpan, kBallDimension, kCheckDimension };

// A dimension line from `from` to `to` with its text; `extensionFrom` and
// `extensionTo` are where the extension lines start on the part.
struct DrawDimension {
  DimensionKind kind = DimensionKind::kSpan;
  DrawPoint from;
  DrawPoint to;
  DrawPoint extensionFrom;
  DrawPoint extensionTo;
  std::string text;
};

// A point where a measuring element touches a flank; failed: off the usable
// flank (d_Nf..d_Na), or the ball touches no involute.
struct DrawContact {
  DrawPoint point;
  bool failed = false;
};

// A ball in its gap; failed: it does not protrude over the tips, so the
// measuring face cannot reach it, or it finds no seat on the involutes.
struct DrawBall {
  DrawCircle circle;
  SpacePoint centre;  // for the helical instrument: where it lies in space
  bool failed = false;
};

// An anvil trace; failed: the face width b_w does not carry the span of a
// helical gear.
struct DrawAnvil {
  DrawPoint from;
  DrawPoint to;
  bool failed = false;
};

struct DrawingBounds {
  double left = 0.0;
  double bottom = 0.0;
  double right = 0.0;
  double top = 0.0;
};

struct MeasurementDrawing {
  bool valid = false;  // false: the data give no drawable gear
  bool internal = false;
  bool helical = false;
  double baseHelixAngle = 0.0;  // degrees
  // The flanks: involutes of the base circle in converging pairs (external:
  // the teeth, internal: the spaces), pair j centred at pairOffset + j * pitch
  // with the half angle pairHalfAngle at the base circle (radians).
  double baseRadius = 0.0;
  double pairOffset = 0.0;
  double pairHalfAngle = 0.0;
  double pitch = 0.0;
  // One closed outline: flanks, root and tip arcs of every tooth.
  std::vector<DrawPoint> outline;
  // The usable part (d_Nf..d_Na) of every flank.
  std::vector<std::vector<DrawPoint>> usableFlanks;
  DrawCircle tipCircle, rootCircle, referenceCircle, baseCircle;

  // Span: the two anvil traces, their contacts, the dimension.
  DrawAnvil anvils[2];
  DrawContact spanContacts[2];
  DrawPoint spanNormal;  // unit direction of the base tangent the span is measured along
  DrawDimension span;

  // Dimension over (between) balls.
  DrawBall balls[2];
  DrawContact ballContacts[4];
  DrawDimension ballDimension;

  // Instrument: spur: two balls, Q between their centres. Helical: the two
  // balls of the first anvil, their midpoint and the opposite ball.
  std::vector<DrawBall> instrumentBalls;
  std::vector<DrawContact> instrumentContacts;
  SpacePoint checkFrom;  // Q is the distance from here to checkTo
  SpacePoint checkTo;
  DrawDimension checkDimension;

  // Where the view starts: the whole gear, the measured region (the span).
  DrawingBounds gearBounds;
  DrawingBounds measuredBounds;

  // Any mark is red.
  bool AnyFailed() const;
  // Which kinds of mark are red.
  bool AnyContactFailed() const;
  bool AnyBallFailed() const;
  bool AnyAnvilFailed() const;
};

// Builds the drawing; valid stays false for data that give no gear (|z| < 5,
// no base circle, a tooth thickness that leaves no tooth or no gap).
MeasurementDrawing BuildMeasurementDrawing(const DrawingInput& in);

// The drawing's input from a gear after the calculation page: the nominal
// generating profile shift of the input mode, the span and ball of the
// comparison table, the instrument's ball and tooth count, and the checks.
DrawingInput DrawingInputOf(const Gear& gear);

// Involute flank point of the drawing at radius r: the flank of the converging
// pair (external: a tooth; internal: a space) centred at `pairCentre` on side
// +1 or -1, of a base circle rb and half angle `halfAngle` at the base circle.
DrawPoint FlankPoint(double rb, double pairCentre, double halfAngle, int side, double r);

}  // namespace silvarone
