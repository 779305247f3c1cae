// The fields of the drawing data, the given values, the comparison table
// and the tolerances, rewritten from the record texts.
#include <array>

#include "core/geometry.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

constexpr std::string_view kGivenFields[] = {
    ctl::Input_Calc_Wk,  ctl::Input_Calc_Wke,  ctl::Input_Calc_Wki,
    ctl::Input_Calc_Mdk, ctl::Input_Calc_Mdke, ctl::Input_Calc_Mdki,
    ctl::Input_Calc_Xe,  ctl::Input_Calc_Xee,  ctl::Input_Calc_Xei};

}  // namespace

void WindowModel::ShowTexts(const std::vector<std::pair<std::string_view, const TGear*>>& pairs) {
  for (const auto& [name, record] : pairs)
    FieldOf(name).text = record->text;
}

void WindowModel::RefreshDrawingFields() {
  const GearRecords& r = mutableGear().rec;
  ShowTexts({{ctl::Input_alpha_n, &r.alpha_n},
             {ctl::Input_beta, &r.beta},
             {ctl::Input_z, &r.z},
             {ctl::Input_b_w, &r.b_w},
             {ctl::Input_x, &r.x},
             {ctl::Input_Kugelabstand, &r.D_distance},
             {ctl::Edit5, &r.d},
             {ctl::Edit1, &r.d_b},
             {ctl::Edit15, &r.d_Na},
             {ctl::Edit17, &r.d_Nf}});
  for (const std::string_view name :
       {ctl::Input_m_n, ctl::Input_alpha_n, ctl::Input_beta, ctl::Input_z, ctl::Input_b_w,
        ctl::Input_x, ctl::Input_Kugelabstand}) {
    Field& f = FieldOf(name);
    if (f.state == FieldState::kPending) f.state = FieldState::kNormal;
    if (name != ctl::Input_m_n) f.saved = f.text;
  }
}

void WindowModel::RecomputeDrawingFields() {
  BasicGeometry(mutableGear(), mutableGear().rec.x);
  Diameters(mutableGear());
  RefreshDrawingFields();
}

void WindowModel::RefreshGivenFields() {
  const GearRecords& r = mutableGear().rec;
  ShowTexts({{ctl::Input_Calc_Wk, &r.Wk_given},
             {ctl::Input_Calc_Wke, &r.Wke_given},
             {ctl::Input_Calc_Wki, &r.Wki_given},
             {ctl::Input_Calc_kM, &r.k_given},
             {ctl::Input_Calc_Mdk, &r.Mdk_given},
             {ctl::Input_Calc_Mdke, &r.Mdke_given},
             {ctl::Input_Calc_Mdki, &r.Mdki_given},
             {ctl::Input_Calc_DM, &r.DM_given},
             {ctl::Input_Calc_Xe, &r.Xe_given},
             {ctl::Input_Calc_Xee, &r.Xee_given},
             {ctl::Input_Calc_Xei, &r.Xei_given},
             {ctl::Edit10, &r.k_given},
             {ctl::Edit9, &r.DM_given}});
  for (const std::string_view name : kGivenFields) {
    FieldOf(name).state = FieldState::kNormal;
    FieldOf(name).saved = FieldOf(name).text;
  }
  FieldOf(ctl::Input_Calc_kM).saved = FieldOf(ctl::Input_Calc_kM).text;
  FieldOf(ctl::Input_Calc_DM).saved = FieldOf(ctl::Input_Calc_DM).text;
}

void WindowModel::RefreshComparison() {
  const GearRecords& r = mutableGear().rec;
  FieldOf(ctl::Edit2).text = "  " + r.Q_plus_D_M_upper.text;
  FieldOf(ctl::Edit3).text = "  " + r.Q_plus_D_M_lower.text;
  FieldOf(ctl::Q_plus_D_M).text = "  " + r.Q_plus_D_M.text;
  ShowRangeDisplay();
  const int mode = mutableGear().state.CalculationMode;
  const std::array<ComparisonRow, 3> table = ComparisonTable(gear());
  // The rows Wk, MdK and xE; the columns nominal, upper and lower.
  using Names = std::array<std::string_view, 3>;
  const std::array<std::pair<Names, ComparisonRow>, 3> rows = {{
      {{ctl::Edit100, ctl::Edit101, ctl::Edit102}, table[0]},
      {{ctl::Edit200, ctl::Edit201, ctl::Edit202}, table[1]},
      {{ctl::Edit300, ctl::Edit301, ctl::Edit302}, table[2]},
  }};
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (std::size_t column = 0; column < 3; ++column) {
      Field& f = FieldOf(rows[row].first[column]);
      f.text = rows[row].second[column]->text;
      f.highlighted = mode != kModeStandard && static_cast<int>(row) + 1 == mode;
      f.readOnly = true;
      f.state = FieldState::kResult;
    }
  }
  FieldOf(ctl::Edit103).text = r.k_span.text;
  FieldOf(ctl::Edit104).text = FieldOf(ctl::Input_Calc_kM).text;
  // The given tooth count and ball stand out like the given row.
  FieldOf(ctl::Edit104).highlighted = true;
  FieldOf(ctl::Edit204).highlighted = true;
  FieldOf(ctl::Edit203).text = r.D_M_recommended.text;
  FieldOf(ctl::Edit204).text = FieldOf(ctl::Input_Calc_DM).text;
  // The warnings follow the values they concern.
  measurability_ = CheckMeasurability(gear());
  ShowMeasurability();
}

void WindowModel::ShowToleranceFields() {
  const ToleranceState& t = workspace_.tolerance;
  const GearRecords& r = mutableGear().rec;
  const bool manual = t.source == kSourceManual;
  FieldOf(ctl::Input_A_sne).text = manual ? r.A_sne_manual.text : r.A_sne.text;
  FieldOf(ctl::Input_T_sn).text = manual ? r.T_sn_manual.text : r.T_sn.text;
  FieldOf(ctl::Input_A_sni).text = r.A_sni.text;
  for (const std::string_view name : {ctl::Input_A_sne, ctl::Input_T_sn}) {
    Field& f = FieldOf(name);
    f.readOnly = !manual;
    f.state = manual ? FieldState::kNormal : FieldState::kResult;
    f.saved = f.text;
  }
  Selection& deviation = SelectionOf(ctl::DevRowComboBox);
  deviation.items = DeviationSeriesNames(t);
  deviation.index = SeriesNameIndex(deviation.items, t.activeDeviation);
  Selection& tolerance = SelectionOf(ctl::TolRowComboBox);
  tolerance.items = ToleranceSeriesNames(t);
  tolerance.index = SeriesNameIndex(tolerance.items, t.activeTolerance);
  // The series lists are open for table deviations in the standard input.
  const bool listsOpen = !manual && mutableGear().state.CalculationMode == kModeStandard;
  deviation.enabled = listsOpen;
  tolerance.enabled = listsOpen;
  SelectionOf(ctl::RadioGroup_Verzahnung).index = t.source;
}

void WindowModel::RecomputeTolerances() {
  if (mutableGear().state.CalculationMode != kModeStandard) return;
  ChangeToleranceSource(mutableGear(), workspace_.tolerance, workspace_.tolerance.source);
  ShowToleranceFields();
}

}  // namespace silvarone
