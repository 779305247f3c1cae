// Project files and the project operations with their messages and questions.
#include "storage/project.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "file_fixture.h"
#include "row_name.h"
#include "scripted_dialogs.h"

namespace silvarone {
namespace {

const Date kToday = *CalendarDate(2026, 12, 8);

struct DateCase {
  const char* name;
  std::string text;
  Date date;
};

SILVARONE_PRINT_ROW_NAME(DateCase)

std::vector<DateCase> DateCases() {
  const Date christmas = *CalendarDate(2025, 12, 24);
  return {
      {"DayMonthYear", "24.12.2025", christmas},
      {"MonthDayYearWithSlashes", "12/24/2025", christmas},
      {"YearMonthDay", "2025.12.24", christmas},
      {"BlanksAroundTheParts", " 24 . 12 . 2025 ", christmas},
      {"Hyphens", "24-12-2025", kToday},
      {"MixedSeparators", "24.12/2025", kToday},
      {"NoSuchDay", "31.02.2025", kToday},
      {"NoSuchMonth", "99/99/9999", kToday},
      // 268 is no month, even in the 8 bits that keep one
      {"MonthBeyondEightBits", "24.268.2025", kToday},
      {"FiveDigitYear", "24.12.75561", kToday},
      {"TwoParts", "1.2", kToday},
      {"Letters", "a.b.c", kToday},
      {"LeapDay", "29.02.2024", *CalendarDate(2024, 2, 29)},
      {"LeapDayOfACommonYear", "29.02.2025", kToday},
      // day first when both readings are dates
      {"DayFirstWhenBothReadingsAreDates", "05.06.2025", *CalendarDate(2025, 6, 5)},
  };
}

class ProjectDateText : public ::testing::TestWithParam<DateCase> {};

// A date that cannot be read falls back to today.
TEST_P(ProjectDateText, ReadingsAndFallback) {
  const DateCase& c = GetParam();
  EXPECT_EQ(ParseProjectDate(c.text, kToday), c.date) << c.text;
}

INSTANTIATE_TEST_SUITE_P(ProjectDate, ProjectDateText, ::testing::ValuesIn(DateCases()),
                         testing::RowName);

TEST(ProjectDate, WrittenDayFirst) {
  EXPECT_EQ(DateText(*CalendarDate(2025, 12, 4)), "04.12.2025");
}

using ProjectFile = testing::TempFolder;

TEST_F(ProjectFile, CommentLinesAreCappedAt50) {
  ProjectData data;
  data.name = "Getriebe 7";
  data.date = *CalendarDate(2025, 12, 24);
  for (int i = 1; i <= 60; ++i)
    data.comment.push_back("line " + std::to_string(i));
  IniDocument document(Path("p.tvp"));
  WriteProjectData(document, data);
  ASSERT_TRUE(document.Save());
  const IniDocument stored(Path("p.tvp"));
  EXPECT_EQ(stored.ReadString("project data", "comment lines", ""), "50");
  EXPECT_EQ(stored.ReadString("project data", "comment line 50", ""), "line 50");
  EXPECT_EQ(stored.ReadString("project data", "comment line 51", "none"), "none");
  EXPECT_EQ(stored.ReadString("project data", "project date", ""), "24.12.2025");

  const std::vector<std::pair<std::string, std::size_t>> counts = {
      {"80", 50}, {"3", 3}, {"-5", 0}, {"2147483648", 0}, {"x", 0}};
  for (const auto& [count, lines] : counts) {
    std::string text = "[project data]\r\ncomment lines=" + count + "\r\n";
    for (int i = 1; i <= 80; ++i)
      text += "comment line " + std::to_string(i) + "=c\r\n";
    Write("q.tvp", text);
    ProjectData read;
    ReadProjectData(IniDocument(Path("q.tvp")), read, kToday);
    EXPECT_EQ(read.comment.size(), lines) << count;
    EXPECT_EQ(read.date, kToday);  // no date stored
  }
}

class Projects : public testing::TempFolder {
 protected:
  void SetUp() override {
    testing::TempFolder::SetUp();
    std::filesystem::create_directories(folder_ / "projects");
    home = folder_.string() + "/";
    SettingsFile(SettingsFilePath(home)).Read(workspace, project, home, &dialogs);
    controller = std::make_unique<ProjectController>(workspace, project, data, home, dialogs);
    controller->today = [] { return kToday; };
    controller->refreshStatus = [this] { ++statusRefreshes; };
    controller->applyLoadedConfiguration = [this] { ++loadsApplied; };
  }
  std::string ProjectPath(const std::string& name) const { return home + "projects/" + name; }
  // Saves the current gear as a new project file.
  void SaveNew(const std::string& name) {
    dialogs.files.push_back(ProjectPath(name));
    controller->Save();
  }

  std::string home;
  Workspace workspace;
  ProjectState project;
  ProjectData data;
  testing::ScriptedDialogs dialogs;
  std::unique_ptr<ProjectController> controller;
  int statusRefreshes = 0;
  int loadsApplied = 0;
};

TEST_F(Projects, SaveAndResaveWithoutDialog) {
  data.name = "Ritzel";
  workspace.gear.rec.z.text = "23";
  SaveNew("ritzel.tvp");
  ASSERT_EQ(dialogs.dialogs.size(), 1u);
  EXPECT_EQ(dialogs.dialogs[0].purpose, FileDialogPurpose::kSaveProject);
  EXPECT_EQ(dialogs.dialogs[0].presetName, "Ritzel.tvp");
  EXPECT_EQ(dialogs.dialogs[0].filter, "*.tvp");
  EXPECT_FALSE(project.noProjectOpen);
  EXPECT_EQ(project.fileName, "ritzel.tvp");
  EXPECT_FALSE(project.writeArmed);  // consumed by the write
  const IniDocument stored(ProjectPath("ritzel.tvp"));
  EXPECT_EQ(stored.ReadString("data", "Zaehnezahl z", ""), "23");
  EXPECT_EQ(stored.ReadString("project data", "project name", ""), "Ritzel");
  EXPECT_EQ(stored.ReadString("Project data", "Project File Extension", "none"), "none");

  // A committed change writes the settings but not the project file.
  workspace.gear.rec.z.text = "24";
  ASSERT_TRUE(controller->WriteSettingsAndProject());
  EXPECT_EQ(IniDocument(ProjectPath("ritzel.tvp")).ReadString("data", "Zaehnezahl z", ""), "23");
  // "&Speichern" of an open project writes to its file without a dialog.
  controller->Save();
  EXPECT_EQ(dialogs.dialogs.size(), 1u);
  EXPECT_EQ(IniDocument(ProjectPath("ritzel.tvp")).ReadString("data", "Zaehnezahl z", ""), "24");
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(statusRefreshes, 2);  // once per save
}

TEST_F(Projects, SaveFailures) {
  dialogs.files.push_back(std::nullopt);
  controller->Save();  // cancelled
  EXPECT_EQ(dialogs.messages, std::vector<int>{-200});

  SaveNew("a.tvp");
  // Overwrite refused: -201 with the full path.
  project.fileName.clear();
  dialogs.files.push_back(ProjectPath("a.tvp"));
  dialogs.answers.push_back(kAnswerCancel);
  controller->Save();
  EXPECT_EQ(dialogs.questions, std::vector<int>{-300});
  EXPECT_EQ(dialogs.messages.back(), -201);
  EXPECT_EQ(dialogs.messageArguments.back(), ProjectPath("a.tvp"));

  // The project's file has vanished.
  project.fileName = "a.tvp";
  project.directory = home + "projects";
  std::filesystem::remove(ProjectPath("a.tvp"));
  controller->Save();
  EXPECT_EQ(dialogs.messages.back(), -200);
  EXPECT_EQ(dialogs.messageArguments.back(), "a.tvp");
  EXPECT_FALSE(std::filesystem::exists(ProjectPath("a.tvp")));

  // A stored name with another extension.
  project.fileName = "a.TVP";
  controller->Save();
  EXPECT_EQ(dialogs.messages.back(), -203);

  // Save as without an open project.
  project.noProjectOpen = true;
  controller->SaveAs();
  EXPECT_EQ(dialogs.messages.back(), -205);
}

TEST_F(Projects, LoadKeepsTheLanguageAndStartsInStandardMode) {
  workspace.gear.state.language = kEnglish;
  workspace.gear.state.CalculationMode = kModeGivenSpan;
  workspace.gear.rec.z.text = "41";
  data.comment = {"first", "second"};
  SaveNew("english.tvp");
  ASSERT_EQ(IniDocument(ProjectPath("english.tvp"))
                .ReadString("common configuration", "calculationMode", ""),
            "1");

  dialogs.answers.push_back(kAnswerCancel);  // -303 for the open project: no
  controller->New();
  workspace.gear.state.language = kGerman;
  workspace.gear.rec.z.text = "10";
  dialogs.files.push_back(ProjectPath("english.tvp"));
  controller->Load();
  EXPECT_EQ(dialogs.dialogs.back().purpose, FileDialogPurpose::kOpenProject);
  EXPECT_EQ(workspace.gear.rec.z.text, "41");
  EXPECT_EQ(workspace.gear.state.language, kGerman);
  EXPECT_EQ(workspace.gear.state.CalculationMode, kModeStandard);
  EXPECT_EQ(data.comment, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(loadsApplied, 1);
  EXPECT_FALSE(project.loading);
}

TEST_F(Projects, LoadRefusals) {
  SaveNew("gear.tvp");
  std::filesystem::copy_file(ProjectPath("gear.tvp"), ProjectPath("GEAR.TVP"));
  dialogs.answers = {kAnswerCancel, kAnswerCancel};
  dialogs.files.push_back(ProjectPath("GEAR.TVP"));
  controller->Load();
  EXPECT_EQ(dialogs.questions, std::vector<int>{-303});
  EXPECT_EQ(dialogs.messages, std::vector<int>{-203});
  EXPECT_EQ(project.fileName, "GEAR.TVP");  // already points to the chosen file
  EXPECT_EQ(loadsApplied, 0);

  dialogs.files.push_back(std::nullopt);
  controller->Load();
  EXPECT_EQ(dialogs.messages.back(), -202);
  EXPECT_FALSE(project.loading);
}

TEST_F(Projects, EraseAnotherFileOrTheOpenOne) {
  SaveNew("other.tvp");
  data.name = "Open";
  project.fileName.clear();
  SaveNew("open.tvp");
  ASSERT_EQ(project.fileName, "open.tvp");

  // Another file: erased; the page stays, but no project counts as open.
  dialogs.answers = {kAnswerCancel, kAnswerOk};  // -303 no, -301 yes
  dialogs.files.push_back(ProjectPath("other.tvp"));
  controller->Erase();
  EXPECT_EQ(dialogs.questions, (std::vector<int>{-303, -301}));
  EXPECT_EQ(dialogs.questionNames.back(), "other.tvp");
  // The erase dialog is the open dialog, where the user last left it.
  EXPECT_EQ(dialogs.dialogs.back().purpose, FileDialogPurpose::kEraseProject);
  EXPECT_TRUE(dialogs.dialogs.back().asOpenDialogLastWas);
  EXPECT_FALSE(std::filesystem::exists(ProjectPath("other.tvp")));
  EXPECT_TRUE(project.noProjectOpen);
  EXPECT_EQ(data.name, "Open");

  // The open project's own file: the project page is cleared, no question
  // to save the project whose file is gone.
  project.noProjectOpen = false;
  dialogs.questions.clear();
  dialogs.answers = {kAnswerCancel, kAnswerOk};
  dialogs.files.push_back(ProjectPath("open.tvp"));
  controller->Erase();
  EXPECT_EQ(dialogs.questions, (std::vector<int>{-303, -301}));
  EXPECT_FALSE(std::filesystem::exists(ProjectPath("open.tvp")));
  EXPECT_TRUE(data.name.empty());
  EXPECT_EQ(data.date, kToday);
  EXPECT_TRUE(project.fileName.empty());

  // Refused: -204 with the file name.
  SaveNew("keep.tvp");
  dialogs.answers = {kAnswerCancel, kAnswerCancel};
  dialogs.files.push_back(ProjectPath("keep.tvp"));
  controller->Erase();
  EXPECT_EQ(dialogs.messages.back(), -204);
  EXPECT_EQ(dialogs.messageArguments.back(), "keep.tvp");
  EXPECT_TRUE(std::filesystem::exists(ProjectPath("keep.tvp")));
}

TEST_F(Projects, SaveAsAndExit) {
  data.name = "First";
  SaveNew("first.tvp");
  dialogs.files.push_back(ProjectPath("second.tvp"));
  controller->SaveAs();
  EXPECT_EQ(dialogs.dialogs.back().purpose, FileDialogPurpose::kSaveProjectAs);
  EXPECT_EQ(dialogs.dialogs.back().presetName, ProjectPath("first.tvp"));
  EXPECT_EQ(project.fileName, "second.tvp");
  EXPECT_TRUE(std::filesystem::exists(ProjectPath("second.tvp")));

  // Onto an existing file, refused: -201 with an empty name.
  dialogs.files.push_back(ProjectPath("first.tvp"));
  dialogs.answers.push_back(kAnswerCancel);
  controller->SaveAs();
  EXPECT_EQ(dialogs.messages.back(), -201);
  EXPECT_EQ(dialogs.messageArguments.back(), "");

  // The door button offers to save; OK saves without a dialog.
  const auto dialogsBefore = dialogs.dialogs.size();
  dialogs.answers.push_back(kAnswerOk);
  controller->BeforeExit();
  EXPECT_EQ(dialogs.questions.back(), -303);
  EXPECT_EQ(dialogs.dialogs.size(), dialogsBefore);
}

}  // namespace
}  // namespace silvarone

namespace silvarone {
namespace {

TEST_F(Projects, AFolderTheSettingsCannotHoldIsNotStoredAsQuestionMarks) {
  // "齿轮" (gear) has no Windows-1252 code; "Zahnräder" has.
  const std::string chinese = folder_.string() + "/齿轮";
  const std::string german = folder_.string() + "/Zahnräder";
  std::filesystem::create_directories(chinese);
  std::filesystem::create_directories(german);
  const std::string before = project.directory;
  const auto storedFolder = [&] {
    return IniDocument(SettingsFilePath(home))
        .ReadString("Project data", "Project File Directory", "");
  };
  for (const char* name : {"p.tvp", "q.tvp"}) {
    dialogs.files.push_back(chinese + "/" + name);
    project.fileName.clear();
    controller->Save();
    EXPECT_TRUE(std::filesystem::exists(chinese + "/" + name));  // the project is saved
    EXPECT_EQ(project.directory, before);
    EXPECT_EQ(storedFolder(), before);
  }
  ASSERT_EQ(dialogs.problems.size(), 1u);  // told once
  EXPECT_EQ(dialogs.problems[0].kind, ProblemKind::kFolderNotStorable);
  EXPECT_EQ(dialogs.problems[0].path, chinese);

  dialogs.files.push_back(german + "/r.tvp");
  project.fileName.clear();
  controller->Save();
  EXPECT_EQ(project.directory, german);
  EXPECT_EQ(storedFolder(), german);
}

}  // namespace
}  // namespace silvarone
