// The editor of the instrument's ball sequence: the diameters stay ascending
// and free of duplicates; changes live in the editor until "Speichern" writes
// the ball file. Editing is locked behind an access code.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/gear.h"
#include "storage/questions.h"

namespace silvarone {

inline constexpr const char* kBallEditorAccessCode = "redudera";
inline constexpr std::size_t kMaxDeviceBalls = 100;
inline constexpr double kInvalidBall = -10000.0;

// The access code typed on the configuration page unlocks "Bearbeiten".
bool AccessCodeAccepted(std::string_view text);

// A diameter as typed: ',' or '.' as decimal separator, a degree sign reads as
// a blank. Nothing when the text is no number.
std::optional<double> ParseBallValue(std::string_view text);

class BallSequenceEditor {
 public:
  explicit BallSequenceEditor(Questions& dialogs) : dialogs_(dialogs) {}
  BallSequenceEditor(const BallSequenceEditor&) = delete;
  BallSequenceEditor& operator=(const BallSequenceEditor&) = delete;

  // Opens on the device ball list of the main window.
  void Open(const std::vector<std::string>& deviceBalls);

  // The list as shown and stored: one diameter per line with 3 decimals.
  const std::vector<std::string>& DisplayList() const { return display_; }
  int SelectedLine() const { return selectedLine_; }
  const std::string& SelectedValue() const { return selectedValue_; }
  const std::string& EditText() const { return editText_; }
  bool Modified() const { return modified_; }  // enables "Undo" and "Speichern"
  bool Edited() const { return edited_; }      // the edit field shows a typed change

  void SelectLine(int line);
  void TypeText(const std::string& text);
  void MoveUp();
  void MoveDown();
  void MoveTop();
  void MoveBottom();

  void Add();
  void Change();
  void Erase();
  void Undo();
  // Writes the list to the ball file and reads it back. The list read back
  // (to replace the main window's device balls), or nothing when it read back
  // empty or the file could not be written.
  std::optional<std::vector<std::string>> Save(const std::string& path);
  // "Beenden": true when the editor closes (unsaved changes are dropped after
  // question -400); false when the user dismissed the question.
  bool Close();

 private:
  void Rebuild();
  int LineOf(double value) const;
  bool Contains(double value) const;
  void Insert(double value);
  void FinishOperation();

  Questions& dialogs_;
  std::vector<double> values_;
  std::vector<std::string> undo_;
  std::vector<std::string> display_;
  int selectedLine_ = -1;
  std::string selectedValue_;
  std::string editText_;
  bool modified_ = false;
  bool edited_ = false;
};

}  // namespace silvarone
