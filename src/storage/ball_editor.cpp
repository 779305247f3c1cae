#include "storage/ball_editor.h"

#include <algorithm>
#include <limits>

#include "core/gear_record.h"
#include "device/series.h"

namespace silvarone {

bool AccessCodeAccepted(std::string_view text) {
  return text == kBallEditorAccessCode;
}

std::optional<double> ParseBallValue(std::string_view text) {
  TGear value;
  value.text = std::string(text);
  value.minimum = std::numeric_limits<double>::lowest();
  value.maximum = std::numeric_limits<double>::max();
  if (ParseParameter(value, {}) != kStatusValid) return std::nullopt;
  return value.value;
}

namespace {

// The diameter as the list shows and stores it, with its 3 decimals: two
// balls that look alike in the list are the same ball.
std::optional<double> ListedValue(std::string_view text) {
  const auto value = ParseBallValue(text);
  if (!value) return std::nullopt;
  return ParseBallValue(FormatFixed(*value, 15, 3)).value_or(*value);
}

}  // namespace

void BallSequenceEditor::Open(const std::vector<std::string>& deviceBalls) {
  undo_ = deviceBalls;
  values_.clear();
  for (const std::string& line : deviceBalls) {
    values_.push_back(ListedValue(line).value_or(kInvalidBall));
  }
  Rebuild();
  modified_ = false;
  SelectLine(0);
}

void BallSequenceEditor::Rebuild() {
  display_.clear();
  for (double value : values_)
    display_.push_back(FormatFixed(value, 15, 3));
}

void BallSequenceEditor::SelectLine(int line) {
  if (display_.empty()) {
    selectedLine_ = -1;
    selectedValue_.clear();
  } else {
    selectedLine_ = std::clamp(line, 0, static_cast<int>(display_.size()) - 1);
    selectedValue_ = display_[static_cast<std::size_t>(selectedLine_)];
  }
  editText_ = selectedValue_;
  edited_ = false;
}

void BallSequenceEditor::TypeText(const std::string& text) {
  editText_ = text;
  edited_ = text != selectedValue_;
}

void BallSequenceEditor::MoveUp() {
  SelectLine(std::max(selectedLine_ - 1, 0));
}
void BallSequenceEditor::MoveDown() {
  SelectLine(selectedLine_ + 1);
}
void BallSequenceEditor::MoveTop() {
  SelectLine(0);
}
// Line 101 when the list is that long, else the last line.
void BallSequenceEditor::MoveBottom() {
  SelectLine(std::min(static_cast<int>(kMaxDeviceBalls), static_cast<int>(display_.size()) - 1));
}

int BallSequenceEditor::LineOf(double value) const {
  const auto it = std::find(values_.begin(), values_.end(), value);
  return it == values_.end() ? -1 : static_cast<int>(it - values_.begin());
}

bool BallSequenceEditor::Contains(double value) const {
  return LineOf(value) >= 0;
}

void BallSequenceEditor::Insert(double value) {
  const auto at =
      std::find_if(values_.begin(), values_.end(), [&](double v) { return v >= value; });
  values_.insert(at, value);
}

void BallSequenceEditor::FinishOperation() {
  edited_ = false;
}

void BallSequenceEditor::Add() {
  if (editText_.empty()) return;
  const int caret = selectedLine_;
  const auto value = ListedValue(editText_);
  if (!value) {
    dialogs_.ShowNumberedMessage(kMessageNotNumeric, "", "");
    editText_ = selectedValue_;
  } else if (Contains(*value)) {
    SelectLine(caret);
  } else if (values_.size() >= kMaxDeviceBalls) {
    dialogs_.ShowProblem({.kind = ProblemKind::kBallListFull});
    editText_ = selectedValue_;
  } else {
    Insert(*value);
    Rebuild();
    modified_ = true;
    SelectLine(LineOf(*value));
  }
  FinishOperation();
}

void BallSequenceEditor::Change() {
  if (editText_.empty()) return;
  const auto value = ListedValue(editText_);
  if (!value) {
    dialogs_.ShowNumberedMessage(kMessageNotNumeric, "", "");
    editText_ = selectedValue_;
    FinishOperation();
    return;
  }
  const auto selected = ListedValue(selectedValue_);
  if (selected && Contains(*selected) && !Contains(*value)) {
    const bool typed = edited_;
    values_.erase(values_.begin() + LineOf(*selected));
    Insert(*value);
    Rebuild();
    SelectLine(LineOf(*value));
    if (typed) modified_ = true;
  }
  FinishOperation();
}

void BallSequenceEditor::Erase() {
  if (editText_.empty()) return;
  const int caret = selectedLine_;
  const auto value = ListedValue(editText_);
  if (value && Contains(*value)) {
    values_.erase(values_.begin() + LineOf(*value));
    Rebuild();
    SelectLine(caret);  // the last line when the caret's line is gone
    modified_ = true;
  }
  FinishOperation();
}

void BallSequenceEditor::Undo() {
  values_.clear();
  for (const std::string& line : undo_)
    values_.push_back(ListedValue(line).value_or(kInvalidBall));
  Rebuild();
  modified_ = false;
  SelectLine(0);
  FinishOperation();
}

std::optional<std::vector<std::string>> BallSequenceEditor::Save(const std::string& path) {
  if (WriteBallFile(display_, path) == -2) {
    dialogs_.ShowProblem({.kind = ProblemKind::kCannotWrite, .path = path});
    return std::nullopt;
  }
  auto stored = ReadBallFile(path);
  modified_ = false;
  SelectLine(0);
  FinishOperation();
  if (!stored || stored->empty()) return std::nullopt;
  return *stored;
}

bool BallSequenceEditor::Close() {
  if (modified_ && dialogs_.AskConfirmation(kAskDiscardBallChanges, "") != kAnswerOk) return false;
  values_.clear();
  undo_.clear();
  display_.clear();
  selectedLine_ = -1;
  selectedValue_.clear();
  editText_.clear();
  modified_ = false;
  edited_ = false;
  return true;
}

}  // namespace silvarone
