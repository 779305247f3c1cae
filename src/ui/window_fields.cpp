#include "ui/window_fields.h"

#include "ui/controls.h"

namespace silvarone {

std::string Selection::Selected() const {
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return "";
  return items[static_cast<std::size_t>(index)];
}

WindowFields::WindowFields() {
  for (const Control& control : Controls()) {
    const std::string name(control.name);
    if (control.kind == ControlKind::kSelection) {
      selections_[name];
      continue;
    }
    Field& field = fields_[name];
    if (control.kind == ControlKind::kDisplay) {
      field.readOnly = true;
      field.state = FieldState::kResult;
    }
  }
}

Field& WindowFields::FieldOf(std::string_view name) {
  if (const auto it = fields_.find(name); it != fields_.end()) return it->second;
  NoteUnknownName(name);
  scratchField_ = Field{};
  return scratchField_;
}

Selection& WindowFields::SelectionOf(std::string_view name) {
  if (const auto it = selections_.find(name); it != selections_.end()) return it->second;
  NoteUnknownName(name);
  scratchSelection_ = Selection{};
  return scratchSelection_;
}

const Field& WindowFields::FieldOf(std::string_view name) const {
  static const Field kNone;
  if (const auto it = fields_.find(name); it != fields_.end()) return it->second;
  NoteUnknownName(name);
  return kNone;
}

const Selection& WindowFields::SelectionOf(std::string_view name) const {
  static const Selection kNone;
  if (const auto it = selections_.find(name); it != selections_.end()) return it->second;
  NoteUnknownName(name);
  return kNone;
}

void WindowFields::NoteUnknownName(std::string_view name) const {
  unknownNames_.emplace_back(name);
}

}  // namespace silvarone
