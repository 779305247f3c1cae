#include "ui/status_bar.h"

#include <algorithm>

#include "ui/texts.h"

namespace silvarone {

void StatusBar::Show(const CalculationState& state, const ProjectState& project) {
  const Language language = state.language;
  const auto text = [language](TextId id) { return Text(id, language); };
  panels_[0] = text(TextId::kStatusProject) +
               (project.noProjectOpen ? text(TextId::kStatusNoProject) : project.fileName);
  panels_[1] = text(TextId::kStatusGearing) +
               text(state.HelicalGear ? TextId::kStatusHelical : TextId::kStatusSpur);
  panels_[2] = text(TextId::kStatusGearType) +
               text(state.ExternalGear ? TextId::kStatusExternal : TextId::kStatusInternal);
  static constexpr const char* kModes[] = {"Standard", "Wk", "Mdk", "xE"};
  panels_[3] =
      text(TextId::kStatusMode) + kModes[std::clamp(static_cast<int>(state.CalculationMode), 0, 3)];
}

}  // namespace silvarone
