// The calculation report: its columns, the gear type line, the rows that
// depend on the mode and the deviation source, and the back-calculation.
#include "report/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "core/text.h"
#include "core/version.h"
#include "row_name.h"

namespace silvarone {
namespace {

using Lines = std::vector<std::string>;

// language 0 German, 1 English; mode 0 standard ... 3 xE given.
ReportInput Sample(int language, int mode) {
  ReportInput in;
  in.language = static_cast<Language>(language);
  in.mode = static_cast<CalculationModeKind>(mode);
  in.projectName = "Ritzel";
  in.projectDate = "24.12.2025";
  in.z = 20;
  in.m_n = "2";
  in.alpha_n = "20";
  in.beta_text = "0";
  in.z_text = "20";
  in.b = "20";
  in.x = "0.25";
  in.deviationSeries = "d";
  in.toleranceSeries = "25";
  in.deviationPair = "-0.044/-0.074";
  in.d = "40.000";
  in.Wk = "15.321";
  in.xE = "0.250";
  in.measured = "22.227";
  in.xEreal = "-0.055";
  in.Wkreal = "15.246";
  in.Mdkreal = "44.751";
  return in;
}

// The line that starts with the row name.
std::string RowOf(const Lines& lines, const std::string& name) {
  for (const std::string& line : lines) {
    if (line.rfind(name, 0) == 0) return line;
  }
  return "<missing " + name + ">";
}

// The value of a row and the 1-based column where it starts.
std::pair<std::string, std::size_t> ValueOf(const std::string& line) {
  std::size_t characters = 0;
  std::size_t i = 0;
  for (; i < line.size() && characters < 50; ++i) {
    if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) ++characters;
  }
  const std::size_t start = line.find_first_not_of(' ', i);
  if (start == std::string::npos) return {"", 0};
  std::size_t column = characters + 1 + (start - i);
  return {line.substr(start), column};
}

TEST(Report, ColumnsOfInputsAndOutputs) {
  for (int language : {0, 1}) {
    SCOPED_TRACE(language == 0 ? "German" : "English");
    const Lines lines = BuildReport(Sample(language, 0));
    const std::string module = language == 0 ? "Normalmodul" : "Normal module";
    const std::string diameter = language == 0 ? "Teilkreisdurchmesser" : "Reference diameter";
    const std::string helix = language == 0 ? "Schrägungswinkel" : "Helix angle";
    EXPECT_EQ(ValueOf(RowOf(lines, module)), (std::pair<std::string, std::size_t>{"2", 56}));
    EXPECT_EQ(ValueOf(RowOf(lines, helix)), (std::pair<std::string, std::size_t>{"0", 56}));
    EXPECT_EQ(ValueOf(RowOf(lines, diameter)), (std::pair<std::string, std::size_t>{"40.000", 70}));
    // Every label row is 50 characters: the symbol starts in 35, the unit in 45.
    const std::string row = RowOf(lines, helix);
    EXPECT_EQ(Characters(row.substr(0, row.find("beta"))), 34u);
    EXPECT_EQ(Characters(row.substr(0, row.find("[°]"))), 44u);
    for (const std::string& line : lines) {
      if (line.rfind("|", 0) == 0) {
        EXPECT_EQ(Characters(line), 93u) << line;
      }
    }
  }
  const Lines german = BuildReport(Sample(0, 0));
  const std::string heading = RowOf(german, std::string(34, ' ') + "Kurz-");
  EXPECT_EQ(heading.find("Kurz-"), 34u);
  EXPECT_EQ(heading.find("Einheit"), 42u);
  EXPECT_EQ(heading.find("Eingabe-Wert"), 55u);
  EXPECT_EQ(heading.find("Ausgabe-Wert"), 69u);
  EXPECT_EQ(RowOf(german, "|Silvaronen"),
            "|Silvaronen-Messung  |        Protokoll der Berechnung des Kontroll- und        |"
            " Software- |");
}

// The maker cells and the footer name the program, its version, licence and
// manual; nothing stands in for a missing value, no footer line passes 71.
TEST(Report, MakerCellsAndFooter) {
  const Lines lines = BuildReport(Sample(0, 0));
  EXPECT_EQ(lines[4].substr(0, 22), "|GPL-3.0-or-later    |");
  Lines footer = {"Silvaronen-Messung, Version 3.3.8 vom 02.10.2018",
                  "Lizenz: GNU GPL Version 3 oder später (GPL-3.0-or-later)", "",
                  "Handbuch: Menü \"?\" > \"Hilfe\" > \"Programm\""};
  // A build with a web address names it last; without one the line is left out.
  if (!kWebAddress.empty()) footer.push_back("Quelltext, Handbuch: " + std::string(kWebAddress));
  EXPECT_EQ(Lines(lines.end() - static_cast<std::ptrdiff_t>(footer.size()), lines.end()), footer);
  for (const Lines& report : {lines, BuildReport(Sample(1, 0))}) {
    for (auto line = report.end() - 6; line != report.end(); ++line)
      EXPECT_LE(Characters(*line), 71u) << *line;
  }
}

struct GearTypeCase {
  const char* name;
  double beta, z;
  int language;
  std::string line;
};

SILVARONE_PRINT_ROW_NAME(GearTypeCase)

class GearType : public ::testing::TestWithParam<GearTypeCase> {};

TEST_P(GearType, Line) {
  const GearTypeCase& c = GetParam();
  ReportInput in = Sample(c.language, 0);
  in.beta = c.beta;
  in.z = c.z;
  const Lines lines = BuildReport(in);
  EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end()) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Report, GearType,
    ::testing::Values(
        GearTypeCase{"SpurInternal_German", 0.0, -40, 0, "Geradverzahntes Innenstirnrad"},
        GearTypeCase{"SpurInternal_English", 0.0, -40, 1, "Internal cylindrical spur gear"},
        GearTypeCase{"SpurExternal_beta0p00005_German", 0.00005, 20, 0, "Geradverzahntes Stirnrad"},
        GearTypeCase{"HelicalExternal_beta0p0002_German", 0.0002, 20, 0,
                     "Schrägverzahntes Stirnrad"},
        GearTypeCase{"HelicalExternal_beta0p0002_English", 0.0002, 20, 1, "helical spur gear"},
        GearTypeCase{"HelicalInternal_beta15_English", 15, -40, 1, "Internal helical spur gear"}),
    testing::RowName);

TEST(Report, CalculationModeLine) {
  EXPECT_EQ(RowOf(BuildReport(Sample(1, 2)), "Calculation mode  : "),
            "Calculation mode  : diametral two-ball measurement Mdk");
  EXPECT_EQ(RowOf(BuildReport(Sample(0, 3)), "Berechnungsmode: "),
            "Berechnungsmode: Erzeugungsprofilverschiebungsfaktor xE");
}

TEST(Report, RowsThatFollowTheModeAndTheDeviationSource) {
  // Standard with DIN deviations: x as input, "d25", the pair as output in row 15.
  Lines lines = BuildReport(Sample(0, 0));
  EXPECT_EQ(ValueOf(RowOf(lines, "Profilverschiebungsfaktor")).first, "0.25");
  EXPECT_EQ(ValueOf(RowOf(lines, "Zahndickentoleranz nach DIN 3967")),
            (std::pair<std::string, std::size_t>{"d25", 56}));
  EXPECT_EQ(ValueOf(RowOf(lines, "nach DIN 3967")),
            (std::pair<std::string, std::size_t>{"-0.044/-0.074", 70}));
  EXPECT_EQ(ValueOf(RowOf(lines, "freie Eingabe")).first, "");

  // Manual deviations: row 15 alone, the pair in row 16 as input.
  ReportInput manual = Sample(0, 0);
  manual.dinDeviations = false;
  lines = BuildReport(manual);
  EXPECT_EQ(ValueOf(RowOf(lines, "nach DIN 3967")).first, "");
  EXPECT_EQ(ValueOf(RowOf(lines, "freie Eingabe")),
            (std::pair<std::string, std::size_t>{"-0.044/-0.074", 56}));
  EXPECT_EQ(ValueOf(RowOf(lines, "Zahndickentoleranz nach DIN 3967")).first, "-");

  // Wk given: no x, "-" in row 8, Wk as input; xE given: xE as input.
  lines = BuildReport(Sample(0, 1));
  EXPECT_EQ(RowOf(lines, "Profilverschiebungsfaktor").size(), 50u);
  EXPECT_EQ(ValueOf(RowOf(lines, "Zahndickentoleranz nach DIN 3967")).first, "-");
  EXPECT_EQ(ValueOf(RowOf(lines, "Silvarone (Nennmass)")).second, 56u);
  EXPECT_EQ(ValueOf(RowOf(lines, "Nennwert")).second, 70u);
  lines = BuildReport(Sample(0, 3));
  EXPECT_EQ(ValueOf(RowOf(lines, "Nennwert")).second, 56u);
  EXPECT_EQ(ValueOf(RowOf(lines, "Silvarone (Nennmass)")).second, 70u);
}

TEST(Report, BackCalculationOnlyInStandardModeAfterASuccess) {
  for (int mode = 0; mode < 4; ++mode) {
    for (bool done : {false, true}) {
      SCOPED_TRACE("mode " + std::to_string(mode) +
                   (done ? ", back-calculation done" : ", no back-calculation"));
      ReportInput in = Sample(1, mode);
      in.backCalculationDone = done;
      const Lines lines = BuildReport(in);
      const bool present = std::find(lines.begin(), lines.end(),
                                     "Use of computed results are at own risk.") != lines.end();
      EXPECT_EQ(present, mode == 0 && done) << mode;
      if (!present) continue;
      // 51-character labels; the values still start in 56 and 70.
      const std::string measured = RowOf(lines, "Measured check gauge");
      EXPECT_EQ(measured.find("22.227"), 55u);
      const std::string real = RowOf(lines, "shift coefficient");
      EXPECT_EQ(real.find("-0.055"), 69u);
      EXPECT_NE(std::find(lines.begin(), lines.end(), "Generating profil"), lines.end());
    }
  }
}

// A warning stands below the group of the value it concerns, marked "!",
// wrapped within the rule's 93 characters without parting "d_b = 1 mm";
// without warnings the report is the one it always was.
TEST(Report, WarningsBelowTheirGroupWrappedToTheRule) {
  const Lines plain = BuildReport(Sample(1, 0));
  ReportInput in = Sample(1, 0);
  in.spanWarnings = {
      "Anvils touch at d_Wk = 46.356 mm, past the usable tip circle d_Na = 44.000 mm."};
  in.ballDimensionWarnings = {
      "Ball 10.000 mm does not touch the flanks on their involute, not anywhere at all "
      "(base circle d_b = -46.985 mm)."};
  in.checkDimensionWarnings = {"Ball does not stand out."};
  const Lines lines = BuildReport(in);
  const Lines added = {
      "  ! Ball does not stand out.",
      "  ! Anvils touch at d_Wk = 46.356 mm, past the usable tip circle d_Na = 44.000 mm.",
      "  ! Ball 10.000 mm does not touch the flanks on their involute, not anywhere at all (base",
      "    circle d_b = -46.985 mm).",
  };
  Lines without;
  for (const std::string& line : lines) {
    EXPECT_LE(Characters(line), 93u) << line;
    if (std::find(added.begin(), added.end(), line) == added.end()) without.push_back(line);
  }
  EXPECT_EQ(without, plain);
  const auto below = [&](const std::string& row) {
    const auto at = std::find(lines.begin(), lines.end(), RowOf(lines, row));
    return at + 1 < lines.end() ? *(at + 1) : std::string("<none>");
  };
  EXPECT_EQ(below("Lower check gauge"), added[0]);
  EXPECT_EQ(below("Lower base tangent length"), added[1]);
  EXPECT_EQ(below("Lower dia. two-ball measurement"), added[2]);
  EXPECT_EQ(below(added[2]), added[3]);
}

// The log's page: after every line of the report as it was, a page break,
// the title, the figures packed into lines of the rule's width, and the
// records as a table whose cells start under their headings; a void record
// is followed by its reason, and the note on the mark ends the page.
TEST(Report, LogPageFollowsTheReportOnAPageOfItsOwn) {
  const Lines plain = BuildReport(Sample(0, 0));
  ReportInput in = Sample(0, 0);
  ReportLog log;
  log.title = "Prüfprotokoll";
  log.series = "Kennzahlen der gültigen Einträge, Zahnweite Wk: Nennmaß 15.265, oben 15.280";
  log.figures = {"Anzahl 2",       "Mittelwert 15.2675 mm", "s 0.0035 mm",
                 "Min 15.2650 mm", "Max 15.2700 mm",        "Cp –",
                 "Cpk –",          "(ab 5 Einträgen)"};
  log.headings = {"", "Datum/Zeit", "Seriennummer", "Maß", "Messwert", "Urteil", "xE"};
  log.rows = {{{"", "2026-12-09 08:14", "Welle \"7\", Süd", "Wk", "15.270", "innerhalb", ""}, ""},
              {{"*", "2026-12-09 08:02", "A-1", "Wk", "15.300", "zu groß", ""},
               "ungültig, weil: Messuhr nicht genullt"},
              {{"", "2026-12-09 07:55", "", "QD", "16.170", "innerhalb", "-0.042"}, ""}};
  log.more = "3 ältere Einträge stehen nur im Prüfprotokoll selbst.";
  log.voidNote = "* ungültig; zählt nicht in den Kennzahlen.";
  in.log = log;
  const Lines lines = BuildReport(in);
  ASSERT_GT(lines.size(), plain.size());
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + static_cast<long>(plain.size())), plain);
  const Lines page(lines.begin() + static_cast<long>(plain.size()), lines.end());
  // The figures: "Anzahl 2" to "Cp –" are 87 characters with their
  // separators; "   Cpk –" would make 95 of the rule's 93.
  const Lines expected = {
      kReportPageBreak,
      "Prüfprotokoll",
      "|" + std::string(91, '-') + "|",
      "",
      "Kennzahlen der gültigen Einträge, Zahnweite Wk: Nennmaß 15.265, oben 15.280",
      "Anzahl 2   Mittelwert 15.2675 mm   s 0.0035 mm   Min 15.2650 mm   Max 15.2700 mm   Cp –",
      "Cpk –   (ab 5 Einträgen)",
      "",
      // Columns 1, 16, 14 ("Welle "7", Süd"), 3, 8, 9, 6 characters wide,
      // two blanks between them.
      "   Datum/Zeit        Seriennummer    Maß  Messwert  Urteil     xE",
      std::string(1 + 16 + 14 + 3 + 8 + 9 + 6 + 6 * 2, '-'),
      "   2026-12-09 08:14  Welle \"7\", Süd  Wk   15.270    innerhalb",
      "*  2026-12-09 08:02  A-1" + std::string(11 + 2, ' ') + "Wk   15.300    zu groß",
      "    ungültig, weil: Messuhr nicht genullt",
      "   2026-12-09 07:55" + std::string(2 + 14 + 2, ' ') + "QD   16.170    innerhalb  -0.042",
      "",
      "3 ältere Einträge stehen nur im Prüfprotokoll selbst.",
      "* ungültig; zählt nicht in den Kennzahlen.",
  };
  EXPECT_EQ(page, expected);
}

// A long reason wraps within the rule; without void records the note is left out.
TEST(Report, LogPageWrapsLongTextsAndLeavesOutTheVoidNote) {
  ReportInput in = Sample(1, 0);
  ReportLog log;
  log.title = "Inspection log";
  log.headings = {"", "Serial"};
  const std::string reason =
      "void: " + std::string(60, 'a') + " " + std::string(30, 'b') + " " + std::string(10, 'c');
  log.rows = {{{"", "S-1"}, ""}, {{"*", "S-2"}, reason}};
  log.voidNote = "* void; not counted in the figures.";
  in.log = log;
  Lines lines = BuildReport(in);
  for (const std::string& line : lines)
    EXPECT_LE(Characters(line), 93u) << line;
  EXPECT_EQ(lines.back(), "* void; not counted in the figures.");
  const auto at = std::find(lines.begin(), lines.end(), "*  S-2");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(*(at + 1), "    void: " + std::string(60, 'a'));
  EXPECT_EQ(*(at + 2), "    " + std::string(30, 'b') + " " + std::string(10, 'c'));
  log.rows.pop_back();
  in.log = log;
  lines = BuildReport(in);
  EXPECT_EQ(lines.back(), "S-1");  // no void record, no column for the mark
}

TEST(Report, DeviationPairInMillimetres) {
  EXPECT_EQ(DeviationPair(-44, -74, 3), "-0.044/-0.074");
  EXPECT_EQ(DeviationPair(0, -5, 2), "0.00/-0.01");  // -0.005 rounds away from zero
}

}  // namespace
}  // namespace silvarone
