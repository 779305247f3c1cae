#include "app/command_line.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>

#include "core/records.h"
#include "core/version.h"
#include "platform/locations.h"
#include "storage/settings.h"
#include "ui/captions.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: silvarone report [FILE.tvp] [--lang de|en] [--mode wk|mdk|xe] "
    "[--measured VALUE] [--json] [--save] [--pdf OUT.pdf]";

struct Options {
  std::optional<std::string> file;
  std::optional<Language> language;
  std::optional<CalculationModeKind> mode;
  std::optional<std::string> measured;
  bool json = false;
  bool save = false;
  std::optional<std::string> pdf;
};

// Messages go to stderr in the language of the moment; the run goes on.
// Questions take their default answer; the file dialog returns the project.
class TerminalPresenter : public DialogPresenter {
 public:
  explicit TerminalPresenter(std::ostream& err) : err_(err) {}
  int Show(const DialogRequest& request) override {
    std::string text = request.text;
    for (char& c : text) {
      if (c == '\r') c = ' ';
    }
    while (text.find("  ") != std::string::npos && text.find("  ") == text.size() - 2)
      text.pop_back();
    err_ << (request.number != 0 ? std::to_string(request.number) + ": " : std::string()) << text
         << '\n';
    if (request.number != 0) messages.push_back({request.number, text});
    return request.defaultButton;
  }
  std::optional<std::string> ChooseFileToOpen(const FileDialogSetup&) override { return file; }
  std::optional<std::string> ChooseFileToSave(const FileDialogSetup&) override {
    return std::nullopt;
  }

  std::optional<std::string> file;
  std::vector<std::pair<int, std::string>> messages;

 private:
  std::ostream& err_;
};

// A settings folder of its own, so that the user's settings stay as they are.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::random_device seed;
    path_ = fs::temp_directory_path() /
            ("silvarone-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    fs::create_directories(path_);
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string Path() const {
    return path_.string() + static_cast<char>(fs::path::preferred_separator);
  }

 private:
  fs::path path_;
};

bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error) {
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= arguments.size()) {
        error = "silvarone: " + argument + " needs a value";
        return std::nullopt;
      }
      return arguments[++i];
    };
    if (argument == "--json") {
      options.json = true;
    } else if (argument == "--save") {
      options.save = true;
    } else if (argument == "--lang") {
      const auto language = value();
      if (!language) return false;
      if (*language != "de" && *language != "en") {
        error = "silvarone: --lang takes de or en, not '" + *language + "'";
        return false;
      }
      options.language = *language == "de" ? kGerman : kEnglish;
    } else if (argument == "--mode") {
      const auto mode = value();
      if (!mode) return false;
      if (*mode == "wk") {
        options.mode = kModeGivenSpan;
      } else if (*mode == "mdk") {
        options.mode = kModeGivenBallDimension;
      } else if (*mode == "xe") {
        options.mode = kModeGivenProfileShift;
      } else {
        error = "silvarone: --mode takes wk, mdk or xe, not '" + *mode + "'";
        return false;
      }
    } else if (argument == "--pdf") {
      options.pdf = value();
      if (!options.pdf) return false;
    } else if (argument == "--measured") {
      const auto measured = value();
      if (!measured) return false;
      TGear probe;
      probe.text = *measured;
      probe.minimum = -1000;
      probe.maximum = 1000;
      if (ParseParameter(probe, false, false) != kStatusValid) {
        error = "silvarone: --measured '" + *measured + "' is not a test dimension in mm";
        return false;
      }
      options.measured = *measured;
    } else if (!argument.empty() && argument[0] == '-') {
      error = "silvarone: unknown option " + argument;
      return false;
    } else if (!options.file) {
      options.file = argument;
    } else {
      error = "silvarone: more than one project file given";
      return false;
    }
  }
  if (options.pdf && options.json) {
    error = "silvarone: --pdf and --json do not go together";
    return false;
  }
  return true;
}

nlohmann::json Json(const WindowModel& model, const TerminalPresenter& presenter,
                    const std::vector<std::string>& report) {
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
  json["report"] = report;
  return json;
}

int RunReport(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
              const ReportPdfWriter& writePdf) {
  Options options;
  std::string error;
  if (!ParseOptions(arguments, options, error)) {
    err << error << '\n';
    return 2;
  }
  if (options.pdf && !writePdf) {
    err << "silvarone: this program cannot write PDF files\n";
    return 2;
  }
  if (options.file) {
    std::error_code ignored;
    if (!fs::is_regular_file(*options.file, ignored) || !std::ifstream(*options.file)) {
      err << "silvarone: cannot read project file '" << *options.file << "'\n";
      return 2;
    }
  }

  // The user's settings folder, or a copy of its settings file.
  const std::string home = platform::SettingsDirectory();
  std::optional<TemporaryFolder> copy;
  std::string settingsFolder = home;
  if (!options.save) {
    copy.emplace();
    settingsFolder = copy->Path();
    std::error_code ignored;
    fs::copy_file(SettingsFilePath(home), SettingsFilePath(settingsFolder), ignored);
  }

  TerminalPresenter presenter(err);
  WindowModel model(presenter);
  if (!model.Start({settingsFolder, platform::ProgramDirectory(), false})) return 2;
  if (options.file) {
    presenter.file = fs::absolute(*options.file).string();
    model.LoadProject();
    if (model.project().noProjectOpen) {
      err << "silvarone: '" << *options.file << "' is not a project file (."
          << model.project().extension << ")\n";
      return 2;
    }
  }
  if (options.language) model.SwitchLanguage(*options.language);
  if (options.mode) model.SelectInputMode(*options.mode);
  model.ChangePage(kPageCalculation);
  model.RunCheckDimension();
  if (options.measured) {
    model.Edited("Input_checkGauge", *options.measured);
    model.Confirm("Input_checkGauge");
    model.RunBackCalculation();
  }

  const std::vector<std::string> report = BuildReport(model.ReportData());
  // The same pages as the report window prints, and nothing on `out`.
  if (options.pdf) {
    if (writePdf(report, *options.pdf)) return 0;
    err << "silvarone: cannot write the PDF file '" << *options.pdf << "'\n";
    return 5;
  }
  if (options.json) {
    out << Json(model, presenter, report)
               .dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
        << '\n';
  } else {
    for (const std::string& line : report)
      out << line << '\n';
  }
  return 0;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const ReportPdfWriter& writePdf) {
  if (arguments.empty()) return RunReport({"report"}, out, err, writePdf);
  if (arguments[0] == "report") return RunReport(arguments, out, err, writePdf);
  if (arguments[0] == "--version") {
    out << kProgramName << " " << kProgramVersion << '\n';
    return 0;
  }
  err << kUsage << '\n';
  return 2;
}

}  // namespace silvarone
