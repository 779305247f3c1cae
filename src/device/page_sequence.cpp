#include "device/page_sequence.h"

#include "core/balls.h"
#include "core/check_dimension.h"
#include "core/geometry.h"
#include "core/modes.h"
#include "core/span.h"

namespace silvarone {
namespace {

bool UsableBallText(const std::string& text) {
  return !text.empty() && text != "." && text != "-" && text != "-." && text != ".-";
}

void BallLimits(Gear& gear) {
  BallUpperLimit(gear);
  BallLowerLimit(gear);
}

// Without a ball no check dimension of an earlier ball may stay.
void ClearCheckDimension(Gear& gear) {
  GearRecords& r = gear.rec;
  for (TGear* record : {&r.Q, &r.Q_plus_D_M, &r.Q_plus_D_M_upper, &r.Q_plus_D_M_lower}) {
    record->value = kCannotCompute;
    ClearText(*record);
  }
}

}  // namespace

RangeDisplay MeasuringWindowOf(Gear& gear, const InstrumentState& instrument, bool texts) {
  RangeDisplay range = ComputeRangeDisplay(gear, instrument, texts);
  if (HasBall(gear)) return range;
  RangeDisplay empty;
  empty.caption = range.caption;
  return empty;
}

void TakeBallText(Gear& gear, const std::string& text) {
  TGear& ball = gear.rec.D_M;
  SetText(ball, text);
  if (UsableBallText(text)) {
    ParseParameter(ball, {});
  } else {
    // No ball: nothing may go on being computed with the previous one.
    ball.value = kNotSet;
    ball.status = kStatusNotANumber;
  }
}

void TakeToothCountText(Gear& gear, const std::string& text) {
  TGear& teeth = gear.rec.k_M;
  SetText(teeth, text);
  ParseParameter(teeth, {});
}

RangeDisplay CalculatePage(Gear& gear, const InstrumentState& instrument,
                           const BallAndTeethChoice& choice) {
  GearRecords& r = gear.rec;
  // The geometry of the drawing's profile shift, once; the mode's
  // conversions below leave it as it is.
  BasicGeometry(gear, r.x);
  Diameters(gear);
  RecommendedBallDiameter(gear, r.x, r.D_M_recommended);
  const std::string ball = choice.ball(ShownText(r.D_M_recommended));
  if (!ball.empty()) {
    TakeBallText(gear, ball);
    RecommendedMeasuringTeeth(gear, BallFormOf(gear), r.D_M.value);
    TakeToothCountText(gear, choice.teeth(ShownText(r.k_M_recommended)));
  }
  BallLimits(gear);
  ModeCalculation(gear, gear.state.CalculationMode);
  FormatCount(gear, r.k_M);
  return CalculateCheckDimension(gear, instrument, choice.windowTexts);
}

RangeDisplay CalculateCheckDimension(Gear& gear, const InstrumentState& instrument,
                                     bool windowTexts) {
  if (!HasBall(gear)) {
    ClearCheckDimension(gear);
    RangeDisplay range = MeasuringWindowOf(gear, instrument, windowTexts);
    BallLimits(gear);
    return range;
  }
  // Three evaluations for the mode's profile shifts, then the full
  // calculation for the drawing's x (with Q for x).
  EvaluateCheckDimensions(gear);
  if (gear.state.HelicalGear == 0) {
    SpanMeasurement(gear);
    DimensionOverBalls(gear, gear.rec.D_M);
  }
  RangeDisplay range = MeasuringWindowOf(gear, instrument, windowTexts);
  BallLimits(gear);
  return range;
}

std::array<ComparisonRow, 3> ComparisonTable(const Gear& gear) {
  const GearRecords& r = gear.rec;
  const int mode = gear.state.CalculationMode;
  using Row = ComparisonRow;
  const Row wk = mode == kModeGivenSpan           ? Row{&r.Wk_given, &r.Wke_given, &r.Wki_given}
                 : mode == kModeGivenProfileShift ? Row{&r.Wk_xE, &r.Wke_xE, &r.Wki_xE}
                                                  : Row{&r.Wk_mode, &r.Wke_mode, &r.Wki_mode};
  const Row mdk = mode == kModeGivenBallDimension  ? Row{&r.Mdk_given, &r.Mdke_given, &r.Mdki_given}
                  : mode == kModeGivenProfileShift ? Row{&r.Mdk_xE, &r.Mdke_xE, &r.Mdki_xE}
                                                   : Row{&r.Mdk_mode, &r.Mdke_mode, &r.Mdki_mode};
  const Row xe = mode == kModeGivenProfileShift ? Row{&r.Xe_given, &r.Xee_given, &r.Xei_given}
                                                : Row{&r.xE, &r.xEe, &r.xEi};
  return {wk, mdk, xe};
}

}  // namespace silvarone
