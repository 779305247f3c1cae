// The model's part of the help menu, the report's PDF file and the ball
// editor's "Speichern".
#include "ui/secondary_windows.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "device/series.h"
#include "file_fixture.h"
#include "scripted_dialogs.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

namespace fs = std::filesystem;

class SecondaryWindows : public testing::TempFolder {
 protected:
  // On a copy of the program folder, so that files can be added and written.
  void Start() {
    program = folder_.string() + "/program/";
    home = folder_.string() + "/home/";
    fs::copy(SILVARONE_DATA_DIR, program, fs::copy_options::recursive);
    ASSERT_TRUE(model.Start(
        {.settingsDirectory = home, .programDirectory = program, .checkPdfViewer = false}));
    presenter.shown.clear();
  }
  std::string program;
  std::string home;
  testing::ScriptedDialogs presenter;
  WindowModel model{presenter};
};

TEST_F(SecondaryWindows, HelpDocumentsOpenOrSayWhatIsWrong) {
  Start();
  std::ofstream(program + "docs/Silvaronen-Messung_Handbuch.pdf") << "%PDF-1.4\n";
  std::vector<std::string> opened;
  bool accepts = true;
  const auto viewer = [&](const std::string& path) {
    opened.push_back(path);
    return accepts;
  };
  model.OpenHelpDocument(true, viewer);  // German program manual: list entry 2
  accepts = false;
  model.OpenHelpDocument(true, viewer);
  model.OpenHelpDocument(false, viewer);  // entry 0 is not there: no viewer starts
  EXPECT_EQ(opened, std::vector<std::string>(2, program + "docs/Silvaronen-Messung_Handbuch.pdf"));
  EXPECT_EQ(presenter.TakeTexts(),
            (std::vector<std::string>{
                "Es ist ein Fehler aufgetreten",
                "Das Hilfedokument " + program + "docs/PRALO_Bedienungsanleitung.pdf fehlt."}));
}

TEST_F(SecondaryWindows, ReportPdfDialogAsksBeforeItOverwrites) {
  Start();
  Write("old.pdf", "old");
  presenter.files = {Path("new"), Path("old.pdf"), Path("old.pdf")};
  presenter.answers = {kButtonCancel, kButtonOk};
  EXPECT_EQ(model.ChooseReportPdf(), Path("new.pdf"));
  EXPECT_EQ(model.ChooseReportPdf(), std::nullopt);
  EXPECT_EQ(model.ChooseReportPdf(), Path("old.pdf"));
  const FileDialogSetup& setup = presenter.dialogs.back();
  EXPECT_EQ(setup.title, "Protokoll als PDF speichern");
  EXPECT_EQ(setup.presetName, "Protokoll.pdf");  // no project open
  EXPECT_EQ(setup.folder, home + "projects");
  EXPECT_EQ(presenter.TakeTexts().size(), 2u);
}

TEST_F(SecondaryWindows, SavedBallsReachTheWindowAndTheNextStart) {
  Start();
  model.PasswordEdited(kBallEditorAccessCode);
  ASSERT_TRUE(model.OpenBallEditor());
  model.TypeBallDiameter("2,75");
  model.EditBallSequence(BallEdit::kAdd);
  model.SaveBallEditor();
  // The shipped list 1.5, 2, 2.5, 3, ... with 2.75 between 2.5 and 3.
  const auto& shown = model.selection("ComboBox4").items;
  ASSERT_GE(shown.size(), 5u);
  EXPECT_EQ(shown[3], "2.750");
  EXPECT_EQ(model.deviceBallLines(), shown);
  WindowModel again(presenter);
  ASSERT_TRUE(again.Start(
      {.settingsDirectory = home, .programDirectory = program, .checkPdfViewer = false}));
  EXPECT_EQ(again.selection("ComboBox4").items, shown);
  // A list the settings folder holds (the program folder could not take it) wins.
  ASSERT_EQ(WriteBallFile({"4.000"}, home + kDeviceBallFile), 0);
  WindowModel third(presenter);
  ASSERT_TRUE(third.Start(
      {.settingsDirectory = home, .programDirectory = program, .checkPdfViewer = false}));
  EXPECT_EQ(third.selection("ComboBox4").items, std::vector<std::string>{"4.000"});
  presenter.shown.clear();
}

TEST(SecondaryWindowTexts, BallEditorSpeaksBothLanguages) {
  EXPECT_EQ(BallEditorWindowTexts(kEnglish)[1].second, "edit VEK ball order");
  EXPECT_EQ(BallEditorWindowTexts(kGerman)[9].second, "Hinzufügen");
}

}  // namespace
}  // namespace silvarone

namespace silvarone {
namespace {

TEST_F(SecondaryWindows, PictureDialogNamesAnSvgOrPngFile) {
  Start();
  const auto Path = [&](const std::string& name) { return home + "projects/" + name; };
  fs::create_directories(home + "projects");
  std::ofstream(Path("old.png")) << "old";
  presenter.files = {Path("new"), Path("b.PNG"), Path("old.png")};
  presenter.answers = {kButtonCancel};
  EXPECT_EQ(model.ChooseDrawingPicture(), Path("new.svg"));
  EXPECT_EQ(model.ChooseDrawingPicture(), Path("b.PNG"));
  EXPECT_EQ(model.ChooseDrawingPicture(), std::nullopt);  // not overwritten
  const FileDialogSetup& setup = presenter.dialogs.back();
  EXPECT_EQ(setup.title, "Bild der Messung speichern");
  EXPECT_EQ(setup.presetName, "Messung.svg");
  EXPECT_EQ(presenter.TakeTexts().size(), 1u);  // the overwrite question
}

}  // namespace
}  // namespace silvarone
