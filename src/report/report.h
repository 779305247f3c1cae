// The calculation report: fixed-width text lines of the current gear, shown
// in the report window, printed, and printed by the command line. It only
// copies texts the calculation and the window already hold.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/gear.h"

namespace silvarone {

// A line of the report holding only this starts a new page: the printer
// turns the page there, a text file keeps it as a form feed.
inline constexpr const char* kReportPageBreak = "\f";

// The page of the inspection log, as the window model words it: the
// gear's records and the figures of its run chart.
struct ReportLog {
  std::string title;                 // "Prüfprotokoll"
  std::string series;                // which dimension the figures rest on, with its limits
  std::vector<std::string> figures;  // "Anzahl 5", "Mittelwert 16.1700 mm", ...
  std::vector<std::string> headings;
  struct Row {
    std::vector<std::string> cells;  // as many as headings
    std::string voidLine;            // a void record's reason line; empty while valid
  };
  std::vector<Row> rows;  // newest first
  std::string more;       // the records not listed, or empty
  std::string voidNote;   // what the void mark means (printed when a row is void)
};

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

  // The current gear's inspection log, on a page after the report's lines;
  // nothing when the gear has no records.
  std::optional<ReportLog> log;
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
