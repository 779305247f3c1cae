// The command line's report of a project does not depend on the gear the
// settings held before: `report PROJECT.tvp` over any earlier gear prints
// exactly what `report` prints with the project's data in the settings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "core/text_file.h"
#include "file_fixture.h"
#include "project_load_cases.h"
#include "storage/settings.h"

namespace silvarone {
namespace {

using testing::ConfiguredGears;

struct Pair {
  std::size_t before;
  std::size_t loaded;
};

// Every pair once; the input mode goes round with the pairs, so each mode
// meets every gear.
std::vector<Pair> AllPairs() {
  std::vector<Pair> pairs;
  for (std::size_t a = 0; a < ConfiguredGears().size(); ++a) {
    for (std::size_t b = 0; b < ConfiguredGears().size(); ++b)
      pairs.push_back({a, b});
  }
  return pairs;
}

const char* ModeOption(const Pair& pair) {
  static constexpr const char* kModes[] = {"", " --mode wk", " --mode mdk", " --mode xe"};
  return kModes[(pair.before + pair.loaded) % 4];
}

std::string PairName(const ::testing::TestParamInfo<Pair>& info) {
  return std::string(ConfiguredGears()[info.param.before].name) + "_then_" +
         ConfiguredGears()[info.param.loaded].name;
}

void PrintTo(const Pair& pair, std::ostream* out) {
  *out << ConfiguredGears()[pair.before].name << " then " << ConfiguredGears()[pair.loaded].name
       << ModeOption(pair);
}

class ProjectLoadOnTheCommandLine : public testing::TempFolder,
                                    public ::testing::WithParamInterface<Pair> {
 protected:
  std::string Home(const std::string& name) const { return folder_.string() + "/" + name + "/"; }
  void WriteWindows1252(const std::string& path, const std::string& utf8) const {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << Utf8ToCp1252(utf8);
  }
  // The JSON of `silvarone report ARGUMENTS --json` with that settings folder.
  nlohmann::json Report(const std::string& home, const std::string& arguments) const {
    const std::string out = Path("out.json");
    const std::string command = "SILVARONE_HOME='" + home + "' '" SILVARONE_EXECUTABLE "' report " +
                                arguments + " --json >'" + out + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    return nlohmann::json::parse(Read("out.json"), nullptr, false);
  }
};

TEST_P(ProjectLoadOnTheCommandLine, GivesTheReportOfAStartWithTheProject) {
  const auto& before = ConfiguredGears()[GetParam().before];
  const auto& loaded = ConfiguredGears()[GetParam().loaded];
  const std::string mode = ModeOption(GetParam());

  WriteWindows1252(Home("loading") + kSettingsFileName, before.configuration);
  const std::string project = Home("loading") + "projects/gear.tvp";
  WriteWindows1252(project, loaded.configuration);
  const nlohmann::json got = Report(Home("loading"), "'" + project + "'" + mode);

  WriteWindows1252(Home("starting") + kSettingsFileName, loaded.configuration);
  const nlohmann::json want = Report(Home("starting"), mode);

  ASSERT_FALSE(want.is_discarded());
  ASSERT_TRUE(want["report"].is_array());
  const nlohmann::json difference = nlohmann::json::diff(want, got);
  EXPECT_TRUE(difference.empty()) << difference.dump(1).substr(0, 3000);
}

INSTANTIATE_TEST_SUITE_P(EveryPair, ProjectLoadOnTheCommandLine, ::testing::ValuesIn(AllPairs()),
                         PairName);

}  // namespace
}  // namespace silvarone
