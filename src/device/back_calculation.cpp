#include "device/back_calculation.h"

#include <cmath>
#include <optional>

#include "core/check_dimension.h"
#include "core/geometry.h"
#include "core/modes.h"

namespace silvarone {

int Direction(double computed, double measured) {
  return computed > measured ? 0 : 1;
}

void BackCalculation::Discard() {
  valid = false;
  xEText.clear();
  WkText.clear();
  MdkText.clear();
}

double BackCalculation::TestDimensionAt(Gear& gear, double x) {
  lastTrial_ = x;
  gear.rec.xE_working.value = x;
  const double q = CheckDimensionFor(gear, BallFormOf(gear), gear.rec.xE_working);
  return (TestDimension(gear, q));
}

ScanResult BackCalculation::Scan(Gear& gear, double lower, double upper, double step, int maxSteps,
                                 double x0, double measured, int direction) {
  ScanResult result;
  result.smallest = 100000.0;
  double x = x0;
  int repeats = 0;
  int bar = 0;
  double diff = 0.0;
  do {
    if (progress) progress(bar);
    bar = bar >= 100 ? 0 : bar + 1;
    diff = measured - TestDimensionAt(gear, x);
    const double ad = std::fabs(diff);
    // Only steps inside the window can improve or count towards the stop.
    if (direction == 0 ? diff > lower : diff < upper) {
      if (ad < result.smallest) {
        result.smallest = ad;
        result.best = x;
        result.found = true;
        repeats = 0;
      }
      if (result.found) ++repeats;
    }
    x = direction == 0 ? x - step : x + step;
    ++result.steps;
  } while (!((direction == 0 && diff >= upper) || (direction == 1 && diff <= lower) ||
             result.steps > maxSteps || repeats >= 10));
  if (result.steps > maxSteps) result.found = false;
  return result;
}

BackCalculationOutcome BackCalculation::Run(Gear& gear, const std::string& measuredText) {
  GearRecords& r = gear.rec;
  r.Q_measured.text = measuredText;
  Discard();
  if (ParseParameter(r.Q_measured, {.messages = true}, gear.messages) != kStatusValid) {
    return BackCalculationOutcome::kRejected;
  }
  // The plausibility check and the scan leave the records at trial values;
  // what the window and the report show stays the calculation of the
  // drawing's profile shift.
  const GearRecords before = r;
  const HelixModel helixBefore = gear.state.helix;
  const std::optional<double> xE = Search(gear, r.Q_measured.value);
  const bool succeeded = xE.has_value() && found_;
  r = before;
  gear.state.helix = helixBefore;
  if (!xE) return BackCalculationOutcome::kImplausible;

  StoreValue(gear, r.xE_working, *xE);
  xEText = ShownText(r.xE_working);
  if (!succeeded) return BackCalculationOutcome::kNotFound;

  TGear upper;
  TGear lower;
  SpanFromXe(gear, r.Wk_real, upper, lower, {}, *xE, r.k_given.value);
  BallDimensionFromXe(gear, r.Mdk_real, upper, lower, {}, r.DM_given.value, *xE);
  WkText = ShownText(r.Wk_real);
  MdkText = ShownText(r.Mdk_real);
  valid = true;
  return BackCalculationOutcome::kSucceeded;
}

std::optional<double> BackCalculation::Search(Gear& gear, double measured) {
  GearRecords& r = gear.rec;
  found_ = false;
  // Plausibility against the spur test dimension of the drawing's profile shift.
  const double q0 = CheckDimensionFor(gear, BallForm::kSpur, r.x);
  if (std::fabs(measured - (TestDimension(gear, q0))) >= 5.0) return std::nullopt;

  DetermineHelicalGear(gear);
  const TrialCalculation trial(gear);
  const double big = r.bigStepSize.value;
  double x = r.x.value;
  double computed = TestDimensionAt(gear, x);
  // A gear measured exactly at its nominal test dimension has the drawing's
  // profile shift; the scan's window would be empty and find nothing.
  if (computed == measured) {
    found_ = true;
    return x;
  }
  int direction = Direction(computed, measured);
  const double window = 200.0 * std::fabs(measured - computed);
  const ScanResult coarse = Scan(gear, -window, window, big, 500, x, measured, direction);
  if (!coarse.found) return lastTrial_;

  x = coarse.best;
  computed = TestDimensionAt(gear, x);
  direction = Direction(computed, measured);
  const double start = direction == 0 ? x + 0.1 * big : x - 0.1 * big;
  const ScanResult fine =
      Scan(gear, -50.0, 50.0, r.smallStepSize.value, 1000, start, measured, direction);
  if (!fine.found) return lastTrial_;
  found_ = true;
  return fine.best;
}

}  // namespace silvarone
