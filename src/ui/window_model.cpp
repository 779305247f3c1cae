// The facade: construction, the actions of the input protocol, and what a
// confirmed value sets off.
#include "ui/window_model.h"

#include "core/geometry.h"
#include "core/modes.h"
#include "ui/captions.h"

namespace silvarone {

WindowModel::WindowModel(DialogPresenter& presenter)
    : dialogs_(presenter, workspace_.gear.state.language), ballEditor_(dialogs_) {
  workspace_.gear.messages = &dialogs_;
  // The lists the start fills in the language of the settings, until then German.
  for (const ListItemsRow& row : ListItemsTable()) {
    SelectionOf(row.object).items = ListItems(row.object, kGerman);
  }
  for (std::string_view module : kModuleSeries1) {
    SelectionOf(ctl::ComboBox1).items.emplace_back(module);
  }
  for (std::string_view module : kModuleSeries2) {
    SelectionOf(ctl::ComboBox2).items.emplace_back(module);
  }
}

WindowModel::Action::~Action() {
  if (--model_.actionDepth_ > 0) return;
  ++model_.revision_;
  if (model_.onChanged) model_.onChanged();
}

int WindowModel::decimalPlaces(int which) const {
  const CalculationState& state = gear().state;
  return which == 1   ? state.Nachkommastellenzahl_1
         : which == 2 ? state.Nachkommastellenzahl_2
                      : state.Nachkommastellenzahl_3;
}

bool WindowModel::WriteSettings() {
  return projects_ && projects_->WriteSettingsAndProject();
}

// ---------------------------------------------------------------------------
// The input protocol

void WindowModel::Edited(std::string_view name, const std::string& text) {
  const Action action(*this);
  if (projectPage_.Edit(name, text)) return;
  if (name == ctl::Input_Password) {
    PasswordEdited(text);
    return;
  }
  const InputRule* input = InputProtocol::RuleOf(name);
  if (input == nullptr) return;  // not a field of the input protocol
  // The deviations in effect are displays unless they are typed by hand.
  if (InputProtocol::IsDeviationInput(*input) && workspace_.tolerance.source != kSourceManual) {
    return;
  }
  protocol_.Edit(*input, text);
  // The ball and tooth count fields keep the value in use as their saved text.
  const bool ball = input->number == kInputBall;
  const bool ownField = ball || input->number == kInputToothCount;
  if (ownField && inUse_.ConsumeFirstChange(ball ? OwnField::kBall : OwnField::kTeeth)) return;
  if (!protocol_.inputsReady()) return;
  std::string saved;
  if (ownField) {
    saved = ball ? inUse_.ball() : inUse_.toothCount();
  } else {
    saved = (mutableGear().rec.*(input->record)).text;
    protocol_.SetRecalcPending(true);
  }
  protocol_.MarkPending(*input, std::move(saved), project_.loading);
}

void WindowModel::Escape() {
  const Action action(*this);
  protocol_.DiscardPendingEdit(kNoInput);
}

void WindowModel::Leave(std::string_view) {
  const Action action(*this);
  protocol_.DiscardPendingEdit(kNoInput);
}

void WindowModel::ClickInto(std::string_view name) {
  const Action action(*this);
  if (name == ctl::D_M_Edit) {
    inUse_.DisarmFirstChange(OwnField::kBall);
    SelectBall(kBallManual);
  } else if (name == ctl::k_M_Edit) {
    inUse_.DisarmFirstChange(OwnField::kTeeth);
    SelectToothCount(1);
  }
}

void WindowModel::FocusEntered(std::string_view name) {
  const Action action(*this);
  if (name == ctl::D_M_Edit) inUse_.DisarmFirstChange(OwnField::kBall);
  if (name == ctl::k_M_Edit) inUse_.DisarmFirstChange(OwnField::kTeeth);
}

void WindowModel::KeyPressed(std::string_view name) {
  const Action action(*this);
  if (name == ctl::D_M_Edit || name == ctl::k_M_Edit) RunCheckDimension();
}

bool WindowModel::Confirm(std::string_view name) {
  const Action action(*this);
  const InputRule* input = InputProtocol::RuleOf(name);
  if (input == nullptr) return false;
  if (input->number == kInputBall) return ConfirmBallField();
  if (input->number == kInputToothCount) return ConfirmToothCountField();
  if (InputProtocol::IsDeviationInput(*input) && workspace_.tolerance.source != kSourceManual) {
    return false;  // read-only displays of the deviations in effect
  }
  const bool changed = ConfirmField(*input);
  AfterChange(*input, changed);
  return changed;
}

bool WindowModel::ConfirmField(const InputRule& input) {
  const std::optional<double> old = protocol_.TakeConfirmedText(input, mutableGear(), dialogs_);
  if (!old) return false;
  Field& field = FieldOf(InputProtocol::NameOf(input));
  TGear& record = mutableGear().rec.*(input.record);
  protocol_.SetInputsReady(false);
  if (input.number == kInputModule) {
    FieldOf(ctl::Edit12).text = record.text;
    workspace_.module.manualText = record.text;
  } else if (InputProtocol::IsDeviationInput(input)) {
    FormatParameter(record, 15, 0);
    field.text = record.text;
  }
  RunFollowUp(input.followUp);
  WriteSettings();
  protocol_.SetInputsReady(true);
  if (input.number == kInputHelixAngle) DetermineHelicalGear(mutableGear());
  protocol_.ForgetPending();
  field.saved = field.text;
  return record.value != *old;
}

void WindowModel::RunFollowUp(FollowUp followUp) {
  switch (followUp) {
    case FollowUp::kGeometry:
    case FollowUp::kHelix:
    case FollowUp::kGearType:
      RecomputeDrawingFields();
      if (followUp == FollowUp::kHelix) {
        DetermineHelicalGear(mutableGear());
        ShowStatusBar();
      } else if (followUp == FollowUp::kGearType) {
        DetermineExternalGear(mutableGear());
        ShowStatusBar();
        captions_.ShowToothCountCaptions(language(), mutableGear().state.ExternalGear == 1);
      }
      break;
    case FollowUp::kDrawing:
      RefreshDrawingFields();
      break;
    case FollowUp::kTolerance:
      ChangeToleranceSource(mutableGear(), workspace_.tolerance, workspace_.tolerance.source);
      ShowToleranceFields();
      break;
    case FollowUp::kNone:
      break;
  }
}

void WindowModel::AfterChange(const InputRule& input, bool changed) {
  switch (input.after) {
    case Then::kClearResults:
      if (changed) backBox_.Apply(BoxAction::kClearResults);
      break;
    case Then::kClearResultsResign:
      if (changed) backBox_.Apply(BoxAction::kClearResults);
      ReSignGivenValues(mutableGear());
      RefreshGivenFields();
      break;
    case Then::kRecalculateMode:
      ModeCalculation(mutableGear(), mutableGear().state.CalculationMode);
      RefreshGivenFields();
      RefreshComparison();
      break;
    case Then::kClearInputAndResults:
      if (changed) backBox_.Apply(BoxAction::kClearInput);
      break;
    case Then::kNothing:
      break;
  }
}

bool WindowModel::ConfirmBallField() {
  Field& typed = FieldOf(ctl::D_M_Edit);
  const std::string before = FieldOf(ctl::Used_D_M).text;
  if (CheckNumberText(typed.text) != 0) {
    dialogs_.ShowNumberedMessage(kMessageWrongCharacter, "", "");
    typed.text = typed.saved;
  } else {
    TGear& manual = mutableGear().rec.D_M_manual;
    const std::string previous = manual.text;
    manual.text = typed.text;
    manual.minimum = 0;
    manual.maximum = 1000;
    if (ParseParameter(manual, {.messages = true}, &dialogs_) != kStatusValid) {
      manual.text = previous;
      ParseParameter(manual, {});
      typed.text = typed.saved;
    } else {
      TGear& ball = mutableGear().rec.D_M;
      ball.value = manual.value;
      FormatParameter(ball, 15, mutableGear().state.Nachkommastellenzahl_1);
      inUse_.RememberBall(ball.text);
      if (!ball.text.empty()) ShowRecommendedTeethForBall();
      manual.text = typed.text;
      WriteSettings();
    }
  }
  typed.state = FieldState::kNormal;
  FieldOf(ctl::Used_D_M).text = typed.text;
  const bool changed = FieldOf(ctl::Used_D_M).text != before;
  if (changed) backBox_.Apply(BoxAction::kClearResults);
  protocol_.ForgetPending();
  RunCheckDimension();
  return changed;
}

bool WindowModel::ConfirmToothCountField() {
  Field& typed = FieldOf(ctl::k_M_Edit);
  if (CheckNumberText(typed.text) != 0) {
    dialogs_.ShowNumberedMessage(kMessageWrongCharacter, "", "");
    typed.text = typed.saved;
  } else {
    TGear& manual = mutableGear().rec.k_M_manual;
    const std::string previous = manual.text;
    manual.text = typed.text;
    SetGivenLimits(manual, GivenLimits::kCount, mutableGear());
    if (ParseParameter(manual, {.messages = true}, &dialogs_) != kStatusValid) {
      manual.text = previous;
      ParseParameter(manual, {});
      typed.text = typed.saved;
    } else {
      FormatParameter(manual, 15, mutableGear().state.Nachkommastellenzahl_3);
      typed.text = manual.text;
      WriteSettings();
    }
  }
  typed.state = FieldState::kNormal;
  const double before = mutableGear().rec.k_M.value;
  inUse_.TakeToothCount(typed.text);
  const bool changed = mutableGear().rec.k_M.value != before;
  if (changed) backBox_.Apply(BoxAction::kClearResults);
  protocol_.ForgetPending();
  RunCheckDimension();
  return changed;
}

}  // namespace silvarone
