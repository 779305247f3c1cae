// Page changes, the calculation page, the check dimension Q and the
// back-calculation.
#include "core/balls.h"
#include "core/check_dimension.h"
#include "core/geometry.h"
#include "core/modes.h"
#include "core/span.h"
#include "platform/locations.h"
#include "ui/measurability_texts.h"
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
  range_ = CalculatePage(
      mutableGear(), workspace_.instrument,
      {.ball = [this](const std::string& recommended) { return ChooseBallForThePage(recommended); },
       .teeth =
           [this](const std::string& recommended) { return ChooseTeethForThePage(recommended); }});
  const GearRecords& r = gear().rec;
  RefreshDrawingFields();
  FieldOf(ctl::recommended_D_M).text = r.D_M_recommended.text;
  FieldOf(ctl::Used_k_M).text = r.k_M.text;
  RefreshComparison();
  ShowCheckDimensionResults();
  RefreshGivenFields();
  protocol_.SetRecalcPending(false);
  protocol_.SetInputsReady(true);
}

std::string WindowModel::ChooseBallForThePage(const std::string& recommended) {
  Field& typed = FieldOf(ctl::D_M_Edit);
  if (typed.text.empty()) {
    typed.text = gear().rec.D_M_manual.text;
    typed.saved = typed.text;
  }
  if (workspace_.ball.item == kBallRecommended) {
    inUse_.RememberBall(recommended);
    mutableGear().rec.D_M_manual.text = inUse_.ball();
  }
  FieldOf(ctl::Used_D_M).text = inUse_.ball();
  if (!inUse_.ball().empty()) inUse_.ShowBall(inUse_.ball());
  return inUse_.ball();
}

std::string WindowModel::ChooseTeethForThePage(const std::string& recommended) {
  FieldOf(ctl::recommended_k_M).text = recommended;
  std::string teeth = inUse_.toothCount();
  const ToothCountSource source = inUse_.source();
  if (source == ToothCountSource::kRecommended ||
      (source == ToothCountSource::kNotChosen && SelectionOf(ctl::Messzahnauswahl).index == 0)) {
    teeth = recommended;
  } else if (source == ToothCountSource::kEntered) {
    teeth = FieldOf(ctl::k_M_Edit).text;
  }
  inUse_.ShowToothCount(teeth);
  return teeth;
}

void WindowModel::RunCheckDimension() {
  const Action action(*this);
  range_ = CalculateCheckDimension(mutableGear(), workspace_.instrument);
  ShowCheckDimensionResults();
}

void WindowModel::ShowCheckDimensionResults() {
  if (inUse_.HasBall()) {
    ShowCheckDimension();
  } else {
    for (const std::string_view name :
         {ctl::Kontrollmass, ctl::Q_plus_D_M, ctl::Edit2, ctl::Edit3}) {
      FieldOf(name).text.clear();
    }
  }
  ShowBallLimits();
  ShowOkPicture();
  drawingInput_ = DrawingInputOf(gear());
  ++drawingRevision_;
  // The page's warnings and the drawing's red marks: one verdict.
  measurability_ = drawingInput_.checks;
  ShowMeasurability();
}

void WindowModel::ShowMeasurability() {
  const MeasurabilityWarnings warnings =
      WordWarnings(measurability_, language(), gear().state.Nachkommastellenzahl_1);
  // The comparison table has room for the brief forms; the tool tip has the numbers.
  struct Beside {
    std::string_view field;
    const char* symbol;
    const std::vector<Warning>& warnings;
  };
  for (const Beside& row : {Beside{ctl::Warnung_Wk, "Wk", warnings.span},
                            Beside{ctl::Warnung_MdK, "MdK", warnings.overBalls}}) {
    Field& field = FieldOf(row.field);
    field.text = BriefLine(row.symbol, row.warnings);
    field.toolTip = FullLines(row.warnings);
  }
  // Beside the instrument's ball there is room for the full sentences.
  FieldOf(ctl::Warnung_Q).text = FullLines(warnings.instrument);
}

void WindowModel::ShowCheckDimension() {
  const GearRecords& r = gear().rec;
  FieldOf(ctl::recommended_k_M).text = r.k_M_recommended.text;
  FieldOf(ctl::Kontrollmass).text = "  " + r.Q.text;
  FieldOf(ctl::Q_plus_D_M).text = "  " + r.Q_plus_D_M.text;
  FieldOf(ctl::Edit2).text = "  " + r.Q_plus_D_M_upper.text;
  FieldOf(ctl::Edit3).text = "  " + r.Q_plus_D_M_lower.text;
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

void WindowModel::ShowBallLimits() {
  FieldOf(ctl::MinimumT).text = gear().rec.D_M_min.text;
  FieldOf(ctl::MaximumT).text = gear().rec.D_M_max.text;
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
  range_ = MeasuringWindowOf(mutableGear(), workspace_.instrument);
}

}  // namespace silvarone
