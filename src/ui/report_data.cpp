// The report copies the texts the window and the records hold.
#include "storage/project.h"
#include "ui/window_model.h"

namespace silvarone {

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
  in.recommendedBall = field("recommended_D_M").text;
  in.usedBall = field("Used_D_M").text;
  in.recommendedTeeth = field("recommended_k_M").text;
  in.usedTeeth = field("Used_k_M").text;
  in.Q = r.Q.text;
  in.QD = r.Q_plus_D_M.text;
  in.QDe = r.Q_plus_D_M_upper.text;
  in.QDi = r.Q_plus_D_M_lower.text;
  in.recommendedSpanTeeth = field("Edit103").text;
  in.givenTeeth = field("Input_Calc_kM").text;
  in.Wk = field("Edit100").text;
  in.Wke = field("Edit101").text;
  in.Wki = field("Edit102").text;
  in.recommendedMeasuringBall = field("Edit203").text;
  in.givenBall = field("Input_Calc_DM").text;
  in.Mdk = field("Edit200").text;
  in.Mdke = field("Edit201").text;
  in.Mdki = field("Edit202").text;
  in.xE = field("Edit300").text;
  in.xEe = field("Edit301").text;
  in.xEi = field("Edit302").text;
  in.backCalculationDone = backCalculationDone();
  in.measured = field("Input_checkGauge").text;
  in.xEreal = field("Edit6").text;
  in.Wkreal = field("Edit7").text;
  in.Mdkreal = field("Edit8").text;
  return in;
}

}  // namespace silvarone
