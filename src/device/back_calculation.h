// Back-calculation: from the test dimension measured on a real gear, the
// generating profile shift xE for which the computed test dimension matches,
// and from it the actual span measurement and dimension over balls. A stepped
// scan in two passes, coarse then fine.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/gear.h"

namespace silvarone {

// 0 when the computed test dimension lies above the measured one (search
// downwards), else 1.
int Direction(double computed, double measured);

struct ScanResult {
  bool found = false;
  double best = 0.0;
  double smallest = 0.0;
  int steps = 0;
};

enum class BackCalculationOutcome {
  kSucceeded,
  kRejected,     // the measured text does not convert or is out of limits (already reported)
  kImplausible,  // 5 mm or more from the nominal test dimension
  kNotFound,     // a pass found no profile shift
};

class BackCalculation {
 public:
  // Runs the back-calculation for the measured test dimension text. The
  // window tells the user of kImplausible and kNotFound.
  BackCalculationOutcome Run(Gear& gear, const std::string& measuredText);

  // One pass of the scan from x0 with step S inside the window [lower, upper]
  // of the difference measured - computed.
  ScanResult Scan(Gear& gear, double lower, double upper, double step, int maxSteps, double x0,
                  double measured, int direction);

  // Forgets the result: an input it depends on has changed.
  void Discard();

  bool valid = false;
  // Texts of the fields xEreal, Wkreal and Mdkreal.
  std::string xEText, WkText, MdkText;
  // Called once per scan step with a position that cycles 0..100.
  std::function<void(int)> progress;

 private:
  double TestDimensionAt(Gear& gear, double x);
  // The two passes: nothing when the measured value is implausible, else the
  // last working profile shift (the best one when found_).
  std::optional<double> Search(Gear& gear, double measured);
  double lastTrial_ = 0.0;
  bool found_ = false;
};

}  // namespace silvarone
