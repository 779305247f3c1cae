// Ball files and the ball sequence editor. Any file reads as a list of
// diameter texts that the writer writes and the reader reads back the same;
// any sequence of editor actions keeps the list free of duplicates and at
// most 100 balls long (unless it opened longer), and what the editor stores
// reads back as it shows it.
#include <set>

#include "device/series.h"
#include "fuzz_support.h"
#include "storage/ball_editor.h"

namespace {

using namespace silvarone;

class QuietQuestions : public Questions {
 public:
  void ShowNumberedMessage(int, const std::string&, const std::string&) override {}
  void ShowProblem(const Problem&) override {}
  int AskConfirmation(int, const std::string&) override { return answer; }
  int answer = kAnswerOk;
};

bool Unique(const std::vector<std::string>& list) {
  return std::set<std::string>(list.begin(), list.end()).size() == list.size();
}

// Texts typed into the edit field: some numbers near each other, and bytes.
std::string Typed(fuzz::Input& input) {
  static const char* const kTexts[] = {"1",     "1.0001", "1,0004", "0.9995", "2.5",   "-3",
                                       "10000", "1e3",    "",       "abc",    "0.0005"};
  const std::uint8_t pick = input.Byte();
  if (pick < 200) return kTexts[pick % std::size(kTexts)];
  return input.Text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input input(data, size);
  const std::string actions = input.Text();
  const std::string file = input.Rest();

  const auto read = ReadBallFile(fuzz::WriteFile("balls.dat", file));
  FUZZ_CHECK(read.has_value());
  for (const std::string& diameter : *read) {
    FUZZ_CHECK(!diameter.empty());
    for (char c : diameter)
      FUZZ_CHECK(static_cast<unsigned char>(c) > 0x20 && c != 0x7F);
  }
  if (!read->empty()) {
    const std::string copy = fuzz::PrivateFolder() + "copy.dat";
    FUZZ_CHECK(WriteBallFile(*read, copy, "05.01.2026") == 0);
    FUZZ_CHECK(ReadBallFile(copy) == read);
  }

  QuietQuestions questions;
  BallSequenceEditor editor(questions);
  editor.Open(*read);
  const std::size_t limit = std::max(read->size(), kMaxDeviceBalls);
  const bool uniqueAtStart = Unique(editor.DisplayList());
  fuzz::Input steps(reinterpret_cast<const std::uint8_t*>(actions.data()), actions.size());
  while (!steps.Empty()) {
    switch (steps.Byte() % 11) {
      case 0:
        editor.SelectLine(steps.Byte() - 8);
        break;
      case 1:
        editor.TypeText(Typed(steps));
        break;
      case 2:
        editor.MoveUp();
        break;
      case 3:
        editor.MoveDown();
        break;
      case 4:
        editor.MoveTop();
        break;
      case 5:
        editor.MoveBottom();
        break;
      case 6:
        editor.Add();
        break;
      case 7:
        editor.Change();
        break;
      case 8:
        editor.Erase();
        break;
      case 9:
        editor.Undo();
        break;
      default:
        questions.answer = steps.Byte() % 2 ? kAnswerOk : kAnswerCancel;
        break;
    }
    const auto& list = editor.DisplayList();
    FUZZ_CHECK(list.size() <= limit);
    FUZZ_CHECK(editor.SelectedLine() < static_cast<int>(list.size()));
    FUZZ_CHECK((editor.SelectedLine() == -1) == list.empty());
    if (uniqueAtStart) FUZZ_CHECK(Unique(list));
  }
  if (!editor.DisplayList().empty()) {
    const std::vector<std::string> shown = editor.DisplayList();
    const auto stored = editor.Save(fuzz::PrivateFolder() + "sequence.dat");
    FUZZ_CHECK(stored == shown);
  }
  return 0;
}
