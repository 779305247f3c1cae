// A project file loaded through the storage layer, as "&Laden" reads it: any
// bytes give a configuration and project data within their limits, and
// what was read survives a save and a second load unchanged.
#include "storage/project.h"

#include "core/records.h"
#include "fuzz_support.h"

namespace {

using namespace silvarone;

class SilentDialogs : public ProjectDialogs {
 public:
  void ShowNumberedMessage(int, const std::string&, const std::string&) override { ++messages; }
  void ShowProblem(const Problem&) override { ++messages; }
  int AskConfirmation(int, const std::string&) override { return kAnswerCancel; }
  std::optional<std::string> ChooseFileToOpen(const FileDialogSetup&) override { return {}; }
  std::optional<std::string> ChooseFileToSave(const FileDialogSetup&) override { return {}; }
  int messages = 0;
};

const Date kToday{std::chrono::year{2026}, std::chrono::month{1}, std::chrono::day{5}};

struct Loaded {
  Workspace workspace;
  ProjectState project;
  ProjectData data;
  SilentDialogs dialogs;

  // Loads the file as the project controller does.
  bool Load(const std::string& path) {
    project.noProjectOpen = false;
    ProjectController controller(workspace, project, data, fuzz::PrivateFolder(), dialogs, true);
    controller.today = [] { return kToday; };
    return controller.ReadProjectFile(path);
  }
};

// Every text the two configuration sections and the project data hold.
std::vector<std::string> Texts(const Workspace& w, const ProjectData& d) {
  std::vector<std::string> texts;
  for (const RecordInfo& info : RecordTable())
    texts.push_back((w.gear.rec.*info.member).text);
  const ToleranceState& t = w.tolerance;
  for (const std::string* text : std::initializer_list<const std::string*>{
           &w.module.series1Text, &w.module.series2Text, &w.module.manualText, &w.ball.dinText,
           &w.ball.deviceText, &w.instrument.name, &t.deviationDin, &t.deviationProd,
           &t.toleranceDin, &t.toleranceProd, &t.customerDeviationFile, &t.customerToleranceFile,
           &d.name, &d.leader, &d.drawing1, &d.drawing2}) {
    texts.push_back(*text);
  }
  for (const std::string& range : w.instrument.rangeTexts)
    texts.push_back(range);
  for (const std::string& line : d.comment)
    texts.push_back(line);
  for (int number : std::initializer_list<int>{
           w.module.item, w.ball.item, w.toothCountMode, w.instrument.rangeIndex,
           w.manualToleranceMode, w.tolerance.source, static_cast<int>(w.gear.state.language),
           w.gear.state.Nachkommastellenzahl_1, w.gear.state.Nachkommastellenzahl_2,
           w.gear.state.Nachkommastellenzahl_3}) {
    texts.push_back(std::to_string(number));
  }
  texts.push_back(DateText(d.date));
  return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Loaded first;
  FUZZ_CHECK(first.Load(fuzz::WriteFile("first.tvp", bytes)));
  FUZZ_CHECK(first.dialogs.messages == 0);
  FUZZ_CHECK(first.data.comment.size() <= static_cast<std::size_t>(kMaxCommentLines));
  FUZZ_CHECK(IsValidDate(first.data.date));
  for (int places : {first.workspace.gear.state.Nachkommastellenzahl_1,
                     first.workspace.gear.state.Nachkommastellenzahl_2,
                     first.workspace.gear.state.Nachkommastellenzahl_3}) {
    FUZZ_CHECK(places >= 0 && places <= 6);
  }
  FUZZ_CHECK(first.workspace.gear.state.CalculationMode == kModeStandard);

  // Saved as a project is saved, and loaded again: nothing changes.
  IniDocument saved = IniDocument::FromBytes("", "");
  WriteConfiguration(saved, first.workspace);
  WriteProjectData(saved, first.data);
  Loaded second;
  FUZZ_CHECK(second.Load(fuzz::WriteFile("second.tvp", saved.Bytes())));
  FUZZ_CHECK(Texts(first.workspace, first.data) == Texts(second.workspace, second.data));
  return 0;
}
