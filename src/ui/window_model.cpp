#include "ui/window_model.h"

#include <algorithm>
#include <array>

#include "core/balls.h"
#include "core/check_dimension.h"
#include "core/geometry.h"
#include "core/modes.h"
#include "core/span.h"
#include "platform/locations.h"

namespace silvarone {

// What a confirmed value of a field sets off after its follow-up.
enum class Then {  // what follows a confirmed value
  kNothing,
  kClearResults,        // the back-calculation results
  kClearResultsResign,  // and, changed or not, the given values take the gear's sign
  kRecalculateMode,     // changed or not
  kClearInputAndResults,
};

struct WindowModel::InputField {
  int number;
  const char* name;
  TGear GearRecords::*record;
  char followUp;  // D, G, H, Z, T, or 0 for none
  Then after;
  bool givenLimits;  // limits by gear type on every confirmation
  bool count;        // a tooth count: 2000 instead of 1000000 as the limit
};

namespace {

using R = GearRecords;
constexpr auto kInputs = std::to_array<WindowModel::InputField>({
    {1, "Input_m_n", &R::m_n, 'G', Then::kClearResults, false, false},
    {2, "Input_alpha_n", &R::alpha_n, 'G', Then::kClearResults, false, false},
    {3, "Input_beta", &R::beta, 'H', Then::kClearResults, false, false},
    {4, "Input_z", &R::z, 'Z', Then::kClearResultsResign, false, false},
    {5, "Input_b_w", &R::b_w, 'D', Then::kNothing, false, false},
    {6, "Input_x", &R::x, 'D', Then::kClearResults, false, false},
    {7, "D_M_Edit", &R::D_M_manual, 0, Then::kClearResults, false, false},
    {8, "k_M_Edit", &R::k_M_manual, 0, Then::kClearResults, true, true},
    {9, "Input_Kugelabstand", &R::D_distance, 'D', Then::kNothing, false, false},
    {10, "Input_A_sne", &R::A_sne_manual, 'T', Then::kNothing, false, false},
    {11, "Input_T_sn", &R::T_sn_manual, 'T', Then::kNothing, false, false},
    {12, "Input_checkGauge", &R::Q_measured, 0, Then::kClearResults, false, false},
    {21, "Input_Calc_Wk", &R::Wk_given, 0, Then::kRecalculateMode, true, false},
    {22, "Input_Calc_Wke", &R::Wke_given, 0, Then::kRecalculateMode, true, false},
    {23, "Input_Calc_Wki", &R::Wki_given, 0, Then::kRecalculateMode, true, false},
    {24, "Input_Calc_kM", &R::k_given, 0, Then::kClearInputAndResults, true, true},
    {25, "Input_Calc_Mdk", &R::Mdk_given, 0, Then::kRecalculateMode, true, false},
    {26, "Input_Calc_Mdke", &R::Mdke_given, 0, Then::kRecalculateMode, true, false},
    {27, "Input_Calc_Mdki", &R::Mdki_given, 0, Then::kRecalculateMode, true, false},
    {28, "Input_Calc_DM", &R::DM_given, 0, Then::kClearInputAndResults, false, false},
    {29, "Input_Calc_Xe", &R::Xe_given, 0, Then::kRecalculateMode, false, false},
    {30, "Input_Calc_Xee", &R::Xee_given, 0, Then::kRecalculateMode, false, false},
    {31, "Input_Calc_Xei", &R::Xei_given, 0, Then::kRecalculateMode, false, false},
});

constexpr const char* kGivenFields[] = {"Input_Calc_Wk",  "Input_Calc_Wke",  "Input_Calc_Wki",
                                        "Input_Calc_Mdk", "Input_Calc_Mdke", "Input_Calc_Mdki",
                                        "Input_Calc_Xe",  "Input_Calc_Xee",  "Input_Calc_Xei"};

bool UsableBallText(const std::string& text) {
  return !text.empty() && text != "." && text != "-" && text != "-." && text != ".-";
}

}  // namespace

WindowModel::WindowModel(DialogPresenter& presenter)
    : dialogs_(presenter, workspace_.gear.state.language), ballEditor_(dialogs_) {
  workspace_.gear.messages = &dialogs_;
  for (const char* name : {"Input_m_n",
                           "Input_alpha_n",
                           "Input_beta",
                           "Input_z",
                           "Input_b_w",
                           "Input_x",
                           "D_M_Edit",
                           "k_M_Edit",
                           "Input_Kugelabstand",
                           "Input_A_sne",
                           "Input_T_sn",
                           "Input_A_sni",
                           "Input_checkGauge",
                           "Input_Calc_kM",
                           "Input_Calc_DM",
                           "Input_Password",
                           "Edit12",
                           "Edit5",
                           "Edit1",
                           "Edit15",
                           "Edit17",
                           "recommended_D_M",
                           "Used_D_M",
                           "recommended_k_M",
                           "Used_k_M",
                           "Kontrollmass",
                           "Q_plus_D_M",
                           "Edit2",
                           "Edit3",
                           "Edit6",
                           "Edit7",
                           "Edit8",
                           "Edit9",
                           "Edit10",
                           "Edit103",
                           "Edit104",
                           "Edit203",
                           "Edit204",
                           "MinimumT",
                           "MaximumT",
                           "SpinNKZ1",
                           "SpinNKZ2",
                           "SpinNKZ3"}) {
    fields_[name];
  }
  for (const char* name : kGivenFields)
    fields_[name];
  for (const char* name : {"Edit100", "Edit101", "Edit102", "Edit200", "Edit201", "Edit202",
                           "Edit300", "Edit301", "Edit302"}) {
    fields_[name];
  }
  for (const char* name :
       {"Edit12",          "Edit5",    "Edit1",           "Edit15",      "Edit17",
        "recommended_D_M", "Used_D_M", "recommended_k_M", "Used_k_M",    "Kontrollmass",
        "Q_plus_D_M",      "Edit2",    "Edit3",           "Edit6",       "Edit7",
        "Edit8",           "Edit9",    "Edit10",          "Input_A_sni", "Edit103",
        "Edit203"}) {
    Field& f = fields_[name];
    f.readOnly = true;
    f.state = FieldState::kResult;
  }
  selections_["RadioGroup_Modul"].items = {"DIN 780, Reihe 1", "DIN 780, Reihe 2  ", "manuell"};
  for (std::string_view module : kModuleSeries1) {
    selections_["ComboBox1"].items.emplace_back(module);
  }
  for (std::string_view module : kModuleSeries2) {
    selections_["ComboBox2"].items.emplace_back(module);
  }
  selections_["Messkugelauswahl"].items = {
      "empfohlen (DIN ):", "DIN Messkugelfolge:", "Messgerätefolge:", "manuell:"};
  selections_["ComboBox3"];
  selections_["ComboBox4"];
  selections_["Messzahnauswahl"].items = {"Empfohlen:", "Eingeben:"};
  for (const InstrumentInfo& info : kInstruments) {
    selections_["DeviceSelection"].items.emplace_back(info.caption);
  }
  selections_["Messbereichs_Box"];
  selections_["RadioGroup_Verzahnung"].items = {"DIN 3967", "Produktionsabmasse", "manuell"};
  selections_["DevRowComboBox"];
  selections_["TolRowComboBox"];
  selections_["InputMode"].items = {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4"};
}

Field& WindowModel::F(const std::string& name) {
  return fields_[name];
}
Selection& WindowModel::S(const std::string& name) {
  return selections_[name];
}

const Field& WindowModel::field(const std::string& name) const {
  static const Field kNone;
  const auto it = fields_.find(name);
  return it == fields_.end() ? kNone : it->second;
}

const Selection& WindowModel::selection(const std::string& name) const {
  static const Selection kNone;
  const auto it = selections_.find(name);
  return it == selections_.end() ? kNone : it->second;
}

const WindowModel::InputField* WindowModel::FindInput(const std::string& name) const {
  for (const InputField& input : kInputs) {
    if (name == input.name) return &input;
  }
  return nullptr;
}

const WindowModel::InputField* WindowModel::FindInput(int number) const {
  for (const InputField& input : kInputs) {
    if (input.number == number) return &input;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------
// The input protocol

void WindowModel::DiscardPendingEdit(int number) {
  if (pendingField_ == 0 || pendingField_ == number) return;
  const int old = pendingField_;
  pendingField_ = number;
  if (const InputField* input = FindInput(old)) {
    Field& f = F(input->name);
    f.text = f.saved;
    f.state = FieldState::kNormal;
  }
}

void WindowModel::Edited(const std::string& name, const std::string& text) {
  const InputField* input = FindInput(name);
  if (input == nullptr) return;  // not a field of the input protocol
  Field& f = F(name);
  f.text = text;
  DiscardPendingEdit(input->number);
  if (pendingField_ == 0) pendingField_ = input->number;
  const bool ownField = input->number == 7 || input->number == 8;
  if (ownField) {
    bool& firstChange = input->number == 7 ? ballFirstChange_ : teethFirstChange_;
    if (firstChange) {
      firstChange = false;
      return;
    }
  }
  if (!inputsReady_) return;
  if (ownField) {
    f.saved = input->number == 7 ? ballInUse_ : toothCountInUse_;
  } else {
    f.saved = (gear().rec.*(input->record)).text;
    recalcPending_ = true;
  }
  if (!project_.loading) f.state = FieldState::kPending;
}

void WindowModel::Escape() {
  DiscardPendingEdit(0);
}

void WindowModel::Leave(const std::string&) {
  DiscardPendingEdit(0);
}

void WindowModel::ClickInto(const std::string& name) {
  if (name == "D_M_Edit") {
    ballFirstChange_ = false;
    SelectBall(kBallManual);
  } else if (name == "k_M_Edit") {
    teethFirstChange_ = false;
    SelectToothCount(1);
  }
}

void WindowModel::SetGivenLimits(TGear& record, bool count) const {
  // Positive for an external, negative for an internal gear; zero for neither.
  const double bound = count ? 2000.0 : 1000000.0;
  if (gear().state.ExternalGear == 1) {
    record.minimum = 0.000001;
    record.maximum = bound;
  } else {
    record.minimum = -bound;
    record.maximum = -0.000001;
  }
}

bool WindowModel::Confirm(const std::string& name) {
  const InputField* input = FindInput(name);
  if (input == nullptr) return false;
  if (input->number == 7) return ConfirmBallField();
  if (input->number == 8) return ConfirmToothCountField();
  if ((input->number == 10 || input->number == 11) &&
      workspace_.tolerance.source != kSourceManual) {
    return false;  // read-only displays of the deviations in effect
  }
  const bool changed = ConfirmField(*input);
  AfterChange(*input, changed);
  return changed;
}

bool WindowModel::ConfirmField(const InputField& input) {
  Field& f = F(input.name);
  TGear& record = gear().rec.*(input.record);
  f.saved = record.text;
  if (CheckNumberText(f.text) != 0) {
    dialogs_.ShowNumberedMessage(kMessageWrongCharacter, "", "");
    DiscardPendingEdit(0);
    f.text = f.saved;
    f.state = FieldState::kNormal;
    return false;
  }
  record.text = f.text;
  f.state = FieldState::kNormal;
  const double old = record.value;
  if (input.givenLimits) SetGivenLimits(record, input.count);
  if (ParseParameter(record, true, true, &dialogs_) != kStatusValid) {
    record.text = f.saved;
    ParseParameter(record, false, true);
    DiscardPendingEdit(0);
    f.text = f.saved;
    return false;
  }
  inputsReady_ = false;
  f.text = record.text;
  if (input.number == 1) {
    F("Edit12").text = record.text;
    workspace_.module.manualText = record.text;
  } else if (input.number == 10 || input.number == 11) {
    FormatParameter(record, 15, 0);
    f.text = record.text;
  }
  RunFollowUp(input.followUp);
  WriteSettings();
  inputsReady_ = true;
  if (input.number == 3) DetermineHelicalGear(gear());
  pendingField_ = 0;
  f.saved = f.text;
  return record.value != old;
}

void WindowModel::RunFollowUp(char code) {
  switch (code) {
    case 'G':
    case 'H':
    case 'Z':
      BasicGeometry(gear(), gear().rec.x);
      RefreshDrawingFields();
      if (code == 'H') {
        DetermineHelicalGear(gear());
        ShowStatusBar();
      } else if (code == 'Z') {
        DetermineExternalGear(gear());
        ShowStatusBar();
      }
      break;
    case 'D':
      RefreshDrawingFields();
      break;
    case 'T':
      ChangeToleranceSource(gear(), workspace_.tolerance, workspace_.tolerance.source);
      ShowToleranceFields();
      break;
    default:
      break;
  }
}

void WindowModel::AfterChange(const InputField& input, bool changed) {
  switch (input.after) {
    case Then::kClearResults:
      if (changed) ClearBackCalculationResults();
      break;
    case Then::kClearResultsResign:
      if (changed) ClearBackCalculationResults();
      ReSignGivenValues(gear());
      RefreshGivenFields();
      break;
    case Then::kRecalculateMode:
      ModeCalculation(gear(), gear().state.CalculationMode);
      RefreshGivenFields();
      RefreshComparison();
      break;
    case Then::kClearInputAndResults:
      if (changed) ClearBackCalculationInput();
      break;
    case Then::kNothing:
      break;
  }
}

bool WindowModel::ConfirmBallField() {
  Field& f = F("D_M_Edit");
  const std::string before = F("Used_D_M").text;
  if (CheckNumberText(f.text) != 0) {
    dialogs_.ShowNumberedMessage(kMessageWrongCharacter, "", "");
    f.text = f.saved;
  } else {
    TGear& manual = gear().rec.D_M_manual;
    const std::string previous = manual.text;
    manual.text = f.text;
    manual.minimum = 0;
    manual.maximum = 1000;
    if (ParseParameter(manual, true, false, &dialogs_) != kStatusValid) {
      manual.text = previous;
      ParseParameter(manual, false, false);
      f.text = f.saved;
    } else {
      TGear& ball = gear().rec.D_M;
      ball.value = manual.value;
      FormatParameter(ball, 15, gear().state.Nachkommastellenzahl_1);
      ballInUse_ = ball.text;
      if (!ball.text.empty()) ShowRecommendedTeethForBall();
      manual.text = f.text;
      WriteSettings();
    }
  }
  f.state = FieldState::kNormal;
  F("Used_D_M").text = f.text;
  const bool changed = F("Used_D_M").text != before;
  if (changed) ClearBackCalculationResults();
  pendingField_ = 0;
  RunCheckDimension();
  return changed;
}

bool WindowModel::ConfirmToothCountField() {
  Field& f = F("k_M_Edit");
  if (CheckNumberText(f.text) != 0) {
    dialogs_.ShowNumberedMessage(kMessageWrongCharacter, "", "");
    f.text = f.saved;
  } else {
    TGear& manual = gear().rec.k_M_manual;
    const std::string previous = manual.text;
    manual.text = f.text;
    SetGivenLimits(manual, true);
    if (ParseParameter(manual, true, false, &dialogs_) != kStatusValid) {
      manual.text = previous;
      ParseParameter(manual, false, false);
      f.text = f.saved;
    } else {
      FormatParameter(manual, 15, gear().state.Nachkommastellenzahl_3);
      f.text = manual.text;
      WriteSettings();
    }
  }
  f.state = FieldState::kNormal;
  const bool changed = [&] {
    const double before = gear().rec.k_M.value;
    SetToothCountInUse(f.text);
    return gear().rec.k_M.value != before;
  }();
  if (changed) ClearBackCalculationResults();
  pendingField_ = 0;
  RunCheckDimension();
  return changed;
}

// ---------------------------------------------------------------------------
// Fields rewritten from the records

void WindowModel::ShowTexts(const std::vector<std::pair<const char*, const TGear*>>& pairs) {
  for (const auto& [name, record] : pairs)
    F(name).text = record->text;
}

void WindowModel::RefreshDrawingFields() {
  const GearRecords& r = gear().rec;
  ShowTexts({{"Input_alpha_n", &r.alpha_n},
             {"Input_beta", &r.beta},
             {"Input_z", &r.z},
             {"Input_b_w", &r.b_w},
             {"Input_x", &r.x},
             {"Input_Kugelabstand", &r.D_distance},
             {"Edit5", &r.d},
             {"Edit1", &r.d_b},
             {"Edit15", &r.d_Na},
             {"Edit17", &r.d_Nf}});
  for (const char* name : {"Input_m_n", "Input_alpha_n", "Input_beta", "Input_z", "Input_b_w",
                           "Input_x", "Input_Kugelabstand"}) {
    Field& f = F(name);
    if (f.state == FieldState::kPending) f.state = FieldState::kNormal;
    if (std::string(name) != "Input_m_n") f.saved = f.text;
  }
}

void WindowModel::RefreshGivenFields() {
  const GearRecords& r = gear().rec;
  ShowTexts({{"Input_Calc_Wk", &r.Wk_given},
             {"Input_Calc_Wke", &r.Wke_given},
             {"Input_Calc_Wki", &r.Wki_given},
             {"Input_Calc_kM", &r.k_given},
             {"Input_Calc_Mdk", &r.Mdk_given},
             {"Input_Calc_Mdke", &r.Mdke_given},
             {"Input_Calc_Mdki", &r.Mdki_given},
             {"Input_Calc_DM", &r.DM_given},
             {"Input_Calc_Xe", &r.Xe_given},
             {"Input_Calc_Xee", &r.Xee_given},
             {"Input_Calc_Xei", &r.Xei_given},
             {"Edit10", &r.k_given},
             {"Edit9", &r.DM_given}});
  for (const char* name : kGivenFields) {
    F(name).state = FieldState::kNormal;
    F(name).saved = F(name).text;
  }
  F("Input_Calc_kM").saved = F("Input_Calc_kM").text;
  F("Input_Calc_DM").saved = F("Input_Calc_DM").text;
}

void WindowModel::RefreshComparison() {
  const GearRecords& r = gear().rec;
  F("Edit2").text = "  " + r.Q_plus_D_M_upper.text;
  F("Edit3").text = "  " + r.Q_plus_D_M_lower.text;
  F("Q_plus_D_M").text = "  " + r.Q_plus_D_M.text;
  ShowRangeDisplay();
  const int mode = gear().state.CalculationMode;
  using Row = std::array<const TGear*, 3>;
  const Row wk = mode == kModeGivenSpan           ? Row{&r.Wk_given, &r.Wke_given, &r.Wki_given}
                 : mode == kModeGivenProfileShift ? Row{&r.Wk_xE, &r.Wke_xE, &r.Wki_xE}
                                                  : Row{&r.Wk_mode, &r.Wke_mode, &r.Wki_mode};
  const Row mdk = mode == kModeGivenBallDimension  ? Row{&r.Mdk_given, &r.Mdke_given, &r.Mdki_given}
                  : mode == kModeGivenProfileShift ? Row{&r.Mdk_xE, &r.Mdke_xE, &r.Mdki_xE}
                                                   : Row{&r.Mdk_mode, &r.Mdke_mode, &r.Mdki_mode};
  const Row xe = mode == kModeGivenProfileShift ? Row{&r.Xe_given, &r.Xee_given, &r.Xei_given}
                                                : Row{&r.xE, &r.xEe, &r.xEi};
  const std::array<std::pair<const char*, Row>, 3> rows = {
      {{"Edit10", wk}, {"Edit20", mdk}, {"Edit30", xe}}};
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (std::size_t column = 0; column < 3; ++column) {
      Field& f = F(std::string(rows[row].first) + std::to_string(column));
      f.text = rows[row].second[column]->text;
      f.highlighted = mode != kModeStandard && static_cast<int>(row) + 1 == mode;
      f.readOnly = true;
      f.state = FieldState::kResult;
    }
  }
  F("Edit103").text = r.k_span.text;
  F("Edit104").text = F("Input_Calc_kM").text;
  F("Edit203").text = r.D_M_recommended.text;
  F("Edit204").text = F("Input_Calc_DM").text;
}

void WindowModel::ShowToleranceFields() {
  const ToleranceState& t = workspace_.tolerance;
  const GearRecords& r = gear().rec;
  const bool manual = t.source == kSourceManual;
  F("Input_A_sne").text = manual ? r.A_sne_manual.text : r.A_sne.text;
  F("Input_T_sn").text = manual ? r.T_sn_manual.text : r.T_sn.text;
  F("Input_A_sni").text = r.A_sni.text;
  for (const char* name : {"Input_A_sne", "Input_T_sn"}) {
    Field& f = F(name);
    f.readOnly = !manual;
    f.state = manual ? FieldState::kNormal : FieldState::kResult;
    f.saved = f.text;
  }
  Selection& deviation = S("DevRowComboBox");
  deviation.items = t.deviationItems;
  deviation.index = t.deviationIndex;
  Selection& tolerance = S("TolRowComboBox");
  tolerance.items = t.toleranceItems;
  tolerance.index = t.toleranceIndex;
  const bool listsOpen = t.seriesEnabled && gear().state.CalculationMode == kModeStandard;
  deviation.enabled = listsOpen;
  tolerance.enabled = listsOpen;
  S("RadioGroup_Verzahnung").index = t.source;
}

void WindowModel::RecomputeTolerances() {
  if (gear().state.CalculationMode != kModeStandard) return;
  ChangeToleranceSource(gear(), workspace_.tolerance, workspace_.tolerance.source);
  ShowToleranceFields();
}

void WindowModel::ShowStatusBar() {
  const bool english = gear().state.language == kEnglish;
  const std::string name = project_.noProjectOpen ? "" : project_.fileName;
  if (english) {
    statusBar_[0] = "  Project: " + (project_.noProjectOpen ? std::string("unknown") : name);
    statusBar_[1] =
        std::string("   gearing: ") + (gear().state.HelicalGear ? "helical" : "straight");
    statusBar_[2] = std::string("   gear type: ") +
                    (gear().state.ExternalGear ? "External teeth" : "Internal teeth");
    statusBar_[3] = "  Calculation mode:  ";
  } else {
    statusBar_[0] = "  Projekt: " + (project_.noProjectOpen ? std::string("unbekannt") : name);
    statusBar_[1] =
        std::string("   Verzahnung: ") + (gear().state.HelicalGear ? "schräg" : "gerade");
    statusBar_[2] = std::string("  Verzahnungstyp: ") +
                    (gear().state.ExternalGear ? "Außenverzahnung" : "Innenverzahnung");
    statusBar_[3] = "  Berechnungsmode:  ";
  }
  static constexpr const char* kModes[] = {"Standard", "Wk", "Mdk", "xE"};
  statusBar_[3] += kModes[std::clamp(gear().state.CalculationMode, 0, 3)];
}

// ---------------------------------------------------------------------------
// Back-calculation box

void WindowModel::ShowBackCalculationBox(int action) {
  backCalculation_.Discard();
  // The box exists only for the standard input.
  const bool standard = gear().state.CalculationMode == kModeStandard;
  if (action == kBoxShow || action == kBoxHide) backBoxVisible_ = action == kBoxShow && standard;
  if (!standard || action == kBoxHide) return;
  if (action != kBoxClearResults) {
    Field& input = F("Input_checkGauge");
    input.text.clear();
    input.saved.clear();
    gear().rec.Q_measured.text.clear();
  }
  for (const char* name : {"Edit6", "Edit7", "Edit8"})
    F(name).text.clear();
}

void WindowModel::ClearBackCalculationResults() {
  ShowBackCalculationBox(kBoxClearResults);
}
void WindowModel::ClearBackCalculationInput() {
  ShowBackCalculationBox(kBoxClearInput);
}

// ---------------------------------------------------------------------------
// Ball and tooth count in use

void WindowModel::TakeBallInUse(const std::string& text) {
  ballInUse_ = text;
  F("Used_D_M").text = text;
  TGear& ball = gear().rec.D_M;
  ball.text = text;
  if (UsableBallText(text)) ParseParameter(ball, false, false);
}

std::string WindowModel::RecommendedTeethText() const {
  return gear().rec.k_M_recommended.text;
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
  if (gear().rec.D_M.text.empty() || !DrawingDataValid()) return;
  RecommendedMeasuringTeeth(gear(), gear().state.HelicalGear, gear().rec.D_M.value);
  F("recommended_k_M").text = RecommendedTeethText();
  if (S("Messzahnauswahl").index == 0) SetToothCountInUse(RecommendedTeethText());
}

void WindowModel::SetToothCountInUse(const std::string& text) {
  toothCountInUse_ = text;
  F("Used_k_M").text = text;
  TGear& teeth = gear().rec.k_M;
  teeth.text = text;
  ParseParameter(teeth, false, false);
}

void WindowModel::ComputeBallLimits() {
  BallUpperLimit(gear());
  BallLowerLimit(gear());
  F("MinimumT").text = gear().rec.D_M_min.text;
  F("MaximumT").text = gear().rec.D_M_max.text;
}

void WindowModel::ShowOkPicture() {
  const char sep = platform::PathSeparator();
  okPicture_ = programDirectory_ + "pictures" + sep +
               (BallOutOfRange(gear()) ? "Bild_NOK_60x60.jpg" : "Bild_OK_60x60.jpg");
}

void WindowModel::ShowRangeDisplay() {
  range_ = ComputeRangeDisplay(gear(), workspace_.instrument);
}

bool WindowModel::WriteSettings() {
  return projects_ && projects_->WriteSettingsAndProject();
}

}  // namespace silvarone
