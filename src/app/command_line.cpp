#include "app/command_line.h"

#include <cmath>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>

#include "app/batch.h"
#include "app/log_command.h"
#include "app/terminal_presenter.h"
#include "core/records.h"
#include "core/result.h"
#include "core/text_file.h"
#include "core/version.h"
#include "platform/file_system.h"
#include "platform/locations.h"
#include "storage/settings.h"
#include "ui/captions.h"
#include "ui/log_report.h"
#include "ui/measurability_texts.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: silvarone report [FILE.tvp] [--lang de|en] [--mode wk|mdk|xe] "
    "[--measured VALUE] [--json] [--save] [--pdf OUT.pdf]";

constexpr const char* kHelp =
    "\n"
    "Prints the calculation report of the stored settings, or of a project file.\n"
    "When the gear has records in the inspection log, a page of them follows\n"
    "(after a form feed), and the PDF ends with their run chart.\n"
    "  --lang de|en      language of the report\n"
    "  --mode wk|mdk|xe  as if Wk, MdK or xE were given\n"
    "  --measured VALUE  back-calculation from a measured test dimension in mm\n"
    "  --json            records, fields, messages and report as JSON\n"
    "  --save            keep the changes in the settings file (else nothing is written)\n"
    "  --pdf OUT.pdf     write the report's printed pages to OUT.pdf instead\n"
    "\n"
    "Exit status (the highest that applies):\n"
    "  0  report printed\n"
    "  2  usage or input error, or --pdf names a file the report reads\n"
    "     (one line on standard error)\n"
    "  3  the gear's data were refused: messages, no report (JSON: \"report\": null)\n"
    "  4  --save could not write the settings file (told once); the old file stays\n"
    "  5  the report could not be written to standard output or to the PDF file\n"
    "     (full disk, file-size limit, a folder, device or pipe in its place);\n"
    "     an old PDF file stays as it was\n";

// `silvarone --help`: every command of the program. The manual page
// (packaging/silvarone.1.in) says the same; a test holds them together.
constexpr const char* kProgramUsage =
    "usage: silvarone [report [FILE.tvp] [OPTIONS] | batch [IN] [OPTIONS] | "
    "diagram [FILE.tvp] OUT.svg|OUT.png [--lang de|en] | log add|export [FILE.tvp] [OPTIONS] | "
    "screenshots DIR [--lang de|en] | --help | --version]";

constexpr const char* kProgramHelp =
    "\n"
    "Test dimensions for the inspection of involute cylindrical gears: span Wk,\n"
    "dimension over balls MdK, profile shift xE and the check dimension Q.\n"
    "\n"
    "  (no arguments)                  open the program's window\n"
    "  report [FILE.tvp] [OPTIONS]     print the calculation report without the window;\n"
    "                                  'silvarone report --help' lists its options\n"
    "  batch [IN] [OPTIONS]            the test dimensions of many gears at once, from a CSV\n"
    "                                  or JSON lines table; 'silvarone batch --help' lists\n"
    "                                  its columns and options\n"
    "  diagram [FILE.tvp] OUT.svg|OUT.png [--lang de|en]\n"
    "                                  draw the measurement to scale (span, balls, Q) as an\n"
    "                                  SVG or PNG picture; 'silvarone diagram --help' says more\n"
    "  log add [FILE.tvp] [OPTIONS]    record a measured part in the inspection log and\n"
    "                                  print its verdict; 'silvarone log --help' lists\n"
    "                                  its options\n"
    "  log export [FILE.tvp] [OPTIONS] print the gear's records of the inspection log as\n"
    "                                  CSV or JSON\n"
    "  screenshots DIR [--lang de|en]  write PNG pictures of every page of the window, the\n"
    "                                  measurement drawing and the inspection log into DIR\n"
    "  -h, --help                      print this help\n"
    "  --version                       print the program's name, version and licence\n"
    "\n"
    "Environment:\n"
    "  SILVARONE_HOME        settings folder (else ~/Silvarone/), with the projects in projects/\n"
    "  SILVARONE_PDF_VIEWER  the program that opens the help documents\n"
    "                        (empty or 'none': there is none)\n"
    "\n"
    "Exit status: 0 done, 1 the window found no PDF viewer for its help documents,\n"
    "2 usage error (one line on standard error), 5 a picture of screenshots or diagram\n"
    "could not be written (the old picture stays); the report, the diagram, the batch\n"
    "and the log have more (silvarone report --help, silvarone diagram --help,\n"
    "silvarone batch --help, silvarone log --help).\n";

constexpr const char* kDiagramUsage =
    "usage: silvarone diagram [FILE.tvp] OUT.svg|OUT.png [--lang de|en]";

constexpr const char* kDiagramHelp =
    "\n"
    "Draws the measurement of the stored settings, or of a project file, to scale:\n"
    "the gear's transverse section, the span anvils with W_k, the balls with M_dk\n"
    "and the instrument's balls with Q, as the calculation page computes them.\n"
    "Contacts off the usable flank and balls below the tips are red.\n"
    "  --lang de|en      language of the picture's texts\n"
    "\n"
    "Exit status:\n"
    "  0  picture written\n"
    "  2  usage or input error (one line on standard error)\n"
    "  3  the gear's data were refused: messages, no picture\n"
    "  5  the picture could not be written; an old picture stays as it was\n";

struct Options {
  std::optional<std::string> file;
  std::optional<Language> language;
  std::optional<CalculationModeKind> mode;
  std::optional<std::string> measured;
  bool json = false;
  bool save = false;
  bool help = false;
  std::optional<std::string> pdf;
};

// Messages go to stderr in the language of the moment; the run goes on.
// Questions take their default answer; the file dialog returns the project.

// Both name one file, after their links; false when either is missing.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

// What the run writes: "the PDF file", "the picture".
std::string CannotWrite(std::string_view what, const std::string& path,
                        platform::WriteFailure failure) {
  return "silvarone: cannot write " + std::string(what) + " '" + path +
         "': " + platform::WriteFailureText(failure) + "\n";
}

std::string CannotWritePdf(const std::string& path, platform::WriteFailure failure) {
  return CannotWrite("the PDF file", path, failure);
}

// What the command line says when its words are off: one line.
using Refusal = Result<void, std::string>;

Refusal ReadLanguage(const std::string& code, Options& options) {
  if (code != "de" && code != "en") return "silvarone: --lang takes de or en, not '" + code + "'";
  options.language = code == "de" ? kGerman : kEnglish;
  return {};
}

Refusal ReadMode(const std::string& mode, Options& options) {
  if (mode == "wk") {
    options.mode = kModeGivenSpan;
  } else if (mode == "mdk") {
    options.mode = kModeGivenBallDimension;
  } else if (mode == "xe") {
    options.mode = kModeGivenProfileShift;
  } else {
    return "silvarone: --mode takes wk, mdk or xe, not '" + mode + "'";
  }
  return {};
}

Refusal ReadPdf(const std::string& path, Options& options) {
  options.pdf = path;
  return {};
}

// A measured test dimension is a number of millimetres the instrument can show.
Refusal ReadMeasured(const std::string& measured, Options& options) {
  TGear probe;
  probe.text = measured;
  probe.minimum = -1000;
  probe.maximum = 1000;
  if (ParseParameter(probe, {}) != kStatusValid) {
    return "silvarone: --measured '" + measured + "' is not a test dimension in mm";
  }
  options.measured = measured;
  return {};
}

// The options that take a value, each with the step that reads it.
struct ValueOption {
  std::string_view name;
  Refusal (*read)(const std::string& value, Options& options);
};
constexpr ValueOption kValueOptions[] = {
    {"--lang", ReadLanguage},
    {"--mode", ReadMode},
    {"--pdf", ReadPdf},
    {"--measured", ReadMeasured},
};

const ValueOption* FindValueOption(const std::string& argument) {
  for (const ValueOption& option : kValueOptions) {
    if (option.name == argument) return &option;
  }
  return nullptr;
}

Result<Options, std::string> ParseOptions(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--json") {
      options.json = true;
    } else if (argument == "--save") {
      options.save = true;
    } else if (const ValueOption* option = FindValueOption(argument)) {
      if (i + 1 >= arguments.size()) return "silvarone: " + argument + " needs a value";
      if (Refusal read = option->read(arguments[++i], options); !read) return read.problem();
    } else if (!argument.empty() && argument[0] == '-') {
      return "silvarone: unknown option " + argument;
    } else if (!options.file) {
      options.file = argument;
    } else {
      return std::string("silvarone: more than one project file given");
    }
  }
  if (options.pdf && options.json)
    return std::string("silvarone: --pdf and --json do not go together");
  return options;
}

// A number, or null where there is none (a ball that touches no involute).
nlohmann::json Number(double value) {
  return std::isfinite(value) ? nlohmann::json(value) : nlohmann::json(nullptr);
}

std::string_view ContactKey(FlankContact contact) {
  switch (contact) {
    case FlankContact::kUsable:
      return "usable";
    case FlankContact::kPastTip:
      return "past_tip";
    case FlankContact::kPastRoot:
      return "past_root";
    case FlankContact::kNoInvolute:
      return "no_involute";
  }
  return "";
}

nlohmann::json WarningsJson(const std::vector<Warning>& warnings) {
  nlohmann::json list = nlohmann::json::array();
  for (const Warning& warning : warnings)
    list.push_back(warning.full);
  return list;
}

nlohmann::json BallJson(const BallCheck& ball, const std::vector<Warning>& warnings) {
  return {{"checked", ball.known},
          {"D", ball.D},
          {"alpha_Kt", ball.alphaKt},
          {"d_K", ball.d_K},
          {"d_MK", Number(ball.d_MK)},
          {"contact", ContactKey(ball.flank)},
          {"reach", ball.reach},
          {"protrudes", ball.protrudes},
          {"warnings", WarningsJson(warnings)}};
}

// The measurability checks of the calculation page: the facts and the
// warnings in the language of the run.
nlohmann::json MeasurabilityJson(const WindowModel& model) {
  const Measurability& m = model.measurability();
  const MeasurabilityWarnings warnings =
      WordWarnings(m, model.language(), model.gear().state.Nachkommastellenzahl_1);
  const SpanCheck& span = m.span;
  return {{"d_b", m.d_b},
          {"d_Na", m.d_Na},
          {"d_Nf", m.d_Nf},
          {"sound", m.AllSound()},
          {"Wk",
           {{"checked", span.known},
            {"W_k", span.W_k},
            {"d_Wk", span.d_Wk},
            {"contact", ContactKey(span.flank)},
            {"b_w", span.b_w},
            {"width_needed", span.widthNeeded},
            {"width_carries", span.widthCarries},
            {"warnings", WarningsJson(warnings.span)}}},
          {"MdK", BallJson(m.overBalls, warnings.overBalls)},
          {"Q", BallJson(m.instrument, warnings.instrument)}};
}

nlohmann::json Json(const WindowModel& model, const TerminalPresenter& presenter,
                    const std::optional<std::vector<std::string>>& report) {
  nlohmann::json json;
  nlohmann::json& records = json["records"];
  for (const RecordInfo& info : RecordTable()) {
    const TGear& record = model.gear().rec.*info.member;
    records[std::string(info.name)] = {
        {"text", record.text}, {"value", record.value}, {"status", record.status}};
  }
  nlohmann::json& fields = json["fields"];
  for (const auto& [name, field] : model.fields())
    fields[name] = field.text;
  for (const auto& [name, selection] : model.selections()) {
    const bool selected =
        selection.index >= 0 && static_cast<std::size_t>(selection.index) < selection.items.size();
    fields[name] = selected ? selection.items[static_cast<std::size_t>(selection.index)] : "";
  }
  // Captions in the language of the run: text per object, and the items of
  // the lists under "<list>.items".
  nlohmann::json& captions = json["captions"];
  for (const auto& [object, text] : model.captions())
    captions[object] = text;
  for (const ListItemsRow& row : ListItemsTable()) {
    captions[std::string(row.object) + ".items"] = model.selection(row.object).items;
  }
  json["messages"] = nlohmann::json::array();
  for (const auto& [number, text] : presenter.messages) {
    json["messages"].push_back({{"number", number}, {"text", text}});
  }
  json["measurability"] = report ? MeasurabilityJson(model) : nlohmann::json(nullptr);
  json["report"] = report ? nlohmann::json(*report) : nlohmann::json(nullptr);
  return json;
}

// An output is refused before anything is read or written when it would
// replace a file the run reads, or a device or pipe: kExitDone or the status.
int RefuseTarget(std::string_view what, const std::string& target,
                 const std::optional<std::string>& file, std::ostream& err) {
  const std::string settings = SettingsFilePath(platform::SettingsDirectory());
  if (file && SameFile(target, *file)) {
    err << "silvarone: " << what << " '" << target << "' is the project file being read\n";
    return kExitUsage;
  }
  if (SameFile(target, settings)) {
    err << "silvarone: " << what << " '" << target << "' is the settings file\n";
    return kExitUsage;
  }
  if (const auto refused = platform::RefusedTarget(target);
      refused != platform::WriteFailure::kNone) {
    err << CannotWrite(what, target, refused);
    return kExitOutputFailed;
  }
  return kExitDone;
}

// What is refused before the settings are read: kExitDone or the status.
int RefuseBeforeReading(const Options& options, const ReportPdfWriter& writePdf,
                        std::ostream& err) {
  if (options.pdf && !writePdf) {
    err << "silvarone: this program cannot write PDF files\n";
    return kExitUsage;
  }
  // The project file is read as the storage reads it: a regular file of
  // bounded size.
  if (options.file && !ReadFileBytes(*options.file)) {
    err << "silvarone: cannot read project file '" << *options.file << "'\n";
    return kExitUsage;
  }
  if (options.pdf) return RefuseTarget("the PDF file", *options.pdf, options.file, err);
  return kExitDone;
}

}  // namespace

bool OpenProjectFile(WindowModel& model, TerminalPresenter& presenter, const std::string& file,
                     std::ostream& err) {
  const std::string extension = "." + model.project().extension;
  if (std::filesystem::path(file).extension().string() != extension) {
    err << "silvarone: '" << file << "' is not a project file (" << extension << ")\n";
    return false;
  }
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(file, ignored);
  presenter.file = absolute.empty() ? file : absolute.string();
  model.LoadProject();
  if (model.project().noProjectOpen) {
    err << "silvarone: cannot read project file '" << file << "'\n";
    return false;
  }
  return true;
}

namespace {

// The start as the window's, then the project file and the language of the
// options; false when the program cannot start or the file is refused. Without
// --save the settings are read once and nothing is written.
bool StartWithGear(WindowModel& model, TerminalPresenter& presenter, const Options& options,
                   std::ostream& err) {
  if (!model.Start({.settingsDirectory = platform::SettingsDirectory(),
                    .programDirectory = platform::ProgramDirectory(),
                    .checkPdfViewer = false,
                    .inMemory = !options.save})) {
    return false;
  }
  if (options.file && !OpenProjectFile(model, presenter, *options.file, err)) return false;
  if (options.language) model.SwitchLanguage(*options.language);
  return true;
}

// The calculation page as the window shows it: the check dimension, the
// back-calculation from a measured test dimension, and the report. Nothing
// when the page refuses the data: a report of them would show numbers
// computed from placeholders.
std::optional<ReportPages> CalculateReport(WindowModel& model,
                                           const std::optional<std::string>& measured) {
  model.ChangePage(Page::kCalculation);
  if (model.page() != Page::kCalculation) return std::nullopt;
  model.RunCheckDimension();
  if (measured) {
    model.Edited("Input_checkGauge", *measured);
    model.Confirm("Input_checkGauge");
    model.RunBackCalculation();
  }
  return BuildReportPages(model);
}

// The report as a PDF file, as JSON or as text on `out`: kExitDone or the status.
int WriteReport(const Options& options, const WindowModel& model,
                const TerminalPresenter& presenter, const std::optional<ReportPages>& report,
                const ReportPdfWriter& writePdf, std::ostream& out, std::ostream& err) {
  // The same pages as the report window prints, and nothing on `out`.
  if (options.pdf && report) {
    const LogChart* chart = report->chart ? &*report->chart : nullptr;
    if (const auto failure = writePdf(report->lines, model.drawingView(), chart, *options.pdf);
        failure != platform::WriteFailure::kNone) {
      err << CannotWritePdf(*options.pdf, failure);
      return kExitOutputFailed;
    }
  } else if (options.json) {
    out << Json(model, presenter, report ? std::optional(report->lines) : std::nullopt)
               .dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
        << '\n';
  } else if (report) {
    for (const std::string& line : report->lines)
      out << line << '\n';
  }
  out.flush();
  if (!out) {
    err << "silvarone: cannot write the report to standard output\n";
    return kExitOutputFailed;
  }
  return kExitDone;
}

int RunReport(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
              const ReportPdfWriter& writePdf) {
  const Result<Options, std::string> parsed = ParseOptions(arguments);
  if (!parsed) {
    err << parsed.problem() << '\n';
    return kExitUsage;
  }
  const Options& options = *parsed;
  if (options.help) {
    out << kUsage << '\n' << kHelp << std::flush;
    return out ? kExitDone : kExitOutputFailed;
  }
  if (const int refused = RefuseBeforeReading(options, writePdf, err); refused != kExitDone) {
    return refused;
  }

  TerminalPresenter presenter(err);
  WindowModel model(presenter);
  if (!StartWithGear(model, presenter, options, err)) return kExitUsage;
  if (options.mode) model.SelectInputMode(*options.mode);
  const std::optional<ReportPages> report = CalculateReport(model, options.measured);
  if (const int written = WriteReport(options, model, presenter, report, writePdf, out, err);
      written != kExitDone) {
    return written;
  }
  if (model.failedSaves() > 0) return kExitSaveFailed;
  return report ? kExitDone : kExitDataRefused;
}

// `diagram [FILE.tvp] OUT [--lang de|en]`: the project file and the picture
// in `options.file` and `options.pdf`'s place `picture`.
Result<Options, std::string> ParseDiagramOptions(const std::vector<std::string>& arguments,
                                                 std::string& picture) {
  Options options;
  std::vector<std::string> names;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--lang") {
      if (i + 1 >= arguments.size()) return std::string("silvarone: --lang needs a value");
      if (Refusal read = ReadLanguage(arguments[++i], options); !read) return read.problem();
    } else if (!argument.empty() && argument[0] == '-') {
      return "silvarone: unknown option " + argument;
    } else {
      names.push_back(argument);
    }
  }
  if (options.help) return options;
  if (names.empty() || names.size() > 2) return std::string(kDiagramUsage);
  picture = names.back();
  if (names.size() == 2) options.file = names.front();
  if (PictureFormatOf(picture) == PictureFormat::kUnknown)
    return "silvarone: the picture '" + picture + "' must be named .svg or .png";
  return options;
}

int RunDiagram(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
               const DrawingPictureWriter& writeDrawing) {
  std::string picture;
  const Result<Options, std::string> parsed = ParseDiagramOptions(arguments, picture);
  if (!parsed) {
    err << parsed.problem() << '\n';
    return kExitUsage;
  }
  const Options& options = *parsed;
  if (options.help) {
    out << kDiagramUsage << '\n' << kDiagramHelp << std::flush;
    return out ? kExitDone : kExitOutputFailed;
  }
  if (!writeDrawing) {
    err << "silvarone: this program cannot write pictures\n";
    return kExitUsage;
  }
  if (options.file && !ReadFileBytes(*options.file)) {
    err << "silvarone: cannot read project file '" << *options.file << "'\n";
    return kExitUsage;
  }
  if (const int refused = RefuseTarget("the picture", picture, options.file, err);
      refused != kExitDone)
    return refused;
  TerminalPresenter presenter(err);
  WindowModel model(presenter);
  if (!StartWithGear(model, presenter, options, err)) return kExitUsage;
  model.ChangePage(Page::kCalculation);
  if (model.page() != Page::kCalculation) return kExitDataRefused;
  model.RunCheckDimension();
  if (const auto failure = writeDrawing(model.drawingView(), picture);
      failure != platform::WriteFailure::kNone) {
    err << CannotWrite("the picture", picture, failure);
    return kExitOutputFailed;
  }
  return kExitDone;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const ReportPdfWriter& writePdf, const DrawingPictureWriter& writeDrawing) {
  if (arguments.empty()) return RunReport({"report"}, out, err, writePdf);
  if (arguments[0] == "report") return RunReport(arguments, out, err, writePdf);
  if (arguments[0] == "diagram") return RunDiagram(arguments, out, err, writeDrawing);
  if (arguments[0] == "batch") return RunBatch(arguments, std::cin, out, err);
  if (arguments[0] == "log") return RunLog(arguments, out, err);
  if (arguments[0] == "--version" && arguments.size() == 1) {
    out << kProgramName << " " << kProgramVersion << " (" << kProgramDate << ")\n"
        << "Licence " << kProgramLicence
        << ": GNU GPL version 3 or later <https://www.gnu.org/licenses/gpl-3.0.html>.\n"
        << "This is free software: you are free to change and redistribute it.\n"
        << "There is NO WARRANTY, to the extent permitted by law.\n"
        << std::flush;
    return out ? kExitDone : kExitOutputFailed;
  }
  if ((arguments[0] == "--help" || arguments[0] == "-h") && arguments.size() == 1) {
    out << kProgramUsage << '\n' << kProgramHelp << std::flush;
    return out ? kExitDone : kExitOutputFailed;
  }
  err << kProgramUsage << '\n';
  return kExitUsage;
}

}  // namespace silvarone
