// Every field and selection of the main window, by the object name the
// window gives it: what kind of control it is and, for the inputs of the edit
// protocol, the input number. The model builds its fields from this table and
// the window binds its widgets by it; a name outside it is a programming error.
// The code names a control by its constant (ctl::Input_m_n), so a misspelt
// name does not compile.
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
  kEdit,       // typed text outside the protocol (password, spin edits, project page)
  kDisplay,    // read-only result
  kSelection,  // radio group or list
};

// X(name, kind, input number, which): `which` tells the decimal places
// fields apart (1 to 3); 0 elsewhere.
#define SILVARONE_CONTROLS(X)                                                         \
  /* Drawing data */                                                                  \
  X(Input_m_n, kInput, kInputModule, 0)                                               \
  X(Input_alpha_n, kInput, kInputPressureAngle, 0)                                    \
  X(Input_beta, kInput, kInputHelixAngle, 0)                                          \
  X(Input_z, kInput, kInputTeeth, 0)                                                  \
  X(Input_b_w, kInput, kInputFaceWidth, 0)                                            \
  X(Input_x, kInput, kInputProfileShift, 0)                                           \
  X(Edit12, kDisplay, kNoInput, 0)                                                    \
  X(Edit5, kDisplay, kNoInput, 0)                                                     \
  X(Edit1, kDisplay, kNoInput, 0)                                                     \
  X(Edit15, kDisplay, kNoInput, 0)                                                    \
  X(Edit17, kDisplay, kNoInput, 0)                                                    \
  X(RadioGroup_Modul, kSelection, kNoInput, 0)                                        \
  X(ComboBox1, kSelection, kNoInput, 0)                                               \
  X(ComboBox2, kSelection, kNoInput, 0)                                               \
  /* Tolerances and the input modes */                                                \
  X(RadioGroup_Verzahnung, kSelection, kNoInput, 0)                                   \
  X(DevRowComboBox, kSelection, kNoInput, 0)                                          \
  X(TolRowComboBox, kSelection, kNoInput, 0)                                          \
  X(Input_A_sne, kInput, kInputUpperDeviation, 0)                                     \
  X(Input_T_sn, kInput, kInputTolerance, 0)                                           \
  X(Input_A_sni, kDisplay, kNoInput, 0)                                               \
  X(InputMode, kSelection, kNoInput, 0)                                               \
  X(Input_Calc_Wk, kInput, kInputGivenWk, 0)                                          \
  X(Input_Calc_Wke, kInput, kInputGivenWke, 0)                                        \
  X(Input_Calc_Wki, kInput, kInputGivenWki, 0)                                        \
  X(Input_Calc_kM, kInput, kInputGivenTeeth, 0)                                       \
  X(Input_Calc_Mdk, kInput, kInputGivenMdk, 0)                                        \
  X(Input_Calc_Mdke, kInput, kInputGivenMdke, 0)                                      \
  X(Input_Calc_Mdki, kInput, kInputGivenMdki, 0)                                      \
  X(Input_Calc_DM, kInput, kInputGivenBall, 0)                                        \
  X(Input_Calc_Xe, kInput, kInputGivenXe, 0)                                          \
  X(Input_Calc_Xee, kInput, kInputGivenXee, 0)                                        \
  X(Input_Calc_Xei, kInput, kInputGivenXei, 0)                                        \
  /* Calculation: ball, tooth count, check dimension, comparison, back-calculation */ \
  X(Messkugelauswahl, kSelection, kNoInput, 0)                                        \
  X(ComboBox3, kSelection, kNoInput, 0)                                               \
  X(ComboBox4, kSelection, kNoInput, 0)                                               \
  X(D_M_Edit, kInput, kInputBall, 0)                                                  \
  X(recommended_D_M, kDisplay, kNoInput, 0)                                           \
  X(Used_D_M, kDisplay, kNoInput, 0)                                                  \
  X(MinimumT, kDisplay, kNoInput, 0)                                                  \
  X(MaximumT, kDisplay, kNoInput, 0)                                                  \
  X(Messzahnauswahl, kSelection, kNoInput, 0)                                         \
  X(k_M_Edit, kInput, kInputToothCount, 0)                                            \
  X(recommended_k_M, kDisplay, kNoInput, 0)                                           \
  X(Used_k_M, kDisplay, kNoInput, 0)                                                  \
  X(Kontrollmass, kDisplay, kNoInput, 0)                                              \
  X(Q_plus_D_M, kDisplay, kNoInput, 0)                                                \
  X(Edit2, kDisplay, kNoInput, 0)                                                     \
  X(Edit3, kDisplay, kNoInput, 0)                                                     \
  X(Edit100, kDisplay, kNoInput, 0)                                                   \
  X(Edit101, kDisplay, kNoInput, 0)                                                   \
  X(Edit102, kDisplay, kNoInput, 0)                                                   \
  X(Edit103, kDisplay, kNoInput, 0)                                                   \
  X(Edit104, kDisplay, kNoInput, 0)                                                   \
  X(Edit200, kDisplay, kNoInput, 0)                                                   \
  X(Edit201, kDisplay, kNoInput, 0)                                                   \
  X(Edit202, kDisplay, kNoInput, 0)                                                   \
  X(Edit203, kDisplay, kNoInput, 0)                                                   \
  X(Edit204, kDisplay, kNoInput, 0)                                                   \
  X(Edit300, kDisplay, kNoInput, 0)                                                   \
  X(Edit301, kDisplay, kNoInput, 0)                                                   \
  X(Edit302, kDisplay, kNoInput, 0)                                                   \
  X(Input_checkGauge, kInput, kInputMeasured, 0)                                      \
  X(Edit6, kDisplay, kNoInput, 0)                                                     \
  X(Edit7, kDisplay, kNoInput, 0)                                                     \
  X(Edit8, kDisplay, kNoInput, 0)                                                     \
  X(Edit9, kDisplay, kNoInput, 0)                                                     \
  X(Edit10, kDisplay, kNoInput, 0)                                                    \
  /* Warnings of the measurability checks beside the values they concern */           \
  X(Warnung_Wk, kDisplay, kNoInput, 0)                                                \
  X(Warnung_MdK, kDisplay, kNoInput, 0)                                               \
  X(Warnung_Q, kDisplay, kNoInput, 0)                                                 \
  /* Setup */                                                                         \
  X(DeviceSelection, kSelection, kNoInput, 0)                                         \
  X(Messbereichs_Box, kSelection, kNoInput, 0)                                        \
  X(Input_Kugelabstand, kInput, kInputBallDistance, 0)                                \
  X(Input_Password, kEdit, kNoInput, 0)                                               \
  X(SpinNKZ1, kEdit, kNoInput, 1)                                                     \
  X(SpinNKZ2, kEdit, kNoInput, 2)                                                     \
  X(SpinNKZ3, kEdit, kNoInput, 3)                                                     \
  /* Project page */                                                                  \
  X(ProjectName, kEdit, kNoInput, 0)                                                  \
  X(ProjectLeader, kEdit, kNoInput, 0)                                                \
  X(Drawing_1, kEdit, kNoInput, 0)                                                    \
  X(Drawing_2, kEdit, kNoInput, 0)                                                    \
  X(ProjectDatePicker, kEdit, kNoInput, 0)                                            \
  X(ProjectComment, kEdit, kNoInput, 0)                                               \
  /* end */

struct Control {
  std::string_view name;
  ControlKind kind;
  InputNumber input = kNoInput;
  int which = 0;
};

// The object names as constants: ctl::Input_m_n is "Input_m_n".
namespace ctl {
#define SILVARONE_CONTROL_NAME(name, kind, input, which) \
  inline constexpr std::string_view name = #name;
SILVARONE_CONTROLS(SILVARONE_CONTROL_NAME)
#undef SILVARONE_CONTROL_NAME
}  // namespace ctl

std::span<const Control> Controls();
// The control of that name; nothing for a name the window does not have.
const Control* FindControl(std::string_view name);
// The input field of that protocol number; nothing for the numbers without a field.
const Control* FindInputControl(int number);

}  // namespace silvarone
