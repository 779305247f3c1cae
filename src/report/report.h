// The calculation report: fixed-width text lines of the current gear, shown
// in the report window, printed, and printed by the command line. It only
// copies texts the calculation and the window already hold.
#pragma once

#include <string>
#include <vector>

#include "core/gear.h"

namespace silvarone {

// What the report shows, as texts (and the two numbers that decide the gear
// type line).
struct ReportInput {
  Language language = kGerman;
  CalculationModeKind mode = kModeStandard;
  std::string projectName, projectDate, projectLeader;
  double beta = 0.0;
  double z = 0.0;

  std::string m_n, alpha_n, beta_text, z_text, b, x;
  bool dinDeviations = true;    // the deviations come from the DIN 3967 tables
  std::string deviationSeries;  // "d" and "25" give "d25"
  std::string toleranceSeries;
  std::string deviationPair;  // upper/lower in mm
  std::string d, d_b;
  std::string recommendedBall, usedBall, recommendedTeeth, usedTeeth;
  std::string Q, QD, QDe, QDi;
  std::string recommendedSpanTeeth, givenTeeth;
  std::string Wk, Wke, Wki;
  std::string recommendedMeasuringBall, givenBall;
  std::string Mdk, Mdke, Mdki;
  std::string xE, xEe, xEi;
  // Warnings of the measurability checks that failed, one sentence each,
  // printed below the check dimension, the span and the dimension over balls.
  std::vector<std::string> checkDimensionWarnings, spanWarnings, ballDimensionWarnings;

  bool backCalculationDone = false;
  std::string measured, xEreal, Wkreal, Mdkreal;
};

// Upper and lower deviation in micrometres as "upper/lower" in millimetres.
std::string DeviationPair(double upperMicrometres, double lowerMicrometres, int decimals);

std::vector<std::string> BuildReport(const ReportInput& input);

// Who made the program and where its source and manual are, as the report's
// footer and the about window name them (each at most 71 characters).
struct MakerTexts {
  std::string program;  // name, version and date
  std::string licence;
  std::string manual;  // where the help menu keeps it
  std::string web;     // where source and manual are published; empty without an address
};
MakerTexts Maker(Language language);

}  // namespace silvarone
