// What the window shows in its controls: per field its text, saved text,
// state and flags, per selection its items and index, by the object names of
// the controls table. Every part of the window model writes here; the view
// paints from here.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace silvarone {

enum class FieldState { kNormal, kPending, kResult };

// One edit or display field of the window.
struct Field {
  std::string text;
  std::string saved;  // the last confirmed text, shown again when an edit is discarded
  FieldState state = FieldState::kNormal;
  bool enabled = true;
  bool readOnly = false;
  // Given values in the comparison table: the row of the given quantity, and
  // the given tooth count and ball.
  bool highlighted = false;
  // Shown when the pointer rests on the control; the full wording of a brief text.
  std::string toolTip;
};

// A radio group, drop-down list or list box.
struct Selection {
  std::vector<std::string> items;
  int index = -1;
  bool enabled = true;

  // The selected item; empty without a selection.
  std::string Selected() const;
};

class WindowFields {
 public:
  // One field or selection per control of the table; displays start read-only.
  WindowFields();

  // The field or selection of that name. A name the window does not have is
  // a programming error: it gives an empty scratch one and is noted.
  Field& FieldOf(std::string_view name);
  Selection& SelectionOf(std::string_view name);
  const Field& FieldOf(std::string_view name) const;
  const Selection& SelectionOf(std::string_view name) const;

  const std::map<std::string, Field, std::less<>>& fields() const { return fields_; }
  const std::map<std::string, Selection, std::less<>>& selections() const { return selections_; }
  const std::vector<std::string>& unknownNames() const { return unknownNames_; }

 private:
  void NoteUnknownName(std::string_view name) const;

  std::map<std::string, Field, std::less<>> fields_;
  std::map<std::string, Selection, std::less<>> selections_;
  Field scratchField_;
  Selection scratchSelection_;
  mutable std::vector<std::string> unknownNames_;
};

}  // namespace silvarone
