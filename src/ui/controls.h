// Every field and selection of the main window, by the object name the
// window gives it: what kind of control it is and, for the inputs of the edit
// protocol, the input number. The model builds its fields from this table and
// the window binds its widgets by it; a name outside it is a programming error.
#pragma once

#include <span>
#include <string_view>

namespace silvarone {

// Numbers of the edit protocol: one per input field, and the numbers of the
// selections and the page change, which carry no field of their own but
// discard a pending edit the same way.
enum InputNumber : int {
  kNoInput = 0,
  kInputModule = 1,
  kInputPressureAngle = 2,
  kInputHelixAngle = 3,
  kInputTeeth = 4,
  kInputFaceWidth = 5,
  kInputProfileShift = 6,
  kInputBall = 7,
  kInputToothCount = 8,
  kInputBallDistance = 9,
  kInputUpperDeviation = 10,
  kInputTolerance = 11,
  kInputMeasured = 12,
  kActionProductionSource = 13,
  kActionDinSource = 14,
  kActionRecommendedTeeth = 15,
  kActionRecommendedBall = 16,
  kActionDinBall = 17,
  kActionDeviceBall = 18,
  kActionModuleSeries1 = 19,
  kActionModuleSeries2 = 20,
  kInputGivenWk = 21,
  kInputGivenWke = 22,
  kInputGivenWki = 23,
  kInputGivenTeeth = 24,
  kInputGivenMdk = 25,
  kInputGivenMdke = 26,
  kInputGivenMdki = 27,
  kInputGivenBall = 28,
  kInputGivenXe = 29,
  kInputGivenXee = 30,
  kInputGivenXei = 31,
  kActionPageChange = 1000,
};

enum class ControlKind {
  kInput,      // a number typed through the edit protocol
  kEdit,       // typed text outside the protocol (password, spin edits)
  kDisplay,    // read-only result
  kSelection,  // radio group or list
};

struct Control {
  std::string_view name;
  ControlKind kind;
  InputNumber input = kNoInput;
};

std::span<const Control> Controls();
// The control of that name; nothing for a name the window does not have.
const Control* FindControl(std::string_view name);
// The input field of that protocol number; nothing for the numbers without a field.
const Control* FindInputControl(int number);

}  // namespace silvarone
