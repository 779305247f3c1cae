// The settings file: defaults of a first start, the selection mappings, the
// keys that share a value, and the round trip.
#include "storage/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "file_fixture.h"
#include "scripted_dialogs.h"

namespace silvarone {
namespace {

class Settings : public testing::TempFolder {
 protected:
  std::string Home() const { return folder_.string() + "/"; }
  std::string File() const { return SettingsFilePath(Home()); }
  bool Read(Workspace& w, ProjectState& p) {
    SettingsFile(File()).Read(w, p, Home(), &dialogs);
    return true;
  }
  bool Write(Workspace& w, ProjectState& p) { return SettingsFile(File()).Write(w, p, &dialogs); }
  // Writes a settings file holding these lines.
  void Stored(const std::string& content) {
    testing::TempFolder::Write(kSettingsFileName, content);
  }
  std::string Stored() const { return testing::TempFolder::Read(kSettingsFileName); }

  testing::ScriptedDialogs dialogs;
};

TEST_F(Settings, FirstStartRunsOnDefaultsAndWritesEveryKey) {
  Workspace w;
  ProjectState p;
  ASSERT_TRUE(Read(w, p));
  const GearRecords& r = w.gear.rec;
  EXPECT_EQ(r.m_n.text, "1,0");
  EXPECT_EQ(r.z.text, "-50");
  EXPECT_EQ(r.alpha_n.text, "20°");
  EXPECT_EQ(r.beta.text, "0°");
  EXPECT_EQ(r.D_M.text, "20");
  EXPECT_EQ(r.k_given.text, "-10");
  EXPECT_EQ(r.D_distance.text, "45,000");
  EXPECT_EQ(w.instrument.name, "PRALO 175-200");
  EXPECT_EQ(w.instrument.rangeTexts[9], "425,000");
  EXPECT_EQ(w.gear.state.Nachkommastellenzahl_1, 3);
  EXPECT_EQ(w.gear.state.Nachkommastellenzahl_2, 3);
  EXPECT_EQ(w.gear.state.Nachkommastellenzahl_3, 0);
  EXPECT_EQ(w.gear.state.language, kGerman);
  EXPECT_EQ(w.module.item, 0);
  EXPECT_EQ(w.tolerance.deviationProd, "d*");
  EXPECT_EQ(p.extension, "tvp");
  EXPECT_EQ(p.directory, Home() + "projects");

  ASSERT_TRUE(Write(w, p));
  const IniDocument file(File());
  EXPECT_EQ(file.ReadString("data", "Normalmodul m_n", ""), "1,0");
  EXPECT_EQ(file.ReadString("data", "Messkugeldurchmesser D_M", ""), "20");
  EXPECT_EQ(file.ReadString("data", "Messzähnezahl k", ""), "-10");
  EXPECT_EQ(file.ReadString("common configuration", "Toleranz File", ""),
            "ToleranceTable_customer.dat");
  EXPECT_EQ(file.ReadString("common configuration", "calculationMode2", ""), "0");
  EXPECT_EQ(file.ReadString("Project data", "Project File Directory", ""), Home() + "projects");
  // Windows-1252 on disk: the degree sign is one byte.
  EXPECT_NE(Stored().find("Normaleingriffswinkel alpha_n=20\xB0\r\n"), std::string::npos);
  // 1 + 35 + 29 keys of the configuration and 3 of the project location.
  int keys = 0;
  for (std::size_t at = 0; (at = Stored().find('=', at)) != std::string::npos; ++at)
    ++keys;
  EXPECT_EQ(keys, 68);
}

TEST_F(Settings, SelectionMappingsAndLanguage) {
  Stored(
      "[common configuration]\r\nlanguage=Englisch\r\nNormalmodul Type=7\r\nMesskugelfolge=x\r\n"
      "Messzahnmode=5\r\nMessbereichsauswahl=5\r\ncalculationMode=2\r\ncalculationMode2=1\r\n"
      "Nachkommastellenzahl_1=abc\r\nNachkommastellenzahl_3=9\r\nQuelle Abmass=2\r\n");
  Workspace w;
  ProjectState p;
  ASSERT_TRUE(Read(w, p));
  EXPECT_EQ(w.gear.state.language, kGerman);  // only "englisch" exactly is English
  EXPECT_EQ(w.module.item, 2);
  EXPECT_EQ(w.ball.item, 3);
  EXPECT_EQ(w.toothCountMode, 2);
  EXPECT_EQ(w.instrument.rangeIndex, 1);
  EXPECT_EQ(w.gear.state.CalculationMode, kModeStandard);
  EXPECT_EQ(w.calculationKind, 0);
  EXPECT_EQ(w.gear.state.Nachkommastellenzahl_1, 3);
  EXPECT_EQ(w.gear.state.Nachkommastellenzahl_3, 6);
  EXPECT_EQ(w.tolerance.source, 2);

  ASSERT_TRUE(Write(w, p));
  const IniDocument file(File());
  EXPECT_EQ(file.ReadString("common configuration", "Normalmodul Type", ""), "2");
  EXPECT_EQ(file.ReadString("common configuration", "Messkugelfolge", ""), "3");
  EXPECT_EQ(file.ReadString("common configuration", "Messbereichsauswahl", ""), "1");
  EXPECT_EQ(file.ReadString("common configuration", "calculationMode", ""), "0");
  EXPECT_EQ(file.ReadString("common configuration", "language", ""), "deutsch");

  w.gear.state.language = kEnglish;
  ASSERT_TRUE(Write(w, p));
  Workspace again;
  ASSERT_TRUE(Read(again, p));
  EXPECT_EQ(again.gear.state.language, kEnglish);
}

TEST_F(Settings, KeysThatShareAValue) {
  Stored(
      "[data]\r\nProfilverschiebungsfaktor x=0.5\r\nProfilverschiebung x =0.3\r\n"
      "Messkugeldurchmesser D_M=7.5\r\n[Project data]\r\nProject File Name=gear.tvp\r\n"
      "Project File Directory=/no/such/folder\r\n");
  Workspace w;
  ProjectState p;
  ASSERT_TRUE(Read(w, p));
  EXPECT_EQ(w.gear.rec.x.text, "0.3");    // the later key decides
  EXPECT_EQ(w.gear.rec.D_M.text, "7.5");  // written without, read with the trailing blank
  EXPECT_TRUE(p.fileName.empty());        // no project is reopened
  EXPECT_EQ(p.directory, Home() + "projects");

  ASSERT_TRUE(Write(w, p));
  const IniDocument file(File());
  EXPECT_EQ(file.ReadString("data", "Profilverschiebungsfaktor x", ""), "0.3");
  EXPECT_EQ(file.ReadString("data", "Profilverschiebung x", ""), "0.3");
}

TEST_F(Settings, ByteExactRoundTrip) {
  Workspace w;
  ProjectState p;
  ASSERT_TRUE(Read(w, p));
  w.gear.rec.z.text = "Zähne°";
  ASSERT_TRUE(Write(w, p));
  const std::string first = Stored();
  Workspace again;
  ProjectState againProject;
  ASSERT_TRUE(Read(again, againProject));
  ASSERT_TRUE(Write(again, againProject));
  EXPECT_EQ(Stored(), first);
}

TEST_F(Settings, AReadChangesNothingAndAFailedWriteIsReported) {
  std::string garbage = "\x01\xFF[x\r\n=\r\n[data\r\nZaehnezahl z=17\r\n";
  garbage += std::string(3, '\0');
  Stored(garbage);
  Workspace w;
  ProjectState p;
  ASSERT_TRUE(Read(w, p));
  EXPECT_EQ(w.gear.rec.z.text, "17");  // a header without "]" names the rest of its line
  EXPECT_EQ(w.gear.rec.m_n.text, "1,0");
  EXPECT_EQ(Stored(), garbage);

  const std::string unwritable = Home() + "missing/" + kSettingsFileName;
  EXPECT_FALSE(SettingsFile(unwritable).Write(w, p, &dialogs));
  const Problem cannotWrite{.kind = ProblemKind::kCannotWrite, .path = unwritable};
  EXPECT_EQ(dialogs.problems, std::vector<Problem>{cannotWrite});
}

// One setting: where the file keeps it, its default, its value in each of the
// two sessions below, and how the workspace holds it (as the file's text).
struct Setting {
  const char* section;
  std::string key;
  std::string fallback;
  std::string first, second;
  std::function<std::string(Workspace&, ProjectState&)> get;
  std::function<void(Workspace&, ProjectState&, const std::string&)> set;
  bool restored = true;  // false: written, but a start begins without it
};

using TextField = std::string& (*)(Workspace&);
using IntegerField = int& (*)(Workspace&);

Setting Text(const char* section, const char* key, std::string fallback, std::string first,
             std::string second, TextField field) {
  return {section,
          key,
          std::move(fallback),
          std::move(first),
          std::move(second),
          [field](Workspace& w, ProjectState&) { return field(w); },
          [field](Workspace& w, ProjectState&, const std::string& value) { field(w) = value; }};
}

Setting Integer(const char* key, int fallback, int first, int second, IntegerField field) {
  return {"common configuration",
          key,
          std::to_string(fallback),
          std::to_string(first),
          std::to_string(second),
          [field](Workspace& w, ProjectState&) { return std::to_string(field(w)); },
          [field](Workspace& w, ProjectState&, const std::string& value) {
            field(w) = std::stoi(value);
          }};
}

#define DATA(key, fallback, first, second, record) \
  Text("data", key, fallback, first, second,       \
       [](Workspace& w) -> std::string& { return w.gear.rec.record.text; })
#define COMMON(key, fallback, first, second, member)         \
  Text("common configuration", key, fallback, first, second, \
       [](Workspace& w) -> std::string& { return w.member; })
#define NUMBER(key, fallback, first, second, member) \
  Integer(key, fallback, first, second, [](Workspace& w) -> int& { return w.member; })

// Every setting of the file. The data texts differ from their defaults and
// from each other in both sessions. The selections and integers hold small
// numbers that cannot all differ at once; their two sessions are chosen so
// that any one of them read from another key of its section gives a wrong
// value in at least one session, and so that each differs from its default
// (and from the workspace's own initial value) in at least one.
std::vector<Setting> AllSettings(const std::string& home) {
  std::vector<Setting> settings = {
      {"common configuration", "language", "deutsch", "englisch", "deutsch",
       [](Workspace& w, ProjectState&) -> std::string {
         return w.gear.state.language == kEnglish ? "englisch" : "deutsch";
       },
       [](Workspace& w, ProjectState&, const std::string& value) {
         w.gear.state.language = value == "englisch" ? kEnglish : kGerman;
       }},
      DATA("Normalmodul m_n", "1,0", "2,5", "3", m_n),
      Text("data", "Normalmodul m_n DIN 780 Reihe 1", "1,0", "2", "4",
           [](Workspace& w) -> std::string& { return w.module.series1Text; }),
      Text("data", "Normalmodul m_n DIN 780 Reihe 2", "1,0", "2,25", "3,5",
           [](Workspace& w) -> std::string& { return w.module.series2Text; }),
      Text("data", "Normalmodul m_n manual", "1,0", "2,4", "3,3",
           [](Workspace& w) -> std::string& { return w.module.manualText; }),
      DATA("Zaehnezahl z", "-50", "23", "-41", z),
      DATA("Normaleingriffswinkel alpha_n", "20°", "17,5°", "25°", alpha_n),
      DATA("Schraegungswinkel beta", "0°", "15°", "20°", beta),
      DATA("Profilverschiebungsfaktor x", "0", "0,3", "-0,2", x),
      DATA("Messzaehnezahl k_M", "10", "4", "-6", k_M),
      DATA("Messzaehnezahl k_M manual", "-10", "5", "-7", k_M_manual),
      // Written without the trailing blank the reader's key has.
      DATA("Messkugeldurchmesser D_M", "20", "4,5", "3,25", D_M),
      DATA("Messkugeldurchmesser D_M manual", "10", "4,4", "3,2", D_M_manual),
      Text("data", "Messkugeldurchmesser D_M DIN", "10", "4,75", "3,175",
           [](Workspace& w) -> std::string& { return w.ball.dinText; }),
      Text("data", "Messkugeldurchmesser D_M VEK", "10", "4,6", "3,4",
           [](Workspace& w) -> std::string& { return w.ball.deviceText; }),
      DATA("Kopfnutzkreisdurchmesser d_Na ", "20", "61,2", "-80,5", d_Na),
      DATA("Fussnutzkreisdurchmesser d_Nf ", "20", "52,8", "-90,3", d_Nf),
      DATA("Zahnbreite b_w ", "20", "25", "18", b_w),
      // The same record as "Profilverschiebungsfaktor x".
      DATA("Profilverschiebung x ", "0", "0,3", "-0,2", x),
      DATA("oberes Abmass der Zahndicke A_sne ", "0", "-70", "110", A_sne_manual),
      DATA("Toleranz der Zahndicke T_sn ", "0", "50", "80", T_sn_manual),
      DATA("Silvarone Wk", "0", "19,5", "-33,1", Wk_given),
      DATA("Silvarone Wke", "0", "19,45", "-33,2", Wke_given),
      DATA("Silvarone Wki", "0", "19,4", "-33,25", Wki_given),
      DATA("Diametrales Zweikugelmass Mdk", "0", "66,1", "-75,3", Mdk_given),
      DATA("Diametrales Zweikugelmass Mdke", "0", "66,0", "-75,4", Mdke_given),
      DATA("Diametrales Zweikugelmass Mdki", "0", "65,9", "-75,5", Mdki_given),
      DATA("Erzeugungsprofilverschiebung Xe", "0", "0,25", "-0,15", Xe_given),
      DATA("Erzeugungsprofilverschiebung Xee", "0", "0,2", "-0,18", Xee_given),
      DATA("Erzeugungsprofilverschiebung Xei", "0", "0,12", "-0,22", Xei_given),
      DATA("Messzähnezahl k", "-10", "3", "-5", k_given),
      DATA("Messkugeldurchmesser DM", "10", "4,25", "2,5", DM_given),
      DATA("factorDelta_Q", "5", "6", "7", factorDelta_Q),
      DATA("delta_Q2", "0.2", "0.25", "0.15", delta_Q2),
      DATA("smallStepSize", "0.0001", "0.0002", "0.00005", smallStepSize),
      DATA("bigStepSize", "0.1", "0.05", "0.2", bigStepSize),
      NUMBER("Normalmodul Type", 0, 2, 1, module.item),
      NUMBER("Messkugelfolge", 0, 2, 3, ball.item),
      NUMBER("Messzahnmode", 0, 1, 2, toothCountMode),
      NUMBER("Messbereichsauswahl", 0, 1, 0, instrument.rangeIndex),
      COMMON("Messgeraeteauswahl", "PRALO 175-200", "PRALO 325-350", "PRALO 225-250",
             instrument.name),
  };
  const char* const ranges[] = {"200,000", "225,000", "250,000", "275,000", "300,000",
                                "325,000", "350,000", "375,000", "400,000", "425,000"};
  for (std::size_t i = 0; i < 10; ++i) {
    // 5 mm above and below the default.
    const int upper = 200 + 25 * static_cast<int>(i);
    settings.push_back({"common configuration", "Messbereichswert_" + std::to_string(i + 1),
                        ranges[i], std::to_string(upper + 5) + ",000",
                        std::to_string(upper - 5) + ",000",
                        [i](Workspace& w, ProjectState&) { return w.instrument.rangeTexts[i]; },
                        [i](Workspace& w, ProjectState&, const std::string& value) {
                          w.instrument.rangeTexts[i] = value;
                        }});
  }
  const std::vector<Setting> rest = {
      Text("common configuration", "Messkugelabstand", "45,000", "47,500", "42,500",
           [](Workspace& w) -> std::string& { return w.gear.rec.D_distance.text; }),
      NUMBER("Nachkommastellenzahl_1", 3, 4, 2, gear.state.Nachkommastellenzahl_1),
      NUMBER("Nachkommastellenzahl_2", 3, 6, 4, gear.state.Nachkommastellenzahl_2),
      NUMBER("Nachkommastellenzahl_3", 0, 3, 2, gear.state.Nachkommastellenzahl_3),
      NUMBER("Mode", 0, 1, 1, manualToleranceMode),
      NUMBER("Quelle Abmass", 0, 2, 2, tolerance.source),
      COMMON("Abmassreihe DIN", "d", "c", "cd", tolerance.deviationDin),
      COMMON("Abmassreihe PROD", "d*", "e*", "f*", tolerance.deviationProd),
      COMMON("Toleranzreihe DIN", "25", "27", "21", tolerance.toleranceDin),
      COMMON("Toleranzreihe PROD", "25*", "28*", "24*", tolerance.toleranceProd),
      COMMON("Abmass File", "DeviationTable_customer.dat", "DeviationTable_works.dat",
             "DeviationTable_plant2.dat", tolerance.customerDeviationFile),
      COMMON("Toleranz File", "ToleranceTable_customer.dat", "ToleranceTable_works.dat",
             "ToleranceTable_plant2.dat", tolerance.customerToleranceFile),
      {"common configuration", "calculationMode", "0", "3", "3",
       [](Workspace& w, ProjectState&) { return std::to_string(w.gear.state.CalculationMode); },
       [](Workspace& w, ProjectState&, const std::string& value) {
         w.gear.state.CalculationMode = static_cast<CalculationModeKind>(std::stoi(value));
       },
       false},
      {"common configuration", "calculationMode2", "0", "0", "1",
       [](Workspace& w, ProjectState&) { return std::to_string(w.calculationKind); },
       [](Workspace& w, ProjectState&, const std::string& value) {
         w.calculationKind = std::stoi(value);
       },
       false},
      {"Project data", "Project File Extension", "tvp", "gvp", "prj",
       [](Workspace&, ProjectState& p) { return p.extension; },
       [](Workspace&, ProjectState& p, const std::string& value) { p.extension = value; }},
      {"Project data", "Project File Name", "", "pump.gvp", "gearbox.prj",
       [](Workspace&, ProjectState& p) { return p.fileName; },
       [](Workspace&, ProjectState& p, const std::string& value) { p.fileName = value; }, false},
      {"Project data", "Project File Directory", home + "projects", home + "gears A",
       home + "gears B", [](Workspace&, ProjectState& p) { return p.directory; },
       [](Workspace&, ProjectState& p, const std::string& value) { p.directory = value; }},
  };
  settings.insert(settings.end(), rest.begin(), rest.end());
  return settings;
}

#undef DATA
#undef COMMON
#undef NUMBER

TEST_F(Settings, EverySettingSurvivesARestartUnderItsOwnKey) {
  std::filesystem::create_directory(Home() + "gears A");
  std::filesystem::create_directory(Home() + "gears B");
  const std::vector<Setting> settings = AllSettings(Home());
  ASSERT_EQ(settings.size(), 1u + 35u + 29u + 3u);

  {
    SCOPED_TRACE("first start");
    Workspace w;
    ProjectState p;
    ASSERT_TRUE(Read(w, p));
    for (const Setting& s : settings)
      EXPECT_EQ(s.get(w, p), s.fallback) << s.key;
  }
  // Two sessions, each closed and started again; the second one writes over
  // the file the first one left.
  for (const bool first : {true, false}) {
    SCOPED_TRACE(first ? "first session" : "second session");
    Workspace w;
    ProjectState p;
    ASSERT_TRUE(Read(w, p));
    for (const Setting& s : settings)
      s.set(w, p, first ? s.first : s.second);
    ASSERT_TRUE(Write(w, p));

    // On disk under the documented key.
    const IniDocument file(File());
    for (const Setting& s : settings) {
      EXPECT_EQ(file.ReadString(s.section, s.key, "(missing)"), first ? s.first : s.second)
          << s.key;
    }
    // And back after a restart.
    Workspace restarted;
    ProjectState restartedProject;
    ASSERT_TRUE(Read(restarted, restartedProject));
    for (const Setting& s : settings) {
      EXPECT_EQ(s.get(restarted, restartedProject),
                s.restored ? (first ? s.first : s.second) : s.fallback)
          << s.key;
    }
  }
}

}  // namespace
}  // namespace silvarone
