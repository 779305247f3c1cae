// Any argument list of `silvarone ...` (the arguments are the input split at
// NUL bytes): the parser takes or refuses it without crashing; a usage error
// is status 2 with one line on standard error and nothing on standard
// output; a PDF is asked for only of a report, once, at the path given;
// --json prints JSON that parses; and without --save no file is written.
#include "app/command_line.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace silvarone;
  namespace fs = std::filesystem;
  static const std::string home = [] {
    const std::string folder = fuzz::PrivateFolder() + "home/";
    fs::create_directories(folder);
    ::setenv("SILVARONE_HOME", folder.c_str(), 1);
    return folder;
  }();
  // Each run starts on an empty settings folder.
  for (const auto& entry : fs::directory_iterator(home))
    fs::remove_all(entry.path());

  std::vector<std::string> arguments;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (std::size_t at = 0; at <= input.size() && arguments.size() < 16;) {
    const std::size_t end = std::min(input.find('\0', at), input.size());
    arguments.emplace_back(input.substr(at, end - at));
    at = end + 1;
  }
  if (input.empty()) arguments.clear();
  // The batch reads standard input and writes where --out says: it has tests
  // of its own, and the gear table reader its own fuzz target.
  if (!arguments.empty() && arguments[0] == "batch") return 0;

  // The PDF writer is the window layer's; here it only notes its calls.
  std::vector<std::string> pdfPaths;
  const ReportPdfWriter pdf = [&](const std::vector<std::string>& lines, const DrawingView&,
                                  const LogChart*, const std::string& path) {
    FUZZ_CHECK(!lines.empty());
    pdfPaths.push_back(path);
    return platform::WriteFailure::kNone;
  };
  // The drawing's picture likewise.
  std::vector<std::string> picturePaths;
  const DrawingPictureWriter picture = [&](const DrawingView&, const std::string& path) {
    picturePaths.push_back(path);
    return platform::WriteFailure::kNone;
  };
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCommandLine(arguments, out, err, pdf, picture);

  FUZZ_CHECK(status == kExitDone || status == kExitUsage || status == kExitDataRefused ||
             status == kExitSaveFailed || status == kExitOutputFailed);
  const std::string errText = err.str();
  FUZZ_CHECK(errText.empty() || errText.back() == '\n');
  const bool report = arguments.empty() || arguments[0] == "report";
  // The diagram loads a gear as the report does: its messages may come first.
  const bool diagram = !arguments.empty() && arguments[0] == "diagram";
  if (!report && !diagram && status == kExitUsage) {
    FUZZ_CHECK(out.str().empty());
    FUZZ_CHECK(errText.find('\n') == errText.size() - 1);
  }
  bool save = false;
  bool json = false;
  bool help = false;
  // The options as the parser sees them: the argument after an option that
  // takes a value is that value ("--pdf --json" names a file "--json").
  for (std::size_t i = 1; report && i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--lang" || argument == "--mode" || argument == "--measured" ||
        argument == "--pdf") {
      ++i;
      continue;
    }
    save = save || argument == "--save";
    json = json || argument == "--json";
    help = help || argument == "--help" || argument == "-h";
  }
  // A PDF is written only by a report that got that far, to the path named
  // after the last --pdf.
  FUZZ_CHECK(pdfPaths.size() <= 1);
  // A picture only by a diagram that got that far, once.
  FUZZ_CHECK(picturePaths.size() <= 1);
  if (!picturePaths.empty()) FUZZ_CHECK(diagram && out.str().empty());
  if (!pdfPaths.empty()) {
    FUZZ_CHECK(report && !help && !json);
    FUZZ_CHECK(out.str().empty());
    bool named = false;
    for (std::size_t i = 1; i + 1 < arguments.size(); ++i)
      named = named || (arguments[i] == "--pdf" && arguments[i + 1] == pdfPaths[0]);
    FUZZ_CHECK(named);
  }
  if (report && json && !help && (status == kExitDone || status == kExitDataRefused)) {
    FUZZ_CHECK(!nlohmann::json::parse(out.str(), nullptr, false).is_discarded());
  }
  if (!save) FUZZ_CHECK(fs::is_empty(home));
  return 0;
}
