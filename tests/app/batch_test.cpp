// The batch computes each gear as the window computes a project with that
// gear's data: every row of `silvarone batch` (run with the settings' defaults,
// every value in the row) equals the fields of `silvarone report --json` of a
// project that holds the same gear. Bad rows are refused one by one, and a
// spreadsheet's CSV reads as a plain one.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "core/text_file.h"
#include "file_fixture.h"
#include "row_name.h"
#include "storage/settings.h"

namespace silvarone {
namespace {

using Cells = std::vector<std::pair<std::string, std::string>>;

struct BatchCase {
  const char* name;
  Cells cells;
};

SILVARONE_PRINT_ROW_NAME(BatchCase)

const std::string* Find(const Cells& cells, const std::string& name) {
  for (const auto& [column, text] : cells) {
    if (column == name) return &text;
  }
  return nullptr;
}

// The same gear as the configuration of a project file, in the settings
// keys the window stores it under.
std::string ProjectOf(const Cells& cells) {
  std::string common = "[common configuration]\r\nNormalmodul Type=2\r\n";
  std::string data = "[data]\r\n";
  const auto key = [&](std::string& section, const std::string& name, const std::string& value) {
    section += name + "=" + value + "\r\n";
  };
  static const std::map<std::string, std::vector<std::string>> kDataKeys = {
      {"m_n", {"Normalmodul m_n", "Normalmodul m_n manual"}},
      {"z", {"Zaehnezahl z"}},
      {"alpha_n", {"Normaleingriffswinkel alpha_n"}},
      {"beta", {"Schraegungswinkel beta"}},
      {"x", {"Profilverschiebungsfaktor x", "Profilverschiebung x"}},
      {"b_w", {"Zahnbreite b_w"}},
      {"A_sne", {"oberes Abmass der Zahndicke A_sne "}},
      {"T_sn", {"Toleranz der Zahndicke T_sn "}},
      {"Wk_given", {"Silvarone Wk"}},
      {"Wke_given", {"Silvarone Wke"}},
      {"Wki_given", {"Silvarone Wki"}},
      {"Mdk_given", {"Diametrales Zweikugelmass Mdk"}},
      {"Mdke_given", {"Diametrales Zweikugelmass Mdke"}},
      {"Mdki_given", {"Diametrales Zweikugelmass Mdki"}},
      {"Xe_given", {"Erzeugungsprofilverschiebung Xe"}},
      {"Xee_given", {"Erzeugungsprofilverschiebung Xee"}},
      {"Xei_given", {"Erzeugungsprofilverschiebung Xei"}},
      {"k_given", {"Messzähnezahl k"}},
      {"DM_given", {"Messkugeldurchmesser DM"}},
      {"D_M", {"Messkugeldurchmesser D_M manual"}},
      {"k_M", {"Messzaehnezahl k_M manual"}},
  };
  for (const auto& [column, text] : cells) {
    if (const auto keys = kDataKeys.find(column); keys != kDataKeys.end()) {
      for (const std::string& name : keys->second)
        key(data, name, text);
    }
  }
  key(common, "Messkugelfolge", Find(cells, "D_M") ? "3" : "0");
  key(common, "Messzahnmode", Find(cells, "k_M") ? "1" : "0");
  if (Find(cells, "A_sne")) key(common, "Quelle Abmass", "2");
  if (const std::string* source = Find(cells, "deviation_source")) {
    const bool din = *source == "DIN";
    key(common, "Quelle Abmass", din ? "0" : "1");
    key(common, din ? "Abmassreihe DIN" : "Abmassreihe PROD", *Find(cells, "deviation_series"));
    key(common, din ? "Toleranzreihe DIN" : "Toleranzreihe PROD", *Find(cells, "tolerance_series"));
  }
  // The range values of PRALO 175-200: "200,000" and "225,000".
  if (const std::string* range = Find(cells, "range"))
    key(common, "Messbereichsauswahl", *range == "225" ? "1" : "0");
  return common + data;
}

// The window's field of each result column (the check dimension fields
// show their number after two blanks).
const std::vector<std::pair<std::string, std::string>>& FieldOfColumn() {
  static const std::vector<std::pair<std::string, std::string>> fields = {
      {"d", "Edit5"},
      {"d_b", "Edit1"},
      {"k_span", "Edit103"},
      {"W_k", "Edit100"},
      {"Wke", "Edit101"},
      {"Wki", "Edit102"},
      {"M_dk", "Edit200"},
      {"MdKe", "Edit201"},
      {"MdKi", "Edit202"},
      {"xE", "Edit300"},
      {"xEe", "Edit301"},
      {"xEi", "Edit302"},
      {"A_sne", "Input_A_sne"},
      {"T_sn", "Input_T_sn"},
      {"A_sni", "Input_A_sni"},
      {"D_M", "Used_D_M"},
      {"k_M", "Used_k_M"},
      {"Q", "Kontrollmass"},
      {"Q_plus_D_M", "Q_plus_D_M"},
      {"Q_plus_D_M_upper", "Edit2"},
      {"Q_plus_D_M_lower", "Edit3"},
      {"xE_working", "Edit6"},
      {"Wk_real", "Edit7"},
      {"Mdk_real", "Edit8"}};
  return fields;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

constexpr std::size_t kResultColumns = 27;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

// The fields of a result line; a message in quotes may hold the separator.
std::vector<std::string> Fields(const std::string& line, char separator = ',') {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == separator && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

class Batch : public testing::TempFolder {
 protected:
  std::string Home(const std::string& name) const { return folder_.string() + "/" + name + "/"; }
  void WriteWindows1252(const std::string& path, const std::string& utf8) const {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << Utf8ToCp1252(utf8);
  }
  int Run(const std::string& home, const std::string& arguments) const {
    std::filesystem::create_directories(home);
    const std::string command = "SILVARONE_HOME='" + home + "' '" SILVARONE_EXECUTABLE "' " +
                                arguments + " 2>'" + Path("err.txt") + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The result rows of a batch over `input`, by column name.
  std::vector<std::map<std::string, std::string>> RunBatch(const std::string& input,
                                                           int expectedStatus,
                                                           const std::string& options = "") {
    Write("in.csv", input);
    EXPECT_EQ(Run(Home("defaults"),
                  "batch '" + Path("in.csv") + "' --out '" + Path("out.csv") + "' " + options),
              expectedStatus)
        << Read("err.txt");
    // The output repeats input columns under the names of results (A_sne, D_M,
    // ...): the results are the last columns, the input columns come first.
    const std::vector<std::string> lines = Lines(Read("out.csv"));
    std::vector<std::map<std::string, std::string>> rows;
    if (lines.empty()) return rows;
    // The output keeps the separator of the input.
    const char separator = lines.front().find(',') == std::string::npos ? ';' : ',';
    const std::vector<std::string> header = Fields(lines.front(), separator);
    const std::size_t results = header.size() - kResultColumns;
    for (std::size_t i = 1; i < lines.size(); ++i) {
      const std::vector<std::string> fields = Fields(lines[i], separator);
      std::map<std::string, std::string>& row = rows.emplace_back();
      for (std::size_t c = 0; c < fields.size() && c < header.size(); ++c) {
        row[(c < results ? "in:" : "") + header[c]] = fields[c];
      }
    }
    return rows;
  }
  static std::string Csv(const Cells& cells) {
    std::string header, values;
    for (const auto& [column, text] : cells) {
      header += (header.empty() ? "" : ",") + column;
      values += (values.empty() ? "" : ",") + text;
    }
    return header + "\n" + values + "\n";
  }
};

class BatchAgainstTheWindow : public Batch, public ::testing::WithParamInterface<BatchCase> {};

TEST_P(BatchAgainstTheWindow, EveryResultIsTheWindowsField) {
  Cells cells = GetParam().cells;
  std::string reportOptions;
  if (const std::string* mode = Find(cells, "mode")) reportOptions += " --mode " + *mode;
  if (const std::string* measured = Find(cells, "Q_measured")) {
    reportOptions += " --measured " + *measured;
  }
  WriteWindows1252(Home("window") + "projects/gear.tvp", ProjectOf(cells));
  ASSERT_EQ(Run(Home("window"), "report '" + Home("window") + "projects/gear.tvp' --json" +
                                    reportOptions + " >'" + Path("report.json") + "'"),
            0)
      << Read("err.txt");
  const nlohmann::json report = nlohmann::json::parse(Read("report.json"));
  const auto rows = RunBatch(Csv(cells), 0, "--jobs 1");
  ASSERT_EQ(rows.size(), 1u);
  const auto& row = rows.front();
  EXPECT_EQ(row.at("status"), "ok") << row.at("message");
  for (const auto& [column, field] : FieldOfColumn()) {
    EXPECT_EQ(row.at(column), Trimmed(report["fields"][field].get<std::string>()))
        << column << " (" << field << ")";
  }
  // The input columns come back as they were given.
  for (const auto& [column, text] : cells)
    EXPECT_EQ(row.at("in:" + column), text) << column;
}

INSTANTIATE_TEST_SUITE_P(
    Gears, BatchAgainstTheWindow,
    ::testing::Values(
        BatchCase{"SpurExternalDin",
                  {{"id", "A-1"},
                   {"m_n", "2"},
                   {"z", "30"},
                   {"alpha_n", "20"},
                   {"beta", "0"},
                   {"x", "0"},
                   {"b_w", "20"},
                   {"deviation_source", "DIN"},
                   {"deviation_series", "e"},
                   {"tolerance_series", "26"}}},
        BatchCase{"HelicalExternalManual",
                  {{"m_n", "3"},
                   {"z", "40"},
                   {"beta", "15"},
                   {"x", "0.2"},
                   {"b_w", "30"},
                   {"A_sne", "-25"},
                   {"T_sn", "15"},
                   {"D_M", "5"},
                   {"k_M", "6"}}},
        BatchCase{"SpurInternalProduction",
                  {{"m_n", "2.5"},
                   {"z", "-60"},
                   {"x", "0.1"},
                   {"b_w", "25"},
                   {"deviation_source", "PROD"},
                   {"deviation_series", "e*"},
                   {"tolerance_series", "26*"},
                   {"range", "225"}}},
        BatchCase{"HelicalInternalDin",
                  {{"m_n", "1.5"},
                   {"z", "-71"},
                   {"beta", "20"},
                   {"x", "-0.1"},
                   {"b_w", "18"},
                   {"deviation_source", "DIN"},
                   {"deviation_series", "d"},
                   {"tolerance_series", "25"},
                   {"D_M", "2.5"},
                   {"k_M", "-9"}}},
        BatchCase{"HelicalExternalGivenSpan",
                  {{"m_n", "2.75"},
                   {"z", "23"},
                   {"alpha_n", "17.5"},
                   {"beta", "12"},
                   {"b_w", "22"},
                   {"mode", "wk"},
                   {"Wk_given", "30.2"},
                   {"Wke_given", "30.15"},
                   {"Wki_given", "30.1"},
                   {"k_given", "4"}}},
        BatchCase{"SpurInternalGivenBallDimension",
                  {{"m_n", "4"},
                   {"z", "-50"},
                   {"b_w", "40"},
                   {"mode", "mdk"},
                   {"Mdk_given", "-191.5"},
                   {"Mdke_given", "-191.6"},
                   {"Mdki_given", "-191.7"},
                   {"DM_given", "7"},
                   {"A_sne", "-60"},
                   {"T_sn", "40"}}},
        BatchCase{"SpurExternalGivenProfileShift",
                  {{"m_n", "2"},
                   {"z", "30"},
                   {"mode", "xe"},
                   {"Xe_given", "0.1"},
                   {"Xee_given", "0.05"},
                   {"Xei_given", "0"}}},
        // A measured test dimension between the upper and lower ones the window
        // shows for this gear (28.446 and 28.407 mm): a gear inside its tolerance.
        BatchCase{
            "SpurExternalBackCalculation",
            {{"m_n", "2"}, {"z", "30"}, {"D_M", "3.5"}, {"k_M", "4"}, {"Q_measured", "28.43"}}}),
    testing::RowName);

// One bad row of each kind among good ones: each is refused alone, with its
// status and a message, and every other row is computed, in input order.
TEST_F(Batch, ABadRowIsRefusedAloneAndTheOthersGoOn) {
  const auto rows = RunBatch(
      "id,m_n,z,mode,deviation_source,deviation_series,Q_measured,D_M\n"
      "good,2,30,,,,,\n"
      "no module,,30,,,,\n"
      "letters,2,abc,,,,\n"
      "mode,2,30,sideways,,,\n"
      "series,2,30,,DIN,zz,\n"
      "far off,2,30,,,,99\n"  // 70 mm from the nominal test dimension: implausible
      "too many,2,30,,,,,,extra\n"
      "bad ball,2,30,,,,,abc\n"
      "good again,3,40,,,,\n",
      3, "--lang en");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"good", "ok"},
      {"no module", "missing-column"},
      {"letters", "-103"},
      {"mode", "unknown-value"},
      {"series", "unknown-series"},
      {"far off", "back-calculation-failed"},
      {"too many", "malformed-row"},
      {"bad ball", "-103"},
      {"good again", "ok"}};
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto& row = rows[i];
    EXPECT_EQ(row.at("in:id"), expected[i].first);
    EXPECT_EQ(row.at("status"), expected[i].second) << expected[i].first;
    EXPECT_EQ(row.at("message").empty(), expected[i].second == "ok") << expected[i].first;
    // A refused row has no results; a failed back-calculation keeps the gear's.
    const bool computed =
        expected[i].second == "ok" || expected[i].second == "back-calculation-failed";
    EXPECT_EQ(row.at("W_k").empty(), !computed) << expected[i].first;
    EXPECT_EQ(row.at("xE_working").empty(), true) << expected[i].first;
  }
  EXPECT_NE(rows[2].at("message").find("(2)"), std::string::npos) << "names the tooth count";
}

TEST_F(Batch, UsageHeaderAndOutputFailuresEndWithTheirStatus) {
  Write("in.csv", "m_n,z\n2,30\n");
  EXPECT_EQ(Run(Home("h"), "batch '" + Path("in.csv") + "' --out '" + Path("ok.csv") + "'"), 0);
  Write("unknown.csv", "m_n,z,colour\n2,30,red\n");
  EXPECT_EQ(Run(Home("h"), "batch '" + Path("unknown.csv") + "' --out '" + Path("u.csv") + "'"), 2);
  EXPECT_NE(Read("err.txt").find("colour"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Path("u.csv")));
  EXPECT_EQ(Run(Home("h"), "batch '" + Path("missing.csv") + "'"), 2);
  EXPECT_EQ(Run(Home("h"), "batch '" + Path("in.csv") + "' --jobs 0"), 2);
  EXPECT_EQ(Run(Home("h"), "batch '" + Path("in.csv") + "' --format xml"), 2);
  EXPECT_EQ(Run(Home("h"), "batch '" + Path("in.csv") + "' --out '" + Path("in.csv") + "'"), 2);
  EXPECT_EQ(Read("in.csv"), "m_n,z\n2,30\n");
  EXPECT_EQ(
      Run(Home("h"), "batch '" + Path("in.csv") + "' --out '" + Path("no/such/out.csv") + "'"), 5);
  // An output that cannot be written leaves the old file as it was.
  Write("old.csv", "old");
  EXPECT_EQ(Run(Home("h"), "batch '" + Path("in.csv") + "' --out /dev/full"), 5);
  EXPECT_EQ(Run(Home("h"), "batch '" + Path("in.csv") + "' > /dev/full"), 5);
  EXPECT_EQ(Read("old.csv"), "old");
}

// A spreadsheet's export: BOM, ';' between fields, decimal commas, a quoted
// field holding the separator, CRLF line ends.
TEST_F(Batch, ASpreadsheetsCsvReadsAsAPlainOne) {
  const auto plain = RunBatch("id,m_n,z,beta,x\nA,2.5,31,12.5,0.25\n", 0);
  const auto sheet =
      RunBatch("\xEF\xBB\xBFid;m_n;z;beta;x\r\n\"A;\"\"1\"\"\";2,5;31;12,5;0,25\r\n", 0);
  ASSERT_EQ(plain.size(), 1u);
  ASSERT_EQ(sheet.size(), 1u);
  EXPECT_EQ(sheet[0].at("in:id"), "A;\"1\"");
  for (const auto& [column, field] : FieldOfColumn())
    EXPECT_EQ(sheet[0].at(column), plain[0].at(column)) << column;
  EXPECT_EQ(sheet[0].at("status"), "ok");
}

// Rows computed on several threads come out in input order, as one thread
// writes them.
TEST_F(Batch, ThreadsKeepTheInputOrder) {
  std::string input = "id,m_n,z,x\n";
  for (int i = 0; i < 3000; ++i) {
    input += std::to_string(i) + "," + std::to_string(1 + i % 5) + "," +
             std::to_string(12 + i % 90) + "," + (i % 3 == 0 ? "0.1" : "0") + "\n";
  }
  Write("many.csv", input);
  ASSERT_EQ(
      Run(Home("h"), "batch '" + Path("many.csv") + "' --jobs 1 --out '" + Path("one.csv") + "'"),
      0);
  ASSERT_EQ(
      Run(Home("h"), "batch '" + Path("many.csv") + "' --jobs 4 --out '" + Path("four.csv") + "'"),
      0);
  EXPECT_EQ(Lines(Read("one.csv")).size(), 3001u);
  EXPECT_TRUE(Read("one.csv") == Read("four.csv"));
}

// A station that pipes its gears in one by one gets each result while the
// pipe stays open: the batch does not wait for a chunk of rows to fill.
TEST_F(Batch, RowsPipedOneByOneComeOutOneByOne) {
  for (const char* jobs : {"1", "2"}) {
    SCOPED_TRACE(std::string("--jobs ") + jobs);
    int toBatch[2];
    int fromBatch[2];
    ASSERT_EQ(pipe(toBatch), 0);
    ASSERT_EQ(pipe(fromBatch), 0);
    std::filesystem::create_directories(Home("piped"));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      dup2(toBatch[0], 0);
      dup2(fromBatch[1], 1);
      for (const int fd : {toBatch[0], toBatch[1], fromBatch[0], fromBatch[1]})
        close(fd);
      setenv("SILVARONE_HOME", Home("piped").c_str(), 1);
      execl(SILVARONE_EXECUTABLE, SILVARONE_EXECUTABLE, "batch", "--jobs", jobs,
            static_cast<char*>(nullptr));
      _exit(127);
    }
    close(toBatch[0]);
    close(fromBatch[1]);
    // The whole lines the batch has written, waiting up to a minute for `count`.
    std::string out;
    const auto ended = [&] {
      return static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n'));
    };
    const auto linesOut = [&](std::size_t count) {
      for (int waited = 0; ended() < count && waited < 600; ++waited) {
        pollfd ready{fromBatch[0], POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) continue;
        char buffer[4096];
        const ssize_t n = read(fromBatch[0], buffer, sizeof buffer);
        if (n <= 0) break;
        out.append(buffer, static_cast<std::size_t>(n));
      }
      return ended();
    };
    const std::string first = "id,m_n,z\nA,2,20\n";
    ASSERT_EQ(write(toBatch[1], first.data(), first.size()), static_cast<ssize_t>(first.size()));
    EXPECT_EQ(linesOut(2), 2u) << "the first gear's result while the pipe is open";
    const std::string second = "B,3,30\n";
    ASSERT_EQ(write(toBatch[1], second.data(), second.size()), static_cast<ssize_t>(second.size()));
    EXPECT_EQ(linesOut(3), 3u) << "the second gear's result while the pipe is open";
    close(toBatch[1]);
    linesOut(4);
    close(fromBatch[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::vector<std::string> lines = Lines(out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(0, 2), "A,");
    EXPECT_EQ(lines[2].substr(0, 2), "B,");
  }
}

// JSON lines in, JSON lines out: the same results as the CSV row.
TEST_F(Batch, JsonLinesGiveTheResultsOfTheirCsvRow) {
  const auto csv = RunBatch("id,m_n,z,beta\nA,2,30,15\n", 0);
  Write("in.jsonl", "{\"id\": \"A\", \"m_n\": 2, \"z\": \"30\", \"beta\": 15}\n");
  ASSERT_EQ(Run(Home("defaults"), "batch '" + Path("in.jsonl") + "' >'" + Path("out.jsonl") + "'"),
            0);
  const nlohmann::json row = nlohmann::json::parse(Lines(Read("out.jsonl")).at(0));
  ASSERT_EQ(csv.size(), 1u);
  EXPECT_EQ(row.at("id"), "A");
  for (const auto& [column, field] : FieldOfColumn())
    EXPECT_EQ(row.at(column).get<std::string>(), csv[0].at(column)) << column;
}

// Every column the batch reads or writes is named in `silvarone batch --help`
// (the CSV output of a JSON line has a column for each): a column added
// without its line in the help would be found only by reading the code.
TEST_F(Batch, TheHelpNamesEveryColumn) {
  Write("in.jsonl", "{\"m_n\": 2, \"z\": 20}\n");
  ASSERT_EQ(Run(Home("defaults"),
                "batch '" + Path("in.jsonl") + "' --format csv >'" + Path("out.csv") + "'"),
            0);
  ASSERT_EQ(Run(Home("defaults"), "batch --help >'" + Path("help.txt") + "'"), 0);
  const std::string help = Read("help.txt");
  const std::vector<std::string> header = Fields(Lines(Read("out.csv")).at(0), ',');
  ASSERT_FALSE(header.empty());
  for (const std::string& column : header) {
    // A word of its own: the "x" of "xE" or the "d" of "d_b" does not count.
    const auto wordChar = [](char c) {
      return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    };
    bool found = false;
    for (std::size_t at = help.find(column); !found && at != std::string::npos;
         at = help.find(column, at + 1)) {
      const std::size_t end = at + column.size();
      found = (at == 0 || !wordChar(help[at - 1])) && (end == help.size() || !wordChar(help[end]));
    }
    EXPECT_TRUE(found) << column << " is not in the help";
  }
}

}  // namespace
}  // namespace silvarone
