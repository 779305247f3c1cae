#include "ui/ball_in_use.h"

#include "ui/controls.h"

namespace silvarone {
void BallAndTeethInUse::TakeBall(const std::string& text) {
  ShowBall(text);
  TakeBallText(gear_, text);
}

void BallAndTeethInUse::ShowBall(const std::string& text) {
  ball_ = text;
  fields_.FieldOf(ctl::Used_D_M).text = text;
}

void BallAndTeethInUse::TakeToothCount(const std::string& text) {
  ShowToothCount(text);
  TakeToothCountText(gear_, text);
}

void BallAndTeethInUse::ShowToothCount(const std::string& text) {
  teeth_ = text;
  fields_.FieldOf(ctl::Used_k_M).text = text;
}

bool BallAndTeethInUse::ConsumeFirstChange(OwnField field) {
  bool& flag = Flag(field);
  if (!flag) return false;
  flag = false;
  return true;
}

}  // namespace silvarone
