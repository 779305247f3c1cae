// The warnings of the measurability checks: beside the values on the
// calculation page in the language of the moment, and in the report; none for
// a gear whose checks hold, and the page's results stay as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model_fixture.h"

namespace silvarone {
namespace {

// A spur gear m_n 2, z 20, x 0 on the calculation page, with the span over
// `k` teeth, the MdK ball `ballOfMdK` and the instrument's ball `ballOfQ`.
void SpurGear(WindowModel& model, const std::string& k, const std::string& ballOfMdK,
              const std::string& ballOfQ) {
  model.SelectModuleSeries(kModuleManual);
  for (const auto& [field, text] :
       std::vector<std::pair<std::string, std::string>>{{"Input_m_n", "2"},
                                                        {"Input_z", "20"},
                                                        {"Input_Calc_kM", k},
                                                        {"Input_Calc_DM", ballOfMdK}}) {
    model.Edited(field, text);
    model.Confirm(field);
  }
  model.SelectBall(kBallManual);
  model.Edited("D_M_Edit", ballOfQ);
  model.Confirm("D_M_Edit");
  model.ChangePage(Page::kCalculation);
}

// Hand calculation, m_n 2, z 20, alpha_n 20: d_b 37.587705, d_Na 44, d_Nf 35,
// e_bt 2.391910.
//   k 3: W_k 15.320879, d_Wk 40.590207 on the flank.
//   D 3.5: inv alpha_Kt = 3.5 / d_b - e_bt / d_b = 0.0294801, alpha_Kt
//     24.868727, d_K 41.429290, d_MK 2 sqrt(18.793852^2 + (8.711351 - 1.75)^2)
//     = 40.083378 on the flank, edge 44.929290 > 44.
TEST_F(Window, NoWarningsWhenTheChecksHold) {
  Start();
  SpurGear(model, "3", "3.5", "3.5");
  ASSERT_EQ(model.page(), Page::kCalculation);
  EXPECT_TRUE(model.measurability().AllSound());
  for (const char* name : {"Warnung_Wk", "Warnung_MdK", "Warnung_Q"}) {
    EXPECT_EQ(Text(name), "") << name;
    EXPECT_EQ(model.field(name).toolTip, "") << name;
  }
  const ReportInput report = model.ReportData();
  EXPECT_TRUE(report.spanWarnings.empty());
  EXPECT_TRUE(report.ballDimensionWarnings.empty());
  EXPECT_TRUE(report.checkDimensionWarnings.empty());
}

// Hand calculation as above:
//   k 5: W_k = 2 cos 20 (4.5 pi + 20 inv 20) = 27.129404,
//     d_Wk = sqrt(37.587705^2 + 27.129404^2) = 46.355584 past d_Na 44.
//   MdK ball 2.5: inv alpha_Kt 0.0028757, alpha_Kt 11.685494, d_K 38.383231,
//     d_MK 37.955920 on the flank, edge 40.883231 <= 44: it does not stand out.
//   Instrument's ball 8: inv alpha_Kt 0.1492001, alpha_Kt 40.654501, d_K
//     49.545388, roll 16.139315 - 4, d_MK 44.746927 past d_Na 44.
TEST_F(Window, FailedChecksAreWordedBesideTheirValuesInTheLanguageOfTheMoment) {
  Start();
  SpurGear(model, "5", "2.5", "8");
  ASSERT_EQ(model.page(), Page::kCalculation);  // the checks never block the page
  const std::string q = Text("Kontrollmass");
  EXPECT_EQ(q, "  " + model.gear().rec.Q.text);

  model.SwitchLanguage(kGerman);
  EXPECT_EQ(Text("Warnung_Wk"), "Wk: Messflächen über d_Na hinaus");
  EXPECT_EQ(model.field("Warnung_Wk").toolTip,
            "Messflächen berühren bei d_Wk = 46.356 mm, über den Kopfnutzkreis d_Na = 44.000 mm "
            "hinaus.");
  EXPECT_EQ(Text("Warnung_MdK"), "MdK: Kugel ragt nicht vor");
  EXPECT_EQ(model.field("Warnung_MdK").toolTip,
            "Kugel ragt nicht über die Zähne hinaus (Kugelrand bei 40.883 mm, d_Na = 44.000 mm).");
  EXPECT_EQ(Text("Warnung_Q"),
            "Kugel berührt bei d_MK = 44.747 mm, über den Kopfnutzkreis d_Na = 44.000 mm hinaus.");

  model.SwitchLanguage(kEnglish);
  EXPECT_EQ(Text("Warnung_Wk"), "Wk: anvils past d_Na");
  EXPECT_EQ(Text("Warnung_MdK"), "MdK: ball does not stand out");
  EXPECT_EQ(Text("Warnung_Q"),
            "Ball touches at d_MK = 44.747 mm, past the usable tip circle d_Na = 44.000 mm.");
  EXPECT_EQ(Text("Kontrollmass"), q);  // a result is never changed by its checks

  const std::vector<std::string> lines = BuildReport(model.ReportData());
  const auto after = [&](const std::string& row) {
    const auto it = std::find_if(lines.begin(), lines.end(),
                                 [&](const std::string& line) { return line.starts_with(row); });
    return it != lines.end() && it + 1 != lines.end() ? *(it + 1) : std::string("<none>");
  };
  EXPECT_EQ(after("Lower check gauge"),
            "  ! Ball touches at d_MK = 44.747 mm, past the usable tip circle d_Na = 44.000 mm.");
  EXPECT_EQ(after("Lower base tangent length"),
            "  ! Anvils touch at d_Wk = 46.356 mm, past the usable tip circle d_Na = 44.000 mm.");
  EXPECT_EQ(
      after("Lower dia. two-ball measurement"),
      "  ! Ball does not stand out over the teeth (ball edge at 40.883 mm, d_Na = 44.000 mm).");
}

}  // namespace
}  // namespace silvarone
