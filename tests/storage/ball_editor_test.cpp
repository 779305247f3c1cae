// The ball sequence editor of the instrument.
#include "storage/ball_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/series.h"
#include "file_fixture.h"
#include "scripted_dialogs.h"

namespace silvarone {
namespace {

using Lines = std::vector<std::string>;

class BallEditor : public testing::TempFolder {
 protected:
  void Open(const Lines& balls) { editor.Open(balls); }
  testing::ScriptedDialogs dialogs;
  BallSequenceEditor editor{dialogs};
};

TEST(BallEditorAccess, CodeIsExact) {
  EXPECT_TRUE(AccessCodeAccepted("redudera"));
  EXPECT_FALSE(AccessCodeAccepted("Redudera"));
  EXPECT_FALSE(AccessCodeAccepted("redudera1"));
  EXPECT_FALSE(AccessCodeAccepted(""));
}

TEST(BallEditorValues, Parsing) {
  EXPECT_EQ(ParseBallValue("2,5"), 2.5);
  EXPECT_EQ(ParseBallValue(" 5° "), 5.0);
  EXPECT_EQ(ParseBallValue("5\xC2\xB0"), 5.0);
  for (const char* bad : {"", ".", ",", "+", "-", "5 mm", "1.2.3", "abc"}) {
    EXPECT_FALSE(ParseBallValue(bad).has_value()) << "'" << bad << "'";
  }
}

TEST_F(BallEditor, OpenShowsThreeDecimalsAndMarksBadLines) {
  Open({"2", "3.5", "x"});
  EXPECT_EQ(editor.DisplayList(), (Lines{"2.000", "3.500", "-10000.000"}));
  EXPECT_EQ(editor.SelectedLine(), 0);
  EXPECT_EQ(editor.EditText(), "2.000");
  EXPECT_FALSE(editor.Modified());
}

TEST_F(BallEditor, AddKeepsTheListAscendingAndFreeOfDuplicates) {
  Open({"2.000", "3.000"});
  editor.TypeText("2,5");
  EXPECT_TRUE(editor.Edited());
  editor.Add();
  EXPECT_EQ(editor.DisplayList(), (Lines{"2.000", "2.500", "3.000"}));
  EXPECT_EQ(editor.SelectedValue(), "2.500");
  EXPECT_TRUE(editor.Modified());
  EXPECT_FALSE(editor.Edited());

  Open({"2.000", "3.000"});
  editor.SelectLine(0);
  editor.TypeText("3");
  editor.Add();
  EXPECT_EQ(editor.DisplayList(), (Lines{"2.000", "3.000"}));
  EXPECT_FALSE(editor.Modified());
  EXPECT_EQ(editor.SelectedLine(), 0);

  editor.TypeText("1e3");
  editor.Add();
  EXPECT_EQ(dialogs.messages, std::vector<int>{-101});
  EXPECT_EQ(editor.EditText(), "2.000");

  editor.TypeText("9");
  editor.Add();
  EXPECT_EQ(editor.DisplayList().back(), "9.000");
}

TEST_F(BallEditor, AtMostOneHundredBalls) {
  Lines balls;
  for (int i = 1; i <= 100; ++i)
    balls.push_back(std::to_string(i));
  Open(balls);
  editor.TypeText("100.5");
  editor.Add();
  EXPECT_EQ(editor.DisplayList().size(), 100u);
  const Problem full{.kind = ProblemKind::kBallListFull};
  EXPECT_EQ(dialogs.problems, std::vector<Problem>{full});
  EXPECT_FALSE(editor.Modified());
  editor.MoveBottom();
  EXPECT_EQ(editor.SelectedLine(), 99);

  editor.Open(balls);
  editor.TypeText("0.5");
  editor.Add();
  EXPECT_EQ(dialogs.problems, (std::vector<Problem>{full, full}));
}

TEST_F(BallEditor, ChangeAndErase) {
  Open({"2.000", "2.500", "3.000"});
  editor.SelectLine(1);
  editor.TypeText("3.000");
  editor.Change();  // 3.000 is present
  EXPECT_EQ(editor.DisplayList(), (Lines{"2.000", "2.500", "3.000"}));
  EXPECT_FALSE(editor.Modified());

  editor.SelectLine(1);
  editor.TypeText("4");
  editor.Change();
  EXPECT_EQ(editor.DisplayList(), (Lines{"2.000", "3.000", "4.000"}));
  EXPECT_EQ(editor.SelectedValue(), "4.000");
  EXPECT_TRUE(editor.Modified());

  editor.SelectLine(2);
  editor.Erase();  // the last line: the new last line is selected
  EXPECT_EQ(editor.DisplayList(), (Lines{"2.000", "3.000"}));
  EXPECT_EQ(editor.SelectedLine(), 1);

  editor.TypeText("7");
  editor.Erase();  // not in the list: nothing, no message
  EXPECT_EQ(editor.DisplayList().size(), 2u);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(BallEditor, MovesUndoSaveAndClose) {
  Open({"1.000", "2.000", "3.000"});
  editor.MoveUp();
  EXPECT_EQ(editor.SelectedLine(), 0);
  editor.MoveDown();
  editor.MoveDown();
  editor.MoveDown();
  EXPECT_EQ(editor.SelectedLine(), 2);
  EXPECT_EQ(editor.EditText(), "3.000");
  editor.MoveTop();
  EXPECT_EQ(editor.SelectedLine(), 0);

  editor.TypeText("1.5");
  editor.Add();
  const auto stored = editor.Save(Path(kDeviceBallFile));
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(*stored, (Lines{"1.000", "1.500", "2.000", "3.000"}));
  EXPECT_EQ(ReadBallFile(Path(kDeviceBallFile)), stored);
  EXPECT_FALSE(editor.Modified());

  editor.SelectLine(3);
  editor.Erase();
  editor.Undo();  // back to the list as opened, even after the save
  EXPECT_EQ(editor.DisplayList(), (Lines{"1.000", "2.000", "3.000"}));
  EXPECT_FALSE(editor.Modified());

  // Unsaved changes: question -400; dismissed keeps the editor open.
  editor.TypeText("5");
  editor.Add();
  dialogs.answers = {kAnswerCancel, kAnswerOk};
  EXPECT_FALSE(editor.Close());
  EXPECT_EQ(editor.DisplayList().size(), 4u);
  EXPECT_TRUE(editor.Close());
  EXPECT_EQ(dialogs.questions, (std::vector<int>{-400, -400}));
  EXPECT_TRUE(editor.DisplayList().empty());
}

TEST_F(BallEditor, AFailedSaveKeepsTheChanges) {
  Open({"1.000"});
  editor.TypeText("2");
  editor.Add();
  EXPECT_FALSE(editor.Save(Path("missing/") + kDeviceBallFile).has_value());
  EXPECT_TRUE(editor.Modified());
  const std::string path = Path("missing/") + kDeviceBallFile;
  const Problem cannotWrite{.kind = ProblemKind::kCannotWrite, .path = path};
  EXPECT_EQ(dialogs.problems, std::vector<Problem>{cannotWrite});
}

}  // namespace
}  // namespace silvarone

namespace silvarone {
namespace {

// Found by the fuzz target balls (fuzz/regressions/balls/two_balls_shown_alike).
TEST_F(BallEditor, BallsThatLookAlikeInTheListAreOneBall) {
  Open({"1"});
  // 1.0001 and 0.9996 show as 1.000 with the list's 3 decimals.
  for (const char* typed : {"1.0001", "0,9996"}) {
    editor.TypeText(typed);
    editor.Add();
  }
  EXPECT_EQ(editor.DisplayList(), (Lines{"1.000"}));
  editor.TypeText("1.0004");
  editor.Erase();
  EXPECT_TRUE(editor.DisplayList().empty());
}

}  // namespace
}  // namespace silvarone
