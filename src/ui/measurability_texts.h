// The failed measurability checks of the calculation page, worded in the
// language of the moment: a full sentence with its numbers for the report
// and the tool tip, a brief form for the place beside the values.
#pragma once

#include <string>
#include <vector>

#include "core/gear.h"
#include "device/measurability.h"

namespace silvarone {

struct Warning {
  std::string full;
  std::string brief;
};

// The warnings of each measurement; empty when its checks hold (or there was
// nothing to check). Numbers with `decimals` decimals, in mm.
struct MeasurabilityWarnings {
  std::vector<Warning> span;        // Wk over k
  std::vector<Warning> overBalls;   // MdK with DM
  std::vector<Warning> instrument;  // the instrument's ball of Q
};

MeasurabilityWarnings WordWarnings(const Measurability& checks, Language language, int decimals);

// "Wk: anvils past d_Na; b_w too narrow" from the brief forms; empty without
// warnings.
std::string BriefLine(const std::string& symbol, const std::vector<Warning>& warnings);
// The full sentences, one a line.
std::string FullLines(const std::vector<Warning>& warnings);

}  // namespace silvarone
