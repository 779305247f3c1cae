// The texts of the window that are no captions: every one in both languages,
// and the problems of the layers below worded as the user reads them.
#include "ui/texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace silvarone {
namespace {

TEST(Texts, BackCalculationFailureInBothLanguages) {
  EXPECT_EQ(Text(TextId::kBackCalculationFailed, kGerman),
            "Rückrechnung nicht möglich! Bitte Parameter korrigieren!");
  EXPECT_EQ(Text(TextId::kBackCalculationFailed, kEnglish),
            "Back calculation not possible! Please correct parameter!");
}

TEST(Texts, EveryTextHasBothLanguages) {
  for (int id = 0; id <= static_cast<int>(TextId::kLogChartTitle); ++id) {
    for (const Language language : {kGerman, kEnglish}) {
      EXPECT_FALSE(Text(static_cast<TextId>(id), language, {"a", "b"}).empty())
          << "text " << id << " language " << language;
    }
  }
}

TEST(Texts, ProblemsAreWordedWithTheirFacts) {
  using platform::ReadFailure;
  struct Case {
    const char* name;
    Problem problem;
    Language language;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"missing file",
       {.kind = ProblemKind::kCannotRead, .path = "/a/b.ini", .reason = ReadFailure::kMissing},
       kGerman,
       "/a/b.ini kann nicht gelesen werden: Datei nicht vorhanden"},
      {"too large",
       {.kind = ProblemKind::kCannotRead,
        .path = "x",
        .reason = ReadFailure::kTooLarge,
        .limit = 4 << 20},
       kEnglish,
       "x kann nicht gelesen werden: größer als 4 MB"},
      {"small limit",
       {.kind = ProblemKind::kCannotRead,
        .path = "x",
        .reason = ReadFailure::kTooLarge,
        .limit = 100},
       kGerman,
       "x kann nicht gelesen werden: größer als 100 Bytes"},
      {"cannot write",
       {.kind = ProblemKind::kCannotWrite, .path = "/p.tvp"},
       kEnglish,
       "In /p.tvp kann nicht geschrieben werden"},
      {"table file",
       {.kind = ProblemKind::kNoTableFile, .path = "T.dat"},
       kGerman,
       "Cannot open file \"T.dat\"."},
      {"table line",
       {.kind = ProblemKind::kTableFormat,
        .path = "T.dat",
        .detail = "\"T.dat\", line 9: 3 fields, 14 expected."},
       kGerman,
       "\"T.dat\", line 9: 3 fields, 14 expected."},
      {"folder",
       {.kind = ProblemKind::kFolderNotStorable, .path = "/ü/漢", .detail = "/home"},
       kEnglish,
       "The folder /ü/漢 cannot be kept in the settings (characters outside Windows-1252); project "
       "dialogs keep opening in /home."},
      {"balls",
       {.kind = ProblemKind::kBallListFull},
       kGerman,
       "Die Kugelfolge fasst höchstens 100 Kugeln."},
      {"balls",
       {.kind = ProblemKind::kBallListFull},
       kEnglish,
       "The ball order holds at most 100 balls."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ProblemText(c.problem, c.language), c.text) << c.name;
}

TEST(Texts, FileDialogsHaveTheTitleOfTheirPurpose) {
  EXPECT_EQ(FileDialogTitle(FileDialogPurpose::kOpenProject, kGerman), "Pojekt öffnen");
  EXPECT_EQ(FileDialogTitle(FileDialogPurpose::kEraseProject, kEnglish), "Erase project");
  EXPECT_EQ(FileDialogTitle(FileDialogPurpose::kSaveReportPdf, kEnglish), "Save report as PDF");
}

}  // namespace
}  // namespace silvarone
