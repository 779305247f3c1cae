#include "ui/back_calculation_box.h"

#include "ui/controls.h"

namespace silvarone {

void BackCalculationBox::ClearResults() {
  search_.Discard();
  for (const std::string_view name : {ctl::Edit6, ctl::Edit7, ctl::Edit8})
    fields_.FieldOf(name).text.clear();
}

void BackCalculationBox::Apply(BoxAction action) {
  // Whatever the box does, a result it showed belongs to the gear before.
  ClearResults();
  const bool standard = gear_.state.CalculationMode == kModeStandard;
  if (action == BoxAction::kShow || action == BoxAction::kHide) {
    visible_ = action == BoxAction::kShow && standard;
  }
  if (!standard || action == BoxAction::kHide || action == BoxAction::kClearResults) return;
  Field& input = fields_.FieldOf(ctl::Input_checkGauge);
  input.text.clear();
  input.saved.clear();
  gear_.rec.Q_measured.text.clear();
}

BackCalculationOutcome BackCalculationBox::Run(const std::function<void()>& progressed) {
  const std::string measured = fields_.FieldOf(ctl::Input_checkGauge).text;
  for (const std::string_view name : {ctl::Edit6, ctl::Edit7, ctl::Edit8})
    fields_.FieldOf(name).text.clear();
  progressVisible_ = true;
  progress_ = 0;
  search_.progress = [this, &progressed](int position) {
    progress_ = position;
    if (progressed) progressed();
  };
  const BackCalculationOutcome outcome = search_.Run(gear_, measured);
  search_.progress = nullptr;
  progressVisible_ = false;
  fields_.FieldOf(ctl::Edit6).text = search_.xEText;
  fields_.FieldOf(ctl::Edit7).text = search_.WkText;
  fields_.FieldOf(ctl::Edit8).text = search_.MdkText;
  return outcome;
}

}  // namespace silvarone
