#include "ui/controls.h"

#include <algorithm>
#include <array>

namespace silvarone {
namespace {

constexpr auto kControls = std::to_array<Control>({
#define SILVARONE_CONTROL_ROW(name, kind, input, which) \
  Control{ctl::name, ControlKind::kind, input, which},
    SILVARONE_CONTROLS(SILVARONE_CONTROL_ROW)
#undef SILVARONE_CONTROL_ROW
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
