#include "report/report.h"

#include <algorithm>
#include <array>

#include "core/number_text.h"
#include "core/text.h"
#include "core/version.h"

namespace silvarone {

std::string DeviationPair(double upperMicrometres, double lowerMicrometres, int decimals) {
  return FormatFixed(upperMicrometres / 1000.0, 15, decimals) + "/" +
         FormatFixed(lowerMicrometres / 1000.0, 15, decimals);
}

namespace {

constexpr int kLabelWidth = 50;
constexpr std::size_t kRuleWidth = 93;

std::string Pad(std::string text, std::size_t width) {
  const std::size_t length = Characters(text);
  if (length < width) text.append(width - length, ' ');
  return text;
}

// Appends `text` so that it starts in the 1-based column.
void PlaceAt(std::string& line, std::size_t column, const std::string& text) {
  line = Pad(line, column - 1) + text;
}

std::string Version() {
  return " " + std::string(kProgramVersion);
}

std::string Rule() {
  return "|" + std::string(kRuleWidth - 2, '-') + "|";
}

class Builder {
 public:
  explicit Builder(const ReportInput& input) : in_(input), german_(input.language == 0) {}

  std::vector<std::string> Build() {
    Header();
    Project();
    GearBlock();
    MainTable();
    if (in_.mode == 0 && in_.backCalculationDone) BackCalculation();
    Footer();
    if (in_.log) LogSection(*in_.log);
    return std::move(lines_);
  }

 private:
  const std::string& T(const std::string& german, const std::string& english) const {
    return german_ ? german : english;
  }
  void Line(std::string text = "") { lines_.push_back(std::move(text)); }

  // A table row: the label of `width` characters, then an input value in
  // column 56 or an output value in column 70; without a value the label alone.
  enum class Value { kNone, kInput, kOutput };
  void Row(const std::string& name, const std::string& symbol, const std::string& unit, Value kind,
           const std::string& value, int width = kLabelWidth) {
    std::string line = Pad(Pad(Pad(name, 34) + symbol, 44) + unit, static_cast<std::size_t>(width));
    if (kind == Value::kInput) line += std::string(55 - width, ' ') + value;
    if (kind == Value::kOutput) line += std::string(69 - width, ' ') + value;
    Line(line);
  }
  void Row(const std::string& german, const std::string& english, const std::string& symbol,
           const std::string& unit, Value kind, const std::string& value) {
    Row(T(german, english), symbol, unit, kind, value);
  }

  void Header() {
    Line();
    Line(Rule());
    const std::array<std::string, 3> maker = {ProgramName(), T("Lizenz:", "Licence:"),
                                              std::string(kProgramLicence)};
    const std::array<std::string, 3> title =
        german_ ? std::array<std::string, 3>{std::string(8, ' ') +
                                                 "Protokoll der Berechnung des Kontroll- und",
                                             std::string(10, ' ') +
                                                 "Prüfmass für das Verzahnungsmessgerät",
                                             std::string(27, ' ') + "PRALO"}
                : std::array<std::string, 3>{
                      std::string(5, ' ') + "Protocol for the calculation of the reference and",
                      " check gauge for the digital measurement device for gears",
                      std::string(25, ' ') + "PRALO"};
    const std::array<std::string, 3> version =
        german_ ? std::array<std::string, 3>{" Software-", " version:", Version()}
                : std::array<std::string, 3>{" Software", " release:", Version()};
    for (std::size_t i = 0; i < 3; ++i) {
      Line("|" + Pad(maker[i], 20) + "|" + Pad(title[i], 58) + "|" + Pad(version[i], 11) + "|");
    }
    Line(Rule());
  }

  void Project() {
    Line();
    Line(T("Projekt      : ", "Project       : ") + in_.projectName);
    Line(T("Datum        : ", "Date          : ") + in_.projectDate);
    Line(T("Projektleiter: ", "Project leader: ") + in_.projectLeader);
  }

  void GearBlock() {
    Line();
    const bool straight = in_.beta <= 0.0001;
    const bool internal = in_.z < 0;
    if (german_) {
      Line(std::string(straight ? "Geradverzahntes " : "Schrägverzahntes ") +
           (internal ? "Innenstirnrad" : "Stirnrad"));
      Line("Rechenmethode  : DIN 3960/1987");
      static const char* kModes[] = {"Standard", "Silvarone Wk", "Diametrales Zweikugelmass Mdk",
                                     "Erzeugungsprofilverschiebungsfaktor xE"};
      Line(std::string("Berechnungsmode: ") + kModes[Mode()]);
    } else {
      Line(std::string(internal ? "Internal " : "") +
           (straight ? "cylindrical spur gear" : "helical spur gear"));
      Line("Calculation method: DIN 3960/1987");
      static const char* kModes[] = {"standard", "base tangent length Wk",
                                     "diametral two-ball measurement Mdk",
                                     "generating profile shift coefficient xE"};
      Line(std::string("Calculation mode  : ") + kModes[Mode()]);
    }
  }

  int Mode() const { return in_.mode >= 0 && in_.mode <= 3 ? in_.mode : 0; }

  void Heading() {
    std::string first;
    std::string second;
    if (german_) {
      PlaceAt(first, 35, "Kurz-");
      PlaceAt(first, 43, "Einheit");
      PlaceAt(first, 56, "Eingabe-Wert");
      PlaceAt(first, 70, "Ausgabe-Wert");
      PlaceAt(second, 35, "zeichen");
    } else {
      PlaceAt(first, 35, "Short");
      PlaceAt(first, 43, "Unit");
      PlaceAt(first, 56, "Input value");
      PlaceAt(first, 70, "Output value");
      PlaceAt(second, 35, "symbol");
    }
    Line(first);
    Line(second);
  }

  // The table of inputs and results, group after group.
  void MainTable() {
    Line();
    Heading();
    Line(Rule());
    GearDataGroup();
    Line();
    CalculatedGeometryGroup();
    Line();
    DeviationGroup();
    Line();
    CheckDimensionGroup();
    Warnings(in_.checkDimensionWarnings);
    Line();
    Line(T("Standard-Prüfmasse", "Standard measurements"));
    Line();
    SpanGroup();
    Warnings(in_.spanWarnings);
    Line();
    BallDimensionGroup();
    Warnings(in_.ballDimensionWarnings);
    Line();
    ProfileShiftGroup();
  }

  // Each warning marked with "!", wrapped at a blank to the rule's width
  // with its continuation indented; "d_b = 12.345 mm" stays on one line.
  void Warnings(const std::vector<std::string>& warnings) {
    for (const std::string& warning : warnings) {
      std::string line = "  !";
      for (const std::string& group : Unbreakable(warning)) {
        if (Characters(line) + 1 + Characters(group) > kRuleWidth && line.size() > 4) {
          Line(line);
          line = "   ";
        }
        line += " " + group;
      }
      Line(line);
    }
  }

  // The pieces of a text between single blanks (two blanks leave an empty one).
  static std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find(' ', start);
      if (end == std::string::npos) end = text.size();
      words.push_back(text.substr(start, end - start));
      start = end + 1;
    }
    return words;
  }

  // The words of a text, with "=" joined to its neighbours and a unit to its number.
  static std::vector<std::string> Unbreakable(const std::string& text) {
    std::vector<std::string> groups;
    bool joinNext = false;
    for (const std::string& word : Words(text)) {
      if (word.empty()) continue;
      const bool joinPrevious = joinNext || word == "=" || word.starts_with("mm");
      if (joinPrevious && !groups.empty()) {
        groups.back() += " " + word;
      } else {
        groups.push_back(word);
      }
      joinNext = word == "=";
    }
    return groups;
  }

  bool Standard() const { return Mode() == 0; }
  // The deviations come from the DIN 3967 tables (standard input only).
  bool DinDeviations() const { return Standard() && in_.dinDeviations; }
  // A given dimension is an input in its own mode, an output in the others.
  Value GivenIn(int mode) const { return Mode() == mode ? Value::kInput : Value::kOutput; }

  void GearDataGroup() {
    const Value in = Value::kInput;
    Line(T("Verzahnungsdaten", "Gear data"));
    Row("Normalmodul", "Normal module", "mn", "[mm]", in, in_.m_n);
    Row("Normaleingriffswinkel", "Normal pressure angle", "alphan", "[°]", in, in_.alpha_n);
    Row("Schrägungswinkel", "Helix angle", "beta", "[°]", in, in_.beta_text);
    Row("Zähnezahl", "Number of teeth", "z", "[-]", in, in_.z_text);
    Row("Zahnbreite", "Face width", "b", "[mm]", in, in_.b);
    Row("Profilverschiebungsfaktor", "Profile shift coefficient", "x", "[-]",
        Standard() ? in : Value::kNone, in_.x);
    Row("Zahndickentoleranz nach DIN 3967", "Tooth thickness tolerance DIN 3967", "", "", in,
        DinDeviations() ? in_.deviationSeries + in_.toleranceSeries : "-");
  }

  void CalculatedGeometryGroup() {
    const Value out = Value::kOutput;
    Line(T("Berechnete Geometriedaten", "Calculated geometry data"));
    Row("Teilkreisdurchmesser", "Reference diameter", "d", "[mm]", out, in_.d);
    Row("Grundkreisdurchmesser", "Base diameter", "db", "[mm]", out, in_.d_b);
  }

  void DeviationGroup() {
    Line(T("Zahndickenabmasse", "Tooth thickness deviation"));
    Row("nach DIN 3967", "DIN 3967", "Asne/Asni", "[mm]",
        DinDeviations() ? Value::kOutput : Value::kNone, in_.deviationPair);
    Row("freie Eingabe", "Input", "Asne/Asni", "[mm]",
        Standard() && !DinDeviations() ? Value::kInput : Value::kNone, in_.deviationPair);
  }

  // The PRALO ball and teeth, the check dimension Q and the test dimensions.
  void CheckDimensionGroup() {
    const Value in = Value::kInput;
    const Value out = Value::kOutput;
    Line(T("Kontroll- und Prüfmasse für PRALO", "Specification and check gauge for PRALO"));
    Line(T("PRALO-Messkugelø", "PRALO measurement ball diameter"));
    Row("  empfohlen", "  recommend", "DDM", "[mm]", out, in_.recommendedBall);
    Row("  eingegeben", "  input", "DDM", "[mm]", in, in_.usedBall);
    Line(T("PRALO-Messzähne-/Messlückenzahl", "PRALO number of measurement teeth/measurement gap"));
    Row("  empfohlen", "  recommend", "kD", "[-]", out, in_.recommendedTeeth);
    Row("  eingegeben", "  input", "kD", "[-]", in, in_.usedTeeth);
    Line();
    Row("Kontrollmaß", "Reference", "Q", "[mm]", out, in_.Q);
    Row("Prüfmass (Q+DDM)", "Check gauge (Q+DDM)", "QD", "[mm]", out, in_.QD);
    Row("Oberes Prüfmass", "Upper check gauge", "QDe", "[mm]", out, in_.QDe);
    Row("Unteres Prüfmass", "Lower check gauge", "QDi", "[mm]", out, in_.QDi);
  }

  void SpanGroup() {
    Line(T("Silvarone", "Base tangent length"));
    Line(T("Messzähne-/Messlückenzahl", "Measurements teeths/measurement gaps"));
    Row("  empfohlen", "  recommend", "k", "[-]", Value::kOutput, in_.recommendedSpanTeeth);
    Row("  eingegeben", "  input", "k", "[-]", Value::kInput, in_.givenTeeth);
    const Value wk = GivenIn(1);
    Row("Silvarone (Nennmass)", "Base tangent length (nom. size)", "Wk", "[mm]", wk, in_.Wk);
    Row("Oberes Silvaronenmass", "Upper base tangent length", "Wke", "[mm]", wk, in_.Wke);
    Row("Unteres Silvaronenmass", "Lower base tangent length", "Wki", "[mm]", wk, in_.Wki);
  }

  void BallDimensionGroup() {
    Line(T("Diametrales Zweikugelmass", "Diametral two-ball measurement"));
    Line(T("Messkugelø", "Measuring ball diameter"));
    Row("  empfohlen", "  recommend", "DM", "[mm]", Value::kOutput, in_.recommendedMeasuringBall);
    Row("  eingegeben", "  input", "DM", "[mm]", Value::kInput, in_.givenBall);
    const Value mdk = GivenIn(2);
    Row("Diametrales 2-Kugelnennmass", "Dia. two-ball meas. (nom. size)", "MdK", "[mm]", mdk,
        in_.Mdk);
    Row("Oberes dia. 2-Kugelmass", "Upper dia. two-ball measurement", "MdKe", "[mm]", mdk,
        in_.Mdke);
    Row("Unteres dia. 2-Kugelmass", "Lower dia. two-ball measurement", "MdKi", "[mm]", mdk,
        in_.Mdki);
  }

  void ProfileShiftGroup() {
    Line(T("Erzeugungsprofilverschiebungsfaktor", "Generating profil shift coefficient"));
    const Value xe = GivenIn(3);
    Row("Nennwert", "Nominal size", "xE", "[-]", xe, in_.xE);
    Row("Oberer Grenzwert", "Upper limit size", "xEe", "[-]", xe, in_.xEe);
    Row("Unterer Grenzwert", "Lower limit size", "xEi", "[-]", xe, in_.xEi);
  }

  void BackRow(const std::string& german, const std::string& english, const std::string& symbol,
               const std::string& unit, Value kind, const std::string& value) {
    Row(T(german, english), symbol, unit, kind, value, kLabelWidth + 1);
  }

  void BackCalculation() {
    Line();
    Line();
    if (german_) {
      Line(
          "Berechnung Silvarone, diametr. Zweikugelmass und "
          "Erzeugungsungsprofilverschiebungsfaktor");
      Line("auf Basis eines ermittelten Prüfmasses");
      Line();
      Line(
          "Auf Grund der gegebenen Auflösung des Meßgerätes sind Abweichungen bei den "
          "Ausgabewerten");
      Line("möglich.");
    } else {
      Line(
          "Computation base tangent length, diametral two-ball measurement and generating profil "
          "shift");
      Line("coefficient based on a received inspection size.");
      Line();
      Line(
          "Due to the default resolution of the measuring device deviations for the outputs values "
          "can occur.");
    }
    Line();
    Line();
    Heading();
    Line(Rule());
    const Value in = Value::kInput;
    const Value out = Value::kOutput;
    BackRow("Gemessenes Prüfmass", "Measured check gauge", "Q", "[mm]", in, in_.measured);
    BackRow("PRALO-Messkugelø", "PRALO measurement ball diameter", "DDM", "[mm]", in, in_.usedBall);
    BackRow("PRALO-Messzähne-/", "PRALO number of measurement teeth/", "", "", Value::kNone, "");
    BackRow("Messlückenzahl", "measurement gap", "kD", "[-]", in, in_.usedTeeth);
    if (german_) {
      BackRow("Erzeugungsprofil-", "", "", "", Value::kNone, "");
    } else {
      Line("Generating profil");  // stands as it is, not filled up
    }
    BackRow("verschiebungsfaktor", "shift coefficient", "xEreal", "[-]", out, in_.xEreal);
    BackRow("Messzähne-/", "Measurements teeths/", "", "", Value::kNone, "");
    BackRow("Messlückenzahl", "measurements gaps", "k", "[-]", in, in_.givenTeeth);
    BackRow("Silvarone", "Base tangent length", "Wkreal", "[mm]", out, in_.Wkreal);
    BackRow("Messkugelø", "Measuring ball diameter", "DM", "[mm]", in, in_.givenBall);
    BackRow("Diametrales Zweikugelmass", "Diametral two-ball measurement", "MdKreal", "[mm]", out,
            in_.Mdkreal);
    Line();
    Line(T("Berechnungsergebnisse ohne Gewähr.",
           "Accept no responsibility for the computed results."));
    Line(T("Die Verwendung der Berechnungsergebnisse erfolgt auf eigene Gefahr.",
           "Use of computed results are at own risk."));
    Line();
    Line();
  }

  void Footer() {
    const MakerTexts maker = Maker(in_.language);
    Line();
    Line();
    Line(maker.program);
    Line(maker.licence);
    Line();
    Line(maker.manual);
    if (!maker.web.empty()) Line(maker.web);
  }

  // The inspection log on a page of its own: the figures, packed into lines
  // of the rule's width, then the records as a table of fixed columns.
  void LogSection(const ReportLog& log) {
    Line(kReportPageBreak);
    Line(log.title);
    Line(Rule());
    Line();
    if (!log.series.empty()) Wrapped(log.series, "");
    std::string line;
    for (const std::string& figure : log.figures) {
      if (!line.empty() && Characters(line) + 3 + Characters(figure) > kRuleWidth) {
        Line(line);
        line.clear();
      }
      line += (line.empty() ? "" : "   ") + figure;
    }
    if (!line.empty()) Line(line);
    Line();
    LogTable(log);
    bool anyVoid = false;
    for (const ReportLog::Row& row : log.rows)
      anyVoid = anyVoid || !row.voidLine.empty();
    if (!log.more.empty() || anyVoid) Line();
    if (!log.more.empty()) Wrapped(log.more, "");
    if (anyVoid && !log.voidNote.empty()) Wrapped(log.voidNote, "");
  }

  // Each column as wide as its widest cell, two blanks between columns.
  void LogTable(const ReportLog& log) {
    std::vector<std::size_t> widths(log.headings.size(), 0);
    const auto widen = [&widths](const std::vector<std::string>& cells) {
      for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c)
        widths[c] = std::max(widths[c], Characters(cells[c]));
    };
    widen(log.headings);
    for (const ReportLog::Row& row : log.rows)
      widen(row.cells);
    const auto tableLine = [&widths](const std::vector<std::string>& cells) {
      std::string text;
      for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c)
        text = Pad(text, text.empty() ? 0 : Characters(text) + 2) + Pad(cells[c], widths[c]);
      return text.erase(text.find_last_not_of(' ') + 1);
    };
    std::size_t total = 0;
    for (const std::size_t width : widths)
      total += width + (total == 0 ? 0 : 2);
    Line(tableLine(log.headings));
    Line(std::string(total, '-'));
    for (const ReportLog::Row& row : log.rows) {
      Line(tableLine(row.cells));
      if (!row.voidLine.empty()) Wrapped(row.voidLine, "    ");
    }
  }

  // The text in lines of the rule's width, broken at blanks, each line
  // after `indent`.
  void Wrapped(const std::string& text, const std::string& indent) {
    std::string line = indent;
    for (const std::string& word : Words(text)) {
      if (line != indent && Characters(line) + 1 + Characters(word) > kRuleWidth) {
        Line(line);
        line = indent;
      }
      line += (line == indent ? "" : " ") + word;
    }
    if (line != indent) Line(line);
  }

  std::string ProgramName() const {
    return std::string(german_ ? kProgramNameGerman : kProgramName);
  }

  const ReportInput& in_;
  const bool german_;
  std::vector<std::string> lines_;
};

}  // namespace

std::vector<std::string> BuildReport(const ReportInput& input) {
  return Builder(input).Build();
}

MakerTexts Maker(Language language) {
  const bool german = language == kGerman;
  const std::string version(kProgramVersion);
  const std::string date(kProgramDate);
  const std::string licence(kProgramLicence);
  MakerTexts maker;
  if (german) {
    maker.program = std::string(kProgramNameGerman) + ", Version " + version + " vom " + date;
    maker.licence = "Lizenz: GNU GPL Version 3 oder später (" + licence + ")";
    maker.manual = "Handbuch: Menü \"?\" > \"Hilfe\" > \"Programm\"";
  } else {
    maker.program = std::string(kProgramName) + ", version " + version + " of " + date;
    maker.licence = "Licence: GNU GPL version 3 or later (" + licence + ")";
    maker.manual = "Manual: menu \"?\" > \"Help\" > \"Program\"";
  }
  if (!kWebAddress.empty()) {
    maker.web =
        (german ? "Quelltext, Handbuch: " : "Source and manual: ") + std::string(kWebAddress);
  }
  return maker;
}

}  // namespace silvarone
