// The window model's captions, change notice and the window behaviour the
// Qt window relies on, driven as a user would drive the window.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "file_fixture.h"
#include "scripted_dialogs.h"
#include "ui/captions.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

class WindowText : public testing::TempFolder {
 protected:
  void Start() {
    ASSERT_TRUE(model.Start({.settingsDirectory = Home(),
                             .programDirectory = std::string(SILVARONE_DATA_DIR) + "/",
                             .checkPdfViewer = false}));
    presenter.TakeTexts();
  }
  std::string Home() const { return folder_.string() + "/home/"; }
  bool Enter(const std::string& field, const std::string& text) {
    model.Edited(field, text);
    return model.Confirm(field);
  }
  std::string Caption(const std::string& object) const {
    return std::string(model.caption(object));
  }

  testing::ScriptedDialogs presenter;
  WindowModel model{presenter};
};

TEST_F(WindowText, CaptionsFollowTheLanguageBothWays) {
  Start();
  // Every caption of the tables, in German at start, English after the
  // switch and German again after switching back, including those that are
  // empty in one language (the row headings of the comparison table).
  for (Language language : {kGerman, kEnglish, kGerman}) {
    model.SwitchLanguage(language);
    for (const CaptionRow& row : CaptionTable()) {
      EXPECT_EQ(Caption(std::string(row.object)), language == kEnglish ? row.english : row.german)
          << row.object;
    }
    for (const ListItemsRow& row : ListItemsTable()) {
      EXPECT_EQ(model.selection(row.object).items, ListItems(row.object, language)) << row.object;
    }
  }
  EXPECT_EQ(Caption("Label44"), "");
  EXPECT_EQ(Caption("Label32"), "Erzeugungsprofil-");
}

// The letter after the one "&" of a menu caption (a whole UTF-8 character,
// "ö" of "L&öschen"), lower case; empty when there is none or more than one.
std::string Accelerator(std::string_view caption) {
  std::string letter;
  int marks = 0;
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {  // "&&" shows one "&"
      ++i;
      continue;
    }
    ++marks;
    std::size_t length = 1;
    while (i + 1 + length < caption.size() && (caption[i + 1 + length] & 0xC0) == 0x80)
      ++length;
    letter = caption.substr(i + 1, length);
  }
  if (marks != 1) return "";
  if (letter.size() == 1) letter[0] = static_cast<char>(std::tolower(letter[0]));
  return letter;
}

TEST(MenuCaptions, EveryEntryHasAnAcceleratorUniqueInItsMenu) {
  for (Language language : {kGerman, kEnglish}) {
    for (const MenuRow& menu : MenuTable()) {
      std::map<std::string, std::string_view> taken;
      for (std::string_view entry : menu.entries) {
        const std::string_view caption = Caption(entry, language);
        const std::string letter = Accelerator(caption);
        EXPECT_FALSE(letter.empty()) << entry << " \"" << caption << "\" needs one accelerator";
        if (letter.empty()) continue;
        const auto [other, fresh] = taken.emplace(letter, entry);
        EXPECT_TRUE(fresh) << "\"" << letter << "\" of " << entry << " is taken by "
                           << other->second << " in menu \"" << menu.menu << "\", language "
                           << language;
      }
    }
  }
}

TEST(MenuCaptions, NamesOfTheProjectAndAboutDescriptionsAsWritten) {
  // The menu names as the descriptions of the project files, the report and
  // the about and history windows write them.
  struct Row {
    const char* object;
    const char* german;
  };
  const Row rows[] = {
      {"Ausgabe1", "&Projekt"},  {"NewProject", "&Neu"},
      {"LoadProject", "&Laden"}, {"SaveProject", "&Speichern"},
      {"Ausgabe2", "&Ausgabe"},  {"N1", "&?"},
      {"Info1", "&Info"},        {"Programmhistorie1", "&Programmhistorie"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(Caption(row.object, kGerman), row.german) << row.object;
}

TEST_F(WindowText, TitlePictureUpDownAndGearTypeCaptions) {
  Start();
  struct Case {
    Language language;
    const char* z;
    std::string title, box, label, picture;
    int upDown;
  };
  const std::vector<Case> cases = {
      {kGerman, "-50", "Silvaronen-Messung   V.: 3.3.8   02.10.2018", "Messlücken",
       "Messlückenzahl:", "48_2917_deutsch.jpg", 408},
      {kGerman, "20", "Silvaronen-Messung   V.: 3.3.8   02.10.2018", "Messzähne",
       "Messzähnezahl:", "48_2917_deutsch.jpg", 408},
      {kEnglish, "20", "Norlath Measurement   V.: 3.3.8   02.10.2018",
       "measurement number of teeth", "number of teeth:", "48_2917_englisch.jpg", 250},
      {kEnglish, "-34", "Norlath Measurement   V.: 3.3.8   02.10.2018", "measurement gap",
       "count measuring gap:", "48_2917_englisch.jpg", 250},
  };
  for (const Case& c : cases) {
    model.SwitchLanguage(c.language);
    EXPECT_TRUE(Enter("Input_z", c.z) || model.field("Input_z").text == c.z);
    EXPECT_EQ(Caption("TMainForm"), c.title);
    EXPECT_EQ(Caption("Messzaehne_Box"), c.box) << c.z;
    EXPECT_EQ(Caption("Label16"), c.label) << c.z;
    EXPECT_EQ(model.upDownPosition(), c.upDown);
    EXPECT_TRUE(model.instrumentPicture().ends_with("pictures/" + c.picture));
  }
  // The selections keep their index across a switch.
  model.SelectBall(kBallManual);
  model.SwitchLanguage(kGerman);
  EXPECT_EQ(model.selection("Messkugelauswahl").index, kBallManual);
  EXPECT_EQ(model.selection("Messkugelauswahl").items[kBallManual], "Eingeben:");
}

TEST_F(WindowText, OneChangeNoticePerAction) {
  int notices = 0;
  model.onChanged = [&] { ++notices; };
  Start();
  EXPECT_EQ(notices, 1);  // the start, with all it runs inside
  const auto revision = model.revision();
  model.SelectBall(kBallRecommended);  // runs the check dimension inside
  EXPECT_EQ(notices, 2);
  Enter("Input_b_w", "25");  // two actions: the edit and Enter
  EXPECT_EQ(notices, 4);
  EXPECT_EQ(model.revision(), revision + 3);
  model.SwitchLanguage(kEnglish);
  EXPECT_EQ(notices, 5);
}

TEST_F(WindowText, DeviationFieldsTakeInputOnlyWhenTyped) {
  Start();
  model.SelectToleranceSource(kSourceDin);
  const std::string shown = model.field("Input_A_sne").text;
  model.Edited("Input_A_sne", "-12");
  EXPECT_EQ(model.pendingField(), 0);
  EXPECT_EQ(model.field("Input_A_sne").state, FieldState::kResult);
  EXPECT_EQ(model.field("Input_A_sne").text, shown);
  EXPECT_FALSE(model.Confirm("Input_A_sne"));
  model.SelectToleranceSource(kSourceManual);
  model.Edited("Input_A_sne", "-12");
  EXPECT_EQ(model.field("Input_A_sne").state, FieldState::kPending);
  EXPECT_TRUE(model.Confirm("Input_A_sne"));
  EXPECT_EQ(model.gear().rec.A_sne.value, -12.0);
}

TEST_F(WindowText, KeysInTheBallFieldRunTheCheckDimension) {
  Start();
  model.SelectModuleSeries(kModuleManual);
  Enter("Input_m_n", "2");
  Enter("Input_z", "20");
  model.ChangePage(Page::kCalculation);
  const std::string before = model.field("Kontrollmass").text;
  // z 21 changes Q only when the check dimension runs again.
  model.ChangePage(Page::kDrawing1);
  Enter("Input_z", "21");
  EXPECT_EQ(model.field("Kontrollmass").text, before);
  model.FocusEntered("D_M_Edit");
  model.KeyPressed("D_M_Edit");
  EXPECT_NE(model.field("Kontrollmass").text, before);
  EXPECT_EQ(model.field("Kontrollmass").text, "  " + model.gear().rec.Q.text);
  // Entering the field makes the first edit count: it turns pending.
  model.Edited("D_M_Edit", "4");
  EXPECT_EQ(model.field("D_M_Edit").state, FieldState::kPending);
  model.Escape();
  model.FocusEntered("k_M_Edit");
  model.SelectToothCount(1);  // the choice sets the first-change flag again
  model.Edited("k_M_Edit", "4");
  EXPECT_EQ(model.field("k_M_Edit").state, FieldState::kNormal);
  model.FocusEntered("k_M_Edit");
  model.Edited("k_M_Edit", "4");
  EXPECT_EQ(model.field("k_M_Edit").state, FieldState::kPending);
  model.Escape();
}

TEST_F(WindowText, ProjectPageGoesThroughTheModel) {
  Start();
  model.Edited("ProjectName", "Ritzel 7");
  model.Edited("ProjectLeader", "Prüfer");
  model.Edited("Drawing_1", "Z-100");
  model.Edited("ProjectDatePicker", "24.12.2025");
  model.Edited("ProjectComment", "erste Zeile\nzweite Zeile");
  EXPECT_EQ(model.projectData().comment, (std::vector<std::string>{"erste Zeile", "zweite Zeile"}));
  model.Edited("ProjectDatePicker", "31.02.2025");  // no date: the shown one stays
  EXPECT_EQ(model.field("ProjectDatePicker").text, "24.12.2025");

  // The save dialog offers the project's name; the file holds the page.
  const std::string path = Home() + "projects/Ritzel 7.tvp";
  presenter.files = {path};
  model.SaveProject();
  EXPECT_EQ(presenter.dialogs.back().presetName, "Ritzel 7.tvp");
  presenter.answers = {kAnswerCancel};  // do not store it again
  model.NewProject();
  EXPECT_EQ(model.field("ProjectName").text, "");
  EXPECT_EQ(model.field("ProjectComment").text, "");
  presenter.files = {path};
  model.LoadProject();
  EXPECT_EQ(model.field("ProjectName").text, "Ritzel 7");
  EXPECT_EQ(model.field("ProjectLeader").text, "Prüfer");
  EXPECT_EQ(model.field("Drawing_1").text, "Z-100");
  EXPECT_EQ(model.field("ProjectDatePicker").text, "24.12.2025");
  EXPECT_EQ(model.field("ProjectComment").text, "erste Zeile\nzweite Zeile");
  presenter.TakeTexts();
}

TEST_F(WindowText, ProgressBarShowsTheBackCalculation) {
  Start();
  model.SelectModuleSeries(kModuleManual);
  Enter("Input_m_n", "2");
  Enter("Input_z", "20");
  model.ChangePage(Page::kCalculation);
  Enter("Input_checkGauge", FormatFixed(model.gear().rec.Q_plus_D_M_lower.value + 0.02, 15, 3));
  std::vector<int> seen;
  model.onProgress = [&] {
    EXPECT_TRUE(model.progressVisible());
    seen.push_back(model.progress());
  };
  model.RunBackCalculation();
  ASSERT_TRUE(model.backCalculationDone());
  EXPECT_FALSE(model.progressVisible());
  ASSERT_GT(seen.size(), 2u);
  EXPECT_EQ(seen[0], 0);  // each pass starts its bar at 0 and moves it on by one
  EXPECT_EQ(seen[1], 1);
}

}  // namespace
}  // namespace silvarone
