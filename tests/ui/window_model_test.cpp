// The main window's model driven as a user would drive the window.
#include "ui/window_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device/series.h"
#include "storage/ini_document.h"
#include "storage/settings.h"
#include "ui/model_fixture.h"

namespace silvarone {
namespace {

TEST_F(Window, FirstStartOnAnEmptySettingsFolder) {
  Start();
  EXPECT_EQ(Text("Input_m_n"), "1,0");
  EXPECT_EQ(Text("Input_z"), "-50");
  // Read as "20°" and "0°"; the validation pass of the start writes the
  // angles in their normal form.
  EXPECT_EQ(model.gear().rec.alpha_n.value, 20.0);
  EXPECT_EQ(Text("Input_alpha_n"), "20");
  EXPECT_EQ(Text("Input_beta"), "0");
  EXPECT_EQ(model.workspace().instrument.name, "PRALO 175-200");
  EXPECT_EQ(Text("SpinNKZ1"), "3");
  EXPECT_EQ(Text("SpinNKZ2"), "3");
  EXPECT_EQ(Text("SpinNKZ3"), "0");
  EXPECT_EQ(model.gear().state.language, kGerman);
  EXPECT_EQ(model.page(), Page::kDrawing1);
  EXPECT_EQ(model.statusBar()[0], "  Projekt: unbekannt");
  EXPECT_EQ(model.statusBar()[2], "  Verzahnungstyp: Innenverzahnung");
  EXPECT_EQ(model.statusBar()[3], "  Berechnungsmode:  Standard");
  EXPECT_TRUE(std::filesystem::is_directory(home + "projects"));
  EXPECT_EQ(Stored("data", "Zaehnezahl z"), "-50");
  EXPECT_EQ(Stored("common configuration", "Messgeraeteauswahl"), "PRALO 175-200");
  EXPECT_EQ(Stored("Project data", "Project File Extension"), "tvp");
  EXPECT_TRUE(model.backCalculationBoxVisible());
  EXPECT_EQ(model.selection("ComboBox3").items.front(), "0.500");
  EXPECT_EQ(model.documents().size(), 4u);
}

TEST_F(Window, ConfirmedModuleIsNormalisedStoredAndRecalculated) {
  Start();
  model.SelectModuleSeries(kModuleManual);
  model.Edited("Input_m_n", "2,5");
  EXPECT_EQ(model.field("Input_m_n").state, FieldState::kPending);
  EXPECT_EQ(model.pendingField(), 1);
  EXPECT_TRUE(model.Confirm("Input_m_n"));
  EXPECT_EQ(Text("Input_m_n"), "2.5");
  EXPECT_EQ(Text("Edit12"), "2.5");
  EXPECT_EQ(model.field("Input_m_n").state, FieldState::kNormal);
  EXPECT_EQ(model.pendingField(), 0);
  EXPECT_EQ(Stored("data", "Normalmodul m_n"), "2.5");
  EXPECT_EQ(Stored("data", "Normalmodul m_n manual"), "2.5");
  // d = 2.5 * -50 = -125
  EXPECT_EQ(Text("Edit5"), "-125.000");
  EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(Window, RejectedTextsShowTheirMessageAndKeepTheOldText) {
  Start();
  struct Case {
    const char* field;
    const char* text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"Input_alpha_n", "1-2", "Ungültiges Zeichen eingegeben!"},
      {"Input_alpha_n", "1,2,3", "Ungültiger numerischer Wert!"},  // commas pass the check
      {"Input_alpha_n", "45.0001", "Numerischer Wert außerhalb der Limits!"},
      {"Input_alpha_n", "", "Ungültiges Zeichen eingegeben!"},
      {"Input_b_w", "4.99", "Numerischer Wert außerhalb der Limits!"},
      // z = -50: an internal gear, a given Wk must be negative.
      {"Input_Calc_Wk", "30", "Numerischer Wert außerhalb der Limits!"},
      {"Input_Calc_Wk", "0", "Numerischer Wert außerhalb der Limits!"},
      {"Input_z", "0", "Numerischer Wert außerhalb der Limits!"},
  };
  for (const Case& c : cases) {
    const std::string before = Text(c.field);
    EXPECT_FALSE(Enter(c.field, c.text)) << c.field << " " << c.text;
    EXPECT_EQ(presenter.TakeTexts(), std::vector<std::string>{c.message}) << c.text;
    EXPECT_EQ(Text(c.field), before) << c.text;
    EXPECT_EQ(model.field(c.field).state, FieldState::kNormal);
    EXPECT_EQ(model.pendingField(), 0);
  }
  EXPECT_EQ(model.gear().rec.alpha_n.text, "20");
  EXPECT_EQ(Stored("data", "Normaleingriffswinkel alpha_n"), "20");
  EXPECT_TRUE(Enter("Input_alpha_n", "45"));  // a limit is valid
  EXPECT_TRUE(Enter("Input_Calc_Wk", "-30"));
  EXPECT_EQ(Text("Input_Calc_Wk"), "-30.000");
}

TEST_F(Window, OnlyOneFieldIsPending) {
  Start();
  model.Edited("Input_beta", "12");
  EXPECT_EQ(model.field("Input_beta").state, FieldState::kPending);
  model.Edited("Input_z", "-4");  // typing elsewhere restores beta
  EXPECT_EQ(Text("Input_beta"), "0");
  EXPECT_EQ(model.field("Input_beta").state, FieldState::kNormal);
  EXPECT_EQ(model.pendingField(), 4);
  model.Escape();
  EXPECT_EQ(Text("Input_z"), "-50");
  EXPECT_EQ(model.pendingField(), 0);
  model.Escape();  // nothing pending: nothing changes
  EXPECT_EQ(Text("Input_z"), "-50");
  model.Edited("Input_x", "0.3");
  model.Leave("Input_x");
  EXPECT_EQ(Text("Input_x"), "0");
  model.Edited("Input_x", "0.3");
  model.ChangePage(Page::kDrawing2);
  EXPECT_EQ(Text("Input_x"), "0");
}

TEST_F(Window, CalculationPageAndBackCalculation) {
  Start();
  ExternalSpurGear(model);
  ASSERT_EQ(model.page(), Page::kCalculation);
  EXPECT_EQ(Text("Used_D_M"), "3.500");
  EXPECT_FALSE(Text("Q_plus_D_M").empty());
  EXPECT_EQ(Text("Q_plus_D_M").substr(0, 2), "  ");
  EXPECT_EQ(model.gear().rec.Q_plus_D_M.text, Text("Q_plus_D_M").substr(2));
  // DIN 3967 d / 25 for d = 40: A_sne -44, T_sn 30.
  EXPECT_EQ(Text("Input_A_sne"), "-44");
  EXPECT_EQ(Text("Input_A_sni"), "-74");

  // Back-calculation of the lower test dimension; "2" then "2.0" keeps it.
  const std::string lower = model.gear().rec.Q_plus_D_M_lower.text;
  model.Edited("Input_checkGauge", lower);
  model.Confirm("Input_checkGauge");
  model.RunBackCalculation();
  EXPECT_TRUE(model.backCalculationDone());
  EXPECT_FALSE(Text("Edit6").empty());
  EXPECT_FALSE(Text("Edit7").empty());
  EXPECT_TRUE(Enter("Input_b_w", "20.5"));
  EXPECT_FALSE(Enter("Input_b_w", "20.50"));  // unchanged value
  EXPECT_TRUE(model.backCalculationDone());
  EXPECT_FALSE(Enter("Input_x", "0.0"));
  EXPECT_TRUE(model.backCalculationDone());
  EXPECT_TRUE(Enter("Input_x", "0.1"));  // a changed x discards it
  EXPECT_FALSE(model.backCalculationDone());
  EXPECT_TRUE(Text("Edit6").empty());
}

TEST_F(Window, MeasuredValueFiveMillimetresAwayIsRefused) {
  Start();
  ExternalSpurGear(model);
  const double nominal = model.gear().rec.Q_plus_D_M.value;
  model.Edited("Input_checkGauge", FormatFixed(nominal + 5.0, 15, 6));
  model.Confirm("Input_checkGauge");
  presenter.shown.clear();
  model.RunBackCalculation();
  EXPECT_EQ(presenter.TakeTexts(),
            std::vector<std::string>{"Rückrechnung nicht möglich! Bitte Parameter korrigieren!"});
  EXPECT_FALSE(model.backCalculationDone());
}

TEST_F(Window, InputModeTwoOpensTheBallDimensionFields) {
  Start();
  model.SelectInputMode(kModeGivenBallDimension);
  std::vector<std::string> open;
  for (const char* name : {"Input_Calc_Wk", "Input_Calc_Wke", "Input_Calc_Wki", "Input_Calc_kM",
                           "Input_Calc_Mdk", "Input_Calc_Mdke", "Input_Calc_Mdki", "Input_Calc_DM",
                           "Input_Calc_Xe", "Input_Calc_Xee", "Input_Calc_Xei"}) {
    if (model.field(name).enabled) open.push_back(name);
  }
  EXPECT_EQ(open, (std::vector<std::string>{"Input_Calc_kM", "Input_Calc_Mdk", "Input_Calc_Mdke",
                                            "Input_Calc_Mdki", "Input_Calc_DM"}));
  EXPECT_FALSE(model.backCalculationBoxVisible());
  EXPECT_FALSE(model.field("Input_x").enabled);
  EXPECT_EQ(model.statusBar()[3], "  Berechnungsmode:  Mdk");
  EXPECT_EQ(Stored("common configuration", "calculationMode"), "2");
}

TEST_F(Window, StoredToothCountThatIsNoNumberBlocksTheCalculationPage) {
  Start("[data]\r\nZaehnezahl z=zwanzig\r\n");
  model.ChangePage(Page::kCalculation);
  EXPECT_EQ(model.page(), Page::kDrawing1);
  EXPECT_EQ(presenter.TakeTexts(),
            std::vector<std::string>{"Es sind nicht alle Zeichnungsdaten eingegeben!\r"
                                     "Fehler bei Konvertierung von Zaehnezahl z (2)"});
}

TEST_F(Window, ModuleSeriesTwoWithAnUnknownStoredText) {
  Start("[data]\r\nNormalmodul m_n DIN 780 Reihe 2=7.77\r\n");
  model.SelectModuleSeries(kModuleSeries2Item);
  EXPECT_EQ(Text("Edit12"), "0.055");
  EXPECT_EQ(model.selection("ComboBox2").index, 0);
  EXPECT_EQ(model.gear().rec.m_n.value, 0.055);
  EXPECT_FALSE(model.field("Input_m_n").enabled);
  model.SelectModuleFromSeries(kModuleSeries1Item, 18);
  EXPECT_EQ(Text("Edit12"), "2");
  EXPECT_EQ(Stored("data", "Normalmodul m_n DIN 780 Reihe 1"), "2");
}

// --- Wrong results found in use ------------------------------------------

TEST_F(Window, FirstStartComputesTheModuleItShows) {
  Start();
  // No settings file: series 1 with the stored module "1,0", which is the
  // series entry "1" (the 16th of DIN 780 series 1).
  EXPECT_EQ(model.selection("ComboBox1").index, 15);
  EXPECT_EQ(Text("Edit12"), "1");
  EXPECT_EQ(model.gear().rec.m_n.value, 1.0);
  EXPECT_EQ(Text("Edit5"), "-50.000");  // d = m_n z = 1 * -50
  EXPECT_EQ(Stored("data", "Normalmodul m_n DIN 780 Reihe 1"), "1");
}

TEST_F(Window, StoredModuleTextsSelectTheirSeriesEntryByValue) {
  struct Case {
    const char* stored;
    int series;
    const char* shown;
  };
  const std::vector<Case> cases = {
      {"2,50", kModuleSeries1Item, "2.5"},
      {"0.055", kModuleSeries1Item, "0.05"},  // not in series 1: the first entry
      {"1,0", kModuleSeries2Item, "0.055"},   // not in series 2: the first entry
      {"1,125", kModuleSeries2Item, "1.125"},
      {"Modul", kModuleSeries1Item, "0.05"},
  };
  for (const Case& c : cases) {
    const std::string key = c.series == kModuleSeries1Item ? "Normalmodul m_n DIN 780 Reihe 1"
                                                           : "Normalmodul m_n DIN 780 Reihe 2";
    std::filesystem::remove_all(home);
    WindowModel fresh(presenter);
    std::filesystem::create_directories(home);
    std::ofstream(home + kSettingsFileName, std::ios::binary)
        << "[common configuration]\r\nNormalmodul Type=" << c.series << "\r\n[data]\r\n"
        << key << "=" << c.stored << "\r\n";
    ASSERT_TRUE(fresh.Start({.settingsDirectory = home,
                             .programDirectory = std::string(SILVARONE_DATA_DIR) + "/",
                             .checkPdfViewer = false}));
    EXPECT_EQ(fresh.field("Edit12").text, c.shown) << c.stored;
    EXPECT_EQ(fresh.gear().rec.m_n.text, c.shown) << c.stored;
  }
}

TEST_F(Window, ReportShowsTheCheckDimensionOfTheDrawingAfterABackCalculation) {
  Start();
  ExternalSpurGear(model);
  const std::string q = Text("Kontrollmass");
  ASSERT_EQ(q, "  " + model.gear().rec.Q.text);
  // A gear measured 0.05 mm under its lower test dimension: the scan runs
  // through many trial profile shifts.
  model.Edited("Input_checkGauge",
               FormatFixed(model.gear().rec.Q_plus_D_M_lower.value - 0.05, 15, 4));
  model.Confirm("Input_checkGauge");
  model.RunBackCalculation();
  ASSERT_TRUE(model.backCalculationDone());
  EXPECT_EQ(Text("Kontrollmass"), q);
  EXPECT_EQ(model.gear().rec.Q.text, q.substr(2));
  EXPECT_EQ(model.ReportData().Q, q.substr(2));
}

TEST_F(Window, CheckDimensionFieldShowsQAfterAModeChange) {
  Start();
  ExternalSpurGear(model);
  const std::string q = "  " + model.gear().rec.Q.text;
  ASSERT_EQ(Text("Kontrollmass"), q);
  for (CalculationModeKind mode :
       {kModeGivenSpan, kModeGivenBallDimension, kModeGivenProfileShift, kModeStandard}) {
    model.SelectInputMode(mode);
    EXPECT_EQ(Text("Kontrollmass"), q) << mode;
    EXPECT_EQ(Text("Q_plus_D_M"), "  " + model.gear().rec.Q_plus_D_M.text) << mode;
  }
}

TEST_F(Window, RecommendedBallFollowsTheDrawingData) {
  Start();
  ExternalSpurGear(model);
  model.SelectBall(kBallRecommended);
  ASSERT_EQ(Text("Used_D_M"), Text("recommended_D_M"));
  model.ChangePage(Page::kDrawing1);
  EXPECT_TRUE(Enter("Input_z", "41"));
  model.ChangePage(Page::kCalculation);
  ASSERT_EQ(model.page(), Page::kCalculation);
  // The ball recommended for z 41 differs from the one for z 20 ...
  EXPECT_EQ(Text("Used_D_M"), Text("recommended_D_M"));
  EXPECT_EQ(model.gear().rec.D_M.text, Text("recommended_D_M"));
  // ... and Q is the one a fresh start on these settings computes.
  WindowModel fresh(presenter);
  ASSERT_TRUE(fresh.Start({.settingsDirectory = home,
                           .programDirectory = std::string(SILVARONE_DATA_DIR) + "/",
                           .checkPdfViewer = false}));
  fresh.ChangePage(Page::kCalculation);
  EXPECT_EQ(fresh.field("Used_D_M").text, Text("Used_D_M"));
  EXPECT_EQ(fresh.field("Kontrollmass").text, Text("Kontrollmass"));
  EXPECT_EQ(fresh.okPicture(), model.okPicture());
}

TEST_F(Window, ActionsOnUnknownNamesChangeNothing) {
  Start();
  const auto fieldsBefore = model.fields();
  const auto selectionsBefore = model.selections();
  model.Edited("ProjectTitle", "abc");
  EXPECT_FALSE(model.Confirm("ProjectTitle"));
  EXPECT_FALSE(model.Confirm("Edit12"));  // a display, not an input
  model.Edited("Edit12", "7");
  model.Leave("Nonsense");
  model.ClickInto("Nonsense");
  EXPECT_EQ(model.pendingField(), 0);
  EXPECT_EQ(model.fields().size(), fieldsBefore.size());
  for (const auto& [name, field] : fieldsBefore) {
    EXPECT_EQ(model.field(name).text, field.text) << name;
  }
  EXPECT_EQ(model.selections().size(), selectionsBefore.size());
  EXPECT_TRUE(presenter.shown.empty());
  // Looking up a name the window lacks invents nothing and is noted.
  EXPECT_TRUE(model.field("ProjectTitle").text.empty());
  EXPECT_TRUE(model.selection("ComboBox9").items.empty());
  EXPECT_EQ(model.fields().size(), fieldsBefore.size());
  expectedUnknownNames = {"ProjectTitle", "ComboBox9"};
}

TEST_F(Window, SelectionsOpenTheirControlsAndTakeTheirValue) {
  Start();
  // Ball choice: which list or field is open, and the ball it puts in use.
  model.SelectBallFromList(BallList::kDin, 2);  // the third DIN ball
  const std::string dinBall = model.selection("ComboBox3").items[2];
  struct BallCase {
    BallChoiceItem item;
    bool dinOpen, deviceOpen, typed;
    std::string used;
  };
  const std::vector<BallCase> balls = {
      {kBallDinSeries, true, false, false, dinBall},
      {kBallRecommended, false, false, false, "<recommended>"},
      {kBallManual, false, false, true, "<typed>"},
  };
  for (const BallCase& c : balls) {
    model.SelectBall(c.item);
    EXPECT_EQ(model.selection("ComboBox3").enabled, c.dinOpen) << c.item;
    EXPECT_EQ(model.selection("ComboBox4").enabled, c.deviceOpen) << c.item;
    EXPECT_EQ(!model.field("D_M_Edit").readOnly, c.typed) << c.item;
    const std::string used = c.used == "<recommended>" ? Text("recommended_D_M")
                             : c.used == "<typed>"     ? Text("D_M_Edit")
                                                       : c.used;
    EXPECT_EQ(Text("Used_D_M"), used) << c.item;
  }

  // Tolerance source: the series lists offer the table's series, or one blank
  // entry while the deviations are typed.
  model.SelectToleranceSource(kSourceManual);
  EXPECT_EQ(model.selection("DevRowComboBox").items, std::vector<std::string>{" "});
  EXPECT_FALSE(model.selection("DevRowComboBox").enabled);
  EXPECT_FALSE(model.field("Input_A_sne").readOnly);
  model.SelectToleranceSource(kSourceDin);
  EXPECT_EQ(model.selection("DevRowComboBox").items.size(), 11u);
  EXPECT_TRUE(model.selection("TolRowComboBox").enabled);
  EXPECT_TRUE(model.field("Input_A_sne").readOnly);
  model.SelectDeviationSeries(0);
  EXPECT_EQ(Stored("common configuration", "Abmassreihe DIN"), "a");
  EXPECT_EQ(model.selection("DevRowComboBox").index, 0);

  // Instrument: a new instrument keeps the range index.
  model.SelectMeasuringRange(1);
  model.SelectInstrument(3);
  EXPECT_EQ(model.selection("Messbereichs_Box").items,
            (std::vector<std::string>{"350,000", "375,000"}));
  EXPECT_EQ(model.selection("Messbereichs_Box").index, 1);
  EXPECT_EQ(model.gear().rec.Messbereichswert.value, 375.0);
}

TEST_F(Window, LoadedProjectBringsItsMeasuringRange) {
  Start();
  model.SelectInstrument(1);
  model.SelectMeasuringRange(1);  // PRALO 225-250, range up to 275
  const std::string project = home + "projects/range.tvp";
  presenter.files = {project};
  model.SaveProject();
  ASSERT_FALSE(model.project().noProjectOpen);
  presenter.answers = {kAnswerCancel};  // the open project is not stored again
  model.NewProject();
  model.SelectMeasuringRange(0);
  EXPECT_EQ(model.gear().rec.Messbereichswert.value, 250.0);
  presenter.files = {project};
  model.LoadProject();
  EXPECT_EQ(model.selection("DeviceSelection").index, 1);
  EXPECT_EQ(model.selection("Messbereichs_Box").index, 1);
  EXPECT_EQ(model.gear().rec.Messbereichswert.value, 275.0);
  presenter.TakeTexts();
}

TEST_F(Window, AccessCodeForTheBallSequence) {
  Start();
  EXPECT_FALSE(model.editBallsEnabled());
  EXPECT_FALSE(model.OpenBallEditor());
  EXPECT_EQ(presenter.TakeTexts(), std::vector<std::string>{"Ungültiges Passwort eingegeben!"});
  model.PasswordEdited("redudera");
  EXPECT_TRUE(model.editBallsEnabled());
  model.PasswordEdited("redudera1");
  EXPECT_FALSE(model.editBallsEnabled());
  model.PasswordEdited("redudera");
  EXPECT_TRUE(model.OpenBallEditor());
  EXPECT_EQ(model.ballEditor().DisplayList().front(), "1.500");
  model.BallEditorClosed();
  EXPECT_FALSE(model.editBallsEnabled());
  EXPECT_TRUE(Text("Input_Password").empty());
}

// The ball file the editor saved in the settings folder (the program folder
// of an installed program is not writable) is the list of the next start; a
// saved file that holds no ball leaves the shipped list.
TEST_F(Window, DeviceBallsSavedInTheSettingsFolderComeFirst) {
  std::filesystem::create_directories(home);
  WriteBallFile({"2.250", "4.750"}, home + kDeviceBallFile);
  Start();
  EXPECT_EQ(model.selection("ComboBox4").items, (std::vector<std::string>{"2.250", "4.750"}));
  EXPECT_EQ(model.deviceBallLines().size(), 2u);

  std::ofstream(home + kDeviceBallFile, std::ios::binary) << "// Kugelanzahl: 0\r\n";
  WindowModel again(presenter);
  ASSERT_TRUE(again.Start({.settingsDirectory = home,
                           .programDirectory = std::string(SILVARONE_DATA_DIR) + "/",
                           .checkPdfViewer = false}));
  EXPECT_EQ(again.selection("ComboBox4").items.size(), 16u);
  EXPECT_EQ(again.selection("ComboBox4").items.front(), "1.500");
}

TEST_F(Window, LanguageAndDecimalPlaces) {
  Start();
  model.SwitchLanguage(kEnglish);
  EXPECT_EQ(model.statusBar()[0], "  Project: unknown");
  EXPECT_EQ(Stored("common configuration", "language"), "englisch");
  model.SetDecimalPlaces(1, 9);
  EXPECT_EQ(Text("SpinNKZ1"), "6");
  EXPECT_EQ(Stored("common configuration", "Nachkommastellenzahl_1"), "6");
}

TEST_F(Window, HelpDocumentsAndHistory) {
  Start();
  const std::string docs = std::string(SILVARONE_DATA_DIR) + "/docs/";
  EXPECT_EQ(model.HelpDocument(true), docs + "Silvaronen-Messung_Handbuch.pdf");
  EXPECT_EQ(model.HelpDocument(false), docs + "PRALO_Bedienungsanleitung.pdf");
  model.SwitchLanguage(kEnglish);
  EXPECT_EQ(model.HelpDocument(true), docs + "Norlath_Measurement_Manual.pdf");
  presenter.shown.clear();
  model.HelpDocumentFailed();
  EXPECT_EQ(presenter.TakeTexts(), std::vector<std::string>{"At least one error occured"});
  const auto history = model.ProgramHistory();
  ASSERT_TRUE(history.has_value());
  EXPECT_FALSE(history->empty());
}

TEST_F(Window, AStartWritesASettingsFileTheNextStartReads) {
  Start();
  model.SelectModuleSeries(kModuleManual);
  Enter("Input_m_n", "3");
  Enter("Input_z", "31");
  WindowModel again(presenter);
  ASSERT_TRUE(again.Start({.settingsDirectory = home,
                           .programDirectory = std::string(SILVARONE_DATA_DIR) + "/",
                           .checkPdfViewer = false}));
  EXPECT_EQ(again.field("Input_z").text, "31");
  EXPECT_EQ(again.field("Edit12").text, "3");
  EXPECT_EQ(again.gear().state.ExternalGear, 1);
}

}  // namespace
}  // namespace silvarone

namespace silvarone {
namespace {

TEST_F(Window, ASettingsFolderThatCannotBeMadeIsNamedAndNothingGoesIntoTheProgramFolder) {
  // The settings folder lies below a file. The program folder (a copy of the
  // shipped data, writable here) never takes its place: the saves fail, and
  // the failure is told once.
  const std::string program = folder_.string() + "/program/";
  std::filesystem::copy(SILVARONE_DATA_DIR, program, std::filesystem::copy_options::recursive);
  std::ofstream(folder_ / "file") << "x";
  const std::string blocked = folder_.string() + "/file/home/";
  ASSERT_TRUE(model.Start(
      {.settingsDirectory = blocked, .programDirectory = program, .checkPdfViewer = false}));
  Enter("Input_z", "31");
  const auto texts = presenter.TakeTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0], "Verzeichnis " + blocked + " kann nicht erstellt werden");
  EXPECT_EQ(std::count(texts.begin(), texts.end(),
                       "In " + blocked + "diruvavida_roduzaz.ini kann nicht geschrieben werden"),
            1);
  EXPECT_EQ(model.settingsDirectory(), blocked);
  EXPECT_GT(model.failedSaves(), 0);
  EXPECT_FALSE(std::filesystem::exists(program + "diruvavida_roduzaz.ini"));
  EXPECT_FALSE(std::filesystem::exists(program + "projects"));
}

}  // namespace
}  // namespace silvarone
