// The back-calculation box of the calculation page: the measured test
// dimension (Input_checkGauge), the results xEreal, Wkreal and Mdkreal
// (Edit6 to Edit8) and the progress bar while the search runs. The box
// exists in the standard input only; every change the results depend on
// empties them.
#pragma once

#include <functional>

#include "device/back_calculation.h"
#include "ui/window_fields.h"

namespace silvarone {

enum class BoxAction {
  kShow,          // visible in the standard input; input and results emptied
  kHide,          // hidden; results emptied
  kClearInput,    // input and results emptied
  kClearResults,  // results emptied
};

class BackCalculationBox {
 public:
  BackCalculationBox(WindowFields& fields, Gear& gear) : fields_(fields), gear_(gear) {}

  void Apply(BoxAction action);
  // Searches the profile shift of the measured text in Input_checkGauge and
  // shows what it found; `progressed` is called at every step of the search.
  BackCalculationOutcome Run(const std::function<void()>& progressed);

  bool visible() const { return visible_; }
  bool done() const { return search_.valid; }
  bool progressVisible() const { return progressVisible_; }
  int progress() const { return progress_; }

 private:
  void ClearResults();

  WindowFields& fields_;
  Gear& gear_;
  BackCalculation search_;
  bool visible_ = false;
  bool progressVisible_ = false;
  int progress_ = 0;
};

}  // namespace silvarone
