// The settings file: defaults of a first start, the selection mappings, the
// keys that share a value, and the round trip.
#include "storage/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "file_fixture.h"
#include "scripted_dialogs.h"

namespace silvarone {
namespace {

class Settings : public testing::TempFolder {
 protected:
  std::string Home() const { return folder_.string() + "/"; }
  std::string File() const { return SettingsFilePath(Home()); }
  bool Read(Workspace& w, ProjectState& p) {
    return AccessSettingsFile('r', File(), w, p, Home(), &dialogs);
  }
  bool Write(Workspace& w, ProjectState& p) {
    return AccessSettingsFile('w', File(), w, p, Home(), &dialogs);
  }
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
  EXPECT_FALSE(AccessSettingsFile('w', unwritable, w, p, Home(), &dialogs));
  ASSERT_EQ(dialogs.plainMessages.size(), 1u);
  EXPECT_EQ(dialogs.plainMessages[0], "In " + unwritable + " kann nicht geschrieben werden");
}

}  // namespace
}  // namespace silvarone
