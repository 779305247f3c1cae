// The measuring ball and the tooth count in use on the calculation page, and
// where they come from: the recommended, a listed or the typed ball; the
// recommended or the typed tooth count. Used_D_M and Used_k_M show them; the
// records D_M and k_M hold them for the calculations.
#pragma once

#include <string>

#include "core/gear.h"
#include "device/page_sequence.h"
#include "ui/window_fields.h"

namespace silvarone {

// Where the tooth count in use came from since the last start or load.
enum class ToothCountSource { kNotChosen, kRecommended, kEntered };

// The two fields whose first change after a choice only selects them.
enum class OwnField { kBall, kTeeth };

class BallAndTeethInUse {
 public:
  BallAndTeethInUse(WindowFields& fields, Gear& gear) : fields_(fields), gear_(gear) {}

  // The ball in use takes `text`: Used_D_M shows it and D_M holds its
  // value; a text that is no diameter leaves no ball in use.
  void TakeBall(const std::string& text);
  // The same when the calculation page has taken it into D_M already.
  void ShowBall(const std::string& text);
  // The ball text in use, without showing it (the field shows the typed text).
  void RememberBall(const std::string& text) { ball_ = text; }
  const std::string& ball() const { return ball_; }
  // A ball diameter is in use (none when its list or field is empty).
  bool HasBall() const { return silvarone::HasBall(gear_); }

  // The tooth count in use takes `text`: Used_k_M shows it and k_M holds it.
  void TakeToothCount(const std::string& text);
  void ShowToothCount(const std::string& text);
  const std::string& toothCount() const { return teeth_; }
  ToothCountSource source() const { return source_; }
  void SetSource(ToothCountSource source) { source_ = source; }

  // The first change of D_M_Edit or k_M_Edit after the program set it is no
  // edit of the user's.
  void ArmFirstChange(OwnField field) { Flag(field) = true; }
  void DisarmFirstChange(OwnField field) { Flag(field) = false; }
  // True (and disarmed) when the change is that first one.
  bool ConsumeFirstChange(OwnField field);

 private:
  bool& Flag(OwnField field) {
    return field == OwnField::kBall ? ballFirstChange_ : teethFirstChange_;
  }

  WindowFields& fields_;
  Gear& gear_;
  std::string ball_;
  std::string teeth_;
  ToothCountSource source_ = ToothCountSource::kNotChosen;
  bool ballFirstChange_ = true;
  bool teethFirstChange_ = true;
};

}  // namespace silvarone
