// `silvarone log add` and `silvarone log export`, run as the built program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "command_line_fixture.h"
#include "row_name.h"
#include "storage/gear_table.h"
#include "storage/part_log.h"

namespace silvarone {
namespace {

using Json = nlohmann::json;

class Log : public CommandLine {
 protected:
  std::string LogFile() const { return Home() + kInspectionLogFileName; }
  Outcome Add(const std::string& project, const std::string& options) {
    return Silvarone("log add '" + project + "' " + options);
  }
  Json ExportJson(const std::string& arguments) {
    const Outcome run = Silvarone("log export " + arguments + " --json");
    EXPECT_EQ(run.status, 0) << run.err;
    return Json::parse(run.out, nullptr, false);
  }
};

// The field texts of the calculation page without their leading blanks.
std::string Trimmed(const Json& text) {
  std::string t = text.get<std::string>();
  t.erase(0, t.find_first_not_of(' '));
  return t;
}

// One micrometre beyond a limit of three decimals, as text.
std::string Beyond(const std::string& limit, double step) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", std::stod(limit) + step);
  return text;
}

// The verdict of `log add` against the limits `report --json` shows for the
// same gear: on each limit within (status 0), a micrometre beyond it outside
// (status 6), for each of the three dimensions; the records keep the
// report's nominal value and limits.
TEST_F(Log, VerdictsAgreeWithTheLimitsOfTheReport) {
  const std::string project = WriteProject("ritzel.tvp", "ZR-20");
  const Outcome report = Silvarone("report '" + project + "' --json");
  ASSERT_EQ(report.status, 0) << report.err;
  const Json fields = Json::parse(report.out)["fields"];
  struct Dimension {
    const char* word;
    const char* nominal;
    const char* upper;
    const char* lower;
  };
  int records = 0;
  for (const Dimension& d : {Dimension{"test", "Q_plus_D_M", "Edit2", "Edit3"},
                             Dimension{"wk", "Edit100", "Edit101", "Edit102"},
                             Dimension{"mdk", "Edit200", "Edit201", "Edit202"}}) {
    const std::string upper = Trimmed(fields[d.upper]);
    const std::string lower = Trimmed(fields[d.lower]);
    ASSERT_FALSE(upper.empty() || lower.empty()) << d.word;
    const std::pair<std::string, int> cases[] = {
        {upper, 0}, {lower, 0}, {Beyond(upper, 0.001), 6}, {Beyond(lower, -0.001), 6}};
    for (const auto& [measured, status] : cases) {
      const Outcome run =
          Add(project, "--lang en --dimension " + std::string(d.word) + " --measured " + measured);
      EXPECT_EQ(run.status, status) << d.word << " " << measured << ": " << run.err;
      EXPECT_NE(run.out.find("upper " + upper + ", lower " + lower), std::string::npos) << run.out;
      ++records;
    }
    const Json last = ExportJson("'" + project + "'")[0];
    EXPECT_EQ(last["dimension"], d.word);
    EXPECT_EQ(last["nominal"], Trimmed(fields[d.nominal]));
    EXPECT_EQ(last["upper"], upper);
    EXPECT_EQ(last["lower"], lower);
    EXPECT_EQ(last["verdict"], "below");
    EXPECT_EQ(last["drawing"], "ZR-20");
  }
  EXPECT_EQ(ExportJson("--all").size(), static_cast<std::size_t>(records));
}

TEST_F(Log, ExportChoosesTheGearAndWritesCsvItsReaderReadsBack) {
  const std::string ritzel = WriteProject("ritzel.tvp", "ZR-20");
  const std::string rad = WriteProject("rad.tvp", "ZR-21", "21");
  const std::string serials[] = {"A-1", "Welle \"7\", Süd", ""};
  for (const std::string& serial : serials) {
    ASSERT_EQ(Add(ritzel, "--dimension wk --measured 15.265 --serial '" + serial + "'").status, 0);
  }
  ASSERT_EQ(Add(rad, "--dimension wk --measured 17.9 --serial A-9").status, 6);

  const Outcome csv = Silvarone("log export '" + ritzel + "'");
  ASSERT_EQ(csv.status, 0) << csv.err;
  std::istringstream in(csv.out);
  TableReader reader(in);
  std::vector<std::string> read;
  while (auto row = reader.Next()) {
    ASSERT_FALSE(row->problem) << *row->problem;
    std::map<std::string, std::string> cells(row->cells.begin(), row->cells.end());
    EXPECT_EQ(cells["measured"], "15.265");
    EXPECT_EQ(cells["m_n"], "2");
    EXPECT_EQ(cells["drawing"], "ZR-20");
    read.push_back(cells["serial"]);
  }
  EXPECT_EQ(reader.separator(), ',');
  // Newest first.
  EXPECT_EQ(read, (std::vector<std::string>{serials[2], serials[1], serials[0]}));

  EXPECT_EQ(ExportJson("'" + ritzel + "' --serial A-").size(), 1u);
  EXPECT_EQ(ExportJson("--all --serial A-").size(), 2u);
  EXPECT_EQ(ExportJson("'" + rad + "'").size(), 1u);
  EXPECT_EQ(ExportJson("--all --from 2999-01-01").size(), 0u);
  EXPECT_EQ(ExportJson("--all --to 2000-12-31").size(), 0u);
}

TEST_F(Log, WithoutALogTheExportIsEmpty) {
  const Outcome csv = Silvarone("log export --all");
  EXPECT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 1);  // the header
  EXPECT_EQ(ExportJson("--all"), Json::array());
  EXPECT_FALSE(std::filesystem::exists(LogFile()));
}

TEST_F(Log, ALogThatIsNoDatabaseRefusesAndStaysAsItWas) {
  const std::string project = WriteProject("ritzel.tvp");
  std::filesystem::create_directories(Home());
  const std::string bytes = "Prüfprotokoll, Blatt 1\n" + std::string(4096, '#');
  std::ofstream(LogFile(), std::ios::binary) << bytes;
  const Outcome add = Add(project, "--lang en --dimension wk --measured 15.265");
  EXPECT_EQ(add.status, 4);
  EXPECT_NE(add.err.find("is not an SQLite database; nothing is recorded."), std::string::npos)
      << add.err;
  EXPECT_EQ(Silvarone("log export --all").status, 4);
  EXPECT_EQ(Read("home/" + std::string(kInspectionLogFileName)), bytes);
}

TEST_F(Log, RefusedDataRecordNothing) {
  StoreSettings("[data]\r\nZaehnezahl z=abc\r\n");
  const Outcome run = Silvarone("log add --measured 15.3");
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(std::filesystem::exists(LogFile()));
}

// A shop floor with two stations recording the same gear at once.
TEST_F(Log, TwoProgramsRecordingAtOnceBothSucceed) {
  const std::string project = WriteProject("ritzel.tvp");
  const std::string loop = "for i in 1 2 3 4 5 6 7 8; do SILVARONE_HOME='" + Home() +
                           "' '" SILVARONE_EXECUTABLE "' log add '" + project +
                           "' --dimension wk --measured 15.265 --serial $i >/dev/null || echo " +
                           "failed; done";
  const Outcome run = Silvarone("--version", "(" + loop + ") & (" + loop + "); wait;");
  EXPECT_EQ(run.out.find("failed"), std::string::npos) << run.out << run.err;
  EXPECT_EQ(ExportJson("--all").size(), 16u);
}

struct UsageRow {
  const char* name;
  const char* arguments;
  const char* says;
};
SILVARONE_PRINT_ROW_NAME(UsageRow)

class LogUsage : public Log, public ::testing::WithParamInterface<UsageRow> {};

TEST_P(LogUsage, ExitsWithStatus2AndSaysWhy) {
  const Outcome run = Silvarone(GetParam().arguments);
  EXPECT_EQ(run.status, 2) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find(GetParam().says), std::string::npos) << run.err;
  // One line, as every command's usage error.
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_FALSE(std::filesystem::exists(LogFile()));
}

INSTANTIATE_TEST_SUITE_P(
    Log, LogUsage,
    ::testing::Values(
        UsageRow{"no_command", "log", "usage: silvarone log add|export"},
        UsageRow{"unknown_command", "log remove", "usage: silvarone log add|export"},
        UsageRow{"no_measured_value", "log add", "log add needs --measured VALUE"},
        UsageRow{"measured_no_number", "log add --measured 1,2,3", "is not a measured value"},
        UsageRow{"unknown_dimension", "log add --measured 1 --dimension q",
                 "--dimension takes test, wk or mdk"},
        UsageRow{"no_calendar_date", "log export --from 2026-02-30", "takes a date YYYY-MM-DD"},
        UsageRow{"date_of_another_form", "log export --to 09.12.2026", "takes a date YYYY-MM-DD"},
        UsageRow{"csv_and_json", "log export --csv --json", "do not go together"},
        UsageRow{"all_and_a_file", "log export a.tvp --all", "do not go together"},
        UsageRow{"export_option_for_add", "log add --measured 1 --json", "unknown option --json"},
        UsageRow{"missing_project", "log add missing.tvp --measured 1",
                 "cannot read project file"}),
    testing::RowName);

}  // namespace
}  // namespace silvarone
