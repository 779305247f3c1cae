// The whole path of `silvarone report FILE.tvp [options]`: any project file
// gives a report (status 0) or the refusal of its data (status 3, no
// report), JSON that parses, and no file written.
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/command_line.h"
#include "fuzz_support.h"
#include "storage/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace silvarone;
  static const std::string home = [] {
    const std::string folder = fuzz::PrivateFolder() + "home/";
    std::filesystem::create_directories(folder);
    ::setenv("SILVARONE_HOME", folder.c_str(), 1);
    return folder;
  }();
  fuzz::Input input(data, size);
  const std::uint8_t options = input.Byte();
  const std::string path = fuzz::WriteFile("gear.tvp", input.Rest());

  std::vector<std::string> arguments = {"report", path};
  const bool json = options & 1;
  if (json) arguments.push_back("--json");
  if (options & 2) arguments.insert(arguments.end(), {"--lang", "en"});
  static const char* const kModes[] = {"wk", "mdk", "xe"};
  if ((options >> 2) % 4 != 0)
    arguments.insert(arguments.end(), {"--mode", kModes[(options >> 2) % 4 - 1]});
  if (options & 16) arguments.insert(arguments.end(), {"--measured", "22.5"});

  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCommandLine(arguments, out, err);
  FUZZ_CHECK(status == kExitDone || status == kExitDataRefused);
  if (json) {
    const auto parsed = nlohmann::json::parse(out.str(), nullptr, false);
    FUZZ_CHECK(!parsed.is_discarded());
    FUZZ_CHECK(parsed["report"].is_null() == (status == kExitDataRefused));
  } else {
    FUZZ_CHECK(out.str().empty() == (status == kExitDataRefused));
  }
  // Without --save nothing is written, not even the settings folder's files.
  FUZZ_CHECK(std::filesystem::is_empty(home));
  return 0;
}
