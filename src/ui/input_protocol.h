// The two-step input of numbers: typing only proposes a value (the field is
// pending, yellow); Enter or a double-click confirms it; Esc, leaving the
// field or acting elsewhere discards it. One field at most is pending. The
// rules say, per input field, which record it fills and what a confirmed
// value sets off; the window model runs those follow-ups.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/gear.h"
#include "core/number_text.h"
#include "ui/controls.h"
#include "ui/window_fields.h"

namespace silvarone {

// What the confirmation of a valid value recomputes and rewrites.
enum class FollowUp {
  kNone,
  kDrawing,    // rewrite the drawing-data fields
  kGeometry,   // recompute the basic geometry, then kDrawing
  kHelix,      // kGeometry, then the helical flag and the status bar
  kGearType,   // kGeometry, then the external-gear flag and the status bar
  kTolerance,  // show the tolerance fields
};

// What a confirmed value of a field sets off after its follow-up.
enum class Then {
  kNothing,
  kClearResults,        // the back-calculation results
  kClearResultsResign,  // and, changed or not, the given values take the gear's sign
  kRecalculateMode,     // changed or not
  kClearInputAndResults,
};

// Limits of a given dimension or tooth count that follow the gear type.
enum class GivenLimits { kNone, kDimension, kCount };

// How the protocol treats one input field.
struct InputRule {
  InputNumber number;
  TGear GearRecords::*record;
  FollowUp followUp;
  Then after;
  GivenLimits givenLimits;  // set on every confirmation
};

class InputProtocol {
 public:
  explicit InputProtocol(WindowFields& fields) : fields_(fields) {}

  // The rule of an input field of the protocol; nothing for other names and numbers.
  static const InputRule* RuleOf(std::string_view name);
  static const InputRule* RuleOf(int number);
  static std::string_view NameOf(const InputRule& rule);
  // The tolerance fields take input only while the deviations are typed by hand.
  static bool IsDeviationInput(const InputRule& rule);

  int pendingField() const { return pending_; }
  void ForgetPending() { pending_ = kNoInput; }
  // Another field, or an action of that number, discards a pending edit:
  // its field shows its saved text again.
  void DiscardPendingEdit(int number);
  // The user typed `text` into the field: it shows it and is the pending field.
  void Edit(const InputRule& rule, const std::string& text);
  // The edit counts: the field turns pending with `saved` to go back to.
  void MarkPending(const InputRule& rule, std::string saved, bool loading);

  // The confirmed text of the field into its record: the character check,
  // then the parse with messages and limits. On a refusal the field shows
  // its saved text again, the record keeps its value, and nothing comes back;
  // else the value the record had before.
  std::optional<double> TakeConfirmedText(const InputRule& rule, Gear& gear, MessageSink& messages);

  // Whether a typed value may set off calculations now (not while the
  // program itself rewrites fields), and whether the drawing page must be
  // computed again when it is next shown.
  bool inputsReady() const { return inputsReady_; }
  void SetInputsReady(bool ready) { inputsReady_ = ready; }
  bool recalcPending() const { return recalcPending_; }
  void SetRecalcPending(bool pending) { recalcPending_ = pending; }

 private:
  WindowFields& fields_;
  int pending_ = kNoInput;
  bool inputsReady_ = false;
  bool recalcPending_ = false;
};

// Positive limits for an external, negative for an internal gear: a given
// dimension up to 1000000 mm, a tooth count up to 2000.
void SetGivenLimits(TGear& record, GivenLimits limits, const Gear& gear);

}  // namespace silvarone
