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
enum class Then {
  kNothing,
  kClearResults,        // the back-calculation results
  kClearResultsResign,  // and, changed or not, the given values take the gear's sign
  kRecalculateMode,     // changed or not
  kClearInputAndResults,
};

// What the confirmation of a valid value recomputes and rewrites.
enum class FollowUp {
  kNone,
  kDrawing,    // rewrite the drawing-data fields
  kGeometry,   // recompute the basic geometry, then kDrawing
  kHelix,      // kGeometry, then the helical flag and the status bar
  kGearType,   // kGeometry, then the external-gear flag and the status bar
  kTolerance,  // show the tolerance fields
};

// How the edit protocol treats one input field.
struct WindowModel::InputRule {
  InputNumber number;
  TGear GearRecords::*record;
  FollowUp followUp;
  Then after;
  bool givenLimits;  // limits by gear type on every confirmation
  bool count;        // a tooth count: 2000 instead of 1000000 as the limit
};

namespace {

using R = GearRecords;
using U = FollowUp;
constexpr auto kInputRules = std::to_array<WindowModel::InputRule>({
    {kInputModule, &R::m_n, U::kGeometry, Then::kClearResults, false, false},
    {kInputPressureAngle, &R::alpha_n, U::kGeometry, Then::kClearResults, false, false},
    {kInputHelixAngle, &R::beta, U::kHelix, Then::kClearResults, false, false},
    {kInputTeeth, &R::z, U::kGearType, Then::kClearResultsResign, false, false},
    {kInputFaceWidth, &R::b_w, U::kDrawing, Then::kNothing, false, false},
    {kInputProfileShift, &R::x, U::kDrawing, Then::kClearResults, false, false},
    {kInputBall, &R::D_M_manual, U::kNone, Then::kClearResults, false, false},
    {kInputToothCount, &R::k_M_manual, U::kNone, Then::kClearResults, true, true},
    // The helical anvil model measures with the ball distance.
    {kInputBallDistance, &R::D_distance, U::kDrawing, Then::kClearResults, false, false},
    {kInputUpperDeviation, &R::A_sne_manual, U::kTolerance, Then::kNothing, false, false},
    {kInputTolerance, &R::T_sn_manual, U::kTolerance, Then::kNothing, false, false},
    {kInputMeasured, &R::Q_measured, U::kNone, Then::kClearResults, false, false},
    {kInputGivenWk, &R::Wk_given, U::kNone, Then::kRecalculateMode, true, false},
    {kInputGivenWke, &R::Wke_given, U::kNone, Then::kRecalculateMode, true, false},
    {kInputGivenWki, &R::Wki_given, U::kNone, Then::kRecalculateMode, true, false},
    {kInputGivenTeeth, &R::k_given, U::kNone, Then::kClearInputAndResults, true, true},
    {kInputGivenMdk, &R::Mdk_given, U::kNone, Then::kRecalculateMode, true, false},
    {kInputGivenMdke, &R::Mdke_given, U::kNone, Then::kRecalculateMode, true, false},
    {kInputGivenMdki, &R::Mdki_given, U::kNone, Then::kRecalculateMode, true, false},
    {kInputGivenBall, &R::DM_given, U::kNone, Then::kClearInputAndResults, false, false},
    {kInputGivenXe, &R::Xe_given, U::kNone, Then::kRecalculateMode, false, false},
    {kInputGivenXee, &R::Xee_given, U::kNone, Then::kRecalculateMode, false, false},
    {kInputGivenXei, &R::Xei_given, U::kNone, Then::kRecalculateMode, false, false},
});

constexpr const char* kGivenFields[] = {"Input_Calc_Wk",  "Input_Calc_Wke",  "Input_Calc_Wki",
                                        "Input_Calc_Mdk", "Input_Calc_Mdke", "Input_Calc_Mdki",
                                        "Input_Calc_Xe",  "Input_Calc_Xee",  "Input_Calc_Xei"};

bool UsableBallText(const std::string& text) {
  return !text.empty() && text != "." && text != "-" && text != "-." && text != ".-";
}

// The tolerance fields take input only while the deviations are typed by hand.
bool IsToleranceInput(int number) {
  return number == kInputUpperDeviation || number == kInputTolerance;
}

}  // namespace

WindowModel::WindowModel(DialogPresenter& presenter)
    : dialogs_(presenter, workspace_.gear.state.language), ballEditor_(dialogs_) {
  workspace_.gear.messages = &dialogs_;
  for (const Control& control : Controls()) {
    const std::string name(control.name);
    if (control.kind == ControlKind::kSelection) {
      selections_[name];
      continue;
    }
    Field& f = fields_[name];
    if (control.kind == ControlKind::kDisplay) {
      f.readOnly = true;
      f.state = FieldState::kResult;
    }
  }
  S("RadioGroup_Modul").items = {"DIN 780, Reihe 1", "DIN 780, Reihe 2  ", "manuell"};
  for (std::string_view module : kModuleSeries1) {
    S("ComboBox1").items.emplace_back(module);
  }
  for (std::string_view module : kModuleSeries2) {
    S("ComboBox2").items.emplace_back(module);
  }
  S("Messkugelauswahl").items = {
      "empfohlen (DIN ):", "DIN Messkugelfolge:", "Messgerätefolge:", "manuell:"};
  S("Messzahnauswahl").items = {"Empfohlen:", "Eingeben:"};
  for (const InstrumentInfo& info : kInstruments) {
    S("DeviceSelection").items.emplace_back(info.caption);
  }
  S("RadioGroup_Verzahnung").items = {"DIN 3967", "Produktionsabmasse", "manuell"};
  S("InputMode").items = {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4"};
}

WindowModel::Action::~Action() {
  if (--model_.actionDepth_ > 0) return;
  ++model_.revision_;
  if (model_.onChanged) model_.onChanged();
}

Field& WindowModel::F(std::string_view name) {
  if (const auto it = fields_.find(name); it != fields_.end()) return it->second;
  NoteUnknownName(name);
  scratchField_ = Field{};
  return scratchField_;
}

Selection& WindowModel::S(std::string_view name) {
  if (const auto it = selections_.find(name); it != selections_.end()) return it->second;
  NoteUnknownName(name);
  scratchSelection_ = Selection{};
  return scratchSelection_;
}

void WindowModel::NoteUnknownName(std::string_view name) const {
  unknownNames_.emplace_back(name);
}

const Field& WindowModel::field(std::string_view name) const {
  static const Field kNone;
  if (const auto it = fields_.find(name); it != fields_.end()) return it->second;
  NoteUnknownName(name);
  return kNone;
}

const Selection& WindowModel::selection(std::string_view name) const {
  static const Selection kNone;
  if (const auto it = selections_.find(name); it != selections_.end()) return it->second;
  NoteUnknownName(name);
  return kNone;
}

const WindowModel::InputRule* WindowModel::FindInput(std::string_view name) const {
  const Control* control = FindControl(name);
  if (control == nullptr || control->kind != ControlKind::kInput) return nullptr;
  return FindInput(control->input);
}

const WindowModel::InputRule* WindowModel::FindInput(int number) const {
  for (const InputRule& rule : kInputRules) {
    if (rule.number == number) return &rule;
  }
  return nullptr;
}

std::string_view WindowModel::NameOf(const InputRule& input) {
  return FindInputControl(input.number)->name;
}

// ---------------------------------------------------------------------------
// The input protocol

void WindowModel::DiscardPendingEdit(int number) {
  if (pendingField_ == 0 || pendingField_ == number) return;
  const int old = pendingField_;
  pendingField_ = number;
  if (const InputRule* input = FindInput(old)) {
    Field& f = F(NameOf(*input));
    f.text = f.saved;
    f.state = FieldState::kNormal;
  }
}

void WindowModel::Edited(std::string_view name, const std::string& text) {
  const Action action(*this);
  if (EditProjectPage(name, text)) return;
  if (name == "Input_Password") {
    PasswordEdited(text);
    return;
  }
  const InputRule* input = FindInput(name);
  if (input == nullptr) return;  // not a field of the input protocol
  // The deviations in effect are displays unless they are typed by hand.
  if (IsToleranceInput(input->number) && workspace_.tolerance.source != kSourceManual) return;
  Field& f = F(name);
  f.text = text;
  DiscardPendingEdit(input->number);
  if (pendingField_ == 0) pendingField_ = input->number;
  // The ball and tooth count fields keep the value in use as their saved text.
  const bool ball = input->number == kInputBall;
  const bool ownField = ball || input->number == kInputToothCount;
  if (ownField) {
    bool& firstChange = ball ? ballFirstChange_ : teethFirstChange_;
    if (firstChange) {
      firstChange = false;
      return;
    }
  }
  if (!inputsReady_) return;
  if (ownField) {
    f.saved = ball ? ballInUse_ : toothCountInUse_;
  } else {
    f.saved = (gear().rec.*(input->record)).text;
    recalcPending_ = true;
  }
  if (!project_.loading) f.state = FieldState::kPending;
}

void WindowModel::Escape() {
  const Action action(*this);
  DiscardPendingEdit(0);
}

void WindowModel::Leave(std::string_view) {
  const Action action(*this);
  DiscardPendingEdit(0);
}

void WindowModel::ClickInto(std::string_view name) {
  const Action action(*this);
  if (name == "D_M_Edit") {
    ballFirstChange_ = false;
    SelectBall(kBallManual);
  } else if (name == "k_M_Edit") {
    teethFirstChange_ = false;
    SelectToothCount(1);
  }
}

void WindowModel::FocusEntered(std::string_view name) {
  const Action action(*this);
  if (name == "D_M_Edit") ballFirstChange_ = false;
  if (name == "k_M_Edit") teethFirstChange_ = false;
}

void WindowModel::KeyPressed(std::string_view name) {
  const Action action(*this);
  if (name == "D_M_Edit" || name == "k_M_Edit") RunCheckDimension();
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

bool WindowModel::Confirm(std::string_view name) {
  const Action action(*this);
  const InputRule* input = FindInput(name);
  if (input == nullptr) return false;
  if (input->number == kInputBall) return ConfirmBallField();
  if (input->number == kInputToothCount) return ConfirmToothCountField();
  if (IsToleranceInput(input->number) && workspace_.tolerance.source != kSourceManual) {
    return false;  // read-only displays of the deviations in effect
  }
  const bool changed = ConfirmField(*input);
  AfterChange(*input, changed);
  return changed;
}

bool WindowModel::ConfirmField(const InputRule& input) {
  Field& f = F(NameOf(input));
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
  if (input.number == kInputModule) {
    F("Edit12").text = record.text;
    workspace_.module.manualText = record.text;
  } else if (IsToleranceInput(input.number)) {
    FormatParameter(record, 15, 0);
    f.text = record.text;
  }
  RunFollowUp(input.followUp);
  WriteSettings();
  inputsReady_ = true;
  if (input.number == kInputHelixAngle) DetermineHelicalGear(gear());
  pendingField_ = 0;
  f.saved = f.text;
  return record.value != old;
}

void WindowModel::RunFollowUp(FollowUp followUp) {
  switch (followUp) {
    case FollowUp::kGeometry:
    case FollowUp::kHelix:
    case FollowUp::kGearType:
      RecomputeDrawingFields();
      if (followUp == FollowUp::kHelix) {
        DetermineHelicalGear(gear());
        ShowStatusBar();
      } else if (followUp == FollowUp::kGearType) {
        DetermineExternalGear(gear());
        ShowStatusBar();
        ShowToothCountCaptions();
      }
      break;
    case FollowUp::kDrawing:
      RefreshDrawingFields();
      break;
    case FollowUp::kTolerance:
      ChangeToleranceSource(gear(), workspace_.tolerance, workspace_.tolerance.source);
      ShowToleranceFields();
      break;
    case FollowUp::kNone:
      break;
  }
}

void WindowModel::AfterChange(const InputRule& input, bool changed) {
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

void WindowModel::RecomputeDrawingFields() {
  BasicGeometry(gear(), gear().rec.x);
  Diameters(gear());
  RefreshDrawingFields();
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
  // The given tooth count and ball stand out like the given row.
  F("Edit104").highlighted = true;
  F("Edit204").highlighted = true;
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
  deviation.items = DeviationSeriesNames(t);
  deviation.index = SeriesNameIndex(deviation.items, t.activeDeviation);
  Selection& tolerance = S("TolRowComboBox");
  tolerance.items = ToleranceSeriesNames(t);
  tolerance.index = SeriesNameIndex(tolerance.items, t.activeTolerance);
  // The series lists are open for table deviations in the standard input.
  const bool listsOpen = !manual && gear().state.CalculationMode == kModeStandard;
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
  statusBar_[3] += kModes[std::clamp(static_cast<int>(gear().state.CalculationMode), 0, 3)];
}

// ---------------------------------------------------------------------------
// Back-calculation box

void WindowModel::ShowBackCalculationBox(int action) {
  // Whatever the box does, a result it showed belongs to the gear before.
  backCalculation_.Discard();
  for (const char* name : {"Edit6", "Edit7", "Edit8"})
    F(name).text.clear();
  // The box exists only for the standard input.
  const bool standard = gear().state.CalculationMode == kModeStandard;
  if (action == kBoxShow || action == kBoxHide) backBoxVisible_ = action == kBoxShow && standard;
  if (!standard || action == kBoxHide || action == kBoxClearResults) return;
  Field& input = F("Input_checkGauge");
  input.text.clear();
  input.saved.clear();
  gear().rec.Q_measured.text.clear();
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
  if (UsableBallText(text)) {
    ParseParameter(ball, false, false);
  } else {
    // No ball: nothing may go on being computed with the previous one.
    ball.value = kNotSet;
    ball.status = kStatusNotANumber;
  }
}

bool WindowModel::BallInUse() const {
  return gear().rec.D_M.status == kStatusValid;
}

void WindowModel::ClearCheckDimension() {
  GearRecords& r = gear().rec;
  for (TGear* record : {&r.Q, &r.Q_plus_D_M, &r.Q_plus_D_M_upper, &r.Q_plus_D_M_lower}) {
    record->value = kCannotCompute;
    record->text.clear();
  }
  for (const char* name : {"Kontrollmass", "Q_plus_D_M", "Edit2", "Edit3"})
    F(name).text.clear();
  ShowRangeDisplay();
  ShowOkPicture();
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
  if (!BallInUse()) {
    okPicture_.clear();
    return;
  }
  const char sep = platform::PathSeparator();
  okPicture_ = programDirectory_ + "pictures" + sep +
               (BallOutOfRange(gear()) ? "Bild_NOK_60x60.jpg" : "Bild_OK_60x60.jpg");
}

void WindowModel::ShowRangeDisplay() {
  range_ = ComputeRangeDisplay(gear(), workspace_.instrument);
  // Without a ball there is no measuring window and no test dimension in it.
  if (!BallInUse()) {
    RangeDisplay empty;
    empty.caption = range_.caption;
    range_ = empty;
  }
}

bool WindowModel::WriteSettings() {
  return projects_ && projects_->WriteSettingsAndProject();
}

}  // namespace silvarone
