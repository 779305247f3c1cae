// The secondary windows' texts and the model's part of the help menu, the
// report's PDF file and printing failures, and the ball editor's "Speichern".
#include "ui/secondary_windows.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "device/series.h"
#include "file_fixture.h"
#include "platform/locations.h"
#include "scripted_dialogs.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> AsMap(const WindowTexts& texts) {
  return {texts.begin(), texts.end()};
}

TEST(SecondaryTexts, AboutHistoryAndReportWindowInBothLanguages) {
  struct Case {
    WindowTexts (*texts)(Language);
    std::string object, german, english;
  };
  // The captions of the about, history and report windows.
  const std::vector<Case> cases = {
      {InfoWindowTexts, "LabelInfo_1", "Silvaronen-Messung", "Norlath Measurement"},
      {InfoWindowTexts, "LabelInfo_2", "Version: 3.3.8", "Version: 3.3.8"},
      {InfoWindowTexts, "LabelInfo_3", "Datum:  02.10.2018", "Date:   02.10.2018"},
      {InfoWindowTexts, "OKButton", "Beenden", "Close"},
      {HistoryWindowTexts, "THistoryForm", "Programm Historie", "Program History"},
      {HistoryWindowTexts, "OK_btn", "Beenden", "Close"},
      {OutputWindowTexts, "PrintButton", "Drucken", "Print"},
      {OutputWindowTexts, "CloseButton", "Beenden", "Close"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AsMap(c.texts(kGerman))[c.object], c.german) << c.object;
    EXPECT_EQ(AsMap(c.texts(kEnglish))[c.object], c.english) << c.object;
  }
  // The maker block names the licence; nothing stands in for a missing value.
  for (Language language : {kGerman, kEnglish}) {
    const auto about = AsMap(InfoWindowTexts(language));
    EXPECT_NE(about.at("LabelMaker_Licence").find("GPL-3.0-or-later"), std::string::npos);
    EXPECT_EQ(about.count("LabelMaker_Web"), InfoWebAddress().empty() ? 0u : 1u);
    for (const auto& [object, text] : about) {
      EXPECT_FALSE(text.empty()) << object;
      EXPECT_EQ(text.find(": -"), std::string::npos) << object;
    }
  }
}

class SecondaryWindows : public testing::TempFolder {
 protected:
  // Starts on a copy of the program folder, so that files can be added,
  // removed and written.
  void Start() {
    program = folder_.string() + "/program/";
    home = folder_.string() + "/home/";
    fs::copy(SILVARONE_DATA_DIR, program, fs::copy_options::recursive);
    ASSERT_TRUE(model.Start({home, program, false}));
    presenter.shown.clear();
  }
  std::string program;
  std::string home;
  testing::ScriptedDialogs presenter;
  WindowModel model{presenter};
};

TEST_F(SecondaryWindows, HelpDocumentsOpenOrSayWhatIsWrong) {
  Start();
  const std::string manual = program + "docs/Silvaronen-Messung_Handbuch.pdf";
  std::ofstream(manual) << "%PDF-1.4\n";
  std::vector<std::string> opened;
  const auto viewer = [&](bool accepts) {
    return [&, accepts](const std::string& path) {
      opened.push_back(path);
      return accepts;
    };
  };
  // German program manual: document list entry 2.
  model.OpenHelpDocument(true, viewer(true));
  EXPECT_EQ(opened, std::vector<std::string>{manual});
  EXPECT_TRUE(presenter.TakeTexts().empty());
  // The viewer refuses it.
  model.OpenHelpDocument(true, viewer(false));
  EXPECT_EQ(presenter.TakeTexts(), std::vector<std::string>{"Es ist ein Fehler aufgetreten"});
  // The instrument manual (entry 0) is not there: the message names it, no viewer starts.
  opened.clear();
  model.OpenHelpDocument(false, viewer(true));
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(presenter.TakeTexts(),
            std::vector<std::string>{"Das Hilfedokument " + program +
                                     "docs/PRALO_Bedienungsanleitung.pdf fehlt."});
}

TEST_F(SecondaryWindows, ReportPdfDialogAndOverwrite) {
  Start();
  presenter.files = {Path("bericht"), Path("bericht.pdf"), Path("bericht.pdf")};
  // Without a project the preset is the report's name; no extension gets ".pdf".
  EXPECT_EQ(model.ChooseReportPdf(), Path("bericht.pdf"));
  const FileDialogSetup& setup = presenter.dialogs.back();
  EXPECT_EQ(setup.title, "Protokoll als PDF speichern");
  EXPECT_EQ(setup.filter, "*.pdf");
  EXPECT_EQ(setup.presetName, "Protokoll.pdf");
  EXPECT_EQ(setup.defaultExtension, "pdf");
  EXPECT_EQ(setup.folder, home + "projects");
  // An existing file only after the user agreed.
  Write("bericht.pdf", "old");
  model.SwitchLanguage(kEnglish);
  presenter.answers = {kButtonCancel, kButtonOk};
  EXPECT_EQ(model.ChooseReportPdf(), std::nullopt);
  EXPECT_EQ(model.ChooseReportPdf(), Path("bericht.pdf"));
  EXPECT_EQ(presenter.dialogs.back().title, "Save report as PDF");
  EXPECT_EQ(presenter.TakeTexts(),
            std::vector<std::string>(
                2, "The file " + Path("bericht.pdf") + " already exists.\r\nOverwrite?"));
}

TEST_F(SecondaryWindows, OutputFailuresInTheLanguageOfTheMoment) {
  Start();
  model.ReportOutputFailed(OutputFailure::kMarginsTooLarge, "");
  model.ReportOutputFailed(OutputFailure::kFileNotWritten, "/no/such/folder/a.pdf");
  model.SwitchLanguage(kEnglish);
  model.ReportOutputFailed(OutputFailure::kPrinterFailed, "Werkstatt");
  EXPECT_EQ(presenter.TakeTexts(),
            (std::vector<std::string>{"PrintString: the supplied margins are too large, thereis "
                                      "no area to print left on the page.",
                                      "Die PDF-Datei /no/such/folder/a.pdf kann nicht geschrieben "
                                      "werden.",
                                      "The printer Werkstatt did not accept the print job."}));
}

TEST_F(SecondaryWindows, SavedBallsReachTheWindowAndTheNextStart) {
  Start();
  model.PasswordEdited(kBallEditorAccessCode);
  ASSERT_TRUE(model.OpenBallEditor());
  model.ballEditor().TypeText("2,75");
  model.ballEditor().Add();
  model.SaveBallEditor();
  // The shipped list 1.5, 2, 2.5, 3, ... with 2.75 between 2.5 and 3.
  const std::vector<std::string> start = {"1.500", "2.000", "2.500", "2.750", "3.000"};
  const auto& shown = model.selection("ComboBox4").items;
  ASSERT_GE(shown.size(), start.size());
  EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 5), start);
  EXPECT_EQ(model.deviceBallLines(), shown);
  EXPECT_EQ(model.DeviceBallFilePath(true), program + "dat/" + kDeviceBallFile);
  model.BallEditorClosed();

  testing::ScriptedDialogs quiet;
  WindowModel again(quiet);
  ASSERT_TRUE(again.Start({home, program, false}));
  EXPECT_EQ(again.selection("ComboBox4").items, shown);
  quiet.shown.clear();
}

TEST_F(SecondaryWindows, ABallListInTheSettingsFolderWins) {
  Start();
  ASSERT_EQ(WriteBallFile({"4.000", "6.000"}, home + kDeviceBallFile), 0);
  testing::ScriptedDialogs quiet;
  WindowModel again(quiet);
  ASSERT_TRUE(again.Start({home, program, false}));
  EXPECT_EQ(again.selection("ComboBox4").items, (std::vector<std::string>{"4.000", "6.000"}));
  EXPECT_EQ(again.DeviceBallFilePath(true), home + kDeviceBallFile);
  quiet.shown.clear();
}

TEST_F(SecondaryWindows, BallFileGoesToTheSettingsFolderWhenTheProgramFolderIsReadOnly) {
  Start();
  fs::permissions(program + "dat", fs::perms::owner_write | fs::perms::group_write,
                  fs::perm_options::remove);
  if (platform::FolderWritable(program + "dat")) {
    fs::permissions(program + "dat", fs::perms::owner_write, fs::perm_options::add);
    GTEST_SKIP() << "this user may write into read-only folders";
  }
  model.PasswordEdited(kBallEditorAccessCode);
  ASSERT_TRUE(model.OpenBallEditor());
  model.ballEditor().SelectLine(0);
  model.ballEditor().Erase();  // 1.500
  model.SaveBallEditor();
  EXPECT_TRUE(presenter.TakeTexts().empty());
  EXPECT_TRUE(fs::exists(home + kDeviceBallFile));
  EXPECT_EQ(model.selection("ComboBox4").items.front(), "2.000");
  WindowModel again(presenter);
  ASSERT_TRUE(again.Start({home, program, false}));
  EXPECT_EQ(again.selection("ComboBox4").items.front(), "2.000");
  fs::permissions(program + "dat", fs::perms::owner_write, fs::perm_options::add);
  presenter.shown.clear();
}

}  // namespace
}  // namespace silvarone
