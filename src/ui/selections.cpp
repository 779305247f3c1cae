// The selections of the window: input mode, module, ball, tooth count,
// instrument and range, tolerance source and series, decimal places,
// language, and the access to the ball sequence editor.
#include <algorithm>

#include "core/balls.h"
#include "core/geometry.h"
#include "core/modes.h"
#include "core/span.h"
#include "ui/window_model.h"

namespace silvarone {

void WindowModel::SelectInputMode(CalculationModeKind mode) {
  const Action action(*this);
  if (mode < kModeStandard || mode > kModeGivenProfileShift) mode = kModeStandard;
  mutableGear().state.CalculationMode = mode;
  SelectionOf(ctl::InputMode).index = mode;
  const bool standard = mode == kModeStandard;
  FieldOf(ctl::Input_x).enabled = standard;
  SelectionOf(ctl::RadioGroup_Verzahnung).enabled = standard;
  for (const std::string_view name : {ctl::Input_A_sne, ctl::Input_T_sn, ctl::Input_A_sni})
    FieldOf(name).enabled = standard;
  const std::array<std::pair<int, std::array<std::string_view, 3>>, 3> groups = {{
      {kModeGivenSpan, {ctl::Input_Calc_Wk, ctl::Input_Calc_Wke, ctl::Input_Calc_Wki}},
      {kModeGivenBallDimension, {ctl::Input_Calc_Mdk, ctl::Input_Calc_Mdke, ctl::Input_Calc_Mdki}},
      {kModeGivenProfileShift, {ctl::Input_Calc_Xe, ctl::Input_Calc_Xee, ctl::Input_Calc_Xei}},
  }};
  for (const auto& [groupMode, names] : groups) {
    for (const std::string_view name : names)
      FieldOf(name).enabled = mode == groupMode;
  }
  FieldOf(ctl::Input_Calc_kM).enabled = true;
  FieldOf(ctl::Input_Calc_DM).enabled = true;

  ShowStatusBar();
  ReSignGivenValues(mutableGear());
  RefreshGivenFields();
  ModeCalculation(mutableGear(), mode);
  RefreshComparison();
  if (standard) RecomputeTolerances();
  // The series lists are open only for the standard input.
  const bool tables = workspace_.tolerance.source != kSourceManual;
  SelectionOf(ctl::DevRowComboBox).enabled = standard && tables;
  SelectionOf(ctl::TolRowComboBox).enabled = standard && tables;
  WriteSettings();
  backBox_.Apply(BoxAction::kShow);
}

void WindowModel::SelectModuleSeries(int item) {
  const Action action(*this);
  item = std::clamp(item, 0, 2);
  static constexpr int kActions[] = {kActionModuleSeries1, kActionModuleSeries2, kInputModule};
  protocol_.DiscardPendingEdit(kActions[item]);
  protocol_.ForgetPending();
  ModuleChoice& module = workspace_.module;
  module.item = item;
  SelectionOf(ctl::RadioGroup_Modul).index = item;
  // A series shows its remembered module, or its first entry.
  std::string shown = module.manualText;
  for (const int series : {kModuleSeries1Item, kModuleSeries2Item}) {
    const bool first = series == kModuleSeries1Item;
    Selection& list = SelectionOf(first ? ctl::ComboBox1 : ctl::ComboBox2);
    list.enabled = item == series;
    if (item != series) continue;
    std::string& remembered = first ? module.series1Text : module.series2Text;
    list.index = ModuleSeriesIndex(series, remembered);
    shown = list.Selected();
    remembered = shown;
  }
  Field& input = FieldOf(ctl::Input_m_n);
  input.enabled = item == kModuleManual;
  input.readOnly = !input.enabled;
  FieldOf(ctl::Edit12).text = shown;
  if (item == kModuleManual) {
    input.text = shown;
    input.saved = input.text;
    input.state = FieldState::kNormal;
  }
  TGear& m_n = mutableGear().rec.m_n;
  const double before = m_n.value;
  m_n.text = shown;
  ParseParameter(m_n, {.normalise = true});
  if (m_n.value != before) backBox_.Apply(BoxAction::kClearResults);
  RecomputeDrawingFields();
  WriteSettings();
  protocol_.SetRecalcPending(true);
  protocol_.SetInputsReady(true);
}

void WindowModel::SelectModuleFromSeries(ModuleChoiceItem series, int index) {
  const Action action(*this);
  const bool second = series == kModuleSeries2Item;
  protocol_.DiscardPendingEdit(second ? kActionModuleSeries2 : kActionModuleSeries1);
  protocol_.ForgetPending();
  Selection& list = SelectionOf(second ? ctl::ComboBox2 : ctl::ComboBox1);
  if (list.items.empty()) return;
  if (index < 0 || static_cast<std::size_t>(index) >= list.items.size()) index = 0;
  list.index = index;
  const std::string module = list.Selected();
  (second ? workspace_.module.series2Text : workspace_.module.series1Text) = module;
  mutableGear().rec.m_n.text = module;
  const double before = mutableGear().rec.m_n.value;
  ValidateInputs(mutableGear());
  if (mutableGear().rec.m_n.value != before) backBox_.Apply(BoxAction::kClearResults);
  FieldOf(ctl::Edit12).text = module;
  RecomputeDrawingFields();
  WriteSettings();
  protocol_.SetRecalcPending(true);
}

void WindowModel::SelectBall(int item) {
  const Action action(*this);
  item = std::clamp(item, 0, 3);
  static constexpr int kActions[] = {kActionRecommendedBall, kActionDinBall, kActionDeviceBall,
                                     kInputBall};
  protocol_.DiscardPendingEdit(kActions[item]);
  SelectionOf(ctl::Messkugelauswahl).index = item;
  FieldOf(ctl::Used_D_M).readOnly = true;
  std::string recommended;
  if (item == kBallRecommended) {
    RecommendedBallDiameter(mutableGear(), mutableGear().rec.x, mutableGear().rec.D_M_recommended);
    recommended = mutableGear().rec.D_M_recommended.text;
    FieldOf(ctl::recommended_D_M).text = recommended;
    mutableGear().rec.D_M_manual.text = recommended;
  }
  const std::string before = FieldOf(ctl::Used_D_M).text;
  workspace_.ball.item = item;
  SelectionOf(ctl::ComboBox3).enabled = item == kBallDinSeries;
  SelectionOf(ctl::ComboBox4).enabled = item == kBallDeviceSequence;
  Field& typed = FieldOf(ctl::D_M_Edit);
  typed.readOnly = item != kBallManual;
  // The recommended ball, the list's ball, or the typed one (the remembered
  // one while the field is empty).
  std::string text = recommended;
  if (item == kBallDinSeries) text = SelectionOf(ctl::ComboBox3).Selected();
  if (item == kBallDeviceSequence) text = SelectionOf(ctl::ComboBox4).Selected();
  if (item == kBallManual) {
    text = typed.text.empty() ? mutableGear().rec.D_M_manual.text : typed.text;
    typed.saved = text;
  }
  inUse_.TakeBall(text);
  if (!text.empty()) ShowRecommendedTeethForBall();
  if (FieldOf(ctl::Used_D_M).text != before) backBox_.Apply(BoxAction::kClearResults);
  RunCheckDimension();
  WriteSettings();
}

void WindowModel::SelectBallFromList(BallList which, int index) {
  const Action action(*this);
  const bool device = which == BallList::kDevice;
  protocol_.DiscardPendingEdit(device ? kActionDeviceBall : kActionDinBall);
  Selection& list = SelectionOf(device ? ctl::ComboBox4 : ctl::ComboBox3);
  if (index < 0 || static_cast<std::size_t>(index) >= list.items.size()) return;
  const std::string& text = list.items[static_cast<std::size_t>(index)];
  if (CheckNumberText(text) != 0) return;  // a list entry that is no number is ignored
  list.index = index;
  (device ? workspace_.ball.deviceText : workspace_.ball.dinText) = text;
  const std::string before = FieldOf(ctl::Used_D_M).text;
  inUse_.TakeBall(text);
  ShowRecommendedTeethForBall();
  if (FieldOf(ctl::Used_D_M).text != before) backBox_.Apply(BoxAction::kClearResults);
  RunCheckDimension();
  WriteSettings();
}

void WindowModel::SelectToothCount(int item) {
  const Action action(*this);
  item = item == 1 ? 1 : 0;
  SelectionOf(ctl::Messzahnauswahl).index = item;
  workspace_.toothCountMode = item;
  inUse_.ArmFirstChange(OwnField::kTeeth);
  Field& typed = FieldOf(ctl::k_M_Edit);
  typed.state = FieldState::kNormal;
  FieldOf(ctl::Used_k_M).readOnly = true;
  const double before = mutableGear().rec.k_M.value;
  if (item == 0) {
    protocol_.DiscardPendingEdit(kActionRecommendedTeeth);
    typed.readOnly = true;
    const bool known = !mutableGear().rec.D_M.text.empty() && DrawingDataValid();
    if (known)
      RecommendedMeasuringTeeth(mutableGear(), BallFormOf(mutableGear()),
                                mutableGear().rec.D_M.value);
    const std::string recommended = known ? mutableGear().rec.k_M_recommended.text : "";
    FieldOf(ctl::recommended_k_M).text = recommended;
    if (known) {
      if (inUse_.source() == ToothCountSource::kNotChosen) {
        mutableGear().rec.k_M_manual.text = recommended;
        typed.text = recommended;
        typed.saved = typed.text;
      }
      inUse_.TakeToothCount(recommended);
    }
    inUse_.SetSource(ToothCountSource::kRecommended);
  } else {
    protocol_.DiscardPendingEdit(kInputToothCount);
    typed.readOnly = false;
    typed.text = mutableGear().rec.k_M_manual.text;
    typed.saved = typed.text;
    inUse_.TakeToothCount(mutableGear().rec.k_M_manual.text);
    inUse_.SetSource(ToothCountSource::kEntered);
  }
  protocol_.ForgetPending();
  if (mutableGear().rec.k_M.value != before) backBox_.Apply(BoxAction::kClearResults);
  RunCheckDimension();
  WriteSettings();
}

void WindowModel::SelectInstrument(int item) {
  const Action action(*this);
  // The range list keeps its index (0 or 1) for the new instrument.
  const int kept = SelectionOf(ctl::Messbereichs_Box).index == 1 ? 1 : 0;
  SelectionOf(ctl::DeviceSelection).index = ChooseInstrument(workspace_.instrument, item);
  SelectionOf(ctl::Messbereichs_Box).items = RangeTexts(workspace_.instrument);
  SelectMeasuringRange(kept);
}

void WindowModel::ShowInstrumentSettings() {
  ApplyInstrumentSettings(mutableGear(), workspace_.instrument);
  SelectionOf(ctl::DeviceSelection).index = InstrumentRadioItem(workspace_.instrument.name);
  Selection& ranges = SelectionOf(ctl::Messbereichs_Box);
  ranges.items = RangeTexts(workspace_.instrument);
  ranges.index = workspace_.instrument.rangeIndex;
}

void WindowModel::SelectMeasuringRange(int index) {
  const Action action(*this);
  silvarone::SelectMeasuringRange(mutableGear(), workspace_.instrument, index);
  SelectionOf(ctl::Messbereichs_Box).index = workspace_.instrument.rangeIndex;
  WriteSettings();
  ShowRangeDisplay();
  RunCheckDimension();
}

void WindowModel::SelectToleranceSource(int item) {
  const Action action(*this);
  item = std::clamp(item, 0, 2);
  protocol_.DiscardPendingEdit(item == kSourceCustomer ? kActionProductionSource
                                                       : kActionDinSource);
  protocol_.ForgetPending();
  workspace_.tolerance.source = item;
  workspace_.manualToleranceMode = item == kSourceManual ? 1 : 0;
  ChangeToleranceSource(mutableGear(), workspace_.tolerance, item);
  ShowToleranceFields();
  WriteSettings();
}

void WindowModel::SelectDeviationSeries(int index) {
  const Action action(*this);
  if (const auto name = SeriesAt(ctl::DevRowComboBox, index)) {
    ChangeDeviationSeries(mutableGear(), workspace_.tolerance, *name);
  }
  ShowToleranceFields();
  WriteSettings();
}

void WindowModel::SelectToleranceSeries(int index) {
  const Action action(*this);
  if (const auto name = SeriesAt(ctl::TolRowComboBox, index)) {
    ChangeToleranceSeries(mutableGear(), workspace_.tolerance, *name);
  }
  ShowToleranceFields();
  WriteSettings();
}

std::optional<std::string> WindowModel::SeriesAt(std::string_view list, int index) {
  const Selection& series = SelectionOf(list);
  if (workspace_.tolerance.source == kSourceManual || series.items.empty()) return std::nullopt;
  // No selection takes the first series.
  if (index < 0 || static_cast<std::size_t>(index) >= series.items.size()) index = 0;
  return series.items[static_cast<std::size_t>(index)];
}

void WindowModel::SetDecimalPlaces(int which, int value) {
  const Action action(*this);
  which = std::clamp(which, 1, 3);
  value = std::clamp(value, 0, 6);
  CalculationState& state = mutableGear().state;
  (which == 1   ? state.Nachkommastellenzahl_1
   : which == 2 ? state.Nachkommastellenzahl_2
                : state.Nachkommastellenzahl_3) = value;
  ShowDecimalPlaces();
  protocol_.SetRecalcPending(true);
  WriteSettings();
}

void WindowModel::SwitchLanguage(Language language) {
  const Action action(*this);
  if (language != kGerman && language != kEnglish) return;
  mutableGear().state.language = language;
  WriteSettings();
  ApplyCaptions();
}

void WindowModel::ApplyCaptions() {
  const Action action(*this);
  captions_.Apply(language(), mutableGear().state.ExternalGear == 1, programDirectory_, fields_);
  // What the captions frame is computed anew in the order the window shows it.
  ModeCalculation(mutableGear(), mutableGear().state.CalculationMode);
  RefreshComparison();
  SelectModuleSeries(workspace_.module.item);
  ShowRangeDisplay();
  ShowStatusBar();
}

void WindowModel::PasswordEdited(const std::string& text) {
  const Action action(*this);
  FieldOf(ctl::Input_Password).text = text;
  editBallsEnabled_ = AccessCodeAccepted(text);
}

}  // namespace silvarone
