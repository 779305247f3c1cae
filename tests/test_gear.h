// Gears for the calculation tests, entered as the user would type them.
#pragma once

#include <cmath>
#include <string>

#include "core/gear.h"
#include "core/geometry.h"

namespace silvarone::testing {

struct GearInput {
  std::string m_n = "2";
  std::string z = "20";
  std::string alpha_n = "20";
  std::string beta = "0";
  std::string x = "0";
  std::string k_M = "3";
  std::string D_M = "3.5";
  std::string A_sne = "0";
  std::string A_sni = "0";
};

// Parses the inputs through the validation pass, sets the gear-type flags and
// the deviations in effect, with 4 decimals for computed values.
inline Gear MakeGear(const GearInput& in) {
  Gear gear;
  gear.state.Nachkommastellenzahl_1 = 4;
  GearRecords& r = gear.rec;
  r.m_n.text = in.m_n;
  r.z.text = in.z;
  r.alpha_n.text = in.alpha_n;
  r.beta.text = in.beta;
  r.x.text = in.x;
  r.b_w.text = "20";
  r.k_M.text = in.k_M;
  r.D_M.text = in.D_M;
  r.k_given.text = in.k_M;
  r.DM_given.text = in.D_M;
  r.A_sne.text = in.A_sne;
  r.Messbereichswert.text = "200,000";
  r.D_distance.text = "45,000";
  r.bigStepSize.text = "0.1";
  r.smallStepSize.text = "0.0001";
  ValidateInputs(gear);
  r.A_sni.text = in.A_sni;
  ParseParameter(r.A_sni, {.normalise = true});
  DetermineHelicalGear(gear);
  return gear;
}

inline double Inv(double degrees) {
  const double a = degrees * 3.14159265358979323846 / 180.0;
  return std::tan(a) - a;
}

}  // namespace silvarone::testing
