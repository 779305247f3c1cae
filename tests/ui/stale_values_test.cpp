// Every value the window shows belongs to the gear and the choices of the
// moment: nothing of an earlier gear, ball or back-calculation stays.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "device/series.h"
#include "report/report.h"
#include "ui/model_fixture.h"

namespace silvarone {
namespace {

std::string AllDigits(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

bool ReportSays(const WindowModel& model, const std::string& text) {
  for (const std::string& line : BuildReport(model.ReportData())) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

TEST_F(Window, AGearMeasuredExactlyAtItsNominalTestDimensionIsNominal) {
  // m_n 2, z 20, x 0.2 spur and the same with beta 15: the nominal test
  // dimension typed with all its digits gives back xE = x with its Wk and MdK.
  for (const char* beta : {"0", "15"}) {
    Start(
        std::string("[data]\r\nNormalmodul m_n=2\r\nNormalmodul m_n manual=2\r\nZaehnezahl z=20\r\n"
                    "Profilverschiebungsfaktor x=0.2\r\nProfilverschiebung x=0.2\r\n"
                    "Schraegungswinkel beta=") +
        beta + "\r\n[common configuration]\r\nNormalmodul Type=2\r\n");
    model.ChangePage(Page::kCalculation);
    ASSERT_EQ(model.page(), Page::kCalculation) << beta;
    model.RunCheckDimension();
    ASSERT_TRUE(Enter("Input_checkGauge", AllDigits(model.gear().rec.Q_plus_D_M.value)));
    model.RunBackCalculation();
    EXPECT_TRUE(presenter.TakeTexts().empty()) << beta;
    EXPECT_EQ(Text("Edit6"), "0.200") << beta;
    EXPECT_FALSE(Text("Edit7").empty()) << beta;
    EXPECT_FALSE(Text("Edit8").empty()) << beta;
    EXPECT_TRUE(model.backCalculationDone());
  }
}

TEST_F(Window, StoredBallsSelectTheirListEntryByValue) {
  // A first start stores the balls "10"; both lists write them "10.000".
  Start();
  model.SelectBall(kBallDinSeries);
  EXPECT_EQ(Text("Used_D_M"), "10.000");
  EXPECT_EQ(model.selection("ComboBox3")
                .items.at(static_cast<std::size_t>(model.selection("ComboBox3").index)),
            "10.000");
  model.SelectBall(kBallDeviceSequence);
  EXPECT_EQ(Text("Used_D_M"), "10.000");
  EXPECT_EQ(model.selection("ComboBox4").index, 10);  // the eleventh ball of the shipped file
  EXPECT_EQ(model.gear().rec.D_M.value, 10.0);
}

TEST_F(Window, NoBallInUseLeavesNoCheckDimensionOfTheBallBefore) {
  // A program folder whose DIN ball file is missing: its list is empty.
  const std::string program = folder_.string() + "/program/";
  std::filesystem::copy(SILVARONE_DATA_DIR, program, std::filesystem::copy_options::recursive);
  std::filesystem::remove(program + "dat/" + kDinBallFile);
  ASSERT_TRUE(model.Start(
      {.settingsDirectory = home, .programDirectory = program, .checkPdfViewer = false}));
  model.SelectBall(kBallRecommended);
  model.ChangePage(Page::kCalculation);
  model.RunCheckDimension();
  ASSERT_FALSE(Text("Kontrollmass").empty());
  ASSERT_FALSE(model.okPicture().empty());

  model.SelectBall(kBallDinSeries);
  EXPECT_EQ(Text("Used_D_M"), "");
  for (const char* name : {"Kontrollmass", "Q_plus_D_M", "Edit2", "Edit3"}) {
    EXPECT_EQ(Text(name), "") << name;
  }
  EXPECT_EQ(model.okPicture(), "");
  EXPECT_EQ(model.rangeDisplay().position, 0);
  EXPECT_EQ(model.rangeDisplay().rangeStartLabel, "");
  model.RunCheckDimension();
  EXPECT_EQ(Text("Kontrollmass"), "");
  // The report has no Q of the earlier ball either.
  const ReportInput report = model.ReportData();
  EXPECT_EQ(report.Q, "");
  EXPECT_EQ(report.QD, "");
}

TEST_F(Window, TipAndRootDiametersFollowTheGear) {
  // Useful tip and root diameters by default (z + 2) m_n and (z - 2.5) m_n.
  Start();  // m_n 1, z -50: -48 and -52.5
  EXPECT_EQ(Text("Edit15"), "-48.000");
  EXPECT_EQ(Text("Edit17"), "-52.500");
  struct Step {
    const char* field;
    const char* text;
    const char* tip;
    const char* root;
  };
  model.SelectModuleSeries(kModuleManual);
  for (const Step& step : std::vector<Step>{
           {"Input_z", "30", "32.000", "27.500"},     // m_n 1
           {"Input_m_n", "2", "64.000", "55.000"},    // z 30
           {"Input_z", "-20", "-36.000", "-45.000"},  // m_n 2
       }) {
    ASSERT_TRUE(Enter(step.field, step.text));
    EXPECT_EQ(Text("Edit15"), step.tip) << step.field << " " << step.text;
    EXPECT_EQ(Text("Edit17"), step.root) << step.field << " " << step.text;
  }
}

TEST_F(Window, HelixAngleDecidesSpurOrHelicalAtOnce) {
  // m_n 1, z -50: d = m_n z / cos(beta); cos 15 deg = 0.96592583, d = -51.764.
  Start();
  struct Step {
    const char* beta;
    const char* status;
    const char* gearType;
    const char* d;
  };
  for (const Step& step : std::vector<Step>{
           {"15", "   Verzahnung: schräg", "Schrägverzahntes", "-51.764"},
           {"0", "   Verzahnung: gerade", "Geradverzahntes", "-50.000"},
           {"20", "   Verzahnung: schräg", "Schrägverzahntes",
            "-53.209"},  // cos 20 deg = 0.93969262
       }) {
    ASSERT_TRUE(Enter("Input_beta", step.beta));
    EXPECT_EQ(model.statusBar()[1], step.status) << step.beta;
    EXPECT_TRUE(ReportSays(model, step.gearType)) << step.beta;
    EXPECT_EQ(Text("Edit5"), step.d) << step.beta;
    EXPECT_EQ(model.gear().state.HelicalGear, std::string(step.beta) != "0") << step.beta;
  }
}

TEST_F(Window, WhatClearsTheBackCalculationClearsAllThreeResults) {
  struct Case {
    const char* what;
    std::function<void()> action;
  };
  const std::vector<Case> cases = {
      {"profile shift", [this] { Enter("Input_x", "0.1"); }},
      {"teeth", [this] { Enter("Input_z", "-51"); }},
      {"helix angle", [this] { Enter("Input_beta", "10"); }},
      {"module", [this] { model.SelectModuleFromSeries(kModuleSeries1Item, 20); }},
      {"input mode", [this] { model.SelectInputMode(kModeGivenProfileShift); }},
      {"ball", [this] { model.SelectBall(kBallDeviceSequence); }},
      {"typed ball",
       [this] {
         model.SelectBall(kBallManual);
         Enter("D_M_Edit", "3");
       }},
      {"tooth count",
       [this] {
         model.SelectToothCount(1);
         Enter("k_M_Edit", "-7");
       }},
      {"measured value", [this] { Enter("Input_checkGauge", "1"); }},
      {"ball distance", [this] { Enter("Input_Kugelabstand", "40"); }},
  };
  for (const Case& c : cases) {
    Start(
        "[data]\r\nMesskugeldurchmesser D_M manual=3.5\r\n[common configuration]\r\n"
        "Messkugelfolge=3\r\n");
    model.ChangePage(Page::kCalculation);
    model.RunCheckDimension();
    ASSERT_TRUE(Enter("Input_checkGauge", model.gear().rec.Q_plus_D_M_lower.text)) << c.what;
    model.RunBackCalculation();
    ASSERT_FALSE(Text("Edit8").empty()) << c.what;
    c.action();
    for (const char* name : {"Edit6", "Edit7", "Edit8"}) {
      EXPECT_EQ(Text(name), "") << c.what << ": " << name;
    }
    presenter.TakeTexts();
  }
}

}  // namespace
}  // namespace silvarone
