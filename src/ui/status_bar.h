// The four panels of the main window's status bar: the open project, spur or
// helical, external or internal, and the input mode.
#pragma once

#include <array>
#include <string>

#include "core/gear.h"
#include "storage/settings.h"

namespace silvarone {

class StatusBar {
 public:
  // The panels for the gear, the project and the mode of the moment.
  void Show(const CalculationState& state, const ProjectState& project);
  const std::array<std::string, 4>& panels() const { return panels_; }

 private:
  std::array<std::string, 4> panels_;
};

}  // namespace silvarone
