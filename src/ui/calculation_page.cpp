// Page changes, the calculation page, the check dimension Q and the
// back-calculation.
#include "core/balls.h"
#include "core/check_dimension.h"
#include "core/geometry.h"
#include "core/modes.h"
#include "core/span.h"
#include "platform/locations.h"
#include "ui/texts.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

// The validation code of the field that keeps the calculation page closed;
// 0 when it opens. Deviations the tables cannot give block it like a bad A_sne.
constexpr int kDeviationField = 13;

}  // namespace

void WindowModel::ChangePage(Page page) {
  const Action action(*this);
  protocol_.DiscardPendingEdit(kActionPageChange);
  protocol_.ForgetPending();
  if (page < Page::kDrawing1 || page > Page::kProject) return;
  if (page == Page::kDrawing2 || page == Page::kCalculation) RecomputeTolerances();
  if (page == Page::kCalculation) {
    int code = ValidateInputs(mutableGear());
    if (code == 0 && mutableGear().state.CalculationMode == kModeStandard &&
        !workspace_.tolerance.Valid()) {
      code = kDeviationField;
    }
    if (code != 0) {
      dialogs_.ShowNumberedMessage(kMessageDataMissing, std::to_string(code),
                                   ConversionText(code, language()));
      page_ = Page::kDrawing1;
      return;
    }
    EnterCalculationPage();
    return;
  }
  page_ = page;
  if (page == Page::kDrawing1 && protocol_.recalcPending()) {
    RecomputeDrawingFields();
    protocol_.SetRecalcPending(false);
    protocol_.SetInputsReady(true);
  }
}

void WindowModel::EnterCalculationPage() {
  page_ = Page::kCalculation;
  // The geometry of the drawing's profile shift, once; the mode's
  // conversions below leave it as it is.
  RecomputeDrawingFields();
  RecommendedBallDiameter(mutableGear(), mutableGear().rec.x, mutableGear().rec.D_M_recommended);
  FieldOf(ctl::recommended_D_M).text = mutableGear().rec.D_M_recommended.text;
  ChooseBallAndTeethForThePage();
  ComputeBallLimits();
  ModeCalculation(mutableGear(), mutableGear().state.CalculationMode);
  FormatCount(mutableGear(), mutableGear().rec.k_M);
  FieldOf(ctl::Used_k_M).text = mutableGear().rec.k_M.text;
  RefreshComparison();
  ShowOkPicture();
  RunCheckDimension();
  RefreshGivenFields();
  protocol_.SetRecalcPending(false);
  protocol_.SetInputsReady(true);
}

void WindowModel::ChooseBallAndTeethForThePage() {
  Field& typed = FieldOf(ctl::D_M_Edit);
  if (typed.text.empty()) {
    typed.text = mutableGear().rec.D_M_manual.text;
    typed.saved = typed.text;
  }
  if (workspace_.ball.item == kBallRecommended) {
    inUse_.RememberBall(mutableGear().rec.D_M_recommended.text);
    mutableGear().rec.D_M_manual.text = inUse_.ball();
  }
  FieldOf(ctl::Used_D_M).text = inUse_.ball();
  if (inUse_.ball().empty()) return;
  inUse_.TakeBall(inUse_.ball());
  RecommendedMeasuringTeeth(mutableGear(), BallFormOf(mutableGear()), mutableGear().rec.D_M.value);
  const std::string& recommended = mutableGear().rec.k_M_recommended.text;
  FieldOf(ctl::recommended_k_M).text = recommended;
  std::string teeth = inUse_.toothCount();
  const ToothCountSource source = inUse_.source();
  if (source == ToothCountSource::kRecommended ||
      (source == ToothCountSource::kNotChosen && SelectionOf(ctl::Messzahnauswahl).index == 0)) {
    teeth = recommended;
  } else if (source == ToothCountSource::kEntered) {
    teeth = FieldOf(ctl::k_M_Edit).text;
  }
  inUse_.TakeToothCount(teeth);
}

void WindowModel::RunCheckDimension() {
  const Action action(*this);
  if (!inUse_.HasBall()) {
    ClearCheckDimension();
    ComputeBallLimits();
    return;
  }
  // Three evaluations for the mode's profile shifts, then the full
  // calculation for the drawing's x (with Q for x).
  EvaluateCheckDimensions(mutableGear());
  ShowCheckDimension();
  if (mutableGear().state.HelicalGear == 0) {
    SpanMeasurement(mutableGear());
    DimensionOverBalls(mutableGear(), mutableGear().rec.D_M);
  }
  ShowRangeDisplay();
  ComputeBallLimits();
  ShowOkPicture();
}

void WindowModel::ShowCheckDimension() {
  const GearRecords& r = mutableGear().rec;
  FieldOf(ctl::recommended_k_M).text = r.k_M_recommended.text;
  FieldOf(ctl::Kontrollmass).text = "  " + r.Q.text;
  FieldOf(ctl::Q_plus_D_M).text = "  " + r.Q_plus_D_M.text;
  FieldOf(ctl::Edit2).text = "  " + r.Q_plus_D_M_upper.text;
  FieldOf(ctl::Edit3).text = "  " + r.Q_plus_D_M_lower.text;
}

void WindowModel::ClearCheckDimension() {
  GearRecords& r = mutableGear().rec;
  for (TGear* record : {&r.Q, &r.Q_plus_D_M, &r.Q_plus_D_M_upper, &r.Q_plus_D_M_lower}) {
    record->value = kCannotCompute;
    record->text.clear();
  }
  for (const std::string_view name : {ctl::Kontrollmass, ctl::Q_plus_D_M, ctl::Edit2, ctl::Edit3})
    FieldOf(name).text.clear();
  ShowRangeDisplay();
  ShowOkPicture();
}

void WindowModel::RunBackCalculation() {
  const Action action(*this);
  const BackCalculationOutcome outcome = backBox_.Run(onProgress);
  if (outcome == BackCalculationOutcome::kImplausible ||
      outcome == BackCalculationOutcome::kNotFound) {
    dialogs_.ShowMessage("", Text(TextId::kBackCalculationFailed, language()),
                         DialogKind::kConfirmation, {kButtonAbort});
  }
}

bool WindowModel::DrawingDataValid() const {
  const GearRecords& r = gear().rec;
  for (const TGear* record : {&r.m_n, &r.z, &r.alpha_n, &r.beta, &r.D_M}) {
    if (record->status != kStatusValid) return false;
  }
  return true;
}

void WindowModel::ShowRecommendedTeethForBall() {
  // A recommendation from data that did not convert would be a wrong number.
  if (mutableGear().rec.D_M.text.empty() || !DrawingDataValid()) return;
  RecommendedMeasuringTeeth(mutableGear(), BallFormOf(mutableGear()), mutableGear().rec.D_M.value);
  const std::string& recommended = mutableGear().rec.k_M_recommended.text;
  FieldOf(ctl::recommended_k_M).text = recommended;
  if (SelectionOf(ctl::Messzahnauswahl).index == 0) inUse_.TakeToothCount(recommended);
}

void WindowModel::ComputeBallLimits() {
  BallUpperLimit(mutableGear());
  BallLowerLimit(mutableGear());
  FieldOf(ctl::MinimumT).text = mutableGear().rec.D_M_min.text;
  FieldOf(ctl::MaximumT).text = mutableGear().rec.D_M_max.text;
}

void WindowModel::ShowOkPicture() {
  if (!inUse_.HasBall()) {
    okPicture_.clear();
    return;
  }
  okPicture_ = programDirectory_ + "pictures" + platform::PathSeparator() +
               (BallOutOfRange(mutableGear()) ? "Bild_NOK_60x60.jpg" : "Bild_OK_60x60.jpg");
}

void WindowModel::ShowRangeDisplay() {
  range_ = ComputeRangeDisplay(mutableGear(), workspace_.instrument);
  // Without a ball there is no measuring window and no test dimension in it.
  if (!inUse_.HasBall()) {
    RangeDisplay empty;
    empty.caption = range_.caption;
    range_ = empty;
  }
}

}  // namespace silvarone
