#include "app/log_command.h"

#include <charconv>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <variant>

#include "app/command_line.h"
#include "app/terminal_presenter.h"
#include "core/result.h"
#include "core/text_file.h"
#include "platform/locations.h"
#include "storage/log_export.h"
#include "storage/part_log.h"
#include "storage/project.h"
#include "ui/log_entry.h"
#include "ui/log_statistics.h"
#include "ui/log_texts.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

namespace fs = std::filesystem;
// The columns in the order of the export.
using Json = nlohmann::ordered_json;

constexpr const char* kUsage =
    "usage: silvarone log add [FILE.tvp] --measured VALUE [--dimension test|wk|mdk] "
    "[--serial TEXT] [--lang de|en]\n"
    "       silvarone log export [FILE.tvp | --all] [--from DATE] [--to DATE] [--serial TEXT] "
    "[--csv | --json]";
// A usage error is one line on standard error, as the other commands' are.
constexpr const char* kShortUsage =
    "usage: silvarone log add|export [FILE.tvp] [OPTIONS] (silvarone log --help lists them)";

constexpr const char* kHelp =
    "\n"
    "The inspection log: one record per measured part, kept in silvarone-log.sqlite\n"
    "in the settings folder. A gear's records are those of its drawing number and\n"
    "its m_n, z, alpha_n, beta and x.\n"
    "\n"
    "log add: the gear of the project file (else of the stored settings) is calculated\n"
    "as on the calculation page; the measured value is judged against the limits the\n"
    "page shows and recorded; one line tells the verdict.\n"
    "  --measured VALUE          the measured value in mm\n"
    "  --dimension test|wk|mdk   the instrument's test dimension (default; it is also\n"
    "                            back-calculated to xE), the span Wk or the dimension\n"
    "                            over balls MdK\n"
    "  --serial TEXT             the part's serial number\n"
    "  --lang de|en              language of the verdict and the messages\n"
    "\n"
    "log export: the gear's records, newest first, void ones included, on standard\n"
    "output.\n"
    "  --all                     the records of every gear\n"
    "  --from DATE, --to DATE    only records of these local dates (YYYY-MM-DD, inclusive)\n"
    "  --serial TEXT             only records whose serial number holds TEXT\n"
    "  --csv                     CSV after RFC 4180: one header row, CRLF line ends,\n"
    "                            UTF-8, '.' as decimal point (default)\n"
    "  --json                    a JSON array of objects\n"
    "\n"
    "Exit status:\n"
    "  0  recorded, within limits; or exported\n"
    "  2  usage or input error (one line on standard error)\n"
    "  3  the gear's data were refused, or the page shows no limits of that dimension:\n"
    "     nothing recorded\n"
    "  4  the log cannot be opened or written (not a database, damaged, of a newer\n"
    "     version, locked longer than 5 s, read-only): nothing recorded, the log as it was\n"
    "  5  the verdict or the records could not be written to standard output (a record\n"
    "     is kept)\n"
    "  6  recorded, outside limits\n";

struct LogOptions {
  std::string command;  // "add" or "export"
  std::optional<std::string> file;
  std::optional<std::string> measured;
  LogDimension dimension = LogDimension::kTest;
  std::string serial;
  std::optional<Language> language;
  std::optional<std::string> from;
  std::optional<std::string> to;
  bool json = false;
  bool csv = false;
  bool all = false;
  bool help = false;
};

using Refusal = Result<void, std::string>;

// A date the filter can compare: YYYY-MM-DD of the calendar.
Refusal ReadDate(const std::string& option, const std::string& text,
                 std::optional<std::string>& date) {
  int year = 0, month = 0, day = 0;
  const char* end = text.data() + text.size();
  const bool shaped =
      text.size() == 10 && text[4] == '-' && text[7] == '-' &&
      std::from_chars(text.data(), text.data() + 4, year).ptr == text.data() + 4 &&
      std::from_chars(text.data() + 5, text.data() + 7, month).ptr == text.data() + 7 &&
      std::from_chars(text.data() + 8, end, day).ptr == end;
  if (!shaped || !CalendarDate(year, month, day))
    return "silvarone: " + option + " takes a date YYYY-MM-DD, not '" + text + "'";
  date = text;
  return {};
}

Refusal ReadValue(const std::string& option, const std::string& value, LogOptions& o) {
  if (option == "--measured") {
    if (!LogNumber(value))
      return "silvarone: --measured '" + value + "' is not a measured value in mm";
    o.measured = value;
  } else if (option == "--dimension") {
    const auto dimension = LogDimensionOfWord(value);
    if (!dimension) return "silvarone: --dimension takes test, wk or mdk, not '" + value + "'";
    o.dimension = *dimension;
  } else if (option == "--serial") {
    o.serial = value;
  } else if (option == "--lang") {
    if (value != "de" && value != "en")
      return "silvarone: --lang takes de or en, not '" + value + "'";
    o.language = value == "de" ? kGerman : kEnglish;
  } else {
    return ReadDate(option, value, option == "--from" ? o.from : o.to);
  }
  return {};
}

bool TakesValue(const std::string& command, const std::string& option) {
  if (option == "--serial" || option == "--lang") return true;
  if (command == "add") return option == "--measured" || option == "--dimension";
  return option == "--from" || option == "--to";
}

bool IsFlag(const std::string& command, const std::string& option, LogOptions& o) {
  if (option == "--help" || option == "-h") return o.help = true;
  if (command != "export") return false;
  if (option == "--json") return o.json = true;
  if (option == "--csv") return o.csv = true;
  if (option == "--all") return o.all = true;
  return false;
}

Result<LogOptions, std::string> ParseLogOptions(const std::vector<std::string>& arguments) {
  LogOptions o;
  if (arguments.size() < 2) return std::string(kShortUsage);
  o.command = arguments[1];
  if (o.command == "--help" || o.command == "-h") {
    o.help = true;
    return o;
  }
  if (o.command != "add" && o.command != "export") return std::string(kShortUsage);
  for (std::size_t i = 2; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (IsFlag(o.command, argument, o)) continue;
    if (TakesValue(o.command, argument)) {
      if (i + 1 >= arguments.size()) return "silvarone: " + argument + " needs a value";
      if (Refusal read = ReadValue(argument, arguments[++i], o); !read) return read.problem();
    } else if (!argument.empty() && argument[0] == '-') {
      return "silvarone: unknown option " + argument;
    } else if (!o.file) {
      o.file = argument;
    } else {
      return std::string("silvarone: more than one project file given");
    }
  }
  if (o.help) return o;
  if (o.command == "add" && !o.measured)
    return std::string("silvarone: log add needs --measured VALUE");
  if (o.json && o.csv) return std::string("silvarone: --csv and --json do not go together");
  if (o.all && o.file) return std::string("silvarone: --all and a project file do not go together");
  return o;
}

std::string LogPath() {
  return platform::SettingsDirectory() + kInspectionLogFileName;
}

// The window model on the calculation page of the project file (or of the
// stored settings), nothing written: kExitDone or the status, with the
// reason on `err`.
int CalculateGear(const LogOptions& o, WindowModel& model, TerminalPresenter& presenter,
                  std::ostream& err) {
  if (o.file && !ReadFileBytes(*o.file)) {
    err << "silvarone: cannot read project file '" << *o.file << "'\n";
    return kExitUsage;
  }
  if (!model.Start({.settingsDirectory = platform::SettingsDirectory(),
                    .programDirectory = platform::ProgramDirectory(),
                    .checkPdfViewer = false,
                    .inMemory = true})) {
    return kExitUsage;
  }
  if (o.file && !OpenProjectFile(model, presenter, *o.file, err)) return kExitUsage;
  if (o.language) model.SwitchLanguage(*o.language);
  model.ChangePage(Page::kCalculation);
  if (model.page() != Page::kCalculation) {
    err << "silvarone: " << LogRefusalText(LogEntryRefusal::kNotCalculated, "", model.language())
        << '\n';
    return kExitDataRefused;
  }
  model.RunCheckDimension();
  return kExitDone;
}

// The log opened for recording; the settings folder is made when missing.
Result<InspectionLog, LogFailure> OpenForRecording() {
  std::error_code error;
  fs::create_directories(platform::SettingsDirectory(), error);
  return InspectionLog::Open(LogPath());
}

int RunAdd(const LogOptions& o, std::ostream& out, std::ostream& err) {
  TerminalPresenter presenter(err);
  WindowModel model(presenter);
  if (const int calculated = CalculateGear(o, model, presenter, err); calculated != kExitDone)
    return calculated;
  const Language language = model.language();
  auto entry = MakeLogEntry(model, {*o.measured, o.dimension, o.serial},
                            {LogMomentNow(), platform::LoginName()});
  if (!entry) {
    err << "silvarone: " << LogRefusalText(entry.problem(), *o.measured, language) << '\n';
    return entry.problem() == LogEntryRefusal::kNotANumber ? kExitUsage : kExitDataRefused;
  }
  auto log = OpenForRecording();
  Result<std::int64_t, LogFailure> id = log ? log->Record(*entry) : log.problem();
  if (!id) {
    err << "silvarone: " << LogFailureText(id.problem(), LogPath(), language) << '\n';
    return kExitSaveFailed;
  }
  entry->id = *id;
  out << LogRecordedLine(*entry, language) << '\n' << std::flush;
  if (!out) {
    err << "silvarone: cannot write the verdict to standard output\n";
    return kExitOutputFailed;
  }
  return entry->verdict == LogVerdict::kWithin ? kExitDone : kExitOutsideLimits;
}

// A column's value as JSON: text, number or null.
struct JsonValue {
  Json operator()(std::monostate) const { return nullptr; }
  Json operator()(const std::string& text) const { return text; }
  Json operator()(std::int64_t number) const { return number; }
  Json operator()(double number) const { return number; }
};

void WriteJson(const std::vector<LogEntry>& entries, std::ostream& out) {
  Json records = Json::array();
  for (const LogEntry& entry : entries) {
    Json& record = records.emplace_back(Json::object());
    for (const LogExportColumn& column : LogExportColumns())
      record[column.name] = std::visit(JsonValue{}, column.value(entry));
  }
  out << records.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

// The filter of the options: the gear of the project file (or of the
// settings) unless --all; kExitDone or the status.
int ExportFilter(const LogOptions& o, LogFilter& filter, Language& language, std::ostream& err) {
  filter.fromDate = o.from;
  filter.toDate = o.to;
  filter.serialPart = o.serial;
  language = o.language.value_or(kGerman);
  if (o.all) return kExitDone;
  TerminalPresenter presenter(err);
  WindowModel model(presenter);
  if (const int calculated = CalculateGear(o, model, presenter, err); calculated != kExitDone)
    return calculated;
  filter.gear = LogGearOf(model);
  language = model.language();
  return kExitDone;
}

int RunExport(const LogOptions& o, std::ostream& out, std::ostream& err) {
  LogFilter filter;
  Language language = kGerman;
  if (const int status = ExportFilter(o, filter, language, err); status != kExitDone) return status;
  std::vector<LogEntry> entries;
  // No log yet: no records. Reading needs no right to write.
  std::error_code error;
  if (fs::exists(LogPath(), error)) {
    auto log = InspectionLog::Open(LogPath(), {.readOnly = true});
    Result<std::vector<LogEntry>, LogFailure> found = log ? log->Query(filter) : log.problem();
    if (!found) {
      err << "silvarone: " << LogFailureText(found.problem(), LogPath(), language) << '\n';
      return kExitSaveFailed;
    }
    entries = std::move(*found);
  }
  if (o.json) {
    WriteJson(entries, out);
  } else {
    out << LogCsv(entries);
  }
  out.flush();
  if (!out) {
    err << "silvarone: cannot write the records to standard output\n";
    return kExitOutputFailed;
  }
  return kExitDone;
}

}  // namespace

int RunLog(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  const Result<LogOptions, std::string> parsed = ParseLogOptions(arguments);
  if (!parsed) {
    err << parsed.problem() << '\n';
    return kExitUsage;
  }
  if (parsed->help) {
    out << kUsage << '\n' << kHelp << std::flush;
    return out ? kExitDone : kExitOutputFailed;
  }
  return parsed->command == "add" ? RunAdd(*parsed, out, err) : RunExport(*parsed, out, err);
}

}  // namespace silvarone
