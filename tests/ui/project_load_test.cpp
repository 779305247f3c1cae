// A project loaded over any earlier gear shows exactly what a start with the
// project's data shows: every field, selection, record, caption and the
// report, for every pair of gears and every input mode.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/text_file.h"
#include "file_fixture.h"
#include "project_load_cases.h"
#include "report/report.h"
#include "scripted_dialogs.h"
#include "storage/settings.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

using testing::ConfiguredGear;
using testing::ConfiguredGears;

std::string Number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

// Everything the window and the report show, one line per item.
std::vector<std::string> Snapshot(const WindowModel& model) {
  std::vector<std::string> lines;
  for (const auto& [name, f] : model.fields()) {
    lines.push_back("field " + name + "=" + f.text + "|" + f.saved + "|" +
                    std::to_string(static_cast<int>(f.state)) + std::to_string(f.enabled) +
                    std::to_string(f.readOnly) + std::to_string(f.highlighted));
  }
  for (const auto& [name, s] : model.selections()) {
    std::string items;
    for (const std::string& item : s.items)
      items += item + ";";
    lines.push_back("selection " + name + "=" + items + "|" + std::to_string(s.index) +
                    std::to_string(s.enabled));
  }
  for (const RecordInfo& info : RecordTable()) {
    const TGear& r = model.gear().rec.*info.member;
    lines.push_back("record " + std::string(info.name) + "=" + r.text + "|" + Number(r.value) +
                    "|" + std::to_string(r.status));
  }
  const CalculationState& state = model.gear().state;
  lines.push_back("state " + std::to_string(state.ExternalGear) +
                  std::to_string(state.HelicalGear) + std::to_string(state.CalculationMode));
  // The first panel names the project, the only thing that may differ.
  for (std::size_t i = 1; i < model.statusBar().size(); ++i) {
    lines.push_back("status " + model.statusBar()[i]);
  }
  for (const auto& [object, text] : model.captions())
    lines.push_back("caption " + object + "=" + text);
  const RangeDisplay& range = model.rangeDisplay();
  lines.push_back("range " + range.caption + "|" + range.startLabel + "|" + range.rangeStartLabel +
                  "|" + range.rangeEndLabel + "|" + range.endLabel + "|" +
                  std::to_string(range.position));
  lines.push_back("ok " + model.okPicture());
  lines.push_back("page " + std::to_string(TabIndex(model.page())) + " back box " +
                  std::to_string(model.backCalculationBoxVisible()) +
                  std::to_string(model.backCalculationDone()));
  for (const std::string& line : BuildReport(model.ReportData()))
    lines.push_back("report " + line);
  return lines;
}

struct LoadCase {
  std::size_t before;  // the gear of the settings
  std::size_t loaded;  // the project's gear
  CalculationModeKind mode;
};

std::string CaseName(const ::testing::TestParamInfo<LoadCase>& info) {
  const auto& gears = ConfiguredGears();
  static constexpr const char* kModes[] = {"Standard", "Wk", "Mdk", "xE"};
  return std::string(gears[info.param.before].name) + "_then_" + gears[info.param.loaded].name +
         "_" + kModes[info.param.mode];
}

std::vector<LoadCase> AllPairs() {
  std::vector<LoadCase> cases;
  const std::size_t n = ConfiguredGears().size();
  for (std::size_t a = 0; a < n; ++a) {
    for (std::size_t b = 0; b < n; ++b) {
      for (int mode = kModeStandard; mode <= kModeGivenProfileShift; ++mode) {
        cases.push_back({a, b, static_cast<CalculationModeKind>(mode)});
      }
    }
  }
  return cases;
}

class ProjectLoad : public testing::TempFolder, public ::testing::WithParamInterface<LoadCase> {
 protected:
  static void WriteWindows1252(const std::string& path, const std::string& utf8) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << Utf8ToCp1252(utf8);
  }
  static bool StartIn(WindowModel& model, const std::string& home) {
    return model.Start({.settingsDirectory = home,
                        .programDirectory = std::string(SILVARONE_DATA_DIR) + "/",
                        .checkPdfViewer = false});
  }
  // The user's day before the load: results on the calculation page, a
  // back-calculation, a pending edit.
  static void UseTheWindow(WindowModel& model) {
    model.ChangePage(Page::kCalculation);
    model.RunCheckDimension();
    const std::string nominal = model.gear().rec.Q_plus_D_M.text;
    model.Edited("Input_checkGauge", nominal);
    model.Confirm("Input_checkGauge");
    model.RunBackCalculation();
    model.Edited("Input_z", "77");
  }
  static void ShowTheResults(WindowModel& model, CalculationModeKind mode) {
    model.SelectInputMode(mode);
    model.ChangePage(Page::kCalculation);
    model.RunCheckDimension();
  }
};

TEST_P(ProjectLoad, GivesWhatAStartWithTheProjectGives) {
  const ConfiguredGear& before = ConfiguredGears()[GetParam().before];
  const ConfiguredGear& loaded = ConfiguredGears()[GetParam().loaded];

  testing::ScriptedDialogs loadingDialogs;
  WindowModel loading(loadingDialogs);
  const std::string home = folder_.string() + "/loading/";
  WriteWindows1252(home + kSettingsFileName, before.configuration);
  const std::string project = home + "projects/gear.tvp";
  WriteWindows1252(project, loaded.configuration);
  ASSERT_TRUE(StartIn(loading, home));
  UseTheWindow(loading);
  loadingDialogs.TakeTexts();
  loadingDialogs.files = {project};
  loading.LoadProject();
  ASSERT_FALSE(loading.project().noProjectOpen);
  ShowTheResults(loading, GetParam().mode);

  testing::ScriptedDialogs startingDialogs;
  WindowModel starting(startingDialogs);
  const std::string fresh = folder_.string() + "/starting/";
  WriteWindows1252(fresh + kSettingsFileName, loaded.configuration);
  ASSERT_TRUE(StartIn(starting, fresh));
  ShowTheResults(starting, GetParam().mode);
  // Every gear of the table is one the calculation page takes.
  ASSERT_EQ(starting.page(), Page::kCalculation) << startingDialogs.TakeTexts().front();

  EXPECT_EQ(loadingDialogs.TakeTexts(), startingDialogs.TakeTexts());
  const std::vector<std::string> got = Snapshot(loading);
  const std::vector<std::string> want = Snapshot(starting);
  ASSERT_EQ(got.size(), want.size());
  int differences = 0;
  for (std::size_t i = 0; i < got.size() && differences < 12; ++i) {
    if (got[i] != want[i]) {
      ADD_FAILURE() << "after the load:    " << got[i] << "\nafter a fresh start: " << want[i];
      ++differences;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryPairAndMode, ProjectLoad, ::testing::ValuesIn(AllPairs()), CaseName);

}  // namespace
}  // namespace silvarone
