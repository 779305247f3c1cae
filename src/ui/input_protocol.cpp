#include "ui/input_protocol.h"

#include <array>

namespace silvarone {
namespace {

using R = GearRecords;
using U = FollowUp;
using L = GivenLimits;
constexpr auto kInputRules = std::to_array<InputRule>({
    {kInputModule, &R::m_n, U::kGeometry, Then::kClearResults, L::kNone},
    {kInputPressureAngle, &R::alpha_n, U::kGeometry, Then::kClearResults, L::kNone},
    {kInputHelixAngle, &R::beta, U::kHelix, Then::kClearResults, L::kNone},
    {kInputTeeth, &R::z, U::kGearType, Then::kClearResultsResign, L::kNone},
    {kInputFaceWidth, &R::b_w, U::kDrawing, Then::kNothing, L::kNone},
    {kInputProfileShift, &R::x, U::kDrawing, Then::kClearResults, L::kNone},
    {kInputBall, &R::D_M_manual, U::kNone, Then::kClearResults, L::kNone},
    {kInputToothCount, &R::k_M_manual, U::kNone, Then::kClearResults, L::kCount},
    // The helical anvil model measures with the ball distance.
    {kInputBallDistance, &R::D_distance, U::kDrawing, Then::kClearResults, L::kNone},
    {kInputUpperDeviation, &R::A_sne_manual, U::kTolerance, Then::kNothing, L::kNone},
    {kInputTolerance, &R::T_sn_manual, U::kTolerance, Then::kNothing, L::kNone},
    {kInputMeasured, &R::Q_measured, U::kNone, Then::kClearResults, L::kNone},
    {kInputGivenWk, &R::Wk_given, U::kNone, Then::kRecalculateMode, L::kDimension},
    {kInputGivenWke, &R::Wke_given, U::kNone, Then::kRecalculateMode, L::kDimension},
    {kInputGivenWki, &R::Wki_given, U::kNone, Then::kRecalculateMode, L::kDimension},
    {kInputGivenTeeth, &R::k_given, U::kNone, Then::kClearInputAndResults, L::kCount},
    {kInputGivenMdk, &R::Mdk_given, U::kNone, Then::kRecalculateMode, L::kDimension},
    {kInputGivenMdke, &R::Mdke_given, U::kNone, Then::kRecalculateMode, L::kDimension},
    {kInputGivenMdki, &R::Mdki_given, U::kNone, Then::kRecalculateMode, L::kDimension},
    {kInputGivenBall, &R::DM_given, U::kNone, Then::kClearInputAndResults, L::kNone},
    {kInputGivenXe, &R::Xe_given, U::kNone, Then::kRecalculateMode, L::kNone},
    {kInputGivenXee, &R::Xee_given, U::kNone, Then::kRecalculateMode, L::kNone},
    {kInputGivenXei, &R::Xei_given, U::kNone, Then::kRecalculateMode, L::kNone},
});

}  // namespace

const InputRule* InputProtocol::RuleOf(std::string_view name) {
  const Control* control = FindControl(name);
  if (control == nullptr || control->kind != ControlKind::kInput) return nullptr;
  return RuleOf(control->input);
}

const InputRule* InputProtocol::RuleOf(int number) {
  for (const InputRule& rule : kInputRules) {
    if (rule.number == number) return &rule;
  }
  return nullptr;
}

std::string_view InputProtocol::NameOf(const InputRule& rule) {
  return FindInputControl(rule.number)->name;
}

bool InputProtocol::IsDeviationInput(const InputRule& rule) {
  return rule.number == kInputUpperDeviation || rule.number == kInputTolerance;
}

void InputProtocol::DiscardPendingEdit(int number) {
  if (pending_ == kNoInput || pending_ == number) return;
  const int old = pending_;
  pending_ = number;
  if (const InputRule* rule = RuleOf(old)) {
    Field& field = fields_.FieldOf(NameOf(*rule));
    field.text = field.saved;
    field.state = FieldState::kNormal;
  }
}

void InputProtocol::Edit(const InputRule& rule, const std::string& text) {
  fields_.FieldOf(NameOf(rule)).text = text;
  DiscardPendingEdit(rule.number);
  if (pending_ == kNoInput) pending_ = rule.number;
}

void InputProtocol::MarkPending(const InputRule& rule, std::string saved, bool loading) {
  Field& field = fields_.FieldOf(NameOf(rule));
  field.saved = std::move(saved);
  if (!loading) field.state = FieldState::kPending;
}

std::optional<double> InputProtocol::TakeConfirmedText(const InputRule& rule, Gear& gear,
                                                       MessageSink& messages) {
  Field& field = fields_.FieldOf(NameOf(rule));
  TGear& record = gear.rec.*(rule.record);
  field.saved = record.text;
  if (CheckNumberText(field.text) != 0) {
    messages.ShowNumberedMessage(kMessageWrongCharacter, "", "");
    DiscardPendingEdit(kNoInput);
    field.text = field.saved;
    field.state = FieldState::kNormal;
    return std::nullopt;
  }
  record.text = field.text;
  field.state = FieldState::kNormal;
  const double old = record.value;
  SetGivenLimits(record, rule.givenLimits, gear);
  if (ParseParameter(record, {.messages = true, .normalise = true}, &messages) != kStatusValid) {
    record.text = field.saved;
    ParseParameter(record, {.messages = false, .normalise = true});
    DiscardPendingEdit(kNoInput);
    field.text = field.saved;
    return std::nullopt;
  }
  field.text = record.text;
  return old;
}

void SetGivenLimits(TGear& record, GivenLimits limits, const Gear& gear) {
  if (limits == GivenLimits::kNone) return;
  // Positive for an external, negative for an internal gear; zero for neither.
  const double bound = limits == GivenLimits::kCount ? 2000.0 : 1000000.0;
  if (gear.state.ExternalGear == 1) {
    record.minimum = 0.000001;
    record.maximum = bound;
  } else {
    record.minimum = -bound;
    record.maximum = -0.000001;
  }
}

}  // namespace silvarone
