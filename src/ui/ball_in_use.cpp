#include "ui/ball_in_use.h"

#include "ui/controls.h"

namespace silvarone {
namespace {

bool UsableBallText(const std::string& text) {
  return !text.empty() && text != "." && text != "-" && text != "-." && text != ".-";
}

}  // namespace

void BallAndTeethInUse::TakeBall(const std::string& text) {
  ball_ = text;
  fields_.FieldOf(ctl::Used_D_M).text = text;
  TGear& ball = gear_.rec.D_M;
  ball.text = text;
  if (UsableBallText(text)) {
    ParseParameter(ball, {});
  } else {
    // No ball: nothing may go on being computed with the previous one.
    ball.value = kNotSet;
    ball.status = kStatusNotANumber;
  }
}

void BallAndTeethInUse::TakeToothCount(const std::string& text) {
  teeth_ = text;
  fields_.FieldOf(ctl::Used_k_M).text = text;
  TGear& teeth = gear_.rec.k_M;
  teeth.text = text;
  ParseParameter(teeth, {});
}

bool BallAndTeethInUse::ConsumeFirstChange(OwnField field) {
  bool& flag = Flag(field);
  if (!flag) return false;
  flag = false;
  return true;
}

}  // namespace silvarone
