// Every value row of the calculation report against the field or record it
// must copy, in each input mode, for several gears, in both languages and
// after a back-calculation. The sources are those of the report's row table:
// a swapped pair of rows (upper and lower test dimension, say) fails here.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/text.h"
#include "file_fixture.h"
#include "scripted_dialogs.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

enum class Where { kAlone, kInput, kOutput };

// Where a row's value stands and what it copies: "field:NAME" (without the two
// leading blanks of the check dimension fields), "record:NAME", or a special.
struct Source {
  Where where = Where::kAlone;
  std::string what;
};

Source In(std::string what) {
  return {Where::kInput, std::move(what)};
}
Source Out(std::string what) {
  return {Where::kOutput, std::move(what)};
}
const Source kAlone{};

struct RowSpec {
  std::string symbol;            // columns 35..44 of the row
  std::array<Source, 4> byMode;  // standard, Wk, MdK, xE given
  bool dinDeviations = true;     // which gears the row applies to (tolerance rows)
  bool forManualDeviations = true;
};

RowSpec Same(std::string symbol, const Source& source) {
  return {std::move(symbol), {source, source, source, source}};
}

// The main table, row by row in report order (title lines and blank lines
// carry no value and are left out).
std::vector<RowSpec> MainTable() {
  return {
      Same("mn", In("record:m_n")),
      Same("alphan", In("record:alpha_n")),
      Same("beta", In("record:beta")),
      Same("z", In("record:z")),
      Same("b", In("record:b_w")),
      {"x", {In("record:x"), kAlone, kAlone, kAlone}},
      {"", {In("series"), In("-"), In("-"), In("-")}, true, false},
      {"", {In("-"), In("-"), In("-"), In("-")}, false, true},
      Same("d", Out("field:Edit5")),
      Same("db", Out("field:Edit1")),
      {"Asne/Asni", {Out("deviations"), kAlone, kAlone, kAlone}, true, false},
      {"Asne/Asni", {kAlone, kAlone, kAlone, kAlone}, false, true},
      {"Asne/Asni", {kAlone, kAlone, kAlone, kAlone}, true, false},
      {"Asne/Asni", {In("deviations"), kAlone, kAlone, kAlone}, false, true},
      Same("DDM", Out("field:recommended_D_M")),
      Same("DDM", In("field:Used_D_M")),
      Same("kD", Out("field:recommended_k_M")),
      Same("kD", In("field:Used_k_M")),
      Same("Q", Out("field:Kontrollmass")),
      Same("QD", Out("field:Q_plus_D_M")),
      Same("QDe", Out("field:Edit2")),
      Same("QDi", Out("field:Edit3")),
      Same("k", Out("field:Edit103")),
      Same("k", In("field:Input_Calc_kM")),
      {"Wk",
       {Out("field:Edit100"), In("field:Input_Calc_Wk"), Out("field:Edit100"),
        Out("field:Edit100")}},
      {"Wke",
       {Out("field:Edit101"), In("field:Input_Calc_Wke"), Out("field:Edit101"),
        Out("field:Edit101")}},
      {"Wki",
       {Out("field:Edit102"), In("field:Input_Calc_Wki"), Out("field:Edit102"),
        Out("field:Edit102")}},
      Same("DM", Out("field:Edit203")),
      Same("DM", In("field:Input_Calc_DM")),
      {"MdK",
       {Out("field:Edit200"), Out("field:Edit200"), In("field:Input_Calc_Mdk"),
        Out("field:Edit200")}},
      {"MdKe",
       {Out("field:Edit201"), Out("field:Edit201"), In("field:Input_Calc_Mdke"),
        Out("field:Edit201")}},
      {"MdKi",
       {Out("field:Edit202"), Out("field:Edit202"), In("field:Input_Calc_Mdki"),
        Out("field:Edit202")}},
      {"xE",
       {Out("field:Edit300"), Out("field:Edit300"), Out("field:Edit300"),
        In("field:Input_Calc_Xe")}},
      {"xEe",
       {Out("field:Edit301"), Out("field:Edit301"), Out("field:Edit301"),
        In("field:Input_Calc_Xee")}},
      {"xEi",
       {Out("field:Edit302"), Out("field:Edit302"), Out("field:Edit302"),
        In("field:Input_Calc_Xei")}},
  };
}

// The back-calculation table of the standard mode.
std::vector<Source> BackCalculationTable() {
  return {In("field:Input_checkGauge"),
          In("field:Used_D_M"),
          kAlone,
          In("field:Used_k_M"),
          kAlone,
          Out("field:Edit6"),
          kAlone,
          In("field:Input_Calc_kM"),
          Out("field:Edit7"),
          In("field:Input_Calc_DM"),
          Out("field:Edit8")};
}

// A line cut at character columns (the report is UTF-8).
std::string Columns(const std::string& line, std::size_t first, std::size_t count) {
  std::size_t byte = 0;
  std::size_t column = 1;
  while (byte < line.size() && column < first) {
    ++byte;
    while (byte < line.size() && (static_cast<unsigned char>(line[byte]) & 0xC0) == 0x80)
      ++byte;
    ++column;
  }
  std::size_t end = byte;
  for (std::size_t n = 0; end < line.size() && n < count; ++n) {
    ++end;
    while (end < line.size() && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80)
      ++end;
  }
  return line.substr(byte, end - byte);
}

// Where the value of a row stands and what it reads.
Source ValueOf(const std::string& line) {
  if (Characters(line) <= 51) return kAlone;
  if (!Trim(Columns(line, 51, 5)).empty()) return {Where::kAlone, "<text in 51..55>"};
  if (!Trim(Columns(line, 56, 1)).empty()) return In(Columns(line, 56, std::string::npos));
  return Out(Columns(line, 70, std::string::npos));
}

class ReportRows : public testing::TempFolder {
 protected:
  void Start() {
    ASSERT_TRUE(model.Start({.settingsDirectory = folder_.string() + "/home/",
                             .programDirectory = std::string(SILVARONE_DATA_DIR) + "/",
                             .checkPdfViewer = false}));
    presenter.TakeTexts();
  }
  void Enter(const std::string& field, const std::string& text) {
    model.Edited(field, text);
    model.Confirm(field);
  }
  std::string Shown(const std::string& what) const {
    if (what.starts_with("record:")) {
      const TGear* record = FindRecord(model.gear().rec, what.substr(7));
      return record == nullptr ? "<no record " + what + ">" : record->text;
    }
    std::string text = model.field(what.substr(6)).text;
    return text.starts_with("  ") ? text.substr(2) : text;
  }
  // The text a source stands for, in the window as it is now.
  std::string Expected(const std::string& what) const {
    if (what.starts_with("record:") || what.starts_with("field:")) return Shown(what);
    if (what == "series") {
      const Selection& deviation = model.selection("DevRowComboBox");
      const Selection& tolerance = model.selection("TolRowComboBox");
      return deviation.items.at(static_cast<std::size_t>(deviation.index)) +
             tolerance.items.at(static_cast<std::size_t>(tolerance.index));
    }
    if (what == "deviations") {
      // The deviations in micrometres as the tolerance fields show them, in
      // millimetres with the decimals of computed values.
      const int decimals = model.gear().state.Nachkommastellenzahl_1;
      const auto mm = [&](const std::string& field) {
        return FormatFixed(std::stod(model.field(field).text) / 1000.0, 15, decimals);
      };
      return mm("Input_A_sne") + "/" + mm("Input_A_sni");
    }
    return what;  // a literal
  }

  void CheckReport(const std::string& context) {
    const std::vector<std::string> lines = BuildReport(model.ReportData());
    const CalculationModeKind mode = model.gear().state.CalculationMode;
    const bool din = model.workspace().tolerance.source == kSourceDin;
    // The main table: from its rule to the blank line before the footer.
    std::size_t at = 0;
    const auto nextRow = [&](const std::string& symbol) -> std::optional<std::string> {
      for (; at < lines.size(); ++at) {
        const std::string& line = lines[at];
        if (Characters(line) < 44 || line.starts_with("|") || line.find("Kurz-") == 34 ||
            line.find("Short") == 34) {
          continue;
        }
        const std::string label = Columns(line, 1, 34);
        const std::string cell = std::string(Trim(Columns(line, 35, 10)));
        const bool tolerance = label.starts_with("Zahndickentoleranz") ||
                               label.starts_with("Tooth thickness tolerance");
        if (cell == symbol && (!symbol.empty() || tolerance)) return lines[at++];
      }
      return std::nullopt;
    };
    for (const RowSpec& row : MainTable()) {
      if ((din && !row.dinDeviations) || (!din && !row.forManualDeviations)) continue;
      const auto line = nextRow(row.symbol);
      ASSERT_TRUE(line) << context << ": no row " << row.symbol;
      const Source& want = row.byMode[static_cast<std::size_t>(mode)];
      const Source got = ValueOf(*line);
      EXPECT_EQ(got.where, want.where) << context << ": " << *line;
      if (want.where != Where::kAlone) {
        EXPECT_EQ(got.what, Expected(want.what)) << context << ": " << *line;
      }
    }
    // The back-calculation table follows its second heading.
    const bool back = mode == kModeStandard && model.backCalculationDone();
    const auto heading =
        std::find_if(lines.begin() + static_cast<std::ptrdiff_t>(at), lines.end(),
                     [](const std::string& line) { return line.starts_with("|"); });
    ASSERT_EQ(heading != lines.end(), back) << context;
    if (!back) return;
    auto line = heading + 1;
    for (const Source& want : BackCalculationTable()) {
      ASSERT_NE(line, lines.end()) << context;
      const Source got = ValueOf(*line);
      EXPECT_EQ(got.where, want.where) << context << ": " << *line;
      if (want.where != Where::kAlone) {
        EXPECT_EQ(got.what, Expected(want.what)) << context << ": " << *line;
      }
      ++line;
    }
  }

  testing::ScriptedDialogs presenter;
  WindowModel model{presenter};
};

struct GearCase {
  const char* what;
  std::string m_n, z, beta, x;
  ToleranceSource source;
};

TEST_F(ReportRows, EveryValueRowShowsItsSource) {
  const std::vector<GearCase> gears = {
      {"spur, external", "2", "20", "0", "0", kSourceDin},
      {"helical, external", "3", "31", "15", "0.2", kSourceDin},
      {"spur, internal", "2", "-50", "0", "0", kSourceCustomer},
      {"helical, internal", "2.5", "-61", "12", "-0.1", kSourceManual},
  };
  Start();
  model.SelectModuleSeries(kModuleManual);
  for (const GearCase& gear : gears) {
    model.ChangePage(Page::kDrawing1);
    model.SelectInputMode(kModeStandard);
    Enter("Input_m_n", gear.m_n);
    Enter("Input_z", gear.z);
    Enter("Input_beta", gear.beta);
    Enter("Input_x", gear.x);
    model.SelectToleranceSource(gear.source);
    if (gear.source == kSourceManual) {
      Enter("Input_A_sne", "-40");
      Enter("Input_T_sn", "30");
    }
    for (Language language : {kGerman, kEnglish}) {
      model.SwitchLanguage(language);
      for (CalculationModeKind mode :
           {kModeStandard, kModeGivenSpan, kModeGivenBallDimension, kModeGivenProfileShift}) {
        model.SelectInputMode(mode);
        model.ChangePage(Page::kCalculation);
        ASSERT_EQ(model.page(), Page::kCalculation) << gear.what;
        model.RunCheckDimension();
        if (mode == kModeStandard) {
          // The given dimensions of the other modes: those of the standard
          // input, so that upper and lower values differ.
          for (const auto& [given, computed] :
               std::vector<std::pair<std::string, std::string>>{{"Input_Calc_Wk", "Edit100"},
                                                                {"Input_Calc_Wke", "Edit101"},
                                                                {"Input_Calc_Wki", "Edit102"},
                                                                {"Input_Calc_Mdk", "Edit200"},
                                                                {"Input_Calc_Mdke", "Edit201"},
                                                                {"Input_Calc_Mdki", "Edit202"},
                                                                {"Input_Calc_Xe", "Edit300"},
                                                                {"Input_Calc_Xee", "Edit301"},
                                                                {"Input_Calc_Xei", "Edit302"}}) {
            Enter(given, model.field(computed).text);
          }
          ASSERT_NE(model.field("Input_Calc_Wke").text, model.field("Input_Calc_Wki").text);
          model.RunCheckDimension();
        }
        const std::string context = std::string(gear.what) + ", mode " + std::to_string(mode) +
                                    ", language " + std::to_string(language);
        CheckReport(context);
        if (mode != kModeStandard) continue;
        // Measured 0.02 mm inside the lower test dimension.
        const double lower = model.gear().rec.Q_plus_D_M_lower.value;
        const double inside = model.gear().state.ExternalGear ? lower + 0.02 : lower - 0.02;
        Enter("Input_checkGauge", FormatFixed(inside, 15, 3));
        model.RunBackCalculation();
        ASSERT_TRUE(model.backCalculationDone()) << context;
        CheckReport(context + ", after a back-calculation");
      }
    }
  }
  EXPECT_TRUE(model.unknownNames().empty());
}

}  // namespace
}  // namespace silvarone
