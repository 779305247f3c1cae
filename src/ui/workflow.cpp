// The calculation workflow of the main window: input modes, page changes,
// the check dimension and the back-calculation, and every selection.
#include <algorithm>
#include <filesystem>

#include "core/balls.h"
#include "core/check_dimension.h"
#include "core/geometry.h"
#include "core/modes.h"
#include "core/span.h"
#include "core/text_file.h"
#include "platform/locations.h"
#include "ui/window_model.h"

namespace silvarone {

void WindowModel::SelectInputMode(CalculationModeKind mode) {
  const Action action(*this);
  if (mode < kModeStandard || mode > kModeGivenProfileShift) mode = kModeStandard;
  gear().state.CalculationMode = mode;
  S("InputMode").index = mode;
  const bool standard = mode == kModeStandard;
  F("Input_x").enabled = standard;
  S("RadioGroup_Verzahnung").enabled = standard;
  for (const char* name : {"Input_A_sne", "Input_T_sn", "Input_A_sni"})
    F(name).enabled = standard;
  const std::array<std::pair<int, std::array<const char*, 3>>, 3> groups = {{
      {kModeGivenSpan, {"Input_Calc_Wk", "Input_Calc_Wke", "Input_Calc_Wki"}},
      {kModeGivenBallDimension, {"Input_Calc_Mdk", "Input_Calc_Mdke", "Input_Calc_Mdki"}},
      {kModeGivenProfileShift, {"Input_Calc_Xe", "Input_Calc_Xee", "Input_Calc_Xei"}},
  }};
  for (const auto& [groupMode, names] : groups) {
    for (const char* name : names)
      F(name).enabled = mode == groupMode;
  }
  F("Input_Calc_kM").enabled = true;
  F("Input_Calc_DM").enabled = true;

  ShowStatusBar();
  ReSignGivenValues(gear());
  RefreshGivenFields();
  ModeCalculation(gear(), mode);
  RefreshComparison();
  if (standard) RecomputeTolerances();
  // The series lists are open only for the standard input.
  const bool tables = workspace_.tolerance.source != kSourceManual;
  S("DevRowComboBox").enabled = standard && tables;
  S("TolRowComboBox").enabled = standard && tables;
  WriteSettings();
  ShowBackCalculationBox(kBoxShow);
}

void WindowModel::ChangePage(Page page) {
  const Action action(*this);
  DiscardPendingEdit(kActionPageChange);
  pendingField_ = 0;
  if (page < kPageDrawing1 || page > kPageProject) return;
  if (page == kPageDrawing2 || page == kPageCalculation) RecomputeTolerances();
  if (page == kPageCalculation) {
    int code = ValidateInputs(gear());
    // Deviations the tables cannot give block the calculation like a bad A_sne.
    if (code == 0 && gear().state.CalculationMode == kModeStandard &&
        !workspace_.tolerance.Valid()) {
      code = 13;
    }
    if (code != 0) {
      dialogs_.ShowNumberedMessage(kMessageDataMissing, std::to_string(code),
                                   ConversionText(code, gear().state.language));
      page_ = kPageDrawing1;
      return;
    }
    page_ = page;
    BasicGeometry(gear(), gear().rec.x);
    RecommendedBallDiameter(gear(), gear().rec.x, gear().rec.D_M_recommended);
    F("recommended_D_M").text = gear().rec.D_M_recommended.text;
    if (F("D_M_Edit").text.empty()) {
      F("D_M_Edit").text = gear().rec.D_M_manual.text;
      F("D_M_Edit").saved = F("D_M_Edit").text;
    }
    // A recommended ball follows the drawing data it was recommended for.
    if (workspace_.ball.item == kBallRecommended) {
      ballInUse_ = gear().rec.D_M_recommended.text;
      gear().rec.D_M_manual.text = ballInUse_;
    }
    F("Used_D_M").text = ballInUse_;
    if (!ballInUse_.empty()) {
      TakeBallInUse(ballInUse_);
      RecommendedMeasuringTeeth(gear(), gear().state.HelicalGear, gear().rec.D_M.value);
      F("recommended_k_M").text = RecommendedTeethText();
      std::string teeth = toothCountInUse_;
      if (toothCountSource_ == 1 || (toothCountSource_ == 0 && S("Messzahnauswahl").index == 0)) {
        teeth = RecommendedTeethText();
      } else if (toothCountSource_ == 2) {
        teeth = F("k_M_Edit").text;
      }
      SetToothCountInUse(teeth);
    }
    ComputeBallLimits();
    ModeCalculation(gear(), gear().state.CalculationMode);
    FormatCount(gear(), gear().rec.k_M);
    F("Used_k_M").text = gear().rec.k_M.text;
    RefreshComparison();
    ShowOkPicture();
    RecomputeDrawingFields();
    RunCheckDimension();
    RefreshGivenFields();
    recalcPending_ = false;
    inputsReady_ = true;
    return;
  }
  page_ = page;
  if (page == kPageDrawing1 && recalcPending_) {
    RecomputeDrawingFields();
    recalcPending_ = false;
    inputsReady_ = true;
  }
}

void WindowModel::RunCheckDimension() {
  const Action action(*this);
  if (!BallInUse()) {
    ClearCheckDimension();
    ComputeBallLimits();
    return;
  }
  Gear& g = gear();
  // Three evaluations for the mode's profile shifts, then the full
  // calculation for the drawing's x (with Q for x).
  EvaluateCheckDimensions(g);
  const GearRecords& r = g.rec;
  F("recommended_k_M").text = RecommendedTeethText();
  F("Kontrollmass").text = "  " + r.Q.text;
  F("Q_plus_D_M").text = "  " + r.Q_plus_D_M.text;
  F("Edit2").text = "  " + r.Q_plus_D_M_upper.text;
  F("Edit3").text = "  " + r.Q_plus_D_M_lower.text;
  if (g.state.HelicalGear == 0) {
    SpanMeasurement(g);
    DimensionOverBalls(g, g.rec.D_M);
  }
  ShowRangeDisplay();
  ComputeBallLimits();
  ShowOkPicture();
}

void WindowModel::RunBackCalculation() {
  const Action action(*this);
  const std::string measured = F("Input_checkGauge").text;
  for (const char* name : {"Edit6", "Edit7", "Edit8"})
    F(name).text.clear();
  progressVisible_ = true;
  progress_ = 0;
  backCalculation_.progress = [this](int position) {
    progress_ = position;
    if (onProgress) onProgress();
  };
  const BackCalculationOutcome outcome = backCalculation_.Run(gear(), measured);
  progressVisible_ = false;
  F("Edit6").text = backCalculation_.xEText;
  F("Edit7").text = backCalculation_.WkText;
  F("Edit8").text = backCalculation_.MdkText;
  if (outcome == BackCalculationOutcome::kImplausible ||
      outcome == BackCalculationOutcome::kNotFound) {
    dialogs_.ShowMessage("", BackCalculationFailureText(gear().state.language),
                         DialogKind::kConfirmation, {kButtonAbort});
  }
}

void WindowModel::SelectModuleSeries(int item) {
  const Action action(*this);
  item = std::clamp(item, 0, 2);
  static constexpr int kActions[] = {kActionModuleSeries1, kActionModuleSeries2, kInputModule};
  DiscardPendingEdit(kActions[item]);
  pendingField_ = 0;
  ModuleChoice& module = workspace_.module;
  module.item = item;
  S("RadioGroup_Modul").index = item;
  // A series shows its remembered module, or its first entry.
  std::string shown = module.manualText;
  for (int series : {kModuleSeries1Item, kModuleSeries2Item}) {
    Selection& list = S(series == kModuleSeries1Item ? "ComboBox1" : "ComboBox2");
    list.enabled = item == series;
    if (item != series) continue;
    std::string& remembered =
        series == kModuleSeries1Item ? module.series1Text : module.series2Text;
    list.index = ModuleSeriesIndex(series, remembered);
    shown = list.items[static_cast<std::size_t>(list.index)];
    remembered = shown;
  }
  Field& input = F("Input_m_n");
  input.enabled = item == kModuleManual;
  input.readOnly = !input.enabled;
  F("Edit12").text = shown;
  if (item == kModuleManual) {
    input.text = shown;
    input.saved = input.text;
    input.state = FieldState::kNormal;
  }
  TGear& m_n = gear().rec.m_n;
  const double before = m_n.value;
  m_n.text = shown;
  ParseParameter(m_n, false, true);
  if (m_n.value != before) ClearBackCalculationResults();
  RecomputeDrawingFields();
  WriteSettings();
  recalcPending_ = true;
  inputsReady_ = true;
}

void WindowModel::SelectModuleFromSeries(int series, int index) {
  const Action action(*this);
  const bool second = series == 2;
  DiscardPendingEdit(second ? kActionModuleSeries2 : kActionModuleSeries1);
  pendingField_ = 0;
  Selection& list = S(second ? "ComboBox2" : "ComboBox1");
  if (list.items.empty()) return;
  if (index < 0 || static_cast<std::size_t>(index) >= list.items.size()) index = 0;
  list.index = index;
  const std::string& module = list.items[static_cast<std::size_t>(index)];
  (second ? workspace_.module.series2Text : workspace_.module.series1Text) = module;
  gear().rec.m_n.text = module;
  const double before = gear().rec.m_n.value;
  ValidateInputs(gear());
  if (gear().rec.m_n.value != before) ClearBackCalculationResults();
  F("Edit12").text = module;
  RecomputeDrawingFields();
  WriteSettings();
  recalcPending_ = true;
}

void WindowModel::SelectBall(int item) {
  const Action action(*this);
  item = std::clamp(item, 0, 3);
  static constexpr int kActions[] = {kActionRecommendedBall, kActionDinBall, kActionDeviceBall,
                                     kInputBall};
  DiscardPendingEdit(kActions[item]);
  BallChoice& ball = workspace_.ball;
  S("Messkugelauswahl").index = item;
  F("Used_D_M").readOnly = true;
  std::string recommended;
  if (item == kBallRecommended) {
    RecommendedBallDiameter(gear(), gear().rec.x, gear().rec.D_M_recommended);
    recommended = gear().rec.D_M_recommended.text;
    F("recommended_D_M").text = recommended;
    gear().rec.D_M_manual.text = recommended;
  }
  const std::string before = F("Used_D_M").text;
  ball.item = item;
  S("ComboBox3").enabled = item == kBallDinSeries;
  S("ComboBox4").enabled = item == kBallDeviceSequence;
  F("D_M_Edit").readOnly = item != kBallManual;
  // The recommended ball, the list's ball, or the typed one (the remembered
  // one while the field is empty).
  std::string text = recommended;
  if (item == kBallDinSeries) text = ListedBall("ComboBox3");
  if (item == kBallDeviceSequence) text = ListedBall("ComboBox4");
  if (item == kBallManual) {
    text = F("D_M_Edit").text.empty() ? gear().rec.D_M_manual.text : F("D_M_Edit").text;
    F("D_M_Edit").saved = text;
  }
  TakeBallInUse(text);
  if (!text.empty()) ShowRecommendedTeethForBall();
  if (F("Used_D_M").text != before) ClearBackCalculationResults();
  RunCheckDimension();
  WriteSettings();
}

std::string WindowModel::ListedBall(std::string_view list) {
  const Selection& balls = S(list);
  if (balls.index < 0 || static_cast<std::size_t>(balls.index) >= balls.items.size()) return "";
  return balls.items[static_cast<std::size_t>(balls.index)];
}

void WindowModel::SelectBallFromList(int list, int index) {
  const Action action(*this);
  const bool device = list == 4;
  DiscardPendingEdit(device ? kActionDeviceBall : kActionDinBall);
  Selection& selection = S(device ? "ComboBox4" : "ComboBox3");
  if (index < 0 || static_cast<std::size_t>(index) >= selection.items.size()) return;
  const std::string& text = selection.items[static_cast<std::size_t>(index)];
  if (CheckNumberText(text) != 0) return;  // a list entry that is no number is ignored
  selection.index = index;
  BallChoice& ball = workspace_.ball;
  (device ? ball.deviceText : ball.dinText) = text;
  const std::string before = F("Used_D_M").text;
  TakeBallInUse(text);
  ShowRecommendedTeethForBall();
  if (F("Used_D_M").text != before) ClearBackCalculationResults();
  RunCheckDimension();
  WriteSettings();
}

void WindowModel::SelectToothCount(int item) {
  const Action action(*this);
  item = item == 1 ? 1 : 0;
  S("Messzahnauswahl").index = item;
  workspace_.toothCountMode = item;
  teethFirstChange_ = true;
  Field& edit = F("k_M_Edit");
  edit.state = FieldState::kNormal;
  F("Used_k_M").readOnly = true;
  const double before = gear().rec.k_M.value;
  if (item == 0) {
    DiscardPendingEdit(kActionRecommendedTeeth);
    edit.readOnly = true;
    const bool known = !gear().rec.D_M.text.empty() && DrawingDataValid();
    if (known) RecommendedMeasuringTeeth(gear(), gear().state.HelicalGear, gear().rec.D_M.value);
    F("recommended_k_M").text = known ? RecommendedTeethText() : "";
    if (known) {
      if (toothCountSource_ == 0) {
        gear().rec.k_M_manual.text = RecommendedTeethText();
        edit.text = gear().rec.k_M_manual.text;
        edit.saved = edit.text;
      }
      SetToothCountInUse(RecommendedTeethText());
    }
    toothCountSource_ = 1;
  } else {
    DiscardPendingEdit(kInputToothCount);
    edit.readOnly = false;
    edit.text = gear().rec.k_M_manual.text;
    edit.saved = edit.text;
    SetToothCountInUse(gear().rec.k_M_manual.text);
    toothCountSource_ = 2;
  }
  pendingField_ = 0;
  if (gear().rec.k_M.value != before) ClearBackCalculationResults();
  RunCheckDimension();
  WriteSettings();
}

void WindowModel::SelectInstrument(int item) {
  const Action action(*this);
  // The range list keeps its index (0 or 1) for the new instrument.
  const int kept = S("Messbereichs_Box").index == 1 ? 1 : 0;
  S("DeviceSelection").index = ChooseInstrument(workspace_.instrument, item);
  S("Messbereichs_Box").items = RangeTexts(workspace_.instrument);
  SelectMeasuringRange(kept);
}

void WindowModel::ShowInstrumentSettings() {
  ApplyInstrumentSettings(gear(), workspace_.instrument);
  S("DeviceSelection").index = InstrumentRadioItem(workspace_.instrument.name);
  S("Messbereichs_Box").items = RangeTexts(workspace_.instrument);
  S("Messbereichs_Box").index = workspace_.instrument.rangeIndex;
}

void WindowModel::SelectMeasuringRange(int index) {
  const Action action(*this);
  silvarone::SelectMeasuringRange(gear(), workspace_.instrument, index);
  S("Messbereichs_Box").index = workspace_.instrument.rangeIndex;
  WriteSettings();
  ShowRangeDisplay();
  RunCheckDimension();
}

void WindowModel::SelectToleranceSource(int item) {
  const Action action(*this);
  item = std::clamp(item, 0, 2);
  DiscardPendingEdit(item == kSourceCustomer ? kActionProductionSource : kActionDinSource);
  pendingField_ = 0;
  workspace_.tolerance.source = item;
  workspace_.manualToleranceMode = item == kSourceManual ? 1 : 0;
  ChangeToleranceSource(gear(), workspace_.tolerance, item);
  ShowToleranceFields();
  WriteSettings();
}

void WindowModel::SelectDeviationSeries(int index) {
  const Action action(*this);
  if (const auto name = SeriesAt("DevRowComboBox", index)) {
    ChangeDeviationSeries(gear(), workspace_.tolerance, *name);
  }
  ShowToleranceFields();
  WriteSettings();
}

void WindowModel::SelectToleranceSeries(int index) {
  const Action action(*this);
  if (const auto name = SeriesAt("TolRowComboBox", index)) {
    ChangeToleranceSeries(gear(), workspace_.tolerance, *name);
  }
  ShowToleranceFields();
  WriteSettings();
}

std::optional<std::string> WindowModel::SeriesAt(std::string_view list, int index) {
  const Selection& series = S(list);
  if (workspace_.tolerance.source == kSourceManual || series.items.empty()) return std::nullopt;
  // No selection takes the first series.
  if (index < 0 || static_cast<std::size_t>(index) >= series.items.size()) index = 0;
  return series.items[static_cast<std::size_t>(index)];
}

void WindowModel::SetDecimalPlaces(int which, int value) {
  const Action action(*this);
  value = std::clamp(value, 0, 6);
  CalculationState& state = gear().state;
  int& places = which == 1   ? state.Nachkommastellenzahl_1
                : which == 2 ? state.Nachkommastellenzahl_2
                             : state.Nachkommastellenzahl_3;
  places = value;
  F("SpinNKZ" + std::to_string(std::clamp(which, 1, 3))).text = std::to_string(value);
  recalcPending_ = true;
  WriteSettings();
}

void WindowModel::SwitchLanguage(Language language) {
  const Action action(*this);
  if (language != kGerman && language != kEnglish) return;
  gear().state.language = language;
  WriteSettings();
  ApplyCaptions();
}

void WindowModel::PasswordEdited(const std::string& text) {
  const Action action(*this);
  F("Input_Password").text = text;
  editBallsEnabled_ = AccessCodeAccepted(text);
}

bool WindowModel::OpenBallEditor() {
  const Action action(*this);
  if (!editBallsEnabled_) {
    dialogs_.ShowNumberedMessage(kMessageWrongPassword, "", "");
    return false;
  }
  ballEditor_.Open(workspace_.ball.deviceBalls, gear().state.language);
  return true;
}

void WindowModel::BallEditorSaved(const std::vector<std::string>& deviceBalls) {
  const Action action(*this);
  if (deviceBalls.empty()) return;
  workspace_.ball.deviceBalls = deviceBalls;
  S("ComboBox4").items = deviceBalls;
  deviceBallLines_ = deviceBalls;
}

std::string WindowModel::HelpDocument(bool programManual) const {
  // Entries: 0 instrument German, 1 instrument English, 2 program German, 3 program English.
  const std::size_t entry =
      (programManual ? 2u : 0u) + (gear().state.language == kEnglish ? 1u : 0u);
  if (entry >= documents_.size()) return "";
  return programDirectory_ + "docs" + platform::PathSeparator() + documents_[entry];
}

void WindowModel::HelpDocumentFailed() {
  const Action action(*this);
  const bool english = gear().state.language == kEnglish;
  dialogs_.ShowMessage("Norlath Measurement",
                       english ? "At least one error occured" : "Es ist ein Fehler aufgetreten",
                       DialogKind::kCustom, {kButtonOk});
}

std::optional<std::vector<std::string>> WindowModel::ProgramHistory() {
  const Action action(*this);
  const bool english = gear().state.language == kEnglish;
  const std::string path =
      programDirectory_ + (english ? "Silvarone_history.txt" : "Silvarone_historie.txt");
  if (auto lines = ReadTextLines(path)) return lines;
  dialogs_.ShowMessage(english ? "Abort" : "Abbruch",
                       english ? "History information not available!" : "Historie nicht verfügbar!",
                       DialogKind::kError, {kButtonAbort});
  return std::nullopt;
}

void WindowModel::BallEditorClosed() {
  const Action action(*this);
  F("Input_Password").text.clear();
  editBallsEnabled_ = false;
}

}  // namespace silvarone
