// The command line, run as a user or a shop-floor script would run it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "command_line_fixture.h"
#include "file_fixture.h"
#include "row_name.h"
#include "scripted_dialogs.h"
#include "storage/project.h"

namespace silvarone {
namespace {

TEST_F(CommandLine, ReportOfAProjectFile) {
  const std::string project = WriteProject("ritzel.tvp");
  const Outcome run = Silvarone("report '" + project + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Projekt      : Ritzel 20\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Datum        : 24.12.2025\n"), std::string::npos);
  EXPECT_NE(run.out.find("Projektleiter: Prüfer\n"), std::string::npos);
  EXPECT_NE(run.out.find("Geradverzahntes Stirnrad\n"), std::string::npos);
  // d = 2 * 20 = 40 in column 70: the 50-character label, 19 blanks.
  EXPECT_NE(run.out.find("Teilkreisdurchmesser              d         [mm]  " +
                         std::string(19, ' ') + "40.000\n"),
            std::string::npos)
      << run.out;
  // The ball typed in the project is the ball in use.
  EXPECT_NE(run.out.find("  eingegeben                      DDM       [mm]       3.5\n"),
            std::string::npos);
  // The user's settings folder holds no settings file: the command line wrote none.
  EXPECT_FALSE(std::filesystem::exists(Home() + "diruvavida_roduzaz.ini"));

  const Outcome english = Silvarone("report '" + project + "' --lang en --mode wk");
  ASSERT_EQ(english.status, 0) << english.err;
  EXPECT_NE(english.out.find("Calculation mode  : base tangent length Wk\n"), std::string::npos);
}

// The first start's gear, m_n 1, z -50, alpha_n 20, x 0, span over k -10
// gaps, MdK ball 10, the recommended instrument ball 1.653. By hand: d -50,
// d_b = -50 cos 20 = -46.984631, d_Na -48, d_Nf -52.5;
// W_k = cos 20 (-9.5 pi - 50 inv 20) = 0.9396926 (-29.845130 - 0.745220)
//     = -28.745526, d_Wk = -sqrt(46.984631^2 + 28.745526^2) = -55.080494,
// beyond d_Nf. The 10 mm ball is wider than the gap can take on its involute
// (e_bt = |d_b| (pi / 100 + inv 20) = 2.176342, inv alpha_Kt = (e_bt - 10) /
// |d_b| = -0.166513 < 0).
TEST_F(CommandLine, JsonCarriesTheMeasurabilityChecks) {
  const Outcome run = Silvarone("report --json --lang en");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  const auto& m = json["measurability"];
  EXPECT_FALSE(m["sound"]);
  EXPECT_NEAR(m["d_b"].get<double>(), -46.984631, 1e-6);
  EXPECT_EQ(m["d_Na"], -48.0);
  EXPECT_EQ(m["d_Nf"], -52.5);
  EXPECT_NEAR(m["Wk"]["W_k"].get<double>(), -28.745526, 1e-6);
  EXPECT_NEAR(m["Wk"]["d_Wk"].get<double>(), -55.080494, 1e-6);
  EXPECT_EQ(m["Wk"]["contact"], "past_root");
  EXPECT_EQ(m["Wk"]["warnings"].at(0),
            "Anvils touch at d_Wk = -55.080 mm, past the usable root circle d_Nf = -52.500 mm.");
  EXPECT_EQ(m["MdK"]["D"], 10.0);
  EXPECT_EQ(m["MdK"]["contact"], "no_involute");
  EXPECT_TRUE(m["MdK"]["d_MK"].is_null());
  EXPECT_EQ(m["Q"]["D"], 1.653);
  EXPECT_EQ(m["Q"]["contact"], "usable");
  EXPECT_TRUE(m["Q"]["warnings"].empty());
  EXPECT_EQ(json["fields"]["Warnung_Wk"], "Wk: anvils past d_Nf");
  const std::vector<std::string> report = json["report"];
  EXPECT_NE(std::find(report.begin(), report.end(),
                      "  ! " + m["Wk"]["warnings"].at(0).get<std::string>()),
            report.end());

  // z 20, k 3, both balls 3.5: every check holds, the report has no warning.
  const std::string project = WriteProject("ritzel.tvp");
  const Outcome sound = Silvarone("report '" + project + "' --json");
  ASSERT_EQ(sound.status, 0) << sound.err;
  const auto holds = nlohmann::json::parse(sound.out);
  EXPECT_TRUE(holds["measurability"]["sound"]);
  for (const std::string line : holds["report"])
    EXPECT_FALSE(line.starts_with("  !")) << line;
}

TEST_F(CommandLine, JsonAndBackCalculation) {
  const std::string project = WriteProject("ritzel.tvp");
  const Outcome first = Silvarone("report '" + project + "' --json");
  ASSERT_EQ(first.status, 0) << first.err;
  const auto json = nlohmann::json::parse(first.out);
  for (const char* key : {"records", "fields", "messages", "report", "captions"}) {
    EXPECT_TRUE(json.contains(key)) << key;
  }
  EXPECT_EQ(json["captions"]["TabSheet3"], "Berechnung");
  EXPECT_EQ(json["captions"]["Messzaehne_Box"], "Messzähne");  // z 20: an external gear
  EXPECT_EQ(json["captions"]["RadioGroup_Modul.items"][2], "Eingeben:");
  EXPECT_EQ(json["records"]["m_n"]["text"], "2");
  EXPECT_EQ(json["records"]["d"]["value"], 40.0);
  EXPECT_EQ(json["records"]["z"]["status"], 0);
  EXPECT_TRUE(json["fields"].contains("Kontrollmass"));
  EXPECT_TRUE(json["fields"].contains("Used_D_M"));
  EXPECT_EQ(json["fields"]["Used_k_M"], "3");
  ASSERT_TRUE(json["report"].is_array());

  // The measured test dimension of the lower limit: a back-calculation section.
  const std::string lower = json["records"]["Q_plus_D_M_lower"]["text"];
  const Outcome back = Silvarone("report '" + project + "' --measured " + lower);
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_NE(back.out.find("Berechnungsergebnisse ohne Gewähr."), std::string::npos) << back.err;
}

struct ErrorCase {
  const char* name;
  std::string arguments;  // FILE stands for the path of `file` in the test's folder
  const char* file;       // nullptr: none
  const char* contents;   // written to `file`; nullptr: the file is missing
  std::string message;
};

SILVARONE_PRINT_ROW_NAME(ErrorCase)

std::vector<ErrorCase> ErrorCases() {
  return {
      {"MissingProjectFile", "report 'FILE'", "missing.tvp", nullptr, "cannot read project file"},
      {"UnknownOption", "report --colour", nullptr, nullptr, "unknown option --colour"},
      {"UnknownLanguage", "report --lang fr", nullptr, nullptr, "--lang takes de or en"},
      {"UnknownMode", "report --mode q", nullptr, nullptr, "--mode takes wk, mdk or xe"},
      {"MeasuredNotANumber", "report --measured abc", nullptr, nullptr, "is not a test dimension"},
      {"MeasuredWithoutValue", "report --measured", nullptr, nullptr, "--measured needs a value"},
      {"UnknownCommand", "print", nullptr, nullptr, "usage: silvarone [report"},
      {"VersionWithAnArgument", "--version extra", nullptr, nullptr, "usage: silvarone [report"},
      {"OptionWithoutCommand", "--colour", nullptr, nullptr, "usage: silvarone [report"},
      {"NotAProjectFile", "report 'FILE'", "gear.txt", "[data]\r\n",
       "is not a project file (.tvp)"},
  };
}

class CommandLineError : public CommandLine, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(CommandLineError, ExitsWithStatus2AndOneLine) {
  const ErrorCase& c = GetParam();
  std::string arguments = c.arguments;
  if (c.file != nullptr) {
    const std::string path = c.contents != nullptr ? Write(c.file, c.contents) : Path(c.file);
    arguments.replace(arguments.find("FILE"), 4, path);
  }
  const Outcome run = Silvarone(arguments);
  EXPECT_EQ(run.status, 2) << arguments;
  EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_TRUE(run.out.empty());
}

INSTANTIATE_TEST_SUITE_P(CommandLine, CommandLineError, ::testing::ValuesIn(ErrorCases()),
                         testing::RowName);

struct HelpCase {
  const char* name;
  std::string arguments;
  std::vector<std::string> shown;
};

SILVARONE_PRINT_ROW_NAME(HelpCase)

std::vector<HelpCase> HelpCases() {
  return {
      {"Help",
       "--help",
       {"usage: silvarone [report", "screenshots DIR", "--version", "(no arguments)"}},
      {"ShortHelp", "-h", {"usage: silvarone [report"}},
      {"ReportHelp",
       "report --help",
       {"usage: silvarone report [FILE.tvp]", "--measured VALUE", "Exit status"}},
      {"ReportShortHelp", "report -h", {"usage: silvarone report [FILE.tvp]"}},
      {"Version", "--version", {"Norlath Measurement 3.3.8 (02.10.2018)\n", "GPL-3.0-or-later"}},
  };
}

class CommandLineHelp : public CommandLine, public ::testing::WithParamInterface<HelpCase> {};

// Help and version go to standard output with status 0, as scripts and
// package tools expect; the top-level help names every command.
TEST_P(CommandLineHelp, GoesToStandardOutput) {
  const HelpCase& c = GetParam();
  const Outcome run = Silvarone(c.arguments);
  EXPECT_EQ(run.status, 0) << c.arguments;
  EXPECT_EQ(run.err, "") << c.arguments;
  for (const std::string& text : c.shown)
    EXPECT_NE(run.out.find(text), std::string::npos) << c.arguments << ": " << text;
}

INSTANTIATE_TEST_SUITE_P(CommandLine, CommandLineHelp, ::testing::ValuesIn(HelpCases()),
                         testing::RowName);

TEST_F(CommandLine, SaveWritesTheUsersSettings) {
  const Outcome run = Silvarone("report --save --lang en");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Protocol for the calculation"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(Home() + "diruvavida_roduzaz.ini"));
  const Outcome again = Silvarone("report");
  EXPECT_NE(again.out.find("Protocol for the calculation"), std::string::npos);
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

TEST_F(CommandLine, ASettingsFileThatIsAFolderIsToldAndTheDefaultsServe) {
  std::filesystem::create_directories(SettingsFile());
  const Outcome run = Silvarone("report");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Teilkreisdurchmesser"), std::string::npos)
      << run.out;  // a report of the defaults
  EXPECT_EQ(Count(run.err, "kann nicht gelesen werden: keine gewöhnliche Datei"), 1u) << run.err;

  // --save cannot replace a folder: told once, its own status.
  const Outcome save = Silvarone("report --save");
  EXPECT_EQ(save.status, 4) << save.err;
  EXPECT_EQ(Count(save.err, "kann nicht gelesen werden"), 1u) << save.err;
  EXPECT_EQ(Count(save.err, "kann nicht geschrieben werden"), 1u) << save.err;
  EXPECT_TRUE(std::filesystem::is_directory(SettingsFile()));
}

TEST_F(CommandLine, TableFileNamesOutsideTheDataFolderAreRefusedAndTheStartGoesOn) {
  // A project whose production table is ".", saved into the settings.
  const std::string project = WriteProject("punkt.tvp");
  IniDocument file(project);
  file.WriteString("common configuration", "Abmass File", ".");
  ASSERT_TRUE(file.Save());
  ASSERT_EQ(Silvarone("report '" + project + "' --save").status, 0);
  for (const char* name : {".", "/dev/zero", "../dat/DeviationTable_DIN3967.dat"}) {
    SCOPED_TRACE(name);
    IniDocument settings(SettingsFile());
    settings.WriteString("common configuration", "Abmass File", name);
    ASSERT_TRUE(settings.Save());
    const Outcome run = Silvarone("report", "timeout 60 env");
    EXPECT_EQ(run.status, 0) << name << ": " << run.err;
    EXPECT_EQ(run.err, "Cannot open file \"" + std::string(name) + "\".\n");
    EXPECT_NE(run.out.find("Teilkreisdurchmesser"), std::string::npos);
  }
}

TEST_F(CommandLine, AReportWithoutSaveNeedsNoTemporaryFolderAndWritesNothing) {
  StoreSettings("[data]\r\nZaehnezahl z=23\r\n");
  const auto before = std::filesystem::last_write_time(SettingsFile());
  Write("file", "x");
  for (const std::string& tmp : {Path("missing"), Path("file")}) {
    SCOPED_TRACE("TMPDIR " + tmp);
    const Outcome run = Silvarone("report --lang en", "TMPDIR='" + tmp + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Protocol for the calculation"), std::string::npos);
  }
  EXPECT_EQ(Read("home/diruvavida_roduzaz.ini"), "[data]\r\nZaehnezahl z=23\r\n");
  EXPECT_EQ(std::filesystem::last_write_time(SettingsFile()), before);
  // Not even the projects folder is made.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Home()),
                          std::filesystem::directory_iterator()),
            1);
}

struct FailedWriteCase {
  const char* name;
  std::string shell, arguments, message;
  int status;
};

SILVARONE_PRINT_ROW_NAME(FailedWriteCase)

class CommandLineFailedWrite : public CommandLine,
                               public ::testing::WithParamInterface<FailedWriteCase> {};

TEST_P(CommandLineFailedWrite, EndsWithItsOwnStatus) {
  const FailedWriteCase& c = GetParam();
  StoreSettings("[data]\r\nZaehnezahl z=23\r\n");
  const Outcome run = Silvarone(c.arguments, c.shell);
  EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
  EXPECT_EQ(Count(run.err, c.message), 1u) << c.name << ": " << run.err;
  EXPECT_EQ(Read("home/diruvavida_roduzaz.ini"), "[data]\r\nZaehnezahl z=23\r\n") << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, CommandLineFailedWrite,
    ::testing::Values(FailedWriteCase{"FullStandardOutput", "", "report >/dev/full",
                                      "cannot write the report", 5},
                      FailedWriteCase{"ClosedStandardOutput", "", "report >&-",
                                      "cannot write the report", 5},
                      FailedWriteCase{"FileSizeLimit", "ulimit -f 1;", "report --save",
                                      "kann nicht geschrieben werden", 4}),
    testing::RowName);

TEST_F(CommandLine, RefusedDataGiveNoReportButTheirMessagesAndStatus3) {
  StoreSettings("[data]\r\nZaehnezahl z=abc\r\n");
  const Outcome run = Silvarone("report");
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("-103: "), std::string::npos) << run.err;

  const Outcome json = Silvarone("report --json");
  EXPECT_EQ(json.status, 3) << json.err;
  const auto parsed = nlohmann::json::parse(json.out);
  EXPECT_TRUE(parsed["report"].is_null());
  EXPECT_TRUE(parsed["measurability"].is_null());  // no page, nothing checked
  EXPECT_EQ(parsed["records"]["z"]["text"], "abc");
  EXPECT_EQ(parsed["messages"].at(0)["number"], -103);
}

}  // namespace
}  // namespace silvarone
