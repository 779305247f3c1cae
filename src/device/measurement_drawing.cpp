#include "device/measurement_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "core/geometry.h"
#include "device/page_sequence.h"

namespace silvarone {
namespace {

DrawPoint operator+(DrawPoint a, DrawPoint b) {
  return {a.x + b.x, a.y + b.y};
}
DrawPoint operator-(DrawPoint a, DrawPoint b) {
  return {a.x - b.x, a.y - b.y};
}
DrawPoint operator*(double f, DrawPoint a) {
  return {f * a.x, f * a.y};
}
double Dot(DrawPoint a, DrawPoint b) {
  return a.x * b.x + a.y * b.y;
}
double Length(DrawPoint a) {
  return std::hypot(a.x, a.y);
}
DrawPoint Polar(double r, double angle) {
  return {r * std::cos(angle), r * std::sin(angle)};
}
DrawPoint Rotated(DrawPoint p, double angle) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  return {c * p.x - s * p.y, s * p.x + c * p.y};
}

// The gear as the drawing rolls it. The flanks come in converging pairs (two
// involutes that meet further out): the teeth of an external gear, the spaces
// of an internal one. Pair j is centred at pairOffset + j * pitch.
struct Rolled {
  int n = 0;  // number of teeth
  bool internal = false;
  double rb = 0.0;         // base radius
  double halfAngle = 0.0;  // half angle of a converging pair at the base circle
  double pitch = 0.0;      // angular pitch
  double pairOffset = 0.0;
  double rTip = 0.0;
  double rRoot = 0.0;
  double rUsableLow = 0.0;  // usable flank, as radii
  double rUsableHigh = 0.0;
  double cosBetaB = 1.0;
  double depth = 0.0;  // tooth depth
};

// The inner end of the flanks: the root of an external gear, the tips of an
// internal one.
double InnerRadius(const Rolled& g) {
  return std::min(g.rTip, g.rRoot);
}

double PairCentre(const Rolled& g, int pair) {
  return g.pairOffset + pair * g.pitch;
}

// Centre angle of gap j: between pairs j and j + 1 of an external gear; the
// pair itself of an internal gear.
double GapCentre(const Rolled& g, int gap) {
  return PairCentre(g, gap) + (g.internal ? 0.0 : g.pitch / 2.0);
}

// Involute with its string unrolled by the roll angle u: pair side +1 starts
// at centre + halfAngle and turns towards the pair's centre further out.
DrawPoint FlankAtRoll(double rb, double pairCentre, double halfAngle, int side, double u) {
  const double a = pairCentre + side * halfAngle - side * u;
  const DrawPoint foot = Polar(rb, a);
  return foot + (side * u * rb) * DrawPoint{-std::sin(a), std::cos(a)};
}

// The flank that bounds gap j on the side -1 (lower angle) or +1.
struct FlankRef {
  int pair;
  int side;
};
FlankRef GapFlank(const Rolled& g, int gap, int side) {
  if (g.internal) return {gap, side};
  return side < 0 ? FlankRef{gap, +1} : FlankRef{gap + 1, -1};
}

DrawPoint GapFlankAtRoll(const Rolled& g, int gap, int side, double u) {
  const FlankRef f = GapFlank(g, gap, side);
  return FlankAtRoll(g.rb, PairCentre(g, f.pair), g.halfAngle, f.side, u);
}

double RollOf(double rb, double r) {
  return r > rb ? std::sqrt((r / rb) * (r / rb) - 1.0) : 0.0;
}

// The flank point of gap j nearest to p (golden-section search over the roll
// angle; the distance has one minimum along a flank for a point in its gap).
DrawPoint NearestFlankPoint(const Rolled& g, int gap, int side, DrawPoint p) {
  const auto dist = [&](double u) { return Length(GapFlankAtRoll(g, gap, side, u) - p); };
  double lo = 0.0;
  double hi = RollOf(g.rb, 2.0 * std::max({g.rTip, g.rRoot, Length(p)}));
  const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
  double u1 = hi - ratio * (hi - lo);
  double u2 = lo + ratio * (hi - lo);
  double f1 = dist(u1);
  double f2 = dist(u2);
  for (int i = 0; i < 200 && hi - lo > 1e-15 * (1.0 + hi); ++i) {
    if (f1 < f2) {
      hi = u2;
      u2 = u1;
      f2 = f1;
      u1 = hi - ratio * (hi - lo);
      f1 = dist(u1);
    } else {
      lo = u1;
      u1 = u2;
      f1 = f2;
      u2 = lo + ratio * (hi - lo);
      f2 = dist(u2);
    }
  }
  return GapFlankAtRoll(g, gap, side, (lo + hi) / 2.0);
}

// Root of f between lo and hi, where f changes sign, by bisection.
double Bisect(const std::function<double(double)>& f, double lo, double hi) {
  double flo = f(lo);
  for (int i = 0; i < 200 && hi - lo > 1e-14 * (std::fabs(lo) + std::fabs(hi)); ++i) {
    const double mid = (lo + hi) / 2.0;
    const double fm = f(mid);
    if ((fm < 0.0) == (flo < 0.0)) {
      lo = mid;
      flo = fm;
    } else {
      hi = mid;
    }
  }
  return (lo + hi) / 2.0;
}

// Radius of a ball centre on the centre line of gap j: where the nearest flank
// point lies at the contact distance rho. The gap of an external gear widens
// outwards, that of an internal gear narrows; a ball that finds no seat above
// the base circle sits on it.
double BallCentreRadius(const Rolled& g, int gap, double rho) {
  const double angle = GapCentre(g, gap);
  const auto excess = [&](double r) {
    const DrawPoint c = Polar(r, angle);
    return Length(NearestFlankPoint(g, gap, -1, c) - c) - rho;
  };
  // Start a tooth depth inside the teeth, where the gap still opens (the
  // involutes of a large gear cross each other well above the base circle).
  const double lo = std::max(g.rb, InnerRadius(g) - g.depth);
  if (g.internal ? excess(lo) <= 0.0 : excess(lo) >= 0.0) return lo;
  double hi = lo;
  for (int i = 0; i < 60; ++i) {
    hi *= g.internal ? 1.0 + 0.01 : 1.25;
    if (g.internal ? excess(hi) < 0.0 : excess(hi) > 0.0) return Bisect(excess, lo, hi);
  }
  return lo;
}

int GapNearest(const Rolled& g, double angle) {
  const double steps = std::round((angle - GapCentre(g, 0)) / g.pitch);
  const long j = static_cast<long>(steps) % g.n;
  return static_cast<int>(j < 0 ? j + g.n : j);
}

// The checks' verdict, element by element: a contact fails off the usable
// flank or on no involute; a ball fails when it does not stand out over the
// tips or has no seat at all; the anvils fail on a face width too narrow.
bool ContactFails(bool known, FlankContact flank) {
  return known && flank != FlankContact::kUsable;
}
bool BallFails(const BallCheck& check) {
  return check.known && (!check.protrudes || check.flank == FlankContact::kNoInvolute);
}
bool AnvilsFail(const SpanCheck& check) {
  return check.known && !check.widthCarries;
}

template <typename Range>
bool AnyMarked(const Range& elements) {
  return std::any_of(std::begin(elements), std::end(elements),
                     [](const auto& element) { return element.failed; });
}

struct SeatedBall {
  DrawBall ball;
  DrawContact contacts[2];
};

// A ball of diameter D seated in gap j of the section, marked as `verdict` says.
SeatedBall SeatBall(const Rolled& g, int gap, double D, const BallCheck& verdict) {
  SeatedBall s;
  const double rho = D / (2.0 * g.cosBetaB);
  const double r = BallCentreRadius(g, gap, rho);
  const DrawPoint c = Polar(r, GapCentre(g, gap));
  s.ball.circle = {c, D / 2.0};
  s.ball.centre = {c.x, c.y, 0.0};
  s.ball.failed = BallFails(verdict);
  for (int side = -1, i = 0; side <= 1; side += 2, ++i) {
    s.contacts[i] = {NearestFlankPoint(g, gap, side, c),
                     ContactFails(verdict.known, verdict.flank)};
  }
  return s;
}

void Grow(DrawingBounds& b, DrawPoint p) {
  b.left = std::min(b.left, p.x);
  b.right = std::max(b.right, p.x);
  b.bottom = std::min(b.bottom, p.y);
  b.top = std::max(b.top, p.y);
}

DrawingBounds Around(DrawPoint p) {
  return {p.x, p.y, p.x, p.y};
}

bool MakeRolled(const DrawingInput& in, Rolled& g) {
  const double n = std::fabs(in.z);
  if (!(n >= 5.0 && n <= 1000.0) || !(in.m_n > 0.0) || !(in.alpha_n > 0.0 && in.alpha_n < 45.0) ||
      !(in.beta >= 0.0 && in.beta <= 45.0))
    return false;
  g.n = static_cast<int>(std::lround(n));
  g.internal = in.z < 0.0;
  const double alphaT = std::atan(std::tan(Rad(in.alpha_n)) / std::cos(Rad(in.beta)));
  const double r = n * in.m_n / std::cos(Rad(in.beta)) / 2.0;
  g.rb = r * std::cos(alphaT);
  g.pitch = 2.0 * kPi / n;
  // Half the tooth (external) or space (internal) at the base circle, as an
  // angle: a quarter pitch, the profile shift's widening of the tooth, and
  // the involute of the reference circle.
  const double shift = 2.0 * in.x * std::tan(Rad(in.alpha_n)) / n;
  g.halfAngle = kPi / (2.0 * n) + (g.internal ? -shift : shift) + Involute(alphaT);
  g.cosBetaB = std::cos(std::asin(std::sin(Rad(in.beta)) * std::cos(Rad(in.alpha_n))));
  g.rTip = std::fabs(in.d_Na) / 2.0;
  g.rRoot = std::fabs(in.d_f) / 2.0;
  g.rUsableLow = std::min(std::fabs(in.d_Na), std::fabs(in.d_Nf)) / 2.0;
  g.rUsableHigh = std::max(std::fabs(in.d_Na), std::fabs(in.d_Nf)) / 2.0;
  g.depth = std::fabs(g.rTip - g.rRoot);
  if (!(g.rTip > 0.0 && g.rRoot > 0.0 && g.depth > 0.0 && std::isfinite(g.rb) && g.rb > 0.0))
    return false;
  // Where the teeth begin (external: the root, internal: the tips) each pair
  // must leave room for the next: a tooth and a gap.
  const double inner = std::max(g.rb, InnerRadius(g));
  const double half = g.halfAngle - Involute(std::acos(g.rb / inner));
  return half > 0.0 && half < g.pitch / 2.0;
}

}  // namespace

DrawPoint FlankPoint(double rb, double pairCentre, double halfAngle, int side, double r) {
  if (r <= rb) return Polar(r, pairCentre + side * halfAngle);  // radial below the base circle
  return FlankAtRoll(rb, pairCentre, halfAngle, side, RollOf(rb, r));
}

bool MeasurementDrawing::AnyFailed() const {
  return AnyContactFailed() || AnyBallFailed() || AnyAnvilFailed();
}

bool MeasurementDrawing::AnyContactFailed() const {
  return AnyMarked(spanContacts) || AnyMarked(ballContacts) || AnyMarked(instrumentContacts);
}

bool MeasurementDrawing::AnyBallFailed() const {
  return AnyMarked(balls) || AnyMarked(instrumentBalls);
}

bool MeasurementDrawing::AnyAnvilFailed() const {
  return AnyMarked(anvils);
}

namespace {

// Radii of one flank from tip to root: involute above the base circle,
// radial below it, finer near the base circle where the involute bends most.
std::vector<double> FlankRadii(const Rolled& g, int count) {
  std::vector<double> radii;
  for (int i = 0; i <= count; ++i) {
    const double t = static_cast<double>(i) / count;
    radii.push_back(g.rTip + (g.rRoot - g.rTip) * t);
  }
  return radii;
}

void AppendArc(std::vector<DrawPoint>& out, double r, double from, double to) {
  const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(to - from) / Rad(2.0))));
  for (int i = 1; i < steps; ++i)
    out.push_back(Polar(r, from + (to - from) * i / steps));
}

void BuildOutline(const Rolled& g, MeasurementDrawing& m) {
  const std::vector<double> radii = FlankRadii(g, 16);
  for (int gap = 0; gap < g.n; ++gap) {
    std::vector<DrawPoint> lower, upper;
    for (const double r : radii) {
      const FlankRef lo = GapFlank(g, gap, -1);
      const FlankRef up = GapFlank(g, gap, +1);
      lower.push_back(FlankPoint(g.rb, PairCentre(g, lo.pair), g.halfAngle, lo.side, r));
      upper.push_back(FlankPoint(g.rb, PairCentre(g, up.pair), g.halfAngle, up.side, r));
    }
    if (!m.outline.empty()) {
      const DrawPoint last = m.outline.back();
      AppendArc(m.outline, g.rTip, std::atan2(last.y, last.x),
                std::atan2(last.y, last.x) +
                    std::remainder(std::atan2(lower[0].y, lower[0].x) - std::atan2(last.y, last.x),
                                   2.0 * kPi));
    }
    m.outline.insert(m.outline.end(), lower.begin(), lower.end());
    const double a0 = std::atan2(lower.back().y, lower.back().x);
    const double a1 =
        a0 + std::remainder(std::atan2(upper.back().y, upper.back().x) - a0, 2.0 * kPi);
    AppendArc(m.outline, g.rRoot, a0, a1);
    m.outline.insert(m.outline.end(), upper.rbegin(), upper.rend());
  }
  // The usable flank, every flank of every gap.
  const double low = std::max(g.rUsableLow, std::min(g.rb, g.rUsableHigh));
  for (int gap = 0; gap < g.n; ++gap) {
    for (int side = -1; side <= 1; side += 2) {
      const FlankRef f = GapFlank(g, gap, side);
      std::vector<DrawPoint> flank;
      for (int i = 0; i <= 8; ++i) {
        const double r = low + (g.rUsableHigh - low) * i / 8.0;
        flank.push_back(FlankPoint(g.rb, PairCentre(g, f.pair), g.halfAngle, f.side, r));
      }
      m.usableFlanks.push_back(std::move(flank));
    }
  }
}

// The span over k pairs (teeth, or spaces of an internal gear), laid on
// pairs 0..k-1 whose base tangent touches the base circle at the top.
void BuildSpan(const Rolled& g, double k, const DrawingInput& in, MeasurementDrawing& m) {
  const double u = (k - 1.0) * g.pitch / 2.0 + g.halfAngle;  // both contacts roll equally far
  const double top = PairCentre(g, 0) + (k - 1.0) * g.pitch / 2.0;
  const DrawPoint p1 = FlankAtRoll(g.rb, PairCentre(g, 0), g.halfAngle, -1, u);
  const DrawPoint p2 =
      FlankAtRoll(g.rb, PairCentre(g, static_cast<int>(k) - 1), g.halfAngle, +1, u);
  const DrawPoint e = Polar(1.0, top);  // along the anvils
  m.spanNormal = (1.0 / Length(p2 - p1)) * (p2 - p1);
  const bool offFlank = ContactFails(in.checks.span.known, in.checks.span.flank);
  m.spanContacts[0] = {p1, offFlank};
  m.spanContacts[1] = {p2, offFlank};
  // The dimension stands outside the tips: outwards of an external gear,
  // towards the axis inside an internal one.
  const double outward = g.internal ? -1.0 : 1.0;
  const double level = g.rTip + outward * g.depth - Dot(p1, e);
  const double start = -outward * g.depth * 0.6;
  for (int i = 0; i < 2; ++i) {
    const DrawPoint p = i == 0 ? p1 : p2;
    m.anvils[i] = {p + start * e, p + (level + outward * g.depth * 0.3) * e,
                   AnvilsFail(in.checks.span)};
  }
  m.span = {DimensionKind::kSpan, p1 + level * e, p2 + level * e, p1, p2, in.spanText};
  m.measuredBounds = Around(p1);
  for (const DrawAnvil& a : m.anvils) {
    Grow(m.measuredBounds, a.from);
    Grow(m.measuredBounds, a.to);
  }
}

// The two balls of the dimension over balls: in the gap nearest the right
// and in the one opposite (odd tooth counts: the nearest to opposite).
void BuildBallDimension(const Rolled& g, const DrawingInput& in, MeasurementDrawing& m) {
  const int first = GapNearest(g, 0.0);
  const int second = (first + g.n / 2) % g.n;
  const SeatedBall a = SeatBall(g, first, in.ballDiameter, in.checks.overBalls);
  const SeatedBall b = SeatBall(g, second, in.ballDiameter, in.checks.overBalls);
  m.balls[0] = a.ball;
  m.balls[1] = b.ball;
  m.ballContacts[0] = a.contacts[0];
  m.ballContacts[1] = a.contacts[1];
  m.ballContacts[2] = b.contacts[0];
  m.ballContacts[3] = b.contacts[1];
  const DrawPoint c1 = a.ball.circle.centre;
  const DrawPoint c2 = b.ball.circle.centre;
  const DrawPoint dir = (1.0 / Length(c2 - c1)) * (c2 - c1);
  // Over the balls outside an external gear, between them inside an internal one.
  const double edge = (g.internal ? 1.0 : -1.0) * in.ballDiameter / 2.0;
  const DrawPoint from = c1 + edge * dir;
  const DrawPoint to = c2 - edge * dir;
  m.ballDimension = {DimensionKind::kBallDimension, from, to, from, to, in.ballDimensionText};
}

// Helix of the ball centres through the section point at `angle`: the point
// at parameter t lies t * a further along the axis and t further round.
SpacePoint OnHelix(double R, double angle, double a, double t) {
  return {R * std::cos(angle + t), R * std::sin(angle + t), a * t};
}

double Distance(const SpacePoint& p, const SpacePoint& q) {
  return std::hypot(p.x - q.x, p.y - q.y, p.z - q.z);
}

// First root of f from 0 outwards in steps of h, searching both directions.
double NearestRoot(const std::function<double(double)>& f, double h, double limit) {
  if (f(0.0) == 0.0) return 0.0;
  for (double t = 0.0; t < limit; t += h) {
    if ((f(t) < 0.0) != (f(t + h) < 0.0)) return Bisect(f, t, t + h);
    if ((f(-t) < 0.0) != (f(-t - h) < 0.0)) return Bisect(f, -t - h, -t);
  }
  return 0.0;
}

void AddInstrumentBall(const SeatedBall& seat, double turn, double axial, bool inSection,
                       MeasurementDrawing& m) {
  DrawBall b = seat.ball;
  b.circle.centre = Rotated(seat.ball.circle.centre, turn);
  b.centre = {b.circle.centre.x, b.circle.centre.y, axial};
  m.instrumentBalls.push_back(b);
  if (!inSection) return;
  for (const DrawContact& c : seat.contacts)
    m.instrumentContacts.push_back({Rotated(c.point, turn), c.failed});
}

// The instrument: balls `gaps` pitches apart round the bottom. Spur: Q between
// the two ball centres. Helical: the first anvil's two balls lie on the
// ball-centre helix the ball distance apart; the opposite ball lies on the
// helix of the other gap, in the plane through their midpoint normal to the
// line between them; Q runs from that midpoint to the opposite ball.
void BuildInstrument(const Rolled& g, const DrawingInput& in, MeasurementDrawing& m) {
  const int gaps = static_cast<int>(
      std::lround(g.internal ? std::fabs(in.kInstrument) - 1.0 : std::fabs(in.kInstrument)));
  const int first = GapNearest(g, -kPi / 2.0 - gaps * g.pitch / 2.0);
  const SeatedBall seat = SeatBall(g, first, in.instrumentBall, in.checks.instrument);
  const double R = Length(seat.ball.circle.centre);
  const double apart = gaps * g.pitch;
  const double angle = GapCentre(g, first);
  if (!m.helical) {
    AddInstrumentBall(seat, 0.0, 0.0, true, m);
    AddInstrumentBall(seat, apart, 0.0, true, m);
    m.checkFrom = m.instrumentBalls[0].centre;
    m.checkTo = m.instrumentBalls[1].centre;
  } else {
    const double lead = kPi * g.n * in.m_n / std::sin(Rad(in.beta));
    const double a = lead / (2.0 * kPi);
    const SpacePoint A = OnHelix(R, angle, a, 0.0);
    const double dist = in.instrumentDistance;
    const double tB = NearestRoot(
        [&](double t) { return t < 0.0 ? -1.0 : Distance(OnHelix(R, angle, a, t), A) - dist; },
        0.01, 8.0 * kPi);
    const SpacePoint B = OnHelix(R, angle, a, tB);
    const SpacePoint N = {(B.x - A.x) / dist, (B.y - A.y) / dist, (B.z - A.z) / dist};
    const SpacePoint C = {(A.x + B.x) / 2.0, (A.y + B.y) / 2.0, (A.z + B.z) / 2.0};
    const auto plane = [&](double t) {
      const SpacePoint P = OnHelix(R, angle + apart, a, t);
      return N.x * (P.x - C.x) + N.y * (P.y - C.y) + N.z * (P.z - C.z);
    };
    const double tD = NearestRoot(plane, 0.01, 8.0 * kPi);
    AddInstrumentBall(seat, 0.0, 0.0, true, m);
    AddInstrumentBall(seat, tB, B.z, false, m);
    AddInstrumentBall(seat, apart + tD, a * tD, false, m);
    m.checkFrom = C;
    m.checkTo = m.instrumentBalls[2].centre;
  }
  const DrawPoint from{m.checkFrom.x, m.checkFrom.y};
  const DrawPoint to{m.checkTo.x, m.checkTo.y};
  m.checkDimension = {DimensionKind::kCheckDimension, from, to, from, to, in.checkDimensionText};
}

void BuildCircles(const Rolled& g, const DrawingInput& in, MeasurementDrawing& m) {
  const double r = g.n * in.m_n / std::cos(Rad(in.beta)) / 2.0;
  m.tipCircle = {{}, g.rTip};
  m.rootCircle = {{}, g.rRoot};
  m.referenceCircle = {{}, r};
  m.baseCircle = {{}, g.rb};
  const double outer = std::max(g.rTip, g.rRoot) + 2.0 * g.depth;
  m.gearBounds = {-outer, -outer, outer, outer};
  for (const DrawPoint p : {m.span.from, m.span.to, m.ballDimension.from, m.ballDimension.to})
    Grow(m.gearBounds, p);
  const double pad = g.depth;
  m.measuredBounds = {m.measuredBounds.left - pad, m.measuredBounds.bottom - pad,
                      m.measuredBounds.right + pad, m.measuredBounds.top + pad};
}

}  // namespace

MeasurementDrawing BuildMeasurementDrawing(const DrawingInput& in) {
  MeasurementDrawing m;
  Rolled g;
  if (!MakeRolled(in, g)) return m;
  const double k = std::fabs(std::round(in.kSpan));
  // Turn the gear so that the span's base tangent touches the base circle at
  // the top: its anvils stand upright.
  g.pairOffset = kPi / 2.0 - (std::max(k, 1.0) - 1.0) * g.pitch / 2.0;
  m.internal = g.internal;
  m.helical = in.beta > 0.0;
  m.baseHelixAngle = std::acos(g.cosBetaB) * kRadToDeg;
  m.baseRadius = g.rb;
  m.pairOffset = g.pairOffset;
  m.pairHalfAngle = g.halfAngle;
  m.pitch = g.pitch;
  BuildOutline(g, m);
  if (k >= 1.0 && k < g.n) BuildSpan(g, k, in, m);
  if (in.ballDiameter > 0.0) BuildBallDimension(g, in, m);
  if (in.instrumentBall > 0.0 && std::fabs(in.kInstrument) >= 1.0 &&
      std::fabs(in.kInstrument) < g.n && (!m.helical || in.instrumentDistance > 0.0))
    BuildInstrument(g, in, m);
  BuildCircles(g, in, m);
  m.valid = true;
  return m;
}

DrawingInput DrawingInputOf(const Gear& gear) {
  const GearRecords& r = gear.rec;
  const bool givenShift = gear.state.CalculationMode == kModeGivenProfileShift;
  DrawingInput in;
  in.z = r.z.value;
  in.m_n = r.m_n.value;
  in.alpha_n = r.alpha_n.value;
  in.beta = r.beta.value;
  in.x = givenShift ? r.Xe_given.value : r.xE.value;
  in.d_Na = r.d_Na.value;
  in.d_Nf = r.d_Nf.value;
  in.d_f = r.d_f.value;
  in.kSpan = r.k_given.value;
  in.ballDiameter = r.DM_given.value;
  const std::array<ComparisonRow, 3> table = ComparisonTable(gear);
  in.spanText = table[0][0]->text;
  in.ballDimensionText = table[1][0]->text;
  if (HasBall(gear)) {
    in.kInstrument = r.k_M.value;
    in.instrumentBall = r.D_M.value;
    in.instrumentDistance = r.D_distance.value;
    // The window's Q belongs to the drawing's x; in another input mode the
    // drawn tooth is the mode's nominal xE, whose Q the test dimension holds.
    if (gear.state.CalculationMode == kModeStandard) {
      in.checkDimensionText = r.Q.text;
    } else {
      TGear q = r.Q;
      const double ball = gear.state.ExternalGear == 1 ? -r.D_M.value : r.D_M.value;
      StoreValue(gear, q, r.Q_plus_D_M.value + ball);
      in.checkDimensionText = q.text;
    }
  }
  in.checks = CheckMeasurability(gear);
  return in;
}

}  // namespace silvarone
