// The report copies the texts the window and the records hold.
#include "storage/project.h"
#include "ui/measurability_texts.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

// The fields of the check dimension group show their values after two blanks.
std::string WithoutIndent(const std::string& text) {
  return text.starts_with("  ") ? text.substr(2) : text;
}

std::vector<std::string> Sentences(const std::vector<Warning>& warnings) {
  std::vector<std::string> out;
  for (const Warning& warning : warnings)
    out.push_back(warning.full);
  return out;
}

// The measurability warnings in full, each below the group it concerns.
void AddWarnings(ReportInput& in, const MeasurabilityWarnings& warnings) {
  in.checkDimensionWarnings = Sentences(warnings.instrument);
  in.spanWarnings = Sentences(warnings.span);
  in.ballDimensionWarnings = Sentences(warnings.overBalls);
}

}  // namespace

ReportInput WindowModel::ReportData() const {
  const Gear& g = gear();
  const GearRecords& r = g.rec;
  ReportInput in;
  in.language = g.state.language;
  in.mode = g.state.CalculationMode;
  in.projectName = projectData_.name;
  in.projectDate = DateText(projectData_.date);
  in.projectLeader = projectData_.leader;
  in.beta = r.beta.value;
  in.z = r.z.value;
  in.m_n = r.m_n.text;
  in.alpha_n = r.alpha_n.text;
  in.beta_text = r.beta.text;
  in.z_text = r.z.text;
  in.b = r.b_w.text;
  in.x = r.x.text;
  const ToleranceState& tolerance = workspace_.tolerance;
  in.dinDeviations = tolerance.source == kSourceDin;
  in.deviationSeries = tolerance.activeDeviation;
  in.toleranceSeries = tolerance.activeTolerance;
  in.deviationPair = DeviationPair(r.A_sne.value, r.A_sni.value, g.state.Nachkommastellenzahl_1);
  in.d = r.d.text;
  in.d_b = r.d_b.text;
  in.recommendedBall = field(ctl::recommended_D_M).text;
  in.usedBall = field(ctl::Used_D_M).text;
  in.recommendedTeeth = field(ctl::recommended_k_M).text;
  in.usedTeeth = field(ctl::Used_k_M).text;
  // The check and test dimensions as the calculation page shows them.
  in.Q = WithoutIndent(field(ctl::Kontrollmass).text);
  in.QD = WithoutIndent(field(ctl::Q_plus_D_M).text);
  in.QDe = WithoutIndent(field(ctl::Edit2).text);
  in.QDi = WithoutIndent(field(ctl::Edit3).text);
  in.recommendedSpanTeeth = field(ctl::Edit103).text;
  in.givenTeeth = field(ctl::Input_Calc_kM).text;
  in.Wk = field(ctl::Edit100).text;
  in.Wke = field(ctl::Edit101).text;
  in.Wki = field(ctl::Edit102).text;
  in.recommendedMeasuringBall = field(ctl::Edit203).text;
  in.givenBall = field(ctl::Input_Calc_DM).text;
  in.Mdk = field(ctl::Edit200).text;
  in.Mdke = field(ctl::Edit201).text;
  in.Mdki = field(ctl::Edit202).text;
  in.xE = field(ctl::Edit300).text;
  in.xEe = field(ctl::Edit301).text;
  in.xEi = field(ctl::Edit302).text;
  AddWarnings(in, WordWarnings(measurability_, g.state.language, g.state.Nachkommastellenzahl_1));
  in.backCalculationDone = backCalculationDone();
  in.measured = field(ctl::Input_checkGauge).text;
  in.xEreal = field(ctl::Edit6).text;
  in.Wkreal = field(ctl::Edit7).text;
  in.Mdkreal = field(ctl::Edit8).text;
  return in;
}

}  // namespace silvarone
