#include "ui/controls.h"

#include <algorithm>
#include <array>

namespace silvarone {
namespace {

using K = ControlKind;

constexpr auto kControls = std::to_array<Control>({
    // Drawing data
    {"Input_m_n", K::kInput, kInputModule},
    {"Input_alpha_n", K::kInput, kInputPressureAngle},
    {"Input_beta", K::kInput, kInputHelixAngle},
    {"Input_z", K::kInput, kInputTeeth},
    {"Input_b_w", K::kInput, kInputFaceWidth},
    {"Input_x", K::kInput, kInputProfileShift},
    {"Edit12", K::kDisplay},
    {"Edit5", K::kDisplay},
    {"Edit1", K::kDisplay},
    {"Edit15", K::kDisplay},
    {"Edit17", K::kDisplay},
    {"RadioGroup_Modul", K::kSelection},
    {"ComboBox1", K::kSelection},
    {"ComboBox2", K::kSelection},
    // Tolerances and the input modes
    {"RadioGroup_Verzahnung", K::kSelection},
    {"DevRowComboBox", K::kSelection},
    {"TolRowComboBox", K::kSelection},
    {"Input_A_sne", K::kInput, kInputUpperDeviation},
    {"Input_T_sn", K::kInput, kInputTolerance},
    {"Input_A_sni", K::kDisplay},
    {"InputMode", K::kSelection},
    {"Input_Calc_Wk", K::kInput, kInputGivenWk},
    {"Input_Calc_Wke", K::kInput, kInputGivenWke},
    {"Input_Calc_Wki", K::kInput, kInputGivenWki},
    {"Input_Calc_kM", K::kInput, kInputGivenTeeth},
    {"Input_Calc_Mdk", K::kInput, kInputGivenMdk},
    {"Input_Calc_Mdke", K::kInput, kInputGivenMdke},
    {"Input_Calc_Mdki", K::kInput, kInputGivenMdki},
    {"Input_Calc_DM", K::kInput, kInputGivenBall},
    {"Input_Calc_Xe", K::kInput, kInputGivenXe},
    {"Input_Calc_Xee", K::kInput, kInputGivenXee},
    {"Input_Calc_Xei", K::kInput, kInputGivenXei},
    // Calculation: ball, tooth count, check dimension, comparison, back-calculation
    {"Messkugelauswahl", K::kSelection},
    {"ComboBox3", K::kSelection},
    {"ComboBox4", K::kSelection},
    {"D_M_Edit", K::kInput, kInputBall},
    {"recommended_D_M", K::kDisplay},
    {"Used_D_M", K::kDisplay},
    {"MinimumT", K::kDisplay},
    {"MaximumT", K::kDisplay},
    {"Messzahnauswahl", K::kSelection},
    {"k_M_Edit", K::kInput, kInputToothCount},
    {"recommended_k_M", K::kDisplay},
    {"Used_k_M", K::kDisplay},
    {"Kontrollmass", K::kDisplay},
    {"Q_plus_D_M", K::kDisplay},
    {"Edit2", K::kDisplay},
    {"Edit3", K::kDisplay},
    {"Edit100", K::kDisplay},
    {"Edit101", K::kDisplay},
    {"Edit102", K::kDisplay},
    {"Edit103", K::kDisplay},
    {"Edit104", K::kDisplay},
    {"Edit200", K::kDisplay},
    {"Edit201", K::kDisplay},
    {"Edit202", K::kDisplay},
    {"Edit203", K::kDisplay},
    {"Edit204", K::kDisplay},
    {"Edit300", K::kDisplay},
    {"Edit301", K::kDisplay},
    {"Edit302", K::kDisplay},
    {"Input_checkGauge", K::kInput, kInputMeasured},
    {"Edit6", K::kDisplay},
    {"Edit7", K::kDisplay},
    {"Edit8", K::kDisplay},
    {"Edit9", K::kDisplay},
    {"Edit10", K::kDisplay},
    // Setup
    {"DeviceSelection", K::kSelection},
    {"Messbereichs_Box", K::kSelection},
    {"Input_Kugelabstand", K::kInput, kInputBallDistance},
    {"Input_Password", K::kEdit},
    {"SpinNKZ1", K::kEdit},
    {"SpinNKZ2", K::kEdit},
    {"SpinNKZ3", K::kEdit},
    // Project page
    {"ProjectName", K::kEdit},
    {"ProjectLeader", K::kEdit},
    {"Drawing_1", K::kEdit},
    {"Drawing_2", K::kEdit},
    {"ProjectDatePicker", K::kEdit},  // dd.MM.yyyy
    {"ProjectComment", K::kEdit},     // lines separated by '\n'
});

}  // namespace

std::span<const Control> Controls() {
  return kControls;
}

const Control* FindControl(std::string_view name) {
  const auto it = std::find_if(kControls.begin(), kControls.end(),
                               [&](const Control& control) { return control.name == name; });
  return it == kControls.end() ? nullptr : &*it;
}

const Control* FindInputControl(int number) {
  if (number == kNoInput) return nullptr;
  const auto it = std::find_if(kControls.begin(), kControls.end(), [&](const Control& control) {
    return control.kind == ControlKind::kInput && control.input == number;
  });
  return it == kControls.end() ? nullptr : &*it;
}

}  // namespace silvarone
